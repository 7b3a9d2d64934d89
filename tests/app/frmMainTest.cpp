// The main window: menu structure, captions, help topics, the dialog items,
// "Помощ", "Изход" and the status bar.
#include "app/frmMain.h"

#include "platform/HelpTopics.h"
#include "platform/HelpViewer.h"
#include "platform/MessageBoxes.h"
#include "selection/DocumentContext.h"

#include <QAction>
#include <QLabel>
#include <QMenu>
#include <QMenuBar>
#include <QStatusBar>
#include <QtTest>

#include <gtest/gtest.h>

using telm::frmMain;
using namespace telm::platform;

namespace {

int topicOf(const QObject* object)
{
    return HelpTopicOf(object).value_or(0);
}

class MainWindow : public ::testing::Test
{
protected:
    void SetUp() override
    {
        m_state.helpFilePath = QStringLiteral("/program/Help.hlp");
        m_window.show();
        ASSERT_TRUE(QTest::qWaitForWindowActive(&m_window));
    }

    QMenu* registers() const { return m_window.findChild<QMenu*>(QStringLiteral("mnuRegisters")); }
    QAction* item(const char* name) const
    {
        return m_window.findChild<QAction*>(QString::fromLatin1(name));
    }

    // Opens "Регистри" with the mouse and clicks one of its items.
    void clickRegistersItem(QAction* target)
    {
        QMenuBar* bar = m_window.menuBar();
        QTest::mouseClick(bar, Qt::LeftButton, {},
                          bar->actionGeometry(registers()->menuAction()).center());
        ASSERT_TRUE(QTest::qWaitForWindowExposed(registers()));
        QTest::mouseClick(registers(), Qt::LeftButton, {},
                          registers()->actionGeometry(target).center());
    }

    void clickBarItem(QAction* target)
    {
        QMenuBar* bar = m_window.menuBar();
        QTest::mouseClick(bar, Qt::LeftButton, {}, bar->actionGeometry(target).center());
    }

    telm::AppState m_state;
    frmMain m_window{m_state};
};

TEST_F(MainWindow, CaptionAndTopic)
{
    EXPECT_EQ(m_window.windowTitle(),
              QString::fromUtf8("TELM Transfer - ПП \"Трансфер на данни\""));
    EXPECT_EQ(topicOf(&m_window), 1000);
}

TEST_F(MainWindow, MenuBarHoldsRegistersThenHelpAndExitActingDirectly)
{
    struct Expected
    {
        const char* name;
        const char* caption;
        int topic;
        bool hasSubMenu;
    };
    const Expected top[] = {
        {"mnuRegisters", "Регистри", 2000, true},
        {"mnuHelp", "Помощ", 3000, false},
        {"mnuExit", "Изход", 4000, false},
    };
    const QList<QAction*> actions = m_window.menuBar()->actions();
    ASSERT_EQ(actions.size(), 3);
    for (int i = 0; i < 3; ++i) {
        EXPECT_EQ(actions[i]->objectName(), QString::fromLatin1(top[i].name));
        EXPECT_EQ(actions[i]->text(), QString::fromUtf8(top[i].caption));
        EXPECT_EQ(topicOf(actions[i]), top[i].topic) << top[i].name;
        EXPECT_EQ(actions[i]->menu() != nullptr, top[i].hasSubMenu) << top[i].name;
        EXPECT_TRUE(actions[i]->isVisible());
    }

    const Expected under[] = {
        {"mnuRegisters_Documents", "Въвеждане на документи", 2005, false},
        {"mnuDocument_Correct", "Корекция на документ", 2080, false},
        {"mnuRegisters_Import", "Импорт от оборотна ведомост...", 2110, false},
        {"mnuSaveToDisc", "Съхранение на данни на дискета", 2085, false},
    };
    const QList<QAction*> items = actions[0]->menu()->actions();
    ASSERT_EQ(items.size(), 4);
    for (int i = 0; i < 4; ++i) {
        EXPECT_EQ(items[i]->objectName(), QString::fromLatin1(under[i].name));
        EXPECT_EQ(items[i]->text(), QString::fromUtf8(under[i].caption));
        EXPECT_EQ(topicOf(items[i]), under[i].topic) << under[i].name;
        EXPECT_EQ(items[i]->menu(), nullptr);
    }
}

TEST_F(MainWindow, DialogItemsStayDisabledUntilTheirDialogIsSetThenOpenIt)
{
    using Setter = void (frmMain::*)(frmMain::DialogFunction);
    struct Case
    {
        const char* name;
        Setter set;
    };
    const Case cases[] = {
        {"mnuRegisters_Documents", &frmMain::setNewDocumentDialog},
        {"mnuDocument_Correct", &frmMain::setOpenDocumentDialog},
        {"mnuRegisters_Import", &frmMain::setImportDialog},
        {"mnuSaveToDisc", &frmMain::setExportDialog},
    };
    for (const Case& c : cases) {
        QAction* target = item(c.name);
        ASSERT_NE(target, nullptr) << c.name;
        EXPECT_TRUE(target->isVisible()) << c.name;
        EXPECT_FALSE(target->isEnabled()) << c.name;
    }
    for (const Case& c : cases) {
        std::vector<QWidget*> calls;
        (m_window.*c.set)([&calls](QWidget* parent) { calls.push_back(parent); });
        QAction* target = item(c.name);
        EXPECT_TRUE(target->isEnabled()) << c.name;
        clickRegistersItem(target);
        ASSERT_EQ(calls.size(), 1u) << c.name;
        EXPECT_EQ(calls[0], &m_window);

        (m_window.*c.set)({});
        EXPECT_FALSE(target->isEnabled()) << c.name;
    }
}

TEST_F(MainWindow, HelpOpensTheHelpFileOnItsTopicsList)
{
    struct Opened
    {
        QWidget* parent;
        QString file;
        int topic;
    };
    std::vector<Opened> opened;
    installHelpOpener([&opened](QWidget* parent, const QString& file, int topic) {
        opened.push_back({parent, file, topic});
    });
    clickBarItem(item("mnuHelp"));
    installHelpOpener({});

    ASSERT_EQ(opened.size(), 1u);
    EXPECT_EQ(opened[0].parent, &m_window);
    EXPECT_EQ(opened[0].file, QStringLiteral("/program/Help.hlp"));
    EXPECT_EQ(opened[0].topic, kHelpContents);
    EXPECT_TRUE(m_window.isVisible());
}

TEST_F(MainWindow, ExitAndTheCloseBoxEndWithoutAQuestion)
{
    RecordingMessageBoxes boxes;
    clickBarItem(item("mnuExit"));
    EXPECT_FALSE(m_window.isVisible());

    m_window.show();
    ASSERT_TRUE(QTest::qWaitForWindowExposed(&m_window));
    EXPECT_TRUE(m_window.close());
    EXPECT_FALSE(m_window.isVisible());
    EXPECT_TRUE(boxes.shown.empty());
}

TEST_F(MainWindow, StatusBarShowsFixedTextDateAndTime)
{
    QStatusBar* bar = m_window.findChild<QStatusBar*>(QStringLiteral("StatusBar1"));
    ASSERT_NE(bar, nullptr);
    EXPECT_EQ(m_window.statusBar(), bar);
    auto* text = bar->findChild<QLabel*>(QStringLiteral("pnlText"));
    auto* date = bar->findChild<QLabel*>(QStringLiteral("pnlDate"));
    auto* time = bar->findChild<QLabel*>(QStringLiteral("pnlTime"));
    ASSERT_TRUE(text && date && time);
    EXPECT_EQ(text->text(), QStringLiteral("TELM Transfer - Трансфер на данни"));

    // Left to right, the wide fixed panel first.
    EXPECT_LT(text->geometry().left(), date->geometry().left());
    EXPECT_LT(date->geometry().left(), time->geometry().left());
    EXPECT_GT(text->width(), date->width() + time->width());

    // Already live when the window is first shown.
    EXPECT_TRUE(QDate::fromString(date->text(), QStringLiteral("dd.MM.yyyy")).isValid());
    EXPECT_TRUE(QTime::fromString(time->text(), QStringLiteral("HH:mm:ss")).isValid());

    const struct
    {
        QDateTime when;
        const char* date;
        const char* time;
    } cases[] = {
        {QDateTime(QDate(2024, 3, 5), QTime(7, 8, 9)), "05.03.2024", "07:08:09"},
        {QDateTime(QDate(2005, 12, 31), QTime(23, 59, 59)), "31.12.2005", "23:59:59"},
    };
    for (const auto& c : cases) {
        m_window.refreshClock(c.when);
        EXPECT_EQ(date->text(), QString::fromLatin1(c.date));
        EXPECT_EQ(time->text(), QString::fromLatin1(c.time));
    }
}

} // namespace
