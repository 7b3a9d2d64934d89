#include "platform/FileDialogs.h"

#include <QFileDialog>
#include <QFileSystemModel>
#include <QHeaderView>
#include <QIdentityProxyModel>
#include <QTreeView>

#include <algorithm>

namespace telm::platform {

namespace {

// The file list's kind and date columns in the program's words, whatever the
// system's language: "Файл с данни (XML)", "10.12.2026 17:34" (not "XML
// document", "Dec"); the headings too.
class BulgarianColumns : public QIdentityProxyModel
{
public:
    using QIdentityProxyModel::QIdentityProxyModel;

    QVariant data(const QModelIndex& index, int role) const override
    {
        const auto* files = qobject_cast<const QFileSystemModel*>(sourceModel());
        if (role != Qt::DisplayRole || !files || (index.column() != 2 && index.column() != 3))
            return QIdentityProxyModel::data(index, role);
        const QModelIndex source = mapToSource(index);
        if (index.column() == 3)
            return files->lastModified(source).toString(QStringLiteral("dd.MM.yyyy HH:mm"));
        return FileKindText(files->isDir(source), files->fileName(source.siblingAtColumn(0)));
    }

    QVariant headerData(int section, Qt::Orientation orientation, int role) const override
    {
        static const QString headings[] = {QStringLiteral("Име"), QStringLiteral("Размер"),
                                           QStringLiteral("Вид"), QStringLiteral("Променен")};
        if (orientation == Qt::Horizontal && role == Qt::DisplayRole && section >= 0
            && section < int(std::size(headings)))
            return headings[section];
        return QIdentityProxyModel::headerData(section, orientation, role);
    }
};

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
        dialog.setProxyModel(new BulgarianColumns(&dialog));
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
            metrics.horizontalAdvance(FileKindText(false, QStringLiteral("a.xml"))) + pad,
            metrics.horizontalAdvance(QStringLiteral("31.12.2026 23:59")) + pad};
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
    return {QStringLiteral("Файлове с данни XML (*.xml)"), QStringLiteral("Всички файлове (*)")};
}

QString FileKindText(bool folder, const QString& fileName)
{
    if (folder)
        return QStringLiteral("Папка");
    if (fileName.endsWith(QLatin1String(".xml"), Qt::CaseInsensitive))
        return QStringLiteral("Файл с данни (XML)");
    return QStringLiteral("Файл");
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
