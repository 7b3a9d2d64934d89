// The one-copy rule across real processes: a helper process holds the lock,
// this process is refused, and after the helper is killed the stale lock is
// taken over.
#include "platform/SingleInstance.h"

#include <QProcess>
#include <QTemporaryDir>

#include <gtest/gtest.h>

using telm::platform::SingleInstance;

namespace {

class SingleInstanceTest : public ::testing::Test
{
protected:
    QString lockPath() const { return m_dir.filePath(QStringLiteral("user/telm-transfer.lock")); }

    // Starts the helper on the lock and returns what it reported.
    QByteArray startHolder(QProcess& holder)
    {
        holder.start(QStringLiteral(TELM_HOLDER_EXE), {lockPath()});
        if (!holder.waitForStarted())
            return {};
        while (!holder.canReadLine() && holder.waitForReadyRead()) {
        }
        return holder.readLine().trimmed();
    }

    static void kill(QProcess& holder)
    {
        holder.kill(); // SIGKILL: no chance to remove the lock file
        holder.waitForFinished();
    }

    QTemporaryDir m_dir;
};

TEST_F(SingleInstanceTest, SecondCopyIsRefusedWhileTheFirstRuns)
{
    QProcess holder;
    ASSERT_EQ(startHolder(holder), "locked");

    SingleInstance second(lockPath());
    EXPECT_FALSE(second.tryAcquire());
    EXPECT_FALSE(second.isHeld());
    kill(holder);
}

TEST_F(SingleInstanceTest, LockOfAKilledCopyIsTakenOver)
{
    QProcess holder;
    ASSERT_EQ(startHolder(holder), "locked");
    kill(holder);

    SingleInstance next(lockPath());
    EXPECT_TRUE(next.tryAcquire());
    EXPECT_TRUE(next.isHeld());

    // And the new owner keeps out yet another process.
    QProcess third;
    EXPECT_EQ(startHolder(third), "refused");
    third.waitForFinished();
}

TEST_F(SingleInstanceTest, ReleasedLockIsFreeAgain)
{
    {
        SingleInstance first(lockPath());
        ASSERT_TRUE(first.tryAcquire());
        SingleInstance second(lockPath());
        EXPECT_FALSE(second.tryAcquire());
    }
    SingleInstance later(lockPath());
    EXPECT_TRUE(later.tryAcquire());
}

TEST(SingleInstanceLocation, DefaultLockIsAPerUserFileOfThisProgram)
{
    const QString path = SingleInstance::defaultLockPath();
    EXPECT_TRUE(path.endsWith(QStringLiteral("/telm-transfer.lock"))) << path.toStdString();
}

} // namespace
