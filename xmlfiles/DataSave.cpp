// Atomic save of the shared document: QSaveFile writes a temporary file beside
// the target and renames it over the target only when everything was written.
#include "platform/RegularFile.h"
#include "xmlfiles/Checksum.h"
#include "xmlfiles/DataFile.h"
#include "xmlfiles/XmlDocument.h"

#include <QCryptographicHash>
#include <QDir>
#include <QFileInfo>
#include <QSaveFile>
#include <QTemporaryFile>

#include <cerrno>
#include <cstdio>
#include <unistd.h>

namespace telm {

namespace {

SaveResult failed(const QString& why)
{
    SaveResult result;
    result.error = why;
    return result;
}

} // namespace

QByteArray DataFileBytes(const XmlDocument& xml)
{
    QByteArray bytes("<?xml version=\"1.0\" encoding=\"UTF-8\"?>\n");
    const std::string root = SerializeRootUtf8(xml);
    bytes.append(root.data(), static_cast<qsizetype>(root.size()));
    bytes.append('\n');
    return bytes;
}

SaveResult SaveDataFile(const XmlDocument& xml, const QString& path)
{
    return SaveDataFile(xml, path, {});
}

SaveResult SaveDataFile(const XmlDocument& xml, const QString& path,
                        const std::function<bool()>& beforeCommit)
{
    if (xml.isEmpty())
        return failed(QStringLiteral("Няма данни за запис."));
    return SaveBytes(DataFileBytes(xml), path, beforeCommit);
}

SaveResult SaveBytes(const QByteArray& bytes, const QString& path,
                     const std::function<bool()>& beforeCommit)
{
    // Only an ordinary file is replaced; a link is followed to one. Never a
    // device node, a FIFO or a folder under a document's name.
    if (const QString reason = platform::NotARegularFileReason(path, true); !reason.isEmpty())
        return failed(QStringLiteral("%1: %2").arg(QDir::toNativeSeparators(path), reason));
    QSaveFile file(path);
    if (!file.open(QIODevice::WriteOnly))
        return failed(file.errorString());
    errno = 0;
    if (file.write(bytes) != bytes.size()) {
        // Qt words a full disk "Unknown error"; the system names it.
        const int code = errno;
        const QString message = code != 0 ? platform::SystemErrorText(code) : file.errorString();
        file.cancelWriting();
        return failed(message);
    }
    if (beforeCommit && !beforeCommit()) {
        file.cancelWriting();
        return failed(QStringLiteral("Записът е прекъснат."));
    }
    errno = 0;
    if (!file.commit()) {
        const int code = errno;
        return failed(code != 0 ? platform::SystemErrorText(code) : file.errorString());
    }
    SaveResult saved;
    saved.ok = true;
    saved.digest = BytesDigest(bytes);
    return saved;
}

SaveResult ReplaceNameWithBytes(const QByteArray& bytes, const QString& path)
{
    const QFileInfo target(path);
    if (target.isDir() && !target.isSymLink())
        return failed(QStringLiteral("%1: %2").arg(QDir::toNativeSeparators(path),
                                                   platform::SystemErrorText(EISDIR)));
    QTemporaryFile file(path + QStringLiteral(".XXXXXX"));
    if (!file.open())
        return failed(file.errorString());
    file.setPermissions(QFileDevice::ReadOwner | QFileDevice::WriteOwner | QFileDevice::ReadGroup
                        | QFileDevice::ReadOther);
    errno = 0;
    if (file.write(bytes) != bytes.size() || !file.flush() || ::fsync(file.handle()) != 0) {
        const int code = errno;
        return failed(code != 0 ? platform::SystemErrorText(code) : file.errorString());
    }
    // rename() replaces the name itself, never what a link there points to.
    if (::rename(QFile::encodeName(file.fileName()).constData(),
                 QFile::encodeName(path).constData())
        != 0)
        return failed(platform::SystemErrorText(errno));
    file.setAutoRemove(false);
    SaveResult saved;
    saved.ok = true;
    saved.digest = BytesDigest(bytes);
    return saved;
}

QByteArray BytesDigest(const QByteArray& bytes)
{
    return QCryptographicHash::hash(bytes, QCryptographicHash::Sha256);
}

} // namespace telm
