// telmtool verify: the integrity check of data files, one line per file.
#include "tools/Telmtool.h"
#include "xmlfiles/VerifiedDataFile.h"
#include "xmlfiles/XmlDocument.h"

namespace telm::tool {

namespace {

// "OK", "TAMPERED" or "INVALID: reason".
QString verdict(const QString& path)
{
    XmlDocument xml;
    const std::optional<DataFileFault> fault = OpenVerifiedDataFile(path, xml);
    return fault ? FaultVerdict(*fault) : QStringLiteral("OK");
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
