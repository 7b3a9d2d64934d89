// One writer at a time per data file: a lock file beside the document, named
// after it (".<name>.lock"), held by the program while the document is open
// and by telmtool while it fills it. The lock is an advisory lock (flock) on
// that file, held for as long as the DocumentLock lives, so the system itself
// says whether its owner is still alive: a lock file nobody holds (its process
// has ended, or it is not a lock at all) is taken over. The lock file is opened
// without following links and without blocking, and only as an ordinary file:
// a link, FIFO, folder or device in its place is refused at once.
#pragma once

#include <QString>

namespace telm::platform {

class DocumentLock
{
public:
    enum class State {
        Held,          // this object holds the document
        HeldElsewhere, // another process (or another object here) holds it
        Refused,       // something other than a lock file stands in its place
        Unavailable,   // no lock file can be made there (a read-only medium, no folder)
    };

    // Tries once, at once, for the document at `dataFilePath` (a link counts
    // as the file it points to).
    explicit DocumentLock(const QString& dataFilePath);
    ~DocumentLock();
    DocumentLock(const DocumentLock&) = delete;
    DocumentLock& operator=(const DocumentLock&) = delete;

    State state() const { return m_state; }
    const QString& lockPath() const { return m_lockPath; }
    // Why the lock is Refused or Unavailable, as the system or we word it.
    const QString& reason() const { return m_reason; }
    // The lock file was there but nobody held it: it was taken over.
    bool tookOver() const { return m_tookOver; }

    // The lock file of a document, beside it.
    static QString LockPathFor(const QString& dataFilePath);

private:
    void acquire();

    QString m_lockPath;
    QString m_reason;
    int m_fd = -1;
    State m_state = State::Unavailable;
    bool m_tookOver = false;
};

} // namespace telm::platform
