#include "selection/NewDocumentChecks.h"

#include "selection/Bulstat.h"
#include "selection/Catalogue.h"
#include "selection/DocumentContext.h"
#include "selection/YearText.h"
#include "xmlfiles/DocumentChecks.h"

namespace telm {

namespace {

UserMessage warning(const QString& text)
{
    return UserMessage{QStringLiteral("TELM - Внимание!"), text, UserMessage::Icon::Critical};
}

} // namespace

const QStringList& PeriodMonths()
{
    static const QStringList months{QStringLiteral("3"), QStringLiteral("6"), QStringLiteral("9"),
                                    QStringLiteral("12")};
    return months;
}

std::optional<UserMessage> TakeNewDocumentChoices(const NewDocumentChoices& choices,
                                                  AppState& state)
{
    // The dialog's lists always hold a valid month and type; a caller without
    // them is told as plainly.
    if (!PeriodMonths().contains(choices.month))
        return warning(QStringLiteral("Изберете месец 3, 6, 9 или 12!"));
    if (choices.year.isEmpty())
        return warning(QStringLiteral("Въведете година!"));
    const std::optional<qint16> year = YearFromText(choices.year);
    if (!year)
        return warning(QStringLiteral("Въведете коректна година!"));
    if (choices.bulstat.isEmpty())
        return warning(QStringLiteral("Въведете булстат на предприятието!"));
    if (!CheckBulstat(choices.bulstat))
        return warning(QStringLiteral("Въведете коректен булстат!"));
    // A name of blanks names no company.
    if (choices.company.trimmed().isEmpty())
        return warning(QStringLiteral("Въведете име на предприятие!"));
    // A control character pasted into the name could not be written to XML.
    if (HasForbiddenCharacters(choices.company))
        return warning(QStringLiteral("Името на предприятието съдържа непозволен знак!"));
    if (!choices.type)
        return warning(QStringLiteral("Изберете документ!"));

    state.period.sQuarter = choices.month;
    state.period.iYear = *year;
    state.company.Bulstat = choices.bulstat;
    state.company.Name = choices.company.trimmed();
    state.docType.Name = choices.type->titleText();
    return std::nullopt;
}

} // namespace telm
