// Hands the main window the dialogs its "Регистри" menu opens, and gives the
// selection dialogs the way to open a document form.
#pragma once

#include "editor/Findings.h"
#include "selection/DocumentOpener.h"

#include <functional>
#include <optional>

class QWidget;

namespace telm {

struct AppState;
class frmDocument;
class frmMain;

// Creates the document form of the opened document's type, modal over
// parent, and returns when it has closed; each call makes a fresh form,
// started on `startAt` when given, and handed to `prepare` before it is shown.
// A finding of the form that points into another statement of the filing opens
// that statement over it, on its row, and the context is as before when it
// closes.
void OpenDocumentForm(AppState& state, QWidget* parent, const OpenedDocument& document,
                      const std::optional<RowTarget>& startAt = std::nullopt,
                      const std::function<void(frmDocument&)>& prepare = {});

// Sets the new-document, open-document, export and import dialogs on the main
// window, and the desk's actions.
void WireDialogs(frmMain& window, AppState& state);

} // namespace telm
