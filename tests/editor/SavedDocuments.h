// Saved data files opened again as the open-document dialog opens them, and
// their rows found by identifier: what the tests of computed rows and
// comparatives read back.
#pragma once

#include "editor/AmountText.h"
#include "editor/DocumentEngine.h"
#include "grid/GridModel.h"
#include "selection/DocumentContext.h"
#include "selection/DocumentOpening.h"

#include <QString>

#include <memory>

#include <gtest/gtest.h>

namespace telm::test {

// The engine of a saved file opened for correction, loaded; nullptr (and a
// test failure) when it does not open.
inline std::unique_ptr<DocumentEngine> ReopenSaved(AppState& state, const QString& path)
{
    const Opening opening = OpenFromDataFile(state, path);
    EXPECT_TRUE(opening.document);
    if (!opening.document)
        return nullptr;
    auto engine = std::make_unique<DocumentEngine>(state, *opening.document);
    const std::optional<UserMessage> failure = engine->load();
    EXPECT_FALSE(failure) << (failure ? failure->text.toStdString() : "");
    return engine;
}

// The grid row of a template row by its DocStr_ID; -1 when there is none.
inline int rowOf(const GridModel& grid, int id)
{
    for (int row = grid.FixedRows(); row < grid.Rows(); ++row)
        if (grid.TextMatrix(row, 2) == QString::number(id))
            return row;
    return -1;
}

// The amount in a row, found by identifier, and column.
inline double amount(const GridModel& grid, int id, int col)
{
    return AmountOrZero(grid.TextMatrix(rowOf(grid, id), col));
}

} // namespace telm::test
