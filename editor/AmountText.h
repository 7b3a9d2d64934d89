// Amount text: amounts live in the grid as display text (whole leva grouped by
// threes with a no-break space, negatives in parentheses, empty for a missing
// amount) and are read back into doubles for arithmetic. The separators are
// Bulgarian whatever the system's locale says: an amount is never read as
// another number because of the machine it is typed on.
#pragma once

#include <QString>

#include <optional>

namespace telm {

// Why a text is not an amount. Each kind has its own message, which says how
// to type the amount (AmountRefusalMessage).
enum class AmountRefusal {
    NotNumber,      // letters, misplaced separators, anything unreadable
    DotDecimal,     // a dot that does not separate groups of three: "12.5", "1.23"
    AmbiguousComma, // a comma followed by exactly three digits: "1,234"
    FractionDigits, // a decimal comma followed by none or more than three digits
    TooLarge,       // 2^53 or more, which a double cannot hold exactly
};

// What reading a text as an amount gave: the amount in whole leva (a decimal
// comma rounded halves away from zero), or why it is refused.
struct AmountReading
{
    std::optional<double> value;
    std::optional<AmountRefusal> refusal; // set when the text is not blank and not an amount
};

// The one reader of amount text, for every road (typing, paste, telmtool fill,
// a cell read for a sum). Blanks around the text are ignored; digits may be
// grouped by threes with a space, a no-break space, a narrow no-break space or
// a dot ("1 234 567", "1.234.567"), the first group one to three digits; a
// decimal comma takes one or two digits ("1234,5" -> 1 235); a leading minus or
// enclosing parentheses make it negative. Anything ambiguous is refused, never
// read as another number.
AmountReading ReadAmountText(const QString& text);

// The amount of a displayed or typed text, or nullopt (blank or refused).
std::optional<double> ReadAmount(const QString& text);

// A typed entry read like ReadAmount, but an amount of 2^53 or more in
// magnitude is refused too. Totals built from entries are read with
// ReadAmount, so a large total never blocks a save.
std::optional<double> ReadEntry(const QString& text);

// Why a typed entry is refused and how to type it (Bulgarian, for a message box
// or telmtool); empty when the entry is accepted.
QString EntryRefusalMessage(const QString& text);

// Display form of a text: empty (or blank) stays empty; an amount becomes whole
// leva grouped by threes, negatives in parentheses; text that is not an amount
// comes back unchanged.
QString FormatAmount(const QString& text);

// Display form of a computed number, rounded halves away from zero; "0" for
// zero (never "(0)"), empty for a value that is not finite.
QString FormatNumber(double value);

// Plain form for scripts and the clipboard: "-1500", "0"; empty for a value
// that is not finite.
QString PlainNumber(double value);

// A cell's text in plain form: an amount as PlainNumber, empty stays empty,
// anything else comes back unchanged.
QString PlainAmount(const QString& text);

// A cell read for arithmetic: empty or not a number gives 0.
double AmountOrZero(const QString& text);

} // namespace telm
