#include "xmlfiles/Cp1251.h"

#include <array>

namespace telm {

namespace {

// Unicode code points of the codes 0x80..0xBF; 0 marks the unassigned 0x98.
constexpr char16_t kUpperHalf[64] = {
    0x0402, 0x0403, 0x201A, 0x0453, 0x201E, 0x2026, 0x2020, 0x2021, 0x20AC, 0x2030, 0x0409,
    0x2039, 0x040A, 0x040C, 0x040B, 0x040F, 0x0452, 0x2018, 0x2019, 0x201C, 0x201D, 0x2022,
    0x2013, 0x2014, 0x0000, 0x2122, 0x0459, 0x203A, 0x045A, 0x045C, 0x045B, 0x045F, 0x00A0,
    0x040E, 0x045E, 0x0408, 0x00A4, 0x0490, 0x00A6, 0x00A7, 0x0401, 0x00A9, 0x0404, 0x00AB,
    0x00AC, 0x00AD, 0x00AE, 0x0407, 0x00B0, 0x00B1, 0x0406, 0x0456, 0x0491, 0x00B5, 0x00B6,
    0x00B7, 0x0451, 0x2116, 0x0454, 0x00BB, 0x0458, 0x0405, 0x0455, 0x0457,
};

constexpr char32_t kTableSize = 0x2200; // above the highest code point with a code

// Code per code point below kTableSize; 0 above U+007F means "no code".
constexpr std::array<std::uint8_t, kTableSize> buildTable()
{
    std::array<std::uint8_t, kTableSize> table{};
    for (char32_t c = 0; c < 0x80; ++c)
        table[c] = static_cast<std::uint8_t>(c);
    for (char32_t c = 0x0410; c <= 0x044F; ++c)
        table[c] = static_cast<std::uint8_t>(0xC0 + (c - 0x0410));
    for (int i = 0; i < 64; ++i) {
        if (kUpperHalf[i] != 0)
            table[kUpperHalf[i]] = static_cast<std::uint8_t>(0x80 + i);
    }
    return table;
}

constexpr std::array<std::uint8_t, kTableSize> kTable = buildTable();

} // namespace

std::uint8_t Cp1251Code(char32_t codePoint)
{
    if (codePoint < 0x80)
        return static_cast<std::uint8_t>(codePoint);
    if (codePoint >= kTableSize)
        return 63;
    const std::uint8_t code = kTable[codePoint];
    return code != 0 ? code : 63;
}

} // namespace telm
