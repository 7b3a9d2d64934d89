// Result rows from the conditions table, on the income statement (column 5,
// negatives as 0) and the direct cash flow (columns 5 to 7, negatives kept).
#include "editor/ConditionalSums.h"

#include "editor/AmountText.h"
#include "editor/FormProfile.h"
#include "tests/editor/GridFixture.h"

#include <gtest/gtest.h>

using namespace telm;
using telm::test::FixtureRow;

namespace {

constexpr int kCols = 13;

// Rows with identifiers 10, 20, 100, 200 and a group 300 with one child.
enum : int { kRow10 = 1, kRow20, kRow100, kRow200, kRow300, kRow301 };

ConditionEntry entry(const char* target, const char* source, const char* sign)
{
    return ConditionEntry{QStringLiteral("Отчет"), QString::fromLatin1(target),
                          QString::fromLatin1(source), QString::fromLatin1(sign), QString()};
}

class ConditionalSumsTest : public ::testing::Test
{
protected:
    void SetUp() override
    {
        auto row = [](int band, const char* id, const char* parent, const char* c5,
                      const char* c6 = "", const char* c7 = "") {
            return FixtureRow{band,
                              QStringLiteral("Ред"),
                              QString::fromLatin1(id),
                              QString::fromLatin1(parent),
                              {{5, QString::fromLatin1(c5)},
                               {6, QString::fromLatin1(c6)},
                               {7, QString::fromLatin1(c7)},
                               {8, QStringLiteral("False")},
                               {9, QStringLiteral("0")}}};
        };
        test::bindGrid(grid, kCols,
                       {row(0, "10", "", "700", "50", "650"),
                        row(0, "20", "", "200", "300", "(100)"),
                        row(0, "100", "", "42", "42", "42"), row(0, "200", "", "", "", ""),
                        row(0, "300", "", "1"), row(1, "301", "300", "1")});
    }

    QString text(int r, int c) const { return grid.TextMatrix(r, c); }
    void evaluate(FormId form, const ConditionsTable& table)
    {
        EvaluateConditions(ProfileFor(form), grid, table);
    }

    GridModel grid;
};

TEST_F(ConditionalSumsTest, SignedSourcesSumIntoTheTarget)
{
    const struct
    {
        const char* row20;
        const char* expected;
    } cases[] = {
        {"200", "500"}, {"900", "0"}, {"700", "0"}, {"", "700"}, {"(300)", "1 000"},
    };
    for (const auto& c : cases) {
        grid.setTextMatrix(kRow20, 5, QString::fromLatin1(c.row20));
        evaluate(FormId::frmDocOPR, {entry("100", "10", "1"), entry("100", "20", "-1")});
        // Shown grouped with a no-break space.
        EXPECT_EQ(text(kRow100, 5), QString::fromUtf8(c.expected).replace(u' ', QChar(0x00A0)))
            << c.row20;
    }
    EXPECT_EQ(text(kRow100, 6), "42"); // other columns untouched
}

TEST_F(ConditionalSumsTest, DirectCashFlowSumsThreeColumnsAndKeepsNegatives)
{
    grid.setTextMatrix(kRow20, 5, QStringLiteral("900"));
    evaluate(FormId::frmDocOPPCur, {entry("100", "10", "1"), entry("100", "20", "-1")});
    EXPECT_EQ(text(kRow100, 5), "(200)");
    EXPECT_EQ(text(kRow100, 6), "(250)");
    EXPECT_EQ(text(kRow100, 7), "750");
}

TEST_F(ConditionalSumsTest, RunningTwiceGivesTheSameResult)
{
    const ConditionsTable table{entry("100", "10", "1"), entry("100", "20", "-1"),
                                entry("200", "100", "1"), entry("200", "10", "1")};
    evaluate(FormId::frmDocOPR, table);
    const QString once100 = text(kRow100, 5);
    const QString once200 = text(kRow200, 5);
    evaluate(FormId::frmDocOPR, table);
    EXPECT_EQ(text(kRow100, 5), once100);
    EXPECT_EQ(text(kRow200, 5), once200);
}

TEST_F(ConditionalSumsTest, LaterGroupReadsAnEarlierResult)
{
    evaluate(FormId::frmDocOPR, {entry("100", "10", "1"), entry("200", "100", "1")});
    EXPECT_EQ(text(kRow100, 5), "700");
    EXPECT_EQ(text(kRow200, 5), "700");
}

TEST_F(ConditionalSumsTest, IdentifiersCompareAsNumbers)
{
    evaluate(FormId::frmDocOPR, {entry("100", " 10", "1"), entry("100.0", "20", "1")});
    EXPECT_EQ(text(kRow100, 5), "900");
}

TEST_F(ConditionalSumsTest, SeparateRunsOfOneTargetLastOneWins)
{
    evaluate(FormId::frmDocOPR,
             {entry("100", "10", "1"), entry("200", "20", "1"), entry("100", "20", "1")});
    EXPECT_EQ(text(kRow100, 5), "200");
}

TEST_F(ConditionalSumsTest, MissingRowsAndUnreadableSigns)
{
    const QString before200 = text(kRow200, 5);
    evaluate(FormId::frmDocOPR,
             {entry("100", "999", "1"), entry("100", "10", "x"), entry("777", "10", "1")});
    EXPECT_EQ(text(kRow100, 5), "0"); // nothing matched or counted
    EXPECT_EQ(text(kRow200, 5), before200);
}

TEST_F(ConditionalSumsTest, NoEntriesChangesNothingButExpandsEveryBand)
{
    grid.setCollapsed(kRow300, true);
    evaluate(FormId::frmDocOPR, {});
    EXPECT_TRUE(grid.isShown(kRow301));
    EXPECT_EQ(text(kRow100, 5), "42");
    EXPECT_EQ(text(kRow200, 5), "");
}

} // namespace
