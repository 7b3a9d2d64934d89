// Amount text: amounts live in the grid as display text (whole numbers grouped
// by threes, negatives in parentheses, empty for a missing amount) and are read
// back into doubles for arithmetic.
#pragma once

#include <QChar>
#include <QString>

#include <optional>

class QLocale;

namespace telm {

// The separator characters amounts are written and read with.
struct AmountLocale
{
    QChar group = QChar(0x00A0);
    QChar decimal = u',';

    static AmountLocale fromLocale(const QLocale& locale);
    static AmountLocale system(); // QLocale::system()'s separators
};

// The locale in force for the helpers below; the program sets the system one at
// start-up, tests set their own.
const AmountLocale& currentAmountLocale();
void setAmountLocale(const AmountLocale& locale);

// Reads a typed or displayed amount: blanks around it ignored, the group separator
// (and both the normal and the no-break space) accepted between digits, the locale's
// decimal separator, a leading minus or enclosing parentheses for a negative.
// Empty or blank text, and anything else, is not a number (nullopt).
std::optional<double> ReadAmount(const QString& text);

// A typed entry read like ReadAmount, but an amount of 2^53 or more in magnitude,
// which a double could not hold exactly, is refused too. Totals built from
// entries are read with ReadAmount, so a large total never blocks a save.
std::optional<double> ReadEntry(const QString& text);

// Display form of a text: empty (or blank) stays empty; a number becomes a whole
// number grouped by threes, negatives in parentheses; text that is not a number
// comes back unchanged. Fractions are rounded half away from zero (10.5 -> 11, -10.5 -> (11)).
QString FormatAmount(const QString& text);

// Display form of a computed number, rounded like FormatAmount; "0" for zero
// (never "(0)"), empty for a value that is not finite.
QString FormatNumber(double value);

// A cell read for arithmetic: empty or not a number gives 0.
double AmountOrZero(const QString& text);

} // namespace telm
