// Where the rows and columns of a grid model lie at one resolution (the
// screen's or a printer's), in device units: the rows shown (none under a
// collapsed row), their tops, the columns' left edges by band 0's widths and
// the header height. The widget and the painter share it; it is rebuilt only
// when the model's layout or the resolution changes.
#pragma once

#include <cstdint>
#include <vector>

namespace telm {

class GridModel;

class GridGeometry
{
public:
    // Whether hidden columns that can be shown keep a thin strip (on screen)
    // or vanish (on paper).
    enum class Hidden { Vanish, ThinStrip };

    // Brings the layout up to date with `model` at dpiX × dpiY device units per
    // inch. Cheap when neither the model's layout nor the resolution changed.
    void update(const GridModel* model, double dpiX, double dpiY, Hidden hidden = Hidden::Vanish);

    double dpiX() const { return m_dpiX; }
    double dpiY() const { return m_dpiY; }
    // A length in twips as device units across and down; at least 1 for any
    // positive length, so a margin never vanishes at a low resolution.
    int toX(int twips) const;
    int toY(int twips) const;

    // Body rows shown, in grid order, and the top of each relative to the first
    // body row; rowTop(shownCount()) is the height of the whole body.
    const std::vector<int>& shownRows() const { return m_shownRows; }
    int shownCount() const { return static_cast<int>(m_shownRows.size()); }
    int rowTop(int index) const { return m_rowTop[index]; }
    int rowHeightAt(int index) const { return m_rowTop[index + 1] - m_rowTop[index]; }
    // Index of a row among the shown rows; -1 when hidden or the header.
    int shownIndex(int row) const;
    // The shown row whose extent holds `contentY` (0 at the first body row's
    // top); the first for a negative y, the last below the body.
    int indexAt(int contentY) const;

    // Left edges of the columns by band 0's widths; colLeft(cols) is the width
    // of the whole grid. A column of zero width is hidden.
    int colLeft(int col) const { return m_colLeft[col]; }
    int colWidth(int col) const { return m_colLeft[col + 1] - m_colLeft[col]; }
    int columnCount() const { return static_cast<int>(m_colLeft.size()) - 1; }
    // A hidden column drawn as a thin strip, to be reached and shown.
    bool isThin(int col) const { return col >= 0 && col < columnCount() && m_thin[col]; }

    int headerHeight() const { return m_headerHeight; }
    int bodyHeight() const { return m_rowTop.back(); }
    int totalWidth() const { return m_colLeft.back(); }
    int fixedWidth() const { return m_colLeft[m_fixedCols]; }
    int fixedCols() const { return m_fixedCols; }

private:
    const GridModel* m_model = nullptr;
    std::uint64_t m_revision = ~std::uint64_t(0);
    double m_dpiX = 0;
    double m_dpiY = 0;
    Hidden m_hidden = Hidden::Vanish;
    std::vector<bool> m_thin;
    std::vector<int> m_shownRows;
    std::vector<int> m_rowTop{0};
    std::vector<int> m_colLeft{0};
    int m_headerHeight = 0;
    int m_fixedCols = 0;
};

} // namespace telm
