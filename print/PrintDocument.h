// The printed document: the title block, the grid in page-high strips with
// its header row at the top of every page, the signature line after the last
// row and a page number on every page, painted through the grid painter onto
// any paged device: a printer, a PDF writer, a test's recorder. Text stays
// text, so a PDF can be searched and copied.
#pragma once

#include "print/PrintTitle.h"

#include <QString>

#include <functional>
#include <optional>

class QPagedPaintDevice;
class QPageLayout;

namespace telm {

class GridModel;

// The line under the last row, as the paper form has it.
QString SignatureLine();

// Prints `grid` as it is laid out (band 0's column widths, row heights, fonts,
// texts and colours; collapsed groups stay collapsed) with no current-cell
// mark, and amounts too wide for their column condensed rather than cut. The
// device is turned to landscape first when `landscape` is set, and back to
// portrait when done. Returns why it could not print; a job that fails half
// way is handed to `abortJob` before it ends, so none of it is printed.
std::optional<QString> PrintDocument(QPagedPaintDevice& device, const GridModel& grid,
                                     const PrintTitle& title, bool landscape,
                                     const std::function<void()>& abortJob = {});

// Prints into a PDF file at `path`, written whole or not at all: a file
// already there is replaced only once the new one is complete. `layout` gives
// the paper, its margins and orientation (landscape also when `landscape`).
std::optional<QString> PrintToPdf(const QString& path, const GridModel& grid,
                                  const PrintTitle& title, bool landscape,
                                  const QPageLayout& layout);

// A4 with 10 mm margins, in the orientation asked for.
QPageLayout DefaultPageLayout(bool landscape);

} // namespace telm
