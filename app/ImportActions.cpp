#include "app/ImportActions.h"

#include "app/ImportPreview.h"
#include "desk/DeskEntry.h"
#include "platform/MessageBoxes.h"
#include "selection/Catalogue.h"

namespace telm {

QStringList ImportNotes(const ImportPlan& plan, const ImportFilingResult& result)
{
    QStringList notes;
    for (const TrialBalanceRow& row : plan.amounts.unplaced)
        notes << QStringLiteral("Сметка %1 „%2“ (ред %3 на ведомостта) няма място в сметкоплана и "
                                "не е импортирана: салдо %4.")
                     .arg(row.account, row.name)
                     .arg(row.line)
                     .arg(BalanceText(row.closingBalance()));
    for (const QString& skipped : result.skipped)
        notes << QStringLiteral("Не е попълнено: %1").arg(skipped);
    notes << result.warnings;
    return notes;
}

QString ImportedStatus(const ImportFilingResult& result)
{
    QStringList parts;
    for (const ImportedStatement& saved : result.saved) {
        const DocType* type = DocTypeByCode(saved.code);
        parts << QStringLiteral("%1 – %2 суми%3")
                     .arg(type ? PaperTitle(type->titleText()) : saved.code)
                     .arg(saved.cells)
                     .arg(saved.correction ? QStringLiteral(" (коригиран)") : QString());
    }
    // The controls ran over the filing as saved: a clean one is said, as
    // "Проверка" says it.
    return QStringLiteral("Импортирано: ") + parts.join(QStringLiteral(", "))
           + (result.findings.isEmpty() ? QStringLiteral("; контролите не откриват разлики")
                                        : QString());
}

ImportChoices ChoicesOf(const DeskFiling& filing)
{
    return ImportChoices{filing.bulstat, filing.company, filing.year, filing.month};
}

QString ImportTrialBalance(AppState& state, QWidget* parent, std::vector<clsCompany> companies,
                           const ImportChoices& choices, const ImportedOpener& open)
{
    frmImport dialog(state, parent);
    dialog.setCompanies(std::move(companies));
    dialog.setChoices(choices);
    if (dialog.exec() != QDialog::Accepted || dialog.imported().saved.empty())
        return QString();
    const ImportFilingResult& result = dialog.imported();
    const ImportedStatement* shown = &result.saved.front();
    for (const ImportedStatement& saved : result.saved)
        if (saved.code == QLatin1String("Bal")) {
            shown = &saved;
            break;
        }
    const QString path = shown->path;
    const Opening opening = OpenFromDataFile(state, path);
    if (opening.message)
        platform::ShowMessage(parent, *opening.message);
    if (opening.document && open)
        open(parent, *opening.document, ImportNotes(dialog.plan(), result), ImportedStatus(result));
    return path;
}

} // namespace telm
