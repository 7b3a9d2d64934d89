#include "editor/ConditionalSums.h"

#include "editor/AmountText.h"
#include "editor/FormProfile.h"
#include "grid/GridModel.h"

#include <map>
#include <optional>
#include <vector>

namespace telm {

namespace {

// Identifiers and signs are plain numbers with a point, whatever the locale.
std::optional<double> readPlainNumber(const QString& text)
{
    bool ok = false;
    const double value = text.trimmed().toDouble(&ok);
    if (!ok)
        return std::nullopt;
    return value;
}

// The rows of every identifier, built once per evaluation: the identifier
// column never changes while the results are written.
using RowIndex = std::map<double, std::vector<int>>;

RowIndex indexRowsById(const GridModel& grid, int idColumn)
{
    RowIndex index;
    for (int r = grid.FixedRows(); r < grid.Rows(); ++r) {
        if (const auto id = readPlainNumber(grid.TextMatrix(r, idColumn)))
            index[*id].push_back(r);
    }
    return index;
}

const std::vector<int>& rowsOf(const RowIndex& index, const std::optional<double>& id)
{
    static const std::vector<int> none;
    if (!id)
        return none;
    const auto it = index.find(*id);
    return it == index.end() ? none : it->second;
}

} // namespace

void EvaluateConditions(const FormProfile& profile, GridModel& grid, const ConditionsTable& table)
{
    grid.expandAll();
    ApplyConditions(profile, grid, table);
}

void ApplyConditions(const FormProfile& profile, GridModel& grid, const ConditionsTable& table)
{
    ApplyConditions(profile, grid, table, profile.sum.columns);
}

void ApplyConditions(const FormProfile& profile, GridModel& grid, const ConditionsTable& table,
                     const std::vector<int>& columns)
{
    if (table.empty())
        return;

    // Column 5, negatives shown as 0, in most forms; the direct cash flow sums
    // its three current columns and keeps a net outflow.
    const SumButtonRule& sums = profile.sum;
    const RowIndex index = indexRowsById(grid, profile.idColumn);

    std::size_t i = 0;
    while (i < table.size()) {
        const std::optional<double> target = readPlainNumber(table[i].DocStr_ID);
        std::vector<double> acc(columns.size(), 0.0);
        while (i < table.size() && readPlainNumber(table[i].DocStr_ID) == target) {
            const double sign = readPlainNumber(table[i].DocCond_Sign).value_or(0.0);
            for (int r : rowsOf(index, readPlainNumber(table[i].DocStr_IDSum))) {
                for (std::size_t k = 0; k < columns.size(); ++k)
                    acc[k] += sign * AmountOrZero(grid.TextMatrix(r, columns[k]));
            }
            ++i;
        }
        const bool keepsSign =
            sums.keepsNegatives
            || (target
                && std::find(sums.signedRows.begin(), sums.signedRows.end(), *target)
                       != sums.signedRows.end());
        for (int r : rowsOf(index, target)) {
            for (std::size_t k = 0; k < columns.size(); ++k) {
                const QString text =
                    (acc[k] >= 0 || keepsSign) ? FormatNumber(acc[k]) : QStringLiteral("0");
                grid.setTextMatrix(r, columns[k], text, CellChange::Kind::Computed);
            }
        }
    }
}

} // namespace telm
