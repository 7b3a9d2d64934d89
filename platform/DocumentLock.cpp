#include "platform/DocumentLock.h"

#include "platform/RegularFile.h"

#include <QCoreApplication>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QSysInfo>

#include <cerrno>
#include <cstdio>
#include <fcntl.h>
#include <sys/file.h>
#include <sys/stat.h>
#include <unistd.h>

namespace telm::platform {

namespace {

// How often the lock is tried again when its file changes under us (an owner
// ending and removing it between our open and our lock).
constexpr int kAttempts = 8;

bool sameFile(const struct stat& a, const struct stat& b)
{
    return a.st_dev == b.st_dev && a.st_ino == b.st_ino;
}

QString notALockFile(const QString& lockPath)
{
    return QStringLiteral("на мястото на заключващия файл %1 стои нещо друго (връзка, папка, "
                          "канал или устройство); премахнете го и опитайте отново")
        .arg(QDir::toNativeSeparators(lockPath));
}

// Who holds the lock, for a person who finds the file: process, program, host.
QByteArray ownerText()
{
    const QString program =
        QCoreApplication::instance() ? QCoreApplication::applicationName() : QStringLiteral("telm");
    return QByteArray::number(qint64(::getpid())) + '\n' + program.toUtf8() + '\n'
           + QSysInfo::machineHostName().toUtf8() + '\n';
}

} // namespace

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

DocumentLock::DocumentLock(const QString& dataFilePath) : m_lockPath(LockPathFor(dataFilePath))
{
    acquire();
}

void DocumentLock::acquire()
{
    const QByteArray path = QFile::encodeName(m_lockPath);
    for (int attempt = 0; attempt < kAttempts; ++attempt) {
        struct stat seen;
        if (::lstat(path.constData(), &seen) == 0 && !S_ISREG(seen.st_mode)) {
            m_state = State::Refused;
            m_reason = notALockFile(m_lockPath);
            return;
        }
        bool created = true;
        int fd = ::open(path.constData(), O_RDWR | O_CREAT | O_EXCL | O_NOFOLLOW | O_CLOEXEC, 0644);
        if (fd < 0 && errno == EEXIST) {
            created = false;
            fd = ::open(path.constData(), O_RDWR | O_NOFOLLOW | O_NONBLOCK | O_CLOEXEC);
            if (fd < 0 && errno == ENOENT)
                continue; // its owner removed it meanwhile
        }
        if (fd < 0) {
            const int code = errno;
            m_state = code == ELOOP || code == EISDIR || code == ENXIO ? State::Refused
                                                                       : State::Unavailable;
            m_reason = m_state == State::Refused ? notALockFile(m_lockPath) : SystemErrorText(code);
            return;
        }
        struct stat opened;
        if (::fstat(fd, &opened) != 0 || !S_ISREG(opened.st_mode)) {
            ::close(fd);
            m_state = State::Refused;
            m_reason = notALockFile(m_lockPath);
            return;
        }
        if (::flock(fd, LOCK_EX | LOCK_NB) != 0) {
            const int code = errno;
            ::close(fd);
            if (code == EWOULDBLOCK) {
                m_state = State::HeldElsewhere;
            } else {
                m_state = State::Unavailable;
                m_reason = SystemErrorText(code);
            }
            return;
        }
        // Held; but the name must still lead to this file, or we hold a lock
        // on a file its owner has just removed.
        struct stat now;
        if (::lstat(path.constData(), &now) != 0 || !sameFile(now, opened)) {
            ::close(fd);
            continue;
        }
        // The lock is the flock; what the file says is only for people, so a
        // failed write leaves the lock held all the same.
        const QByteArray owner = ownerText();
        [[maybe_unused]] const bool written =
            ::ftruncate(fd, 0) == 0
            && ::pwrite(fd, owner.constData(), size_t(owner.size()), 0) == owner.size();
        m_fd = fd;
        m_state = State::Held;
        m_tookOver = !created;
        if (m_tookOver)
            std::fprintf(stderr, "telm: took over the lock file %s: no running process held it\n",
                         path.constData());
        return;
    }
    m_state = State::Unavailable;
    m_reason = QStringLiteral("заключващият файл %1 се сменя непрекъснато")
                   .arg(QDir::toNativeSeparators(m_lockPath));
}

DocumentLock::~DocumentLock()
{
    if (m_fd < 0)
        return;
    // Removed while still held, and only if the name still leads to our file.
    const QByteArray path = QFile::encodeName(m_lockPath);
    struct stat named;
    struct stat held;
    if (::lstat(path.constData(), &named) == 0 && ::fstat(m_fd, &held) == 0
        && sameFile(named, held))
        ::unlink(path.constData());
    ::close(m_fd);
}

} // namespace telm::platform
