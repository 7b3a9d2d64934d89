#include "desk/HeaderTail.h"

#include "platform/RegularFile.h"
#include "xmlfiles/XmlDocument.h"

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
    // Read only where it is an ordinary file: a FIFO or a device put in its
    // place after the listing would block the reader or never end.
    if (size > platform::kMaxDocumentBytes)
        return std::nullopt;
    QString error;
    const std::optional<QByteArray> tail = platform::ReadRegularFileTail(path, kTailBytes, error);
    if (!tail)
        return std::nullopt;
    if (std::optional<StoredHeader> header = HeaderInBytes(*tail))
        return header;
    if (tail->size() < kTailBytes)
        return std::nullopt; // the tail was the whole file
    const std::optional<QByteArray> whole = platform::ReadRegularFile(path, error);
    return whole ? HeaderInBytes(*whole) : std::nullopt;
}

} // namespace telm
