// telmtool bulstat: the BULSTAT check-digit test.
#include "selection/Bulstat.h"
#include "tools/Telmtool.h"

namespace telm::tool {

int RunBulstat(const QStringList& args, std::ostream& out, std::ostream& err)
{
    if (args.size() != 1 || args.first().startsWith(QLatin1String("--"))) {
        err << "telmtool bulstat: expected one NUMBER (see telmtool bulstat --help)\n";
        return kExitUsage;
    }
    const bool valid = CheckBulstat(args.first());
    out << (valid ? "valid" : "invalid") << "\n";
    return valid ? kExitOk : kExitFailed;
}

} // namespace telm::tool
