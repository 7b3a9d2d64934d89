// The keyboard road over the cells that take amounts, the search for a row,
// and what a cell that takes no entry says, on the small balance sheet and on
// the shipped statement of equity, laid out as the form lays them out.
#include "editor/EntryRoad.h"

#include "editor/DocumentEngine.h"
#include "editor/FormLayout.h"
#include "selection/Catalogue.h"
#include "selection/DataFileName.h"
#include "selection/DocumentContext.h"
#include "selection/DocumentOpening.h"
#include "tests/editor/BalanceFixture.h"
#include "tests/editor/SavedDocuments.h"
#include "tests/support/TestFiles.h"

#include <QTemporaryDir>

#include <vector>

#include <gtest/gtest.h>

using namespace telm;
using namespace telm::test;

namespace {

constexpr int kEquity = 8;
constexpr int kIncome = 5;

class EntryRoadTest : public ::testing::Test
{
protected:
    void SetUp() override { ASSERT_TRUE(dir.isValid()); }

    // The small balance sheet of the fixture, laid out on a 1000-pixel grid.
    void openBalance()
    {
        ASSERT_TRUE(prepareBalance(dir.path(), state, QStringLiteral("Фирма ООД")));
        const DocType& type = *DocTypeAt(0);
        open(DocumentInContext(state, type, 0, TemplatePath(dir.path(), type), false));
    }

    // A new document of the type at `position` on the shipped templates and conditions.
    void openShipped(int position)
    {
        ASSERT_TRUE(makeProgramFolder(dir.path()));
        state.FilePrefix = QStringLiteral("VELDOR");
        state.programFolder = dir.path();
        state.company = {QStringLiteral("Фирма ООД"), QStringLiteral("123456786")};
        state.period = {QStringLiteral("12"), 2024};
        state.docType.Name = DocTypeAt(position)->titleText();
        const Opening opening = OpenFromChoices(state, *DocTypeAt(position), false);
        ASSERT_TRUE(opening.document);
        open(*opening.document);
    }

    void open(const OpenedDocument& document)
    {
        engine = std::make_unique<DocumentEngine>(state, document);
        ASSERT_FALSE(engine->load().has_value());
        ApplyLoadLayout(engine->profile(), engine->maxLevel(), engine->grid(), 15000);
    }

    // The rows Enter visits in a column from `from`, as identifiers.
    std::vector<int> downFrom(GridCell from)
    {
        std::vector<int> ids;
        for (std::optional<GridCell> c = NextEntryCellDown(*engine, from); c;
             c = NextEntryCellDown(*engine, *c)) {
            EXPECT_EQ(c->col, from.col);
            ids.push_back(engine->grid().TextMatrix(c->row, 2).toInt());
        }
        return ids;
    }

    QTemporaryDir dir;
    AppState state;
    std::unique_ptr<DocumentEngine> engine;
};

} // namespace

TEST_F(EntryRoadTest, TheBalanceSheetRoadPassesTotalsAndLockedRowsBy)
{
    openBalance();
    EXPECT_EQ(FirstEntryCell(*engine), (GridCell{kLand, 7}));
    // Past the groups that add up (2, 5, 10, 11, 20) and the locked row 9; 7
    // is a group that takes its own amount.
    EXPECT_EQ(downFrom({kLand, 7}), (std::vector<int>{4, 6, 7, 8, 12, 13, 21, 22, 23, 24, 25, 26}));
    // From the titles Enter goes to the row's amount, or the next row's.
    EXPECT_EQ(NextEntryCellDown(*engine, {kLand, 0}), (GridCell{kLand, 7}));
    EXPECT_EQ(NextEntryCellDown(*engine, {kFixed, 0}), (GridCell{kLand, 7}));

    // Tab: the current year, the typed previous year, then the next row.
    EXPECT_EQ(NextEntryCellAcross(*engine, {kLand, 7}, +1), (GridCell{kLand, 10}));
    EXPECT_EQ(NextEntryCellAcross(*engine, {kLand, 10}, +1), (GridCell{kBuildings, 7}));
    EXPECT_EQ(NextEntryCellAcross(*engine, {kBuildings, 7}, -1), (GridCell{kLand, 10}));
    EXPECT_EQ(NextEntryCellAcross(*engine, {kLand, 7}, -1), std::nullopt);

    // Rows under a collapsed group are off the road.
    engine->grid().setCollapsed(kFixed, true);
    EXPECT_EQ(FirstEntryCell(*engine), (GridCell{kMaterials, 7}));
}

TEST_F(EntryRoadTest, TheEquityStatementRoadPassesItsComputedRowsAndTotalColumnBy)
{
    openShipped(kEquity);
    const GridModel& g = engine->grid();
    const GridCell first = *FirstEntryCell(*engine);
    EXPECT_EQ(g.TextMatrix(first.row, 2), QStringLiteral("10"));
    EXPECT_EQ(first.col, 5);
    // 20 and 90 add up their lines, 120 too; 170 and 200 are computed and locked.
    EXPECT_EQ(downFrom(first),
              (std::vector<int>{30, 40, 50, 60, 70, 80, 100, 110, 130, 140, 150, 160, 180, 190}));
    // Across the nine columns typed, past "Общо", on to the next row.
    GridCell at = first;
    for (int col = 6; col <= 13; ++col) {
        at = *NextEntryCellAcross(*engine, at, +1);
        EXPECT_EQ(at, (GridCell{first.row, col}));
    }
    at = *NextEntryCellAcross(*engine, at, +1);
    EXPECT_EQ(g.TextMatrix(at.row, 2), QStringLiteral("30"));
    EXPECT_EQ(at.col, 5);
}

TEST_F(EntryRoadTest, FindsARowByWordsOfItsTitleOrItsIdentifier)
{
    openBalance();
    struct Case
    {
        const char* words;
        int after;
        std::optional<int> row;
    };
    const Case cases[] = {
        {"вземания", kAssets, kReceivables},
        {"ЗЕМИ", kAssets, kLand},
        {"  бъдещи   разходи ", kAssets, kDeferred}, // words in any order
        {"активи", kFixed, kCurrent},                // after the row given
        {"активи", 20, kFixed},                      // round from the last row
        {"краткотрайни", kCurrent, kCurrent},        // the row itself comes last
        {"9", kAssets, kDeferred},                   // as the controls name it
        {"пасиви вземания", kAssets, std::nullopt},
        {"  ", kAssets, std::nullopt},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.words);
        EXPECT_EQ(FindRow(*engine, QString::fromUtf8(c.words), c.after), c.row);
    }
    // On the row found the cursor goes to an amount it takes.
    EXPECT_EQ(CellOnRow(*engine, kLand, 0), (GridCell{kLand, 7}));
    EXPECT_EQ(CellOnRow(*engine, kLand, 10), (GridCell{kLand, 10}));
    EXPECT_EQ(CellOnRow(*engine, kFixed, 7), (GridCell{kFixed, 7}));
}

TEST_F(EntryRoadTest, ACellThatTakesNoEntrySaysWhy)
{
    using Computed = DocumentEngine::Computed;
    openShipped(kEquity);
    const GridModel& g = engine->grid();
    struct Case
    {
        int id;
        int col;
        Computed computed;
        const char* why;
    };
    const Case cases[] = {
        {30, 5, Computed::No, ""},
        {20, 5, Computed::GroupTotal, "Сумата се изчислява от редовете под нея"},
        {30, 14, Computed::DerivedColumn, "Сумата се изчислява от другите колони на реда"},
        {170, 7, Computed::ResultRow, "Сумата се изчислява от други редове на документа"},
        {30, 0, Computed::No, "Сумите се въвеждат в колоните със суми"},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.id);
        const int row = rowOf(g, c.id);
        EXPECT_EQ(engine->computed(row, c.col), c.computed);
        EXPECT_EQ(engine->whyNotTyped(row, c.col), QString::fromUtf8(c.why));
    }
}

TEST_F(EntryRoadTest, ALockedRowSaysWhy)
{
    openBalance();
    EXPECT_EQ(engine->computed(kDeferred, 7), DocumentEngine::Computed::LockedRow);
    EXPECT_EQ(engine->whyNotTyped(kDeferred, 7), QStringLiteral("Този ред не се попълва"));
    EXPECT_EQ(engine->computed(kLand, 5), DocumentEngine::Computed::DerivedColumn);
    EXPECT_EQ(engine->computed(kReceivables, 7), DocumentEngine::Computed::No);
}

TEST_F(EntryRoadTest, AResultOfTheSumButtonSaysWhenItIsComputed)
{
    openShipped(kIncome);
    const int row = rowOf(engine->grid(), 240);
    ASSERT_GT(row, 0);
    EXPECT_EQ(engine->computed(row, 5), DocumentEngine::Computed::ResultRow);
    EXPECT_EQ(engine->whyNotTyped(row, 5),
              QStringLiteral("Сумата се изчислява от други редове на документа с бутона "
                             "„Сумиране“ и при запис"));
}
