// Handing a data file over: a copy of its own bytes into a chosen folder,
// under the same file name, written whole or not at all. Only a data file
// that is to be believed (what telmtool verify accepts, with a header) is
// handed over: the receiver would refuse anything else.
#pragma once

#include "platform/UserMessage.h"

#include <QString>

#include <optional>

namespace telm {

// The file name of a path: everything after its last separator ("/"; on
// Windows "\" too), or the whole text when it has none.
QString ExtractFileName(const QString& path);

// A folder and a file name joined by one separator, also at a volume's root.
QString DestinationPath(const QString& folder, const QString& fileName);

// Copies the data file `source` into `folder`, replacing a file of that name
// there. Nothing is written when the source cannot be read, is not a data
// file, fails the integrity check or is ambiguous; a copy onto the file itself
// leaves it as it is. The message says why it was not copied.
std::optional<UserMessage> ExportDataFile(const QString& source, const QString& folder);

// What a copy did, for the user: which file went where, under which name.
UserMessage ExportDoneMessage(const QString& source, const QString& folder);

} // namespace telm
