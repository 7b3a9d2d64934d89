// The splash window: its delay, Escape, other keys and the picture.
#include "app/frmSplash.h"

#include <QDeadlineTimer>
#include <QImage>
#include <QTimer>
#include <QtTest>

#include <gtest/gtest.h>

using telm::frmSplash;

namespace {

TEST(Splash, WaitsForItsDelayTimerThenMayClose)
{
    frmSplash splash;
    splash.Form_Load();
    EXPECT_TRUE(splash.isVisible());
    EXPECT_FALSE(splash.ReadyToClose());
    EXPECT_TRUE(splash.delayTimer()->isActive());
    EXPECT_TRUE(splash.delayTimer()->isSingleShot());
    EXPECT_EQ(splash.delayTimer()->interval(), 1000);
    EXPECT_EQ(splash.cursor().shape(), Qt::WaitCursor);
    EXPECT_EQ(splash.size(), QSize(331, 268));

    QDeadlineTimer deadline(2500);
    while (!splash.ReadyToClose() && !deadline.hasExpired())
        QTest::qWait(20);
    EXPECT_TRUE(splash.ReadyToClose());
    EXPECT_FALSE(splash.delayTimer()->isActive());
    EXPECT_TRUE(splash.isVisible()); // the timer alone does not hide it
}

TEST(Splash, EscapeHidesItAtOnceOtherKeysDoNothing)
{
    struct Case
    {
        Qt::Key key;
        Qt::KeyboardModifiers modifiers;
        bool closes;
    };
    const Case cases[] = {
        {Qt::Key_Return, Qt::NoModifier, false},   {Qt::Key_Space, Qt::NoModifier, false},
        {Qt::Key_A, Qt::NoModifier, false},        {Qt::Key_Tab, Qt::NoModifier, false},
        {Qt::Key_Q, Qt::ControlModifier, false},   {Qt::Key_Escape, Qt::NoModifier, true},
        {Qt::Key_Escape, Qt::ShiftModifier, true},
    };
    for (const Case& c : cases) {
        frmSplash splash;
        splash.Form_Load();
        QTest::keyClick(&splash, c.key, c.modifiers);
        EXPECT_EQ(splash.ReadyToClose(), c.closes) << c.key;
        EXPECT_EQ(splash.isVisible(), !c.closes) << c.key;
        EXPECT_EQ(splash.delayTimer()->isActive(), !c.closes) << c.key;
    }
}

TEST(Splash, PictureFillsTheWindowAndIsNotBlank)
{
    const QImage picture = frmSplash::DrawPicture().toImage();
    EXPECT_EQ(picture.size(), QSize(331, 268));
    QSet<QRgb> colours;
    for (int y = 0; y < picture.height(); y += 7)
        for (int x = 0; x < picture.width(); x += 7)
            colours.insert(picture.pixel(x, y));
    EXPECT_GT(colours.size(), 10);
}

} // namespace
