#include "editor/EditHistory.h"

#include <QUndoCommand>

namespace telm {

// One step: the cells an edit changed, in the order it changed them.
class EditHistory::Command : public QUndoCommand
{
public:
    Command(EditHistory& history, const QString& text, std::vector<Step> steps)
        : QUndoCommand(text), m_history(history), m_steps(std::move(steps))
    {
    }

    // The cells already hold what the edit wrote when the step is pushed;
    // writing the same texts again changes nothing and tells no one.
    void redo() override { m_history.replay(m_steps, false); }
    void undo() override { m_history.replay(m_steps, true); }

    GridCell editedCell() const
    {
        for (const Step& s : m_steps)
            if (CellChange{s.row, s.col, s.kind, {}}.isEdit())
                return {s.row, s.col};
        return {m_steps.front().row, m_steps.front().col};
    }

private:
    EditHistory& m_history;
    std::vector<Step> m_steps;
};

EditHistory::EditHistory(GridModel& grid) : m_grid(grid)
{
    m_listener =
        m_grid.addListener({.cellChanged = [this](const CellChange& change) { heard(change); }});
}

EditHistory::~EditHistory()
{
    m_grid.removeListener(m_listener);
}

void EditHistory::begin()
{
    if (m_depth++ == 0)
        m_open.clear();
}

void EditHistory::end(const QString& text)
{
    if (--m_depth > 0 || m_open.empty())
        return;
    m_stack.push(new Command(*this, text, std::move(m_open)));
    m_open.clear();
}

void EditHistory::heard(const CellChange& change)
{
    if (m_replaying)
        return;
    if (m_depth > 0) {
        m_open.push_back({change.row, change.col, change.kind, change.previous,
                          m_grid.TextMatrix(change.row, change.col)});
        return;
    }
    // An edit that went past the history cannot be undone: the document stays
    // changed until it is saved.
    if (change.isEdit())
        forgetSavedState();
}

void EditHistory::forgetSavedState()
{
    m_stack.clear();
    m_stack.resetClean();
}

void EditHistory::replay(const std::vector<Step>& steps, bool backwards)
{
    m_replaying = true;
    if (backwards) {
        for (auto s = steps.rbegin(); s != steps.rend(); ++s)
            m_grid.setTextMatrix(s->row, s->col, s->before, s->kind);
    } else {
        for (const Step& s : steps)
            m_grid.setTextMatrix(s.row, s.col, s.after, s.kind);
    }
    m_replaying = false;
}

std::optional<GridCell> EditHistory::undo()
{
    if (!m_stack.canUndo())
        return std::nullopt;
    const auto* command = static_cast<const Command*>(m_stack.command(m_stack.index() - 1));
    const GridCell cell = command->editedCell();
    m_stack.undo();
    return cell;
}

std::optional<GridCell> EditHistory::redo()
{
    if (!m_stack.canRedo())
        return std::nullopt;
    const auto* command = static_cast<const Command*>(m_stack.command(m_stack.index()));
    const GridCell cell = command->editedCell();
    m_stack.redo();
    return cell;
}

} // namespace telm
