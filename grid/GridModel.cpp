// The grid model: rows in depth-first order with their bands, texts and
// formats, the current cell and its notifications.
#include "grid/GridModel.h"

#include "xmlfiles/Rowset.h"

#include <algorithm>
#include <type_traits>
#include <utility>

namespace telm {

namespace {

bool inRange(int value, int size)
{
    return value >= 0 && value < size;
}

} // namespace

GridModel::GridModel() : m_bandFonts(kMaxBands), m_bandFontSet(kMaxBands, false)
{
    clear();
}

void GridModel::clear()
{
    m_rows.assign(2, RowData{});
    m_rows[0].cells.resize(1);
    m_rows[1].cells.resize(1);
    m_cols = 1;
    m_fixedCols = 0;
    m_row = 1;
    m_col = 0;
    m_maxBand = 0;
    m_formats.clear();
    resetColumns();
    notifyStructure();
}

void GridModel::resetColumns()
{
    m_colWidths.assign(kMaxBands, std::vector<int>(m_cols, -1));
    m_colAlign.assign(m_cols, -1);
    m_colFigures.assign(m_cols, false);
    m_colExpandable.assign(m_cols, false);
}

template <typename RowsetT>
void GridModel::bindRows(RowsetT&& rowset)
{
    constexpr bool movable =
        !std::is_const_v<std::remove_reference_t<RowsetT>> && std::is_rvalue_reference_v<RowsetT&&>;
    m_cols = std::max(1, static_cast<int>(rowset.fields.size()));
    m_rows.clear();
    m_rows.reserve(rowset.rows.size() + 1);
    m_rows.emplace_back();
    m_rows.back().cells.resize(m_cols);

    // The nearest row above of each band, to give every row its parent in one pass.
    int lastOfBand[kMaxBands];
    std::fill(std::begin(lastOfBand), std::end(lastOfBand), -1);
    m_maxBand = 0;
    for (auto& source : rowset.rows) {
        RowData row;
        row.band = std::clamp(source.band, 0, kMaxBands - 1);
        row.hasChildren = source.hasChildren;
        row.parent = row.band > 0 ? lastOfBand[row.band - 1] : -1;
        if constexpr (movable)
            row.cells = std::move(source.cells);
        else
            row.cells = source.cells;
        row.cells.resize(m_cols);
        const int index = static_cast<int>(m_rows.size());
        lastOfBand[row.band] = index;
        // A later row of a lower band closes the deeper bands below it.
        for (int b = row.band + 1; b < kMaxBands; ++b)
            lastOfBand[b] = -1;
        m_maxBand = std::max(m_maxBand, row.band);
        m_rows.push_back(std::move(row));
    }
    if (m_fixedCols >= m_cols)
        m_fixedCols = 0;
    m_row = m_rows.size() > 1 ? 1 : 0;
    m_col = 0;
    m_formats.clear();
    resetColumns();
    notifyStructure();
}

void GridModel::bind(const Rowset& rowset)
{
    bindRows(rowset);
}

void GridModel::bind(Rowset&& rowset)
{
    bindRows(std::move(rowset));
}

void GridModel::setFixedCols(int cols)
{
    const int value = std::clamp(cols, 0, m_cols - 1);
    if (value == m_fixedCols)
        return;
    m_fixedCols = value;
    notifyStructure();
}

void GridModel::setRow(int row)
{
    moveTo(row, m_col);
}

void GridModel::setCol(int col)
{
    moveTo(m_row, col);
}

void GridModel::setCurrentCell(int row, int col)
{
    moveTo(row, col);
}

void GridModel::moveTo(int row, int col)
{
    if (!inRange(row, Rows()) || !inRange(col, m_cols))
        return;
    if (row == m_row && col == m_col)
        return;
    const std::uint64_t moves = m_moves;
    bool dropped = false;
    notify([&](const Listener& l) {
        if (l.leaveCell && !dropped) {
            l.leaveCell();
            // A handler moved the current cell itself (a refused entry bouncing
            // back): that move stands, this one is dropped.
            dropped = m_moves != moves;
        }
    });
    if (dropped)
        return;
    ++m_moves;
    m_row = row;
    m_col = col;
    notify([](const Listener& l) {
        if (l.enterCell)
            l.enterCell();
    });
    notifyChanged();
}

QString GridModel::TextMatrix(int row, int col) const
{
    if (!inRange(row, Rows()) || !inRange(col, m_cols))
        return QString();
    return m_rows[row].cells[col];
}

void GridModel::setTextMatrix(int row, int col, const QString& text, CellChange::Kind kind)
{
    if (!inRange(row, Rows()) || !inRange(col, m_cols))
        return;
    QString& cell = m_rows[row].cells[col];
    if (cell == text)
        return;
    const CellChange change{row, col, kind, std::exchange(cell, text)};
    notify([&change](const Listener& l) {
        if (l.cellChanged)
            l.cellChanged(change);
    });
}

int GridModel::band(int row) const
{
    return inRange(row, Rows()) ? m_rows[row].band : 0;
}

bool GridModel::hasChildren(int row) const
{
    return inRange(row, Rows()) && m_rows[row].hasChildren;
}

int GridModel::maxBand() const
{
    return m_maxBand;
}

int GridModel::parentRow(int row) const
{
    return inRange(row, Rows()) ? m_rows[row].parent : -1;
}

bool GridModel::isCollapsed(int row) const
{
    return inRange(row, Rows()) && m_rows[row].collapsed;
}

void GridModel::setCollapsed(int row, bool collapsed)
{
    if (!inRange(row, Rows()) || row == 0 || m_rows[row].collapsed == collapsed)
        return;
    m_rows[row].collapsed = collapsed;
    notifyStructure();
    if (collapsed && !isShown(m_row)) {
        // The current cell went out of sight: bring it to the nearest shown ancestor.
        int target = m_rows[m_row].parent;
        while (target > 0 && !isShown(target))
            target = m_rows[target].parent;
        moveTo(target > 0 ? target : row, m_col);
    }
}

bool GridModel::isShown(int row) const
{
    if (!inRange(row, Rows()))
        return false;
    for (int p = m_rows[row].parent; p >= 0; p = m_rows[p].parent) {
        if (m_rows[p].collapsed)
            return false;
    }
    return true;
}

void GridModel::expandAll()
{
    bool any = false;
    for (RowData& row : m_rows) {
        any = any || row.collapsed;
        row.collapsed = false;
    }
    if (any)
        notifyStructure();
}

int GridModel::ColWidth(int col, int band) const
{
    const int raw = rawColWidth(col, band);
    return raw < 0 ? kDefaultColWidth : raw;
}

int GridModel::rawColWidth(int col, int band) const
{
    if (!inRange(col, m_cols) || !inRange(band, kMaxBands))
        return 0;
    return m_colWidths[band][col];
}

void GridModel::setColWidth(int col, int band, int twips)
{
    if (!inRange(col, m_cols) || !inRange(band, kMaxBands))
        return;
    const int value = twips < 0 ? -1 : twips;
    if (m_colWidths[band][col] == value)
        return;
    m_colWidths[band][col] = value;
    notifyStructure();
}

int GridModel::RowHeight(int row) const
{
    if (!inRange(row, Rows()))
        return 0;
    const int height = m_rows[row].height;
    return height < 0 ? m_defaultRowHeight : height;
}

void GridModel::setRowHeight(int row, int twips)
{
    if (!inRange(row, Rows()))
        return;
    const int value = twips < 0 ? -1 : twips;
    if (m_rows[row].height == value)
        return;
    m_rows[row].height = value;
    notifyStructure();
}

void GridModel::setDefaultRowHeight(int twips)
{
    const int value = std::max(0, twips);
    if (value == m_defaultRowHeight)
        return;
    m_defaultRowHeight = value;
    notifyStructure();
}

void GridModel::setGridFont(const QFont& font)
{
    m_gridFont = font;
    notifyStructure();
}

QFont GridModel::bandFont(int band) const
{
    if (inRange(band, kMaxBands) && m_bandFontSet[band])
        return m_bandFonts[band];
    return m_gridFont;
}

void GridModel::setBandFont(int band, const QFont& font)
{
    if (!inRange(band, kMaxBands))
        return;
    m_bandFonts[band] = font;
    m_bandFontSet[band] = true;
    notifyChanged();
}

void GridModel::setHeaderBold(bool bold)
{
    if (bold == m_headerBold)
        return;
    m_headerBold = bold;
    notifyChanged();
}

void GridModel::setWordWrap(bool wrap)
{
    if (wrap == m_wordWrap)
        return;
    m_wordWrap = wrap;
    notifyChanged();
}

CellAlign GridModel::colAlignment(int col) const
{
    if (!inRange(col, m_cols) || m_colAlign[col] < 0)
        return CellAlign::LeftCenter;
    return static_cast<CellAlign>(m_colAlign[col]);
}

void GridModel::setColAlignment(int col, CellAlign align)
{
    if (!inRange(col, m_cols))
        return;
    m_colAlign[col] = static_cast<int>(align);
    notifyChanged();
}

bool GridModel::isFigureColumn(int col) const
{
    return inRange(col, m_cols) && m_colFigures[col];
}

void GridModel::setFigureColumn(int col, bool figures)
{
    if (!inRange(col, m_cols))
        return;
    m_colFigures[col] = figures;
    notifyChanged();
}

bool GridModel::isColExpandable(int col) const
{
    return inRange(col, m_cols) && m_colExpandable[col];
}

void GridModel::setColExpandable(int col, bool expandable)
{
    if (!inRange(col, m_cols) || m_colExpandable[col] == expandable)
        return;
    m_colExpandable[col] = expandable;
    notifyStructure();
}

const GridModel::CellFormat* GridModel::findFormat(int row, int col) const
{
    if (m_formats.empty())
        return nullptr;
    const auto it = m_formats.find(formatKey(row, col));
    return it == m_formats.end() ? nullptr : &it->second;
}

GridModel::CellFormat& GridModel::formatFor(int row, int col)
{
    return m_formats[formatKey(row, col)];
}

void GridModel::dropFormatIfEmpty(int row, int col)
{
    const auto it = m_formats.find(formatKey(row, col));
    if (it != m_formats.end() && !it->second.back.isValid() && !it->second.fore.isValid()
        && it->second.align < 0)
        m_formats.erase(it);
}

QColor GridModel::cellBackColor(int row, int col) const
{
    const CellFormat* format = findFormat(row, col);
    return format ? format->back : QColor();
}

void GridModel::setCellBackColor(int row, int col, const QColor& color)
{
    if (!inRange(row, Rows()) || !inRange(col, m_cols))
        return;
    formatFor(row, col).back = color;
    dropFormatIfEmpty(row, col);
    notifyFormat(row, col);
}

QColor GridModel::cellForeColor(int row, int col) const
{
    const CellFormat* format = findFormat(row, col);
    return format ? format->fore : QColor();
}

void GridModel::setCellForeColor(int row, int col, const QColor& color)
{
    if (!inRange(row, Rows()) || !inRange(col, m_cols))
        return;
    formatFor(row, col).fore = color;
    dropFormatIfEmpty(row, col);
    notifyFormat(row, col);
}

CellAlign GridModel::cellAlignment(int row, int col) const
{
    const CellFormat* format = findFormat(row, col);
    if (format && format->align >= 0)
        return static_cast<CellAlign>(format->align);
    return colAlignment(col);
}

void GridModel::setCellAlignment(int row, int col, CellAlign align)
{
    if (!inRange(row, Rows()) || !inRange(col, m_cols))
        return;
    formatFor(row, col).align = static_cast<int>(align);
    notifyFormat(row, col);
}

GridModel::ListenerId GridModel::addListener(Listener listener)
{
    const ListenerId id = m_listeners.nextId++;
    m_listeners.entries.push_back({id, std::make_shared<const Listener>(std::move(listener))});
    return id;
}

void GridModel::removeListener(ListenerId id)
{
    auto& entries = m_listeners.entries;
    const auto it = std::find_if(entries.begin(), entries.end(),
                                 [id](const Listeners::Entry& e) { return e.id == id; });
    if (it == entries.end())
        return;
    // While a notification runs, the entry is only emptied: the loop over the
    // entries must not lose its place.
    if (m_listeners.depth > 0)
        it->listener.reset();
    else
        entries.erase(it);
}

template <typename Call>
void GridModel::notify(Call call)
{
    ++m_listeners.depth;
    // By index, and holding the listener: a listener may add or remove
    // listeners, itself included, while it runs. One added now hears the next
    // notification, not this one.
    const std::size_t count = m_listeners.entries.size();
    for (std::size_t i = 0; i < count && i < m_listeners.entries.size(); ++i) {
        if (const std::shared_ptr<const Listener> listener = m_listeners.entries[i].listener)
            call(*listener);
    }
    if (--m_listeners.depth == 0)
        std::erase_if(m_listeners.entries, [](const Listeners::Entry& e) { return !e.listener; });
}

void GridModel::notifyChanged()
{
    notify([](const Listener& l) {
        if (l.changed)
            l.changed();
    });
}

void GridModel::notifyFormat(int row, int col)
{
    notify([row, col](const Listener& l) {
        if (l.cellFormatChanged)
            l.cellFormatChanged(row, col);
    });
}

void GridModel::notifyStructure()
{
    ++m_layoutRevision;
    notify([](const Listener& l) {
        if (l.structureChanged)
            l.structureChanged();
    });
}

} // namespace telm
