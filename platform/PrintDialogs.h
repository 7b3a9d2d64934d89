// The system print dialog behind a seam: the program shows a real
// QPrintDialog, tests install a recorder that captures what was asked and
// answers with a PDF file to print into, or with a cancel.
#pragma once

#include <QPageLayout>
#include <QString>

#include <deque>
#include <vector>

class QPrinter;
class QWidget;

namespace telm::platform {

class PrintDialogs
{
public:
    virtual ~PrintDialogs() = default;
    // Lets the user choose the printer (or a file) and the page for `printer`.
    // False when the user cancels.
    virtual bool choosePrinter(QWidget* parent, QPrinter& printer) = 0;
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
    };

    RecordingPrintDialogs() { installPrintDialogs(this); }
    ~RecordingPrintDialogs() override { installPrintDialogs(nullptr); }

    bool choosePrinter(QWidget* parent, QPrinter& printer) override;

    std::vector<Asked> asked;
    std::deque<QString> answers;
};

} // namespace telm::platform
