// The lock file beside a document: one holder at a time, a lock nobody holds
// taken over, and whatever else stands in its place refused at once (never a
// wait on a FIFO, never a write through a link).
#include "platform/DocumentLock.h"

#include <QDir>
#include <QFile>
#include <QTemporaryDir>

#include <functional>
#include <sys/stat.h>
#include <unistd.h>

#include <gtest/gtest.h>

using telm::platform::DocumentLock;

namespace {

class DocumentLockTest : public ::testing::Test
{
protected:
    QString document() const { return dir.filePath(QStringLiteral("VELDOR_Bal_1_2025_12.xml")); }
    QString lockPath() const { return DocumentLock::LockPathFor(document()); }

    QTemporaryDir dir;
};

TEST_F(DocumentLockTest, OneHolderAtATimeAndTheLockFileGoesWithIt)
{
    auto first = std::make_unique<DocumentLock>(document());
    EXPECT_EQ(first->state(), DocumentLock::State::Held);
    EXPECT_FALSE(first->tookOver());
    EXPECT_TRUE(QFileInfo(lockPath()).isFile());
    EXPECT_EQ(lockPath(), dir.filePath(QStringLiteral(".VELDOR_Bal_1_2025_12.xml.lock")));

    DocumentLock second(document());
    EXPECT_EQ(second.state(), DocumentLock::State::HeldElsewhere);

    first.reset();
    EXPECT_FALSE(QFileInfo::exists(lockPath()));
    DocumentLock third(document());
    EXPECT_EQ(third.state(), DocumentLock::State::Held);
}

// What may be found where the lock file goes: a file nobody holds is taken
// over; anything that is not an ordinary file is refused without waiting.
TEST_F(DocumentLockTest, WhatStandsInTheLocksPlace)
{
    const QString elsewhere = dir.filePath(QStringLiteral("precious.txt"));
    const struct
    {
        const char* what;
        std::function<bool(const QString&)> make;
        DocumentLock::State expected;
    } cases[] = {
        {"a lock left by a process that has ended",
         [](const QString& p) {
             QFile f(p);
             return f.open(QIODevice::WriteOnly) && f.write("999999\ntelm\nhost\n") > 0;
         },
         DocumentLock::State::Held},
        {"garbage",
         [](const QString& p) {
             QFile f(p);
             return f.open(QIODevice::WriteOnly) && f.write("\x01\xff garbage") > 0;
         },
         DocumentLock::State::Held},
        {"an empty file",
         [](const QString& p) {
             QFile f(p);
             return f.open(QIODevice::WriteOnly);
         },
         DocumentLock::State::Held},
        {"a FIFO", [](const QString& p) { return ::mkfifo(QFile::encodeName(p), 0644) == 0; },
         DocumentLock::State::Refused},
        {"a folder", [](const QString& p) { return QDir().mkdir(p); },
         DocumentLock::State::Refused},
        {"a link to another file",
         [&elsewhere](const QString& p) {
             QFile f(elsewhere);
             return f.open(QIODevice::WriteOnly) && f.write("keep me") > 0 && f.link(p);
         },
         DocumentLock::State::Refused},
        {"a dangling link",
         [this](const QString& p) { return QFile::link(dir.filePath(QStringLiteral("none")), p); },
         DocumentLock::State::Refused},
    };
    for (const auto& c : cases) {
        ASSERT_TRUE(c.make(lockPath())) << c.what;
        {
            DocumentLock lock(document());
            EXPECT_EQ(lock.state(), c.expected) << c.what;
            EXPECT_EQ(lock.tookOver(), c.expected == DocumentLock::State::Held) << c.what;
            if (c.expected == DocumentLock::State::Refused) {
                EXPECT_TRUE(lock.reason().contains(QDir::toNativeSeparators(lockPath())))
                    << c.what << ": " << lock.reason().toStdString();
            }
        }
        QFile elsewhereFile(elsewhere);
        if (elsewhereFile.open(QIODevice::ReadOnly)) {
            EXPECT_EQ(elsewhereFile.readAll(), QByteArray("keep me")) << c.what;
        }
        // Clear the place for the next case.
        const QFileInfo left(lockPath());
        if (left.isDir() && !left.isSymLink())
            QDir(lockPath()).removeRecursively();
        else
            ::unlink(QFile::encodeName(lockPath()));
    }
}

TEST_F(DocumentLockTest, NoLockWhereNoneCanBeMade)
{
    DocumentLock lock(dir.filePath(QStringLiteral("no-such-folder/VELDOR_Bal_1_2025_12.xml")));
    EXPECT_EQ(lock.state(), DocumentLock::State::Unavailable);
    EXPECT_FALSE(lock.reason().isEmpty());
}

} // namespace
