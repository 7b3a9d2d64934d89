// Every window of ours on the screen it is shown on, menu, fields and buttons
// included. Run on the offscreen screen and, from CTest, on a 1366×768 one at
// QT_SCALE_FACTOR 1 and 2 (683×384 device-independent pixels).
#include "app/frmImport.h"
#include "app/frmMain.h"
#include "editor/frmDocument.h"
#include "export/frmSaveXMLAs.h"
#include "platform/HelpViewer.h"
#include "platform/MessageBoxes.h"
#include "selection/Catalogue.h"
#include "selection/DataFileName.h"
#include "selection/DocumentContext.h"
#include "selection/frmChooseFile.h"
#include "selection/frmChoosePrm.h"
#include "tests/support/TestFiles.h"

#include <QApplication>
#include <QMenuBar>
#include <QScreen>
#include <QTemporaryDir>
#include <QTest>

#include <gtest/gtest.h>

using namespace telm;

namespace {

QRect screenRoom(const QWidget& window)
{
    return window.screen()->availableGeometry();
}

// The window, its least size and its menu bar lie on the screen.
void expectOnScreen(QWidget& window)
{
    window.show();
    QApplication::processEvents();
    const QRect room = screenRoom(window);
    SCOPED_TRACE(window.objectName().toStdString() + " on " + std::to_string(room.width()) + "x"
                 + std::to_string(room.height()));
    EXPECT_LE(window.minimumSize().width(), room.width());
    EXPECT_LE(window.minimumSize().height(), room.height());
    EXPECT_LE(window.frameGeometry().width(), room.width());
    EXPECT_LE(window.frameGeometry().height(), room.height());
    if (auto* main = qobject_cast<QMainWindow*>(&window)) {
        EXPECT_TRUE(room.contains(main->menuBar()->mapToGlobal(QPoint(0, 0))));
    }
}

TEST(WindowSizes, EveryWindowFitsTheScreen)
{
    QTemporaryDir dir;
    // From CTest the screen is the laptop's, in pixels, whatever the scale.
    if (qgetenv("QT_QPA_PLATFORM").contains("configfile")) {
        const QScreen* screen = QGuiApplication::primaryScreen();
        EXPECT_EQ(screen->geometry().size() * screen->devicePixelRatio(), QSize(1366, 768));
    }
    ASSERT_TRUE(test::makeProgramFolder(dir.path()));
    AppState state;
    state.FilePrefix = QStringLiteral("VELDOR");
    state.programFolder = dir.path();
    state.company = {QStringLiteral("Фирма ООД"), QStringLiteral("123456786")};
    state.period = {QStringLiteral("12"), 2005};
    platform::RecordingMessageBoxes boxes;

    frmMain main(state);
    expectOnScreen(main);
    frmChoosePrm choose(state, {});
    expectOnScreen(choose);
    frmChooseFile open(state, {});
    expectOnScreen(open);
    frmSaveXMLAs copy(nullptr, dir.path());
    expectOnScreen(copy);
    frmImport import(state);
    expectOnScreen(import);

    const DocType& balance = *DocTypeAt(0);
    frmDocument form(
        state, DocumentInContext(state, balance, 0, TemplatePath(dir.path(), balance), false));
    expectOnScreen(form);
    form.showNormal();
    QApplication::processEvents();
    EXPECT_TRUE(screenRoom(form).contains(form.geometry())) << form.width() << "x" << form.height();
    boxes.answers.assign(3, platform::MsgAnswer::No);
    form.close();
}

} // namespace
