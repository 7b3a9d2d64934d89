// What the controls find in a document, in the form the document form lists
// them: each finding with the rows it compared (by title and code, in which
// statement, with their amounts), so that the user can go to each row.
#pragma once

#include <QString>
#include <QStringList>

#include <optional>
#include <vector>

namespace telm {

// Where a row of a statement is: what a jump to it needs.
struct RowTarget
{
    QString path;    // the statement's data file; empty for the document on screen
    int level = 1;   // 1 = top level
    QString id;      // DocStr_ID
    QString field;   // the amount field, or empty for `column`
    int column = -1; // in the document on screen: the grid's column, when no field names it
};

// One row a control read, as the user sees it.
struct FindingRow
{
    QString document; // the statement's name ("Отчет за приходите и разходите")
    bool here = true; // in the document the findings are for
    QString code;     // the form's code of the row, often empty
    QString title;
    QString column; // the heading of the amount's column ("Текуща година")
    int sign = 1;   // +1 or -1: how the row counts in the comparison
    std::optional<qint64> amount;
    RowTarget target;
};

struct Finding
{
    QString text; // the whole finding in one line: message, amounts, difference
    std::vector<FindingRow> rows;
    std::optional<qint64> difference; // left less right, when both were summed
};

// "Текуща печалба (код 02200)" or the title alone where the form has no code.
QString RowName(const FindingRow& row);

// The row in one line: "Баланс: „Текуща печалба“, колона „Текуща година“".
QString FindingRowText(const FindingRow& row);

// Findings that are only text (a file that could not be compared, a previous
// year that does not balance).
std::vector<Finding> TextFindings(const QStringList& texts);
QStringList FindingTexts(const std::vector<Finding>& findings);

// The message after a save that wrote the file and found something: it says
// first that the document is saved, then what the controls found.
QString SavedWithFindingsText(const std::vector<Finding>& findings);

} // namespace telm
