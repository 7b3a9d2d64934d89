#include "editor/DocumentEngine.h"

#include "editor/AmountText.h"
#include "editor/DocumentFill.h"
#include "selection/Catalogue.h"
#include "selection/DataFileName.h"
#include "selection/DocumentContext.h"
#include "tests/editor/BalanceFixture.h"
#include "tests/support/TestFiles.h"
#include "tests/support/TypedAmounts.h"
#include "xmlfiles/DataFile.h"
#include "xmlfiles/XmlAccess.h"

#include <QDir>
#include <QFile>
#include <QLocale>
#include <QTemporaryDir>

#include <functional>
#include <tuple>
#include <vector>

#include <gtest/gtest.h>

using namespace telm;
using namespace telm::test;

namespace {

class DocumentEngineTest : public ::testing::Test
{
protected:
    void SetUp() override
    {
        ASSERT_TRUE(dir.isValid());
        ASSERT_TRUE(test::prepareBalance(dir.path(), state, QStringLiteral("Фирма & Сие \"ООД\"")));
    }

    // The balance sheet: its template (0) or the data file at the opened path (1).
    OpenedDocument balance(int editType) const
    {
        const DocType& type = *DocTypeAt(0);
        return DocumentInContext(state, type, editType,
                                 editType == 0 ? TemplatePath(dir.path(), type)
                                               : state.openedDataFilePath,
                                 state.hfGrid.Prognosis);
    }

    std::unique_ptr<DocumentEngine> open(int editType)
    {
        auto engine = std::make_unique<DocumentEngine>(state, balance(editType));
        if (editType == 1)
            state.xml.load(state.openedDataFilePath);
        const std::optional<UserMessage> failure = engine->load();
        EXPECT_FALSE(failure.has_value()) << (failure ? failure->text.toStdString() : "");
        return engine;
    }

    QString dataPath() const
    {
        return dir.filePath(QStringLiteral("Data/VELDOR_Bal_123456786_2005_12.xml"));
    }

    QTemporaryDir dir;
    AppState state;
};

} // namespace

TEST_F(DocumentEngineTest, NewDocumentLoadsTheTemplateWithoutMarkingAChange)
{
    auto engine = open(0);
    const GridModel& grid = engine->grid();
    EXPECT_EQ(grid.Rows(), 21);
    EXPECT_EQ(grid.Row(), 1);
    EXPECT_EQ(grid.Col(), 0);
    EXPECT_EQ(state.hfGrid.MaxLevel, 5);
    EXPECT_EQ(engine->header().period, QStringLiteral("12/2005"));
    EXPECT_EQ(engine->header().bulstat, QStringLiteral("123456786"));
    EXPECT_EQ(grid.TextMatrix(kLand, 7), QStringLiteral("0"));
    EXPECT_FALSE(engine->needsSaveQuestion());
    EXPECT_EQ(engine->amountFields(), QStringList({"DocDta_Sum1", "DocDta_Sum2", "DocDta_Sum3"}));
}

TEST_F(DocumentEngineTest, CommitUpdatesDerivedColumnAndEveryAncestor)
{
    auto engine = open(0);
    ASSERT_TRUE(engine->commit(kLand, 7, QStringLiteral("1234")));
    ASSERT_TRUE(engine->commit(kBuildings, 7, QStringLiteral("(1 500)")));
    ASSERT_TRUE(engine->commit(kBuildings, 7, QStringLiteral(" -5 ")));
    ASSERT_TRUE(engine->commit(kMaterials, 7, QStringLiteral("10,6")));
    const GridModel& grid = engine->grid();
    EXPECT_EQ(grid.TextMatrix(kLand, 7), nbsp("1 234"));
    EXPECT_EQ(grid.TextMatrix(kLand, 5), nbsp("1 234"));
    EXPECT_EQ(grid.TextMatrix(kBuildings, 7), QStringLiteral("(5)"));
    EXPECT_EQ(grid.TextMatrix(kMaterials, 7), QStringLiteral("11"));
    EXPECT_EQ(grid.TextMatrix(kFixed, 7), nbsp("1 229"));
    EXPECT_EQ(grid.TextMatrix(kAssets, 7), nbsp("1 240"));
    EXPECT_EQ(grid.TextMatrix(kAssets, 5), nbsp("1 240"));

    EXPECT_FALSE(engine->commit(kLand, 7, QStringLiteral("abc")));
    EXPECT_EQ(grid.TextMatrix(kLand, 7), nbsp("1 234"));
    ASSERT_TRUE(engine->commit(kLand, 7, QStringLiteral("   ")));
    EXPECT_EQ(grid.TextMatrix(kLand, 7), QString());
    EXPECT_EQ(grid.TextMatrix(kFixed, 7), QStringLiteral("(5)"));
}

TEST_F(DocumentEngineTest, EditGateAndDeleteKey)
{
    auto engine = open(0);
    EXPECT_TRUE(engine->canEdit(kLand, 7));
    EXPECT_FALSE(engine->canEdit(kFixed, 7));      // a group adds up its children
    EXPECT_TRUE(engine->canEdit(kReceivables, 7)); // manual-entry group
    EXPECT_FALSE(engine->canEdit(kDeferred, 7));   // locked
    EXPECT_FALSE(engine->canEdit(kCapital, 6));    // adjustment column under ПАСИВ
    EXPECT_TRUE(engine->canEdit(kCapital, 7));
    // No file of last year beside it: the previous year is typed, as the current year.
    EXPECT_TRUE(engine->typedComparatives());
    EXPECT_TRUE(engine->canEdit(kLand, 10));
    EXPECT_FALSE(engine->canEdit(kFixed, 10));
    EXPECT_FALSE(engine->canEdit(kDeferred, 10));
    EXPECT_FALSE(engine->canEdit(kLand, 2));

    ASSERT_TRUE(engine->commit(kLand, 7, QStringLiteral("300")));
    ASSERT_TRUE(engine->deleteCell(kLand, 7));
    EXPECT_EQ(engine->grid().TextMatrix(kLand, 7), QStringLiteral("0"));
    EXPECT_EQ(engine->grid().TextMatrix(kAssets, 7), QStringLiteral("0"));
    EXPECT_FALSE(engine->deleteCell(kFixed, 7));
    // The typed previous year too, but not its totals.
    ASSERT_TRUE(engine->commit(kLand, 10, QStringLiteral("40")));
    ASSERT_TRUE(engine->deleteCell(kLand, 10));
    EXPECT_EQ(engine->grid().TextMatrix(kLand, 10), QStringLiteral("0"));
    EXPECT_EQ(engine->grid().TextMatrix(kAssets, 10), QStringLiteral("0"));
    EXPECT_FALSE(engine->deleteCell(kFixed, 10));
}

// What an undo stack or an accessible table hears of one edit: the user's cell
// with its kind, then every cell that follows from it as computed.
TEST_F(DocumentEngineTest, AListenerHearsTheEditAndWhatFollowsFromIt)
{
    using Kind = CellChange::Kind;
    struct Case
    {
        const char* what;
        std::function<void(DocumentEngine&)> act;
        std::vector<std::tuple<int, int, Kind>> heard;
    };
    const std::vector<std::tuple<int, int, Kind>> totalsOfLand = {{kLand, 5, Kind::Computed},
                                                                  {kFixed, 7, Kind::Computed},
                                                                  {kFixed, 5, Kind::Computed},
                                                                  {kAssets, 7, Kind::Computed},
                                                                  {kAssets, 5, Kind::Computed}};
    const auto after = [&](std::tuple<int, int, Kind> edit) {
        std::vector<std::tuple<int, int, Kind>> all{edit};
        all.insert(all.end(), totalsOfLand.begin(), totalsOfLand.end());
        return all;
    };
    const Case cases[] = {
        {"typed", [](DocumentEngine& e) { e.commit(kLand, 7, "300"); },
         after({kLand, 7, Kind::Typed})},
        {"pasted", [](DocumentEngine& e) { e.pasteColumn(kLand, 7, {"300"}); },
         after({kLand, 7, Kind::Pasted})},
        {"deleted",
         [](DocumentEngine& e) {
             e.grid().setTextMatrix(kLand, 7, "300"); // the program's own, unheard below
             e.deleteCell(kLand, 7);
         },
         {{kLand, 7, Kind::Deleted}}}, // the totals already were what a 0 gives
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.what);
        auto engine = open(0);
        std::vector<std::tuple<int, int, Kind>> undo, accessible;
        engine->grid().addListener({.cellChanged = [&](const CellChange& change) {
            if (change.kind != Kind::Set)
                undo.emplace_back(change.row, change.col, change.kind);
        }});
        engine->grid().addListener({.cellChanged = [&](const CellChange& change) {
            if (change.kind != Kind::Set)
                accessible.emplace_back(change.row, change.col, change.kind);
        }});
        c.act(*engine);
        EXPECT_EQ(undo, c.heard);
        EXPECT_EQ(accessible, c.heard);
    }
}

// Whether closing asks follows from the cells the user's edits changed; the
// totals they bring along, the result rows and loading are not edits.
TEST_F(DocumentEngineTest, TheChangedStateFollowsFromTheEdits)
{
    struct Case
    {
        const char* what;
        std::function<void(DocumentEngine&)> act;
        bool changed;
    };
    const Case cases[] = {
        {"nothing done", [](DocumentEngine&) {}, false},
        {"an amount typed", [](DocumentEngine& e) { e.commit(kLand, 7, "300"); }, true},
        {"the amount the cell holds", [](DocumentEngine& e) { e.commit(kLand, 7, " 0 "); }, false},
        {"a text refused", [](DocumentEngine& e) { e.commit(kLand, 7, "abc"); }, false},
        {"Delete on a 0", [](DocumentEngine& e) { e.deleteCell(kLand, 7); }, false},
        {"Delete refused", [](DocumentEngine& e) { e.deleteCell(kFixed, 7); }, false},
        {"a column pasted",
         [](DocumentEngine& e) {
             e.pasteColumn(kLand, 7, {"5", "6"});
         },
         true},
        {"a paste refused", [](DocumentEngine& e) { e.pasteColumn(kLand, 7, {"x"}); }, false},
        {"result rows summed", [](DocumentEngine& e) { e.runConditionalSums(); }, false},
        {"a total written by the program",
         [](DocumentEngine& e) {
             e.grid().setTextMatrix(kAssets, 7, "9", CellChange::Kind::Computed);
         },
         false},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.what);
        auto engine = open(0);
        c.act(*engine);
        EXPECT_EQ(engine->changed(), c.changed);
        EXPECT_EQ(engine->saved(), !c.changed);
        EXPECT_EQ(engine->needsSaveQuestion(), c.changed);
    }

    // After a save the question waits for the next edit: a Delete that changes a cell.
    auto engine = open(0);
    ASSERT_TRUE(engine->commit(kLand, 7, QStringLiteral("300")));
    ASSERT_FALSE(engine->writeAndSave().has_value());
    EXPECT_FALSE(engine->needsSaveQuestion());
    EXPECT_TRUE(engine->changed());
    ASSERT_TRUE(engine->deleteCell(kLand, 7));
    EXPECT_TRUE(engine->needsSaveQuestion());
}

TEST_F(DocumentEngineTest, SaveReopenCorrectInPlace)
{
    auto engine = open(0);
    ASSERT_TRUE(engine->commit(kLand, 7, QStringLiteral("500")));
    ASSERT_TRUE(engine->commit(kCapital, 7, QStringLiteral("500")));
    EXPECT_FALSE(engine->prepareSave().has_value()); // balanced
    ASSERT_FALSE(engine->writeAndSave().has_value());
    EXPECT_TRUE(engine->saved());
    EXPECT_EQ(state.dataFilePath, dataPath());

    XmlDocument check;
    ASSERT_TRUE(check.load(dataPath()));
    EXPECT_TRUE(VerifyDataHash(check));
    const pugi::xml_node land =
        SelectSingleNode(check.doc(), RowLookupPath(3, QStringLiteral("3")));
    EXPECT_EQ(GetNodeAttribute(land, QStringLiteral("DocDta_Sum3")), QStringLiteral("500"));

    // Correction: the context now says something else; the header stays the file's.
    engine.reset(); // closed before it is opened again
    state.openedDataFilePath = dataPath();
    state.company.Name = QStringLiteral("Друга");
    auto correction = open(1);
    EXPECT_EQ(correction->header().company, QStringLiteral("Фирма & Сие \"ООД\""));
    EXPECT_EQ(correction->grid().TextMatrix(kAssets, 7), QStringLiteral("500"));
    ASSERT_TRUE(correction->commit(kLand, 7, QStringLiteral("700")));
    const std::optional<UserMessage> warning = correction->prepareSave();
    ASSERT_TRUE(warning.has_value());
    EXPECT_EQ(warning->text,
              QStringLiteral("Имате неравнени АКТИВ и ПАСИВ. Коригирайте документа!"));
    ASSERT_FALSE(correction->writeAndSave().has_value());
    ASSERT_TRUE(check.load(dataPath()));
    EXPECT_TRUE(VerifyDataHash(check));
    const pugi::xml_node danni = SelectSingleNode(check.doc(), QStringLiteral("xml/danni"));
    EXPECT_EQ(GetChildText(danni, QStringLiteral("compname")),
              QStringLiteral("Фирма & Сие \"ООД\""));
    EXPECT_EQ(check.root().select_nodes("danni").size(), 1u);
}

TEST_F(DocumentEngineTest, TamperedOrUnreadableFileIsRefused)
{
    auto engine = open(0);
    ASSERT_TRUE(engine->commit(kLand, 7, QStringLiteral("500")));
    ASSERT_FALSE(engine->writeAndSave().has_value());
    QByteArray bytes = test::readAll(dataPath());
    bytes.replace("DocDta_Sum3=\"500\"", "DocDta_Sum3=\"501\"");
    ASSERT_TRUE(test::writeAll(dataPath(), bytes));

    engine.reset(); // closed before it is opened again
    state.openedDataFilePath = dataPath();
    state.xml.load(dataPath());
    DocumentEngine correction(state, balance(1));
    const std::optional<UserMessage> refused = correction.load();
    ASSERT_TRUE(refused.has_value());
    EXPECT_EQ(refused->title, QStringLiteral("Грешка"));
    EXPECT_EQ(refused->text, QStringLiteral("XML файлът е бил променен неоторизирано!"));

    ASSERT_TRUE(test::writeAll(dataPath(), "<xml><rs:data>"));
    state.xml.load(dataPath());
    const std::optional<UserMessage> broken = correction.load();
    ASSERT_TRUE(broken.has_value());
    EXPECT_NE(broken->text, QStringLiteral("XML файлът е бил променен неоторизирано!"));
}

TEST_F(DocumentEngineTest, FailedSaveKeepsTheSavedFlagClearedAndTheOldFile)
{
    auto engine = open(0);
    ASSERT_TRUE(engine->commit(kLand, 7, QStringLiteral("500")));
    ASSERT_FALSE(engine->writeAndSave().has_value());
    const QByteArray before = test::readAll(dataPath());

    engine.reset(); // closed before it is opened again
    state.openedDataFilePath = dataPath();
    auto correction = open(1);
    ASSERT_TRUE(correction->commit(kLand, 7, QStringLiteral("900")));
    // The target turned into a folder: the write cannot replace it.
    QFile::remove(dataPath());
    ASSERT_TRUE(QDir().mkpath(dataPath()));
    ASSERT_TRUE(test::writeAll(dataPath() + QStringLiteral("/keep"), before));
    const std::optional<UserMessage> failure = correction->writeAndSave();
    ASSERT_TRUE(failure.has_value());
    EXPECT_EQ(failure->title, QStringLiteral("Внимание!"));
    EXPECT_FALSE(correction->saved());
    EXPECT_EQ(test::readAll(dataPath() + QStringLiteral("/keep")), before);
}

TEST_F(DocumentEngineTest, FillCommitsThroughTheSameRules)
{
    FillRequest request;
    request.typeCode = QStringLiteral("Bal");
    request.bulstat = QStringLiteral("123456786");
    request.company = QStringLiteral("Фирма");
    request.year = QStringLiteral("2005");
    request.month = QStringLiteral("12");
    request.programFolder = dir.path();
    request.entries = {{"3", "DocDta_Sum3", "1234", "--set 1"},
                       {"12", "DocDta_Sum3", "1234", "--set 2"},
                       {"2", "DocDta_Sum3", "5", "--set 3"},  // group row: refused
                       {"3", "DocStr_ID", "5", "--set 4"},    // not an amount field
                       {"99", "DocDta_Sum3", "5", "--set 5"}, // no such row
                       {"4", "DocDta_Sum3", "x", "--set 6"}}; // not a number
    const FillResult result = RunFill(request);
    ASSERT_EQ(result.status, FillResult::Status::Saved) << result.error.toStdString();
    EXPECT_EQ(result.refused.size(), 4);
    EXPECT_TRUE(result.warnings.isEmpty());
    EXPECT_EQ(result.savedPath, QDir::toNativeSeparators(dataPath()));

    state.openedDataFilePath = dataPath();
    auto reopened = open(1);
    EXPECT_EQ(reopened->grid().TextMatrix(kAssets, 7), nbsp("1 234"));
    EXPECT_EQ(reopened->grid().TextMatrix(kLiabilities, 7), nbsp("1 234"));

    request.year = QStringLiteral("-005");
    EXPECT_EQ(RunFill(request).status, FillResult::Status::BadUsage);
}

TEST_F(DocumentEngineTest, LoadShowsAmountsInDisplayFormAndKeepsEmptyCellsEmpty)
{
    QByteArray bytes = test::readAll(dir.filePath(QStringLiteral("Blanki/testdata_Bal.xml")));
    bytes.replace("DocStr_ID=\"3\" DocStr_ParentID=\"2\" DocStr_Order=\"3\" DocDta_Sum1=\"0\" "
                  "DocDta_Sum2=\"0\" DocDta_Sum3=\"0\"",
                  "DocStr_ID=\"3\" DocStr_ParentID=\"2\" DocStr_Order=\"3\" DocDta_Sum1=\"\" "
                  "DocDta_Sum2=\"0\" DocDta_Sum3=\"-1234\"");
    ASSERT_TRUE(test::writeAll(dir.filePath(QStringLiteral("Blanki/testdata_Bal.xml")), bytes));
    auto engine = open(0);
    EXPECT_EQ(engine->grid().TextMatrix(kLand, 7), nbsp("(1 234)"));
    EXPECT_EQ(engine->grid().TextMatrix(kLand, 5), QString());
    EXPECT_EQ(engine->grid().TextMatrix(kLand, 4), QStringLiteral("3")); // not an amount column
}

TEST_F(DocumentEngineTest, PasteFillsAColumnThroughTheEditGate)
{
    auto engine = open(0);
    const GridModel& grid = engine->grid();
    // Group rows are passed over without using a line; a manual-entry group takes one.
    const DocumentEngine::Paste clean =
        engine->pasteColumn(kLand, 7, {"100", "200\tignored", "300", "400", "500"});
    EXPECT_EQ(clean.stored, 5);
    EXPECT_FALSE(clean.refusedRow);
    EXPECT_EQ(grid.TextMatrix(kLand, 7), QStringLiteral("100"));
    EXPECT_EQ(grid.TextMatrix(kBuildings, 7), QStringLiteral("200"));
    EXPECT_EQ(grid.TextMatrix(kMaterials, 7), QStringLiteral("300"));
    EXPECT_EQ(grid.TextMatrix(kReceivables, 7), QStringLiteral("400"));
    EXPECT_EQ(grid.TextMatrix(kOfClients, 7), QStringLiteral("500"));
    EXPECT_EQ(grid.TextMatrix(kFixed, 7), QStringLiteral("300")); // totals follow
    EXPECT_EQ(grid.TextMatrix(kLand, 5), QStringLiteral("100"));  // so does the derived column
    EXPECT_TRUE(engine->needsSaveQuestion());

    // Into a locked row: passed over, the next line lands below it. An empty line
    // leaves its row alone.
    const DocumentEngine::Paste locked = engine->pasteColumn(kOfClients, 7, {"7", "", "9"});
    EXPECT_EQ(locked.stored, 2);
    EXPECT_EQ(grid.TextMatrix(kOfClients, 7), QStringLiteral("7"));
    EXPECT_EQ(grid.TextMatrix(kDeferred, 7), QStringLiteral("0")); // locked
    EXPECT_EQ(grid.TextMatrix(kCapital, 7), QStringLiteral("0"));  // the empty line's row
    EXPECT_EQ(grid.TextMatrix(kCapital + 1, 7), QStringLiteral("9"));

    // A text that is not a number stops the paste there, keeping what went in.
    const DocumentEngine::Paste stopped = engine->pasteColumn(kLand, 7, {"1", "x", "3"});
    EXPECT_EQ(stopped.stored, 1);
    EXPECT_EQ(stopped.refusedRow, kBuildings);
    EXPECT_EQ(grid.TextMatrix(kLand, 7), QStringLiteral("1"));
    EXPECT_EQ(grid.TextMatrix(kBuildings, 7), QStringLiteral("200"));
    EXPECT_EQ(grid.TextMatrix(kMaterials, 7), QStringLiteral("300"));

    // Nothing goes into a cell that cannot be typed into, such as the derived column.
    EXPECT_EQ(engine->pasteColumn(kLand, 5, {"5", "6"}).stored, 0);
    EXPECT_EQ(grid.TextMatrix(kLand, 5), QStringLiteral("1"));
}

// A pasted column is read as typing reads it, whatever the system locale: the
// same table as telmtool fill's.
TEST_F(DocumentEngineTest, PasteReadsAmountsTheBulgarianWay)
{
    QLocale::setDefault(QLocale(QLocale::English, QLocale::UnitedStates));
    auto engine = open(0);
    const int rows[] = {kLand, kBuildings, kMaterials, kReceivables, kOfClients};
    QStringList accepted;
    for (const test::TypedAmount& typed : test::kTypedAmounts)
        if (typed.stored)
            accepted << QString::fromUtf8(typed.text);
    ASSERT_EQ(accepted.size(), std::size(rows));
    EXPECT_EQ(engine->pasteColumn(kLand, 7, accepted).stored, accepted.size());
    int next = 0;
    for (const test::TypedAmount& typed : test::kTypedAmounts) {
        if (!typed.stored)
            continue;
        EXPECT_EQ(PlainAmount(engine->grid().TextMatrix(rows[next++], 7)),
                  QString::fromUtf8(typed.stored))
            << typed.text;
    }
    for (const test::TypedAmount& typed : test::kTypedAmounts) {
        if (typed.stored)
            continue;
        const DocumentEngine::Paste paste =
            engine->pasteColumn(kLand, 7, {QStringLiteral("7"), QString::fromUtf8(typed.text)});
        EXPECT_EQ(paste.refusedRow, kBuildings) << typed.text;
        EXPECT_TRUE(
            EntryRefusalMessage(paste.refusedText).contains(QString::fromUtf8(typed.message)))
            << typed.text;
        // Nothing is stored for the refused line: the cell keeps what it had.
        EXPECT_EQ(engine->grid().TextMatrix(kBuildings, 7), QStringLiteral("1\u00A0234\u00A0567"))
            << typed.text;
    }
    QLocale::setDefault(QLocale::c());
}

TEST_F(DocumentEngineTest, CopyGivesTheShownCellsOfAColumnAsPlainNumbers)
{
    auto engine = open(0);
    ASSERT_TRUE(engine->commit(kLand, 7, QStringLiteral("(1 234)")));
    engine->grid().setCollapsed(kCurrent, true);
    const QStringList lines = engine->copyColumn(7).split(u'\n');
    // Every shown row, one a line, and a line end after the last.
    EXPECT_EQ(lines.size(), engine->grid().Rows() - 1 - 3 + 1); // three rows under kCurrent
    EXPECT_EQ(lines[kLand - 1], QStringLiteral("-1234"));       // a spreadsheet adds these up
    EXPECT_TRUE(lines.last().isEmpty());
}
