// telmtool as a process whose output goes to a full disk (/dev/full): every
// command that writes says so and exits 1, never 0 with nothing written.
#include <QFile>
#include <QProcess>
#include <QStringList>

#include <gtest/gtest.h>

TEST(FullDisk, NoCommandSucceedsWithoutItsOutput)
{
    if (!QFile::exists(QStringLiteral("/dev/full")))
        GTEST_SKIP() << "no /dev/full on this system";
    const QStringList runs[] = {{"hash", "abc"}, {"bulstat", "123456786"}, {"--version"}};
    for (const QStringList& args : runs) {
        QProcess tool;
        tool.setStandardOutputFile(QStringLiteral("/dev/full"));
        tool.start(QStringLiteral(TELMTOOL_EXE), args);
        ASSERT_TRUE(tool.waitForFinished(30000));
        EXPECT_EQ(tool.exitCode(), 1) << args.join(u' ').toStdString();
        EXPECT_TRUE(tool.readAllStandardError().contains("could not be written"))
            << args.join(u' ').toStdString();
    }
}
