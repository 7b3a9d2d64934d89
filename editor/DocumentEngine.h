// The document engine: everything a document form does to its document that is
// not drawing — load (with the tamper check), entries, the Delete key, sums,
// the balance check and the save. The form wires widget events to it; telmtool
// drives it without a window.
#pragma once

#include "editor/FormProfile.h"
#include "grid/GridModel.h"

#include <QString>
#include <QStringList>

#include <optional>
#include <vector>

namespace telm {

struct AppState;
struct DocType;

// A message for the user: the caller shows it (a message box, or stderr).
struct EngineMessage
{
    enum class Icon { Critical, Warning };
    QString title;
    QString text;
    Icon icon = Icon::Critical;
};

class DocumentEngine
{
public:
    DocumentEngine(AppState& state, const FormProfile& profile);

    const FormProfile& profile() const { return m_profile; }
    AppState& state() { return m_state; }
    const AppState& state() const { return m_state; }
    GridModel& grid() { return m_grid; }
    const GridModel& grid() const { return m_grid; }

    // The document type the form works on: the variant flag picks between the
    // two types of a shared form.
    const DocType& docType() const;
    // MaxLevel for this document (the variant decides for the balance in liquidation).
    int maxLevel() const;

    // Form state.
    int eEditType = 0;          // 0 new from the template, 1 correction
    bool changed = false;       // typed into since opened; never cleared while open
    bool saved = true;          // nothing typed since the last successful save

    // Built at construction from the profile: what the save writes.
    const QStringList& amountFields() const { return m_amountFields; }
    const std::vector<int>& amountColumns() const { return m_amountColumns; }

    // Loads the template (new) or the data file already in the shared XML
    // document (correction, after the tamper check) into the grid, puts the
    // amounts into display form and makes (1, 0) current. On failure the grid
    // is left in its design state and the message says why.
    std::optional<EngineMessage> load();

    // The header fields shown above the grid, filled by load().
    QString headerPeriod;
    QString headerCompany;
    QString headerBulstat;

    // Column widths, fonts, captions and alignments of a freshly loaded grid.
    // Separate from load() because fonts need a GUI application. `gridWidth` in
    // twips is used by the forms that size columns from it at load.
    void applyLayout(int gridWidth);
    // Band-0 widths for a grid `gridWidth` twips wide.
    void applyResizeWidths(int gridWidth);

    bool canEdit(int row, int col) const;
    bool canDelete(int row, int col) const;
    bool enterMovesDown(int col) const;

    // Stores an entry as typing does: false (and nothing stored) when the text
    // is not a number; blank text empties the cell. Recomputes the row's derived
    // column and every ancestor total.
    bool commit(int row, int col, const QString& text);

    // The Delete key: the cell becomes 0, derived column and totals follow.
    // False when the rule refuses the cell.
    bool deleteCell(int row, int col);

    bool hasConditionalSums() const;
    bool sumsBeforeSave() const;
    // Evaluates the conditions file's result rows into the grid.
    void runConditionalSums();

    // First half of a save: sums where the form runs them, all bands expanded,
    // the balance check. The message, if any, is a warning: the save goes on.
    std::optional<EngineMessage> prepareSave();
    // Second half: writes and saves the data file. The saved flag is set only
    // when the file was really written.
    std::optional<EngineMessage> writeAndSave();

    QString sourcePath() const;     // template (new) or opened file (correction)
    QString targetPath() const;     // composed name (new) or opened file (correction)

    // Whether closing must ask about unsaved changes.
    bool needsSaveQuestion() const { return changed && !saved; }

private:
    AppState& m_state;
    const FormProfile& m_profile;
    GridModel m_grid;
    QStringList m_amountFields;
    std::vector<int> m_amountColumns;
};

} // namespace telm
