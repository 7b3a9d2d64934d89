#include "print/PrintTitle.h"

#include "selection/Catalogue.h"
#include "selection/DocumentContext.h"

namespace telm {

PrintTitle TitleOf(const QString& typeTitle, const QString& company, const QString& month,
                   const QString& year, bool forecast)
{
    return PrintTitle{PaperTitle(typeTitle), QStringLiteral("на ") + company,
                      QStringLiteral("към ") + month + u'/' + year + QStringLiteral(" година"),
                      forecast};
}

PrintTitle TitleFromContext(const AppState& state, bool forecast)
{
    return TitleOf(state.docType.Name, state.company.Name, state.period.sQuarter,
                   QString::number(state.period.iYear), forecast);
}

PrintTitle BlankFormTitle(const QString& typeTitle)
{
    return PrintTitle{PaperTitle(typeTitle), QStringLiteral("на ") + QString(48, u'.'),
                      QStringLiteral("към ....../.......... година"), false};
}

} // namespace telm
