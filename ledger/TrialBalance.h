// A trial balance ("оборотна ведомост") as a ledger exports it: CSV or
// tab-separated text, UTF-8 or Windows-1251, a header line naming the columns,
// then one account a line with its debit and credit balances. Amounts are kept
// in stotinki until they are placed on the statements' rows.
#pragma once

#include <QByteArray>
#include <QString>
#include <QStringList>

#include <optional>
#include <vector>

namespace telm {

struct TrialBalanceRow
{
    QString account; // as written: "503", "401.1"
    QString name;
    qint64 openingDebit = 0, openingCredit = 0; // stotinki; 0 when not in the file
    qint64 turnoverDebit = 0, turnoverCredit = 0;
    qint64 closingDebit = 0, closingCredit = 0;
    int line = 0;

    qint64 closingBalance() const { return closingDebit - closingCredit; } // debit positive
};

struct TrialBalance
{
    bool hasOpening = false; // the full form: opening, turnover and closing columns
    bool hasTurnover = false;
    std::vector<TrialBalanceRow> rows; // accounts without analytics of their own in the file
    QStringList totals; // synthetic accounts passed over because their analytics are there
};

struct TrialBalanceError
{
    QString message; // Bulgarian: file, line and how to mend it
};

// One amount of a trial balance in stotinki: grouped by threes as the
// amounts' reader takes them ("1 234,56", "1.234,56"), a decimal comma, or a dot
// followed by exactly two digits ("1234.56"); a minus or parentheses make it
// negative; blank is 0. Anything ambiguous ("12.5", "1,234") is refused.
std::optional<qint64> ReadLedgerAmount(const QString& text);

// Stotinki as a message shows them: "1 234,56", "-0,01".
QString LedgerAmountText(qint64 stotinki);

// Reads the file's bytes. Lines whose account is not an account number (digits,
// with dots, hyphens or slashes between: titles, "Общо") are passed over; a synthetic account whose
// analytic accounts are in the file too ("503" beside "503.1" or "5031") is counted once,
// through its analytics ("401.1" and "401.10" are two analytics). Refused, with the file and line:
// no header naming the account and the closing debit and credit columns, an amount that cannot be
// read, and debits and credits that differ.
std::optional<TrialBalanceError> ReadTrialBalance(const QByteArray& bytes, const QString& fileName,
                                                  TrialBalance& out);

// The bytes as text: UTF-8 (a byte-order mark allowed) when they are valid
// UTF-8, else Windows-1251.
QString DecodeLedgerText(const QByteArray& bytes);

// Splits a line of the file at the separator; fields may be quoted with '"'
// (a doubled quote inside is one quote).
QStringList SplitLedgerLine(const QString& line, QChar separator);

} // namespace telm
