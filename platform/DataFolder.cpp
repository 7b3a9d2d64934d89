#include "platform/DataFolder.h"

#include <QDir>
#include <QStandardPaths>
#include <QTemporaryFile>

namespace telm::platform {

bool CanWriteIn(const QString& folder)
{
    if (!QDir().mkpath(folder))
        return false;
    QTemporaryFile probe(folder + QStringLiteral("/.telm-write-test-XXXXXX"));
    return probe.open(); // removed when it goes out of scope
}

DataFolderChoice ChooseDataFolder(const QString& programFolder, const QString& perUserRoot,
                                  const std::function<bool(const QString&)>& canWrite)
{
    const QString beside = QDir(programFolder).filePath(QStringLiteral("Data"));
    if (canWrite(beside))
        return DataFolderChoice{QDir::cleanPath(beside), false, QString()};
    if (perUserRoot.isEmpty())
        return DataFolderChoice{QString(), true,
                                QStringLiteral("няма папка за данни на потребителя")};
    const QString own = QDir(perUserRoot).filePath(QStringLiteral("Data"));
    if (canWrite(own))
        return DataFolderChoice{QDir::cleanPath(own), true, QString()};
    return DataFolderChoice{
        QString(), true,
        QStringLiteral("в папките %1 и %2 не могат да се записват файлове")
            .arg(QDir::toNativeSeparators(beside), QDir::toNativeSeparators(own))};
}

DataFolderChoice DataFolder(const QString& programFolder)
{
    return ChooseDataFolder(programFolder, PerUserDataRoot());
}

QString PerUserDataRoot()
{
    const QString base = QStandardPaths::writableLocation(QStandardPaths::GenericDataLocation);
    return base.isEmpty() ? QString() : base + QStringLiteral("/TELM/telm-transfer");
}

} // namespace telm::platform
