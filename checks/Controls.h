// The consistency controls: a table, read from Blanki/Checks.txt beside the
// templates, of comparisons between amounts of one statement or of the
// statements one company hands over for one period.
//
// One control per line: `name | left op right | message`, where each side is
// a signed sum of terms `Code[id].Field` (a document type's file-name code, a
// row identifier, an amount field such as DocDta_Sum3 or DocDta_PrevYear) and
// op is `=` or `<=`. The field `*` compares column by column over every
// current-year amount field of one statement; the row `*` compares row by row
// over every row the statements share. `Code@-1` is the same company's
// statement of that type for the same month a year earlier. A side may be `0`
// alone. `#` starts a comment line.
#pragma once

#include <QString>

#include <optional>
#include <vector>

namespace telm {

struct ControlTerm
{
    int sign = 1;          // +1 or -1
    QString code;          // "Bal", "Cap" ...: the type's code, never the forecast code
    int row = 0;           // DocStr_ID, unless every row
    QString field;         // "DocDta_Sum3", or "*" for each amount field
    int yearsBack = 0;     // 1: last year's statement (`Bal@-1`)
    bool everyRow = false; // `[*]`: row by row

    bool sameStatement(const ControlTerm& other) const
    {
        return code == other.code && yearsBack == other.yearsBack;
    }
};

enum class ControlOp {
    Equal,      // =
    NotGreater, // <=
};

struct Control
{
    QString name;
    std::vector<ControlTerm> left;
    ControlOp op = ControlOp::Equal;
    std::vector<ControlTerm> right;
    QString message; // Bulgarian: what does not agree, naming the rows
    int line = 0;

    // The distinct codes the control reads, in order of first use (a code
    // read for this year and last year once).
    std::vector<QString> codes() const;
    // The distinct statements it reads: one term of each, in order of first use.
    std::vector<ControlTerm> statements() const;
    bool columnByColumn() const; // the terms' field is "*"
    bool rowByRow() const;       // the terms' row is "*"
    bool readsLastYear() const;  // a term reads `Code@-1`
};

using ControlTable = std::vector<Control>;

struct ControlsError
{
    QString message; // file, line and what is wrong
};

// Parses the table; an error names the first bad line. Codes are checked
// against the catalogue; a column-by-column control must read one statement
// with `*` in every term, a row-by-row control `[*]` in every term and named
// fields.
std::optional<ControlsError> ParseControls(const QString& text, const QString& fileName,
                                           ControlTable& out);

// Reads and parses the file (an ordinary file, UTF-8).
std::optional<ControlsError> LoadControls(const QString& path, ControlTable& out);

// Blanki/Checks.txt under the program folder.
QString ControlsPath(const QString& programFolder);

} // namespace telm
