// Checksum helpers beyond DataFile.h: the same sums over UTF-8 bytes (what the
// serialisation produces, without a detour through QString) and the flags of the
// one serialisation.
#pragma once

#include <QString>

#include <pugixml.hpp>
#include <string>
#include <string_view>
#include <vector>

namespace telm {

class XmlDocument;

// Raw: no indentation and no added whitespace, so the text does not depend on
// how the file was laid out; pugixml writes attributes in double quotes.
constexpr unsigned int kSerializeFlags = pugi::format_raw;

// ComputeHash over UTF-8 text; a byte that starts no valid character counts as 63.
QString ComputeHashUtf8(std::string_view utf8);

// The same over text given in pieces (as a writer delivers it); equal to the
// hash of the joined pieces, wherever the cuts fall.
QString ComputeHashUtf8Pieces(const std::vector<std::string_view>& pieces);

// SerializeRoot as UTF-8 bytes; empty for an empty document.
std::string SerializeRootUtf8(const XmlDocument& xml);

// Sets `hash` on the root to empty text (creating it at the end when missing)
// and returns the checksum of the serialised root, hashed as it is written.
QString ComputeRootHash(XmlDocument& xml);

} // namespace telm
