#include "editor/AmountText.h"

#include <QLocale>

#include <cmath>
#include <cstdlib>
#include <string>

namespace telm {

namespace {

// Doubles hold every whole number below 2^53 exactly; from there on a typed
// amount could be stored as a different number, so such an entry is refused.
constexpr double kAmountLimit = 9007199254740992.0;

AmountLocale& amountLocaleStore()
{
    static AmountLocale locale;
    return locale;
}

bool isSpaceLike(QChar c)
{
    return c == u' ' || c == QChar(0x00A0) || c == QChar(0x202F);
}

bool isGroupSeparator(QChar c, const AmountLocale& locale)
{
    return c == locale.group || isSpaceLike(c);
}

bool isDigit(QChar c)
{
    return c >= u'0' && c <= u'9';
}

// Reads an unsigned number body: digits, group separators only between groups
// of three digits counted from the right of the whole part ("1 234", "12 345
// 678"), then optionally the decimal separator and more digits. A separator
// anywhere else ("12,5" where commas group, "10 5") makes the text no number,
// never another number.
std::optional<double> readUnsigned(QStringView body, const AmountLocale& locale)
{
    std::string plain;
    bool anyDigit = false;
    bool inFraction = false;
    bool grouped = false;
    int groupDigits = 0; // digits since the last group separator (or the start)
    const qsizetype n = body.size();
    for (qsizetype i = 0; i < n; ++i) {
        const QChar c = body[i];
        if (isDigit(c)) {
            plain.push_back(static_cast<char>(c.unicode()));
            anyDigit = true;
            if (!inFraction)
                ++groupDigits;
        } else if (c == locale.decimal && !inFraction) {
            if (grouped && groupDigits != 3)
                return std::nullopt;
            inFraction = true;
            plain.push_back('.');
        } else if (!inFraction && isGroupSeparator(c, locale)) {
            if (i == 0 || i + 1 >= n || !isDigit(body[i - 1]) || !isDigit(body[i + 1]))
                return std::nullopt;
            // The first group holds one to three digits, every later one three.
            if (grouped ? groupDigits != 3 : groupDigits > 3)
                return std::nullopt;
            grouped = true;
            groupDigits = 0;
        } else {
            return std::nullopt;
        }
    }
    if (grouped && !inFraction && groupDigits != 3)
        return std::nullopt;
    if (!anyDigit)
        return std::nullopt;
    const double value = std::strtod(plain.c_str(), nullptr);
    if (!std::isfinite(value))
        return std::nullopt;
    return value;
}

QString groupedDigits(double wholeMagnitude, QChar group)
{
    const QString digits = QString::number(wholeMagnitude, 'f', 0);
    QString out;
    out.reserve(digits.size() + digits.size() / 3);
    const qsizetype n = digits.size();
    for (qsizetype i = 0; i < n; ++i) {
        if (i > 0 && (n - i) % 3 == 0)
            out.append(group);
        out.append(digits[i]);
    }
    return out;
}

} // namespace

AmountLocale AmountLocale::fromLocale(const QLocale& locale)
{
    AmountLocale result;
    const QString group = locale.groupSeparator();
    const QString decimal = locale.decimalPoint();
    if (!group.isEmpty())
        result.group = group.front();
    if (!decimal.isEmpty())
        result.decimal = decimal.front();
    return result;
}

AmountLocale AmountLocale::system()
{
    return fromLocale(QLocale::system());
}

const AmountLocale& currentAmountLocale()
{
    return amountLocaleStore();
}

void setAmountLocale(const AmountLocale& locale)
{
    amountLocaleStore() = locale;
}

std::optional<double> ReadAmount(const QString& text)
{
    const AmountLocale& locale = currentAmountLocale();
    QStringView body = QStringView(text).trimmed();
    if (body.isEmpty())
        return std::nullopt;

    bool negative = false;
    if (body.front() == u'(' && body.back() == u')' && body.size() >= 2) {
        negative = true;
        body = body.sliced(1, body.size() - 2).trimmed();
    } else if (body.front() == u'-') {
        negative = true;
        body = body.sliced(1).trimmed();
    }
    if (body.isEmpty())
        return std::nullopt;

    const std::optional<double> value = readUnsigned(body, locale);
    if (!value)
        return std::nullopt;
    return negative ? -*value : *value;
}

QString FormatAmount(const QString& text)
{
    if (text.trimmed().isEmpty())
        return QString();
    const std::optional<double> value = ReadAmount(text);
    if (!value)
        return text;
    return FormatNumber(*value);
}

QString FormatNumber(double value)
{
    if (!std::isfinite(value))
        return QString();
    const double whole = std::round(value); // halves away from zero
    if (whole == 0.0)
        return QStringLiteral("0");
    const QString digits = groupedDigits(std::fabs(whole), currentAmountLocale().group);
    return whole < 0 ? QLatin1Char('(') + digits + QLatin1Char(')') : digits;
}

double AmountOrZero(const QString& text)
{
    return ReadAmount(text).value_or(0.0);
}

} // namespace telm

namespace telm {

std::optional<double> ReadEntry(const QString& text)
{
    const std::optional<double> value = ReadAmount(text);
    if (!value || std::fabs(*value) >= kAmountLimit)
        return std::nullopt;
    return value;
}

} // namespace telm
