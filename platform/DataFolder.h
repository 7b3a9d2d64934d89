// Where the data files are kept. The program folder's own Data/ while that
// folder can be written to, as a program copied to a folder or a stick has it;
// otherwise, as when the program is installed where users cannot write, a
// Data/ folder of each user's own, in the platform's place for application
// data (~/.local/share/TELM/telm-transfer/Data on Linux). The templates are
// always read from the program folder. The program and telmtool share this.
#pragma once

#include <QString>

#include <functional>

namespace telm::platform {

struct DataFolderChoice
{
    QString path;         // the folder that holds the data files; empty when none can be used
    bool perUser = false; // the user's own folder, because the program folder is not writable
    QString error;        // why not, in the system's words, when path is empty
};

// Whether files can be created in a folder (made when missing): a test file is
// written and removed, so a read-only mount counts as read-only even for root.
bool CanWriteIn(const QString& folder);

// The choice for a program folder. `perUserRoot` is the user's application-data
// folder; `canWrite` is the test for a folder (CanWriteIn unless a test gives another).
DataFolderChoice ChooseDataFolder(const QString& programFolder, const QString& perUserRoot,
                                  const std::function<bool(const QString&)>& canWrite = CanWriteIn);

// The same with the user's real application-data folder.
DataFolderChoice DataFolder(const QString& programFolder);

// The user's application-data folder of this program, whoever asks (the
// program or telmtool): <generic data location>/TELM/telm-transfer.
QString PerUserDataRoot();

} // namespace telm::platform
