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

std::optional<QByteArray> ReadRegularFile(const QString& path, QString& error, qint64 maxBytes)
{
    // Opened without waiting, so that a FIFO does not block; then checked on
    // the descriptor itself.
    const QByteArray name = QFile::encodeName(path);
    const int fd = ::open(name.constData(), O_RDONLY | O_NONBLOCK | O_CLOEXEC);
    if (fd < 0) {
        error = SystemErrorText(errno);
        return std::nullopt;
    }
    struct stat status
    {
    };
    if (::fstat(fd, &status) != 0) {
        error = SystemErrorText(errno);
        ::close(fd);
        return std::nullopt;
    }
    if (S_ISDIR(status.st_mode)) {
        error = QStringLiteral("това е папка, а не файл");
        ::close(fd);
        return std::nullopt;
    }
    if (!S_ISREG(status.st_mode)) {
        error = QStringLiteral("това не е обикновен файл");
        ::close(fd);
        return std::nullopt;
    }
    if (status.st_size > maxBytes) {
        error = QStringLiteral("файлът е по-голям от %1 MiB").arg(maxBytes / (1024 * 1024));
        ::close(fd);
        return std::nullopt;
    }
    QByteArray bytes;
    bytes.resize(static_cast<qsizetype>(status.st_size));
    qsizetype done = 0;
    while (done < bytes.size()) {
        const ssize_t got =
            ::read(fd, bytes.data() + done, static_cast<size_t>(bytes.size() - done));
        if (got < 0 && errno == EINTR)
            continue;
        if (got < 0) {
            error = SystemErrorText(errno);
            ::close(fd);
            return std::nullopt;
        }
        if (got == 0)
            break; // shorter than it said: what is there
        done += got;
    }
    bytes.resize(done);
    ::close(fd);
    return bytes;
}

} // namespace telm::platform
