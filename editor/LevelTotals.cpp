#include "editor/LevelTotals.h"

#include "editor/AmountText.h"
#include "grid/GridModel.h"

namespace telm {

namespace {

constexpr int kIdColumn = 2;
constexpr int kParentColumn = 3;

bool isDataRow(const GridModel& grid, int row)
{
    return row >= grid.FixedRows() && row < grid.Rows();
}

// The next ancestor on a climb. SearchParent may stop at rows inside earlier
// siblings' subtrees on the way up, and recomputing those changes nothing but
// costs a group sum each: on a large document that is most of the commit. So
// the climb takes the row's real parent (the nearest row of a lower band, rows
// being depth first) when its identifier is the one the row names, and only
// otherwise, in a malformed grid, falls back to SearchParent.
int climb(const GridModel& grid, int row)
{
    const int parent = grid.parentRow(row);
    if (parent >= grid.FixedRows()) {
        const QString named = grid.TextMatrix(row, kParentColumn);
        if (!named.isEmpty() && grid.TextMatrix(parent, kIdColumn) == named)
            return parent;
    }
    return SearchParent(grid, row);
}

} // namespace

int SearchParent(const GridModel& grid, int pRow)
{
    // The header row has no parent; a climb that reaches it (a malformed file
    // whose parent column names no row above) ends there.
    if (!isDataRow(grid, pRow))
        return -1;
    if (grid.TextMatrix(pRow, kParentColumn).isEmpty())
        return -1;
    for (int g = pRow;; --g) {
        if (grid.TextMatrix(g - 1, kIdColumn) == grid.TextMatrix(g, kParentColumn))
            return g - 1;
        if (g <= grid.FixedRows())
            return g - 1;
    }
}

double SumLevel(const GridModel& grid, int pRow, int col, int manualColumn)
{
    if (!isDataRow(grid, pRow) || ReadFlag(grid.TextMatrix(pRow, manualColumn)))
        return 0.0;
    const QString id = grid.TextMatrix(pRow, kIdColumn);
    // Rows are depth first, so every child of pRow lies inside its subtree: the
    // scan ends at the first later row that is not deeper than pRow.
    const int band = grid.band(pRow);
    double total = 0.0;
    for (int r = pRow + 1; r < grid.Rows() && grid.band(r) > band; ++r) {
        if (grid.TextMatrix(r, kParentColumn) == id)
            total += AmountOrZero(grid.TextMatrix(r, col));
    }
    return total;
}

void UpdateAncestors(GridModel& grid, int row, int editCol, int derivedCol, int manualColumn)
{
    for (int p = climb(grid, row); p >= grid.FixedRows(); p = climb(grid, p)) {
        if (ReadFlag(grid.TextMatrix(p, manualColumn)))
            continue;
        grid.setTextMatrix(p, editCol, FormatNumber(SumLevel(grid, p, editCol, manualColumn)),
                           CellChange::Kind::Computed);
        if (derivedCol >= 0 && derivedCol != editCol)
            grid.setTextMatrix(p, derivedCol,
                               FormatNumber(SumLevel(grid, p, derivedCol, manualColumn)),
                               CellChange::Kind::Computed);
    }
}

void RecomputeAllTotals(GridModel& grid, const std::vector<int>& columns, int manualColumn)
{
    // Rows are depth first: going up from the last row, every child is final
    // before its group is summed.
    for (int r = grid.Rows() - 1; r >= grid.FixedRows(); --r) {
        if (!grid.hasChildren(r) || ReadFlag(grid.TextMatrix(r, manualColumn)))
            continue;
        for (int col : columns)
            grid.setTextMatrix(r, col, FormatNumber(SumLevel(grid, r, col, manualColumn)));
    }
}

bool IsLiabilitiesRow(const GridModel& grid, int row)
{
    int top = 0;
    for (int p = climb(grid, row); p >= 0; p = climb(grid, p))
        top = p;
    const QString title = grid.TextMatrix(top, 0).trimmed().toLower();
    return title == u"пасив" || title == u"liabilities";
}

bool ReadFlag(const QString& text)
{
    const QString flag = text.trimmed();
    if (flag.compare(u"true", Qt::CaseInsensitive) == 0)
        return true;
    bool ok = false;
    const double value = flag.toDouble(&ok);
    return ok && value != 0.0;
}

double ReadNumber(const QString& text)
{
    bool ok = false;
    const double value = text.trimmed().toDouble(&ok);
    return ok ? value : 0.0;
}

} // namespace telm
