// Filling a document without a window: open it as the new-document dialog
// would, commit amounts through the same rules as typing them, save.
#pragma once

#include <QByteArray>
#include <QString>
#include <QStringList>

#include <memory>
#include <optional>
#include <vector>

namespace telm {

struct FillEntry
{
    QString id;     // the row's DocStr_ID
    QString field;  // DocDta_Sum1 ...
    QString amount; // as it would be typed
    QString origin; // where it came from, for messages ("ред 3", "--set 12:...")
};

struct FillRequest
{
    QString typeCode; // catalogue code: Bal, BalLiq2, OPR ...
    bool forecast = false;
    QString bulstat;
    QString company;
    QString year;  // four digits
    QString month; // 3, 6, 9 or 12
    QString programFolder;
    QString dataFolder; // where the data file lives; empty: <programFolder>/Data
    std::vector<FillEntry> entries;
};

struct FillResult
{
    enum class Status { Saved, NotSaved, BadUsage };
    Status status = Status::NotSaved;
    QStringList refused;  // entries skipped, one line each
    QStringList warnings; // e.g. the balance check
    QString error;        // why nothing was saved, or what was wrong with the request
    QString savedPath;
    bool correction = false;
};

// Prepares and saves the document: PreparedFill, then its save.
FillResult RunFill(const FillRequest& request);

// A fill in two halves, so that several documents are written only when each
// of them can be: the first (the constructor) opens the document, loads it,
// commits the entries and runs the save's sums and balance check, and writes
// nothing; the second writes the data file. The document stays locked between
// them, and until the object is gone.
class PreparedFill
{
public:
    explicit PreparedFill(const FillRequest& request);
    ~PreparedFill();
    PreparedFill(const PreparedFill&) = delete;
    PreparedFill& operator=(const PreparedFill&) = delete;

    // Opened, loaded and prepared: the save may be tried. Otherwise result()
    // says why not (NotSaved or BadUsage, with its error).
    bool ready() const;
    // The entries refused and the warnings so far; after save() the outcome.
    const FillResult& result() const { return m_result; }
    // Writes the data file. `withControls`: the form's balance check and the
    // consistency controls over the saved file go into the warnings, as the
    // form lists them after its save (an imbalance once); without, the caller
    // runs the controls, and balanceWarning() is the form's own check. Once
    // only, and only when ready().
    const FillResult& save(bool withControls = true);
    // The form's balance check of the prepared document ("Имате неравнени
    // АКТИВ и ПАСИВ. ..."); nothing when its sides agree or it has none.
    const std::optional<QString>& balanceWarning() const { return m_balanceWarning; }
    // Puts back what the save wrote, whether it succeeded or failed part way,
    // so the folder is as it was before it: a corrected file gets its old
    // bytes, a new one is removed, and the kept previous version (.bak) is as
    // it was. The reason when it cannot.
    std::optional<QString> undoSave();

private:
    struct Open;
    std::unique_ptr<Open> m_open;
    FillResult m_result;
    // What the save writes over, read when prepared.
    QString m_path, m_backupPath;
    std::optional<QByteArray> m_oldBytes, m_oldBackup;
    bool m_backupThere = false; // something stood at the .bak's name
    bool m_attempted = false;   // save() tried to write
    std::optional<QString> m_balanceWarning;
};

} // namespace telm
