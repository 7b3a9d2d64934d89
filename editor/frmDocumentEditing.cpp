// Cell editing in the document form: the floating editor box, the keys on the
// grid and in the box, and the commit with its bounce back to a refused cell.
#include "editor/AmountText.h"
#include "editor/frmDocument.h"
#include "grid/GridWidget.h"
#include "platform/MessageBoxes.h"

#include <QClipboard>
#include <QFocusEvent>
#include <QGuiApplication>
#include <QKeyEvent>
#include <QLineEdit>
#include <QRegularExpression>
#include <QTimer>

namespace telm {

namespace {

bool isMoveKey(int key)
{
    switch (key) {
    case Qt::Key_PageUp:
    case Qt::Key_PageDown:
    case Qt::Key_Left:
    case Qt::Key_Up:
    case Qt::Key_Right:
    case Qt::Key_Down: return true;
    default: return false;
    }
}

} // namespace

void frmDocument::hgrdDocEnter_KeyPress(int& keyAscii)
{
    if (!m_loaded || keyAscii < 32)
        return;
    const GridModel& grid = m_engine.grid();
    if (m_engine.canEdit(grid.Row(), grid.Col()))
        MSHFlexGridEdit(keyAscii);
    else
        note(m_engine.whyNotTyped(grid.Row(), grid.Col()));
    keyAscii = 0; // the grid itself is never typed into
}

void frmDocument::hgrdDocEnter_KeyDown(int key, Qt::KeyboardModifiers modifiers, bool& handled)
{
    if (!m_loaded)
        return;
    const GridModel& grid = m_engine.grid();
    const int row = grid.Row();
    const int col = grid.Col();
    switch (key) {
    case Qt::Key_F2:
        handled = true;
        if (m_engine.enterMovesDown(col) && m_engine.canEdit(row, col))
            MSHFlexGridEdit(32);
        else
            note(m_engine.whyNotTyped(row, col));
        return;
    case Qt::Key_Return:
    case Qt::Key_Enter:
        // Down to the next cell that takes an amount, past totals and results.
        handled = true;
        moveDown();
        return;
    case Qt::Key_Tab: handled = moveAcross(+1); return;
    case Qt::Key_Backtab: handled = moveAcross(-1); return;
    case Qt::Key_Escape:
        handled = true;
        close();
        return;
    case Qt::Key_Backspace:
        // A control code: the editor opens with the cell's text.
        handled = true;
        if (m_engine.canEdit(row, col))
            MSHFlexGridEdit(8);
        else
            note(m_engine.whyNotTyped(row, col));
        return;
    case Qt::Key_C:
    case Qt::Key_V:
        if (!(modifiers & Qt::ControlModifier))
            return;
        handled = true;
        if (key == Qt::Key_C)
            copyColumn();
        else
            pasteColumn();
        return;
    case Qt::Key_Delete: handled = true; break;
    case Qt::Key_Period:
    case Qt::Key_Comma:
        if (!(modifiers & Qt::KeypadModifier))
            return;
        handled = true;
        break;
    default: return;
    }
    // The Delete key (or the keypad's decimal key) puts 0 into the cell.
    if (m_engine.deleteCell(row, col)) {
        m_editRow = row;
        m_editCol = col;
    } else {
        note(m_engine.whyNotTyped(row, col));
    }
}

void frmDocument::hgrdDocEnter_DblClick()
{
    if (!m_loaded)
        return;
    GridModel& grid = m_engine.grid();
    if (m_grid->MouseRow() == 0)
        toggleColumn(grid.Col());
    if (m_engine.canEdit(grid.Row(), grid.Col()))
        MSHFlexGridEdit(32);
}

void frmDocument::MSHFlexGridEdit(int keyAscii)
{
    GridModel& grid = m_engine.grid();
    if (keyAscii == 13) {
        m_grid->setFocus();
        return;
    }
    if ((keyAscii >= 0 && keyAscii <= 12) || (keyAscii >= 14 && keyAscii <= 32)) {
        m_txtEdit->setText(grid.Text());
        m_txtEdit->setCursorPosition(m_txtEdit->text().size());
    } else {
        m_txtEdit->setText(QString(QChar(keyAscii)));
        m_txtEdit->setCursorPosition(1);
    }
    m_grid->ensureCellVisible(grid.Row(), grid.Col());
    QRect cell = m_grid->cellRect(grid.Row(), grid.Col());
    cell.moveTopLeft(m_grid->mapTo(this, cell.topLeft()));
    const int inset = std::max(1, px(8));
    m_txtEdit->setGeometry(cell.x(), cell.y(), std::max(1, cell.width() - inset),
                           std::max(1, cell.height() - inset));
    m_txtEdit->setFont(grid.bandFont(grid.band(grid.Row())));
    nameEditorBox();
    m_txtEdit->show();
    m_txtEdit->raise();
    m_editRow = grid.Row();
    m_editCol = grid.Col();
    markNameCell(m_editRow, QColor::fromRgb(marks().editingBack),
                 QColor::fromRgb(marks().editingText));
    m_txtEdit->setFocus();
}

void frmDocument::txtEdit_Change()
{
    // The document changes when the entry is stored, not while it is typed.
    QPalette red = m_txtEdit->palette();
    red.setColor(QPalette::Text, QColor::fromRgb(kEditedText));
    m_txtEdit->setPalette(red);
}

bool frmDocument::eventFilter(QObject* watched, QEvent* event)
{
    if (watched == m_txtFind) {
        if (event->type() == QEvent::KeyPress) {
            const int key = static_cast<QKeyEvent*>(event)->key();
            // Enter takes the row found, Esc stays on it: both back to the grid.
            if (key == Qt::Key_Return || key == Qt::Key_Enter || key == Qt::Key_Escape) {
                closeFind(true);
                return true;
            }
        } else if (event->type() == QEvent::FocusOut) {
            const Qt::FocusReason reason = static_cast<QFocusEvent*>(event)->reason();
            if (reason != Qt::ActiveWindowFocusReason && reason != Qt::PopupFocusReason)
                closeFind(false);
        }
        return QDialog::eventFilter(watched, event);
    }
    if (watched != m_txtEdit)
        return QDialog::eventFilter(watched, event);
    if (event->type() == QEvent::KeyPress) {
        auto* key = static_cast<QKeyEvent*>(event);
        return EditKeyCode(key->key(), key->modifiers());
    }
    if (event->type() == QEvent::FocusOut) {
        const Qt::FocusReason reason = static_cast<QFocusEvent*>(event)->reason();
        // Switching windows or a popup (our own message boxes among them) is not
        // leaving the entry.
        if (reason != Qt::ActiveWindowFocusReason && reason != Qt::PopupFocusReason
            && m_txtEdit->isVisible())
            commitEntry(true);
    }
    return QDialog::eventFilter(watched, event);
}

bool frmDocument::EditKeyCode(int keyCode, Qt::KeyboardModifiers modifiers)
{
    const bool ctrl = modifiers & Qt::ControlModifier;
    if (keyCode == Qt::Key_Return || keyCode == Qt::Key_Enter) {
        if (commitEntry(false)) {
            m_grid->setFocus();
            moveDown();
        }
        return true; // the Enter character never reaches the box
    }
    if (keyCode == Qt::Key_Tab || keyCode == Qt::Key_Backtab) {
        if (commitEntry(false)) {
            m_grid->setFocus();
            moveAcross(keyCode == Qt::Key_Tab ? +1 : -1);
        }
        return true;
    }
    if (keyCode == Qt::Key_Escape) {
        cancelEntry();
        return true;
    }
    if (isMoveKey(keyCode) || (ctrl && (keyCode == Qt::Key_Home || keyCode == Qt::Key_End))) {
        if (commitEntry(false)) {
            m_grid->setFocus();
            m_grid->postKeyDown(keyCode, modifiers & Qt::ControlModifier);
        }
        return true;
    }
    return false;
}

void frmDocument::cancelEntry()
{
    m_returnPending = false;
    m_refusedText.clear();
    m_txtEdit->hide();
    markNameCell(m_editRow, QColor(), QColor::fromRgb(marks().committedText));
    m_grid->setFocus();
}

bool frmDocument::txtEdit_LostFocus()
{
    return commitEntry(false);
}

bool frmDocument::commitEntry(bool fromFocusLoss)
{
    if (!m_txtEdit->isVisible() || m_inCommit)
        return true;
    m_inCommit = true;
    const QString text = m_txtEdit->text();
    bool stored = false;
    if (m_engine.commit(m_editRow, m_editCol, text)) {
        stored = true;
        m_returnPending = false;
        m_refusedText.clear();
        markNameCell(m_editRow, QColor(), QColor::fromRgb(marks().committedText));
        m_txtEdit->hide();
    } else {
        // Refused: say so once for this text, keep it in the box, selected.
        const bool alreadySaid = m_returnPending && m_refusedText == text;
        m_refusedText = text;
        if (!m_returnPending) {
            m_returnPending = true;
            m_returnRow = m_editRow;
            m_returnCol = m_editCol;
        }
        if (fromFocusLoss) {
            // Focus is on its way elsewhere: answer once it has arrived.
            QTimer::singleShot(0, this, [this, alreadySaid] { refuseEntry(!alreadySaid); });
        } else {
            refuseEntry(!alreadySaid);
        }
    }
    m_inCommit = false;
    return stored;
}

void frmDocument::refuseEntry(bool showMessage)
{
    if (!m_txtEdit->isVisible())
        return;
    if (showMessage)
        platform::ShowMessage(this, QStringLiteral("TELM - Внимание!"),
                              EntryRefusalMessage(m_txtEdit->text()), platform::MsgIcon::Critical);
    GridModel& grid = m_engine.grid();
    if (m_returnPending && (grid.Row() != m_returnRow || grid.Col() != m_returnCol))
        grid.setCurrentCell(m_returnRow, m_returnCol);
    m_txtEdit->selectAll();
    m_txtEdit->setFocus();
}

void frmDocument::hgrdDocEnter_EnterCell()
{
    GridModel& grid = m_engine.grid();
    if (m_returnPending && (grid.Row() != m_returnRow || grid.Col() != m_returnCol)) {
        grid.setCurrentCell(m_returnRow, m_returnCol);
        return; // the move back raises its own enter
    }
    m_editRow = grid.Row();
    m_editCol = grid.Col();
    const std::optional<QRgb> text = marks().enteredText;
    markNameCell(m_editRow, currentRowColor(), text ? QColor::fromRgb(*text) : QColor());
}

void frmDocument::hgrdDocEnter_LeaveCell()
{
    GridModel& grid = m_engine.grid();
    commitEntry(false);
    const std::optional<QRgb> text = marks().leftText;
    markNameCell(grid.Row(), QColor::fromRgb(marks().leftBack),
                 text ? QColor::fromRgb(*text) : QColor());
    if (!m_returnPending) {
        m_editRow = grid.Row();
        m_editCol = grid.Col();
    }
}

void frmDocument::hgrdDocEnter_GotFocus()
{
    if (m_txtEdit->isVisible() && !m_returnPending)
        m_txtEdit->hide();
}

void frmDocument::hgrdDocEnter_Scroll()
{
    if (m_txtEdit->isVisible() && !m_returnPending)
        m_grid->setFocus();
}

void frmDocument::hgrdDocEnter_CollapseExpand(bool& cancel)
{
    // An entry still open is stored before the rows move.
    if (m_txtEdit->isVisible()) {
        cancel = true;
        commitEntry(false);
        cancel = false;
    }
}

void frmDocument::copyColumn()
{
    QGuiApplication::clipboard()->setText(m_engine.copyColumn(m_engine.grid().Col()));
}

void frmDocument::pasteColumn()
{
    QString text = QGuiApplication::clipboard()->text();
    if (text.endsWith(u'\n'))
        text.chop(1); // a copied column ends with a line end, not with an empty line
    const QStringList lines = text.split(QRegularExpression(QStringLiteral("\r\n|\n|\r")));
    GridModel& grid = m_engine.grid();
    const DocumentEngine::Paste paste = m_engine.pasteColumn(grid.Row(), grid.Col(), lines);
    if (paste.refusedRow) {
        grid.setCurrentCell(*paste.refusedRow, grid.Col());
        m_grid->ensureCellVisible(*paste.refusedRow, grid.Col());
        platform::ShowMessage(this, QStringLiteral("TELM - Внимание!"),
                              EntryRefusalMessage(paste.refusedText), platform::MsgIcon::Critical);
    }
}

} // namespace telm
