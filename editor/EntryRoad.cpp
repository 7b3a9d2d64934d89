#include "editor/EntryRoad.h"

#include "editor/DocumentEngine.h"

namespace telm {

namespace {

bool onRoad(const DocumentEngine& engine, int row, int col)
{
    const GridModel& g = engine.grid();
    return g.isShown(row) && g.ColWidth(col, 0) > 0 && engine.canEdit(row, col);
}

std::optional<int> firstOnRow(const DocumentEngine& engine, int row, int fromCol, int step)
{
    const GridModel& g = engine.grid();
    for (int c = fromCol; c >= 0 && c < g.Cols(); c += step)
        if (onRoad(engine, row, c))
            return c;
    return std::nullopt;
}

bool columnTakesEntries(const DocumentEngine& engine, int col)
{
    const GridModel& g = engine.grid();
    for (int r = g.FixedRows(); r < g.Rows(); ++r)
        if (engine.canEdit(r, col))
            return true;
    return false;
}

} // namespace

std::optional<GridCell> FirstEntryCell(const DocumentEngine& engine)
{
    return NextEntryCellAcross(engine, {engine.grid().FixedRows(), -1}, +1);
}

std::optional<GridCell> NextEntryCellDown(const DocumentEngine& engine, GridCell from)
{
    const GridModel& g = engine.grid();
    if (!columnTakesEntries(engine, from.col))
        return NextEntryCellAcross(engine, {from.row, -1}, +1);
    for (int r = from.row + 1; r < g.Rows(); ++r)
        if (onRoad(engine, r, from.col))
            return GridCell{r, from.col};
    return std::nullopt;
}

std::optional<GridCell> NextEntryCellAcross(const DocumentEngine& engine, GridCell from, int step)
{
    const GridModel& g = engine.grid();
    if (const std::optional<int> c = firstOnRow(engine, from.row, from.col + step, step))
        return GridCell{from.row, *c};
    for (int r = from.row + step; r >= g.FixedRows() && r < g.Rows(); r += step) {
        if (!g.isShown(r))
            continue;
        if (const std::optional<int> c = firstOnRow(engine, r, step > 0 ? 0 : g.Cols() - 1, step))
            return GridCell{r, *c};
    }
    return std::nullopt;
}

std::optional<int> FindRow(const DocumentEngine& engine, const QString& words, int afterRow)
{
    const QStringList wanted = words.simplified().split(u' ', Qt::SkipEmptyParts);
    if (wanted.isEmpty())
        return std::nullopt;
    const GridModel& g = engine.grid();
    const int codeColumn = engine.profile().codeColumn;
    const int idColumn = engine.profile().idColumn;
    const QString code = words.simplified();
    const int body = g.Rows() - g.FixedRows();
    for (int i = 1; i <= body; ++i) {
        const int r = g.FixedRows() + (afterRow - g.FixedRows() + i) % body;
        const QString title = g.TextMatrix(r, 0);
        bool all = true;
        for (const QString& word : wanted)
            all = all && title.contains(word, Qt::CaseInsensitive);
        if (all || g.TextMatrix(r, codeColumn).trimmed().compare(code, Qt::CaseInsensitive) == 0
            || g.TextMatrix(r, idColumn).trimmed() == code)
            return r;
    }
    return std::nullopt;
}

GridCell CellOnRow(const DocumentEngine& engine, int row, int col)
{
    if (engine.canEdit(row, col))
        return {row, col};
    if (const std::optional<int> c = firstOnRow(engine, row, 0, +1))
        return {row, *c};
    return {row, col};
}

} // namespace telm
