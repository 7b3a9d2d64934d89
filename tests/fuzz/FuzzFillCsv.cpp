// Fuzz target: any bytes as the CSV telmtool fill reads. Every non-blank line
// is either an entry or reported as skipped with its line number, and each
// entry's amount is read as typing reads it (taken or refused with a message).
#include "editor/AmountText.h"
#include "tools/FillCsv.h"

#include <QByteArray>
#include <QRegularExpression>

#include <cstddef>
#include <cstdint>

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size)
{
    const QByteArray bytes(reinterpret_cast<const char*>(data), qsizetype(size));
    std::vector<telm::FillEntry> entries;
    QStringList skipped;
    telm::tool::ReadFillCsv(bytes, QStringLiteral("f.csv"), entries, skipped);
    QString text = QString::fromUtf8(bytes);
    if (text.startsWith(QChar(0xFEFF)))
        text.remove(0, 1);
    qsizetype lines = 0;
    for (const QString& line : text.split(QRegularExpression(QStringLiteral("\r\n|\n|\r"))))
        lines += line.trimmed().isEmpty() ? 0 : 1;
    // The one header line aside, every line is accounted for.
    const qsizetype accounted = qsizetype(entries.size()) + skipped.size();
    if (accounted != lines && accounted + 1 != lines)
        __builtin_trap();
    for (const telm::FillEntry& entry : entries) {
        if (!entry.origin.startsWith(QStringLiteral("f.csv:")))
            __builtin_trap();
        const telm::AmountReading reading = telm::ReadAmountText(entry.amount);
        if (reading.refusal && telm::EntryRefusalMessage(entry.amount).isEmpty())
            __builtin_trap();
    }
    return 0;
}
