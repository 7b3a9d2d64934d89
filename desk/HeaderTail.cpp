#include "desk/HeaderTail.h"

#include "platform/RegularFile.h"
#include "xmlfiles/XmlDocument.h"

#include <QFile>

namespace telm {

namespace {

// The header and the root's end tag fit well inside this; a file whose header
// is not there is read whole.
constexpr qint64 kTailBytes = 4096;

} // namespace

std::optional<StoredHeader> HeaderInBytes(const QByteArray& bytes)
{
    const qsizetype start = bytes.lastIndexOf("<danni");
    if (start < 0)
        return std::nullopt;
    const QByteArray endTag = QByteArrayLiteral("</danni>");
    const qsizetype end = bytes.indexOf(endTag, start);
    if (end < 0)
        return std::nullopt;
    // Within the root element the header is the path xml/danni.
    const QByteArray fragment = QByteArrayLiteral("<xml>")
                                + bytes.mid(start, end + endTag.size() - start)
                                + QByteArrayLiteral("</xml>");
    XmlDocument xml;
    if (!xml.loadBytes(fragment))
        return std::nullopt;
    StoredHeader header = ReadDataHeader(xml);
    if (header.document.isEmpty())
        return std::nullopt;
    return header;
}

std::optional<StoredHeader> ReadHeaderTail(const QString& path, qint64 size)
{
    if (size > platform::kMaxDocumentBytes)
        return std::nullopt;
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly))
        return std::nullopt;
    if (size > kTailBytes) {
        if (!file.seek(size - kTailBytes))
            return std::nullopt;
        if (std::optional<StoredHeader> header = HeaderInBytes(file.read(kTailBytes)))
            return header;
        file.seek(0);
    }
    return HeaderInBytes(file.read(platform::kMaxDocumentBytes));
}

} // namespace telm
