#include "xmlfiles/XmlDocument.h"

#include <QFile>

namespace telm {

bool XmlDocument::load(const QString& path)
{
    m_doc.reset();
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly))
        return false;
    const qint64 size = file.size();
    if (size <= 0 || size > qint64(0x7fffffff))
        return false;
    // Read straight into a buffer the document takes over and parses in place:
    // no second copy of a large file.
    void* buffer = pugi::get_memory_allocation_function()(static_cast<size_t>(size));
    if (!buffer)
        return false;
    if (file.read(static_cast<char*>(buffer), size) != size) {
        pugi::get_memory_deallocation_function()(buffer);
        return false;
    }
    const pugi::xml_parse_result result =
        m_doc.load_buffer_inplace_own(buffer, static_cast<size_t>(size));
    if (!result) {
        m_doc.reset();
        return false;
    }
    return true;
}

} // namespace telm
