// The grid model: what the hierarchical grid shows and what the totals, the
// writer and the printer read. Plain data that tells any number of listeners
// what changed; the grid painter draws it, the grid widget shows it. Measures
// are in twips.
#pragma once

#include <QColor>
#include <QFont>
#include <QString>

#include <cstdint>
#include <functional>
#include <memory>
#include <unordered_map>
#include <vector>

namespace telm {

struct Rowset;

// Cell alignment, as the flex grid names it.
enum class CellAlign { LeftCenter, CenterCenter, RightCenter, CenterTop, LeftTop, RightTop };

// One cell's text changed: which cell, how, and the text it had before. The
// edit kinds are the user's; `Computed` is what a total, a derived column or a
// result row became because of one; `Set` is the program writing a text
// outside any edit (captions, a fixture).
struct CellChange
{
    enum class Kind { Typed, Deleted, Pasted, Computed, Set };
    int row = 0;
    int col = 0;
    Kind kind = Kind::Set;
    QString previous;

    // An edit of the user's own, as opposed to what follows from one.
    bool isEdit() const
    {
        return kind == Kind::Typed || kind == Kind::Deleted || kind == Kind::Pasted;
    }
};

class GridModel
{
public:
    // Notifications, each to every listener in the order they were added; a
    // listener fills in only what it needs. leaveCell always comes before
    // enterCell, also when the program sets Row or Col; leaveCell runs while the
    // old cell is still current. cellChanged after a cell's text changed (the
    // model already holds the new text); cellFormatChanged after one cell's
    // colours or alignment; changed after anything else drawn (fonts, column
    // alignment, the current cell); structureChanged after bind, clear,
    // collapse, expand and any change of a row height or column width (anything
    // that moves cells on screen). Bind and clear raise no cellChanged: loading
    // is a reset, not an edit.
    struct Listener
    {
        std::function<void()> leaveCell = {};
        std::function<void()> enterCell = {};
        std::function<void(const CellChange&)> cellChanged = {};
        std::function<void(int row, int col)> cellFormatChanged = {};
        std::function<void()> changed = {};
        std::function<void()> structureChanged = {};
    };
    using ListenerId = std::uint64_t;

    GridModel();

    // Replaces the content: row 0 becomes the header row (empty captions), then
    // one row per rowset row, all bands expanded, current cell (1, 0) or (0, 0).
    // Column widths, column alignments, row heights and cell formats are reset;
    // fonts, header bold, word wrap and the default row height are kept.
    // No leave/enter pair is raised: binding is a reset, not a move.
    void bind(const Rowset& rowset);
    // The same, taking the rowset's cell strings instead of copying them.
    void bind(Rowset&& rowset);
    // A design-state grid: 2 rows, 1 column, 1 fixed row.
    void clear();

    int Rows() const { return static_cast<int>(m_rows.size()); }
    int Cols() const { return m_cols; }
    int FixedRows() const { return 1; }
    int FixedCols() const { return m_fixedCols; }
    void setFixedCols(int cols);

    // The current cell. Changing it raises leaveCell, then enterCell; setting the
    // value it already has raises nothing; a row or column outside the grid is
    // ignored.
    int Row() const { return m_row; }
    int Col() const { return m_col; }
    void setRow(int row);
    void setCol(int col);
    void setCurrentCell(int row, int col); // one leave/enter pair

    // Setting a text the cell already has changes nothing and raises nothing.
    QString TextMatrix(int row, int col) const;
    void setTextMatrix(int row, int col, const QString& text,
                       CellChange::Kind kind = CellChange::Kind::Set);
    QString Text() const { return TextMatrix(m_row, m_col); }
    void setText(const QString& text, CellChange::Kind kind = CellChange::Kind::Set)
    {
        setTextMatrix(m_row, m_col, text, kind);
    }

    int band(int row) const; // 0 for header and top-level rows
    bool hasChildren(int row) const;
    int maxBand() const;          // deepest band present
    int parentRow(int row) const; // the nearest row above of a lower band; -1 for none

    // Collapsing hides a row's descendants; the row itself stays shown. When the
    // current cell would be hidden it moves to the collapsed row (leave, enter).
    bool isCollapsed(int row) const;
    void setCollapsed(int row, bool collapsed);
    bool isShown(int row) const; // no collapsed ancestor
    void expandAll();

    // Widths per band: -1 means the default width, 0 hides the column.
    int ColWidth(int col, int band = 0) const;    // -1 resolved to the default
    int rawColWidth(int col, int band = 0) const; // as set, -1 kept
    void setColWidth(int col, int band, int twips);
    static constexpr int kDefaultColWidth = 960;

    int RowHeight(int row) const;          // twips
    void setRowHeight(int row, int twips); // -1 restores the default height
    int defaultRowHeight() const { return m_defaultRowHeight; }
    void setDefaultRowHeight(int twips);

    QFont gridFont() const { return m_gridFont; }
    void setGridFont(const QFont& font);
    QFont bandFont(int band) const; // the grid font unless set
    void setBandFont(int band, const QFont& font);
    bool headerBold() const { return m_headerBold; }
    void setHeaderBold(bool bold);
    bool wordWrap() const { return m_wordWrap; }
    void setWordWrap(bool wrap);

    CellAlign colAlignment(int col) const;
    void setColAlignment(int col, CellAlign align);
    // A figure column holds amounts: its cells never wrap, and an amount too
    // wide for its cell is never shown cut (the painter marks or condenses it).
    bool isFigureColumn(int col) const;
    void setFigureColumn(int col, bool figures);
    // A column a header double click can show. While its width is 0 the grid
    // widget keeps it in reach as a thin marked strip; paper leaves it out.
    bool isColExpandable(int col) const;
    void setColExpandable(int col, bool expandable);
    // Per-cell settings; an invalid colour or unset alignment falls back to the defaults.
    QColor cellBackColor(int row, int col) const;
    void setCellBackColor(int row, int col, const QColor& color);
    QColor cellForeColor(int row, int col) const;
    void setCellForeColor(int row, int col, const QColor& color);
    CellAlign cellAlignment(int row, int col) const;
    void setCellAlignment(int row, int col, CellAlign align);

    // A listener hears every notification from now until it is removed; it may
    // add or remove listeners (itself included) while it is being notified. A
    // copy of the model starts with none; one assigned to keeps its own.
    ListenerId addListener(Listener listener);
    void removeListener(ListenerId id);

    // Counts changes of the layout (the same moments as structureChanged), so a
    // view can tell whether its cached row positions are still valid.
    std::uint64_t layoutRevision() const { return m_layoutRevision; }

    static constexpr int kMaxBands = 6;

private:
    struct RowData
    {
        std::vector<QString> cells;
        int band = 0;
        bool hasChildren = false;
        bool collapsed = false;
        int height = -1;
        int parent = -1;
    };
    struct CellFormat
    {
        QColor back;
        QColor fore;
        int align = -1;
    };

    template <typename RowsetT>
    void bindRows(RowsetT&& rowset);
    void resetColumns();
    void moveTo(int row, int col);
    template <typename Call>
    void notify(Call call);
    void notifyChanged();
    void notifyFormat(int row, int col);
    void notifyStructure();
    const CellFormat* findFormat(int row, int col) const;
    CellFormat& formatFor(int row, int col);
    void dropFormatIfEmpty(int row, int col);
    std::uint64_t formatKey(int row, int col) const
    {
        return (static_cast<std::uint64_t>(row) << 32) | static_cast<std::uint32_t>(col);
    }

    std::vector<RowData> m_rows;
    int m_cols = 1;
    int m_fixedCols = 0;
    int m_row = 1;
    int m_col = 0;
    std::uint64_t m_moves = 0; // counts moves of the current cell
    int m_maxBand = 0;
    std::vector<std::vector<int>> m_colWidths; // [band][col]
    std::vector<int> m_colAlign;
    std::vector<bool> m_colFigures;
    std::vector<bool> m_colExpandable;
    std::vector<QFont> m_bandFonts;
    std::vector<bool> m_bandFontSet;
    QFont m_gridFont;
    bool m_headerBold = false;
    bool m_wordWrap = false;
    int m_defaultRowHeight = 300;
    std::unordered_map<std::uint64_t, CellFormat> m_formats; // sparse: most cells have none
    // The listeners, kept alive while they are being called; a copy of the model
    // has its own (none), so a copy never calls its original's listeners.
    struct Listeners
    {
        struct Entry
        {
            ListenerId id;
            std::shared_ptr<const Listener> listener; // null once removed
        };
        std::vector<Entry> entries;
        ListenerId nextId = 1;
        int depth = 0; // notifications under way
        Listeners() = default;
        Listeners(const Listeners&) {}
        Listeners& operator=(const Listeners&) { return *this; }
    };
    Listeners m_listeners;
    std::uint64_t m_layoutRevision = 0;
};

} // namespace telm
