// The grid widget: layout cache, scrolling, keys, mouse and cell geometry.
// Painting lives in GridWidgetPaint.cpp, keyboard moves in GridWidgetKeys.cpp.
#include "GridWidget.h"

#include "GridModel.h"
#include "Twips.h"

#include <QCoreApplication>
#include <QFocusEvent>
#include <QKeyEvent>
#include <QMouseEvent>
#include <QScrollBar>

#include <algorithm>

namespace telm {

GridWidget::GridWidget(QWidget* parent)
    : QAbstractScrollArea(parent)
{
    setFocusPolicy(Qt::StrongFocus);
    viewport()->setFocusProxy(this);
    viewport()->setAttribute(Qt::WA_OpaquePaintEvent);
    horizontalScrollBar()->setSingleStep(20);
}

GridWidget::~GridWidget()
{
    setModel(nullptr);
}

void GridWidget::setModel(GridModel* model)
{
    if (m_model) {
        m_model->listener().changed = nullptr;
        m_model->listener().structureChanged = nullptr;
    }
    m_model = model;
    m_layoutRevision = ~std::uint64_t(0);
    if (m_model) {
        m_model->listener().changed = [this] { viewport()->update(); };
        m_model->listener().structureChanged = [this] { onStructureChanged(); };
    }
    onStructureChanged();
}

void GridWidget::onStructureChanged()
{
    updateScrollBars();
    viewport()->update();
}

void GridWidget::postKeyDown(int key, Qt::KeyboardModifiers modifiers)
{
    QCoreApplication::postEvent(this, new QKeyEvent(QEvent::KeyPress, key, modifiers));
}

double GridWidget::dpiX() const
{
    return logicalDpiX();
}

double GridWidget::dpiY() const
{
    return logicalDpiY();
}

void GridWidget::ensureLayout() const
{
    if (!m_model) {
        m_shownRows.clear();
        m_rowTop.assign(1, 0);
        m_colLeft.assign(1, 0);
        m_headerHeight = 0;
        return;
    }
    const double dx = dpiX();
    const double dy = dpiY();
    if (m_layoutRevision == m_model->layoutRevision() && dx == m_layoutDpiX && dy == m_layoutDpiY)
        return;
    m_layoutRevision = m_model->layoutRevision();
    m_layoutDpiX = dx;
    m_layoutDpiY = dy;

    const int rows = m_model->Rows();
    m_shownRows.clear();
    m_shownRows.reserve(rows);
    m_rowTop.clear();
    m_rowTop.reserve(rows + 1);
    m_rowTop.push_back(0);
    const int defaultHeight = twipsToPixels(m_model->defaultRowHeight(), dy);
    for (int row = m_model->FixedRows(); row < rows; ++row) {
        if (!m_model->isShown(row))
            continue;
        const int twips = m_model->RowHeight(row);
        const int height =
            twips == m_model->defaultRowHeight() ? defaultHeight : twipsToPixels(twips, dy);
        m_shownRows.push_back(row);
        m_rowTop.push_back(m_rowTop.back() + height);
    }
    m_headerHeight = twipsToPixels(m_model->RowHeight(0), dy);

    const int cols = m_model->Cols();
    m_colLeft.assign(1, 0);
    for (int col = 0; col < cols; ++col)
        m_colLeft.push_back(m_colLeft.back() + twipsToPixels(m_model->ColWidth(col, 0), dx));
}

int GridWidget::headerHeight() const
{
    ensureLayout();
    return m_headerHeight;
}

int GridWidget::bodyHeight() const
{
    ensureLayout();
    return m_rowTop.back();
}

int GridWidget::totalWidth() const
{
    ensureLayout();
    return m_colLeft.back();
}

int GridWidget::fixedWidth() const
{
    ensureLayout();
    if (!m_model)
        return 0;
    return m_colLeft[std::min<int>(m_model->FixedCols(), m_colLeft.size() - 1)];
}

int GridWidget::shownIndex(int row) const
{
    ensureLayout();
    const auto it = std::lower_bound(m_shownRows.begin(), m_shownRows.end(), row);
    if (it == m_shownRows.end() || *it != row)
        return -1;
    return static_cast<int>(it - m_shownRows.begin());
}

int GridWidget::firstVisibleIndex(int contentY) const
{
    // The last shown row whose top is at or above contentY.
    const auto it = std::upper_bound(m_rowTop.begin(), m_rowTop.end() - 1, contentY);
    return std::max(0, static_cast<int>(it - m_rowTop.begin()) - 1);
}

void GridWidget::updateScrollBars()
{
    const QSize area = viewport()->size();
    const int header = headerHeight();
    QScrollBar* v = verticalScrollBar();
    v->setRange(0, std::max(0, bodyHeight() - (area.height() - header)));
    v->setPageStep(std::max(1, area.height() - header));
    v->setSingleStep(m_model ? std::max(1, twipsToPixels(m_model->defaultRowHeight(), dpiY())) : 20);
    QScrollBar* h = horizontalScrollBar();
    h->setRange(0, std::max(0, totalWidth() - area.width()));
    h->setPageStep(std::max(1, area.width() - fixedWidth()));
}

void GridWidget::resizeEvent(QResizeEvent* event)
{
    QAbstractScrollArea::resizeEvent(event);
    updateScrollBars();
}

void GridWidget::scrollContentsBy(int, int)
{
    viewport()->update();
    if (m_events.scroll)
        m_events.scroll();
}

QRect GridWidget::viewportCellRect(int row, int col) const
{
    ensureLayout();
    if (!m_model || col < 0 || col >= m_model->Cols() || row < 0 || row >= m_model->Rows())
        return QRect();
    const int width = m_colLeft[col + 1] - m_colLeft[col];
    const bool fixedCol = col < m_model->FixedCols();
    const int x = m_colLeft[col] - (fixedCol ? 0 : horizontalScrollBar()->value());
    if (row < m_model->FixedRows())
        return width > 0 ? QRect(x, 0, width, m_headerHeight) : QRect();
    const int index = shownIndex(row);
    if (index < 0 || width <= 0)
        return QRect();
    const int y = m_headerHeight + m_rowTop[index] - verticalScrollBar()->value();
    return QRect(x, y, width, m_rowTop[index + 1] - m_rowTop[index]);
}

QRect GridWidget::cellRect(int row, int col) const
{
    const QRect rect = viewportCellRect(row, col);
    return rect.isNull() ? rect : rect.translated(viewport()->pos());
}

int GridWidget::CellLeft() const
{
    return m_model ? pixelsToTwips(cellRect(m_model->Row(), m_model->Col()).left(), dpiX()) : 0;
}

int GridWidget::CellTop() const
{
    return m_model ? pixelsToTwips(cellRect(m_model->Row(), m_model->Col()).top(), dpiY()) : 0;
}

int GridWidget::CellWidth() const
{
    return m_model ? pixelsToTwips(cellRect(m_model->Row(), m_model->Col()).width(), dpiX()) : 0;
}

int GridWidget::CellHeight() const
{
    return m_model ? pixelsToTwips(cellRect(m_model->Row(), m_model->Col()).height(), dpiY())
                   : 0;
}

void GridWidget::ensureCellVisible(int row, int col)
{
    ensureLayout();
    if (!m_model)
        return;
    const int index = shownIndex(row);
    if (index >= 0) {
        QScrollBar* v = verticalScrollBar();
        const int visible = viewport()->height() - m_headerHeight;
        if (m_rowTop[index] < v->value())
            v->setValue(m_rowTop[index]);
        else if (m_rowTop[index + 1] > v->value() + visible)
            v->setValue(std::min(m_rowTop[index], m_rowTop[index + 1] - visible));
    }
    if (col >= m_model->FixedCols() && col < m_model->Cols()) {
        QScrollBar* h = horizontalScrollBar();
        const int fixed = fixedWidth();
        const int visible = viewport()->width() - fixed;
        const int left = m_colLeft[col] - fixed;
        const int right = m_colLeft[col + 1] - fixed;
        if (left < h->value())
            h->setValue(left);
        else if (right > h->value() + visible)
            h->setValue(std::min(left, right - visible));
    }
}

bool GridWidget::hitTest(const QPoint& pos, int& row, int& col) const
{
    ensureLayout();
    if (!m_model)
        return false;
    const int fixed = fixedWidth();
    const int contentX = pos.x() < fixed ? pos.x() : pos.x() + horizontalScrollBar()->value();
    col = -1;
    for (int c = 0; c < m_model->Cols(); ++c) {
        if (m_colLeft[c + 1] > m_colLeft[c] && contentX >= m_colLeft[c] && contentX < m_colLeft[c + 1]
            && (c < m_model->FixedCols()) == (pos.x() < fixed)) {
            col = c;
            break;
        }
    }
    if (pos.y() < m_headerHeight) {
        row = 0;
    } else {
        const int contentY = pos.y() - m_headerHeight + verticalScrollBar()->value();
        if (m_shownRows.empty() || contentY >= m_rowTop.back())
            return false;
        row = m_shownRows[firstVisibleIndex(contentY)];
    }
    return col >= 0;
}

void GridWidget::mousePressEvent(QMouseEvent* event)
{
    int row = 0;
    int col = 0;
    if (!hitTest(event->position().toPoint(), row, col))
        return;
    m_mouseRow = row;
    m_mouseCol = col;
    if (event->button() != Qt::LeftButton)
        return;
    if (col == 0 && row >= m_model->FixedRows() && m_model->hasChildren(row)
        && toggleRect(row, viewportCellRect(row, 0)).contains(event->position().toPoint())) {
        toggleCollapsed(row);
        return;
    }
    // Header cells and fixed columns are not selectable, as in any flex grid.
    if (row < m_model->FixedRows() || col < m_model->FixedCols())
        return;
    m_model->setCurrentCell(row, col);
    ensureCellVisible(row, col);
}

void GridWidget::mouseReleaseEvent(QMouseEvent* event)
{
    event->accept();
}

void GridWidget::mouseDoubleClickEvent(QMouseEvent* event)
{
    int row = 0;
    int col = 0;
    if (hitTest(event->position().toPoint(), row, col)) {
        m_mouseRow = row;
        m_mouseCol = col;
    }
    if (m_events.doubleClick)
        m_events.doubleClick();
}

void GridWidget::toggleCollapsed(int row)
{
    const bool collapsing = !m_model->isCollapsed(row);
    bool cancel = false;
    const auto& notify = collapsing ? m_events.collapse : m_events.expand;
    if (notify)
        notify(row, cancel);
    if (!cancel)
        m_model->setCollapsed(row, collapsing);
}

void GridWidget::focusInEvent(QFocusEvent* event)
{
    QAbstractScrollArea::focusInEvent(event);
    viewport()->update();
    if (m_events.gotFocus)
        m_events.gotFocus();
}

} // namespace telm
