// The grid widget's table for assistive technology: the table over the grid
// widget, its cells (header cells included), the factory that makes the table
// and the listener that tells of moves and changes.
#include "grid/GridAccessible.h"

#include "grid/GridWidget.h"

#include <QAccessible>
#include <QAccessibleWidget>
#include <QHash>
#include <QPointer>
#include <QTimer>

#include <vector>

namespace telm {

namespace {

GridAccessibleEventHook& eventHook()
{
    static GridAccessibleEventHook hook;
    return hook;
}

// Events are worth making only while someone listens: a commit changes a
// dozen totals, most of them off screen.
bool announcing()
{
    return eventHook() || QAccessible::isActive();
}

void announce(QAccessibleEvent& event)
{
    if (const GridAccessibleEventHook& hook = eventHook())
        hook(event);
    QAccessible::updateAccessibility(&event);
}

// A hidden column the user can show again: what its strip is for.
QString thinStripDescription(const QString& caption)
{
    return QStringLiteral("Скрита колона „%1“, която може да се покаже").arg(caption.simplified());
}

} // namespace

class GridAccessibleTable;

// One cell of the grid: a header cell (row 0) or a body cell, known by its
// model row and column, which keep their meaning while rows are collapsed,
// expanded or scrolled.
class GridAccessibleCell : public QAccessibleInterface,
                           public QAccessibleTableCellInterface,
                           public QAccessibleValueInterface
{
public:
    GridAccessibleCell(GridWidget* grid, int row, int col) : m_grid(grid), m_row(row), m_col(col) {}

    int modelRow() const { return m_row; }
    int modelCol() const { return m_col; }

    bool isValid() const override
    {
        const GridModel* model = m_grid ? m_grid->model() : nullptr;
        return model && m_row >= 0 && m_row < model->Rows() && m_col >= 0 && m_col < model->Cols();
    }
    QObject* object() const override { return nullptr; }
    QWindow* window() const override { return m_grid ? m_grid->window()->windowHandle() : nullptr; }
    QAccessibleInterface* parent() const override
    {
        return QAccessible::queryAccessibleInterface(m_grid.data());
    }
    QAccessibleInterface* child(int) const override { return nullptr; }
    int childCount() const override { return 0; }
    int indexOfChild(const QAccessibleInterface*) const override { return -1; }
    QAccessibleInterface* childAt(int, int) const override { return nullptr; }

    QString text(QAccessible::Text t) const override;
    void setText(QAccessible::Text, const QString&) override {}
    QRect rect() const override;
    QAccessible::Role role() const override
    {
        return isHeader() ? QAccessible::ColumnHeader : QAccessible::Cell;
    }
    QAccessible::State state() const override;

    void* interface_cast(QAccessible::InterfaceType type) override
    {
        if (type == QAccessible::TableCellInterface && !isHeader())
            return static_cast<QAccessibleTableCellInterface*>(this);
        if (type == QAccessible::ValueInterface && amount())
            return static_cast<QAccessibleValueInterface*>(this);
        return nullptr;
    }

    // The table cell.
    int columnExtent() const override { return 1; }
    int rowExtent() const override { return 1; }
    QList<QAccessibleInterface*> columnHeaderCells() const override;
    QList<QAccessibleInterface*> rowHeaderCells() const override;
    int columnIndex() const override;
    int rowIndex() const override;
    bool isSelected() const override { return isCurrent(); }
    QAccessibleInterface* table() const override { return parent(); }

    // The amount, for cells that hold one; read-only here, typed in the editor box.
    QVariant currentValue() const override
    {
        const std::optional<double> value = amount();
        return value ? QVariant(*value) : QVariant();
    }
    void setCurrentValue(const QVariant&) override {}
    QVariant maximumValue() const override { return QVariant(); }
    QVariant minimumValue() const override { return QVariant(); }
    QVariant minimumStepSize() const override { return QVariant(); }

private:
    GridAccessibleTable* gridTable() const;
    bool isHeader() const { return m_row == 0; }
    bool isThin() const;
    bool isCurrent() const
    {
        return isValid() && !isHeader() && m_grid->model()->Row() == m_row
               && m_grid->model()->Col() == m_col;
    }
    std::optional<double> amount() const
    {
        return isValid() && !isHeader() && !isThin() ? m_grid->cellAmount(m_row, m_col)
                                                     : std::nullopt;
    }

    QPointer<GridWidget> m_grid;
    int m_row;
    int m_col;
};

// The table: the shown body rows by the rows, the columns with a width on
// screen (a hidden column kept in reach as a thin strip included) by the
// columns. Its children are the column headers, then the cells row by row.
class GridAccessibleTable : public QAccessibleWidget, public QAccessibleTableInterface
{
public:
    explicit GridAccessibleTable(GridWidget* grid) : QAccessibleWidget(grid, QAccessible::Table) {}
    ~GridAccessibleTable() override { forgetCells(); }

    GridWidget* grid() const { return static_cast<GridWidget*>(widget()); }
    const GridModel* model() const { return grid()->model(); }

    void* interface_cast(QAccessible::InterfaceType type) override
    {
        if (type == QAccessible::TableInterface)
            return static_cast<QAccessibleTableInterface*>(this);
        return QAccessibleWidget::interface_cast(type);
    }

    int childCount() const override
    {
        const int cols = columnCount();
        return cols + rowCount() * cols;
    }
    QAccessibleInterface* child(int index) const override
    {
        const int cols = columnCount();
        if (index < 0 || cols == 0 || index >= childCount())
            return nullptr;
        if (index < cols)
            return cell(0, modelCol(index));
        index -= cols;
        return cellAt(index / cols, index % cols);
    }
    int indexOfChild(const QAccessibleInterface* child) const override
    {
        const auto* c = dynamic_cast<const GridAccessibleCell*>(child);
        if (!c || !model())
            return -1;
        const int col = tableCol(c->modelCol());
        if (col < 0)
            return -1;
        if (c->modelRow() == 0)
            return col;
        const int row = tableRow(c->modelRow());
        return row < 0 ? -1 : columnCount() + row * columnCount() + col;
    }
    QAccessibleInterface* childAt(int x, int y) const override
    {
        int row = 0;
        int col = 0;
        const QPoint pos = grid()->viewport()->mapFromGlobal(QPoint(x, y));
        if (!model() || !grid()->hitTest(pos, row, col))
            return nullptr;
        return cell(row, col);
    }
    QAccessibleInterface* focusChild() const override
    {
        if (!model() || !grid()->hasFocus())
            return nullptr;
        return cell(model()->Row(), model()->Col());
    }

    // The table.
    QAccessibleInterface* caption() const override { return nullptr; }
    QAccessibleInterface* summary() const override { return nullptr; }
    QAccessibleInterface* cellAt(int row, int column) const override
    {
        if (!model() || row < 0 || row >= rowCount() || column < 0 || column >= columnCount())
            return nullptr;
        return cell(layout().shownRows()[row], modelCol(column));
    }
    int columnCount() const override { return static_cast<int>(columns().size()); }
    int rowCount() const override { return model() ? layout().shownCount() : 0; }
    QString columnDescription(int column) const override
    {
        const int col = modelCol(column);
        return col < 0 ? QString() : model()->TextMatrix(0, col).simplified();
    }
    QString rowDescription(int row) const override
    {
        if (!model() || row < 0 || row >= rowCount())
            return QString();
        return model()->TextMatrix(layout().shownRows()[row], 0);
    }
    int selectedCellCount() const override { return selectedCells().size(); }
    int selectedColumnCount() const override { return 0; }
    int selectedRowCount() const override { return 0; }
    QList<QAccessibleInterface*> selectedCells() const override
    {
        if (!model() || tableRow(model()->Row()) < 0 || tableCol(model()->Col()) < 0)
            return {};
        return {cell(model()->Row(), model()->Col())};
    }
    QList<int> selectedColumns() const override { return {}; }
    QList<int> selectedRows() const override { return {}; }
    bool isColumnSelected(int) const override { return false; }
    bool isRowSelected(int) const override { return false; }
    bool selectRow(int) override { return false; }
    bool selectColumn(int) override { return false; }
    bool unselectRow(int) override { return false; }
    bool unselectColumn(int) override { return false; }
    void modelChange(QAccessibleTableModelChangeEvent*) override { forgetCells(); }

    // The interface of a cell by its model row and column, made once and kept
    // until the rows change.
    QAccessibleInterface* cell(int row, int col) const
    {
        const quint64 key = (quint64(quint32(row)) << 32) | quint32(col);
        if (const QAccessible::Id id = m_cells.value(key)) {
            if (QAccessibleInterface* known = QAccessible::accessibleInterface(id))
                return known;
        }
        auto* made = new GridAccessibleCell(grid(), row, col);
        m_cells.insert(key, QAccessible::registerAccessibleInterface(made));
        return made;
    }
    // Table row and column of a model row and column; -1 when not shown.
    int tableRow(int row) const { return model() ? layout().shownIndex(row) : -1; }
    int tableCol(int col) const
    {
        const std::vector<int> shown = columns();
        for (int i = 0; i < static_cast<int>(shown.size()); ++i) {
            if (shown[i] == col)
                return i;
        }
        return -1;
    }
    int modelCol(int column) const
    {
        const std::vector<int> shown = columns();
        return column >= 0 && column < static_cast<int>(shown.size()) ? shown[column] : -1;
    }
    bool isThin(int col) const { return model() && layout().isThin(col); }

private:
    const GridGeometry& layout() const { return grid()->geometry(); }
    std::vector<int> columns() const
    {
        std::vector<int> shown;
        if (!model())
            return shown;
        const GridGeometry& g = layout();
        for (int c = 0; c < g.columnCount(); ++c) {
            if (g.colWidth(c) > 0)
                shown.push_back(c);
        }
        return shown;
    }
    void forgetCells()
    {
        for (const QAccessible::Id id : std::as_const(m_cells))
            QAccessible::deleteAccessibleInterface(id);
        m_cells.clear();
    }

    mutable QHash<quint64, QAccessible::Id> m_cells;
};

GridAccessibleTable* GridAccessibleCell::gridTable() const
{
    return dynamic_cast<GridAccessibleTable*>(parent());
}

bool GridAccessibleCell::isThin() const
{
    const GridAccessibleTable* t = gridTable();
    return t && t->isThin(m_col);
}

QString GridAccessibleCell::text(QAccessible::Text t) const
{
    if (!isValid())
        return QString();
    const QString own = m_grid->model()->TextMatrix(m_row, m_col);
    switch (t) {
    case QAccessible::Name:
        if (isHeader())
            return own.simplified();
        return isThin() ? QString() : own; // a strip shows nothing of its text
    case QAccessible::Value: return isHeader() || isThin() ? QString() : own;
    case QAccessible::Description:
        return isThin() ? thinStripDescription(m_grid->model()->TextMatrix(0, m_col)) : QString();
    default: return QString();
    }
}

QRect GridAccessibleCell::rect() const
{
    if (!isValid())
        return QRect();
    const QRect local = m_grid->cellRect(m_row, m_col);
    return local.isNull() ? QRect() : QRect(m_grid->mapToGlobal(local.topLeft()), local.size());
}

QAccessible::State GridAccessibleCell::state() const
{
    QAccessible::State s;
    if (!isValid()) {
        s.invalid = true;
        return s;
    }
    const GridModel& model = *m_grid->model();
    const QRect local = m_grid->cellRect(m_row, m_col);
    if (local.isNull())
        s.invisible = true;
    else if (!local.intersects(m_grid->viewport()->geometry()))
        s.offscreen = true;
    if (isHeader())
        return s;
    s.readOnly = !m_grid->isCellEditable(m_row, m_col);
    s.editable = !s.readOnly;
    if (m_col >= model.FixedCols()) {
        s.focusable = true;
        s.selectable = true;
    }
    s.selected = isCurrent();
    s.focused = isCurrent() && m_grid->hasFocus();
    if (m_col == 0 && model.hasChildren(m_row)) {
        s.expandable = true;
        s.collapsed = model.isCollapsed(m_row);
        s.expanded = !s.collapsed;
    }
    return s;
}

QList<QAccessibleInterface*> GridAccessibleCell::columnHeaderCells() const
{
    const GridAccessibleTable* t = gridTable();
    if (!t)
        return {};
    return {t->cell(0, m_col)};
}

QList<QAccessibleInterface*> GridAccessibleCell::rowHeaderCells() const
{
    const GridAccessibleTable* t = gridTable();
    if (!t || t->tableCol(0) < 0)
        return {};
    return {t->cell(m_row, 0)}; // the row's title
}

int GridAccessibleCell::columnIndex() const
{
    const GridAccessibleTable* t = gridTable();
    return t ? t->tableCol(m_col) : -1;
}

int GridAccessibleCell::rowIndex() const
{
    const GridAccessibleTable* t = gridTable();
    return t && !isHeader() ? t->tableRow(m_row) : -1;
}

namespace {

QAccessibleInterface* gridFactory(const QString& className, QObject* object)
{
    if (className == QLatin1String(GridWidget::staticMetaObject.className()) && object
        && object->isWidgetType())
        return new GridAccessibleTable(static_cast<GridWidget*>(object));
    return nullptr;
}

GridAccessibleTable* tableOf(GridWidget& grid)
{
    return dynamic_cast<GridAccessibleTable*>(QAccessible::queryAccessibleInterface(&grid));
}

// The current cell's interface when it is in the table and the grid has the focus.
QAccessibleInterface* focusedCell(GridWidget& grid)
{
    const GridModel* model = grid.model();
    GridAccessibleTable* table = model && grid.hasFocus() ? tableOf(grid) : nullptr;
    if (!table || table->tableRow(model->Row()) < 0 || table->tableCol(model->Col()) < 0)
        return nullptr;
    return table->cell(model->Row(), model->Col());
}

void announceFocus(GridWidget& grid)
{
    if (QAccessibleInterface* cell = focusedCell(grid)) {
        QAccessibleEvent event(cell, QAccessible::Focus);
        announce(event);
    }
}

} // namespace

void InstallGridAccessibility()
{
    QAccessible::installFactory(gridFactory); // the same factory twice is ignored
}

GridModel::Listener GridAccessibleListener(GridWidget& grid)
{
    QPointer<GridWidget> guard(&grid);
    return {
        .enterCell =
            [guard] {
                if (guard && announcing())
                    announceFocus(*guard);
            },
        .cellChanged =
            [guard](const CellChange& change) {
                if (!guard || !announcing())
                    return;
                GridAccessibleTable* table = tableOf(*guard);
                // A strip shows no text, so it has no change to tell either.
                if (!table || change.row == 0 || table->tableRow(change.row) < 0
                    || table->tableCol(change.col) < 0 || table->isThin(change.col))
                    return;
                // The text is the cell's name; an amount is its value too.
                QAccessibleInterface* cell = table->cell(change.row, change.col);
                if (QAccessibleValueInterface* amount = cell->valueInterface()) {
                    QAccessibleValueChangeEvent value(cell, amount->currentValue());
                    announce(value);
                }
                QAccessibleEvent name(cell, QAccessible::NameChanged);
                announce(name);
            },
        .structureChanged =
            [guard] {
                if (!guard || !announcing())
                    return;
                // Rows collapsed, expanded or reloaded: the cells are made anew.
                QAccessibleTableModelChangeEvent reset(
                    guard.data(), QAccessibleTableModelChangeEvent::ModelReset);
                if (GridAccessibleTable* table = tableOf(*guard))
                    table->modelChange(&reset);
                announce(reset);
            },
    };
}

void AnnounceCurrentCellSoon(GridWidget& grid)
{
    if (!announcing())
        return;
    QTimer::singleShot(0, &grid, [guard = QPointer<GridWidget>(&grid)] {
        if (guard)
            announceFocus(*guard);
    });
}

void SetGridAccessibleEventHook(GridAccessibleEventHook hook)
{
    eventHook() = std::move(hook);
}

} // namespace telm
