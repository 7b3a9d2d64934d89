// The document form: one window class for all twelve document forms, driven by
// a form profile. It lays out the header fields, the grid and the command
// buttons, and wires grid and editor-box events to the document engine; it
// holds no arithmetic of its own.
#pragma once

#include "editor/DocumentEngine.h"
#include "platform/UserMessage.h"

#include <QDialog>

#include <functional>

class QFrame;
class QLabel;
class QLineEdit;
class QPushButton;
class QStatusBar;

namespace telm {

class FindingsPanel;
class GridWidget;

class frmDocument : public QDialog
{
    Q_OBJECT

public:
    // Opens another statement of the filing on one of its rows, modal over
    // `parent`; returns when that form has closed. The window that opens
    // document forms provides it.
    using StatementOpener = std::function<void(QWidget* parent, const RowTarget& target)>;

    // The form of the document's type, for a new document or a correction.
    frmDocument(AppState& state, const OpenedDocument& document, QWidget* parent = nullptr);
    ~frmDocument() override;

    int eEditType() const { return m_engine.eEditType(); }

    DocumentEngine& engine() { return m_engine; }
    GridWidget* hgrdDocEnter() const { return m_grid; }
    QLineEdit* txtEdit() const { return m_txtEdit; }
    QPushButton* cmdSave() const { return m_cmdSave; }
    QPushButton* closeButton() const { return m_cmdClose; }
    QPushButton* cmdSum() const { return m_cmdSum; }
    QPushButton* cmdComparatives() const { return m_cmdComparatives; }
    QPushButton* cmdPrint() const { return m_cmdPrint; }
    QPushButton* cmdCheck() const { return m_cmdCheck; }
    FindingsPanel* findingsPanel() const { return m_findings; }
    QLineEdit* txtPeriod() const { return m_txtPeriod; }
    QLineEdit* txtCompName() const { return m_txtCompName; }
    QLineEdit* txtBulstat() const { return m_txtBulstat; }
    QLabel* lblForecast() const { return m_lblForecast; }
    QStatusBar* statusBar() const { return m_statusBar; }
    QLineEdit* txtFind() const { return m_txtFind; }
    bool loaded() const { return m_loaded; }

    // A message in the status bar that stays until the next edit or the next
    // message ("Записано: …"). Short notes (why a cell takes no entry) pass
    // over it for a few seconds.
    void showStatus(const QString& text);
    // The standing message of the status bar; empty when there is none.
    QString statusText() const;

    // Buttons.
    void cmdPrint_Click();
    void cmdSave_Click();
    void cmdCancel_Click();
    void cmdSum_Click();
    // "Обнови сравнителните данни": asks, then takes the comparatives again
    // from last year's data file.
    void cmdComparatives_Click();

    // "Проверка" (F9): the controls over the document as it stands, without
    // saving, listed in the findings panel.
    void cmdCheck_Click();
    // Makes the row current (its band expanded), in the target's amount
    // column; false when the document has no such row.
    bool goToRow(const RowTarget& target);
    // The row the form starts on once loaded.
    void startAt(const RowTarget& target) { m_startAt = target; }
    void setStatementOpener(StatementOpener opener) { m_openStatement = std::move(opener); }
    // Once loaded, the form runs its controls and lists their findings in the
    // panel, after these notes (what an import could not place); nothing is
    // shown when there is neither.
    void checkOnOpen(QStringList notes) { m_checkOnOpen = std::move(notes); }

    // Commits the entry in the editor box; false when it was refused.
    bool txtEdit_LostFocus();

    void reject() override;

protected:
    void showEvent(QShowEvent* event) override;
    void resizeEvent(QResizeEvent* event) override;
    void closeEvent(QCloseEvent* event) override;
    void keyPressEvent(QKeyEvent* event) override;
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    void Form_Activate();
    void Form_Resize();
    bool Form_Unload();

    void hgrdDocEnter_KeyPress(int& keyAscii);
    void hgrdDocEnter_KeyDown(int key, Qt::KeyboardModifiers modifiers, bool& handled);
    void hgrdDocEnter_DblClick();
    void hgrdDocEnter_EnterCell();
    void hgrdDocEnter_LeaveCell();
    void hgrdDocEnter_GotFocus();
    void hgrdDocEnter_Scroll();
    void hgrdDocEnter_CollapseExpand(bool& cancel);

    void MSHFlexGridEdit(int keyAscii);
    bool EditKeyCode(int keyCode, Qt::KeyboardModifiers modifiers);
    void txtEdit_Change();
    void cancelEntry();
    bool commitEntry(bool fromFocusLoss);
    void refuseEntry(bool showMessage);
    void nameEditorBox();
    // A header double click, or Ctrl+Space in the grid, shows or shortens a
    // column that can be toggled; false for any other column or key.
    bool toggleColumn(int col);
    bool toggleColumnByKey(QKeyEvent* event);

    // The keyboard road (frmDocumentKeys.cpp).
    void addShortcuts();
    void goToCell(GridCell cell);
    bool moveDown();
    bool moveAcross(int step);
    void undoEntry(bool redo);
    void openFind();
    void findNext(bool fromSearchStart);
    void closeFind(bool toGrid);
    void note(const QString& text); // a short note in the status bar
    void edited();
    void updateTitle();

    void markNameCell(int row, const QColor& back, const QColor& fore);
    const NameCellMarks& marks() const { return m_engine.profile().nameCellMarks; }
    void copyColumn();
    void pasteColumn();
    QColor currentRowColor() const;
    void buildFindings();
    void showFindings(std::vector<Finding> findings);
    void findingChosen(const RowTarget& target);
    int px(int twips) const;
    int twips(int pixels) const;

    DocumentEngine m_engine;
    GridModel::ListenerId m_cellListener = 0;
    bool m_loaded = false;
    bool m_activated = false;
    bool m_closing = false;
    bool m_closeWithoutQuestion = false;

    int m_editRow = 1;
    int m_editCol = 0;
    bool m_returnPending = false;
    int m_returnRow = 0;
    int m_returnCol = 0;
    QString m_refusedText;
    bool m_inCommit = false;

    QLabel* m_lblPeriod = nullptr;
    QLabel* m_lblCompany = nullptr;
    QLabel* m_lblBulstat = nullptr;
    QLineEdit* m_txtPeriod = nullptr;
    QLineEdit* m_txtCompName = nullptr;
    QLineEdit* m_txtBulstat = nullptr;
    QLabel* m_lblForecast = nullptr;
    GridWidget* m_grid = nullptr;
    QLineEdit* m_txtEdit = nullptr;
    QFrame* m_frmCommands = nullptr;
    QPushButton* m_cmdPrint = nullptr;
    QPushButton* m_cmdSave = nullptr;
    QPushButton* m_cmdClose = nullptr;
    QPushButton* m_cmdSum = nullptr;
    QPushButton* m_cmdComparatives = nullptr;
    QStatusBar* m_statusBar = nullptr;
    QLabel* m_lblStatus = nullptr;
    QLineEdit* m_txtFind = nullptr;
    int m_findStart = 0; // the row a search begins after
    QPushButton* m_cmdCheck = nullptr;
    FindingsPanel* m_findings = nullptr;
    StatementOpener m_openStatement;
    std::optional<RowTarget> m_startAt;
    std::optional<QStringList> m_checkOnOpen;
};

} // namespace telm
