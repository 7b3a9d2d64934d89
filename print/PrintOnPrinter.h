// The print button's work in a window: the system print dialog (A4 and the
// form's orientation to start with), then the printed document on the chosen
// printer, or in a PDF file when the dialog prints to a file. Cancelling the
// dialog prints nothing and says nothing; a failure is reported through
// HandlePrintError.
#pragma once

#include <QString>

class QWidget;

namespace telm {

class GridModel;
struct PrintTitle;

// Where the document went: nowhere (cancelled or failed), to a printer or
// into a PDF file.
struct PrintOutcome
{
    bool printed = false;
    QString printer; // the printer's name
    QString pdfFile; // the file, when printed into one
};

PrintOutcome PrintWithDialog(QWidget* parent, const GridModel& grid, const PrintTitle& title,
                             bool landscape);

// Reports a failed print: "Принтерът не е готов!", a line break and the reason,
// titled "TELM - Грешка" with the error icon. Returns true: the failure was the
// printer's and has been reported.
bool HandlePrintError(QWidget* parent, const QString& reason);

} // namespace telm
