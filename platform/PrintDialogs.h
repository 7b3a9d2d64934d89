// The system print dialog behind a seam: the program shows a real
// QPrintDialog, tests install a recorder that captures what was asked and
// answers with a PDF file to print into, or with a cancel.
#pragma once

#include <QPageLayout>
#include <QString>

#include <deque>
#include <functional>
#include <vector>

class QPrinter;
class QWidget;

namespace telm::platform {

class PrintDialogs
{
public:
    virtual ~PrintDialogs() = default;
    // Lets the user choose the printer (or a file) and the page for `printer`,
    // with `options` (may be null) as an extra tab. False when the user cancels.
    virtual bool choosePrinter(QWidget* parent, QPrinter& printer, QWidget* options) = 0;
};

// The print dialogs in force; the Qt implementation unless a test installed another.
PrintDialogs& printDialogs();
void installPrintDialogs(PrintDialogs* dialogs); // nullptr restores the Qt one

// A recorder for tests: remembers every dialog and answers from a queue: a
// path makes the printer print into that PDF file, empty text cancels (also
// when the queue is empty).
class RecordingPrintDialogs : public PrintDialogs
{
public:
    struct Asked
    {
        QPageLayout::Orientation orientation;
        QString pageSize;
        QString docName; // what the dialog proposes as the file's name
        QString folder;  // and the folder it proposes it in (the current one)
    };

    RecordingPrintDialogs() { installPrintDialogs(this); }
    ~RecordingPrintDialogs() override { installPrintDialogs(nullptr); }

    bool choosePrinter(QWidget* parent, QPrinter& printer, QWidget* options) override;
    // Run on the options tab before answering: a test fills it in as a user would.
    std::function<void(QWidget*)> fillOptions;

    std::vector<Asked> asked;
    std::deque<QString> answers;
};

} // namespace telm::platform
