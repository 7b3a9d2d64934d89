// A program folder for the benchmarks: the shipped templates and controls
// copied under `folder` (Blanki), beside an empty Data folder.
#pragma once

#include <QString>

namespace telm::bench {

// False when a file could not be copied.
bool MakeProgramFolder(const QString& folder);

} // namespace telm::bench
