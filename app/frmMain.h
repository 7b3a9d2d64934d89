// The main window: the hub from which every other window is opened, with
// the "Регистри" menu, "Помощ", "Изход" and a status bar with date and time.
#pragma once

#include <QMainWindow>

#include <functional>

class QAction;
class QDateTime;
class QLabel;
class QMenu;
class QTimer;

namespace telm {

struct AppState;
struct DeskActions;
class DeskPanel;

class frmMain : public QMainWindow
{
    Q_OBJECT
public:
    // Shows a dialog modally; the argument is the window to show it over.
    using DialogFunction = std::function<void(QWidget* parent)>;

    static constexpr int kHelpTopic = 1000;

    explicit frmMain(AppState& state, QWidget* parent = nullptr);

    // A menu item whose dialog is not set stays visible but disabled.
    void setNewDocumentDialog(DialogFunction show);
    void setOpenDocumentDialog(DialogFunction show);
    void setExportDialog(DialogFunction show);
    void setImportDialog(DialogFunction show);

    // The desk below the menu: the data folder's statements and their state.
    DeskPanel* desk() const { return m_desk; }
    void setDeskActions(DeskActions actions);

    // Writes the date and time panels for the given moment.
    void refreshClock(const QDateTime& now);

    void mnuRegisters_Documents_Click();
    void mnuDocument_Correct_Click();
    void mnuRegisters_Import_Click();
    void mnuSaveToDisc_Click();
    void mnuHelp_Click();
    void mnuExit_Click();

private:
    QAction* addMenuAction(QMenu* menu, const char* name, const QString& caption, int topic);
    void setDialog(QAction* item, DialogFunction& slot, DialogFunction show);
    void tmrClock_Timer();

    AppState& m_state;
    QMenu* m_mnuRegisters = nullptr;
    QAction* m_mnuRegisters_Documents = nullptr;
    QAction* m_mnuDocument_Correct = nullptr;
    QAction* m_mnuRegisters_Import = nullptr;
    QAction* m_mnuSaveToDisc = nullptr;
    QAction* m_mnuHelp = nullptr;
    QAction* m_mnuExit = nullptr;
    DialogFunction m_newDocument;
    DialogFunction m_openDocument;
    DialogFunction m_export;
    DialogFunction m_import;
    QLabel* m_pnlText = nullptr;
    QLabel* m_pnlDate = nullptr;
    QLabel* m_pnlTime = nullptr;
    QTimer* m_tmrClock = nullptr;
    DeskPanel* m_desk = nullptr;
};

} // namespace telm
