// The help window, the missing-file message and F1 on real widgets.
#include "platform/HelpViewer.h"

#include "platform/HelpKeyFilter.h"
#include "platform/MessageBoxes.h"
#include "tests/support/TestFiles.h"

#include <QApplication>
#include <QDialog>
#include <QLineEdit>
#include <QListWidget>
#include <QMainWindow>
#include <QMenu>
#include <QMenuBar>
#include <QTemporaryDir>
#include <QTextBrowser>
#include <QtTest>

#include <gtest/gtest.h>

using namespace telm::platform;

namespace {

HelpFile sampleFile()
{
    HelpLoadResult loaded = ParseHelpText(
        "<help title=\"Помощ за тест\">"
        "<topic id=\"1000\" title=\"Главен прозорец\"><p>Основен текст</p></topic>"
        "<topic id=\"2005\" title=\"Параметри за документа\"><p>Виж "
        "<a href=\"topic:2080\">корекция</a></p></topic>"
        "<topic id=\"2080\" title=\"Корекция на документ\"><p>Избор на файл</p></topic>"
        "</help>");
    return std::move(*loaded.file);
}

TEST(HelpViewer, OpensAtTheAskedTopicOrOnTheListForContents)
{
    struct Case
    {
        int asked;
        int shownRow;
        bool listFocused;
    };
    for (const Case c : {Case{2080, 2, false}, Case{kHelpContents, 0, true}, Case{9999, 0, true}}) {
        HelpViewer viewer(sampleFile(), c.asked);
        viewer.show();
        ASSERT_TRUE(QTest::qWaitForWindowActive(&viewer));
        EXPECT_EQ(viewer.topicList()->count(), 3);
        EXPECT_EQ(viewer.topicList()->currentRow(), c.shownRow) << c.asked;
        EXPECT_EQ(viewer.topicList()->hasFocus(), c.listFocused) << c.asked;
        EXPECT_EQ(viewer.windowTitle(), QStringLiteral("Помощ за тест"));
    }
}

TEST(HelpViewer, ChoosingAListEntryOrALinkShowsThatTopic)
{
    HelpViewer viewer(sampleFile(), kHelpContents);
    EXPECT_TRUE(viewer.topicText()->toPlainText().contains(QStringLiteral("Основен текст")));

    viewer.topicList()->setCurrentRow(1);
    EXPECT_EQ(viewer.currentTopic(), 2005);
    EXPECT_TRUE(
        viewer.topicText()->toPlainText().contains(QStringLiteral("Параметри за документа")));

    emit viewer.topicText()->anchorClicked(QUrl(QStringLiteral("topic:2080")));
    EXPECT_EQ(viewer.currentTopic(), 2080);
    EXPECT_TRUE(viewer.topicText()->toPlainText().contains(QStringLiteral("Избор на файл")));

    emit viewer.topicText()->anchorClicked(QUrl(QStringLiteral("topic:4242")));
    emit viewer.topicText()->anchorClicked(QUrl(QStringLiteral("https://example.org/")));
    EXPECT_EQ(viewer.currentTopic(), 2080);
}

TEST(HelpViewer, UnreadableHelpFileIsReportedNotShown)
{
    QTemporaryDir dir;
    const QString broken = dir.filePath(QStringLiteral("Help.hlp"));
    ASSERT_TRUE(telm::test::writeAll(broken, "<help><topic id="));
    for (const QString& path : {dir.filePath(QStringLiteral("missing/Help.hlp")), broken}) {
        RecordingMessageBoxes boxes;
        OpenHelp(nullptr, path, 1000);
        ASSERT_EQ(boxes.shown.size(), 1u) << path.toStdString();
        EXPECT_EQ(boxes.shown[0].title, QStringLiteral("Помощ"));
        EXPECT_EQ(boxes.shown[0].text,
                  QStringLiteral("Файлът с помощна информация не може да бъде отворен: ") + path);
        EXPECT_EQ(boxes.shown[0].icon, MsgIcon::Warning);
        EXPECT_EQ(QApplication::activeModalWidget(), nullptr);
    }
}

TEST(HelpViewer, OpenHelpRunsTheViewerModallyOverItsParent)
{
    QTemporaryDir dir;
    const QString path = dir.filePath(QStringLiteral("Help.hlp"));
    ASSERT_TRUE(telm::test::writeAll(
        path, "<help><topic id=\"1000\" title=\"А\"/><topic id=\"2005\" title=\"Б\"/></help>"));
    QWidget owner;
    owner.show();
    int seenTopic = -1;
    bool seenModal = false;
    QTimer::singleShot(0, [&] {
        auto* viewer = qobject_cast<HelpViewer*>(QApplication::activeModalWidget());
        if (!viewer)
            return;
        seenTopic = viewer->currentTopic();
        seenModal = viewer->isModal() && viewer->parentWidget() == &owner;
        viewer->reject();
    });
    OpenHelp(&owner, path, 2005);
    EXPECT_EQ(seenTopic, 2005);
    EXPECT_TRUE(seenModal);
}

// F1 through the application-wide filter, with the opener recorded.
class HelpKeys : public ::testing::Test
{
protected:
    struct Opened
    {
        QWidget* parent;
        QString file;
        int topic;
    };

    void SetUp() override
    {
        qApp->installEventFilter(&m_filter);
        installHelpOpener([this](QWidget* parent, const QString& file, int topic) {
            m_opened.push_back({parent, file, topic});
        });
    }
    void TearDown() override
    {
        installHelpOpener({});
        qApp->removeEventFilter(&m_filter);
    }

    HelpKeyFilter m_filter{QStringLiteral("/program/Help.hlp")};
    std::vector<Opened> m_opened;
};

TEST_F(HelpKeys, F1InAWindowOpensItsTopicOverIt)
{
    QMainWindow window;
    window.setProperty(kHelpTopicProperty, 1000);
    QDialog dialog(&window); // a dialog with no topic of its own
    auto* edit = new QLineEdit(&dialog);
    window.show();
    ASSERT_TRUE(QTest::qWaitForWindowActive(&window));
    QTest::keyClick(&window, Qt::Key_F1);

    dialog.setModal(true);
    dialog.show();
    ASSERT_TRUE(QTest::qWaitForWindowActive(&dialog));
    edit->setFocus();
    QTest::keyClick(edit, Qt::Key_F1);
    dialog.setProperty(kHelpTopicProperty, 2080);
    QTest::keyClick(edit, Qt::Key_F1);
    QTest::keyClick(edit, Qt::Key_F1, Qt::ShiftModifier); // not plain F1: not help

    ASSERT_EQ(m_opened.size(), 3u);
    EXPECT_EQ(m_opened[0].topic, 1000);
    EXPECT_EQ(m_opened[0].parent, &window);
    EXPECT_EQ(m_opened[0].file, QStringLiteral("/program/Help.hlp"));
    EXPECT_EQ(m_opened[1].topic, 1000);
    EXPECT_EQ(m_opened[1].parent, &dialog);
    EXPECT_EQ(m_opened[2].topic, 2080);
}

TEST_F(HelpKeys, F1OnAHighlightedMenuItemOpensTheItemsTopic)
{
    QMainWindow window;
    window.setProperty(kHelpTopicProperty, 1000);
    QMenu* menu = window.menuBar()->addMenu(QStringLiteral("Регистри"));
    menu->menuAction()->setProperty(kHelpTopicProperty, 2000);
    QAction* item = menu->addAction(QStringLiteral("Корекция на документ"));
    item->setProperty(kHelpTopicProperty, 2080);
    window.show();
    ASSERT_TRUE(QTest::qWaitForWindowActive(&window));

    menu->popup(window.mapToGlobal(QPoint(10, 10)));
    ASSERT_TRUE(QTest::qWaitForWindowExposed(menu));
    QTest::keyClick(menu, Qt::Key_F1); // no entry highlighted: the menu's own topic
    menu->popup(window.mapToGlobal(QPoint(10, 10)));
    ASSERT_TRUE(QTest::qWaitForWindowExposed(menu));
    menu->setActiveAction(item);
    QTest::keyClick(menu, Qt::Key_F1);

    ASSERT_EQ(m_opened.size(), 2u);
    EXPECT_EQ(m_opened[0].topic, 2000);
    EXPECT_EQ(m_opened[1].topic, 2080);
    EXPECT_EQ(m_opened[1].parent, &window);
    EXPECT_FALSE(menu->isVisible());
}

} // namespace
