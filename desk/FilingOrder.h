// The order of a filing's statements and what a filing is expected to hold:
// the balance sheet, the income statement, the cash flow, the equity, then
// the reports, then the liquidation forms.
#pragma once

#include "desk/DeskEntry.h"

#include <QStringList>

#include <vector>

namespace telm {

struct DocType;

// The position of a type in a filing; unknown types after every known one.
int FilingRank(const DocType* type);

// The expected statements missing from a filing holding `present`, by title.
// A filing in liquidation expects the liquidation forms, any other the
// balance sheet, the income statement, a cash flow (by either method) and the
// statement of equity; the reports are never required.
QStringList MissingStatements(const std::vector<const DocType*>& present);

// Gathers the snapshot's files into filings (by BULSTAT, period and kind):
// companies by name, newest period first, real before forecast, statements in
// the filing's order. Files without a header make one filing of their own, last.
void GroupIntoFilings(DeskSnapshot& snapshot);

} // namespace telm
