// What makes a document file unsafe to read or to write back, found before
// anything is shown or written: a repeated attribute (which of the two is the
// amount?), a row identifier repeated at one level (which row takes the
// entry?), and characters XML 1.0 forbids (other programs reject the file).
// And the one normalisation of element texts, so that what is written reads
// back the same and keeps its checksum.
#pragma once

#include <QString>

#include <optional>

namespace telm {

class XmlDocument;

// The first fault of a loaded document, worded for the user; nothing when sound.
std::optional<QString> DocumentFault(const XmlDocument& xml);

// Whether a text holds a character XML 1.0 forbids: control characters other
// than tab, line feed and carriage return, U+FFFE and U+FFFF.
bool HasForbiddenCharacters(const QString& text);

// Element texts as they read back after a save: line ends as LF, and text that
// is empty or blanks only removed (a parser drops it). Attribute values are
// stable as they are. Run on every document before it is written.
void NormaliseTexts(XmlDocument& xml);

} // namespace telm
