// The program's file dialog as the user sees it: Bulgarian filters, kinds and
// dates whatever the system's language (the tests run under LANG=C.UTF-8).
#include "platform/FileDialogs.h"

#include <QApplication>
#include <QDateTime>
#include <QFile>
#include <QFileDialog>
#include <QFileInfo>
#include <QTemporaryDir>
#include <QTest>
#include <QTimer>
#include <QTreeView>

#include <gtest/gtest.h>

using namespace telm::platform;

namespace {

TEST(FileDialogs, FiltersKindsAndDatesAreBulgarian)
{
    QTemporaryDir dir;
    const QString data = dir.filePath(QStringLiteral("VELDOR_Bal_123456786_2025_12.xml"));
    QFile file(data);
    ASSERT_TRUE(file.open(QIODevice::WriteOnly));
    file.write("<xml/>");
    file.close();

    QStringList filters;
    QString kind;
    QString date;
    QTimer::singleShot(0, [&] {
        auto* dialog = qobject_cast<QFileDialog*>(QApplication::activeModalWidget());
        if (!dialog)
            return;
        filters = dialog->nameFilters();
        auto* view = dialog->findChild<QTreeView*>(QStringLiteral("treeView"));
        for (int i = 0; i < 200 && view && view->model()->rowCount(view->rootIndex()) == 0; ++i)
            QTest::qWait(5);
        if (view && view->model()->rowCount(view->rootIndex()) == 1) {
            const QModelIndex row = view->model()->index(0, 0, view->rootIndex());
            kind = row.siblingAtColumn(2).data().toString();
            date = row.siblingAtColumn(3).data().toString();
        }
        dialog->reject();
    });
    EXPECT_TRUE(
        fileDialogs()
            .getOpenFileName(nullptr, QStringLiteral("Избор на файл"), XmlFileFilters(), dir.path())
            .isEmpty());
    EXPECT_EQ(filters, QStringList({QStringLiteral("Файлове с данни XML (*.xml)"),
                                    QStringLiteral("Всички файлове (*)")}));
    EXPECT_EQ(kind, QStringLiteral("Файл с данни (XML)"));
    EXPECT_EQ(date, QFileInfo(data).lastModified().toString(QStringLiteral("dd.MM.yyyy HH:mm")));
}

} // namespace
