// Synthetic documents for the benchmarks: the template format with eleven fields
// like the balance sheet, over six levels, any number of rows.
#pragma once

#include <string>

namespace telm::bench {

// A document of `rows` rows: repeated blocks of one row per level 1..5 and two
// level-6 rows, each level numbering its identifiers within the 16-bit range.
// With `uniqueIds`, every level numbers from its own start, so that an
// identifier names one row of the whole document (as telmtool fill needs).
std::string SyntheticDocument(int rows, bool uniqueIds = false);

} // namespace telm::bench
