#include "platform/FileDialogs.h"

#include <QFileDialog>

namespace telm::platform {

namespace {

class QtFileDialogs : public FileDialogs
{
public:
    QString getOpenFileName(QWidget* parent, const QString& title,
                            const QStringList& filters) override
    {
        QFileDialog dialog(parent, title);
        dialog.setAcceptMode(QFileDialog::AcceptOpen);
        dialog.setFileMode(QFileDialog::ExistingFile); // a typed path must exist
        dialog.setNameFilters(filters);
        if (!filters.isEmpty())
            dialog.selectNameFilter(filters.first());
        dialog.setWindowModality(Qt::ApplicationModal);
        if (dialog.exec() != QDialog::Accepted)
            return {};
        const QStringList chosen = dialog.selectedFiles();
        return chosen.isEmpty() ? QString() : chosen.first();
    }
};

QtFileDialogs& qtDialogs()
{
    static QtFileDialogs dialogs;
    return dialogs;
}

FileDialogs* g_installed = nullptr;

} // namespace

FileDialogs& fileDialogs()
{
    return g_installed ? *g_installed : qtDialogs();
}

void installFileDialogs(FileDialogs* dialogs)
{
    g_installed = dialogs;
}

QStringList XmlFileFilters()
{
    return {QStringLiteral("Xml files (*.xml)"), QStringLiteral("All files (*)")};
}

QString RecordingFileDialogs::getOpenFileName(QWidget*, const QString& title,
                                              const QStringList& filters)
{
    asked.push_back({title, filters});
    if (answers.empty())
        return {};
    const QString answer = answers.front();
    answers.pop_front();
    return answer;
}

} // namespace telm::platform
