// What the document form tells a screen reader beyond what its controls say
// themselves (where the editor box is typing and what the cell holds), and the
// key that does what a header double click does.
#include "editor/frmDocument.h"
#include "grid/GridWidget.h"

#include <QKeyEvent>
#include <QLineEdit>

namespace telm {

void frmDocument::nameEditorBox()
{
    const GridModel& grid = m_engine.grid();
    const int row = grid.Row();
    const int col = grid.Col();
    m_txtEdit->setAccessibleName(grid.TextMatrix(row, 0).simplified() + QStringLiteral(", ")
                                 + grid.TextMatrix(0, col).simplified());
    const QString amount = grid.TextMatrix(row, col);
    m_txtEdit->setAccessibleDescription(amount.isEmpty()
                                            ? QStringLiteral("Клетката е празна")
                                            : QStringLiteral("Сума в клетката: %1").arg(amount));
}

bool frmDocument::toggleColumn(int col)
{
    GridModel& grid = m_engine.grid();
    bool toggled = false;
    for (const HeaderToggle& toggle : m_engine.profile().headerToggles) {
        if (toggle.column != col)
            continue;
        for (int band = 0; band < m_engine.maxLevel(); ++band) {
            const int width = grid.rawColWidth(toggle.column, band) == -1 ? toggle.shortWidth : -1;
            grid.setColWidth(toggle.column, band, width);
        }
        toggled = true;
    }
    return toggled;
}

bool frmDocument::toggleColumnByKey(QKeyEvent* event)
{
    if (!m_loaded || event->key() != Qt::Key_Space
        || event->modifiers() != Qt::KeyboardModifiers(Qt::ControlModifier) || !m_grid->hasFocus())
        return false;
    return toggleColumn(m_engine.grid().Col());
}

} // namespace telm
