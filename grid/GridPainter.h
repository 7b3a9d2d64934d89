// The grid painter: draws any part of a grid model — header row, fixed columns,
// body rows with their band fonts, cell colours and alignments, the band
// controls — onto any QPainter, at the geometry's resolution and with no
// widget. The grid widget paints the screen through it, and the whole-grid
// image is painted the same way; paper has a layout of its own.
#pragma once

#include <QColor>
#include <QFontMetrics>
#include <QImage>
#include <QRect>
#include <QSize>

#include <functional>

class QPainter;

namespace telm {

class GridGeometry;
class GridModel;

// The colours every grid is drawn in unless a cell has its own.
namespace GridColors {
inline const QColor kFixedBack{64, 128, 128}; // header row and fixed columns
inline const QColor kFixedFore{Qt::white};
inline const QColor kGridLine{192, 192, 192};
inline const QColor kCellBack{Qt::white};
inline const QColor kCellFore{Qt::black};
inline const QColor kThinBack{224, 224, 224}; // a hidden column kept in reach
// On screen, a cell the program computes (a total, a derived column, a result
// or a locked row): apart from the typed cells, black text well readable on it.
inline const QColor kComputedBack{226, 233, 242};
} // namespace GridColors

// What one paint pass shows. `scroll` is the point of the grid (in device units,
// header included) drawn at the area's origin.
struct GridPaintArea
{
    QPoint scroll;
    QSize size;
    // Screen: the header row stays at the top and the fixed columns at the left
    // while the rest scrolls. Otherwise the grid is one sheet shifted by `scroll`.
    bool pinned = false;
    // Marks the current cell with the highlight colours (never on a fixed cell).
    bool highlight = false;
    QColor highlightBack;
    QColor highlightFore;
    // Cells drawn on the computed colour unless they have their own (screen only).
    std::function<bool(int row, int col)> computed = {};
};

void PaintGrid(QPainter& painter, const GridModel& model, const GridGeometry& geometry,
               const GridPaintArea& area);

// The part `source` of the whole grid (device units; all of it when empty),
// unpinned and unhighlighted, at the painter's origin and clipped to it.
void PaintGridPart(QPainter& painter, const GridModel& model, const GridGeometry& geometry,
                   const QRect& source = QRect());

// The whole grid as an image at the geometry's resolution; null when empty.
QImage GridImage(const GridModel& model, const GridGeometry& geometry);

// What a cell shows on screen: its text, or the overflow mark for an amount
// too wide for it, or a title cut short with "…" (a one-line text too wide is
// never cut: an amount is marked, as spreadsheets mark it).
QString CellShownText(const GridModel& model, const GridGeometry& geometry, int row, int col,
                      const QRect& cell);

// Whether a cell's whole text shows at its size on screen: no overflow mark,
// no "…", nothing below the cell's foot. A tooltip shows it when not.
bool CellTextFits(const GridModel& model, const GridGeometry& geometry, int row, int col,
                  const QRect& cell);

// A title shortened to `width` with "…", keeping a closing sign mark ("(–)",
// "(±)") whole at its end.
QString ShortenedTitle(const QFontMetrics& metrics, const QString& text, int width);

// The mark shown on screen in place of an amount too wide for its cell.
QString OverflowMark(const QFontMetrics& metrics, int width);

// The collapse/expand box of a row with children, given its name cell.
QRect BandControlRect(const GridModel& model, const GridGeometry& geometry, int row,
                      const QRect& nameCell);

} // namespace telm
