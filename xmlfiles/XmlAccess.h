// The four access functions of the shared XML document and the row lookup.
#pragma once

#include <QString>

#include <pugixml.hpp>

namespace telm {

// Text of the first child matching `path`; empty when the node or the child is absent.
QString GetChildText(pugi::xml_node node, const QString& path);

// Replaces the text of the first child matching `path` (removing its children),
// or appends a new element named `path` with the text when none matches.
void SetChildText(pugi::xml_node parent, const QString& path, const QString& text);

// Value of an attribute; empty when the node or the attribute is absent.
QString GetNodeAttribute(pugi::xml_node node, const QString& name);

// Sets an attribute, creating it when missing. A number is stored as its decimal text.
void SetNodeAttribute(pugi::xml_node element, const QString& name, const QString& value);
void SetNodeAttribute(pugi::xml_node element, const QString& name, long long value);

// First node matching a location path, with the document (or `context`) as context.
pugi::xml_node SelectSingleNode(const pugi::xml_node& context, const QString& path);

// All nodes matching a location path, in document order; empty on a malformed path.
pugi::xpath_node_set SelectNodes(const pugi::xml_node& context, const QString& path);

// The text content of a node: its own text, or the texts of all its descendants.
QString NodeText(const pugi::xml_node& node);

// Element text as it is stored, so that it reads back the same after save and
// reload: line ends become LF, and text made only of blanks becomes empty (the
// parser drops whitespace-only text).
QString NormaliseElementText(const QString& text);

// The lookup path of a row of level 1..6 with identifier text `id`.
QString RowLookupPath(int level, const QString& id);

} // namespace telm
