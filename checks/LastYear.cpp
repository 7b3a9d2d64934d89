#include "checks/LastYear.h"

#include "checks/ControlRun.h"
#include "selection/DataFileName.h"

#include <QFileInfo>

#include <algorithm>

namespace telm {

LastYearFiling FindLastYear(const std::vector<const Statement*>& filing,
                            const std::vector<const Statement*>& known)
{
    LastYearFiling out;
    const auto haveType = [&](const DocType* type) {
        return std::any_of(out.statements.begin(), out.statements.end(),
                           [&](const Statement* s) { return s->type == type; });
    };
    for (const Statement* s : filing) {
        for (const Statement* k : known)
            if (LastYearOf(*k, *s) && !haveType(k->type))
                out.statements.push_back(k);
        if (haveType(s->type))
            continue;
        const QString path = PreviousYearPath(s->path);
        if (path.isEmpty() || !QFileInfo(path).isFile())
            continue;
        Statement last;
        if (std::optional<StatementFault> fault = ReadStatement(path, last)) {
            out.unreadable.emplace_back(path, std::move(*fault));
            continue;
        }
        if (!LastYearOf(last, *s) || last.type != s->type)
            continue; // named like it, but another company's or kind's
        out.read.push_back(std::move(last));
        out.statements.push_back(&out.read.back());
    }
    return out;
}

} // namespace telm
