#include "editor/EditRules.h"

#include "editor/AmountText.h"
#include "editor/FormProfile.h"
#include "grid/GridModel.h"
#include "editor/LevelTotals.h"

#include <algorithm>

namespace telm {

namespace {

bool admits(const ColumnRule& rule, const GridModel& grid, int col)
{
    if (col <= rule.lowerExclusive || col >= grid.Cols() - 1)
        return false;
    if (rule.upperInclusive >= 0 && col > rule.upperInclusive)
        return false;
    return std::find(rule.excluded.begin(), rule.excluded.end(), col) == rule.excluded.end();
}

bool isAmountColumn(const FormProfile& profile, int col)
{
    return std::any_of(profile.amounts.begin(), profile.amounts.end(),
                       [col](const AmountColumn& a) { return a.column == col; });
}

bool isPreviousYearColumn(const FormProfile& profile, int col)
{
    return col == profile.previousYearColumn
        || std::any_of(profile.previousYear.begin(), profile.previousYear.end(),
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
    if (col == profile.liabilitiesColumn && IsLiabilitiesRow(grid, row))
        return false;
    if (isPreviousYearColumn(profile, col))
        return false;
    if (isLocked(profile, grid, row))
        return false;
    if (!admits(profile.typingRule, grid, col) || !isAmountColumn(profile, col))
        return false;
    return takesEntries(profile, grid, row);
}

bool CanDelete(const FormProfile& profile, const GridModel& grid, int row, int col)
{
    if (!isDataCell(grid, row, col))
        return false;
    if (!admits(profile.deleteRule, grid, col) || !isAmountColumn(profile, col))
        return false;
    if (!takesEntries(profile, grid, row))
        return false;
    return !(profile.deleteOnLocked == DeleteOnLocked::Refused && isLocked(profile, grid, row));
}

bool ColumnAdmitsDelete(const FormProfile& profile, const GridModel& grid, int col)
{
    return col >= 0 && col < grid.Cols() && admits(profile.deleteRule, grid, col);
}

void RecomputeDerived(const FormProfile& profile, GridModel& grid, int row)
{
    if (profile.derived == DerivedRule::None || !isDataCell(grid, row, profile.derivedColumn))
        return;
    double value = 0.0;
    switch (profile.derived) {
    case DerivedRule::None:
        return;
    case DerivedRule::Col5IsCol6PlusCol7:
        value = cell(grid, row, 6) + cell(grid, row, 7);
        break;
    case DerivedRule::Col5IsCol8PlusCol7MinusCol6:
        value = cell(grid, row, 8) + cell(grid, row, 7) - cell(grid, row, 6);
        break;
    case DerivedRule::Col7IsCol5MinusCol6:
        value = cell(grid, row, 5) - cell(grid, row, 6);
        break;
    case DerivedRule::Col14IsSumOf5To13:
        for (int c = 5; c <= 13; ++c)
            value += cell(grid, row, c);
        break;
    }
    grid.setTextMatrix(row, profile.derivedColumn, FormatNumber(value));
}

std::optional<QString> BalanceCheckMessage(const FormProfile& profile, const GridModel& grid)
{
    const BalanceCheck& check = profile.balanceCheck;
    if (!check.enabled)
        return std::nullopt;
    double first = 0.0;
    double last = 0.0;
    bool seenFirst = false;
    const int lastRow = std::min(grid.Rows() - check.rowsFromEnd, grid.Rows() - 1);
    for (int r = grid.FixedRows(); r <= lastRow; ++r) {
        if (!grid.TextMatrix(r, profile.parentColumn).isEmpty())
            continue;
        const double amount = AmountOrZero(grid.TextMatrix(r, check.column));
        if (!seenFirst) {
            first = amount;
            seenFirst = true;
        } else {
            last = amount;
        }
    }
    if (first == last)
        return std::nullopt;
    return QString::fromUtf16(check.message);
}

} // namespace telm
