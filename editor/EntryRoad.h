// The keyboard road through a document: the cells that take an amount, in
// the order Enter, Tab and Shift+Tab visit them, and the search for a row by
// its title or code. Only rows that are shown and columns that have a width
// are on the road; totals, computed and locked cells never are.
#pragma once

#include "editor/EditHistory.h"

#include <QString>

#include <optional>

namespace telm {

class DocumentEngine;

// The first cell of the document that takes an amount: where a new or
// reopened document starts.
std::optional<GridCell> FirstEntryCell(const DocumentEngine& engine);

// Enter: the next cell below in the same column that takes an amount. From a
// column that takes none (the titles), the first entry cell of this row or of
// a row below.
std::optional<GridCell> NextEntryCellDown(const DocumentEngine& engine, GridCell from);

// Tab (step +1) and Shift+Tab (step -1): the next cell that takes an amount
// to the right (left) on the row, else on the rows below (above).
std::optional<GridCell> NextEntryCellAcross(const DocumentEngine& engine, GridCell from, int step);

// Ctrl+F and F3: the next row after `afterRow` (wrapping round, `afterRow`
// itself last) whose title holds every word of `words`, in any letter case,
// or whose code (or identifier, as the controls' findings name rows) is
// `words`. Hidden rows under a collapsed group count.
std::optional<int> FindRow(const DocumentEngine& engine, const QString& words, int afterRow);

// Where the cursor goes on a found row: the column it is in when that cell
// takes an amount, else the row's first entry cell, else the column it is in.
GridCell CellOnRow(const DocumentEngine& engine, int row, int col);

} // namespace telm
