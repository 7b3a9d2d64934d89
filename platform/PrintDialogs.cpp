#include "platform/PrintDialogs.h"

#include <QPageSize>
#include <QPrintDialog>
#include <QPrinter>

namespace telm::platform {

namespace {

class QtPrintDialogs : public PrintDialogs
{
public:
    bool choosePrinter(QWidget* parent, QPrinter& printer) override
    {
        QPrintDialog dialog(&printer, parent);
        dialog.setWindowModality(Qt::ApplicationModal);
        return dialog.exec() == QDialog::Accepted;
    }
};

QtPrintDialogs& qtDialogs()
{
    static QtPrintDialogs dialogs;
    return dialogs;
}

PrintDialogs* g_installed = nullptr;

} // namespace

PrintDialogs& printDialogs()
{
    return g_installed ? *g_installed : qtDialogs();
}

void installPrintDialogs(PrintDialogs* dialogs)
{
    g_installed = dialogs;
}

bool RecordingPrintDialogs::choosePrinter(QWidget*, QPrinter& printer)
{
    asked.push_back({printer.pageLayout().orientation(), printer.pageLayout().pageSize().name()});
    QString answer;
    if (!answers.empty()) {
        answer = answers.front();
        answers.pop_front();
    }
    if (answer.isEmpty())
        return false;
    printer.setOutputFormat(QPrinter::PdfFormat);
    printer.setOutputFileName(answer);
    return true;
}

} // namespace telm::platform
