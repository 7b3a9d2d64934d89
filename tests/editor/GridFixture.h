// Small grids for the editor's core tests: rows given as their band and their
// leading cells, bound into a GridModel the way a loaded template is.
#pragma once

#include "grid/GridModel.h"
#include "xmlfiles/Rowset.h"

#include <QString>

#include <map>
#include <vector>

namespace telm::test {

struct FixtureRow
{
    int band;
    QString name;
    QString id;
    QString parent;
    std::map<int, QString> cells = {}; // further cells by column
};

// hasChildren follows from the next row's band, as in a depth-first rowset.
inline Rowset makeRowset(int cols, const std::vector<FixtureRow>& rows)
{
    Rowset rowset;
    for (int c = 0; c < cols; ++c)
        rowset.fields << QStringLiteral("F%1").arg(c);
    rowset.levels = 6;
    for (std::size_t i = 0; i < rows.size(); ++i) {
        RowsetRow row;
        row.band = rows[i].band;
        row.hasChildren = i + 1 < rows.size() && rows[i + 1].band > rows[i].band;
        row.cells.assign(cols, QString());
        row.cells[0] = rows[i].name;
        row.cells[2] = rows[i].id;
        row.cells[3] = rows[i].parent;
        for (const auto& [col, text] : rows[i].cells)
            row.cells[col] = text;
        rowset.rows.push_back(std::move(row));
    }
    return rowset;
}

inline void bindGrid(GridModel& grid, int cols, const std::vector<FixtureRow>& rows)
{
    grid.bind(makeRowset(cols, rows));
}

} // namespace telm::test
