// Tree navigation, group totals and the liabilities test on small balance-like
// grids: columns 5 to 7 amounts, 8 the manual-entry flag, 9 the locked flag.
#include "editor/LevelTotals.h"

#include "editor/AmountText.h"
#include "tests/editor/GridFixture.h"

#include <gtest/gtest.h>

using namespace telm;
using telm::test::FixtureRow;

namespace {

constexpr int kCols = 11;
constexpr int kManual = 8;
constexpr int kDerived = 5;
constexpr int kEdit = 7;

FixtureRow row(int band, const char16_t* name, const char* id, const char* parent,
               const char* col5 = "", const char* col7 = "", const char* manual = "False")
{
    return FixtureRow{band,
                      QString::fromUtf16(name),
                      QString::fromLatin1(id),
                      QString::fromLatin1(parent),
                      {{5, QString::fromLatin1(col5)},
                       {7, QString::fromLatin1(col7)},
                       {kManual, QString::fromLatin1(manual)},
                       {9, QStringLiteral("0")}}};
}

// Row numbers as bound (row 0 is the header).
enum : int {
    kAssets = 1, // АКТИВ
    kGroupA,     //   group A
    kSubA1,      //     subgroup A1 (children: the previous sibling of kArticleA2)
    kArticle1000,
    kArticle1001,
    kArticleA2, //     article under group A, after a subgroup with children
    kGroupB,    //   group B, manual entry
    kArticleB1,
    kLiabilities, // ПАСИВ
    kGroupL,
    kArticleL1,
};

std::vector<FixtureRow> balanceRows(const char16_t* liabilitiesTitle = u"ПАСИВ")
{
    return {
        row(0, u"АКТИВ", "1", "", "1369", "1349"),
        row(1, u"Група А", "10", "1", "350", "350"),
        row(2, u"Подгрупа А1", "100", "10", "300", "300"),
        row(3, u"Статия", "1000", "100", "100", "100"),
        row(3, u"Статия", "1001", "100", "200", "200"),
        row(2, u"Статия", "101", "10", "50", "50"),
        row(1, u"Група Б", "20", "1", "1019", "999", "True"),
        row(2, u"Статия", "201", "20", "5", "5"),
        row(0, liabilitiesTitle, "2", "", "7", "7"),
        row(1, u"Група", "21", "2", "7", "7"),
        row(2, u"Статия", "211", "21", "7", "7"),
    };
}

class LevelTotalsTest : public ::testing::Test
{
protected:
    void SetUp() override { test::bindGrid(grid, kCols, balanceRows()); }

    QString text(int r, int c) const { return grid.TextMatrix(r, c); }

    GridModel grid;
};

TEST_F(LevelTotalsTest, SearchParentClimbsThroughThePreviousSiblingsSubtree)
{
    const struct
    {
        int from;
        int expected;
    } cases[] = {
        {kAssets, -1},
        {kGroupA, kAssets},
        {kArticle1000, kSubA1},
        {kArticle1001, kSubA1},
        // The row above, whose child is directly below it.
        {kArticleA2, kSubA1},
        {kSubA1, kGroupA},
        // The parent of the article directly below it.
        {kGroupB, kSubA1},
        {kLiabilities, -1},
        {kArticleL1, kGroupL},
    };
    for (const auto& c : cases)
        EXPECT_EQ(SearchParent(grid, c.from), c.expected) << "row " << c.from;
}

TEST_F(LevelTotalsTest, SumLevelAddsChildrenOnly)
{
    EXPECT_EQ(SumLevel(grid, kSubA1, kEdit, kManual), 300);
    EXPECT_EQ(SumLevel(grid, kGroupA, kEdit, kManual), 350); // 300 + 50, not the articles
    EXPECT_EQ(SumLevel(grid, kAssets, kEdit, kManual), 350 + 999);
    EXPECT_EQ(SumLevel(grid, kArticle1000, kEdit, kManual), 0);
    EXPECT_EQ(SumLevel(grid, kGroupB, kEdit, kManual), 0); // manual entry
}

TEST_F(LevelTotalsTest, ArticleAfterASubgroupUpdatesEveryAncestor)
{
    grid.setTextMatrix(kArticleA2, kEdit, QStringLiteral("1 070"));
    grid.setTextMatrix(kArticleA2, kDerived, QStringLiteral("(20)"));
    UpdateAncestors(grid, kArticleA2, kEdit, kDerived, kManual);

    EXPECT_EQ(text(kSubA1, kEdit), "300"); // passed through, unchanged
    EXPECT_EQ(text(kSubA1, kDerived), "300");
    EXPECT_EQ(text(kGroupA, kEdit), "1\u00A0370");
    EXPECT_EQ(text(kGroupA, kDerived), "280");
    EXPECT_EQ(text(kAssets, kEdit), "2\u00A0369");    // 1 370 + the typed 999 of group B
    EXPECT_EQ(text(kAssets, kDerived), "1\u00A0299"); // 280 + 1 019
    EXPECT_EQ(text(kArticle1000, kEdit), "100");
    EXPECT_EQ(text(kLiabilities, kEdit), "7");

    // The section total equals the sum of its articles (group B counts as typed).
    const double articles =
        AmountOrZero(text(kArticle1000, kEdit)) + AmountOrZero(text(kArticle1001, kEdit))
        + AmountOrZero(text(kArticleA2, kEdit)) + AmountOrZero(text(kGroupB, kEdit));
    EXPECT_EQ(AmountOrZero(text(kAssets, kEdit)), articles);
}

TEST_F(LevelTotalsTest, ManualEntryGroupKeepsItsValueAndCountsAbove)
{
    const QString typedDerived = text(kGroupB, kDerived);
    grid.setTextMatrix(kArticleB1, kEdit, QStringLiteral("40"));
    UpdateAncestors(grid, kArticleB1, kEdit, kDerived, kManual);

    EXPECT_EQ(text(kGroupB, kEdit), "999");
    EXPECT_EQ(text(kGroupB, kDerived), typedDerived);
    EXPECT_EQ(text(kAssets, kEdit), "1\u00A0349"); // 350 + 999
}

TEST_F(LevelTotalsTest, DeepArticleUpdatesTheWholeChain)
{
    grid.setTextMatrix(kArticle1001, kEdit, QStringLiteral("(500)"));
    UpdateAncestors(grid, kArticle1001, kEdit, -1, kManual);

    EXPECT_EQ(text(kSubA1, kEdit), "(400)");
    EXPECT_EQ(text(kGroupA, kEdit), "(350)");
    EXPECT_EQ(text(kAssets, kEdit), "649");
    EXPECT_EQ(text(kSubA1, kDerived), "300"); // no derived column asked for
}

TEST_F(LevelTotalsTest, ClimbThatFindsNoParentLeavesTheHeaderAlone)
{
    // A malformed row whose parent names no row above it.
    test::bindGrid(grid, kCols,
                   {row(0, u"АКТИВ", "1", "", "5", "5"), row(1, u"Статия", "11", "99", "5", "5")});
    grid.setTextMatrix(0, kEdit, QStringLiteral("Текуща година"));
    grid.setTextMatrix(2, kEdit, QStringLiteral("8"));
    UpdateAncestors(grid, 2, kEdit, kDerived, kManual);

    EXPECT_EQ(text(0, kEdit), "Текуща година");
    EXPECT_EQ(SearchParent(grid, 0), -1);
}

TEST(LiabilitiesTest, RowsBelowALiabilitiesSection)
{
    const struct
    {
        const char16_t* title;
        bool liabilities;
    } cases[] = {
        {u"пасив", true},
        {u" Пасив ", true},
        {u"ПАСИВ", true},
        {u"liabilities", true},
        {u"Liabilities ", true},
        {u"ПАСИВИ", false},
        {u"Собствен капитал", false},
    };
    for (const auto& c : cases) {
        GridModel grid;
        test::bindGrid(grid, kCols, balanceRows(c.title));
        const std::string title = QString::fromUtf16(c.title).toStdString();
        EXPECT_EQ(IsLiabilitiesRow(grid, kArticleL1), c.liabilities) << title;
        EXPECT_EQ(IsLiabilitiesRow(grid, kGroupL), c.liabilities) << title;
        EXPECT_FALSE(IsLiabilitiesRow(grid, kLiabilities)) << title; // the section itself
        EXPECT_FALSE(IsLiabilitiesRow(grid, kArticle1000)) << title;
        EXPECT_FALSE(IsLiabilitiesRow(grid, kArticleB1)) << title;
    }
}

TEST(FlagCellsTest, ReadAsBooleanAndNumber)
{
    const struct
    {
        const char* text;
        bool flag;
        double number;
    } cases[] = {
        {"True", true, 0},   {"true", true, 0}, {" TRUE ", true, 0},
        {"False", false, 0}, {"-1", true, -1},  {"1", true, 1},
        {"0", false, 0},     {"", false, 0},    {"x", false, 0},
    };
    for (const auto& c : cases) {
        EXPECT_EQ(ReadFlag(QString::fromLatin1(c.text)), c.flag) << c.text;
        EXPECT_EQ(ReadNumber(QString::fromLatin1(c.text)), c.number) << c.text;
    }
}

} // namespace
