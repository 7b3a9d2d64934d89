#include "print/PrintOnPrinter.h"

#include "platform/MessageBoxes.h"
#include "platform/PrintDialogs.h"
#include "print/PrintDocument.h"

#include <QPrinter>

namespace telm {

namespace {

QString printerStateText(const QPrinter& printer)
{
    switch (printer.printerState()) {
    case QPrinter::Idle: return QStringLiteral("готов");
    case QPrinter::Active: return QStringLiteral("печата");
    case QPrinter::Aborted: return QStringLiteral("печатът е прекъснат");
    case QPrinter::Error: return QStringLiteral("грешка");
    }
    return QString();
}

} // namespace

PrintOutcome PrintWithDialog(QWidget* parent, const GridModel& grid, const PrintTitle& title,
                             bool landscape)
{
    QPrinter printer(QPrinter::HighResolution);
    printer.setPageLayout(DefaultPageLayout(landscape));
    printer.setDocName(title.title);
    printer.setCreator(QStringLiteral("TELM Transfer"));
    if (!platform::printDialogs().choosePrinter(parent, printer))
        return {};

    std::optional<QString> failure;
    PrintOutcome outcome;
    if (printer.outputFormat() == QPrinter::PdfFormat && !printer.outputFileName().isEmpty()) {
        outcome.pdfFile = printer.outputFileName();
        // Into a file: written whole, or the file that was there stays.
        failure =
            PrintToPdf(printer.outputFileName(), grid, title, landscape, printer.pageLayout());
    } else {
        failure = PrintDocument(printer, grid, title, landscape, [&printer] { printer.abort(); });
        if (!failure && printer.printerState() == QPrinter::Error)
            failure = QStringLiteral("Печатът не завърши.");
        if (failure)
            failure = QStringLiteral("%1 (принтер „%2“: %3)")
                          .arg(*failure, printer.printerName(), printerStateText(printer));
    }
    if (failure) {
        HandlePrintError(parent, *failure);
        return {};
    }
    outcome.printed = true;
    outcome.printer = printer.printerName();
    return outcome;
}

bool HandlePrintError(QWidget* parent, const QString& reason)
{
    platform::ShowMessage(parent, QStringLiteral("TELM - Грешка"),
                          QStringLiteral("Принтерът не е готов!\n") + reason,
                          platform::MsgIcon::Critical);
    return true;
}

} // namespace telm
