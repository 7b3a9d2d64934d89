// A handed-over statement as the controls and the receiving side read it: a
// verified data file's header (company, period, type, kind) and its rows with
// their amounts, looked up by row identifier and amount field.
#pragma once

#include "xmlfiles/VerifiedDataFile.h"

#include <QString>
#include <QStringList>

#include <optional>
#include <unordered_map>
#include <vector>

namespace telm {

struct DocType;
struct Rowset;

struct StatementRow
{
    int level = 1; // 1 = top level
    QString id;    // DocStr_ID as written
    QString code;  // the row code of the form, often empty
    QString title;
    QStringList amounts; // one per amount field, then one per previous-year field,
                         // as written: a plain integer or empty
};

struct Statement
{
    QString path;
    const DocType* type = nullptr;
    bool forecast = false;
    QString bulstat;
    QString company;
    QString year;               // as in the period, "2025"
    QString month;              // as in the period, "12" or "3"
    QStringList amountFields;   // DocDta_Sum1 ... in the order of their numbers
    QStringList previousFields; // DocDta_PrevYear, DocDta_PrevSum1 ...: the comparatives
    std::vector<StatementRow> rows;

    // The amount of the row with the identifier in the field: 0 when the cell
    // is empty or the file lacks that amount field (a file from before the
    // form had it); nothing when the row is not in the file or the field is no
    // amount field. The first row of that identifier is taken (identifiers are
    // unique in a form).
    std::optional<qint64> amount(int id, const QString& field) const;

    // Every field of `amounts`: the current year's, then the comparatives.
    QStringList allAmountFields() const { return amountFields + previousFields; }

    // Same company, period and kind.
    bool sameFiling(const Statement& other) const;

    std::unordered_map<int, std::size_t> rowById; // filled by ReadStatement
};

struct StatementFault
{
    std::optional<DataFileFault> file; // the file itself is not to be believed
    QString detail; // otherwise: what is missing or unknown (English, for telmtool)
};

// The rows and amount fields of a loaded rowset, bound by name (identifier,
// code and title in DocStr_ID, DocStr_Code and DocStr_Name, or where the
// forms have them when the file does not name them).
void ReadRows(const Rowset& rowset, Statement& out);

// Reads a verified data file; on failure `out` is left empty.
std::optional<StatementFault> ReadStatement(const QString& path, Statement& out);

// The same in the words telmtool prints: "TAMPERED", "INVALID: reason".
QString StatementFaultText(const StatementFault& fault);

} // namespace telm
