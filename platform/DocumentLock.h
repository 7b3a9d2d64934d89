// One writer at a time per data file: a lock file beside the document, named
// after it (".<name>.lock"), held by the program while the document is open
// and by telmtool while it fills it. The lock of a process that has died is
// taken over; where no lock file can be made (a read-only medium), the
// document is not locked and a save will say why it cannot write.
#pragma once

#include <QString>

#include <memory>

class QLockFile;

namespace telm::platform {

class DocumentLock
{
public:
    enum class State { Held, HeldElsewhere, Unavailable };

    // Tries once, at once, for the document at `dataFilePath` (a link counts
    // as the file it points to).
    explicit DocumentLock(const QString& dataFilePath);
    ~DocumentLock();
    DocumentLock(const DocumentLock&) = delete;
    DocumentLock& operator=(const DocumentLock&) = delete;

    State state() const { return m_state; }
    const QString& lockPath() const { return m_lockPath; }

    // The lock file of a document, beside it.
    static QString LockPathFor(const QString& dataFilePath);

private:
    QString m_lockPath;
    std::unique_ptr<QLockFile> m_lock;
    State m_state = State::Unavailable;
};

} // namespace telm::platform
