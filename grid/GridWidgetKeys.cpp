// The grid widget's keyboard: the form's key hooks, then the grid's own moves.
#include "grid/GridModel.h"
#include "grid/GridWidget.h"
#include "grid/Twips.h"

#include <QKeyEvent>

#include <algorithm>

namespace telm {

void GridWidget::keyPressEvent(QKeyEvent* event)
{
    if (!m_model) {
        event->ignore();
        return;
    }
    bool handled = false;
    if (m_events.keyDown)
        m_events.keyDown(event->key(), event->modifiers(), handled);
    if (handled)
        return;
    // A chord with Ctrl, Alt or Meta is a command (a button's Alt+letter that
    // matched nothing, say), never an amount typed into the cell.
    const QString text = event->text();
    const auto chord = Qt::ControlModifier | Qt::AltModifier | Qt::MetaModifier;
    if (!text.isEmpty() && !(event->modifiers() & chord)) {
        int keyAscii = text.at(0).unicode();
        if (m_events.keyPress)
            m_events.keyPress(keyAscii);
        if (keyAscii == 0)
            return;
    }
    if (!moveByKey(event->key(), event->modifiers()))
        event->ignore();
}

bool GridWidget::event(QEvent* event)
{
    // Tab and Shift+Tab are offered to the form's key hook before they move
    // the focus: the form walks them between the amount columns, and lets
    // them leave the grid only at the end of the road.
    if (event->type() == QEvent::KeyPress && m_model && m_events.keyDown) {
        auto* key = static_cast<QKeyEvent*>(event);
        if ((key->key() == Qt::Key_Tab || key->key() == Qt::Key_Backtab)
            && !(key->modifiers() & (Qt::ControlModifier | Qt::AltModifier))) {
            bool handled = false;
            m_events.keyDown(key->key(), key->modifiers(), handled);
            if (handled)
                return true;
        }
    }
    return QAbstractScrollArea::event(event);
}

int GridWidget::nextVisibleCol(int col, int step) const
{
    const GridGeometry& g = geometry();
    const int lowest = std::min(col, m_model->FixedCols());
    for (int c = col + step; c >= lowest && c < m_model->Cols(); c += step) {
        if (g.colWidth(c) > 0)
            return c;
    }
    return col;
}

int GridWidget::firstVisibleCol() const
{
    const GridGeometry& g = geometry();
    for (int c = m_model->FixedCols(); c < m_model->Cols(); ++c) {
        if (g.colWidth(c) > 0)
            return c;
    }
    return m_model->Col();
}

int GridWidget::lastVisibleCol() const
{
    const GridGeometry& g = geometry();
    for (int c = m_model->Cols() - 1; c >= m_model->FixedCols(); --c) {
        if (g.colWidth(c) > 0)
            return c;
    }
    return m_model->Col();
}

bool GridWidget::moveByKey(int key, Qt::KeyboardModifiers modifiers)
{
    const GridGeometry& g = geometry();
    if (g.shownCount() == 0)
        return false;
    const int last = g.shownCount() - 1;
    int index = g.shownIndex(m_model->Row());
    const bool onBody = index >= 0;
    if (!onBody)
        index = 0;
    const int visibleHeight = std::max(1, viewport()->height() - g.headerHeight());
    const int defaultHeight = std::max(1, twipsToPixels(m_model->defaultRowHeight(), dpiY()));
    const int pageRows = std::max(1, visibleHeight / defaultHeight);
    int col = m_model->Col();
    const bool ctrl = modifiers & Qt::ControlModifier;

    switch (key) {
    case Qt::Key_Up: index = onBody ? std::max(0, index - 1) : 0; break;
    case Qt::Key_Down: index = onBody ? std::min(last, index + 1) : 0; break;
    case Qt::Key_PageUp: index = std::max(0, index - pageRows); break;
    case Qt::Key_PageDown: index = std::min(last, index + pageRows); break;
    case Qt::Key_Left: col = nextVisibleCol(col, -1); break;
    case Qt::Key_Right: col = nextVisibleCol(col, +1); break;
    case Qt::Key_Home:
        col = firstVisibleCol();
        if (ctrl)
            index = 0;
        break;
    case Qt::Key_End:
        col = lastVisibleCol();
        if (ctrl)
            index = last;
        break;
    default: return false;
    }
    const bool rowKey = key == Qt::Key_Up || key == Qt::Key_Down || key == Qt::Key_PageUp
                        || key == Qt::Key_PageDown || ctrl;
    const int row = rowKey ? g.shownRows()[index] : m_model->Row();
    m_model->setCurrentCell(row, col);
    ensureCellVisible(row, col);
    return true;
}

} // namespace telm
