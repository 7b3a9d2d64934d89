// The shared XML document: one pugixml document that the dialogs, the forms,
// the writer and the conditions loader use one after another.
#pragma once

#include <QString>

#include <pugixml.hpp>

namespace telm {

class XmlDocument
{
public:
    // Replaces the content with the file. A failed load (missing, not well-formed)
    // leaves the document empty; the return value is for callers that care.
    bool load(const QString& path);
    void clear() { m_doc.reset(); }
    bool isEmpty() const { return !m_doc.document_element(); }

    pugi::xml_node root() const { return m_doc.document_element(); }
    pugi::xml_document& doc() { return m_doc; }
    const pugi::xml_document& doc() const { return m_doc; }

private:
    pugi::xml_document m_doc;
};

} // namespace telm
