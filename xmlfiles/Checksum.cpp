// The checksum of a data file and the one serialisation it is computed over.
#include "xmlfiles/Checksum.h"

#include "xmlfiles/Cp1251.h"
#include "xmlfiles/DataFile.h"
#include "xmlfiles/XmlDocument.h"

#include <algorithm>
#include <array>
#include <cstdint>
#include <cstring>

namespace telm {

namespace {

struct HashSums
{
    std::uint32_t a = 0;
    std::uint32_t b = 0;
    std::uint32_t codes = 0; // plain sum of the codes; C is B plus this
    std::uint32_t index = 0;

    void add(std::uint8_t code)
    {
        ++index;
        a ^= (code + index) ^ 255u;
        b += code ^ 255u;
        codes += code;
    }

    // A run of ASCII bytes: XOR and addition commute, so the run is summed in a
    // loop without carried dependencies that the compiler can vectorise.
    void addAscii(const unsigned char* p, size_t n)
    {
        std::uint32_t x = 0;
        std::uint32_t sum = 0;
        const std::uint32_t first = index + 1;
        for (size_t j = 0; j < n; ++j) {
            x ^= p[j] + first + static_cast<std::uint32_t>(j);
            sum += p[j];
        }
        if (n % 2 == 1)
            x ^= 255u;
        a ^= x;
        index += static_cast<std::uint32_t>(n);
        b += 255u * static_cast<std::uint32_t>(n) - sum; // c ^ 255 == 255 - c below 128
        codes += sum;
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
        if (QChar::isHighSurrogate(unit) && i + 1 < n
            && QChar::isLowSurrogate(text.at(i + 1).unicode())) {
            codePoint = QChar::surrogateToUcs4(unit, text.at(i + 1).unicode());
            ++i;
        }
        sums.add(Cp1251Code(codePoint));
    }
    return sums.text();
}

namespace {

// The codes of every two-byte character (U+0080..U+07FF, Cyrillic among them),
// indexed by its eleven payload bits: a lookup instead of a search per letter.
const std::array<std::uint8_t, 2048>& twoByteCodes()
{
    static const std::array<std::uint8_t, 2048> codes = [] {
        std::array<std::uint8_t, 2048> table{};
        for (char32_t codePoint = 0; codePoint < table.size(); ++codePoint)
            table[codePoint] = Cp1251Code(codePoint);
        return table;
    }();
    return codes;
}

// Adds the characters of UTF-8 bytes to `sums` and returns how many bytes were
// used. Unless `final`, a character cut off at the end is left for the next call,
// so text fed in pieces sums exactly like the whole text.
size_t addUtf8(HashSums& sums, const unsigned char* begin, size_t size, bool final)
{
    const unsigned char* p = begin;
    const unsigned char* const end = begin + size;
    while (p < end) {
        const unsigned char lead = *p;
        if (lead < 0x80) {
            const auto* run = p;
            // Eight bytes at a time while none has its high bit set.
            constexpr std::uint64_t kHighBits = 0x8080808080808080ULL;
            while (end - p >= 8) {
                std::uint64_t word;
                std::memcpy(&word, p, sizeof word);
                if (word & kHighBits)
                    break;
                p += 8;
            }
            while (p < end && *p < 0x80)
                ++p;
            sums.addAscii(run, static_cast<size_t>(p - run));
            continue;
        }
        if ((lead & 0xE0) == 0xC0 && end - p >= 2 && (p[1] & 0xC0) == 0x80) {
            sums.add(twoByteCodes()[static_cast<size_t>(((lead & 0x1F) << 6) | (p[1] & 0x3F))]);
            p += 2;
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
        const int available = static_cast<int>(std::min<ptrdiff_t>(end - p, length));
        bool valid = length > 0;
        for (int k = 1; valid && k < available; ++k) {
            if ((p[k] & 0xC0) != 0x80)
                valid = false;
            else
                codePoint = (codePoint << 6) | (p[k] & 0x3F);
        }
        if (valid && available < length) {
            if (!final)
                break;
            valid = false;
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
    return static_cast<size_t>(p - begin);
}

// Hashes what pugixml writes, piece by piece, without keeping the text.
class HashWriter : public pugi::xml_writer
{
public:
    void write(const void* data, size_t size) override
    {
        const auto* bytes = static_cast<const unsigned char*>(data);
        if (m_pendingSize > 0) {
            // Complete the cut-off character from the start of this piece.
            const size_t take = std::min(size, sizeof m_pending - m_pendingSize);
            std::memcpy(m_pending + m_pendingSize, bytes, take);
            const size_t total = m_pendingSize + take;
            const size_t used = addUtf8(m_sums, m_pending, total, false);
            if (used < m_pendingSize) {
                m_pendingSize = total; // still incomplete: only possible for tiny pieces
                return;
            }
            bytes += used - m_pendingSize;
            size -= used - m_pendingSize;
            m_pendingSize = 0;
        }
        const size_t used = addUtf8(m_sums, bytes, size, false);
        m_pendingSize = size - used;
        std::memcpy(m_pending, bytes + used, m_pendingSize);
    }

    QString finish()
    {
        addUtf8(m_sums, m_pending, m_pendingSize, true);
        m_pendingSize = 0;
        return m_sums.text();
    }

private:
    HashSums m_sums;
    unsigned char m_pending[8] = {};
    size_t m_pendingSize = 0;
};

} // namespace

QString ComputeHashUtf8(std::string_view utf8)
{
    HashSums sums;
    addUtf8(sums, reinterpret_cast<const unsigned char*>(utf8.data()), utf8.size(), true);
    return sums.text();
}

QString ComputeHashUtf8Pieces(const std::vector<std::string_view>& pieces)
{
    HashWriter writer;
    for (const std::string_view piece : pieces)
        writer.write(piece.data(), piece.size());
    return writer.finish();
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
    HashWriter writer;
    root.print(writer, "", kSerializeFlags, pugi::encoding_utf8);
    return writer.finish();
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
