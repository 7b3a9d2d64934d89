// telm-transfer: starts the program and runs it until the main window closes.
#include "DialogWiring.h"
#include "DocumentContext.h"
#include "modMain.h"

#include <QApplication>

int main(int argc, char** argv)
{
    QApplication app(argc, argv);
    telm::AppState state;
    telm::StartUp startUp(state);
    startUp.setMainWindowSetup(
        [&state](telm::frmMain& window) { telm::WireDialogs(window, state); });
    if (!startUp.Main())
        return 0;
    return app.exec();
}
