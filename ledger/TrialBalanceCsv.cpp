// The text layer of a ledger's export: its encoding and its fields.
#include "ledger/TrialBalance.h"
#include "xmlfiles/Cp1251.h"

#include <QStringDecoder>

#include <array>

namespace telm {

namespace {

// The characters of the Windows-1251 codes, inverted from the checksum's table.
// Debian's Qt decodes "windows-1251" through ICU, but a Qt built without ICU
// knows only the Unicode encodings and Latin-1: the table keeps the reading the
// same on every build. The unassigned 0x98 reads as U+FFFD.
std::array<char16_t, 256> cp1251Characters()
{
    std::array<char16_t, 256> table{};
    table.fill(u'\uFFFD');
    for (char32_t c = 0; c < 0x2200; ++c) {
        const std::uint8_t code = Cp1251Code(c);
        if (code != 63 || c == U'?')
            table[code] = char16_t(c);
    }
    return table;
}

} // namespace

QString DecodeLedgerText(const QByteArray& bytes)
{
    QStringDecoder utf8(QStringDecoder::Utf8, QStringDecoder::Flag::Stateless);
    const QString text = utf8.decode(bytes);
    if (!utf8.hasError())
        return text.startsWith(QChar(0xFEFF)) ? text.mid(1) : text;
    static const std::array<char16_t, 256> table = cp1251Characters();
    QString out;
    out.reserve(bytes.size());
    for (const char byte : bytes)
        out.append(QChar(table[static_cast<unsigned char>(byte)]));
    return out;
}

QStringList SplitLedgerLine(const QString& line, QChar separator)
{
    QStringList fields;
    QString field;
    bool quoted = false;
    for (qsizetype i = 0; i < line.size(); ++i) {
        const QChar c = line[i];
        if (quoted) {
            if (c == QLatin1Char('"') && i + 1 < line.size() && line[i + 1] == QLatin1Char('"')) {
                field.append(c);
                ++i;
            } else if (c == QLatin1Char('"')) {
                quoted = false;
            } else {
                field.append(c);
            }
        } else if (c == QLatin1Char('"')) {
            quoted = true;
        } else if (c == separator) {
            fields.append(field.trimmed());
            field.clear();
        } else {
            field.append(c);
        }
    }
    fields.append(field.trimmed());
    return fields;
}

} // namespace telm
