#include "app/DialogWiring.h"

#include "selection/Catalogue.h"
#include "selection/DocumentContext.h"
#include "editor/FormProfile.h"
#include "selection/frmChooseFile.h"
#include "selection/frmChoosePrm.h"
#include "editor/frmDocument.h"
#include "app/frmMain.h"

namespace telm {

void OpenDocumentForm(AppState& state, QWidget* parent, const OpenDocumentRequest& request)
{
    if (!request.type)
        return;
    frmDocument form(state, ProfileFor(request.type->form), parent);
    form.setEditType(request.editType);
    form.setHelpTopic(request.helpTopic);
    // Only the balance in liquidation decides its Sum button by variant; the
    // other forms keep what their profile gives them.
    if (request.type->form == FormId::frmDocBalanceLiquid)
        form.setSumVisible(request.sumVisible);
    form.exec();
}

void WireDialogs(frmMain& window, AppState& state)
{
    const DocumentOpener opener = [&state](QWidget* parent, const OpenDocumentRequest& request) {
        OpenDocumentForm(state, parent, request);
    };
    window.setNewDocumentDialog([&state, opener](QWidget* parent) {
        frmChoosePrm dialog(state, opener, parent);
        dialog.exec();
    });
    window.setOpenDocumentDialog([&state, opener](QWidget* parent) {
        frmChooseFile dialog(state, opener, parent);
        dialog.exec();
    });
}

} // namespace telm
