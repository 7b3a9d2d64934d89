// Reading the year typed in the new-document dialog and the period text of a
// data file's header, both strictly, so a stray sign, blank or exponent can
// never turn into a negative, overflowing or wrong year.
#pragma once

#include <QString>
#include <QtGlobal>

#include <optional>

namespace telm {

// A typed year is exactly four ASCII decimal digits ("2005", "1900", "0999");
// anything else gives no value. "0999" reads as 999.
std::optional<qint16> YearFromText(const QString& text);

struct PeriodText
{
    QString month; // "3", "6", "9" or "12"
    qint16 year = 0;
};

// The header's period "<month>/<year>": the month 1 to 12 (one leading zero
// allowed and dropped: "03" reads "3"),
// the year one to four ASCII digits (0..9999).
std::optional<PeriodText> PeriodFromText(const QString& text);

} // namespace telm
