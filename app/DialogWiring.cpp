#include "app/DialogWiring.h"

#include "app/DeskPanel.h"
#include "app/FilingActions.h"
#include "app/frmMain.h"
#include "editor/frmDocument.h"
#include "export/frmSaveXMLAs.h"
#include "selection/DocumentContext.h"
#include "selection/frmChooseFile.h"
#include "selection/frmChoosePrm.h"

namespace telm {

void OpenDocumentForm(AppState& state, QWidget* parent, const OpenedDocument& document)
{
    if (!document.type)
        return;
    frmDocument form(state, document, parent);
    form.exec();
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
    window.setDeskActions(ProgramDeskActions(state, opener));
}

} // namespace telm
