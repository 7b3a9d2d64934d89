// The grid widget's one painting routine, used for the screen and for the
// whole-grid image alike.
#include "GridWidget.h"

#include "GridModel.h"

#include <QPaintEvent>
#include <QPainter>
#include <QScrollBar>

#include <algorithm>

namespace telm {

namespace {

const QColor kHeaderBack(64, 128, 128);
const QColor kHeaderFore(Qt::white);
const QColor kGridLine(192, 192, 192);
constexpr int kTextMargin = 3;
constexpr int kToggleSize = 9;
constexpr int kBandIndent = 12;

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

} // namespace

void GridWidget::paintEvent(QPaintEvent* event)
{
    QPainter painter(viewport());
    painter.setClipRegion(event->region());
    painter.fillRect(event->rect(), palette().color(QPalette::Window));
    View view;
    view.scrollX = horizontalScrollBar()->value();
    view.scrollY = verticalScrollBar()->value();
    view.size = viewport()->size();
    view.pinned = true;
    view.highlight = true;
    paintGrid(painter, view);
}

QSize GridWidget::gridImageSize() const
{
    return QSize(totalWidth(), headerHeight() + bodyHeight());
}

QImage GridWidget::gridImage() const
{
    const QSize size = gridImageSize();
    if (size.isEmpty())
        return QImage();
    QImage image(size, QImage::Format_RGB32);
    image.fill(Qt::white);
    QPainter painter(&image);
    renderGrid(painter);
    return image;
}

void GridWidget::renderGrid(QPainter& painter, const QRect& source) const
{
    const QRect area = source.isEmpty() ? QRect(QPoint(0, 0), gridImageSize()) : source;
    View view;
    view.scrollX = area.x();
    view.scrollY = area.y();
    view.size = area.size();
    view.pinned = false;
    view.highlight = false;
    painter.save();
    painter.setClipRect(QRect(QPoint(0, 0), area.size()), Qt::IntersectClip);
    paintGrid(painter, view);
    painter.restore();
}

// Screen (pinned): the header sits at y 0 and the body starts below it, scrolled
// by scrollY; fixed columns sit at their own x. Image (not pinned): everything
// is one sheet shifted by (scrollX, scrollY).
void GridWidget::paintGrid(QPainter& painter, const View& view) const
{
    ensureLayout();
    if (!m_model)
        return;
    const int header = m_headerHeight;
    const int fixedCols = std::min(m_model->FixedCols(), m_model->Cols());
    const int fixed = m_colLeft[fixedCols];
    const int headerY = view.pinned ? 0 : -view.scrollY;
    const int bodyTop = view.pinned ? header : 0;
    const int bodyY = header - view.scrollY;   // y of the first body row's top
    const int fixedShift = view.pinned ? 0 : view.scrollX;

    auto colX = [&](int col) {
        return m_colLeft[col] - (col < fixedCols ? fixedShift : view.scrollX);
    };
    auto paintRowCells = [&](int row, int y, int height, int fromCol, int toCol) {
        for (int col = fromCol; col < toCol; ++col) {
            const int width = m_colLeft[col + 1] - m_colLeft[col];
            const int x = colX(col);
            if (width <= 0 || x >= view.size.width() || x + width <= 0)
                continue;
            paintCell(painter, row, col, QRect(x, y, width, height), view.highlight);
        }
    };

    // Body rows: only those that meet the area, found by binary search.
    const int cols = m_model->Cols();
    if (!m_shownRows.empty()) {
        const int first = firstVisibleIndex(std::max(0, bodyTop - bodyY));
        for (int part = 0; part < 2; ++part) {
            painter.save();
            const QRect clip = part == 0
                ? QRect(fixed, bodyTop, view.size.width() - fixed, view.size.height() - bodyTop)
                : QRect(0, bodyTop, fixed, view.size.height() - bodyTop);
            painter.setClipRect(clip, Qt::IntersectClip);
            for (int i = first; i < static_cast<int>(m_shownRows.size()); ++i) {
                const int y = bodyY + m_rowTop[i];
                if (y >= view.size.height())
                    break;
                const int height = m_rowTop[i + 1] - m_rowTop[i];
                if (part == 0)
                    paintRowCells(m_shownRows[i], y, height, fixedCols, cols);
                else
                    paintRowCells(m_shownRows[i], y, height, 0, fixedCols);
            }
            painter.restore();
        }
    }

    // The header row, over the body so that it stays on top when pinned.
    if (header > 0 && headerY + header > 0) {
        painter.save();
        painter.setClipRect(QRect(fixed, 0, view.size.width() - fixed, view.size.height()),
                            Qt::IntersectClip);
        paintRowCells(0, headerY, header, fixedCols, cols);
        painter.restore();
        paintRowCells(0, headerY, header, 0, fixedCols);
    }
}

void GridWidget::paintCell(QPainter& painter, int row, int col, const QRect& rect,
                           bool highlight) const
{
    const bool isHeader = row < m_model->FixedRows();
    const bool isFixed = isHeader || col < m_model->FixedCols();
    const bool current = highlight && !isFixed && row == m_model->Row() && col == m_model->Col();

    QColor back = Qt::white;
    QColor fore = Qt::black;
    if (isFixed) {
        back = kHeaderBack;
        fore = kHeaderFore;
    }
    if (const QColor c = m_model->cellBackColor(row, col); c.isValid())
        back = c;
    if (const QColor c = m_model->cellForeColor(row, col); c.isValid())
        fore = c;
    if (current) {
        back = palette().color(QPalette::Highlight);
        fore = palette().color(QPalette::HighlightedText);
    }
    painter.fillRect(rect, back);
    painter.setPen(kGridLine);
    painter.drawLine(rect.topRight(), rect.bottomRight());
    painter.drawLine(rect.bottomLeft(), rect.bottomRight());

    QFont font = isHeader ? m_model->gridFont() : m_model->bandFont(m_model->band(row));
    if (isHeader && m_model->headerBold())
        font.setBold(true);
    painter.setFont(font);

    QRect textRect = rect.adjusted(kTextMargin, 1, -kTextMargin - 1, -2);
    if (col == 0 && !isHeader) {
        const int indent = m_model->band(row) * kBandIndent + kToggleSize + kTextMargin;
        textRect.setLeft(textRect.left() + indent);
        if (m_model->hasChildren(row))
            paintToggle(painter, row, rect);
    }
    int flags = alignmentFlags(m_model->cellAlignment(row, col));
    if (isHeader || m_model->wordWrap())
        flags |= Qt::TextWordWrap;
    painter.setPen(fore);
    painter.drawText(textRect, flags, m_model->TextMatrix(row, col));
}

QRect GridWidget::toggleRect(int row, const QRect& cell) const
{
    const int x = cell.left() + kTextMargin + m_model->band(row) * kBandIndent;
    const int y = cell.top() + (cell.height() - kToggleSize) / 2;
    return QRect(x, y, kToggleSize, kToggleSize);
}

QRect GridWidget::expanderRect(int row) const
{
    if (!m_model || row < m_model->FixedRows() || !m_model->hasChildren(row))
        return QRect();
    const QRect cell = cellRect(row, 0);
    return cell.isNull() ? QRect() : toggleRect(row, cell);
}

void GridWidget::paintToggle(QPainter& painter, int row, const QRect& cell) const
{
    const QRect box = toggleRect(row, cell);
    painter.save();
    painter.setPen(Qt::gray);
    painter.setBrush(Qt::white);
    painter.drawRect(box.adjusted(0, 0, -1, -1));
    painter.setPen(Qt::black);
    const int midY = box.top() + box.height() / 2;
    const int midX = box.left() + box.width() / 2;
    painter.drawLine(box.left() + 2, midY, box.right() - 2, midY);
    if (m_model->isCollapsed(row))
        painter.drawLine(midX, box.top() + 2, midX, box.bottom() - 2);
    painter.restore();
}

} // namespace telm
