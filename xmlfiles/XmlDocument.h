// The shared XML document: one pugixml document that the dialogs, the forms,
// the writer and the conditions loader use one after another.
#pragma once

#include <QByteArray>
#include <QString>

#include <pugixml.hpp>

namespace telm {

class XmlDocument
{
public:
    // Replaces the content with the file. A failed load (missing, not an
    // ordinary file, larger than a document can be, not well-formed) leaves the
    // document empty; the return value and lastError() are for callers that care.
    bool load(const QString& path);
    // The same from bytes already read.
    bool loadBytes(const QByteArray& bytes);
    // Why the last load failed; empty after a successful one.
    const QString& lastError() const { return m_error; }
    void clear()
    {
        m_doc.reset();
        m_bytes = QByteArray();
        m_error.clear();
    }
    bool isEmpty() const { return !m_doc.document_element(); }

    pugi::xml_node root() const { return m_doc.document_element(); }
    pugi::xml_document& doc() { return m_doc; }
    const pugi::xml_document& doc() const { return m_doc; }

private:
    QByteArray m_bytes; // the file a loaded document was parsed in place in; before m_doc, so it
                        // outlives it
    pugi::xml_document m_doc;
    QString m_error;
};

} // namespace telm
