// What the document form tells a screen reader beyond what its controls say
// themselves: where the editor box is typing and what the cell holds.
#include "editor/frmDocument.h"

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

} // namespace telm
