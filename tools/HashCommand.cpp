// telmtool hash: the checksum of a text or of a file's text.
#include "platform/RegularFile.h"
#include "tools/Telmtool.h"
#include "xmlfiles/Checksum.h"
#include "xmlfiles/DataFile.h"

namespace telm::tool {

int RunHash(const QStringList& args, std::ostream& out, std::ostream& err)
{
    if (args.size() == 1 && !args.first().startsWith(QLatin1String("--"))) {
        out << ComputeHash(args.first()) << "\n";
        return kExitOk;
    }
    if (args.size() == 2 && args.first() == QLatin1String("--file")) {
        QString reason;
        const std::optional<QByteArray> bytes = platform::ReadRegularFile(args.at(1), reason);
        if (!bytes) {
            err << "telmtool hash: cannot read " << args.at(1) << ": " << reason << "\n";
            return kExitFailed;
        }
        out << ComputeHashUtf8(
            std::string_view(bytes->constData(), static_cast<size_t>(bytes->size())))
            << "\n";
        return kExitOk;
    }
    err << "telmtool hash: expected TEXT or --file FILE (see telmtool hash --help)\n";
    return kExitUsage;
}

} // namespace telm::tool
