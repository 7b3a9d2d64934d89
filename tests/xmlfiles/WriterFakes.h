// A tiny grid and an amount reader for the writer tests.
#pragma once

#include "xmlfiles/DataFile.h"

#include <QString>

#include <optional>
#include <vector>

namespace telm::test {

struct FakeGridRow
{
    int band = 0;
    std::vector<QString> cells;
};

class FakeGrid : public WriterGrid
{
public:
    std::vector<FakeGridRow> rows; // rows[0] is the header row

    int rowCount() const override { return static_cast<int>(rows.size()); }
    int fixedRows() const override { return 1; }
    int band(int row) const override { return rows[static_cast<size_t>(row)].band; }
    QString text(int row, int col) const override
    {
        const auto& cells = rows[static_cast<size_t>(row)].cells;
        return col < static_cast<int>(cells.size()) ? cells[static_cast<size_t>(col)] : QString();
    }
};

// Reads "1234", "1 234", "-1 234" and "(1 234)"; blank text and anything else is no number.
inline std::optional<double> readDisplayAmount(const QString& text)
{
    QString digits = text.trimmed();
    bool negative = false;
    if (digits.startsWith(u'(') && digits.endsWith(u')')) {
        negative = true;
        digits = digits.mid(1, digits.size() - 2);
    } else if (digits.startsWith(u'-')) {
        negative = true;
        digits = digits.mid(1);
    }
    digits.remove(u' ');
    digits.remove(QChar(0x00A0));
    bool ok = false;
    const double value = digits.toDouble(&ok);
    if (!ok || digits.isEmpty())
        return std::nullopt;
    return negative ? -value : value;
}

} // namespace telm::test
