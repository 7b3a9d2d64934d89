// The new-document dialog: period, year, company and document type; on "&Избор"
// it checks the input, fills the document context and opens the document form
// through the injected opener.
#pragma once

#include "selection/DocumentContext.h"
#include "selection/DocumentOpener.h"

#include <QDialog>

#include <vector>

class QCheckBox;
class QComboBox;
class QFrame;
class QLabel;
class QLineEdit;
class QPushButton;

namespace telm {

struct AppState;
class CompanyCompletion;

class frmChoosePrm : public QDialog
{
    Q_OBJECT

public:
    frmChoosePrm(AppState& state, DocumentOpener opener, QWidget* parent = nullptr);

    void GetQuarters();
    void GetDocuments();

    // The companies already known (of the data folder), offered by BULSTAT and
    // by name as the user types; choosing one fills both fields.
    void setCompanies(std::vector<clsCompany> companies);
    const std::vector<clsCompany>& companies() const;

public slots:
    void CheckPrognosis_Click();
    void cmdOk_Click();
    void cmdEsc_Click();

private:
    void buildControls();
    void Form_Load();
    void rememberCompany();

    AppState& m_state;
    DocumentOpener m_opener;
    QString m_documentCode;
    CompanyCompletion* m_completion = nullptr;

    QFrame* m_frame = nullptr;
    QComboBox* m_cboMonth = nullptr;
    QLineEdit* m_txtYear = nullptr;
    QLineEdit* m_txtBulstat = nullptr;
    QLineEdit* m_txtName = nullptr;
    QComboBox* m_cboDocument = nullptr;
    QPushButton* m_cmdOk = nullptr;
    QCheckBox* m_checkPrognosis = nullptr;
    QPushButton* m_cmdEsc = nullptr;
};

} // namespace telm
