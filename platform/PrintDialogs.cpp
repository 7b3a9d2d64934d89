#include "platform/PrintDialogs.h"

#include <QDir>
#include <QPageSize>
#include <QPrintDialog>
#include <QPrinter>

namespace telm::platform {

namespace {

class QtPrintDialogs : public PrintDialogs
{
public:
    bool choosePrinter(QWidget* parent, QPrinter& printer, QWidget* options) override
    {
        QPrintDialog dialog(&printer, parent);
        if (options)
            dialog.setOptionTabs({options});
        dialog.setWindowModality(Qt::ApplicationModal);
        const bool accepted = dialog.exec() == QDialog::Accepted;
        // The tab is its caller's: taken back before the dialog deletes its children.
        if (options)
            options->setParent(nullptr);
        return accepted;
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

bool RecordingPrintDialogs::choosePrinter(QWidget*, QPrinter& printer, QWidget* options)
{
    asked.push_back({printer.pageLayout().orientation(), printer.pageLayout().pageSize().name(),
                     printer.docName(), QDir::currentPath()});
    if (options && fillOptions)
        fillOptions(options);
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
