// Fuzz target: the CSV fields telmtool extract writes, read back by a strict
// RFC 4180 reader: the fields come back exactly as written (texts with the
// formula guard's ' where it belongs), one record, nothing swallowed.
#include "tools/CsvWriter.h"

#include <QByteArray>
#include <QList>
#include <QString>

#include <cstddef>
#include <cstdint>
#include <optional>

namespace {

// A strict RFC 4180 reader of one record ending in CRLF; nullopt for anything
// else (a stray quote, text after a closing quote, a bare line end).
std::optional<QList<QByteArray>> readRecord(const QByteArray& csv)
{
    QList<QByteArray> fields;
    QByteArray field;
    qsizetype i = 0;
    const qsizetype n = csv.size();
    for (;;) {
        field.clear();
        if (i < n && csv[i] == '"') {
            ++i;
            for (;;) {
                if (i >= n)
                    return std::nullopt;
                if (csv[i] == '"') {
                    if (i + 1 < n && csv[i + 1] == '"') {
                        field += '"';
                        i += 2;
                        continue;
                    }
                    ++i;
                    break;
                }
                field += csv[i++];
            }
        } else {
            while (i < n && csv[i] != ',' && csv[i] != '\r' && csv[i] != '\n') {
                if (csv[i] == '"')
                    return std::nullopt;
                field += csv[i++];
            }
        }
        fields << field;
        if (i < n && csv[i] == ',') {
            ++i;
            continue;
        }
        if (i + 2 == n && csv[i] == '\r' && csv[i + 1] == '\n')
            return fields;
        return std::nullopt;
    }
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size)
{
    // The input split at 0x1F into fields; odd fields as texts, even as raw bytes.
    const QList<QByteArray> parts =
        QByteArray(reinterpret_cast<const char*>(data), qsizetype(size)).split('\x1f');
    QByteArray line;
    QList<QByteArray> expected;
    for (qsizetype k = 0; k < parts.size(); ++k) {
        if (k > 0)
            line += ',';
        if (k % 2 == 1) {
            const QString text = QString::fromUtf8(parts[k]);
            telm::tool::AppendCsvText(line, text, false);
            QByteArray shown = text.toUtf8();
            if (!shown.isEmpty() && QByteArray("=+-@\t\r").contains(shown.front()))
                shown.prepend('\'');
            expected << shown;
        } else {
            telm::tool::AppendCsvField(line, parts[k]);
            expected << parts[k];
        }
    }
    line += "\r\n";
    const std::optional<QList<QByteArray>> read = readRecord(line);
    if (!read || *read != expected)
        __builtin_trap();
    return 0;
}
