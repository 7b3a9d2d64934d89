// The export dialog: the user picks a data file and a drive and folder, and
// "Съхрани" puts a copy of the file there, as it is, to be handed over.
#pragma once

#include <QDialog>
#include <QString>
#include <QStringList>

#include <vector>

class QComboBox;
class QFileSystemModel;
class QGroupBox;
class QLineEdit;
class QPushButton;
class QTreeView;

namespace telm {

class frmSaveXMLAs : public QDialog
{
    Q_OBJECT

public:
    // `dataFolder` is where the file to copy is looked for first.
    explicit frmSaveXMLAs(QWidget* parent = nullptr, const QString& dataFolder = QString());

    // The folder a copy goes to: the folder list's current folder.
    QString currentFolder() const;
    void setCurrentFolder(const QString& folder);
    const QString& startFolder() const { return m_startFolder; }

    // Hands a filing over in one step: the file field names its files, and
    // "Съхрани" copies every one of them once all verify, says what went
    // where and closes the dialog.
    void setFilesToHandOver(const QStringList& paths);

    void Drive1_Change(int index);
    void cmdChooseFile_Click();
    void cmdSave_Click();
    void cmdExit_Click();

private:
    void buildControls();
    void Form_Load();
    void fillDrives();
    int driveOf(const QString& folder) const;
    void showFolder();
    void handOver();

    QString m_startFolder;
    QString m_dataFolder;
    QString m_fileName;
    QStringList m_handOver;
    QString m_shownFolder;
    std::vector<QString> m_driveRoots;
    bool m_returning = false;

    QGroupBox* m_frChooseFile = nullptr;
    QLineEdit* m_txtFileName = nullptr;
    QPushButton* m_cmdChooseFile = nullptr;
    QComboBox* m_drive1 = nullptr;
    QTreeView* m_dir1 = nullptr;
    QFileSystemModel* m_folders = nullptr;
    QPushButton* m_cmdSave = nullptr;
    QPushButton* m_cmdExit = nullptr;
};

} // namespace telm
