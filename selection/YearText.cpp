#include "selection/YearText.h"

namespace telm {

namespace {

bool allAsciiDigits(QStringView text)
{
    for (const QChar ch : text) {
        if (ch < u'0' || ch > u'9')
            return false;
    }
    return true;
}

// Value of 1..4 ASCII digits; the caller has checked the characters.
qint16 digitsValue(QStringView text)
{
    int value = 0;
    for (const QChar ch : text)
        value = value * 10 + (ch.unicode() - u'0');
    return static_cast<qint16>(value);
}

} // namespace

std::optional<qint16> YearFromText(const QString& text)
{
    if (text.size() != 4 || !allAsciiDigits(text))
        return std::nullopt;
    return digitsValue(text);
}

std::optional<PeriodText> PeriodFromText(const QString& text)
{
    const qsizetype slash = text.indexOf(u'/');
    if (slash < 0)
        return std::nullopt;
    // Any month of the year: a statement is not always for a quarter's end.
    // One leading zero is allowed ("03") and dropped.
    const QStringView monthText = QStringView(text).left(slash);
    const QStringView yearText = QStringView(text).mid(slash + 1);
    if (monthText.isEmpty() || monthText.size() > 2 || !allAsciiDigits(monthText))
        return std::nullopt;
    const int monthValue = digitsValue(monthText);
    if (monthValue < 1 || monthValue > 12)
        return std::nullopt;
    const QString month = QString::number(monthValue);
    if (yearText.isEmpty() || yearText.size() > 4 || !allAsciiDigits(yearText))
        return std::nullopt;
    // 0 is a year the new-document dialog accepts ("0000"), so files it wrote reopen.
    return PeriodText{month, digitsValue(yearText)};
}

} // namespace telm
