// telm-transfer: starts the program and runs it until the main window closes.
#include "app/DialogWiring.h"
#include "app/modMain.h"
#include "platform/Application.h"
#include "selection/DocumentContext.h"

#include <QApplication>

int main(int argc, char** argv)
{
    QApplication app(argc, argv);
    telm::platform::DescribeApplication(QStringLiteral("telm-transfer"));
    // The windows belong to the desktop entry telm-transfer.desktop ("TELM
    // Transfer" and its icon in the menu and the task bar). No display name is
    // set: Qt would append it to every window title on X11, and the titles are
    // the program's own texts ("TELM - Внимание!").
    QGuiApplication::setDesktopFileName(QStringLiteral("telm-transfer"));
    // Every text of the program is Bulgarian; Qt's own dialogs and buttons too.
    telm::platform::InstallBulgarianQtTexts(app);
    // Amounts are shown and read with the separators of the user's regional settings.
    telm::AppState state;
    telm::StartUp startUp(state);
    startUp.setMainWindowSetup(
        [&state](telm::frmMain& window) { telm::WireDialogs(window, state); });
    if (!startUp.Main())
        return 0;
    return app.exec();
}
