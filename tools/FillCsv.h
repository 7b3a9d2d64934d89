// The CSV that telmtool fill reads: one "ID;FIELD;AMOUNT" triple a line.
#pragma once

#include "editor/DocumentFill.h"

#include <QByteArray>
#include <QString>
#include <QStringList>

#include <vector>

namespace telm::tool {

// Reads the file's bytes (UTF-8, a byte-order mark allowed; any line ends):
// blank lines are passed over, only a first line naming the three columns is a
// header, and every other line that is not an entry is put in `skipped` as
// "<path>:<line>: <why>". Entries name their line as their origin.
void ReadFillCsv(const QByteArray& bytes, const QString& path, std::vector<FillEntry>& entries,
                 QStringList& skipped);

} // namespace telm::tool
