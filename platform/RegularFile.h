// Reading and replacing documents only where they are ordinary files: never a
// FIFO (which would block for ever), a device (which never ends), a directory
// or a dangling link, and never a file too large to be a statement.
#pragma once

#include <QByteArray>
#include <QString>

#include <optional>

namespace telm::platform {

// The largest document read: real forms are well under 1 MiB, the largest
// benchmark document 27 MB.
constexpr qint64 kMaxDocumentBytes = qint64(64) * 1024 * 1024;

// Why a path cannot be read or written as a document; empty when it can.
// A symbolic link counts as the file it points to.
QString NotARegularFileReason(const QString& path, bool mayBeMissing);

// The whole content of an ordinary file of at most `maxBytes` bytes. The file
// is checked on the open descriptor, so it cannot be swapped in between.
std::optional<QByteArray> ReadRegularFile(const QString& path, QString& error,
                                          qint64 maxBytes = kMaxDocumentBytes);

// The last `tailBytes` bytes of an ordinary file of at most `maxBytes` bytes
// (all of it when it is shorter), checked as ReadRegularFile checks it.
std::optional<QByteArray> ReadRegularFileTail(const QString& path, qint64 tailBytes, QString& error,
                                              qint64 maxBytes = kMaxDocumentBytes);

// The text of the system's last error, as the operating system words it
// ("No space left on device").
QString SystemErrorText(int code);

} // namespace telm::platform
