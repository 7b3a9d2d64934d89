// telmtool hash: the checksum of a text or of a file's text.
#include "platform/RegularFile.h"
#include "tools/Telmtool.h"
#include "xmlfiles/Checksum.h"
#include "xmlfiles/DataFile.h"

namespace telm::tool {

int RunHash(const QStringList& args, std::ostream& out, std::ostream& err)
{
    CommandLine line("hash");
    const QCommandLineOption fileOption(QStringLiteral("file"), QString(), QStringLiteral("FILE"));
    line.addOption(fileOption);
    if (!line.parse(args, err))
        return kExitUsage;
    const QStringList texts = line.positional();
    const bool ofFile = line.parser().isSet(fileOption);
    if (!ofFile && texts.size() == 1) {
        out << ComputeHash(texts.first()) << "\n";
        return kExitOk;
    }
    if (ofFile && texts.isEmpty()) {
        const QString path = line.parser().value(fileOption);
        QString reason;
        const std::optional<QByteArray> bytes = platform::ReadRegularFile(path, reason);
        if (!bytes) {
            err << "telmtool hash: cannot read " << path << ": " << reason << "\n";
            return kExitFailed;
        }
        out << ComputeHashUtf8(
            std::string_view(bytes->constData(), static_cast<size_t>(bytes->size())))
            << "\n";
        return kExitOk;
    }
    return line.usage(err, QStringLiteral("expected TEXT or --file FILE"));
}

} // namespace telm::tool
