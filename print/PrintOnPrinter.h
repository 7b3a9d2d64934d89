// The print button's work in a window: the system print dialog (A4, with an
// options tab for the unit and the names under the signature lines,
// remembered per company), then the printed document on the chosen printer,
// or in a PDF file when the dialog prints to a file (under the same rule as
// telmtool: only an ordinary file is replaced). Cancelling the dialog prints
// nothing and says nothing; a failure is reported through HandlePrintError.
#pragma once

#include "print/PaperSheet.h"

#include <QString>
#include <QStringList>

#include <functional>
#include <vector>

class QWidget;

namespace telm {

struct PrintRequest
{
    QString company;    // the BULSTAT: the options are remembered under it
    QString pdfName;    // the file name proposed for printing to a file
    QString pdfFolder;  // and its folder
    QStringList inputs; // the data files printed from: never written over
    // The statements in the order they are printed (a whole filing is several),
    // as the options chosen in the dialog lay them out.
    std::function<std::vector<PaperSheet>(const PaperOptions&)> sheets;
};

// Where the document went: nowhere (cancelled or failed), to a printer or
// into a PDF file.
struct PrintOutcome
{
    bool printed = false;
    QString printer; // the printer's name
    QString pdfFile; // the file, when printed into one
};

PrintOutcome PrintWithDialog(QWidget* parent, const PrintRequest& request);

// The options remembered for a company (unit, names); defaults when none.
PaperOptions RememberedPaperOptions(const QString& company);
void RememberPaperOptions(const QString& company, const PaperOptions& options);

// Reports a failed print: "Принтерът не е готов!", a line break and the reason,
// titled "TELM - Грешка" with the error icon. Returns true: the failure was the
// printer's and has been reported.
bool HandlePrintError(QWidget* parent, const QString& reason);

} // namespace telm
