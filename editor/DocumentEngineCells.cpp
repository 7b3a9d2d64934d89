// The document engine's cells that take no entry: which of them are computed,
// and why typing into one stores nothing.
#include "editor/DocumentEngine.h"
#include "editor/LevelTotals.h"

#include <algorithm>

namespace telm {

namespace {

bool isAmountColumn(const FormProfile& p, int col)
{
    return std::any_of(p.amounts.begin(), p.amounts.end(),
                       [col](const AmountColumn& a) { return a.column == col; });
}

bool isCarriedColumn(const FormProfile& p, int col)
{
    return std::any_of(
        p.previousYear.begin(), p.previousYear.end(),
        [col](const CaptionedColumn& c) { return c.column == col && c.carriedFrom >= 0; });
}

} // namespace

DocumentEngine::Computed DocumentEngine::computed(int row, int col) const
{
    const GridModel& g = m_grid;
    if (row < g.FixedRows() || row >= g.Rows() || col < 0 || col >= g.Cols())
        return Computed::No;
    if (!isAmountColumn(m_profile, col) && !isCarriedColumn(m_profile, col))
        return Computed::No;
    if (col == m_profile.derived.column)
        return Computed::DerivedColumn;
    if (m_resultRows.contains(g.TextMatrix(row, m_profile.idColumn)))
        return Computed::ResultRow;
    if (g.hasChildren(row) && !ReadFlag(g.TextMatrix(row, m_profile.manualColumn)))
        return Computed::GroupTotal;
    if (ReadNumber(g.TextMatrix(row, m_profile.lockedColumn)) != 0.0)
        return Computed::LockedRow;
    return Computed::No;
}

QString DocumentEngine::whyNotTyped(int row, int col) const
{
    if (canEdit(row, col))
        return QString();
    switch (computed(row, col)) {
    case Computed::GroupTotal: return QStringLiteral("Сумата се изчислява от редовете под нея");
    case Computed::DerivedColumn:
        return QStringLiteral("Сумата се изчислява от другите колони на реда");
    case Computed::ResultRow:
        if (followsEntries() || !sumButtonShown())
            return QStringLiteral("Сумата се изчислява от други редове на документа");
        return QStringLiteral("Сумата се изчислява от други редове на документа с бутона „%1“%2")
            .arg(QString::fromUtf16(m_profile.sum.caption).remove(u'&'),
                 sumsBeforeSave() ? QStringLiteral(" и при запис") : QString());
    case Computed::LockedRow: return QStringLiteral("Този ред не се попълва");
    case Computed::No: break;
    }
    if (isCarriedColumn(m_profile, col))
        return QStringLiteral("Сравнителните данни се вземат от файла с данни за предходната "
                              "година");
    if (isAmountColumn(m_profile, col))
        return QStringLiteral("Тази клетка не се попълва");
    return QStringLiteral("Сумите се въвеждат в колоните със суми");
}

} // namespace telm
