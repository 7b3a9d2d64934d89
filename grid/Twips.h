// Conversion between twips (1/1440 inch), the unit the document rules use for
// every length, and device pixels at a given logical DPI.
#pragma once

#include <cmath>

namespace telm {

constexpr int kTwipsPerInch = 1440;

inline int twipsToPixels(int twips, double dpi)
{
    return static_cast<int>(std::lround(twips * dpi / kTwipsPerInch));
}

inline int pixelsToTwips(int pixels, double dpi)
{
    return dpi > 0 ? static_cast<int>(std::lround(pixels * kTwipsPerInch / dpi)) : 0;
}

} // namespace telm
