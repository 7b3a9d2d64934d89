// The current result as the trial balance is placed: before the closing
// entries, after them from 123 (with the turnovers or without), 123 beside
// classes 6 and 7, and an account of class 6 kept on the balance sheet. What
// the preview shows of each: the result's cell, the accounts placed, notices.
#include "ledger/StatementAmounts.h"

#include <gtest/gtest.h>

using namespace telm;

namespace {

const char* const kMap = "101 | credit | Bal[610].DocDta_Sum3\n"
                         "503 | debit | Bal[530].DocDta_Sum3\n"
                         "602 | debit | OPR[50].DocDta_Sum1\n"
                         "611 | debit | Bal[360].DocDta_Sum3\n"
                         "702 | credit | OPR[390].DocDta_Sum1\n"
                         "result | result | Bal[750].DocDta_Sum3 | Bal[760].DocDta_Sum3\n";

TrialBalanceRow row(const char* account, qint64 closing, qint64 debitTurnover = 0,
                    qint64 creditTurnover = 0)
{
    TrialBalanceRow r;
    r.account = QString::fromLatin1(account);
    r.closingDebit = closing > 0 ? closing : 0;
    r.closingCredit = closing < 0 ? -closing : 0;
    r.turnoverDebit = debitTurnover;
    r.turnoverCredit = creditTurnover;
    return r;
}

const StatementAmount* cell(const StatementAmounts& amounts, const char* code, int id)
{
    for (const StatementAmount& c : amounts.cells)
        if (c.target.code == QLatin1String(code) && c.target.row == id)
            return &c;
    return nullptr;
}

TEST(StatementAmounts, TheCurrentResultBeforeAndAfterTheClosingEntries)
{
    AccountMap map;
    ASSERT_FALSE(ParseAccountMap(QString::fromLatin1(kMap), QStringLiteral("map"), map));
    const struct
    {
        const char* name;
        bool turnovers; // the full form
        std::vector<TrialBalanceRow> rows;
        qint64 result; // leva; a loss negative
        bool income;   // the income statement's cells are placed
        int notices;
        bool refused;
    } cases[] = {
        {"before",
         false,
         {row("101", -500000), row("503", 520000), row("602", 30000), row("702", -50000)},
         200,
         true,
         0,
         false},
        {"after, closing balances",
         false,
         {row("101", -500000), row("503", 480000), row("123", 20050)},
         -201,
         false,
         1,
         false},
        {"after, turnovers",
         true,
         {row("101", -500000), row("503", 520000), row("602", 0, 30000, 30000),
          row("702", 0, 50000, 50000), row("123", -20000, 30000, 50000)},
         200,
         true,
         0,
         false},
        {"after, 611 keeps its balance",
         true,
         {row("101", -500000), row("503", 440000), row("611", 80000, 80000),
          row("602", 0, 30000, 30000), row("702", 0, 50000, 50000),
          row("123", -20000, 30000, 50000)},
         200,
         true,
         0,
         false},
        {"123 beside 6 and 7",
         false,
         {row("101", -500000), row("503", 530000), row("602", 30000), row("702", -50000),
          row("123", -10000)},
         0,
         false,
         0,
         true},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        TrialBalance tb;
        tb.hasOpening = tb.hasTurnover = c.turnovers;
        tb.rows = c.rows;
        const StatementAmounts amounts = PlaceTrialBalance(tb, map);
        EXPECT_EQ(!amounts.refusal.isEmpty(), c.refused) << amounts.refusal.toStdString();
        if (c.refused) {
            EXPECT_TRUE(amounts.refusal.contains(QStringLiteral("123"))) << c.name;
            continue;
        }
        EXPECT_EQ(amounts.resultLeva, c.result);
        EXPECT_EQ(cell(amounts, "OPR", 50) != nullptr, c.income);
        EXPECT_EQ(amounts.notices.size(), c.notices);
        EXPECT_TRUE(amounts.unplaced.empty());
        // 123 is shown in the preview as going to the result's cell.
        for (const AccountPlacement& placed : amounts.placements)
            if (placed.row.account == QLatin1String("123")) {
                ASSERT_EQ(placed.targets.size(), 1u);
                EXPECT_EQ(placed.targets[0].row, c.result >= 0 ? 750 : 760);
            }
        const StatementAmount* result = cell(amounts, "Bal", c.result >= 0 ? 750 : 760);
        ASSERT_NE(result, nullptr);
        EXPECT_EQ(result->leva, c.result);
    }
}

} // namespace
