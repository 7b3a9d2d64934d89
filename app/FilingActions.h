// The program's own actions behind the desk's buttons: a statement opened for
// correction through the one opening road, a filing handed over through the
// export dialog, its controls' findings and its printing.
#pragma once

#include "app/DeskActions.h"
#include "selection/DocumentOpener.h"

namespace telm {

struct AppState;

// The desk's actions for the program; `opener` shows a document form.
DeskActions ProgramDeskActions(AppState& state, DocumentOpener opener);

// The controls' findings of a filing in one message box.
void ShowFilingFindings(QWidget* parent, const DeskFiling& filing);

// The whole filing printed as one document through the print dialog (to a
// printer, or into one PDF with a page numbering running through it), its
// statements in the filing's order. A statement that cannot be read is named
// and nothing is printed.
void PrintWholeFiling(QWidget* parent, const AppState& state, const DeskFiling& filing,
                      const QStringList& paths);

} // namespace telm
