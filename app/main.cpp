// telm-transfer: starts the program and runs it until the main window closes.
#include "DocumentContext.h"
#include "modMain.h"

#include <QApplication>

int main(int argc, char** argv)
{
    QApplication app(argc, argv);
    telm::AppState state;
    telm::StartUp startUp(state);
    if (!startUp.Main())
        return 0;
    return app.exec();
}
