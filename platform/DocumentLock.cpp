#include "platform/DocumentLock.h"

#include <QDir>
#include <QFileInfo>
#include <QLockFile>

namespace telm::platform {

QString DocumentLock::LockPathFor(const QString& dataFilePath)
{
    QFileInfo info(dataFilePath);
    // A link and the file it points to are one document.
    if (info.isSymLink() && info.exists())
        info = QFileInfo(info.canonicalFilePath());
    const QString folder =
        info.absoluteDir().exists() ? info.absoluteDir().canonicalPath() : info.absolutePath();
    return QDir(folder).filePath(u'.' + info.fileName() + QStringLiteral(".lock"));
}

DocumentLock::DocumentLock(const QString& dataFilePath)
    : m_lockPath(LockPathFor(dataFilePath)), m_lock(std::make_unique<QLockFile>(m_lockPath))
{
    // A document may stay open for hours: only a lock whose process is gone is
    // stale, never one that is merely old.
    m_lock->setStaleLockTime(0);
    if (m_lock->tryLock(0))
        m_state = State::Held;
    else if (m_lock->error() == QLockFile::LockFailedError)
        m_state = State::HeldElsewhere;
    else
        m_state = State::Unavailable;
}

DocumentLock::~DocumentLock() = default;

} // namespace telm::platform
