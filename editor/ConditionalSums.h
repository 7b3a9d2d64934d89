// Result rows computed from the conditions table: each run of entries with one
// target sums its sources (times their signs) into the target's amount.
#pragma once

#include "xmlfiles/Conditions.h"

namespace telm {

class GridModel;
struct FormProfile;

// Expands every band, then evaluates the runs in table order over the grid.
// Column 5 only, negatives written as "0"; the direct cash flow sums columns 5, 6
// and 7 and keeps negatives.
void EvaluateConditions(const FormProfile& profile, GridModel& grid, const ConditionsTable& table);

// The same runs without touching the bands: for results that follow every entry.
// `columns` are summed instead of the profile's.
void ApplyConditions(const FormProfile& profile, GridModel& grid, const ConditionsTable& table);
void ApplyConditions(const FormProfile& profile, GridModel& grid, const ConditionsTable& table,
                     const std::vector<int>& columns);

} // namespace telm
