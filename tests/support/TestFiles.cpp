#include "tests/support/TestFiles.h"

#include <QDir>
#include <QFile>

namespace telm::test {

QString sourceData(const QString& relative)
{
    return QStringLiteral(TELM_SOURCE_DIR "/data/") + relative;
}

QByteArray readAll(const QString& path)
{
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly))
        return {};
    return file.readAll();
}

bool writeAll(const QString& path, const QByteArray& bytes)
{
    QFile file(path);
    if (!file.open(QIODevice::WriteOnly | QIODevice::Truncate))
        return false;
    return file.write(bytes) == bytes.size();
}

bool makeProgramFolder(const QString& folder)
{
    QDir dir(folder);
    if (!dir.mkpath(QStringLiteral("Blanki")) || !dir.mkpath(QStringLiteral("Data")))
        return false;
    const QDir source(sourceData(QStringLiteral("Blanki")));
    for (const QString& name : source.entryList(QDir::Files)) {
        const QString target = dir.filePath(QStringLiteral("Blanki/") + name);
        QFile::remove(target);
        if (!QFile::copy(source.filePath(name), target))
            return false;
    }
    return true;
}

} // namespace telm::test
