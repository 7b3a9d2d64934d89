// The checksum of a data file and the one serialisation it is computed over.
#include "Checksum.h"

#include "Cp1251.h"
#include "DataFile.h"
#include "XmlDocument.h"

namespace telm {

namespace {

struct HashSums
{
    std::uint32_t a = 0;
    std::uint32_t b = 0;
    std::uint32_t codes = 0;   // plain sum of the codes; C is B plus this
    std::uint32_t index = 0;

    void add(std::uint8_t code)
    {
        ++index;
        a ^= (code + index) ^ 255u;
        b += code ^ 255u;
        codes += code;
    }

    QString text() const
    {
        const std::uint32_t c = b + codes;
        return QString::number(a) + u'_' + QString::number(b) + u'_' + QString::number(c);
    }
};

struct StringWriter : pugi::xml_writer
{
    std::string text;
    void write(const void* data, size_t size) override
    {
        text.append(static_cast<const char*>(data), size);
    }
};

} // namespace

QString ComputeHash(const QString& text)
{
    HashSums sums;
    const qsizetype n = text.size();
    for (qsizetype i = 0; i < n; ++i) {
        const char16_t unit = text.at(i).unicode();
        char32_t codePoint = unit;
        if (QChar::isHighSurrogate(unit) && i + 1 < n && QChar::isLowSurrogate(text.at(i + 1).unicode())) {
            codePoint = QChar::surrogateToUcs4(unit, text.at(i + 1).unicode());
            ++i;
        }
        sums.add(Cp1251Code(codePoint));
    }
    return sums.text();
}

QString ComputeHashUtf8(std::string_view utf8)
{
    HashSums sums;
    const auto* p = reinterpret_cast<const unsigned char*>(utf8.data());
    const auto* const end = p + utf8.size();
    while (p < end) {
        const unsigned char lead = *p;
        if (lead < 0x80) {
            sums.add(lead);
            ++p;
            continue;
        }
        int length = 0;
        char32_t codePoint = 0;
        if ((lead & 0xE0) == 0xC0) {
            length = 2;
            codePoint = lead & 0x1F;
        } else if ((lead & 0xF0) == 0xE0) {
            length = 3;
            codePoint = lead & 0x0F;
        } else if ((lead & 0xF8) == 0xF0) {
            length = 4;
            codePoint = lead & 0x07;
        }
        bool valid = length > 0 && end - p >= length;
        for (int k = 1; valid && k < length; ++k) {
            if ((p[k] & 0xC0) != 0x80)
                valid = false;
            else
                codePoint = (codePoint << 6) | (p[k] & 0x3F);
        }
        if (!valid) {
            // A byte that starts no character counts as one character without a code.
            sums.add(63);
            ++p;
            continue;
        }
        sums.add(Cp1251Code(codePoint));
        p += length;
    }
    return sums.text();
}

std::string SerializeRootUtf8(const XmlDocument& xml)
{
    StringWriter writer;
    const pugi::xml_node root = xml.root();
    if (root)
        root.print(writer, "", kSerializeFlags, pugi::encoding_utf8);
    return std::move(writer.text);
}

QString SerializeRoot(const XmlDocument& xml)
{
    const std::string text = SerializeRootUtf8(xml);
    return QString::fromUtf8(text.data(), static_cast<qsizetype>(text.size()));
}

QString ComputeRootHash(XmlDocument& xml)
{
    pugi::xml_node root = xml.root();
    pugi::xml_attribute hash = root.attribute("hash");
    if (!hash)
        hash = root.append_attribute("hash");
    hash.set_value("");
    return ComputeHashUtf8(SerializeRootUtf8(xml));
}

bool VerifyDataHash(XmlDocument& xml)
{
    if (xml.isEmpty())
        return false;
    const QString stored = QString::fromUtf8(xml.root().attribute("hash").value());
    const QString computed = ComputeRootHash(xml);
    return !stored.isEmpty() && stored == computed;
}

} // namespace telm
