// The paper layout: from a statement's sheet and the printable page, never
// from a window, where everything goes, in twips. Column widths (each amount
// column as wide as its widest amount or heading word, the title column the
// rest), portrait or landscape by whether the columns fit, the font size, the
// headings and titles wrapped at word boundaries with the rows grown to hold
// them, and the pages: the title block on the first, a running header on the
// others, the header row on every one, a group heading kept with its first two
// rows and the signature block with the last rows. Plain numbers, measured
// through an interface, so it is tested without a printer.
#pragma once

#include "print/PaperSheet.h"

#include <QString>
#include <QStringList>

#include <optional>
#include <vector>

namespace telm {

struct PaperFont
{
    double points = 9;
    bool bold = false;
    bool italic = false;
};

// Text measures in twips.
class PaperMeasure
{
public:
    virtual ~PaperMeasure() = default;
    virtual double width(const QString& text, const PaperFont& font) const = 0;
    virtual double lineHeight(const PaperFont& font) const = 0; // line to line
    virtual double ascent(const PaperFont& font) const = 0;
};

// Fixed measures of the layout, in twips and points.
namespace Paper {
constexpr double kBodyPoints = 9;     // rows, at most; shrinks uniformly to fit
constexpr double kSmallestPoints = 7; // never smaller
constexpr double kTitlePoints = 14;
constexpr double kTitleBlockPoints = 10;
constexpr double kSmallPoints = 8;   // running header, footer, unit line
constexpr double kLeastScale = 0.8;  // text is never set narrower than this
constexpr int kCellPad = 60;         // left and right inside a cell
constexpr int kCellPadY = 30;        // above and below the text
constexpr int kIndent = 180;         // a title per level
constexpr int kRule = 10;            // 0.5 pt
constexpr int kSignatureRule = 3200; // the ruled space to sign on
} // namespace Paper

struct PaperPageInput
{
    int portraitWidth = 0; // printable area of the page in portrait, twips
    int portraitHeight = 0;
    std::optional<bool> landscape; // forced; none: decided by fit
};

// One cell's text laid out: its lines, each drawn from `x` (the line's left).
struct PaperLine
{
    QString text;
    double x = 0;
};

struct LaidRow
{
    int row = -1; // index into the sheet's rows; -1 for the header row
    int height = 0;
    std::vector<std::vector<PaperLine>> cells; // per column, lines top to bottom
};

struct LaidPage
{
    bool titleBlock = false; // first page of the statement: the title block
    int tableTop = 0;        // the header row's top
    int firstRow = 0;        // into LaidOut::rows
    int rowCount = 0;
    std::optional<int> signatureTop;
};

struct LaidOut
{
    bool landscape = false;
    int pageWidth = 0;
    int pageHeight = 0;
    PaperFont body;
    PaperFont header;
    double scale = 1;            // across, amounts only when even 7 points do not fit
    std::vector<int> columnLeft; // per sheet column; the last entry is the right edge
    std::vector<bool> columnShown;
    LaidRow headerRow;
    std::vector<LaidRow> rows;
    std::vector<LaidPage> pages;
    // Heights of the fixed blocks.
    int titleBlockHeight = 0;
    int runningHeaderHeight = 0;
    int footHeight = 0;
    int signatureHeight = 0;

    int tableLeft() const { return columnLeft.front(); }
    int tableRight() const { return columnLeft.back(); }
};

LaidOut LayOutPaper(const PaperSheet& sheet, const PaperPageInput& page,
                    const PaperMeasure& measure);

// `text` broken into lines at most `width` wide, at spaces; a word wider than
// the width alone stands on a line of its own, broken only between letters if
// it must.
QStringList WrapWords(const QString& text, double width, const PaperFont& font,
                      const PaperMeasure& measure);

// The font of a row and of the header row at a body size.
PaperFont RowFont(const PaperRow& row, double points);
PaperFont HeaderFont(double points);

} // namespace telm
