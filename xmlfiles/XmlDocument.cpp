#include "xmlfiles/XmlDocument.h"

#include "platform/RegularFile.h"

#include <cstring>

namespace telm {

bool XmlDocument::load(const QString& path)
{
    clear();
    // Only an ordinary file of a document's size: a FIFO would block, a device
    // would never end.
    std::optional<QByteArray> bytes = platform::ReadRegularFile(path, m_error);
    if (!bytes)
        return false;
    if (bytes->isEmpty()) {
        m_error = QStringLiteral("файлът е празен");
        return false;
    }
    // The bytes just read are ours alone: the document is parsed in them,
    // without a copy of the whole file, and keeps them while it lives.
    m_bytes = std::move(*bytes);
    const pugi::xml_parse_result result =
        m_doc.load_buffer_inplace(m_bytes.data(), static_cast<size_t>(m_bytes.size()));
    if (!result) {
        clear();
        m_error = QStringLiteral("не е XML: %1").arg(QString::fromLatin1(result.description()));
        return false;
    }
    return true;
}

bool XmlDocument::loadBytes(const QByteArray& bytes)
{
    clear();
    if (bytes.isEmpty()) {
        m_error = QStringLiteral("файлът е празен");
        return false;
    }
    // The document takes over a buffer of its own and parses it in place.
    const size_t size = static_cast<size_t>(bytes.size());
    void* buffer = pugi::get_memory_allocation_function()(size);
    if (!buffer) {
        m_error = QStringLiteral("няма достатъчно памет");
        return false;
    }
    std::memcpy(buffer, bytes.constData(), size);
    const pugi::xml_parse_result result = m_doc.load_buffer_inplace_own(buffer, size);
    if (!result) {
        m_doc.reset();
        m_error = QStringLiteral("не е XML: %1").arg(QString::fromLatin1(result.description()));
        return false;
    }
    return true;
}

} // namespace telm
