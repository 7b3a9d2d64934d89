#include "editor/AmountText.h"

#include <QList>

#include <cmath>
#include <cstdlib>
#include <string>

namespace telm {

namespace {

// Doubles hold every whole number below 2^53 exactly; from there on a typed
// amount could be stored as a different number, so such an entry is refused.
constexpr double kAmountLimit = 9007199254740992.0;

const QChar kNoBreakSpace(0x00A0);

bool isSpaceLike(QChar c)
{
    return c == u' ' || c == QChar(0x00A0) || c == QChar(0x202F);
}

bool isDigit(QChar c)
{
    return c >= u'0' && c <= u'9';
}

bool allDigits(QStringView s)
{
    for (const QChar c : s)
        if (!isDigit(c))
            return false;
    return true;
}

// Reads the whole part: digits, or groups of three after a first group of one
// to three digits, all separated alike (spaces of any width, or dots). The
// digits go into `plain`.
std::optional<AmountRefusal> readWholePart(QStringView whole, std::string& plain)
{
    bool sawDot = false;
    bool sawSpace = false;
    bool grouped = false;
    int groupDigits = 0;
    const qsizetype n = whole.size();
    std::optional<AmountRefusal> misplaced;
    for (qsizetype i = 0; i < n; ++i) {
        const QChar c = whole[i];
        if (isDigit(c)) {
            plain.push_back(static_cast<char>(c.unicode()));
            ++groupDigits;
            continue;
        }
        const bool dot = c == u'.';
        if (!dot && !isSpaceLike(c))
            return AmountRefusal::NotNumber;
        (dot ? sawDot : sawSpace) = true;
        const bool between = i > 0 && i + 1 < n && isDigit(whole[i - 1]) && isDigit(whole[i + 1]);
        // The first group holds one to three digits and does not start with 0
        // ("0.500" might be a half); every later group holds three.
        const bool firstOk =
            grouped || (groupDigits >= 1 && groupDigits <= 3 && plain.front() != '0');
        if (!between || !firstOk || (grouped && groupDigits != 3))
            misplaced = AmountRefusal::NotNumber;
        grouped = true;
        groupDigits = 0;
    }
    if (grouped && groupDigits != 3)
        misplaced = AmountRefusal::NotNumber;
    if (sawDot && sawSpace)
        misplaced = AmountRefusal::NotNumber;
    if (misplaced && sawDot)
        return AmountRefusal::DotDecimal; // a dot used as a decimal mark
    if (misplaced || plain.empty())
        return AmountRefusal::NotNumber;
    return std::nullopt;
}

// "1,234" or "12,345,678": commas that group by threes, which here would be
// decimal commas with three digits after them.
bool commaGroupsByThree(QStringView body)
{
    const QList<QStringView> parts = body.split(u',');
    if (parts.size() < 2 || parts.front().isEmpty() || parts.front().size() > 3)
        return false;
    for (qsizetype i = 0; i < parts.size(); ++i)
        if (!allDigits(parts[i]) || (i > 0 && parts[i].size() != 3))
            return false;
    return true;
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

AmountReading ReadAmountText(const QString& text)
{
    QStringView body = QStringView(text).trimmed();
    if (body.isEmpty())
        return {};
    const auto refused = [](AmountRefusal why) { return AmountReading{std::nullopt, why}; };

    bool negative = false;
    if (body.size() >= 2 && body.front() == u'(' && body.back() == u')') {
        negative = true;
        body = body.sliced(1, body.size() - 2).trimmed();
    } else if (body.front() == u'-' || body.front() == QChar(0x2212)) {
        negative = true;
        body = body.sliced(1).trimmed();
    }
    if (body.isEmpty())
        return refused(AmountRefusal::NotNumber);

    QStringView whole = body;
    QStringView fraction;
    const qsizetype comma = body.indexOf(u',');
    if (comma >= 0) {
        if (body.indexOf(u',', comma + 1) >= 0)
            return refused(commaGroupsByThree(body) ? AmountRefusal::AmbiguousComma
                                                    : AmountRefusal::NotNumber);
        whole = body.first(comma);
        fraction = body.sliced(comma + 1);
        if (whole.isEmpty() || !allDigits(fraction))
            return refused(AmountRefusal::NotNumber);
        if (fraction.size() == 3)
            return refused(AmountRefusal::AmbiguousComma);
        if (fraction.isEmpty() || fraction.size() > 3)
            return refused(AmountRefusal::FractionDigits);
    }

    std::string plain;
    if (const std::optional<AmountRefusal> why = readWholePart(whole, plain))
        return refused(*why);
    double value = std::strtod(plain.c_str(), nullptr);
    if (!fraction.isEmpty() && fraction.front() >= u'5')
        value += 1.0; // halves away from zero, on the magnitude
    if (!std::isfinite(value))
        return refused(AmountRefusal::TooLarge);
    if (negative && value != 0.0)
        value = -value;
    return {value, std::nullopt};
}

std::optional<double> ReadAmount(const QString& text)
{
    return ReadAmountText(text).value;
}

std::optional<double> ReadEntry(const QString& text)
{
    const std::optional<double> value = ReadAmount(text);
    if (!value || std::fabs(*value) >= kAmountLimit)
        return std::nullopt;
    return value;
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
    const QString digits = groupedDigits(std::fabs(whole), kNoBreakSpace);
    return whole < 0 ? QLatin1Char('(') + digits + QLatin1Char(')') : digits;
}

QString PlainNumber(double value)
{
    if (!std::isfinite(value))
        return QString();
    const double whole = std::round(value);
    if (whole == 0.0)
        return QStringLiteral("0");
    return QString::number(whole, 'f', 0);
}

QString PlainAmount(const QString& text)
{
    if (text.trimmed().isEmpty())
        return QString();
    const std::optional<double> value = ReadAmount(text);
    return value ? PlainNumber(*value) : text;
}

double AmountOrZero(const QString& text)
{
    return ReadAmount(text).value_or(0.0);
}

} // namespace telm
