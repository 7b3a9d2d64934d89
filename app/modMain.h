// Start-up: the program-wide values, the one-copy rule, the splash window and
// the main window, in the order the program has always started.
#pragma once

#include "platform/SingleInstance.h"

#include <QString>

#include <functional>
#include <memory>

namespace telm {

struct AppState;
class frmMain;

namespace platform {
class HelpKeyFilter;
}

class StartUp
{
public:
    // lockPath: the single-instance lock; tests give one in their own folder.
    explicit StartUp(AppState& state,
                     const QString& lockPath = platform::SingleInstance::defaultLockPath());
    ~StartUp();

    StartUp(const StartUp&) = delete;
    StartUp& operator=(const StartUp&) = delete;

    // Called on the main window right after it is created, before it is shown:
    // the place to hand it the dialogs its menu opens.
    void setMainWindowSetup(std::function<void(frmMain&)> setup);

    // Runs the start-up sequence. False when another copy is running or no
    // folder can take the data files: the user has been told and the program
    // should end; nothing else was shown.
    bool Main();

    frmMain* mainWindow() const { return m_main.get(); }

private:
    AppState& m_state;
    platform::SingleInstance m_instance;
    std::function<void(frmMain&)> m_setup;
    std::unique_ptr<platform::HelpKeyFilter> m_helpKeys;
    std::unique_ptr<frmMain> m_main;
};

} // namespace telm
