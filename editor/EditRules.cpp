#include "editor/EditRules.h"

#include "editor/AmountText.h"
#include "editor/FormProfile.h"
#include "editor/LevelTotals.h"
#include "grid/GridModel.h"

#include <algorithm>

namespace telm {

namespace {

bool contains(const std::vector<int>& columns, int col)
{
    return std::find(columns.begin(), columns.end(), col) != columns.end();
}

// The rule's columns, whatever the row.
bool admits(const ColumnRule& rule, const GridModel& grid, int col)
{
    if (col <= rule.above || col >= grid.Cols() - 1)
        return false;
    if (rule.atMost && col > *rule.atMost)
        return false;
    return !contains(rule.except, col);
}

// The rule's columns on one row: some are closed on the liabilities side.
bool admits(const ColumnRule& rule, const GridModel& grid, int row, int col)
{
    if (!admits(rule, grid, col))
        return false;
    return !(contains(rule.exceptInLiabilities, col) && IsLiabilitiesRow(grid, row));
}

const ColumnRule& deleteColumns(const FormProfile& profile)
{
    return profile.deleteKey.columns ? *profile.deleteKey.columns : profile.typing;
}

bool isAmountColumn(const FormProfile& profile, int col)
{
    return std::any_of(profile.amounts.begin(), profile.amounts.end(),
                       [col](const AmountColumn& a) { return a.column == col; });
}

bool isPreviousYearColumn(const FormProfile& profile, int col)
{
    return std::any_of(profile.previousYear.begin(), profile.previousYear.end(),
                       [col](const CaptionedColumn& c) { return c.column == col; });
}

bool isDataCell(const GridModel& grid, int row, int col)
{
    return row >= grid.FixedRows() && row < grid.Rows() && col >= 0 && col < grid.Cols();
}

bool isLocked(const FormProfile& profile, const GridModel& grid, int row)
{
    return ReadNumber(grid.TextMatrix(row, profile.lockedColumn)) != 0.0;
}

// Group rows show the sum of their children unless marked for manual entry.
bool takesEntries(const FormProfile& profile, const GridModel& grid, int row)
{
    return ReadFlag(grid.TextMatrix(row, profile.manualColumn)) || !grid.hasChildren(row);
}

double cell(const GridModel& grid, int row, int col)
{
    return AmountOrZero(grid.TextMatrix(row, col));
}

} // namespace

bool CanEdit(const FormProfile& profile, const GridModel& grid, int row, int col)
{
    if (!isDataCell(grid, row, col))
        return false;
    if (isPreviousYearColumn(profile, col))
        return false;
    if (isLocked(profile, grid, row))
        return false;
    if (!admits(profile.typing, grid, row, col) || !isAmountColumn(profile, col))
        return false;
    return takesEntries(profile, grid, row);
}

bool CanTypeComparative(const FormProfile& profile, const GridModel& grid, int row, int col)
{
    if (!isDataCell(grid, row, col) || isLocked(profile, grid, row))
        return false;
    const bool carried = std::any_of(
        profile.previousYear.begin(), profile.previousYear.end(),
        [col](const CaptionedColumn& c) { return c.column == col && c.carriedFrom >= 0; });
    return carried && takesEntries(profile, grid, row);
}

bool CanDelete(const FormProfile& profile, const GridModel& grid, int row, int col)
{
    if (!isDataCell(grid, row, col))
        return false;
    if (!admits(deleteColumns(profile), grid, row, col) || !isAmountColumn(profile, col))
        return false;
    if (!takesEntries(profile, grid, row))
        return false;
    return !(profile.deleteKey.refusedOnLockedRows && isLocked(profile, grid, row));
}

bool ColumnAdmitsDelete(const FormProfile& profile, const GridModel& grid, int col)
{
    return col >= 0 && col < grid.Cols() && admits(deleteColumns(profile), grid, col);
}

void RecomputeDerived(const FormProfile& profile, GridModel& grid, int row)
{
    const DerivedColumn& derived = profile.derived;
    if (derived.column < 0 || !isDataCell(grid, row, derived.column))
        return;
    double value = 0.0;
    for (int c : derived.plus)
        value += cell(grid, row, c);
    for (int c : derived.minus)
        value -= cell(grid, row, c);
    grid.setTextMatrix(row, derived.column, FormatNumber(value), CellChange::Kind::Computed);
}

std::optional<QString> BalanceCheckMessage(const FormProfile& profile, const GridModel& grid)
{
    if (!profile.balanceCheck || !BalanceCheckDiffers(profile, grid, profile.balanceCheck->column))
        return std::nullopt;
    return QString::fromUtf16(profile.balanceCheck->message);
}

bool BalanceCheckDiffers(const FormProfile& profile, const GridModel& grid, int column)
{
    if (!profile.balanceCheck)
        return false;
    const auto [firstRow, lastRow] = BalanceCheckRows(profile, grid);
    const auto amount = [&](int row) {
        return row < 0 ? 0.0 : AmountOrZero(grid.TextMatrix(row, column));
    };
    return amount(firstRow) != amount(lastRow);
}

std::pair<int, int> BalanceCheckRows(const FormProfile& profile, const GridModel& grid)
{
    if (!profile.balanceCheck)
        return {-1, -1};
    int first = -1;
    int last = -1;
    const int end = grid.Rows() - 1 - profile.balanceCheck->lastRowsSkipped;
    for (int r = grid.FixedRows(); r <= end; ++r) {
        if (!grid.TextMatrix(r, profile.parentColumn).isEmpty())
            continue;
        if (first < 0)
            first = r;
        else
            last = r;
    }
    return {first, last};
}

} // namespace telm
