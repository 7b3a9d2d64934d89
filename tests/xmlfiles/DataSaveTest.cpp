#include "tests/support/TestFiles.h"
#include "xmlfiles/DataFile.h"
#include "xmlfiles/XmlDocument.h"

#include <QDir>
#include <QTemporaryDir>

#include <gtest/gtest.h>

using namespace telm;

namespace {

XmlDocument loadedTemplate()
{
    XmlDocument xml;
    xml.load(test::fixture("template.xml"));
    return xml;
}

} // namespace

TEST(SaveDataFile, WritesTheSerialisationAndReplacesTheFile)
{
    QTemporaryDir dir;
    const QString path = dir.filePath("data.xml");
    ASSERT_TRUE(test::writeAll(path, "previous content that is longer than nothing"));
    const XmlDocument xml = loadedTemplate();
    const SaveResult result = SaveDataFile(xml, path);
    EXPECT_TRUE(result.ok);
    EXPECT_TRUE(result.error.isEmpty());
    EXPECT_EQ(test::readAll(path), DataFileBytes(xml));
    EXPECT_TRUE(DataFileBytes(xml).startsWith("<?xml version=\"1.0\" encoding=\"UTF-8\"?>\n<xml "));
    EXPECT_EQ(QDir(dir.path()).entryList(QDir::Files), QStringList({"data.xml"}));
}

// Root ignores permissions, so the failures injected here are the ones that stop
// any user: a missing folder, a directory in the file's place, and a failure after
// the bytes were written but before the rename.
TEST(SaveDataFile, FailuresKeepThePreviousFileAndLeaveNoTemporaryFile)
{
    QTemporaryDir dir;
    const QByteArray previous = "<xml>previous data file</xml>";
    const QString existing = dir.filePath("data.xml");
    ASSERT_TRUE(test::writeAll(existing, previous));
    ASSERT_TRUE(QDir(dir.path()).mkdir("folder.xml"));
    const XmlDocument xml = loadedTemplate();

    struct Case
    {
        const char* name;
        QString path;
        bool late;
    };
    const Case cases[] = {
        {"missing folder", dir.filePath("no/such/folder/data.xml"), false},
        {"directory in the way", dir.filePath("folder.xml"), false},
        {"failure before rename", existing, true},
    };
    for (const Case& c : cases) {
        const SaveResult result = SaveDataFile(xml, c.path, [&] { return !c.late; });
        EXPECT_FALSE(result.ok) << c.name;
        EXPECT_FALSE(result.error.isEmpty()) << c.name;
        EXPECT_EQ(test::readAll(existing), previous) << c.name;
        EXPECT_EQ(QDir(dir.path()).entryList(QDir::Files), QStringList({"data.xml"})) << c.name;
        EXPECT_TRUE(QDir(dir.filePath("folder.xml")).isEmpty()) << c.name;
    }
}

TEST(SaveDataFile, RefusesAnEmptyDocument)
{
    QTemporaryDir dir;
    const QString path = dir.filePath("data.xml");
    ASSERT_TRUE(test::writeAll(path, "kept"));
    const SaveResult result = SaveDataFile(XmlDocument(), path);
    EXPECT_FALSE(result.ok);
    EXPECT_EQ(test::readAll(path), "kept");
}
