// Start-up: the program-wide values, the second copy, the splash and the
// main window in their order.
#include "app/modMain.h"

#include "app/frmMain.h"
#include "app/frmSplash.h"
#include "platform/MessageBoxes.h"
#include "platform/SingleInstance.h"
#include "selection/DocumentContext.h"

#include <QApplication>
#include <QPointer>
#include <QTemporaryDir>
#include <QtTest>

#include <gtest/gtest.h>

using namespace telm;

namespace {

std::vector<QWidget*> visibleWindows()
{
    std::vector<QWidget*> windows;
    for (QWidget* widget : QApplication::topLevelWidgets())
        if (widget->isVisible())
            windows.push_back(widget);
    return windows;
}

frmSplash* findSplash()
{
    for (QWidget* widget : QApplication::topLevelWidgets())
        if (auto* splash = qobject_cast<frmSplash*>(widget))
            return splash;
    return nullptr;
}

TEST(StartUp, SecondCopyIsToldAndEndsWithoutAnyWindow)
{
    QTemporaryDir dir;
    const QString lock = dir.filePath(QStringLiteral("telm-transfer.lock"));
    platform::SingleInstance firstCopy(lock);
    ASSERT_TRUE(firstCopy.tryAcquire());

    platform::RecordingMessageBoxes boxes;
    AppState state;
    StartUp startUp(state, lock);
    EXPECT_FALSE(startUp.Main());

    ASSERT_EQ(boxes.shown.size(), 1u);
    EXPECT_EQ(boxes.shown[0].title, QStringLiteral("Внимание"));
    EXPECT_EQ(boxes.shown[0].text, QStringLiteral("Има стартирано друго копие на програмата"));
    EXPECT_EQ(boxes.shown[0].icon, platform::MsgIcon::Critical);
    EXPECT_EQ(startUp.mainWindow(), nullptr);
    EXPECT_EQ(findSplash(), nullptr);
    EXPECT_TRUE(visibleWindows().empty());
    EXPECT_EQ(state.FilePrefix, QStringLiteral("VELDOR"));
}

TEST(StartUp, SetsTheValuesShowsTheMainWindowAndReleasesTheSplash)
{
    QTemporaryDir dir;
    platform::RecordingMessageBoxes boxes;
    AppState state;
    state.CurrentRowColor = 0;
    StartUp startUp(state, dir.filePath(QStringLiteral("telm-transfer.lock")));
    frmMain* setUp = nullptr;
    bool visibleAtSetup = true;
    bool splashUpAtSetup = false;
    startUp.setMainWindowSetup([&](frmMain& window) {
        setUp = &window;
        visibleAtSetup = window.isVisible();
        splashUpAtSetup = findSplash() && findSplash()->isVisible();
    });
    ASSERT_TRUE(startUp.Main());

    EXPECT_TRUE(boxes.shown.empty());
    EXPECT_EQ(state.FilePrefix, QStringLiteral("VELDOR"));
    EXPECT_EQ(state.CurrentRowColor, 0x8000000Fu);
    EXPECT_EQ(state.programFolder, QCoreApplication::applicationDirPath());
    EXPECT_EQ(state.helpFilePath, QCoreApplication::applicationDirPath() + "/Help.hlp");

    ASSERT_NE(startUp.mainWindow(), nullptr);
    EXPECT_EQ(setUp, startUp.mainWindow());
    EXPECT_FALSE(visibleAtSetup); // loaded hidden while the splash is up
    EXPECT_TRUE(splashUpAtSetup);
    EXPECT_TRUE(startUp.mainWindow()->isVisible());
    EXPECT_EQ(findSplash(), nullptr);

    // This copy now holds the lock.
    platform::SingleInstance another(dir.filePath(QStringLiteral("telm-transfer.lock")));
    EXPECT_FALSE(another.tryAcquire());
}

TEST(StartUp, EscapeOnTheSplashEndsTheWaitBeforeTheDelay)
{
    QTemporaryDir dir;
    AppState state;
    StartUp startUp(state, dir.filePath(QStringLiteral("telm-transfer.lock")));
    bool escaped = false;
    bool hiddenAtOnce = false;
    bool delayStillPending = false;
    startUp.setMainWindowSetup([&](frmMain&) {
        QTimer::singleShot(0, [&] {
            QPointer<frmSplash> splash = findSplash();
            if (!splash)
                return;
            delayStillPending = splash->delayTimer()->isActive();
            QTest::keyClick(splash.data(), Qt::Key_Escape);
            escaped = splash->ReadyToClose();
            hiddenAtOnce = !splash->isVisible();
        });
    });
    ASSERT_TRUE(startUp.Main());
    EXPECT_TRUE(delayStillPending);
    EXPECT_TRUE(escaped);
    EXPECT_TRUE(hiddenAtOnce);
    EXPECT_TRUE(startUp.mainWindow()->isVisible());
    EXPECT_EQ(findSplash(), nullptr);
}

} // namespace
