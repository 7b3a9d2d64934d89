// The account map: a table, read from Blanki/Accounts.txt beside the
// templates (or a company's own file over it), that places each account of the
// National Chart of Accounts, or each account prefix, on the statement row and
// amount field its balance feeds.
//
// One account a line: `account | rule | target [| target]`, where a target is
// `Code[id].Field` (a document type's code, a row identifier, an amount field)
// and the rule says how the closing balance is taken:
//   debit   the debit balance (debit - credit) into the target;
//   credit  the credit balance (credit - debit) into the target;
//   side    a debit balance into the first target, a credit balance into the
//           second (settlement accounts: receivable or liability);
//   contra  a credit balance taken from the first target and added to the
//           second (depreciation: the asset's net amount and its "Коректив").
// The line `result | result | profit | loss` names where the current result of
// classes 6 and 7 goes: a profit into the first target, a loss typed negative
// into the second. `#` starts a comment line.
#pragma once

#include <QString>

#include <optional>
#include <vector>

namespace telm {

struct AccountTarget
{
    QString code;  // "Bal", "OPR" ...: the type's code, never the forecast code
    int row = 0;   // DocStr_ID
    QString field; // "DocDta_Sum3" ...
};

enum class AccountRule {
    Debit,
    Credit,
    Side,
    Contra,
    Result,
};

struct AccountLine
{
    QString account; // digits: an account or a prefix ("241", "60"); "result"
    AccountRule rule = AccountRule::Debit;
    std::vector<AccountTarget> targets; // one for debit and credit, two otherwise
    int line = 0;
};

struct AccountMap
{
    std::vector<AccountLine> lines;

    // The line that places the account: the longest prefix of it the map
    // names ("2411" by "241" unless "2411" is there); nothing when none does.
    // Separators of analytic accounts ("401.1", "401-1") are passed over.
    const AccountLine* place(const QString& account) const;
    // The `result` line, if the map has one.
    const AccountLine* result() const;
    // Each line of `other` replaces the line of the same account, or is added.
    void overrideWith(const AccountMap& other);
};

struct AccountMapError
{
    QString message; // file, line and what is wrong
};

// Parses the map; an error names the first bad line. Codes are checked against
// the catalogue, each account is named once.
std::optional<AccountMapError> ParseAccountMap(const QString& text, const QString& fileName,
                                               AccountMap& out);

// Reads and parses the file (an ordinary file, UTF-8).
std::optional<AccountMapError> LoadAccountMap(const QString& path, AccountMap& out);

// Blanki/Accounts.txt under the program folder.
QString AccountMapPath(const QString& programFolder);

} // namespace telm
