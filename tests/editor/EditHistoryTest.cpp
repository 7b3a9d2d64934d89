// The engine's undo stack, driven without a window as telmtool would drive it:
// every entry, Delete and paste one step that puts back exactly the texts the
// cells held, totals included, and a clean state that is the saved document.
#include "editor/DocumentEngine.h"
#include "selection/Catalogue.h"
#include "selection/DataFileName.h"
#include "selection/DocumentContext.h"
#include "tests/editor/BalanceFixture.h"

#include <QTemporaryDir>

#include <functional>
#include <vector>

#include <gtest/gtest.h>

using namespace telm;
using namespace telm::test;

namespace {

class EditHistoryTest : public ::testing::Test
{
protected:
    void SetUp() override
    {
        ASSERT_TRUE(dir.isValid());
        ASSERT_TRUE(prepareBalance(dir.path(), state, QStringLiteral("Фирма ООД")));
        const DocType& type = *DocTypeAt(0);
        engine = std::make_unique<DocumentEngine>(
            state, DocumentInContext(state, type, 0, TemplatePath(dir.path(), type), false));
        ASSERT_FALSE(engine->load().has_value());
    }

    // Every cell of the grid.
    std::vector<QString> texts() const
    {
        std::vector<QString> all;
        const GridModel& g = engine->grid();
        for (int r = 0; r < g.Rows(); ++r)
            for (int c = 0; c < g.Cols(); ++c)
                all.push_back(g.TextMatrix(r, c));
        return all;
    }

    QTemporaryDir dir;
    AppState state;
    std::unique_ptr<DocumentEngine> engine;
};

} // namespace

TEST_F(EditHistoryTest, EachEditIsOneStepThatPutsBackTheStoredTexts)
{
    struct Edit
    {
        const char* what;
        std::function<bool(DocumentEngine&)> act;
        GridCell edited;
    };
    const Edit edits[] = {
        {"an entry", [](DocumentEngine& e) { return e.commit(kLand, 7, "1234,6"); }, {kLand, 7}},
        {"a second entry below the same total",
         [](DocumentEngine& e) { return e.commit(kBuildings, 7, "(500)"); },
         {kBuildings, 7}},
        {"a paste of three cells over a total it passes by",
         [](DocumentEngine& e) {
             return e.pasteColumn(kReceivables, 7, {"7", "8", "9"}).stored == 3;
         },
         {kReceivables, 7}},
        {"an entry that empties a cell",
         [](DocumentEngine& e) { return e.commit(kLand, 7, "  "); },
         {kLand, 7}},
        {"Delete on the empty cell (undone to empty, not to 0)",
         [](DocumentEngine& e) { return e.deleteCell(kLand, 7); },
         {kLand, 7}},
    };
    std::vector<std::vector<QString>> states{texts()};
    for (const Edit& edit : edits) {
        SCOPED_TRACE(edit.what);
        ASSERT_TRUE(edit.act(*engine));
        states.push_back(texts());
        EXPECT_EQ(engine->undoStack().count(), static_cast<int>(states.size()) - 1);
    }
    EXPECT_NE(engine->grid().TextMatrix(kAssets, 7),
              states.front()[kAssets * engine->grid().Cols() + 7]);

    // Undone one step at a time, through the engine and through the stack itself.
    for (int i = static_cast<int>(std::size(edits)) - 1; i >= 0; --i) {
        SCOPED_TRACE(edits[i].what);
        if (i % 2 == 0) {
            const std::optional<GridCell> cell = engine->undo();
            ASSERT_TRUE(cell);
            EXPECT_EQ(*cell, edits[i].edited);
        } else {
            engine->undoStack().undo();
        }
        EXPECT_EQ(texts(), states[static_cast<std::size_t>(i)]);
    }
    EXPECT_FALSE(engine->undo());
    EXPECT_FALSE(engine->needsSaveQuestion());

    for (std::size_t i = 0; i < std::size(edits); ++i) {
        SCOPED_TRACE(edits[i].what);
        const std::optional<GridCell> cell = engine->redo();
        ASSERT_TRUE(cell);
        EXPECT_EQ(*cell, edits[i].edited);
        EXPECT_EQ(texts(), states[i + 1]);
    }
    EXPECT_FALSE(engine->redo());
}

TEST_F(EditHistoryTest, WhatChangesNothingLeavesNoStep)
{
    EXPECT_FALSE(engine->commit(kLand, 7, QStringLiteral("abc")));
    EXPECT_TRUE(engine->commit(kLand, 7, QStringLiteral(" 0 "))); // the amount it holds
    EXPECT_FALSE(engine->deleteCell(kFixed, 7));
    EXPECT_EQ(engine->pasteColumn(kLand, 7, {QStringLiteral("x")}).stored, 0);
    engine->runConditionalSums();
    EXPECT_EQ(engine->undoStack().count(), 0);
    EXPECT_FALSE(engine->needsSaveQuestion());
}

TEST_F(EditHistoryTest, TheCleanStateIsTheSavedDocument)
{
    ASSERT_TRUE(engine->commit(kLand, 7, QStringLiteral("100")));
    EXPECT_TRUE(engine->needsSaveQuestion());
    engine->undo();
    EXPECT_FALSE(engine->needsSaveQuestion()); // back as opened: closing asks nothing
    engine->redo();
    EXPECT_TRUE(engine->needsSaveQuestion());

    ASSERT_FALSE(engine->writeAndSave().has_value());
    EXPECT_FALSE(engine->needsSaveQuestion());
    ASSERT_TRUE(engine->commit(kBuildings, 7, QStringLiteral("5")));
    EXPECT_TRUE(engine->needsSaveQuestion());
    engine->undo();
    EXPECT_FALSE(engine->needsSaveQuestion()); // back at the save
    engine->undo();
    EXPECT_TRUE(engine->needsSaveQuestion()); // before the save: not what the file holds
    EXPECT_EQ(engine->grid().TextMatrix(kLand, 7), QStringLiteral("0"));
    engine->redo();
    EXPECT_FALSE(engine->needsSaveQuestion());
    EXPECT_TRUE(engine->changed());

    // An edit that bypassed the stack cannot be undone: it waits for a save.
    engine->grid().setTextMatrix(kLand, 7, QStringLiteral("9"), CellChange::Kind::Typed);
    EXPECT_TRUE(engine->needsSaveQuestion());
    EXPECT_FALSE(engine->undo());
}

TEST_F(EditHistoryTest, AReopenedDocumentStartsWithNothingToUndo)
{
    ASSERT_TRUE(engine->commit(kLand, 7, QStringLiteral("100")));
    ASSERT_FALSE(engine->writeAndSave().has_value());
    const QString saved = engine->savedPath();
    engine.reset();

    state.openedDataFilePath = saved;
    state.xml.load(saved);
    const DocType& type = *DocTypeAt(0);
    DocumentEngine reopened(state, DocumentInContext(state, type, 1, saved, false));
    ASSERT_FALSE(reopened.load().has_value());
    EXPECT_EQ(reopened.undoStack().count(), 0);
    EXPECT_FALSE(reopened.needsSaveQuestion());
    ASSERT_TRUE(reopened.commit(kLand, 7, QStringLiteral("250")));
    reopened.undo();
    // The amount as the file held it, in its display form.
    EXPECT_EQ(reopened.grid().TextMatrix(kLand, 7), QStringLiteral("100"));
    EXPECT_EQ(reopened.grid().TextMatrix(kAssets, 7), QStringLiteral("100"));
    EXPECT_FALSE(reopened.needsSaveQuestion());
}
