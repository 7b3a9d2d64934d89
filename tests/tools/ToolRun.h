// telmtool run in the test's own process, as its command line would run it,
// with what it printed on each stream.
#pragma once

#include "tools/Telmtool.h"

#include <QStringList>

#include <sstream>
#include <string>

namespace telm::test {

struct ToolRun
{
    int code = -1;
    std::string out;
    std::string err;
};

inline ToolRun RunTool(const QStringList& args)
{
    std::ostringstream out;
    std::ostringstream err;
    ToolRun run;
    run.code = tool::RunTelmtool(args, out, err);
    run.out = out.str();
    run.err = err.str();
    return run;
}

} // namespace telm::test
