#include "bench/BenchProgramFolder.h"

#include <QDir>
#include <QFile>

namespace telm::bench {

bool MakeProgramFolder(const QString& folder)
{
    const QDir from(QStringLiteral(TELM_PROGRAM_DIR "/Blanki"));
    QDir(folder).mkpath(QStringLiteral("Blanki"));
    QDir(folder).mkpath(QStringLiteral("Data"));
    for (const QString& name : from.entryList(QDir::Files))
        if (!QFile::copy(from.filePath(name), folder + QStringLiteral("/Blanki/") + name))
            return false;
    return true;
}

} // namespace telm::bench
