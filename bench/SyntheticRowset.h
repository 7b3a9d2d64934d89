// A synthetic grid for the drawing benchmarks: rows over six bands, each
// top-level row opening a chain down to band 5 and then a run of leaf rows.
#pragma once

#include "xmlfiles/Rowset.h"

namespace telm::bench {

Rowset SyntheticRowset(int rows);

} // namespace telm::bench
