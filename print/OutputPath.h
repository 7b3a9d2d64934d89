// Where a printed PDF may be written: only an ordinary file is replaced (or a
// new one made), never what it is printed from, a data file, a link, a FIFO, a
// device or a folder.
#pragma once

#include <QString>
#include <QStringList>

#include <optional>

namespace telm {

// Why a PDF must not be written at `path` (Bulgarian, naming it); nothing when
// it may. `inputs` are the files it is printed from.
std::optional<QString> RefusedOutput(const QString& path, const QStringList& inputs = {});

} // namespace telm
