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

namespace {

// "123", "123.1", "1231": the current year's profit and loss and its analytics.
bool isCurrentResultAccount(const QString& account)
{
    QString digits;
    for (const QChar c : account)
        if (c.isDigit())
            digits += c;
    return digits.startsWith(QLatin1String("123"));
}

bool isResultClass(const QString& account)
{
    return account.startsWith(u'6') || account.startsWith(u'7');
}

// The amount an account brings, debit positive: its closing balance, or for
// classes 6 and 7 after the closing entries their turnover (an expense's
// debit turnover, a revenue's credit turnover).
qint64 amountOf(const TrialBalanceRow& row, bool turnovers)
{
    if (turnovers && isResultClass(row.account))
        return row.account.startsWith(u'6') ? row.turnoverDebit : -row.turnoverCredit;
    return row.closingBalance();
}

// Whether the account is an expense or a revenue of the income statement: of
// classes 6 or 7, and not placed by the map on the result's statement only
// (611's work in progress stays on the balance sheet after the closing
// entries). An account the map does not place counts as one.
bool feedsIncomeStatement(const TrialBalanceRow& row, const AccountMap& map,
                          const AccountLine* result)
{
    if (!isResultClass(row.account))
        return false;
    const AccountLine* line = map.place(row.account);
    if (!line || !result)
        return true;
    return std::any_of(line->targets.begin(), line->targets.end(),
                       [&](const AccountTarget& t) { return t.code != result->targets[0].code; });
}

} // namespace

StatementAmounts PlaceTrialBalance(const TrialBalance& tb, const AccountMap& map)
{
    StatementAmounts out;
    const AccountLine* result = map.result();
    // Before the closing entries classes 6 and 7 hold the period's amounts;
    // after them 123 holds the result and only the turnovers tell the amounts.
    bool resultClassBalances = false, resultClassTurnovers = false;
    qint64 closed = 0;         // 123's balance, debit positive: a loss
    qint64 turnoverResult = 0; // revenue less expenses by the turnovers
    for (const TrialBalanceRow& row : tb.rows) {
        if (isCurrentResultAccount(row.account))
            closed += row.closingBalance();
        if (!feedsIncomeStatement(row, map, result))
            continue;
        resultClassBalances = resultClassBalances || row.closingBalance() != 0;
        const qint64 turnover = -amountOf(row, true);
        resultClassTurnovers = resultClassTurnovers || turnover != 0;
        turnoverResult += turnover;
    }
    if (resultClassBalances && closed != 0) {
        out.refusal =
            QStringLiteral("Сметка 123 „Печалби и загуби от текущата година“ има %1 салдо %2, а "
                           "сметките от групи 6 и 7 също имат салда: текущият резултат не може да "
                           "се определи еднозначно. Ако салдото на 123 е резултатът от миналата "
                           "година, отнесете го по сметки 121 или 122 преди импорта; ако "
                           "ведомостта е след приключването, приключете и всички сметки от групи "
                           "6 и 7.")
                .arg(closed > 0 ? QStringLiteral("дебитно") : QStringLiteral("кредитно"),
                     LedgerAmountText(closed > 0 ? closed : -closed));
        return out;
    }
    const bool afterClosing = !resultClassBalances && (closed != 0 || resultClassTurnovers);
    // After the closing entries the income statement is filled from the
    // turnovers only when they are in the file and explain 123's balance.
    const bool turnovers = afterClosing && tb.hasTurnover && turnoverResult == -closed;
    if (afterClosing && !turnovers)
        out.notices << (tb.hasTurnover
                            ? QStringLiteral("Отчетът за приходите и разходите не е попълнен: "
                                             "оборотите на сметките от групи 6 и 7 дават резултат "
                                             "%1, а салдото на сметка 123 е %2.")
                                  .arg(LedgerAmountText(turnoverResult), LedgerAmountText(-closed))
                            : QStringLiteral("Отчетът за приходите и разходите не е попълнен: "
                                             "ведомостта е след приключването (резултатът е по "
                                             "сметка 123), а в нея няма обороти. Импортирайте "
                                             "ведомост с обороти или отпреди приключването."));

    std::vector<AccountTarget> revenueTargets, expenseTargets;
    std::vector<const TrialBalanceRow*> closedRows;
    for (const TrialBalanceRow& row : tb.rows) {
        if (isCurrentResultAccount(row.account)) {
            if (row.closingBalance() != 0)
                closedRows.push_back(&row);
            continue;
        }
        const qint64 balance = amountOf(row, turnovers && feedsIncomeStatement(row, map, result));
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
        // An account of classes 6 or 7 the map places on the balance sheet
        // (611's work in progress, an asset) is no expense or revenue of the
        // income statement: only the cells of another statement make the result.
        std::vector<AccountTarget>& list =
            row.account.startsWith(u'7') ? revenueTargets : expenseTargets;
        if (isResultClass(row.account))
            for (const AccountTarget& target : t)
                if ((!result || target.code != result->targets[0].code)
                    && std::none_of(list.begin(), list.end(), [&](const AccountTarget& known) {
                           return sameTarget(known, target);
                       }))
                    list.push_back(target);
    }
    for (StatementAmount& cell : out.cells)
        cell.leva = RoundToLeva(cell.stotinki);
    if (afterClosing && !turnovers) {
        out.resultLeva = RoundToLeva(-closed);
    } else {
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
    }
    for (const TrialBalanceRow* row : closedRows) {
        if (result)
            out.placements.push_back(AccountPlacement{
                *row, row->closingBalance(), {result->targets[out.resultLeva >= 0 ? 0 : 1]}});
        else {
            out.unplaced.push_back(*row);
            out.placements.push_back(AccountPlacement{*row, row->closingBalance(), {}});
        }
    }
    if (result) {
        const AccountTarget& target = result->targets[out.resultLeva >= 0 ? 0 : 1];
        StatementAmount& cell = cellOf(out, target, AmountSide::Credit);
        cell.leva += out.resultLeva;
        cell.stotinki += out.resultLeva * 100;
        cell.accounts.append(afterClosing ? QStringLiteral("123") : QStringLiteral("6, 7"));
        balanceRounding(out, target);
    }
    return out;
}

} // namespace telm
