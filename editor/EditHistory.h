// Undo and redo of the user's edits. Every entry, Delete and paste is one step
// on a QUndoStack: the history listens to the grid while the edit runs and
// keeps each cell it changed (the edited cell, the derived column, every total
// and result that followed) with its text before and after, so undoing puts
// back exactly the stored texts, totals included, without computing anything.
// The stack's clean state is the saved document.
#pragma once

#include "grid/GridModel.h"

#include <QString>
#include <QUndoStack>

#include <optional>
#include <utility>
#include <vector>

namespace telm {

// A cell of the grid.
struct GridCell
{
    int row = 0;
    int col = 0;
    bool operator==(const GridCell&) const = default;
};

class EditHistory
{
public:
    explicit EditHistory(GridModel& grid);
    ~EditHistory();
    EditHistory(const EditHistory&) = delete;
    EditHistory& operator=(const EditHistory&) = delete;

    QUndoStack& stack() { return m_stack; }
    const QUndoStack& stack() const { return m_stack; }

    // Runs `edit` and keeps what it changed in the grid as one step named
    // `text` (nothing when it changed nothing); returns what `edit` returns.
    template <typename Edit>
    auto record(const QString& text, Edit&& edit)
    {
        begin();
        struct End
        {
            EditHistory& history;
            const QString& text;
            ~End() { history.end(text); }
        } end{*this, text};
        return std::forward<Edit>(edit)();
    }

    // Undoes or redoes one step; the cell the user edited in it (the first
    // one), for the cursor to go to. Nothing when there is nothing to undo.
    std::optional<GridCell> undo();
    std::optional<GridCell> redo();

    // No edit since the document was opened or last saved, or every one undone.
    bool isClean() const { return m_stack.isClean(); }
    void setClean() { m_stack.setClean(); }
    // Forgets every step: the document as it is now is the clean one.
    void clear() { m_stack.clear(); }
    // The document as it is now differs from the saved one in a way no undo
    // can take back: it stays unclean until the next save.
    void forgetSavedState();

private:
    // One cell the edit changed.
    struct Step
    {
        int row = 0;
        int col = 0;
        CellChange::Kind kind = CellChange::Kind::Set;
        QString before;
        QString after;
    };
    class Command;

    void begin();
    void end(const QString& text);
    void heard(const CellChange& change);
    void replay(const std::vector<Step>& steps, bool backwards);

    GridModel& m_grid;
    GridModel::ListenerId m_listener = 0;
    QUndoStack m_stack;
    std::vector<Step> m_open;
    int m_depth = 0;          // edits being recorded (a paste stores cells through entries)
    bool m_replaying = false; // an undo or redo is writing the grid
};

} // namespace telm
