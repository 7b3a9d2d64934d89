// The copy that hands a data file over: its own bytes, whole or not at all,
// and only a data file that verifies.
#include "export/ExportCopy.h"

#include "tests/support/TestFiles.h"
#include "xmlfiles/Checksum.h"
#include "xmlfiles/DataFile.h"
#include "xmlfiles/VerifiedDataFile.h"
#include "xmlfiles/XmlDocument.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QTemporaryDir>

#include <gtest/gtest.h>

using namespace telm;

namespace {

// A data file as the writer makes it, in `folder`; an ambiguous one holds its
// first row twice, under a checksum that is right for it.
QString dataFile(const QString& folder, const QString& name, bool ambiguous = false)
{
    XmlDocument xml;
    xml.load(test::sourceData(QStringLiteral("Blanki/testdata_Bal.xml")));
    if (ambiguous) {
        pugi::xml_node data = xml.root().child("rs:data");
        data.append_copy(data.child("z:row"));
    }
    pugi::xml_node danni = xml.root().append_child("danni");
    danni.append_child("document").text().set("Баланс");
    danni.append_child("compname").text().set("Фирма ООД");
    xml.root().append_attribute("hash").set_value(ComputeRootHash(xml).toUtf8().constData());
    const QString path = QDir(folder).filePath(name);
    EXPECT_TRUE(SaveDataFile(xml, path).ok);
    return path;
}

TEST(ExportCopy, FileNamesAndDestinations)
{
    EXPECT_EQ(ExtractFileName(QStringLiteral("/home/a/Data/VELDOR_Bal.xml")),
              QStringLiteral("VELDOR_Bal.xml"));
    EXPECT_EQ(ExtractFileName(QStringLiteral("VELDOR_Bal.xml")), QStringLiteral("VELDOR_Bal.xml"));
    EXPECT_EQ(ExtractFileName(QStringLiteral("/media/stick/")), QString());
    EXPECT_EQ(DestinationPath(QStringLiteral("/"), QStringLiteral("a.xml")),
              QStringLiteral("/a.xml"));
    EXPECT_EQ(DestinationPath(QStringLiteral("/media/stick"), QStringLiteral("a.xml")),
              QStringLiteral("/media/stick/a.xml"));
    EXPECT_EQ(DestinationPath(QStringLiteral("/media/stick/"), QStringLiteral("a.xml")),
              QStringLiteral("/media/stick/a.xml"));
}

TEST(ExportCopy, TheCopyIsTheSourceByteForByteAndVerifies)
{
    QTemporaryDir from;
    QTemporaryDir to;
    const QString source =
        dataFile(from.path(), QStringLiteral("VELDOR_Bal_123456786_2005_12.xml"));
    ASSERT_TRUE(test::writeAll(to.filePath("VELDOR_Bal_123456786_2005_12.xml"), "older"));
    ASSERT_FALSE(ExportDataFile(source, to.path()));
    const QString copy = to.filePath(QStringLiteral("VELDOR_Bal_123456786_2005_12.xml"));
    EXPECT_EQ(test::readAll(copy), test::readAll(source));
    XmlDocument check;
    ASSERT_TRUE(check.load(copy));
    EXPECT_TRUE(VerifyDataHash(check));
    EXPECT_EQ(QDir(to.path()).entryList(QDir::Files | QDir::Hidden).size(), 1); // no temporary left

    // Onto itself: the file stays as it is.
    const QByteArray before = test::readAll(source);
    EXPECT_FALSE(ExportDataFile(source, from.path()));
    EXPECT_EQ(test::readAll(source), before);
}

TEST(ExportCopy, NothingIsWrittenFromASourceThatIsNotAGoodDataFile)
{
    QTemporaryDir from;
    QTemporaryDir to;
    const QString good = dataFile(from.path(), QStringLiteral("good.xml"));
    QByteArray tampered = test::readAll(good);
    tampered.replace("Фирма ООД", "Фирма ЕООД");
    ASSERT_TRUE(test::writeAll(from.filePath("tampered.xml"), tampered));
    ASSERT_TRUE(test::writeAll(from.filePath("broken.xml"), "<xml><danni>"));
    ASSERT_TRUE(QFile::copy(test::sourceData(QStringLiteral("Blanki/testdata_Bal.xml")),
                            from.filePath("template.xml")));
    dataFile(from.path(), QStringLiteral("ambiguous.xml"), true);
    const struct
    {
        const char* name;
        const char* says;
    } cases[] = {
        {"missing.xml", "не може да бъде прочетен"},
        {"broken.xml", "не е файл с данни"},
        {"template.xml", "не е файл с данни"},
        {"tampered.xml", "променен неоторизирано"},
        {"ambiguous.xml", "повреден: идентификаторът на ред"},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        const QString source = from.filePath(QString::fromLatin1(c.name));
        const std::optional<UserMessage> refused = ExportDataFile(source, to.path());
        ASSERT_TRUE(refused);
        EXPECT_TRUE(refused->text.contains(QString::fromUtf8(c.says)))
            << refused->text.toStdString();
        // What is not handed over is what the receiver's check refuses.
        XmlDocument xml;
        EXPECT_TRUE(OpenVerifiedDataFile(source, xml));
    }
    EXPECT_TRUE(QDir(to.path()).isEmpty(QDir::Files | QDir::Hidden | QDir::NoDotAndDotDot));
}

// A link under the copy's name is replaced by the copy; what it pointed to is
// never written through.
TEST(ExportCopy, ALinkAtTheDestinationIsReplacedNotWrittenThrough)
{
    QTemporaryDir from;
    QTemporaryDir to;
    const QString source = dataFile(from.path(), QStringLiteral("a.xml"));
    const QString precious = to.filePath(QStringLiteral("precious.txt"));
    ASSERT_TRUE(test::writeAll(precious, "keep me"));
    ASSERT_TRUE(QFile::link(precious, to.filePath(QStringLiteral("a.xml"))));
    ASSERT_FALSE(ExportDataFile(source, to.path()));
    EXPECT_EQ(test::readAll(precious), QByteArray("keep me"));
    EXPECT_FALSE(QFileInfo(to.filePath(QStringLiteral("a.xml"))).isSymLink());
    EXPECT_EQ(test::readAll(to.filePath(QStringLiteral("a.xml"))), test::readAll(source));
}

TEST(ExportCopy, AnUnwritableDestinationKeepsItsFileAndSaysWhy)
{
    QTemporaryDir from;
    QTemporaryDir to;
    const QString source = dataFile(from.path(), QStringLiteral("a.xml"));
    // A folder under the file's name cannot be replaced by it.
    ASSERT_TRUE(QDir(to.path()).mkdir(QStringLiteral("a.xml")));
    const std::optional<UserMessage> failure = ExportDataFile(source, to.path());
    ASSERT_TRUE(failure);
    EXPECT_EQ(failure->title, QStringLiteral("Внимание!"));
    EXPECT_FALSE(failure->text.isEmpty());
    EXPECT_TRUE(QFileInfo(to.filePath("a.xml")).isDir());

    const std::optional<UserMessage> nowhere = ExportDataFile(source, to.filePath("no/such"));
    EXPECT_TRUE(nowhere);
}

} // namespace
