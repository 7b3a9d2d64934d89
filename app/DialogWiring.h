// Hands the main window the dialogs its "Регистри" menu opens, and gives the
// selection dialogs the way to open a document form.
#pragma once

#include "selection/DocumentOpener.h"

class QWidget;

namespace telm {

struct AppState;
class frmMain;

// Creates the document form of the opened document's type, modal over
// parent, and returns when it has closed; each call makes a fresh form.
void OpenDocumentForm(AppState& state, QWidget* parent, const OpenedDocument& document);

// Sets the new-document and open-document dialogs on the main window.
void WireDialogs(frmMain& window, AppState& state);

} // namespace telm
