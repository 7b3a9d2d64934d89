// The hierarchical grid on screen: shows a GridModel it does not own through
// the grid painter, scrolls by pixels, collapses and expands bands, and turns
// keys and mouse into moves of the model's current cell.
//
// One header row serves all bands: every row is laid out with band 0's column
// widths, so the columns line up under the header whatever the band. Left and
// Right skip columns of zero width, and Up and Down skip rows hidden under a
// collapsed row, so the current cell never lands where it cannot be seen.
#pragma once

#include "grid/GridGeometry.h"

#include <QAbstractScrollArea>
#include <QImage>

#include <cstdint>
#include <functional>
#include <optional>

namespace telm {

class GridModel;

class GridWidget : public QAbstractScrollArea
{
    Q_OBJECT

public:
    // Notifications the document form hooks. keyDown comes first; setting
    // `handled` stops the key there. keyPress follows for keys that carry a
    // character (its code, settable to 0 to swallow it); then the grid moves.
    struct Events
    {
        std::function<void(int& keyAscii)> keyPress;
        std::function<void(int key, Qt::KeyboardModifiers modifiers, bool& handled)> keyDown;
        std::function<void()> doubleClick;
        std::function<void()> gotFocus;
        std::function<void()> scroll;
        std::function<void(int row, bool& cancel)> collapse;
        std::function<void(int row, bool& cancel)> expand;
    };

    explicit GridWidget(QWidget* parent = nullptr);
    ~GridWidget() override;

    void setModel(GridModel* model);
    GridModel* model() const { return m_model; }
    Events& events() { return m_events; }

    // The cells the program computes, drawn on their own background.
    void setComputedCells(std::function<bool(int row, int col)> computed);

    // Posts a key-down to the grid itself, which then performs its own move.
    void postKeyDown(int key, Qt::KeyboardModifiers modifiers = Qt::NoModifier);

    // The row and column under the mouse at the last mouse event (row 0 is the header).
    int MouseRow() const { return m_mouseRow; }
    int MouseCol() const { return m_mouseCol; }

    // The current cell's geometry relative to the grid widget, in twips.
    int CellLeft() const;
    int CellTop() const;
    int CellWidth() const;
    int CellHeight() const;
    // Any cell's rectangle in pixels relative to the grid widget; empty for a
    // hidden row or a column of zero width.
    QRect cellRect(int row, int col) const;

    // The collapse/expand control of a row with children, relative to the grid
    // widget; empty when the row has none or is not on screen.
    QRect expanderRect(int row) const;

    // Scrolls so the cell is in view (below the header, right of the fixed columns).
    void ensureCellVisible(int row, int col);

    // The whole grid at its current sizes, independent of scrolling, header
    // included, without the current-cell highlight.
    QSize gridImageSize() const;
    QImage gridImage() const;

    // The tooltip of the cell at a point of the viewport: its whole text when
    // the cell cannot show it (an overflow mark, a title ending in "…"); empty
    // when it shows it all.
    QString toolTipAt(const QPoint& viewportPos) const;

    // What only the form knows of a cell, for assistive technology: whether it
    // takes an entry (without a predicate: every body cell right of the fixed
    // columns) and the amount it holds (without a reader: none).
    using CellPredicate = std::function<bool(int row, int col)>;
    using CellAmount = std::function<std::optional<double>(int row, int col)>;
    void setCellEditable(CellPredicate editable) { m_cellEditable = std::move(editable); }
    void setCellAmount(CellAmount amount) { m_cellAmount = std::move(amount); }
    bool isCellEditable(int row, int col) const;
    std::optional<double> cellAmount(int row, int col) const;

    // Pixels per inch used for the twips conversion.
    double dpiX() const;
    double dpiY() const;

protected:
    void paintEvent(QPaintEvent* event) override;
    void resizeEvent(QResizeEvent* event) override;
    void keyPressEvent(QKeyEvent* event) override;
    bool event(QEvent* event) override;
    void mousePressEvent(QMouseEvent* event) override;
    void mouseReleaseEvent(QMouseEvent* event) override;
    void mouseDoubleClickEvent(QMouseEvent* event) override;
    void focusInEvent(QFocusEvent* event) override;
    void focusOutEvent(QFocusEvent* event) override;
    void scrollContentsBy(int dx, int dy) override;
    bool viewportEvent(QEvent* event) override;

private:
    friend class GridAccessibleTable; // reads the layout and hit tests

    // The layout at the widget's resolution, brought up to date first.
    const GridGeometry& geometry() const;
    void updateScrollBars();
    void onStructureChanged();
    void updateCell(int row, int col); // repaints one cell where it is on screen
    QRect viewportCellRect(int row, int col) const;
    bool hitTest(const QPoint& viewportPos, int& row, int& col) const;

    bool moveByKey(int key, Qt::KeyboardModifiers modifiers);
    int nextVisibleCol(int col, int step) const;
    int firstVisibleCol() const;
    int lastVisibleCol() const;
    void toggleCollapsed(int row);

    GridModel* m_model = nullptr;
    std::uint64_t m_listenerId = 0;           // GridModel::ListenerId
    std::uint64_t m_accessibleListenerId = 0; // GridModel::ListenerId
    CellPredicate m_cellEditable;
    CellAmount m_cellAmount;
    Events m_events;
    std::function<bool(int row, int col)> m_computed;
    int m_mouseRow = 0;
    int m_mouseCol = 0;
    mutable GridGeometry m_geometry;
};

} // namespace telm
