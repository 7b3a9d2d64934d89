// A data file's header read from the end of the file, where the writer puts
// it, without reading or parsing the rows: what the desk lists before (and
// whether or not) the file verifies.
#pragma once

#include "xmlfiles/DataHeader.h"

#include <QString>

#include <optional>

namespace telm {

// The last header in `bytes` (a file's end, or all of it); nothing when there is
// no well-formed header naming a document.
std::optional<StoredHeader> HeaderInBytes(const QByteArray& bytes);

// The header of the data file at `path` of `size` bytes; nothing when the file
// cannot be read or holds no well-formed header.
std::optional<StoredHeader> ReadHeaderTail(const QString& path, qint64 size);

} // namespace telm
