#include "xmlfiles/VerifiedDataFile.h"

#include "platform/RegularFile.h"
#include "xmlfiles/DataFile.h"
#include "xmlfiles/DocumentChecks.h"
#include "xmlfiles/XmlDocument.h"

#include <cstring>

namespace telm {

std::optional<DataFileFault> OpenDocumentFile(const QString& path, FileRole role, XmlDocument& xml,
                                              QByteArray& bytes)
{
    using Kind = DataFileFault::Kind;
    xml.clear();
    bytes.clear();
    // An ordinary file of a document's size only: never a FIFO or a device.
    QString reason;
    std::optional<QByteArray> read = platform::ReadRegularFile(path, reason);
    if (!read)
        return DataFileFault{Kind::Unreadable, reason};
    bytes = std::move(*read);
    const pugi::xml_parse_result parsed =
        xml.doc().load_buffer(bytes.constData(), static_cast<size_t>(bytes.size()));
    if (!parsed) {
        xml.clear();
        return DataFileFault{Kind::NotWellFormed, QStringLiteral("%1 at byte %2")
                                                      .arg(QString::fromUtf8(parsed.description()))
                                                      .arg(parsed.offset)};
    }
    if (role == FileRole::DataFile) {
        if (xml.isEmpty() || std::strcmp(xml.root().name(), "xml") != 0)
            return DataFileFault{Kind::NotADataFile, QString()};
        if (!xml.root().attribute("hash"))
            return DataFileFault{Kind::NoChecksum, QString()};
        if (!VerifyDataHash(xml))
            return DataFileFault{Kind::Tampered, QString()};
    }
    if (const std::optional<QString> fault = DocumentFault(xml))
        return DataFileFault{Kind::Ambiguous, *fault};
    return std::nullopt;
}

std::optional<DataFileFault> OpenVerifiedDataFile(const QString& path, XmlDocument& xml)
{
    QByteArray bytes;
    return OpenDocumentFile(path, FileRole::DataFile, xml, bytes);
}

QString FaultVerdict(const DataFileFault& fault)
{
    using Kind = DataFileFault::Kind;
    switch (fault.kind) {
    case Kind::Unreadable:
        return QStringLiteral("INVALID: cannot read the file (%1)").arg(fault.detail);
    case Kind::NotWellFormed:
        return QStringLiteral("INVALID: not well-formed XML (%1)").arg(fault.detail);
    case Kind::NotADataFile:
        return QStringLiteral("INVALID: not a data file (the root element is not xml)");
    case Kind::NoChecksum:
        return QStringLiteral("INVALID: no checksum (the root has no hash attribute)");
    case Kind::Tampered: return QStringLiteral("TAMPERED");
    case Kind::Ambiguous: return QStringLiteral("INVALID: %1").arg(fault.detail);
    }
    return QString();
}

} // namespace telm
