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
    CommandLine line("verify");
    if (!line.parse(args, err))
        return kExitUsage;
    const QStringList files = line.positional();
    if (files.isEmpty())
        return line.usage(err, QStringLiteral("expected at least one FILE"));
    bool allOk = true;
    for (const QString& path : files) {
        const QString result = verdict(path);
        allOk = allOk && result == QLatin1String("OK");
        out << path << ": " << result << "\n";
    }
    return allOk ? kExitOk : kExitFailed;
}

} // namespace telm::tool
