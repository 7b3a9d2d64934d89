// The messages that refuse a typed amount: each says what is wrong with the
// text and how to type the amount the user most likely meant.
#include "editor/AmountText.h"

#include <cmath>

namespace telm {

namespace {

// The typed text as quoted in a message: cut when it would run on.
QString quoted(const QString& text)
{
    QString shown = text.trimmed();
    if (shown.size() > 40)
        shown = shown.first(39) + QChar(0x2026);
    return QStringLiteral("„%1“").arg(shown);
}

// "1,234" -> "1234 или 1 234": the digits the commas grouped.
QString digitsOf(const QString& text)
{
    QString digits;
    for (const QChar c : text)
        if (c >= u'0' && c <= u'9')
            digits.append(c);
    return digits;
}

QString dotDecimalMessage(const QString& text)
{
    QString message =
        QStringLiteral("%1 не е сума: десетичният знак е запетая, а сумите са в цели "
                       "левове. Точката разделя само групи от по три цифри: 1.234 е %2.")
            .arg(quoted(text), FormatNumber(1234));
    QString withComma = text.trimmed();
    withComma.replace(u'.', u',');
    if (const std::optional<double> value = ReadAmount(withComma))
        message += QStringLiteral("\nВъведете %1 или %2.").arg(withComma, FormatNumber(*value));
    return message;
}

QString ambiguousCommaMessage(const QString& text)
{
    QString message =
        QStringLiteral("%1 е двусмислено: запетаята е десетичен знак, а след нея стоят три "
                       "цифри. Сумите са в цели левове.")
            .arg(quoted(text));
    const QString digits = digitsOf(text);
    const bool negative = text.trimmed().startsWith(u'-') || text.trimmed().startsWith(u'(');
    if (const std::optional<double> value = ReadAmount(digits)) {
        const QString sign = negative ? QStringLiteral("-") : QString();
        message +=
            QStringLiteral("\nВъведете %1%2 или %1%3.").arg(sign, digits, FormatNumber(*value));
    }
    return message;
}

QString fractionDigitsMessage(const QString& text)
{
    return QStringLiteral("%1 не е сума: след десетичната запетая се пишат една или две цифри, "
                          "а сумата се закръглява до цели левове.\nВъведете например 1234 или "
                          "1234,5 (става %2).")
        .arg(quoted(text), FormatNumber(1235));
}

QString notNumberMessage()
{
    // Amounts in the examples keep their groups together on a line (no-break spaces).
    return QStringLiteral("Въведете число!\nСумите са в цели левове: 1234, %3 или 1.234; "
                          "отрицателните с минус или в скоби: -1500 или %1, показва се %1; "
                          "десетичният знак е запетая: 1234,5 става %2.")
        .arg(FormatNumber(-1500), FormatNumber(1235), FormatNumber(1234));
}

QString tooLargeMessage()
{
    return QStringLiteral("Сумата е твърде голяма: програмата пази точно суми до %1.")
        .arg(FormatNumber(9007199254740991.0));
}

} // namespace

QString EntryRefusalMessage(const QString& text)
{
    const AmountReading reading = ReadAmountText(text);
    if (reading.value)
        return ReadEntry(text) ? QString() : tooLargeMessage();
    if (!reading.refusal)
        return QString(); // blank: the cell is emptied
    switch (*reading.refusal) {
    case AmountRefusal::DotDecimal: return dotDecimalMessage(text);
    case AmountRefusal::AmbiguousComma: return ambiguousCommaMessage(text);
    case AmountRefusal::FractionDigits: return fractionDigitsMessage(text);
    case AmountRefusal::TooLarge: return tooLargeMessage();
    case AmountRefusal::NotNumber: break;
    }
    return notNumberMessage();
}

} // namespace telm
