// The grid widget: scrolling, mouse, cell geometry and painting through the
// grid painter. Keyboard moves live in GridWidgetKeys.cpp.
#include "grid/GridWidget.h"

#include "grid/Contrast.h"
#include "grid/GridAccessible.h"
#include "grid/GridModel.h"
#include "grid/GridPainter.h"
#include "grid/Twips.h"

#include <QCoreApplication>
#include <QFocusEvent>
#include <QHelpEvent>
#include <QKeyEvent>
#include <QMouseEvent>
#include <QPaintEvent>
#include <QPainter>
#include <QPen>
#include <QScrollBar>
#include <QToolTip>

#include <algorithm>

namespace telm {

namespace {

// The current cell's colour where the desktop's highlight would leave white
// text unreadable: 7.8 : 1 against white.
const QColor kReadableHighlight(0, 84, 147);

} // namespace

GridWidget::GridWidget(QWidget* parent) : QAbstractScrollArea(parent)
{
    setFocusPolicy(Qt::StrongFocus);
    viewport()->setFocusProxy(this);
    viewport()->setAttribute(Qt::WA_OpaquePaintEvent);
    horizontalScrollBar()->setSingleStep(20);
    InstallGridAccessibility();
}

GridWidget::~GridWidget()
{
    // Unhook without touching the scroll bars: a scroll now would call back
    // into an owner that is being destroyed.
    m_events = Events();
    if (m_model) {
        m_model->removeListener(m_listenerId);
        m_model->removeListener(m_accessibleListenerId);
        m_model = nullptr;
    }
}

void GridWidget::setModel(GridModel* model)
{
    if (m_model) {
        m_model->removeListener(m_listenerId);
        m_model->removeListener(m_accessibleListenerId);
    }
    m_model = model;
    if (m_model) {
        // A cell that changed repaints only itself, so that a commit's dozen
        // totals, most of them off screen, cost next to nothing.
        m_listenerId = m_model->addListener({
            .cellChanged = [this](const CellChange& change) { updateCell(change.row, change.col); },
            .cellFormatChanged = [this](int row, int col) { updateCell(row, col); },
            .changed = [this] { viewport()->update(); },
            .structureChanged = [this] { onStructureChanged(); },
        });
        m_accessibleListenerId = m_model->addListener(GridAccessibleListener(*this));
    }
    onStructureChanged();
}

void GridWidget::updateCell(int row, int col)
{
    const QRect rect = viewportCellRect(row, col);
    if (!rect.isNull())
        viewport()->update(rect);
}

void GridWidget::onStructureChanged()
{
    updateScrollBars();
    viewport()->update();
}

void GridWidget::setComputedCells(std::function<bool(int row, int col)> computed)
{
    m_computed = std::move(computed);
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

const GridGeometry& GridWidget::geometry() const
{
    m_geometry.update(m_model, dpiX(), dpiY(), GridGeometry::Hidden::ThinStrip);
    return m_geometry;
}

void GridWidget::paintEvent(QPaintEvent* event)
{
    QPainter painter(viewport());
    painter.setClipRegion(event->region());
    painter.fillRect(event->rect(), palette().color(QPalette::Window));
    if (!m_model)
        return;
    GridPaintArea area;
    area.scroll = QPoint(horizontalScrollBar()->value(), verticalScrollBar()->value());
    area.size = viewport()->size();
    area.pinned = true;
    area.highlight = true;
    area.highlightBack = palette().color(QPalette::Highlight);
    area.highlightFore = palette().color(QPalette::HighlightedText);
    area.computed = m_computed;
    // The current cell's text stays readable whatever the desktop's colours.
    if (ContrastRatio(area.highlightBack, area.highlightFore) < kReadableContrast) {
        area.highlightBack = kReadableHighlight;
        area.highlightFore = Qt::white;
    }
    PaintGrid(painter, *m_model, geometry(), area);
    // The focus mark: a dotted frame inside the current cell while the grid has
    // the focus, so that the highlight alone never has to say where the keys go.
    if (hasFocus() && m_model->Row() >= m_model->FixedRows()
        && m_model->Col() >= m_model->FixedCols()) {
        const QRect cell = viewportCellRect(m_model->Row(), m_model->Col());
        if (!cell.isNull()) {
            painter.setPen(QPen(area.highlightFore, 1, Qt::DotLine));
            painter.setBrush(Qt::NoBrush);
            painter.drawRect(cell.adjusted(2, 2, -4, -4));
        }
    }
}

QSize GridWidget::gridImageSize() const
{
    const GridGeometry& g = geometry();
    return QSize(g.totalWidth(), g.headerHeight() + g.bodyHeight());
}

QImage GridWidget::gridImage() const
{
    return m_model ? GridImage(*m_model, geometry()) : QImage();
}

void GridWidget::updateScrollBars()
{
    const GridGeometry& g = geometry();
    const QSize area = viewport()->size();
    const int header = g.headerHeight();
    QScrollBar* v = verticalScrollBar();
    v->setRange(0, std::max(0, g.bodyHeight() - (area.height() - header)));
    v->setPageStep(std::max(1, area.height() - header));
    v->setSingleStep(m_model ? std::max(1, twipsToPixels(m_model->defaultRowHeight(), dpiY()))
                             : 20);
    QScrollBar* h = horizontalScrollBar();
    h->setRange(0, std::max(0, g.totalWidth() - area.width()));
    h->setPageStep(std::max(1, area.width() - g.fixedWidth()));
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
    const GridGeometry& g = geometry();
    if (!m_model || col < 0 || col >= m_model->Cols() || row < 0 || row >= m_model->Rows())
        return QRect();
    const int width = g.colWidth(col);
    const bool fixedCol = col < m_model->FixedCols();
    const int x = g.colLeft(col) - (fixedCol ? 0 : horizontalScrollBar()->value());
    if (row < m_model->FixedRows())
        return width > 0 ? QRect(x, 0, width, g.headerHeight()) : QRect();
    const int index = g.shownIndex(row);
    if (index < 0 || width <= 0)
        return QRect();
    const int y = g.headerHeight() + g.rowTop(index) - verticalScrollBar()->value();
    return QRect(x, y, width, g.rowHeightAt(index));
}

QRect GridWidget::cellRect(int row, int col) const
{
    const QRect rect = viewportCellRect(row, col);
    return rect.isNull() ? rect : rect.translated(viewport()->pos());
}

QRect GridWidget::expanderRect(int row) const
{
    if (!m_model || row < m_model->FixedRows() || !m_model->hasChildren(row))
        return QRect();
    const QRect cell = cellRect(row, 0);
    return cell.isNull() ? QRect() : BandControlRect(*m_model, geometry(), row, cell);
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
    return m_model ? pixelsToTwips(cellRect(m_model->Row(), m_model->Col()).height(), dpiY()) : 0;
}

void GridWidget::ensureCellVisible(int row, int col)
{
    const GridGeometry& g = geometry();
    if (!m_model)
        return;
    const int index = g.shownIndex(row);
    if (index >= 0) {
        QScrollBar* v = verticalScrollBar();
        const int visible = viewport()->height() - g.headerHeight();
        const int top = g.rowTop(index);
        const int bottom = g.rowTop(index + 1);
        if (top < v->value())
            v->setValue(top);
        else if (bottom > v->value() + visible)
            v->setValue(std::min(top, bottom - visible));
    }
    if (col >= m_model->FixedCols() && col < m_model->Cols()) {
        QScrollBar* h = horizontalScrollBar();
        const int fixed = g.fixedWidth();
        const int visible = viewport()->width() - fixed;
        const int left = g.colLeft(col) - fixed;
        const int right = g.colLeft(col + 1) - fixed;
        if (left < h->value())
            h->setValue(left);
        else if (right > h->value() + visible)
            h->setValue(std::min(left, right - visible));
    }
}

bool GridWidget::hitTest(const QPoint& pos, int& row, int& col) const
{
    const GridGeometry& g = geometry();
    if (!m_model)
        return false;
    const int fixed = g.fixedWidth();
    const int contentX = pos.x() < fixed ? pos.x() : pos.x() + horizontalScrollBar()->value();
    col = -1;
    for (int c = 0; c < m_model->Cols(); ++c) {
        if (g.colWidth(c) > 0 && contentX >= g.colLeft(c) && contentX < g.colLeft(c + 1)
            && (c < m_model->FixedCols()) == (pos.x() < fixed)) {
            col = c;
            break;
        }
    }
    if (pos.y() < g.headerHeight()) {
        row = 0;
    } else {
        const int contentY = pos.y() - g.headerHeight() + verticalScrollBar()->value();
        if (g.shownCount() == 0 || contentY >= g.bodyHeight())
            return false;
        row = g.shownRows()[g.indexAt(contentY)];
    }
    return col >= 0;
}

QString GridWidget::toolTipAt(const QPoint& viewportPos) const
{
    int row = 0;
    int col = 0;
    if (!hitTest(viewportPos, row, col))
        return QString();
    const QRect cell = viewportCellRect(row, col);
    if (cell.isNull() || CellTextFits(*m_model, geometry(), row, col, cell))
        return QString();
    return m_model->TextMatrix(row, col);
}

bool GridWidget::viewportEvent(QEvent* event)
{
    if (event->type() != QEvent::ToolTip)
        return QAbstractScrollArea::viewportEvent(event);
    auto* help = static_cast<QHelpEvent*>(event);
    const QString text = toolTipAt(help->pos());
    if (text.isEmpty())
        QToolTip::hideText();
    else
        QToolTip::showText(help->globalPos(), text, viewport());
    return true;
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
        && BandControlRect(*m_model, geometry(), row, viewportCellRect(row, 0))
               .contains(event->position().toPoint())) {
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
    AnnounceCurrentCellSoon(*this);
    if (m_events.gotFocus)
        m_events.gotFocus();
}

void GridWidget::focusOutEvent(QFocusEvent* event)
{
    QAbstractScrollArea::focusOutEvent(event);
    viewport()->update(); // the focus mark goes
}

bool GridWidget::isCellEditable(int row, int col) const
{
    if (!m_model || row < m_model->FixedRows() || row >= m_model->Rows()
        || col < m_model->FixedCols() || col >= m_model->Cols())
        return false;
    return m_cellEditable ? m_cellEditable(row, col) : true;
}

std::optional<double> GridWidget::cellAmount(int row, int col) const
{
    if (!m_cellAmount || !m_model || row < m_model->FixedRows() || row >= m_model->Rows() || col < 0
        || col >= m_model->Cols())
        return std::nullopt;
    return m_cellAmount(row, col);
}

} // namespace telm
