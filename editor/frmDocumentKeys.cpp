// The document form's keyboard road: the shortcuts, Enter, Tab and Shift+Tab
// over the cells that take amounts, undo and redo, finding a row, and the
// status bar that says what the program did.
#include "editor/EntryRoad.h"
#include "editor/FindingsPanel.h"
#include "editor/frmDocument.h"
#include "grid/GridWidget.h"

#include <QAction>
#include <QFileInfo>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QStatusBar>

namespace telm {

namespace {

constexpr int kNoteMs = 6000;

} // namespace

void frmDocument::addShortcuts()
{
    auto action = [this](const QList<QKeySequence>& keys, auto slot) {
        auto* a = new QAction(this);
        a->setShortcuts(keys);
        connect(a, &QAction::triggered, this, slot);
        addAction(a);
    };
    action({QKeySequence(Qt::CTRL | Qt::Key_S)}, [this] { cmdSave_Click(); });
    action({QKeySequence(Qt::CTRL | Qt::Key_P)}, [this] { cmdPrint_Click(); });
    action({QKeySequence(Qt::CTRL | Qt::Key_Z)}, [this] { undoEntry(false); });
    action({QKeySequence(Qt::CTRL | Qt::Key_Y), QKeySequence(Qt::CTRL | Qt::SHIFT | Qt::Key_Z)},
           [this] { undoEntry(true); });
    action({QKeySequence(Qt::CTRL | Qt::Key_F)}, [this] { openFind(); });
    action({QKeySequence(Qt::Key_F3)}, [this] { findNext(false); });

    m_statusBar = new QStatusBar(this);
    m_statusBar->setObjectName(QStringLiteral("staDocument"));
    m_statusBar->setSizeGripEnabled(false);
    m_lblStatus = new QLabel(m_statusBar);
    m_lblStatus->setObjectName(QStringLiteral("lblStatus"));
    m_statusBar->addWidget(m_lblStatus, 1);
    m_txtFind = new QLineEdit(m_statusBar);
    m_txtFind->setObjectName(QStringLiteral("txtFind"));
    m_txtFind->setPlaceholderText(QStringLiteral("Търсене на ред: думи от името или код"));
    m_txtFind->setAccessibleName(QStringLiteral("Търсене на ред"));
    m_txtFind->setClearButtonEnabled(true);
    m_txtFind->setMinimumWidth(px(4200));
    m_txtFind->installEventFilter(this);
    m_statusBar->addPermanentWidget(m_txtFind);
    m_txtFind->hide();
    // Typing looks for the words from where the search began.
    connect(m_txtFind, &QLineEdit::textEdited, this, [this] { findNext(true); });
}

void frmDocument::showStatus(const QString& text)
{
    m_statusBar->clearMessage();
    m_lblStatus->setText(text);
}

QString frmDocument::statusText() const
{
    return m_lblStatus->text();
}

void frmDocument::note(const QString& text)
{
    m_statusBar->showMessage(text, kNoteMs);
}

void frmDocument::edited()
{
    // "Записано" is true only until the next edit, and so are the findings' amounts.
    m_lblStatus->clear();
    if (m_findings && m_findings->isVisible())
        m_findings->markOutdated();
}

void frmDocument::updateTitle()
{
    const QString caption = QString::fromUtf16(m_engine.profile().caption);
    const QString file = m_engine.eEditType() == 1 ? m_engine.targetPath() : m_engine.savedPath();
    setWindowTitle(file.isEmpty() ? caption
                                  : caption + QStringLiteral(" — ") + QFileInfo(file).fileName());
}

void frmDocument::goToCell(GridCell cell)
{
    GridModel& grid = m_engine.grid();
    for (int p = grid.parentRow(cell.row); p >= grid.FixedRows(); p = grid.parentRow(p))
        if (grid.isCollapsed(p))
            grid.setCollapsed(p, false);
    grid.setCurrentCell(cell.row, cell.col);
    m_grid->ensureCellVisible(grid.Row(), grid.Col());
}

bool frmDocument::moveDown()
{
    const GridModel& grid = m_engine.grid();
    const std::optional<GridCell> next = NextEntryCellDown(m_engine, {grid.Row(), grid.Col()});
    if (next)
        goToCell(*next);
    else
        note(QStringLiteral("Няма други клетки за въвеждане надолу в тази колона"));
    return next.has_value();
}

bool frmDocument::moveAcross(int step)
{
    const GridModel& grid = m_engine.grid();
    const std::optional<GridCell> next =
        NextEntryCellAcross(m_engine, {grid.Row(), grid.Col()}, step);
    if (next)
        goToCell(*next);
    return next.has_value();
}

void frmDocument::undoEntry(bool redo)
{
    if (!m_loaded || !txtEdit_LostFocus())
        return;
    const std::optional<GridCell> cell = redo ? m_engine.redo() : m_engine.undo();
    if (!cell) {
        note(redo ? QStringLiteral("Няма отменено действие за връщане")
                  : QStringLiteral("Няма действие за отмяна"));
        return;
    }
    goToCell(*cell);
    m_grid->setFocus();
    const QUndoStack& stack = m_engine.undoStack();
    note(redo ? QStringLiteral("Върнато: %1").arg(stack.undoText())
              : QStringLiteral("Отменено: %1").arg(stack.redoText()));
}

void frmDocument::openFind()
{
    if (!m_loaded || !txtEdit_LostFocus())
        return;
    m_findStart = m_engine.grid().Row();
    m_txtFind->show();
    m_txtFind->selectAll();
    m_txtFind->setFocus();
}

void frmDocument::findNext(bool fromSearchStart)
{
    if (!m_loaded || !txtEdit_LostFocus())
        return;
    const QString words = m_txtFind->text().simplified();
    if (words.isEmpty()) {
        if (!fromSearchStart)
            openFind();
        return;
    }
    const GridModel& grid = m_engine.grid();
    // Typing looks again from where the search began, so the row found grows
    // more exact with every letter; F3 and Enter go on past the row found.
    const int after = fromSearchStart ? m_findStart - 1 : grid.Row();
    const std::optional<int> row = FindRow(m_engine, words, after);
    if (!row) {
        note(QStringLiteral("Няма ред с „%1“").arg(words));
        return;
    }
    goToCell(CellOnRow(m_engine, *row, grid.Col()));
    m_statusBar->clearMessage();
}

void frmDocument::closeFind(bool toGrid)
{
    m_txtFind->hide();
    if (toGrid)
        m_grid->setFocus();
}

} // namespace telm
