// Fuzz target: any bytes as the controls table (Blanki/Checks.txt). What
// parses is run over statements that hold the largest amounts a file may hold
// in every row it names, so a side's sum is pushed past 64 bits wherever it
// can be, and every finding is worded.
#include "checks/ControlRun.h"
#include "checks/Controls.h"
#include "checks/Statement.h"
#include "selection/Catalogue.h"

#include <QString>

#include <cstddef>
#include <cstdint>
#include <map>

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size)
{
    const QString text = QString::fromUtf8(reinterpret_cast<const char*>(data), qsizetype(size));
    telm::ControlTable table;
    if (telm::ParseControls(text, QStringLiteral("Checks.txt"), table))
        return 0;
    std::map<QString, telm::Statement> byCode;
    constexpr qint64 kLargest = (qint64(1) << 53) - 1;
    for (const telm::Control& c : table)
        for (const auto* side : {&c.left, &c.right})
            for (const telm::ControlTerm& t : *side) {
                telm::Statement& s = byCode[t.code];
                s.type = telm::DocTypeByCode(t.code);
                s.bulstat = QStringLiteral("123456786");
                s.year = QStringLiteral("2025");
                s.month = QStringLiteral("12");
                if (s.amountFields.isEmpty())
                    for (int k = 1; k <= 10; ++k)
                        s.amountFields << QStringLiteral("DocDta_Sum%1").arg(k);
                if (s.rowById.count(t.row))
                    continue;
                telm::StatementRow row;
                row.id = QString::number(t.row);
                for (int k = 0; k < 10; ++k)
                    row.amounts << QString::number(t.row % 2 ? kLargest : -kLargest);
                s.rowById[t.row] = s.rows.size();
                s.rows.push_back(row);
            }
    std::vector<const telm::Statement*> filing;
    for (const auto& [code, statement] : byCode)
        filing.push_back(&statement);
    for (const telm::ControlFailure& failure : telm::RunControls(table, filing))
        (void)telm::DescribeFailure(failure, [](qint64 v) { return QString::number(v); });
    return 0;
}
