#include "XmlDocument.h"

#include <QFile>

namespace telm {

bool XmlDocument::load(const QString& path)
{
    m_doc.reset();
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly))
        return false;
    const QByteArray bytes = file.readAll();
    const pugi::xml_parse_result result = m_doc.load_buffer(bytes.constData(), bytes.size());
    if (!result) {
        m_doc.reset();
        return false;
    }
    return true;
}

} // namespace telm
