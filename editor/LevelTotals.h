// Tree navigation and group totals on the grid: rows carry their DocStr_ID in
// column 2 and their parent's in column 3, in depth-first order.
#pragma once

#include <QString>

#include <vector>

namespace telm {

class GridModel;

// The row to climb to from pRow: the nearest row above that is the parent of
// the row directly below it; -1 for a top-level row.
int SearchParent(const GridModel& grid, int pRow);

// The total of pRow's children in `col` (0 when pRow is a manual-entry row).
double SumLevel(const GridModel& grid, int pRow, int col, int manualColumn);

// Brings every ancestor of `row` up to date in `editCol` and then in
// `derivedCol` (-1: none). Manual-entry rows keep their value; the climb goes on.
// The climb visits the row's real ancestors only; rows inside earlier siblings'
// subtrees, where SearchParent may stop, keep their totals untouched.
void UpdateAncestors(GridModel& grid, int row, int editCol, int derivedCol, int manualColumn);

// Every group row that is not manual-entry set to the sum of its children in
// each of `columns`, deepest first: totals made whole after a load.
void RecomputeAllTotals(GridModel& grid, const std::vector<int>& columns, int manualColumn);

// True for rows below a top-level row titled "пасив" or "liabilities" (any case,
// blanks trimmed); false for top-level rows themselves.
bool IsLiabilitiesRow(const GridModel& grid, int row);

// A manual-entry flag cell read as a boolean ("True", "true", "-1", "1" ...).
bool ReadFlag(const QString& text);

// A locked flag cell read as a number; anything not a number counts as 0.
double ReadNumber(const QString& text);

} // namespace telm
