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

// Until one PDF of the whole filing can be printed: says how to print each statement.
void PrintFilingOneByOne(QWidget* parent, const DeskFiling& filing, const QStringList& paths);

} // namespace telm
