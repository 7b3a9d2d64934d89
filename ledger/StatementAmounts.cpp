#include "ledger/StatementAmounts.h"

#include <algorithm>

namespace telm {

namespace {

bool sameTarget(const AccountTarget& a, const AccountTarget& b)
{
    return a.code == b.code && a.row == b.row && a.field == b.field;
}

StatementAmount& cellOf(StatementAmounts& out, const AccountTarget& target, AmountSide side)
{
    const auto found =
        std::find_if(out.cells.begin(), out.cells.end(),
                     [&](const StatementAmount& c) { return sameTarget(c.target, target); });
    if (found != out.cells.end())
        return *found;
    out.cells.push_back(StatementAmount{target, side, 0, 0, {}});
    return out.cells.back();
}

void add(StatementAmounts& out, const AccountTarget& target, AmountSide side, qint64 stotinki,
         const QString& account)
{
    StatementAmount& cell = cellOf(out, target, side);
    cell.stotinki += stotinki;
    if (!cell.accounts.contains(account))
        cell.accounts.append(account);
}

// The rounded debit and credit cells of the result's statement made to agree:
// each lev of difference moves the cell whose rounding pushed it furthest the
// wrong way back by one (the result itself stays, to agree with the income
// statement).
void balanceRounding(StatementAmounts& out, const AccountTarget& result)
{
    qint64 difference = 0; // debit less credit, in leva
    for (const StatementAmount& cell : out.cells)
        if (cell.target.code == result.code && cell.side != AmountSide::Memo)
            difference += cell.side == AmountSide::Debit ? cell.leva : -cell.leva;
    while (difference != 0) {
        // A debit cell rounded up, or a credit cell rounded down, when the
        // debits are more; the other way round when they are less.
        StatementAmount* best = nullptr;
        qint64 bestPush = 0;
        for (StatementAmount& cell : out.cells) {
            if (cell.target.code != result.code || cell.side == AmountSide::Memo
                || sameTarget(cell.target, result))
                continue;
            const qint64 push = (cell.leva * 100 - cell.stotinki)
                                * (cell.side == AmountSide::Debit ? 1 : -1)
                                * (difference > 0 ? 1 : -1);
            if (push > bestPush) {
                best = &cell;
                bestPush = push;
            }
        }
        if (!best)
            return; // nothing rounded the wrong way: the balance check will say so
        const qint64 step = (difference > 0 ? -1 : 1) * (best->side == AmountSide::Debit ? 1 : -1);
        best->leva += step;
        difference += best->side == AmountSide::Debit ? step : -step;
    }
}

} // namespace

qint64 RoundToLeva(qint64 stotinki)
{
    return stotinki >= 0 ? (stotinki + 50) / 100 : -((-stotinki + 50) / 100);
}

StatementAmounts PlaceTrialBalance(const TrialBalance& tb, const AccountMap& map)
{
    StatementAmounts out;
    std::vector<AccountTarget> revenueTargets, expenseTargets;
    // A class 6 or 7 account placed on the result's own statement (costs by
    // function left as work in progress, income received ahead) is a balance
    // there, not a part of the period's result.
    const AccountLine* resultLine = map.result();
    const auto countsInResult = [&](const AccountTarget& target) {
        return !resultLine || target.code != resultLine->targets[0].code;
    };
    for (const TrialBalanceRow& row : tb.rows) {
        const qint64 balance = row.closingBalance();
        if (balance == 0)
            continue;
        const AccountLine* line = map.place(row.account);
        if (!line) {
            out.unplaced.push_back(row);
            out.placements.push_back(AccountPlacement{row, balance, {}});
            continue;
        }
        const std::vector<AccountTarget>& t = line->targets;
        out.placements.push_back(AccountPlacement{
            row, balance,
            line->rule == AccountRule::Side ? std::vector<AccountTarget>{t[balance > 0 ? 0 : 1]}
                                            : t});
        switch (line->rule) {
        case AccountRule::Debit: add(out, t[0], AmountSide::Debit, balance, row.account); break;
        case AccountRule::Credit: add(out, t[0], AmountSide::Credit, -balance, row.account); break;
        case AccountRule::Side:
            if (balance > 0)
                add(out, t[0], AmountSide::Debit, balance, row.account);
            else
                add(out, t[1], AmountSide::Credit, -balance, row.account);
            break;
        case AccountRule::Contra:
            add(out, t[0], AmountSide::Debit, balance, row.account);
            add(out, t[1], AmountSide::Memo, -balance, row.account);
            break;
        case AccountRule::Result: break;
        }
        const QChar accountClass = row.account.at(0);
        std::vector<AccountTarget>& list =
            accountClass == QLatin1Char('7') ? revenueTargets : expenseTargets;
        if (accountClass == QLatin1Char('6') || accountClass == QLatin1Char('7'))
            for (const AccountTarget& target : t)
                if (countsInResult(target)
                    && std::none_of(list.begin(), list.end(), [&](const AccountTarget& known) {
                           return sameTarget(known, target);
                       }))
                    list.push_back(target);
    }
    for (StatementAmount& cell : out.cells)
        cell.leva = RoundToLeva(cell.stotinki);
    for (const StatementAmount& cell : out.cells) {
        const auto in = [&](const std::vector<AccountTarget>& list) {
            return std::any_of(list.begin(), list.end(), [&](const AccountTarget& target) {
                return sameTarget(target, cell.target);
            });
        };
        if (in(revenueTargets))
            out.resultLeva += cell.leva;
        else if (in(expenseTargets))
            out.resultLeva -= cell.leva;
    }
    if (const AccountLine* result = map.result()) {
        const AccountTarget& target = result->targets[out.resultLeva >= 0 ? 0 : 1];
        StatementAmount& cell = cellOf(out, target, AmountSide::Credit);
        cell.leva += out.resultLeva;
        cell.stotinki += out.resultLeva * 100;
        cell.accounts.append(QStringLiteral("6, 7"));
        balanceRounding(out, target);
    }
    return out;
}

} // namespace telm
