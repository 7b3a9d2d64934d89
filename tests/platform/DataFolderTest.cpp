// Where the data files go: beside the program while its folder can be
// written to, else the user's own folder; a clear reason when neither can.
#include "platform/DataFolder.h"

#include <QDir>
#include <QFile>
#include <QTemporaryDir>

#include <gtest/gtest.h>

using namespace telm::platform;

TEST(DataFolder, BesideTheProgramElseTheUsersOwnElseAReason)
{
    const QString program = QStringLiteral("/opt/telm-transfer");
    const QString user = QStringLiteral("/home/u/.local/share/TELM/telm-transfer");
    const auto only = [](QStringList writable) {
        return [writable](const QString& folder) { return writable.contains(folder); };
    };

    DataFolderChoice choice = ChooseDataFolder(program, user, only({program + "/Data"}));
    EXPECT_EQ(choice.path, program + "/Data");
    EXPECT_FALSE(choice.perUser);

    // Installed where users cannot write: the user's own Data.
    choice = ChooseDataFolder(program, user, only({user + "/Data"}));
    EXPECT_EQ(choice.path, user + "/Data");
    EXPECT_TRUE(choice.perUser);

    choice = ChooseDataFolder(program, user, only({}));
    EXPECT_TRUE(choice.path.isEmpty());
    EXPECT_TRUE(choice.error.contains(program + "/Data")) << choice.error.toStdString();
    EXPECT_TRUE(choice.error.contains(user + "/Data")) << choice.error.toStdString();

    choice = ChooseDataFolder(program, QString(), only({}));
    EXPECT_TRUE(choice.path.isEmpty());
    EXPECT_FALSE(choice.error.isEmpty());
}

TEST(DataFolder, WritingIsTriedNotAssumed)
{
    QTemporaryDir dir;
    EXPECT_TRUE(CanWriteIn(dir.filePath("Data")));     // made when missing
    EXPECT_TRUE(QDir(dir.filePath("Data")).isEmpty()); // and the test file gone
    QFile file(dir.filePath("plain"));
    ASSERT_TRUE(file.open(QIODevice::WriteOnly));
    file.close();
    EXPECT_FALSE(CanWriteIn(dir.filePath("plain/Data"))); // under a file: no folder
    EXPECT_TRUE(PerUserDataRoot().endsWith(QStringLiteral("/TELM/telm-transfer")));
}
