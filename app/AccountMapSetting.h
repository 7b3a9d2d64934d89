// A company's own account map, chosen once in the import dialog and offered
// again for that company: kept in the program's settings under its BULSTAT,
// as the print options are.
#pragma once

#include <QString>

namespace telm {

// The map file remembered for the BULSTAT; empty when none.
QString RememberedAccountMap(const QString& bulstat);

// Remembers the file for the BULSTAT; an empty path forgets it.
void RememberAccountMap(const QString& bulstat, const QString& path);

} // namespace telm
