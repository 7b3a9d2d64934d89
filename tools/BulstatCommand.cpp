// telmtool bulstat: the BULSTAT check-digit test.
#include "selection/Bulstat.h"
#include "tools/Telmtool.h"

namespace telm::tool {

int RunBulstat(const QStringList& args, std::ostream& out, std::ostream& err)
{
    CommandLine line("bulstat");
    if (!line.parse(args, err))
        return kExitUsage;
    if (line.positional().size() != 1)
        return line.usage(err, QStringLiteral("expected one NUMBER"));
    const bool valid = CheckBulstat(line.positional().first());
    out << (valid ? "valid" : "invalid") << "\n";
    return valid ? kExitOk : kExitFailed;
}

} // namespace telm::tool
