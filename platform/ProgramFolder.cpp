#include "platform/ProgramFolder.h"

#include <QCoreApplication>
#include <QFileInfo>

namespace telm::platform {

QString ProgramFolder()
{
    if (QCoreApplication::instance())
        return QCoreApplication::applicationDirPath();
    // Before an application object exists: the executable's own link.
    return QFileInfo(QStringLiteral("/proc/self/exe")).canonicalFilePath().section(u'/', 0, -2);
}

} // namespace telm::platform
