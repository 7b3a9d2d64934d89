// The new-document dialog: period, year, company and document type; on "&Избор"
// it checks the input, fills the document context and opens the document form
// through the injected opener.
#pragma once

#include "selection/DocumentOpener.h"

#include <QDialog>

class QCheckBox;
class QComboBox;
class QFrame;
class QLabel;
class QLineEdit;
class QPushButton;

namespace telm {

struct AppState;

class frmChoosePrm : public QDialog
{
    Q_OBJECT

public:
    frmChoosePrm(AppState& state, DocumentOpener opener, QWidget* parent = nullptr);

    void GetQuarters();
    void GetDocuments();

public slots:
    void CheckPrognosis_Click();
    void cmdOk_Click();
    void cmdEsc_Click();

private:
    void buildControls();
    void Form_Load();

    AppState& m_state;
    DocumentOpener m_opener;
    QString m_documentCode;

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
