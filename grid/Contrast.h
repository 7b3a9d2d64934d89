// The contrast of text against its background as the Web Content Accessibility
// Guidelines measure it: from 1 (the same colour) to 21 (black on white). Text
// is readable by most people with low vision from 4.5 up.
#pragma once

#include <QColor>

namespace telm {

constexpr double kReadableContrast = 4.5;

// The relative luminance of a colour: 0 for black, 1 for white.
double RelativeLuminance(const QColor& color);

// The contrast ratio of two colours, whichever is the lighter.
double ContrastRatio(const QColor& a, const QColor& b);

} // namespace telm
