// telmtool verify: the integrity check of data files, one line per file.
#include "platform/RegularFile.h"
#include "tools/Telmtool.h"
#include "xmlfiles/DataFile.h"
#include "xmlfiles/DocumentChecks.h"
#include "xmlfiles/XmlDocument.h"

#include <cstring>

namespace telm::tool {

namespace {

// "OK", "TAMPERED" or "INVALID: reason".
QString verdict(const QString& path)
{
    // An ordinary file of a document's size only: never a FIFO or a device.
    QString reason;
    std::optional<QByteArray> bytes = platform::ReadRegularFile(path, reason);
    if (!bytes)
        return QStringLiteral("INVALID: cannot read the file (%1)").arg(reason);
    XmlDocument xml;
    const pugi::xml_parse_result parsed =
        xml.doc().load_buffer_inplace(bytes->data(), static_cast<size_t>(bytes->size()));
    if (!parsed)
        return QStringLiteral("INVALID: not well-formed XML (%1 at byte %2)")
            .arg(QString::fromUtf8(parsed.description()))
            .arg(parsed.offset);
    if (xml.isEmpty() || std::strcmp(xml.root().name(), "xml") != 0)
        return QStringLiteral("INVALID: not a data file (the root element is not xml)");
    if (!xml.root().attribute("hash"))
        return QStringLiteral("INVALID: no checksum (the root has no hash attribute)");
    if (!VerifyDataHash(xml))
        return QStringLiteral("TAMPERED");
    if (const std::optional<QString> fault = DocumentFault(xml))
        return QStringLiteral("INVALID: %1").arg(*fault);
    return QStringLiteral("OK");
}

} // namespace

int RunVerify(const QStringList& args, std::ostream& out, std::ostream& err)
{
    if (args.isEmpty()) {
        err << "telmtool verify: expected at least one FILE (see telmtool verify --help)\n";
        return kExitUsage;
    }
    bool allOk = true;
    for (const QString& path : args) {
        const QString result = verdict(path);
        allOk = allOk && result == QLatin1String("OK");
        out << path << ": " << result << "\n";
    }
    return allOk ? kExitOk : kExitFailed;
}

} // namespace telm::tool
