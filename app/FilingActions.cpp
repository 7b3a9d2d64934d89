#include "app/FilingActions.h"

#include "export/frmSaveXMLAs.h"
#include "platform/MessageBoxes.h"
#include "selection/Catalogue.h"
#include "selection/DocumentContext.h"
#include "selection/DocumentOpening.h"

#include <QFileInfo>

namespace telm {

namespace {

QString filingName(const DeskFiling& filing)
{
    return QStringLiteral("%1 (БУЛСТАТ %2), %3%4")
        .arg(filing.company, filing.bulstat, filing.period(),
             filing.forecast ? QStringLiteral(", прогнозен") : QString());
}

} // namespace

void ShowFilingFindings(QWidget* parent, const DeskFiling& filing)
{
    if (filing.findings <= 0) {
        platform::ShowMessage(parent, QStringLiteral("TELM Transfer"),
                              QStringLiteral("Отчетността на %1 отговаря на всички контроли.")
                                  .arg(filingName(filing)),
                              platform::MsgIcon::Information);
        return;
    }
    platform::ShowMessage(parent, QStringLiteral("TELM - Внимание!"),
                          QStringLiteral("Отчетността на %1 не отговаря на %2 контрола:\n\n%3")
                              .arg(filingName(filing))
                              .arg(filing.findings)
                              .arg(filing.findingTexts.join(u'\n')),
                          platform::MsgIcon::Warning);
}

void PrintFilingOneByOne(QWidget* parent, const DeskFiling& filing, const QStringList& paths)
{
    QStringList names;
    for (const QString& path : paths)
        names << QFileInfo(path).fileName();
    platform::ShowMessage(parent, QStringLiteral("TELM Transfer"),
                          QStringLiteral("Отчетността на %1 се отпечатва документ по документ: "
                                         "отворете всеки от тях и натиснете „Печат“.\n\n%2")
                              .arg(filingName(filing), names.join(u'\n')),
                          platform::MsgIcon::Information);
}

DeskActions ProgramDeskActions(AppState& state, DocumentOpener opener)
{
    DeskActions actions;
    actions.open = [&state, opener](QWidget* parent, const QString& path) {
        const Opening opening = OpenFromDataFile(state, path);
        if (opening.message)
            platform::ShowMessage(parent, *opening.message);
        if (opening.document && opener)
            opener(parent, *opening.document);
    };
    actions.handOver = [&state](QWidget* parent, const DeskFiling&, const QStringList& paths) {
        frmSaveXMLAs dialog(parent, state.dataFolderPath());
        dialog.setFilesToHandOver(paths);
        dialog.exec();
    };
    actions.runControls = [](QWidget* parent, const DeskFiling& filing, const QStringList&) {
        ShowFilingFindings(parent, filing);
    };
    actions.print = PrintFilingOneByOne;
    return actions;
}

} // namespace telm
