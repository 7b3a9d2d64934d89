// The grid's layout at one resolution, rebuilt from the model's widths and
// heights (twips) when its layout revision moves on.
#include "grid/GridGeometry.h"

#include "grid/GridModel.h"
#include "grid/Twips.h"

#include <algorithm>
#include <cmath>

namespace telm {

int GridGeometry::toX(int twips) const
{
    return twips > 0 ? std::max(1, twipsToPixels(twips, m_dpiX)) : 0;
}

int GridGeometry::toY(int twips) const
{
    return twips > 0 ? std::max(1, twipsToPixels(twips, m_dpiY)) : 0;
}

namespace {

// The width of a hidden column kept in reach: about six pixels on a screen.
constexpr int kThinStripTwips = 90;

} // namespace

void GridGeometry::update(const GridModel* model, double dpiX, double dpiY, Hidden hidden)
{
    if (!model) {
        m_model = nullptr;
        m_revision = ~std::uint64_t(0);
        m_shownRows.clear();
        m_rowTop.assign(1, 0);
        m_colLeft.assign(1, 0);
        m_thin.clear();
        m_headerHeight = 0;
        m_fixedCols = 0;
        return;
    }
    if (model == m_model && m_revision == model->layoutRevision() && dpiX == m_dpiX
        && dpiY == m_dpiY && hidden == m_hidden)
        return;
    m_hidden = hidden;
    m_model = model;
    m_revision = model->layoutRevision();
    m_dpiX = dpiX;
    m_dpiY = dpiY;

    const int rows = model->Rows();
    m_shownRows.clear();
    m_shownRows.reserve(rows);
    m_rowTop.clear();
    m_rowTop.reserve(rows + 1);
    m_rowTop.push_back(0);
    const int defaultHeight = twipsToPixels(model->defaultRowHeight(), dpiY);
    for (int row = model->FixedRows(); row < rows; ++row) {
        if (!model->isShown(row))
            continue;
        const int twips = model->RowHeight(row);
        const int height =
            twips == model->defaultRowHeight() ? defaultHeight : twipsToPixels(twips, dpiY);
        m_shownRows.push_back(row);
        m_rowTop.push_back(m_rowTop.back() + height);
    }
    m_headerHeight = twipsToPixels(model->RowHeight(0), dpiY);

    const int cols = model->Cols();
    m_colLeft.assign(1, 0);
    m_thin.assign(cols, false);
    for (int col = 0; col < cols; ++col) {
        int twips = model->ColWidth(col, 0);
        if (twips == 0 && hidden == Hidden::ThinStrip && model->isColExpandable(col)) {
            twips = kThinStripTwips;
            m_thin[col] = true;
        }
        m_colLeft.push_back(m_colLeft.back() + twipsToPixels(twips, dpiX));
    }
    m_fixedCols = std::clamp(model->FixedCols(), 0, cols);
}

int GridGeometry::shownIndex(int row) const
{
    const auto it = std::lower_bound(m_shownRows.begin(), m_shownRows.end(), row);
    if (it == m_shownRows.end() || *it != row)
        return -1;
    return static_cast<int>(it - m_shownRows.begin());
}

int GridGeometry::indexAt(int contentY) const
{
    // The last shown row whose top is at or above contentY.
    const auto it = std::upper_bound(m_rowTop.begin(), m_rowTop.end() - 1, contentY);
    return std::max(0, static_cast<int>(it - m_rowTop.begin()) - 1);
}

} // namespace telm
