// Windows-1251 codes of characters, from a built-in table: the checksum counts
// every character with its one-byte code, and 63 ("?") when it has none.
#pragma once

#include <cstdint>

namespace telm {

// The Windows-1251 code of a Unicode code point, or 63 when it has none.
std::uint8_t Cp1251Code(char32_t codePoint);

} // namespace telm
