// One painting routine for every place the grid is drawn: the screen and the
// whole-grid image.
#include "grid/GridPainter.h"

#include "grid/GridGeometry.h"
#include "grid/GridModel.h"

#include <QPainter>
#include <QRegularExpression>

#include <algorithm>

namespace telm {

namespace {

// Measures of the drawing, in twips so that any resolution gets the proportions
// of the screen: at 96 dots per inch they are 1, 2, 3, 9 and 12 pixels.
constexpr int kHairTwips = 15;
constexpr int kTextMarginTwips = 45;
constexpr int kControlTwips = 135;
constexpr int kBandIndentTwips = 180;

int alignmentFlags(CellAlign align)
{
    switch (align) {
    case CellAlign::LeftCenter: return Qt::AlignLeft | Qt::AlignVCenter;
    case CellAlign::CenterCenter: return Qt::AlignHCenter | Qt::AlignVCenter;
    case CellAlign::RightCenter: return Qt::AlignRight | Qt::AlignVCenter;
    case CellAlign::CenterTop: return Qt::AlignHCenter | Qt::AlignTop;
    case CellAlign::LeftTop: return Qt::AlignLeft | Qt::AlignTop;
    case CellAlign::RightTop: return Qt::AlignRight | Qt::AlignTop;
    }
    return Qt::AlignLeft | Qt::AlignVCenter;
}

// Where and how a cell's text goes: its font, the rectangle inside the cell's
// margins (right of the band indent in the name column), the alignment, and
// whether it must stay on one line (amounts always; titles in a row too low
// for a second line).
struct CellText
{
    QFont font;
    QRect rect;
    int flags = 0;
    bool figure = false;
    bool oneLine = false;
};

CellText cellTextOf(const GridModel& model, const GridGeometry& geometry, int row, int col,
                    const QRect& cell, const QPaintDevice* device)
{
    CellText text;
    const bool isHeader = row < model.FixedRows();
    text.font = isHeader ? model.gridFont() : model.bandFont(model.band(row));
    if (isHeader && model.headerBold())
        text.font.setBold(true);

    const int hair = geometry.toX(kHairTwips);
    const int margin = geometry.toX(kTextMarginTwips);
    text.rect = cell.adjusted(margin, geometry.toY(kHairTwips), -margin - hair,
                              -geometry.toY(2 * kHairTwips));
    if (col == 0 && !isHeader) {
        const int indent =
            model.band(row) * geometry.toX(kBandIndentTwips) + geometry.toX(kControlTwips) + margin;
        text.rect.setLeft(text.rect.left() + indent);
    }
    text.figure = !isHeader && model.isFigureColumn(col);
    text.flags = alignmentFlags(model.cellAlignment(row, col));
    const bool wraps = isHeader || model.wordWrap();
    const int lineSpacing = QFontMetrics(text.font, device).lineSpacing();
    text.oneLine = text.figure || (!isHeader && (!wraps || text.rect.height() < 2 * lineSpacing));
    if (!text.oneLine)
        text.flags |= Qt::TextWordWrap;
    return text;
}

class Painter
{
public:
    Painter(QPainter& painter, const GridModel& model, const GridGeometry& geometry,
            const GridPaintArea& area)
        : m_painter(painter), m_model(model), m_geometry(geometry), m_area(area)
    {
    }

    void paint() const;

private:
    void paintRowCells(int row, int y, int height, int fromCol, int toCol) const;
    void paintCell(int row, int col, const QRect& rect) const;
    void paintBandControl(int row, const QRect& cell) const;
    int colX(int col) const;

    QPainter& m_painter;
    const GridModel& m_model;
    const GridGeometry& m_geometry;
    const GridPaintArea& m_area;
};

int Painter::colX(int col) const
{
    const bool fixed = col < m_geometry.fixedCols();
    const int shift = fixed && m_area.pinned ? 0 : m_area.scroll.x();
    return m_geometry.colLeft(col) - shift;
}

void Painter::paintRowCells(int row, int y, int height, int fromCol, int toCol) const
{
    for (int col = fromCol; col < toCol; ++col) {
        const int width = m_geometry.colWidth(col);
        const int x = colX(col);
        if (width <= 0 || x >= m_area.size.width() || x + width <= 0)
            continue;
        paintCell(row, col, QRect(x, y, width, height));
    }
}

// Pinned: the header sits at y 0 and the body starts below it, scrolled by
// scroll.y; fixed columns sit at their own x. Unpinned: one sheet shifted by scroll.
void Painter::paint() const
{
    const int header = m_geometry.headerHeight();
    const int fixedCols = m_geometry.fixedCols();
    const int fixed = m_geometry.fixedWidth();
    const int cols = std::min(m_model.Cols(), m_geometry.columnCount());
    const QSize size = m_area.size;
    const int headerY = m_area.pinned ? 0 : -m_area.scroll.y();
    const int bodyTop = m_area.pinned ? header : 0;
    const int bodyY = header - m_area.scroll.y(); // y of the first body row's top
    const int fixedLeft = m_area.pinned ? 0 : -m_area.scroll.x();

    // Body rows: only those that meet the area.
    if (m_geometry.shownCount() > 0) {
        const int first = m_geometry.indexAt(std::max(0, bodyTop - bodyY));
        for (int part = 0; part < 2; ++part) {
            m_painter.save();
            const QRect clip =
                part == 0 ? QRect(fixedLeft + fixed, bodyTop, size.width() - fixed - fixedLeft,
                                  size.height() - bodyTop)
                          : QRect(fixedLeft, bodyTop, fixed, size.height() - bodyTop);
            m_painter.setClipRect(clip, Qt::IntersectClip);
            for (int i = first; i < m_geometry.shownCount(); ++i) {
                const int y = bodyY + m_geometry.rowTop(i);
                if (y >= size.height())
                    break;
                const int row = m_geometry.shownRows()[i];
                if (part == 0)
                    paintRowCells(row, y, m_geometry.rowHeightAt(i), fixedCols, cols);
                else
                    paintRowCells(row, y, m_geometry.rowHeightAt(i), 0, fixedCols);
            }
            m_painter.restore();
        }
    }

    // The header row, over the body so that it stays on top when pinned.
    if (header > 0 && headerY + header > 0) {
        m_painter.save();
        m_painter.setClipRect(
            QRect(fixedLeft + fixed, 0, size.width() - fixed - fixedLeft, size.height()),
            Qt::IntersectClip);
        paintRowCells(0, headerY, header, fixedCols, cols);
        m_painter.restore();
        paintRowCells(0, headerY, header, 0, fixedCols);
    }
}

void Painter::paintCell(int row, int col, const QRect& rect) const
{
    const bool isHeader = row < m_model.FixedRows();
    const bool isFixed = isHeader || col < m_model.FixedCols();
    const bool current =
        m_area.highlight && !isFixed && row == m_model.Row() && col == m_model.Col();

    if (m_geometry.isThin(col)) {
        // A hidden column kept in reach: marked, with nothing written in it.
        m_painter.fillRect(rect, current ? m_area.highlightBack : GridColors::kThinBack);
        m_painter.fillRect(rect, QBrush(GridColors::kGridLine, Qt::BDiagPattern));
        m_painter.setPen(GridColors::kGridLine);
        m_painter.drawLine(rect.topRight(), rect.bottomRight());
        m_painter.drawLine(rect.bottomLeft(), rect.bottomRight());
        return;
    }

    QColor back = isFixed ? GridColors::kFixedBack : GridColors::kCellBack;
    QColor fore = isFixed ? GridColors::kFixedFore : GridColors::kCellFore;
    if (!isFixed && m_area.computed && m_area.computed(row, col))
        back = GridColors::kComputedBack;
    if (const QColor c = m_model.cellBackColor(row, col); c.isValid())
        back = c;
    if (const QColor c = m_model.cellForeColor(row, col); c.isValid())
        fore = c;
    if (current) {
        back = m_area.highlightBack;
        fore = m_area.highlightFore;
    }
    m_painter.fillRect(rect, back);
    m_painter.setPen(GridColors::kGridLine);
    m_painter.drawLine(rect.topRight(), rect.bottomRight());
    m_painter.drawLine(rect.bottomLeft(), rect.bottomRight());

    if (col == 0 && !isHeader && m_model.hasChildren(row))
        paintBandControl(row, rect);
    const CellText cell = cellTextOf(m_model, m_geometry, row, col, rect, m_painter.device());
    m_painter.setFont(cell.font);
    m_painter.setPen(fore);
    const QString text = m_model.TextMatrix(row, col);
    const QFontMetrics metrics = m_painter.fontMetrics();
    const int needed = cell.oneLine ? metrics.horizontalAdvance(text) : 0;
    if (!cell.oneLine || needed <= cell.rect.width()) {
        m_painter.drawText(cell.rect, cell.flags, text);
    } else if (cell.figure) {
        // Never some of the digits, which would read as another amount.
        m_painter.drawText(cell.rect, cell.flags, OverflowMark(metrics, cell.rect.width()));
    } else {
        m_painter.drawText(cell.rect, cell.flags, ShortenedTitle(metrics, text, cell.rect.width()));
    }
}

void Painter::paintBandControl(int row, const QRect& cell) const
{
    const QRect box = BandControlRect(m_model, m_geometry, row, cell);
    const int inset = m_geometry.toX(2 * kHairTwips);
    m_painter.save();
    m_painter.setPen(Qt::gray);
    m_painter.setBrush(Qt::white);
    m_painter.drawRect(box.adjusted(0, 0, -1, -1));
    m_painter.setPen(Qt::black);
    const int midY = box.top() + box.height() / 2;
    const int midX = box.left() + box.width() / 2;
    m_painter.drawLine(box.left() + inset, midY, box.right() - inset, midY);
    if (m_model.isCollapsed(row))
        m_painter.drawLine(midX, box.top() + inset, midX, box.bottom() - inset);
    m_painter.restore();
}

} // namespace

void PaintGrid(QPainter& painter, const GridModel& model, const GridGeometry& geometry,
               const GridPaintArea& area)
{
    Painter(painter, model, geometry, area).paint();
}

void PaintGridPart(QPainter& painter, const GridModel& model, const GridGeometry& geometry,
                   const QRect& source)
{
    const QRect whole(0, 0, geometry.totalWidth(), geometry.headerHeight() + geometry.bodyHeight());
    const QRect part = source.isEmpty() ? whole : source;
    GridPaintArea area;
    area.scroll = part.topLeft();
    area.size = part.size();
    painter.save();
    painter.setClipRect(QRect(QPoint(0, 0), part.size()), Qt::IntersectClip);
    PaintGrid(painter, model, geometry, area);
    painter.restore();
}

QImage GridImage(const GridModel& model, const GridGeometry& geometry)
{
    const QSize size(geometry.totalWidth(), geometry.headerHeight() + geometry.bodyHeight());
    if (size.isEmpty())
        return QImage();
    QImage image(size, QImage::Format_RGB32);
    image.fill(Qt::white);
    QPainter painter(&image);
    PaintGridPart(painter, model, geometry, QRect());
    return image;
}

QString CellShownText(const GridModel& model, const GridGeometry& geometry, int row, int col,
                      const QRect& cell)
{
    const CellText text = cellTextOf(model, geometry, row, col, cell, nullptr);
    const QFontMetrics metrics(text.font);
    const QString content = model.TextMatrix(row, col);
    if (!text.oneLine || metrics.horizontalAdvance(content) <= text.rect.width())
        return content;
    return text.figure ? OverflowMark(metrics, text.rect.width())
                       : ShortenedTitle(metrics, content, text.rect.width());
}

bool CellTextFits(const GridModel& model, const GridGeometry& geometry, int row, int col,
                  const QRect& cell)
{
    const CellText text = cellTextOf(model, geometry, row, col, cell, nullptr);
    const QFontMetrics metrics(text.font);
    const QString content = model.TextMatrix(row, col);
    if (text.oneLine)
        return metrics.horizontalAdvance(content) <= text.rect.width();
    return metrics.boundingRect(text.rect, text.flags, content).height() <= text.rect.height();
}

QString ShortenedTitle(const QFontMetrics& metrics, const QString& text, int width)
{
    // A closing sign mark such as "(–)" or "(±)" tells how the amount is typed:
    // it stays, and the words before it give way.
    static const QRegularExpression mark(QStringLiteral(" \\([^()]{1,2}\\)$"));
    const QRegularExpressionMatch m = mark.match(text);
    if (m.hasMatch()) {
        const QString tail = m.captured(0);
        const int room = width - metrics.horizontalAdvance(tail);
        if (room > metrics.horizontalAdvance(u'…'))
            return metrics.elidedText(text.left(m.capturedStart()), Qt::ElideRight, room) + tail;
    }
    return metrics.elidedText(text, Qt::ElideRight, width);
}

QString OverflowMark(const QFontMetrics& metrics, int width)
{
    const int one = std::max(1, metrics.horizontalAdvance(u'#'));
    return QString(std::max(1, width / one), u'#');
}

QRect BandControlRect(const GridModel& model, const GridGeometry& geometry, int row,
                      const QRect& nameCell)
{
    const int size = geometry.toX(kControlTwips);
    const int x = nameCell.left() + geometry.toX(kTextMarginTwips)
                  + model.band(row) * geometry.toX(kBandIndentTwips);
    const int y = nameCell.top() + (nameCell.height() - size) / 2;
    return QRect(x, y, size, size);
}

} // namespace telm
