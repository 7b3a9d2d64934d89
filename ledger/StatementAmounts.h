// A trial balance placed on the statements' rows through the account map: the
// amount of each target cell in whole leva, and the accounts the map does not
// place.
#pragma once

#include "ledger/AccountMap.h"
#include "ledger/TrialBalance.h"

#include <QStringList>

#include <vector>

namespace telm {

// Which side of its statement a cell's amount stands on, as the account's
// balance is read into it: a debit (an asset, an expense), a credit (equity,
// a liability, a revenue), or beside the sides (a "Коректив").
enum class AmountSide {
    Debit,
    Credit,
    Memo,
};

struct StatementAmount
{
    AccountTarget target;
    AmountSide side = AmountSide::Debit;
    qint64 leva = 0;      // rounded half away from zero
    qint64 stotinki = 0;  // as summed, before rounding
    QStringList accounts; // the accounts that feed it, in the order of the file
};

// One account of the trial balance as it was placed: the amount it brings and
// the cells it goes to (none: the map does not place it).
struct AccountPlacement
{
    TrialBalanceRow row;
    qint64 stotinki = 0;                // the amount taken, debit positive
    std::vector<AccountTarget> targets; // the cells it feeds, in the map line's order
};

struct StatementAmounts
{
    std::vector<AccountPlacement> placements; // every account with a balance, in the file's order
    std::vector<StatementAmount> cells;       // in order of first use
    std::vector<TrialBalanceRow> unplaced;    // a balance, but no line of the map
    qint64 resultLeva = 0;                    // revenue less expenses, from the rounded cells
    QStringList notices; // what was not filled and why (the income statement after the closing)
    QString refusal;     // why the trial balance cannot be placed at all; empty when it can
};

// Each account's closing balance goes where its map line says.
//
// The current result. Before the closing entries classes 6 and 7 hold the
// period's expenses and revenue, in either form of the file: their closing
// balances are placed, and the result is the income statement's. After the
// closing entries (no account of classes 6 and 7 has a balance, but those the
// map places on the balance sheet alone, such as 611's work in progress) the result
// is the balance of 123 "Печалби и загуби от текущата година" (a credit
// balance a profit), and the income statement is filled from the turnovers
// (an expense's debit turnover, a revenue's credit turnover) when the file has
// them and they give 123's balance; else it is not filled and a notice says
// why. 123 is always read by this rule, never by a map line. A balance of
// 123 beside balances of classes 6 and 7 (last year's result not yet carried
// to 121 or 122, or closing entries half made) is refused: the current result
// cannot be told.
//
// Rounding. Each cell is
// rounded to whole leva half away from zero; the current result is the rounded
// revenue cells (fed by class 7) less the rounded expense cells (class 6), so
// that it agrees with the income statement's own result, and goes to the map's
// result line (after the closing entries without the turnovers: 123's balance
// rounded). When the rounded debit and credit cells of the result's
// statement (the balance sheet) then differ, the difference is taken up one
// lev at a time by the cells whose rounding moved them furthest the wrong way,
// so that every cell stays within a lev of its exact amount and the sides
// agree. An account with a zero balance is never reported.
StatementAmounts PlaceTrialBalance(const TrialBalance& tb, const AccountMap& map);

// Stotinki to whole leva, halves away from zero.
qint64 RoundToLeva(qint64 stotinki);

} // namespace telm
