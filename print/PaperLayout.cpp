#include "print/PaperLayout.h"

#include <algorithm>
#include <cmath>

namespace telm {

namespace {

int up(double twips)
{
    return static_cast<int>(std::ceil(twips - 1e-6));
}

// The widest any word of `text` needs.
double widestWord(const QString& text, const PaperFont& font, const PaperMeasure& measure)
{
    double widest = 0;
    for (const QString& word : text.split(u' ', Qt::SkipEmptyParts))
        widest = std::max(widest, measure.width(word, font));
    return widest;
}

// An amount's width up to its last digit: a negative's closing parenthesis
// hangs into the cell's margin, so that digits line up.
QString withoutClosing(const QString& text)
{
    return text.endsWith(u')') ? text.chopped(1) : text;
}

struct Widths
{
    std::vector<int> columns; // per sheet column; 0 for one left out
    double scale = 1;
    bool fits = false;
};

class Layout
{
public:
    Layout(const PaperSheet& sheet, const PaperPageInput& page, const PaperMeasure& measure)
        : m_sheet(sheet), m_page(page), m_measure(measure)
    {
    }

    LaidOut run();

private:
    Widths widthsAt(double points, int pageWidth) const;
    void layRows(LaidOut& out) const;
    std::vector<PaperLine> linesOf(const QString& text, const PaperFont& font, int left, int width,
                                   Qt::Alignment align, double scale) const;
    void paginate(LaidOut& out) const;
    double closingWidth(const PaperFont& font) const
    {
        return m_measure.width(QStringLiteral(")"), font);
    }
    int keepNeed(const LaidOut& out, int i, int signature) const;

    const PaperSheet& m_sheet;
    const PaperPageInput& m_page;
    const PaperMeasure& m_measure;
};

bool columnUsed(const PaperSheet& sheet, int col)
{
    if (sheet.columns[col].kind != PaperColumnKind::Code)
        return true;
    return std::any_of(sheet.rows.begin(), sheet.rows.end(), [col](const PaperRow& row) {
        return col < row.cells.size() && !row.cells[col].trimmed().isEmpty();
    });
}

Widths Layout::widthsAt(double points, int pageWidth) const
{
    const int cols = static_cast<int>(m_sheet.columns.size());
    const PaperFont header = HeaderFont(points);
    Widths w;
    w.columns.assign(cols, 0);
    int titleColumn = -1;
    double titleLeast = 0;
    int others = 0;
    int maxLevel = 0;
    for (const PaperRow& row : m_sheet.rows)
        maxLevel = std::max(maxLevel, row.level);
    for (int col = 0; col < cols; ++col) {
        if (!columnUsed(m_sheet, col))
            continue;
        const PaperColumn& column = m_sheet.columns[col];
        // A heading's longest word gets air on both sides, as the shaded row reads best.
        double widest = widestWord(column.heading, header, m_measure) + 2 * Paper::kCellPad;
        if (column.kind == PaperColumnKind::Title) {
            titleColumn = col;
            for (const PaperRow& row : m_sheet.rows)
                if (col < row.cells.size())
                    widest = std::max(widest,
                                      widestWord(row.cells[col], RowFont(row, points), m_measure));
            titleLeast = std::max(3600.0, widest + maxLevel * Paper::kIndent + 2 * Paper::kCellPad);
            continue;
        }
        double digits = 0;
        if (column.kind == PaperColumnKind::Amount)
            digits =
                m_measure.width(QStringLiteral("999 999 999"), PaperFont{points, false, false});
        for (const PaperRow& row : m_sheet.rows)
            if (col < row.cells.size())
                digits = std::max(
                    digits, m_measure.width(withoutClosing(row.cells[col]), RowFont(row, points)));
        // Every amount keeps room for a negative's closing parenthesis at its right.
        if (column.kind == PaperColumnKind::Amount)
            digits += closingWidth(PaperFont{points, true, false});
        w.columns[col] = up(std::max(widest, digits)) + 2 * Paper::kCellPad;
        others += w.columns[col];
    }
    if (titleColumn < 0)
        return w;
    const int rest = pageWidth - others;
    w.fits = rest >= titleLeast;
    if (!w.fits && others > 0) {
        // Only where even the smallest font does not fit: amounts set narrower,
        // never below the least scale.
        w.scale = std::max(Paper::kLeastScale, (pageWidth - titleLeast) / others);
        others = 0;
        for (int col = 0; col < cols; ++col)
            if (col != titleColumn && w.columns[col] > 0) {
                w.columns[col] =
                    up((w.columns[col] - 2 * Paper::kCellPad) * w.scale) + 2 * Paper::kCellPad;
                others += w.columns[col];
            }
    }
    w.columns[titleColumn] = std::max(1440, pageWidth - others);
    return w;
}

std::vector<PaperLine> Layout::linesOf(const QString& text, const PaperFont& font, int left,
                                       int width, Qt::Alignment align, double scale) const
{
    std::vector<PaperLine> lines;
    const int inner = width - 2 * Paper::kCellPad;
    if (text.trimmed().isEmpty())
        return lines;
    const QStringList parts =
        align == Qt::AlignRight ? QStringList{text} : WrapWords(text, inner, font, m_measure);
    for (const QString& part : parts) {
        double x = left + Paper::kCellPad;
        if (align == Qt::AlignRight)
            x = left + width - Paper::kCellPad
                - (closingWidth(font) + m_measure.width(withoutClosing(part), font)) * scale;
        else if (align == Qt::AlignHCenter)
            x = left + (width - m_measure.width(part, font) * scale) / 2;
        lines.push_back(PaperLine{part, x});
    }
    return lines;
}

void Layout::layRows(LaidOut& out) const
{
    const int cols = static_cast<int>(m_sheet.columns.size());
    const double headerLine = m_measure.lineHeight(out.header);
    out.headerRow.cells.resize(cols);
    std::size_t tallest = 1;
    for (int col = 0; col < cols; ++col) {
        if (!out.columnShown[col])
            continue;
        const int left = out.columnLeft[col];
        const int width = out.columnLeft[col + 1] - left;
        out.headerRow.cells[col] =
            linesOf(m_sheet.columns[col].heading, out.header, left, width, Qt::AlignHCenter, 1);
        tallest = std::max(tallest, out.headerRow.cells[col].size());
    }
    out.headerRow.height = up(tallest * headerLine) + 2 * Paper::kCellPadY;

    for (int r = 0; r < static_cast<int>(m_sheet.rows.size()); ++r) {
        const PaperRow& row = m_sheet.rows[r];
        const PaperFont font = RowFont(row, out.body.points);
        LaidRow laid;
        laid.row = r;
        laid.cells.resize(cols);
        std::size_t lines = 1;
        for (int col = 0; col < cols && col < row.cells.size(); ++col) {
            if (!out.columnShown[col])
                continue;
            int left = out.columnLeft[col];
            int width = out.columnLeft[col + 1] - left;
            Qt::Alignment align = Qt::AlignRight;
            double scale = out.scale;
            switch (m_sheet.columns[col].kind) {
            case PaperColumnKind::Title:
                left += row.level * Paper::kIndent;
                width -= row.level * Paper::kIndent;
                align = Qt::AlignLeft;
                scale = 1;
                break;
            case PaperColumnKind::Code:
                align = Qt::AlignHCenter;
                scale = 1;
                break;
            case PaperColumnKind::Amount: break;
            }
            laid.cells[col] = linesOf(row.cells[col], font, left, width, align, scale);
            lines = std::max(lines, laid.cells[col].size());
        }
        laid.height = up(lines * m_measure.lineHeight(font)) + 2 * Paper::kCellPadY;
        out.rows.push_back(std::move(laid));
    }
}

// The height that must fit below row i for it to go on this page: a group
// heading takes its first two rows along, the last rows the signature block.
int Layout::keepNeed(const LaidOut& out, int i, int signature) const
{
    const int n = static_cast<int>(out.rows.size());
    int last = i;
    if (m_sheet.rows[i].heading) {
        int plain = 0;
        for (int j = i + 1; j < n && plain < 2; ++j) {
            if (m_sheet.rows[j].level <= m_sheet.rows[i].level)
                break;
            last = j;
            plain += m_sheet.rows[j].heading ? 0 : 1;
        }
    }
    if (last >= n - 2)
        last = n - 1;
    int need = 0;
    for (int j = i; j <= last; ++j)
        need += out.rows[j].height;
    return last == n - 1 ? need + signature : need;
}

void Layout::paginate(LaidOut& out) const
{
    const int bottom = out.pageHeight - out.footHeight;
    const int n = static_cast<int>(out.rows.size());
    int i = 0;
    bool first = true;
    do {
        LaidPage page;
        page.titleBlock = first;
        page.tableTop = first ? out.titleBlockHeight : out.runningHeaderHeight;
        page.firstRow = i;
        int y = page.tableTop + out.headerRow.height;
        while (i < n) {
            const bool empty = i == page.firstRow;
            if (!empty && y + keepNeed(out, i, out.signatureHeight) > bottom)
                break;
            y += out.rows[i++].height;
        }
        page.rowCount = i - page.firstRow;
        if (i >= n) {
            if (y + out.signatureHeight <= bottom || page.rowCount <= 1) {
                page.signatureTop = y;
            } else {
                // Not even the last row left room: it goes over with the signature.
                --i;
                --page.rowCount;
            }
        }
        out.pages.push_back(page);
        first = false;
    } while (i < n);
}

LaidOut Layout::run()
{
    LaidOut out;
    const PaperPageInput& pg = m_page;
    std::vector<bool> orientations;
    if (pg.landscape)
        orientations = {*pg.landscape};
    else if (m_sheet.preferLandscape)
        orientations = {true};
    else
        orientations = {false, true};

    Widths chosen;
    double points = Paper::kBodyPoints;
    bool landscape = orientations.back();
    bool found = false;
    for (bool sideways : orientations) {
        const int width = sideways ? pg.portraitHeight : pg.portraitWidth;
        // Portrait only at the full size; the last orientation may shrink.
        const double least =
            sideways == orientations.back() ? Paper::kSmallestPoints : Paper::kBodyPoints;
        for (double p = Paper::kBodyPoints; p >= least - 1e-9; p -= 0.5) {
            chosen = widthsAt(p, width);
            points = p;
            landscape = sideways;
            if (chosen.fits) {
                found = true;
                break;
            }
        }
        if (found)
            break;
    }

    out.landscape = landscape;
    out.pageWidth = landscape ? pg.portraitHeight : pg.portraitWidth;
    out.pageHeight = landscape ? pg.portraitWidth : pg.portraitHeight;
    out.body = PaperFont{points, false, false};
    out.header = HeaderFont(points);
    out.scale = chosen.scale;
    const int cols = static_cast<int>(m_sheet.columns.size());
    int x = 0;
    for (int col = 0; col < cols; ++col) {
        out.columnLeft.push_back(x);
        out.columnShown.push_back(chosen.columns[col] > 0);
        x += chosen.columns[col];
    }
    out.columnLeft.push_back(x);

    const PaperFont title{Paper::kTitlePoints, true, false};
    const PaperFont block{Paper::kTitleBlockPoints, false, false};
    const PaperFont small{Paper::kSmallPoints, false, false};
    const int titleLines = std::max<int>(
        1, WrapWords(m_sheet.title.typeTitle, out.pageWidth, title, m_measure).size());
    double height = titleLines * m_measure.lineHeight(title) + 0.3 * m_measure.lineHeight(block);
    height += (m_sheet.title.forecast ? 4 : 3) * m_measure.lineHeight(block);
    height += 1.5 * m_measure.lineHeight(small); // the unit line and a gap
    out.titleBlockHeight = up(height);
    out.runningHeaderHeight = up(1.8 * m_measure.lineHeight(small));
    out.footHeight = up(1.8 * m_measure.lineHeight(small));
    out.signatureHeight = up(4.3 * m_measure.lineHeight(block) + 1.2 * m_measure.lineHeight(small));

    layRows(out);
    paginate(out);
    return out;
}

} // namespace

PaperFont RowFont(const PaperRow& row, double points)
{
    return PaperFont{points, row.bold, false};
}

PaperFont HeaderFont(double points)
{
    return PaperFont{std::max(Paper::kSmallestPoints, points - 1), true, false};
}

QStringList WrapWords(const QString& text, double width, const PaperFont& font,
                      const PaperMeasure& measure)
{
    QStringList lines;
    QString line;
    for (const QString& word : text.split(u' ', Qt::SkipEmptyParts)) {
        const QString joined = line.isEmpty() ? word : line + u' ' + word;
        if (line.isEmpty() || measure.width(joined, font) <= width) {
            line = joined;
        } else {
            lines.push_back(line);
            line = word;
        }
        // A word wider than the line alone: broken between letters.
        while (measure.width(line, font) > width && line.size() > 1) {
            int keep = line.size() - 1;
            while (keep > 1 && measure.width(line.left(keep), font) > width)
                --keep;
            lines.push_back(line.left(keep));
            line = line.mid(keep);
        }
    }
    if (!line.isEmpty())
        lines.push_back(line);
    return lines;
}

LaidOut LayOutPaper(const PaperSheet& sheet, const PaperPageInput& page,
                    const PaperMeasure& measure)
{
    return Layout(sheet, page, measure).run();
}

} // namespace telm
