// The desk in the main window: every data file of the data folder with its
// company, period, type, kind, time of saving, whether it verifies and the
// controls' findings of its filing, filings as parents in the filing's order.
// Headers are read in a worker thread; the table follows the folder on disk.
#pragma once

#include "app/DeskActions.h"
#include "desk/DeskEntry.h"

#include <QFutureWatcher>
#include <QWidget>

#include <memory>
#include <vector>

class QFileSystemWatcher;
class QLabel;
class QLineEdit;
class QProgressBar;
class QPushButton;
class QSortFilterProxyModel;
class QStackedWidget;
class QTimer;
class QTreeView;

namespace telm {

class DeskModel;
class DeskScanner;
struct clsCompany;

class DeskPanel : public QWidget
{
    Q_OBJECT

public:
    // `emptyState` is shown while the folder holds no data file.
    DeskPanel(const QString& dataFolder, const QString& programFolder, QWidget* emptyState,
              QWidget* parent = nullptr);
    ~DeskPanel() override;

    void setActions(DeskActions actions);

    // Reads the folder again (in the worker); changes on disk call it by themselves.
    void rescan();
    // Reads the folder again and makes the file's row current once it is shown.
    void rescanShowing(const QString& path);

    const DeskSnapshot& snapshot() const { return *m_snapshot; }
    // The companies of the data folder, one per BULSTAT, by name.
    std::vector<clsCompany> companies() const;

    // The filing of the current row, or nullptr.
    const DeskFiling* currentFiling() const;
    // The data file of the current row, or empty when a filing is current.
    QString currentFile() const;

    void cmdOpen_Click();
    void cmdPrint_Click();
    void cmdHandOver_Click();
    void cmdControls_Click();
    void cmdImport_Click();

signals:
    // A snapshot with every file verified and every filing's controls run is shown.
    void deskChecked();

private:
    void buildControls();
    void showSnapshot(const DeskSnapshot& snapshot);
    void fillModel(const QString& keep, int keepColumn);
    void activated(const QModelIndex& index);
    void contextMenu(const QPoint& at);
    void updateButtons();
    // Follows the data folder on disk, or while there is none the folder it
    // will be made in, so that its coming is seen.
    void watchFolder();
    QStringList filingPaths(const DeskFiling& filing) const;
    void
    runOnFiling(const std::function<void(QWidget*, const DeskFiling&, const QStringList&)>& action);

    QString m_folder;
    std::unique_ptr<DeskScanner> m_scanner;
    DeskActions m_actions;
    // Shared with the model, which reads it whenever the view asks.
    std::shared_ptr<const DeskSnapshot> m_snapshot = std::make_shared<const DeskSnapshot>();
    bool m_again = false;
    QString m_showAfter; // the file to make current when a reading shows it

    QFutureWatcher<DeskSnapshot>* m_work = nullptr;
    QFileSystemWatcher* m_disk = nullptr;
    QTimer* m_settle = nullptr;
    QStackedWidget* m_pages = nullptr;
    QWidget* m_empty = nullptr;
    QWidget* m_deskPage = nullptr;
    QLineEdit* m_txtFilter = nullptr;
    QTreeView* m_tvwDesk = nullptr;
    DeskModel* m_model = nullptr;
    QSortFilterProxyModel* m_filter = nullptr;
    QProgressBar* m_progress = nullptr;
    QPushButton* m_cmdOpen = nullptr;
    QPushButton* m_cmdPrint = nullptr;
    QPushButton* m_cmdHandOver = nullptr;
    QPushButton* m_cmdControls = nullptr;
    QPushButton* m_cmdImport = nullptr;
};

} // namespace telm
