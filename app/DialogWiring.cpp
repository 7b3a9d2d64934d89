#include "app/DialogWiring.h"

#include "app/DeskPanel.h"
#include "app/FilingActions.h"
#include "app/ImportActions.h"
#include "app/frmMain.h"
#include "editor/frmDocument.h"
#include "export/frmSaveXMLAs.h"
#include "platform/MessageBoxes.h"
#include "selection/Catalogue.h"
#include "selection/DocumentContext.h"
#include "selection/frmChooseFile.h"
#include "selection/frmChoosePrm.h"

#include <QFileInfo>

#include <vector>

namespace telm {

namespace {

// The data files of the document forms open now, the first one lowest.
std::vector<QString>& openFiles()
{
    static std::vector<QString> files;
    return files;
}

bool isOpen(const QString& path)
{
    const QFileInfo wanted(path);
    for (const QString& open : openFiles())
        if (QFileInfo(open) == wanted)
            return true;
    return false;
}

// What a document form leaves in the context (the company, period and type it
// was opened with), kept while another statement is opened over it.
struct ContextKept
{
    explicit ContextKept(AppState& s)
        : state(s), company(s.company), period(s.period), docType(s.docType), hfGrid(s.hfGrid),
          balanceLiquid(s.balanceLiquidVariant), incomeLiquid(s.incomeLiquidVariant),
          opened(s.openedDataFilePath), saved(s.dataFilePath)
    {
    }
    ~ContextKept()
    {
        state.company = company;
        state.period = period;
        state.docType = docType;
        state.hfGrid = hfGrid;
        state.balanceLiquidVariant = balanceLiquid;
        state.incomeLiquidVariant = incomeLiquid;
        state.openedDataFilePath = opened;
        state.dataFilePath = saved;
    }
    ContextKept(const ContextKept&) = delete;
    ContextKept& operator=(const ContextKept&) = delete;

    AppState& state;
    clsCompany company;
    clsPeriod period;
    clsDocType docType;
    clsHFGrid hfGrid;
    bool balanceLiquid;
    bool incomeLiquid;
    QString opened;
    QString saved;
};

void OpenStatementAt(AppState& state, QWidget* parent, const RowTarget& target)
{
    if (isOpen(target.path)) {
        platform::ShowMessage(parent, QStringLiteral("Внимание!"),
                              QStringLiteral("Документът %1 вече е отворен в прозорец под този. "
                                             "Затворете този прозорец, за да стигнете до него.")
                                  .arg(QFileInfo(target.path).fileName()),
                              platform::MsgIcon::Information);
        return;
    }
    const ContextKept kept(state);
    const Opening opening = OpenFromDataFile(state, target.path);
    if (opening.message)
        platform::ShowMessage(parent, *opening.message);
    if (opening.document)
        OpenDocumentForm(state, parent, *opening.document, target);
}

} // namespace

void OpenDocumentForm(AppState& state, QWidget* parent, const OpenedDocument& document,
                      const std::optional<RowTarget>& startAt,
                      const std::function<void(frmDocument&)>& prepare)
{
    if (!document.type)
        return;
    frmDocument form(state, document, parent);
    form.setStatementOpener(
        [&state](QWidget* over, const RowTarget& target) { OpenStatementAt(state, over, target); });
    if (startAt)
        form.startAt(*startAt);
    if (prepare)
        prepare(form);
    openFiles().push_back(document.editType == 1 ? document.path : document.targetPath);
    form.exec();
    openFiles().pop_back();
}

void WireDialogs(frmMain& window, AppState& state)
{
    const DocumentOpener opener = [&state](QWidget* parent, const OpenedDocument& document) {
        OpenDocumentForm(state, parent, document);
    };
    DeskPanel* desk = window.desk();
    window.setNewDocumentDialog([&state, opener, desk](QWidget* parent) {
        frmChoosePrm dialog(state, opener, parent);
        dialog.setCompanies(desk->companies());
        dialog.exec();
    });
    window.setOpenDocumentDialog([&state, opener](QWidget* parent) {
        frmChooseFile dialog(state, opener, parent);
        dialog.exec();
    });
    window.setExportDialog([&state](QWidget* parent) {
        frmSaveXMLAs dialog(parent, state.dataFolderPath());
        dialog.exec();
    });
    // An import opens the balance sheet it saved with the filing's findings,
    // and the desk shows the filing once it has read the new files.
    const auto importFrom = [&state, desk](QWidget* parent, const ImportChoices& choices) {
        const ImportedOpener open = [&state](QWidget* over, const OpenedDocument& document,
                                             const QStringList& notes, const QString& status) {
            OpenDocumentForm(state, over, document, std::nullopt, [&](frmDocument& form) {
                form.checkOnOpen(notes);
                form.showStatus(status);
            });
        };
        const QString opened = ImportTrialBalance(state, parent, desk->companies(), choices, open);
        if (!opened.isEmpty())
            desk->rescanShowing(opened);
    };
    window.setImportDialog([importFrom](QWidget* parent) { importFrom(parent, ImportChoices{}); });
    DeskActions actions =
        ProgramDeskActions(state, opener, [&state](QWidget* parent, const RowTarget& target) {
            OpenStatementAt(state, parent, target);
        });
    actions.importTrialBalance = [importFrom](QWidget* parent, const DeskFiling* filing) {
        importFrom(parent, filing ? ChoicesOf(*filing) : ImportChoices{});
    };
    window.setDeskActions(std::move(actions));
}

} // namespace telm
