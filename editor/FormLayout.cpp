#include "editor/FormLayout.h"

#include "editor/FormProfile.h"
#include "grid/GridModel.h"

#include <QFont>
#include <QString>

#include <algorithm>
#include <cmath>

namespace telm {

namespace {

int percentOf(int gridWidth, double percent, int offset = 0)
{
    return static_cast<int>(std::lround(gridWidth / 100.0 * percent + offset));
}

QFont fontOf(const BandFont& style)
{
    QFont font;
    if (style.points > 0)
        font.setPointSize(style.points);
    font.setBold(style.bold);
    font.setItalic(style.italic);
    return font;
}

// A previous-year column carried from the current year is shown beside it,
// unless the form hides it behind a header double click.
bool isShownPreviousYear(const FormProfile& p, const CaptionedColumn& c)
{
    if (c.carriedFrom < 0)
        return false;
    return std::none_of(p.headerToggles.begin(), p.headerToggles.end(),
                        [&c](const HeaderToggle& t) { return t.column == c.column; });
}

} // namespace

void ApplyLoadLayout(const FormProfile& p, int levels, GridModel& grid, int gridWidth)
{
    grid.setHeaderBold(true);
    grid.setWordWrap(true);

    if (p.everyColumnPercentAtLoad) {
        for (int col = 1; col < grid.Cols(); ++col)
            grid.setColWidth(col, 0, percentOf(gridWidth, *p.everyColumnPercentAtLoad));
    }
    grid.setColWidth(0, 0, p.nameWidthAtLoad);

    grid.setColAlignment(p.codeColumn, CellAlign::CenterCenter);
    std::vector<int> figures;
    for (const AmountColumn& a : p.amounts)
        figures.push_back(a.column);
    for (const CaptionedColumn& c : p.previousYear)
        figures.push_back(c.column);
    for (int col : figures) {
        grid.setColAlignment(col, CellAlign::RightCenter);
        grid.setFigureColumn(col, true);
    }

    std::vector<int> hidden{p.idColumn, p.parentColumn, p.manualColumn, p.lockedColumn};
    for (const CaptionedColumn& c : p.previousYear)
        if (!isShownPreviousYear(p, c))
            hidden.push_back(c.column);
    hidden.insert(hidden.end(), p.hiddenColumns.begin(), p.hiddenColumns.end());
    hidden.insert(hidden.end(), p.zeroWidthPerBand.begin(), p.zeroWidthPerBand.end());
    for (int band = 0; band < levels; ++band) {
        const BandFont style =
            band < static_cast<int>(p.bandFonts.size()) ? p.bandFonts[band] : BandFont{};
        grid.setBandFont(band, fontOf(style));
        if (p.codeWidthPerBand)
            grid.setColWidth(p.codeColumn, band, 100);
        for (int col : hidden)
            grid.setColWidth(col, band, 0);
    }

    // A column a header double click shows stays within reach while hidden.
    for (const HeaderToggle& toggle : p.headerToggles)
        grid.setColExpandable(toggle.column, true);

    const CellAlign headerAlign =
        p.headerHeightTimes == 3 ? CellAlign::CenterCenter : CellAlign::CenterTop;
    grid.setCellAlignment(0, p.codeColumn, headerAlign);
    for (int col : figures)
        grid.setCellAlignment(0, col, headerAlign);
    if (p.codeCentredInEveryRow)
        for (int row = 0; row < grid.Rows(); ++row)
            grid.setCellAlignment(row, p.codeColumn, CellAlign::CenterCenter);
    grid.setRowHeight(0, grid.defaultRowHeight() * p.headerHeightTimes);

    grid.setTextMatrix(0, 0, QString::fromUtf16(p.nameCaption));
    grid.setTextMatrix(0, p.codeColumn, QStringLiteral("Код на реда"));
    for (const CaptionedColumn& c : p.previousYear)
        grid.setTextMatrix(0, c.column, QString::fromUtf16(c.caption));
    for (const AmountColumn& a : p.amounts)
        grid.setTextMatrix(0, a.column, QString::fromUtf16(a.caption));
}

void MarkTypedComparatives(const FormProfile& profile, GridModel& grid)
{
    for (const CaptionedColumn& c : profile.previousYear)
        if (c.carriedFrom >= 0)
            grid.setTextMatrix(0, c.column,
                               QString::fromUtf16(c.caption) + QStringLiteral(" (въведени)"));
}

void ApplyResizeWidths(const FormProfile& profile, GridModel& grid, int gridWidth)
{
    for (int col = 0; col < grid.Cols(); ++col) {
        int width = 0;
        for (const ResizeWidth& w : profile.resizeWidths)
            if (w.column == col)
                width = percentOf(gridWidth, w.percent, w.offset);
        grid.setColWidth(col, 0, std::max(0, width));
    }
}

int GridWidthForColumns(const FormProfile& profile, int columnsWidth)
{
    // The widths are linear in the grid width: columnsWidth = G × Σpercent / 100 + Σoffset.
    double percent = 0;
    int offset = 0;
    for (const ResizeWidth& w : profile.resizeWidths) {
        percent += w.percent;
        offset += w.offset;
    }
    return percent > 0 ? static_cast<int>(std::lround((columnsWidth - offset) * 100.0 / percent))
                       : columnsWidth;
}

} // namespace telm
