// Reads the data folder into a desk snapshot: the files and their headers
// (read in parallel, from the end of each file), then each filing verified and
// its controls run. What was read is kept by path, size and modification
// time, so a rescan reads only what changed.
#pragma once

#include "checks/Controls.h"
#include "desk/DeskEntry.h"

#include <QHash>
#include <QString>
#include <QThreadPool>

#include <functional>
#include <optional>

namespace telm {

class DeskScanner
{
public:
    // done of total, called on the scanner's thread between batches.
    using Progress = std::function<void(int done, int total)>;
    // How a finding's amounts are written ("1 000" on screen, "1000" in a script).
    using NumberText = std::function<QString(qint64)>;

    // The controls are read from `controlsPath` (Blanki/Checks.txt of the program folder).
    DeskScanner(const QString& controlsPath, NumberText number);

    // Lists the folder's *.xml files and reads the headers of those new or
    // changed since the last call; every file's check is left Pending unless
    // known from before. The snapshot is grouped into filings.
    DeskSnapshot ReadHeaders(const QString& folder, const Progress& progress = {});

    // Verifies the files of each filing and runs its controls: each filing
    // once for the same files at the same sizes and times.
    void CheckFilings(DeskSnapshot& snapshot, const Progress& progress = {});

    // Both, one after the other.
    DeskSnapshot Scan(const QString& folder);

    // Why the controls could not be read; nothing when they were.
    const std::optional<QString>& controlsError() const { return m_controlsError; }

private:
    struct FileState
    {
        qint64 size = 0;
        qint64 modified = 0;
        DeskFile file;
    };
    struct FilingState
    {
        std::vector<std::pair<FileCheck, QString>> checks; // per file, in the filing's order
        int findings = -1;
        QStringList texts;
    };

    QString signatureOf(const DeskSnapshot& snapshot, const DeskFiling& filing) const;
    FilingState checkFiling(const DeskSnapshot& snapshot, const DeskFiling& filing);

    NumberText m_number;
    ControlTable m_controls;
    std::optional<QString> m_controlsError;
    QHash<QString, FileState> m_files;
    QHash<QString, FilingState> m_filings;
    QThreadPool m_pool;
};

} // namespace telm
