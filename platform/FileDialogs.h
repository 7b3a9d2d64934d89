// The file-open dialog behind a seam: the program shows a real QFileDialog,
// tests install a recorder that captures what was asked and answers with a path.
// The program's dialog is Qt's own rather than the desktop's, so that it speaks
// the program's language with Qt's translations.
#pragma once

#include <QString>
#include <QStringList>

#include <deque>
#include <vector>

class QWidget;

namespace telm::platform {

class FileDialogs
{
public:
    virtual ~FileDialogs() = default;
    // An open dialog for one existing file with the given title and name filters
    // (the first one preselected), showing `folder` first. Returns the chosen
    // path, or empty text when the user cancels.
    virtual QString getOpenFileName(QWidget* parent, const QString& title,
                                    const QStringList& filters, const QString& folder) = 0;
};

// The file dialogs in force; the Qt implementation unless a test installed another.
FileDialogs& fileDialogs();
void installFileDialogs(FileDialogs* dialogs); // nullptr restores the Qt one

// The two filters of the data-file dialogs: XML files first, then all files.
QStringList XmlFileFilters();

// The kind of a file as the file dialog's list shows it: "Папка",
// "Файл с данни (XML)" or "Файл".
QString FileKindText(bool folder, const QString& fileName);

// A recorder for tests: remembers every dialog and answers from a queue
// (empty text, that is a cancel, when the queue is empty).
class RecordingFileDialogs : public FileDialogs
{
public:
    struct Asked
    {
        QString title;
        QStringList filters;
        QString folder;
    };

    RecordingFileDialogs() { installFileDialogs(this); }
    ~RecordingFileDialogs() override { installFileDialogs(nullptr); }

    QString getOpenFileName(QWidget* parent, const QString& title, const QStringList& filters,
                            const QString& folder) override;

    std::vector<Asked> asked;
    std::deque<QString> answers;
};

} // namespace telm::platform
