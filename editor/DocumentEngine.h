// The document engine: everything a document form does to its document that is
// not drawing — load (with the tamper check), entries, the Delete key, sums,
// the balance check and the save. The form wires widget events to it; telmtool
// drives it without a window. Whether the document is new or a correction is
// fixed when the engine is made; whether it has changed follows from the edits
// its grid reports. What it works on comes in the opened document (type, files,
// a new document's header, the program folder); of the shared state it uses
// only the shared XML document and hands back MaxLevel and the data-file path
// it saved.
#pragma once

#include "editor/Comparatives.h"
#include "editor/EditHistory.h"
#include "editor/Findings.h"
#include "editor/FormProfile.h"
#include "grid/GridModel.h"
#include "platform/UserMessage.h"
#include "selection/DocumentOpening.h"
#include "xmlfiles/Conditions.h"

#include <QString>
#include <QStringList>

#include <memory>
#include <optional>
#include <vector>

namespace telm {

namespace platform {
class DocumentLock;
}
struct AppState;
struct Rowset;
struct Statement;
struct DocType;

// The three fields shown above the grid.
struct DocumentHeader
{
    QString period; // "12/2005"
    QString company;
    QString bulstat;
    bool forecast = false; // a forecast ("Прогнозен документ"), not a real document
};

class DocumentEngine
{
public:
    // Edit: the data file is locked while the engine has it (no second writer)
    // and is saved. ReadOnly: only shown or printed, never locked or saved.
    enum class Access { Edit, ReadOnly };

    // The form of the opened document's type, on the shared state.
    DocumentEngine(AppState& state, const OpenedDocument& document, Access access = Access::Edit);
    ~DocumentEngine();
    DocumentEngine(const DocumentEngine&) = delete;
    DocumentEngine& operator=(const DocumentEngine&) = delete;

    const FormProfile& profile() const { return m_profile; }
    const DocType& docType() const { return *m_document.type; }
    AppState& state() { return m_state; }
    const AppState& state() const { return m_state; }
    GridModel& grid() { return m_grid; }
    const GridModel& grid() const { return m_grid; }

    int eEditType() const { return m_document.editType; } // 0 new, 1 correction
    // MaxLevel of this document: the variant decides for the balance in liquidation.
    int maxLevel() const;

    // An edit (typed, deleted or pasted) has changed a cell since the document
    // was opened; never cleared while it is open. Loading and what the program
    // computes (totals, result rows) are not edits.
    bool changed() const { return m_changed; }
    // The document is as it was last saved (or opened): no edit since, or
    // every one undone.
    bool saved() const { return m_history.isClean(); }
    // Whether closing must ask about unsaved changes.
    bool needsSaveQuestion() const { return !saved(); }

    // Every entry, Delete and paste is one step of this stack, totals
    // included; its clean state is the saved document.
    QUndoStack& undoStack() { return m_history.stack(); }
    // Ctrl+Z and Ctrl+Y: the cell the step edited, for the cursor; nothing
    // when there is nothing to undo or redo.
    std::optional<GridCell> undo() { return m_history.undo(); }
    std::optional<GridCell> redo() { return m_history.redo(); }

    // Built at construction from the profile: what the save writes.
    const QStringList& amountFields() const { return m_amountFields; }
    const std::vector<int>& amountColumns() const { return m_amountColumns; }

    // Locks the data file (Edit), reads the template (new) or the data file
    // (correction, into the shared XML document, after the tamper check),
    // refuses a file that is ambiguous, holds amounts the program cannot hold
    // or rows that are not the form's, loads it into the grid (a data file's
    // fields bound by name to the template's columns), puts the amounts into display form and
    // makes (1, 0) current. On failure the grid is left in its design state and
    // the message says why; a document open elsewhere is not opened.
    std::optional<UserMessage> load();
    // The header fields, filled by load().
    const DocumentHeader& header() const { return m_header; }

    // Last year's data file could not be used for the comparatives: why. Set by
    // load(); a warning, the document opens all the same.
    const std::optional<UserMessage>& comparativesNotice() const { return m_comparativesNotice; }
    // The previous-year columns are typed: there is no usable file of last year.
    bool typedComparatives() const { return m_typedComparatives; }
    // Takes the comparatives (and the equity statement's opening balance) again
    // from last year's data file; a change like an entry. The message says why
    // nothing was taken.
    std::optional<UserMessage> refreshComparatives();
    // The column of an amount field, current or previous year; -1 for none.
    int columnOfField(const QString& field) const;

    bool canEdit(int row, int col) const;
    // What a cell that takes no entry is: computed cells are drawn apart and
    // typing into any of them says why.
    enum class Computed { No, GroupTotal, DerivedColumn, ResultRow, LockedRow };
    Computed computed(int row, int col) const;
    // Why typing into the cell stores nothing, in a sentence for the status
    // bar; empty when the cell takes entries.
    QString whyNotTyped(int row, int col) const;
    bool canDelete(int row, int col) const;
    bool enterMovesDown(int col) const;

    // Stores an entry as typing does: false (and nothing stored) when the text
    // is not a number; blank text empties the cell. Recomputes the row's derived
    // column and every ancestor total.
    bool commit(int row, int col, const QString& text);

    // The Delete key: the cell becomes 0, derived column and totals follow.
    // False when the rule refuses the cell. Changing the cell is a change.
    bool deleteCell(int row, int col);

    // A column pasted from `row` down over the shown rows: the first cell of
    // each line, committed as typing commits it. Rows the edit gate refuses are
    // passed over without using up a line; an empty line leaves its row as it
    // is. Nothing is pasted when the cell at `row` cannot be typed into. A text
    // that is not a number stops the paste at its row, keeping what went in.
    struct Paste
    {
        int stored = 0;                // cells written
        std::optional<int> refusedRow; // where a text was not a number
        QString refusedText;           // that text
    };
    Paste pasteColumn(int row, int col, const QStringList& lines);
    // The column's cells on the shown rows, one a line, amounts as plain numbers
    // ("-1500") a spreadsheet adds up: what Ctrl+C copies.
    QString copyColumn(int col) const;

    bool hasSumButton() const { return m_profile.sum.caption != nullptr; }
    bool sumButtonShown() const;
    bool sumsBeforeSave() const;
    // The result rows follow every entry (no button needed).
    bool followsEntries() const;
    // Evaluates the conditions file's result rows into the grid.
    void runConditionalSums();

    // First half of a save: sums where the form runs them, all bands expanded,
    // the balance check. The message, if any, is a warning: the save goes on.
    std::optional<UserMessage> prepareSave();
    // Second half: writes and saves the data file. The saved flag is set only
    // when the file was really written. A correction is refused when its file
    // changed on disk since it was opened; its previous version is kept as
    // <file>.bak.
    std::optional<UserMessage> writeAndSave();
    // The controls over the document as it stands, without saving it: the sums
    // a save runs first, the balance check, the consistency controls on its own
    // and against the company's other statements of the period beside its file,
    // and the comparatives. After a save, what the saved file holds.
    std::vector<Finding> check();

    QString sourcePath() const; // template (new) or opened file (correction)
    QString targetPath() const; // composed name (new) or opened file (correction)
    QString formPath() const;   // the template: the form's own fields, rows and layout
    QString savedPath() const { return m_savedPath; } // the file the last save wrote

private:
    bool store(int row, int col, const QString& text, CellChange::Kind kind);
    void pasteLines(int row, int col, const QStringList& lines, Paste& paste);
    void heard(const CellChange& change);
    // Result rows that follow every entry (the statement of equity's closing
    // balances): computed again from the rows above them.
    void followEntry();
    // Looks for last year's file: carries it into a new document, decides
    // whether the previous-year columns are typed.
    void lookAtLastYear(const QStringList& formFields);
    // The document as a save would write it, read as the controls read a file;
    // the text says why it cannot be.
    std::optional<QString> statementOnScreen(Statement& out) const;
    // The balance check's message with the two rows it compared.
    Finding balanceFinding(const QString& message) const;
    // Last year's data file of this document, read and checked.
    PreviousYearFile readLastYear() const;

    AppState& m_state;
    Access m_access;
    std::unique_ptr<platform::DocumentLock> m_lock;
    QByteArray m_sourceDigest; // the data file's bytes as opened (or last saved)
    QString m_savedPath;       // the file the last save wrote
    OpenedDocument m_document;
    const FormProfile& m_profile;
    GridModel m_grid;
    QStringList m_amountFields;
    std::vector<int> m_amountColumns;
    DocumentHeader m_header;
    ConditionsTable m_followingConditions; // the results that follow every entry
    QStringList m_resultRows;              // identifiers of the rows the conditions compute
    QStringList m_formFields;              // the grid's columns
    QStringList m_writtenFields;           // amounts and carried previous-year amounts
    std::vector<int> m_writtenColumns;
    std::optional<UserMessage> m_comparativesNotice;
    bool m_typedComparatives = false;
    bool m_changed = false;
    EditHistory m_history{m_grid};
};

} // namespace telm
