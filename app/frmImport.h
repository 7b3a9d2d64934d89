// The import dialog: a ledger's trial balance, the company and the period,
// and the company's own account map (remembered per BULSTAT); a preview of
// where every account goes, the accounts without a place marked, the trial
// balance's totals and the cells to be filled; "&Импорт" fills and saves the
// statements through the ledger's import road.
#pragma once

#include "ledger/FilingImport.h"
#include "selection/DocumentContext.h"

#include <QDialog>
#include <QRgb>

#include <vector>

class QComboBox;
class QLabel;
class QLineEdit;
class QPushButton;
class QStandardItemModel;
class QTabWidget;
class QTableView;
class QTimer;

namespace telm {

class CompanyCompletion;

// What the dialog starts with (the desk's filing, or nothing).
struct ImportChoices
{
    QString bulstat;
    QString company;
    QString year;
    QString month;
};

class frmImport : public QDialog
{
    Q_OBJECT

public:
    static constexpr int kHelpTopic = 2110;
    // An account without a place: dark red on pale red (8:1), in bold, and the
    // words say it too.
    static constexpr QRgb kUnplacedInk = 0xff8b0000;
    static constexpr QRgb kUnplacedPaper = 0xfffde2e1;

    frmImport(const AppState& state, QWidget* parent = nullptr);

    // The companies of the data folder, offered as the user types.
    void setCompanies(std::vector<clsCompany> companies);
    // Fills the company and period (and the company's remembered map).
    void setChoices(const ImportChoices& choices);

    // Reads the maps and the trial balance again and shows the preview.
    void replan();

    const ImportPlan& plan() const { return m_plan; }
    // What the import saved; its status is Refused until then.
    const ImportFilingResult& imported() const { return m_result; }

    void cmdBrowse_Click();
    void cmdBrowseMap_Click();
    void cmdImport_Click();

    QTableView* accountsView() const { return m_tblAccounts; }
    QTableView* cellsView() const { return m_tblCells; }
    QPushButton* cmdImport() const { return m_cmdImport; }
    QLabel* totals() const { return m_lblTotals; }
    QLabel* refusal() const { return m_lblRefusal; }

private:
    void buildControls();
    QLineEdit* addPathField(const char* name);
    void bulstatChanged();
    void showPlan();
    void fitColumns(int tab);

    const AppState& m_state;
    ImportPlan m_plan;
    ImportFilingResult m_result;
    bool m_mapPrefilled = true; // the map field holds what was remembered, not what was typed

    QLineEdit* m_txtTrialBalance = nullptr;
    QPushButton* m_cmdBrowse = nullptr;
    QLineEdit* m_txtBulstat = nullptr;
    QLineEdit* m_txtName = nullptr;
    QComboBox* m_cboMonth = nullptr;
    QLineEdit* m_txtYear = nullptr;
    QLineEdit* m_txtAccounts = nullptr;
    QPushButton* m_cmdBrowseMap = nullptr;
    QTabWidget* m_tabs = nullptr;
    QTableView* m_tblAccounts = nullptr;
    QTableView* m_tblCells = nullptr;
    QStandardItemModel* m_accounts = nullptr;
    QStandardItemModel* m_cells = nullptr;
    QLabel* m_lblTotals = nullptr;
    QLabel* m_lblRefusal = nullptr;
    QPushButton* m_cmdImport = nullptr;
    QPushButton* m_cmdEsc = nullptr;
    QTimer* m_replan = nullptr;
    CompanyCompletion* m_completion = nullptr;
};

} // namespace telm
