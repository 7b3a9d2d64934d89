// Keeps the program to one running copy per user: a lock file in a per-user
// folder. A copy that crashed leaves its lock file behind; the next start sees
// that the owning process is gone and takes the lock over.
#pragma once

#include <QLockFile>
#include <QString>

#include <memory>

namespace telm::platform {

class SingleInstance
{
public:
    // The lock file the program uses: in the user's runtime folder, so two
    // users on one machine never block each other.
    static QString defaultLockPath();

    explicit SingleInstance(const QString& lockPath);
    ~SingleInstance();

    SingleInstance(const SingleInstance&) = delete;
    SingleInstance& operator=(const SingleInstance&) = delete;

    // True when this object now holds the lock (or already held it); false
    // when a running copy holds it or the folder cannot be written.
    bool tryAcquire();
    bool isHeld() const;
    void release();

    const QString& lockPath() const { return m_lockPath; }

private:
    QString m_lockPath;
    std::unique_ptr<QLockFile> m_lock;
};

} // namespace telm::platform
