// Atomic save of the shared document: QSaveFile writes a temporary file beside
// the target and renames it over the target only when everything was written.
#include "xmlfiles/Checksum.h"
#include "xmlfiles/DataFile.h"
#include "xmlfiles/XmlDocument.h"

#include <QSaveFile>

namespace telm {

QByteArray DataFileBytes(const XmlDocument& xml)
{
    QByteArray bytes("<?xml version=\"1.0\" encoding=\"UTF-8\"?>\n");
    const std::string root = SerializeRootUtf8(xml);
    bytes.append(root.data(), static_cast<qsizetype>(root.size()));
    bytes.append('\n');
    return bytes;
}

SaveResult SaveDataFile(const XmlDocument& xml, const QString& path)
{
    return SaveDataFile(xml, path, {});
}

SaveResult SaveDataFile(const XmlDocument& xml, const QString& path,
                        const std::function<bool()>& beforeCommit)
{
    if (xml.isEmpty())
        return {false, QStringLiteral("Няма данни за запис.")};
    const QByteArray bytes = DataFileBytes(xml);
    QSaveFile file(path);
    if (!file.open(QIODevice::WriteOnly))
        return {false, file.errorString()};
    if (file.write(bytes) != bytes.size()) {
        const QString message = file.errorString();
        file.cancelWriting();
        return {false, message};
    }
    if (beforeCommit && !beforeCommit()) {
        file.cancelWriting();
        return {false, QStringLiteral("Записът е прекъснат.")};
    }
    if (!file.commit())
        return {false, file.errorString()};
    return {true, {}};
}

} // namespace telm
