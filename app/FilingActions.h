// The program's own actions behind the desk's buttons: a statement opened for
// correction through the one opening road, a filing handed over through the
// export dialog, its controls' findings and its printing.
#pragma once

#include "app/DeskActions.h"
#include "editor/Findings.h"
#include "selection/DocumentOpener.h"

#include <functional>
#include <vector>

namespace telm {

struct AppState;

// Opens a statement for correction on a row (a finding's row chosen).
using RowOpener = std::function<void(QWidget* parent, const RowTarget& target)>;

// The desk's actions for the program; `opener` shows a document form,
// `openAt` one on a row.
DeskActions ProgramDeskActions(AppState& state, DocumentOpener opener, RowOpener openAt = {});

// The controls' findings over the statements of a filing, each once, every
// row naming the file it is in.
std::vector<Finding> FilingFindingsOf(const QStringList& paths, const QString& controlsPath);

// The filing's findings in the findings panel, in a window of their own: a
// double click or Enter on a row closes it and opens that statement on the
// row. None found, a message says so.
void ShowFilingFindings(QWidget* parent, const DeskFiling& filing, const QStringList& paths,
                        const QString& controlsPath, const RowOpener& openAt);

// The whole filing printed as one document through the print dialog (to a
// printer, or into one PDF with a page numbering running through it), its
// statements in the filing's order. A statement that cannot be read is named
// and nothing is printed.
void PrintWholeFiling(QWidget* parent, const AppState& state, const DeskFiling& filing,
                      const QStringList& paths);

} // namespace telm
