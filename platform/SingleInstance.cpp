#include "platform/SingleInstance.h"

#include <QDir>
#include <QFileInfo>
#include <QStandardPaths>

namespace telm::platform {

QString SingleInstance::defaultLockPath()
{
    QString folder = QStandardPaths::writableLocation(QStandardPaths::RuntimeLocation);
    if (folder.isEmpty())
        folder = QDir::tempPath();
    return QDir(folder).filePath(QStringLiteral("telm-transfer.lock"));
}

SingleInstance::SingleInstance(const QString& lockPath)
    : m_lockPath(lockPath), m_lock(std::make_unique<QLockFile>(lockPath))
{
    // A live first copy may run for days; only a lock whose process is gone
    // counts as stale, never one that is merely old.
    m_lock->setStaleLockTime(0);
}

SingleInstance::~SingleInstance() = default;

bool SingleInstance::tryAcquire()
{
    if (m_lock->isLocked())
        return true;
    QDir().mkpath(QFileInfo(m_lockPath).absolutePath());
    return m_lock->tryLock(0);
}

bool SingleInstance::isHeld() const
{
    return m_lock->isLocked();
}

void SingleInstance::release()
{
    if (m_lock->isLocked())
        m_lock->unlock();
}

} // namespace telm::platform
