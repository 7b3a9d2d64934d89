// The edit gate, the Delete-key rule, the derived column and the balance check,
// each driven by the form profile.
#pragma once

#include <QString>

#include <optional>
#include <utility>

namespace telm {

class GridModel;
struct FormProfile;

// Typing, F2 and double click: may the cell be opened for editing?
// Only amount columns are ever admitted, whatever the column rule says, so no
// entry can change an identifier, parent, flag or hidden column.
bool CanEdit(const FormProfile& profile, const GridModel& grid, int row, int col);

// A previous-year cell typed where there is no file of last year: a column
// carried from the current year, on a row that takes entries and is not locked.
bool CanTypeComparative(const FormProfile& profile, const GridModel& grid, int row, int col);

// May the Delete key (or the keypad decimal key) set the cell to 0?
bool CanDelete(const FormProfile& profile, const GridModel& grid, int row, int col);

// Does the column admit the grid's Enter move (the Delete-key column rule)?
bool ColumnAdmitsDelete(const FormProfile& profile, const GridModel& grid, int col);

// Recomputes the row's derived column from its amounts (nothing when the form has none).
void RecomputeDerived(const FormProfile& profile, GridModel& grid, int row);

// The message of a failed balance check, or nothing when the totals agree or the
// form has no check.
std::optional<QString> BalanceCheckMessage(const FormProfile& profile, const GridModel& grid);

// Whether the rows the balance check compares differ in `column`.
bool BalanceCheckDiffers(const FormProfile& profile, const GridModel& grid, int column);
// The two rows the balance check compares: the first and the last top-level
// row it looks at; -1 for a row that is not there.
std::pair<int, int> BalanceCheckRows(const FormProfile& profile, const GridModel& grid);

} // namespace telm
