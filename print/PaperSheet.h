// What a printed statement shows, as plain texts: the title block's lines, the
// columns to print with their headings and the rows with their cell texts, all
// already in the form paper shows them (amounts grouped, in the unit chosen).
// Whoever has the document fills it in; the paper layout and the painter read
// only this, never a window or a grid widget.
#pragma once

#include <QString>
#include <QStringList>

#include <vector>

namespace telm {

enum class PaperColumnKind { Title, Code, Amount };

struct PaperColumn
{
    QString heading;
    PaperColumnKind kind = PaperColumnKind::Amount;
};

struct PaperRow
{
    int level = 0;        // 0 for a top-level row; titles are indented by level
    bool heading = false; // a group heading: kept with the rows under it
    bool bold = false;    // totals and sections
    QStringList cells;    // one per column
};

// The title block, the running header and the signature block.
struct SheetTitle
{
    QString typeTitle;  // "Баланс"
    QString company;    // empty on a blank form: a dotted line
    QString bulstat;    // the number alone
    QString periodLine; // "към 31.12.2025 г." or "за периода 01.01.–31.12.2025 г."
    QString unitLine;   // "(в лева)" or "(в хиляди лева)"
    bool forecast = false;
    QString compiledOn; // "Дата на съставяне:" date; empty: a dotted line
    QString compiler;   // names printed under the signature lines; may be empty
    QString manager = {};
    bool blank = false; // a form to be filled in by hand
};

struct PaperSheet
{
    SheetTitle title;
    std::vector<PaperColumn> columns;
    std::vector<PaperRow> rows;
    bool preferLandscape = false; // the form is printed sideways even when it would fit
};

// The printed unit of amounts.
enum class PaperUnit { Leva, Thousands };

// What the user chooses for a print: the unit and the names under the
// signature lines (remembered per company), and whether the form is blank.
struct PaperOptions
{
    PaperUnit unit = PaperUnit::Leva;
    QString compiler = {};
    QString manager = {};
    bool blank = false; // a form to fill in by hand: no amounts, dotted lines
};

// "(в лева)" / "(в хиляди лева)".
QString UnitLine(PaperUnit unit);

// The period as accountants write it: a statement at a date "към 31.12.2025 г.";
// a statement of a period "за периода 01.01.–31.12.2025 г.", ending on the last
// day of the period month. A blank form's period is dotted.
QString PeriodLine(bool atDate, int month, int year);
QString BlankPeriodLine(bool atDate);

// The running header of the pages after the first: company, BULSTAT, type, period.
QString RunningHeader(const SheetTitle& title);

// A statement's place in a filing by its type's code: balance sheet, income
// statement, cash flows, equity, the reports, then the liquidation forms.
int FilingRank(const QString& code);

// The dotted line that stands for a text to be written in by hand.
QString DottedLine(int dots);

} // namespace telm
