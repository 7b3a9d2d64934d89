#include "platform/FileDialogs.h"

#include <QFileDialog>
#include <QHeaderView>
#include <QTreeView>

#include <algorithm>

namespace telm::platform {

namespace {

class QtFileDialogs : public FileDialogs
{
public:
    QString getOpenFileName(QWidget* parent, const QString& title, const QStringList& filters,
                            const QString& folder) override
    {
        QFileDialog dialog(parent, title, folder);
        dialog.setOption(QFileDialog::DontUseNativeDialog);
        dialog.setAcceptMode(QFileDialog::AcceptOpen);
        dialog.setFileMode(QFileDialog::ExistingFile); // a typed path must exist
        dialog.setNameFilters(filters);
        if (!filters.isEmpty())
            dialog.selectNameFilter(filters.first());
        dialog.setViewMode(QFileDialog::Detail);
        // Wide enough for a whole data-file name with its size, type and date beside it.
        const QFontMetrics metrics(dialog.font());
        const int pad = metrics.height() * 2;
        const int widths[] = {
            metrics.horizontalAdvance(QStringLiteral("VELDOR_P_BalLiq2_123456786_2025_12.xml"))
                + pad,
            metrics.horizontalAdvance(QStringLiteral("9999.9 KiB")) + pad,
            metrics.horizontalAdvance(QStringLiteral("XML Document")) + pad,
            metrics.horizontalAdvance(QStringLiteral("31.12.2026 23:59:59")) + pad};
        int columns = 0;
        for (const int width : widths)
            columns += width;
        if (auto* view = dialog.findChild<QTreeView*>(QStringLiteral("treeView")))
            for (int section = 0; section < int(std::size(widths)); ++section)
                view->header()->resizeSection(section, widths[section]);
        dialog.resize(std::max(dialog.sizeHint().width(), columns + metrics.height() * 18),
                      std::max(dialog.sizeHint().height(), metrics.height() * 28));
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
                                              const QStringList& filters, const QString& folder)
{
    asked.push_back({title, filters, folder});
    if (answers.empty())
        return {};
    const QString answer = answers.front();
    answers.pop_front();
    return answer;
}

} // namespace telm::platform
