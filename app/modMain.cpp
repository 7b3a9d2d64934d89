#include "app/modMain.h"

#include "app/frmMain.h"
#include "app/frmSplash.h"
#include "platform/DataFolder.h"
#include "platform/HelpKeyFilter.h"
#include "platform/MessageBoxes.h"
#include "selection/DataFileName.h"
#include "selection/DocumentContext.h"

#include <QApplication>

namespace telm {

StartUp::StartUp(AppState& state, const QString& lockPath) : m_state(state), m_instance(lockPath) {}

StartUp::~StartUp() = default;

void StartUp::setMainWindowSetup(std::function<void(frmMain&)> setup)
{
    m_setup = std::move(setup);
}

bool StartUp::Main()
{
    m_state.FilePrefix = kFilePrefix;
    m_state.programFolder = QCoreApplication::applicationDirPath();

    if (!m_instance.tryAcquire()) {
        platform::ShowMessage(nullptr, QStringLiteral("Внимание"),
                              QStringLiteral("Има стартирано друго копие на програмата"),
                              platform::MsgIcon::Critical);
        return false;
    }

    // The data files: beside the program while its folder can be written to,
    // else in the user's own folder. Without either nothing could be saved.
    const platform::DataFolderChoice data = platform::DataFolder(m_state.programFolder);
    if (data.path.isEmpty()) {
        platform::ShowMessage(nullptr, QStringLiteral("Грешка"),
                              QStringLiteral("Няма папка, в която да се записват документите: "
                                             "%1. Програмата ще бъде затворена.")
                                  .arg(data.error),
                              platform::MsgIcon::Critical);
        return false;
    }
    m_state.dataFolder = data.path;

    auto splash = std::make_unique<frmSplash>();
    splash->Form_Load();

    m_state.CurrentRowColor = 0x8000000F;
    m_state.helpFilePath = m_state.programFolder + QStringLiteral("/Help.hlp");
    m_helpKeys = std::make_unique<platform::HelpKeyFilter>(m_state.helpFilePath);
    qApp->installEventFilter(m_helpKeys.get());

    m_main = std::make_unique<frmMain>(m_state);
    if (m_setup)
        m_setup(*m_main);

    // Waits for events rather than spinning: the delay timer or a key wakes it.
    while (!splash->ReadyToClose())
        QCoreApplication::processEvents(QEventLoop::WaitForMoreEvents);

    splash->repaint();
    m_main->show();
    splash->close();
    splash.reset();
    return true;
}

} // namespace telm
