// The import of a trial balance as the menu and the desk start it: the import
// dialog, then the balance sheet it saved opened in its form with the
// filing's findings and the accounts it left out.
#pragma once

#include "app/frmImport.h"
#include "selection/DocumentOpening.h"

#include <QStringList>

#include <functional>
#include <vector>

class QWidget;

namespace telm {

struct DeskFiling;

// Shows an imported statement's form, modal over the parent: its findings
// panel lists `notes` and then its controls' findings; `status` stands in its
// status bar.
using ImportedOpener = std::function<void(QWidget* parent, const OpenedDocument& document,
                                          const QStringList& notes, const QString& status)>;

// The notes an import leaves for the findings panel: each account it could
// not place (with its line and balance), each cell it could not fill, and the
// road's warnings.
QStringList ImportNotes(const ImportPlan& plan, const ImportFilingResult& result);

// "Импортирано: Баланс – 35 суми, Отчет за приходите и разходите – 20 суми",
// and "; контролите не откриват разлики" when the filing's controls found
// nothing.
QString ImportedStatus(const ImportFilingResult& result);

// The company and period of a desk's filing, for the dialog to start from.
ImportChoices ChoicesOf(const DeskFiling& filing);

// Runs the dialog; after an import opens the balance sheet (else the first
// statement saved) through `open`. Returns the path it opened, or empty text
// when nothing was imported.
QString ImportTrialBalance(AppState& state, QWidget* parent, std::vector<clsCompany> companies,
                           const ImportChoices& choices, const ImportedOpener& open);

} // namespace telm
