#include "platform/RegularFile.h"

#include <QFile>
#include <QFileInfo>

#include <cerrno>
#include <cstring>
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

namespace telm::platform {

QString SystemErrorText(int code)
{
    return QString::fromLocal8Bit(std::strerror(code));
}

QString NotARegularFileReason(const QString& path, bool mayBeMissing)
{
    const QFileInfo info(path);
    if (info.isSymLink() && !info.exists())
        return QStringLiteral("връзката сочи към несъществуващ файл");
    if (!info.exists())
        return mayBeMissing ? QString() : QStringLiteral("файлът не съществува");
    if (info.isDir())
        return QStringLiteral("това е папка, а не файл");
    if (!info.isFile())
        return QStringLiteral("това не е обикновен файл");
    return QString();
}

namespace {

// The file opened without waiting, so that a FIFO does not block, and checked
// on the descriptor itself; -1 with the reason when it is not an ordinary file
// of at most `maxBytes` bytes.
int openRegular(const QString& path, QString& error, qint64 maxBytes, qint64& size)
{
    const QByteArray name = QFile::encodeName(path);
    const int fd = ::open(name.constData(), O_RDONLY | O_NONBLOCK | O_CLOEXEC);
    if (fd < 0) {
        error = SystemErrorText(errno);
        return -1;
    }
    struct stat status
    {
    };
    if (::fstat(fd, &status) != 0)
        error = SystemErrorText(errno);
    else if (S_ISDIR(status.st_mode))
        error = QStringLiteral("това е папка, а не файл");
    else if (!S_ISREG(status.st_mode))
        error = QStringLiteral("това не е обикновен файл");
    else if (status.st_size > maxBytes)
        error = QStringLiteral("файлът е по-голям от %1 MiB").arg(maxBytes / (1024 * 1024));
    else {
        size = status.st_size;
        return fd;
    }
    ::close(fd);
    return -1;
}

// Up to `count` bytes from `offset`; shorter when the file is.
std::optional<QByteArray> readAt(int fd, qint64 offset, qint64 count, QString& error)
{
    QByteArray bytes;
    bytes.resize(static_cast<qsizetype>(count));
    qsizetype done = 0;
    while (done < bytes.size()) {
        const ssize_t got = ::pread(fd, bytes.data() + done,
                                    static_cast<size_t>(bytes.size() - done), offset + done);
        if (got < 0 && errno == EINTR)
            continue;
        if (got < 0) {
            error = SystemErrorText(errno);
            return std::nullopt;
        }
        if (got == 0)
            break; // shorter than it said: what is there
        done += got;
    }
    bytes.resize(done);
    return bytes;
}

} // namespace

std::optional<QByteArray> ReadRegularFile(const QString& path, QString& error, qint64 maxBytes)
{
    qint64 size = 0;
    const int fd = openRegular(path, error, maxBytes, size);
    if (fd < 0)
        return std::nullopt;
    std::optional<QByteArray> bytes = readAt(fd, 0, size, error);
    ::close(fd);
    return bytes;
}

std::optional<QByteArray> ReadRegularFileTail(const QString& path, qint64 tailBytes, QString& error,
                                              qint64 maxBytes)
{
    qint64 size = 0;
    const int fd = openRegular(path, error, maxBytes, size);
    if (fd < 0)
        return std::nullopt;
    const qint64 offset = size > tailBytes ? size - tailBytes : 0;
    std::optional<QByteArray> bytes = readAt(fd, offset, size - offset, error);
    ::close(fd);
    return bytes;
}

} // namespace telm::platform
