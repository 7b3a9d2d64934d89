#include "ledger/StatementAmounts.h"

#include <algorithm>

namespace telm {

namespace {

bool sameTarget(const AccountTarget& a, const AccountTarget& b)
{
    return a.code == b.code && a.row == b.row && a.field == b.field;
}

StatementAmount& cellOf(StatementAmounts& out, const AccountTarget& target)
{
    const auto found =
        std::find_if(out.cells.begin(), out.cells.end(),
                     [&](const StatementAmount& c) { return sameTarget(c.target, target); });
    if (found != out.cells.end())
        return *found;
    out.cells.push_back(StatementAmount{target, 0, 0, {}});
    return out.cells.back();
}

void add(StatementAmounts& out, const AccountTarget& target, qint64 stotinki,
         const QString& account)
{
    StatementAmount& cell = cellOf(out, target);
    cell.stotinki += stotinki;
    if (!cell.accounts.contains(account))
        cell.accounts.append(account);
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
    for (const TrialBalanceRow& row : tb.rows) {
        const qint64 balance = row.closingBalance();
        if (balance == 0)
            continue;
        const AccountLine* line = map.place(row.account);
        if (!line) {
            out.unplaced.push_back(row);
            continue;
        }
        const std::vector<AccountTarget>& t = line->targets;
        switch (line->rule) {
        case AccountRule::Debit: add(out, t[0], balance, row.account); break;
        case AccountRule::Credit: add(out, t[0], -balance, row.account); break;
        case AccountRule::Side:
            add(out, balance > 0 ? t[0] : t[1], balance > 0 ? balance : -balance, row.account);
            break;
        case AccountRule::Contra:
            add(out, t[0], balance, row.account);
            add(out, t[1], -balance, row.account);
            break;
        case AccountRule::Result: break;
        }
        const QChar accountClass = row.account.at(0);
        std::vector<AccountTarget>& list =
            accountClass == QLatin1Char('7') ? revenueTargets : expenseTargets;
        if (accountClass == QLatin1Char('6') || accountClass == QLatin1Char('7'))
            for (const AccountTarget& target : t)
                if (std::none_of(list.begin(), list.end(), [&](const AccountTarget& known) {
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
        StatementAmount& cell = cellOf(out, target);
        cell.leva += out.resultLeva;
        cell.stotinki += out.resultLeva * 100;
        cell.accounts.append(QStringLiteral("6, 7"));
    }
    return out;
}

} // namespace telm
