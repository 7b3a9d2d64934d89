// Last year's filing of a company: the statements the controls over
// comparatives read beside this year's.
#pragma once

#include "checks/Statement.h"

#include <deque>
#include <utility>
#include <vector>

namespace telm {

struct LastYearFiling
{
    std::vector<const Statement*> statements; // each type once at most
    // Files that are there but are not to be believed, with why: their
    // comparatives are left unchecked.
    std::vector<std::pair<QString, StatementFault>> unreadable;
    std::deque<Statement> read; // the statements read from beside the filing
};

// The statements of `filing`'s company, kind and month a year earlier:
// those among `known` and, for each type of the filing not found there, the
// data file of that type beside the statement (same name a year back).
LastYearFiling FindLastYear(const std::vector<const Statement*>& filing,
                            const std::vector<const Statement*>& known = {});

} // namespace telm
