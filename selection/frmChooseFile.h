// The open-document dialog: the user picks a saved data file, the dialog reads
// its header into the document context and opens the matching document form
// for correction through the injected opener.
#pragma once

#include "selection/DocumentOpener.h"

#include <QDialog>

class QGroupBox;
class QLineEdit;
class QPushButton;

namespace telm {

struct AppState;

class frmChooseFile : public QDialog
{
    Q_OBJECT

public:
    frmChooseFile(AppState& state, DocumentOpener opener, QWidget* parent = nullptr);

public slots:
    void cmdChooseFile_Click();
    void cmdOpen_Click();
    void cmdCancel_Click();

protected:
    void showEvent(QShowEvent* event) override;

private:
    void buildControls();

    AppState& m_state;
    DocumentOpener m_opener;

    QGroupBox* m_frChooseFile = nullptr;
    QLineEdit* m_txtFileName = nullptr;
    QPushButton* m_cmdChooseFile = nullptr;
    QPushButton* m_cmdOpen = nullptr;
    QPushButton* m_cmdCancel = nullptr;
};

} // namespace telm
