// Files as they come from outside: only ordinary files are read or replaced,
// ambiguous files are named as such, and whatever verifies is written so that
// it verifies again.
#include "platform/RegularFile.h"
#include "tests/support/TestFiles.h"
#include "tests/xmlfiles/WriterFakes.h"
#include "xmlfiles/Checksum.h"
#include "xmlfiles/DataFile.h"
#include "xmlfiles/DocumentChecks.h"
#include "xmlfiles/Rowset.h"
#include "xmlfiles/XmlAccess.h"
#include "xmlfiles/XmlDocument.h"

#include <QDir>
#include <QElapsedTimer>
#include <QFile>
#include <QFileInfo>
#include <QProcess>
#include <QRandomGenerator>
#include <QTemporaryDir>

#include <string>
#include <sys/stat.h>
#include <unistd.h>

#include <gtest/gtest.h>

using namespace telm;

namespace {

bool isFifo(const QString& path)
{
    struct stat status
    {
    };
    return ::lstat(QFile::encodeName(path).constData(), &status) == 0 && S_ISFIFO(status.st_mode);
}

TEST(HostileFiles, OnlyOrdinaryFilesOfADocumentsSizeAreRead)
{
    QTemporaryDir dir;
    const QString fifo = dir.filePath("fifo.xml");
    ASSERT_EQ(::mkfifo(QFile::encodeName(fifo).constData(), 0600), 0);
    const QString big = dir.filePath("big.xml");
    {
        QFile file(big);
        ASSERT_TRUE(file.open(QIODevice::WriteOnly));
        ASSERT_TRUE(file.resize(platform::kMaxDocumentBytes + 1)); // sparse: costs nothing
    }
    ASSERT_TRUE(QFile::link(dir.filePath("gone.xml"), dir.filePath("dangling.xml")));
    ASSERT_TRUE(test::writeAll(dir.filePath("empty.xml"), ""));

    const char* refused[] = {"fifo.xml", "big.xml", "dangling.xml", "empty.xml", "", "/dev/zero"};
    for (const char* name : refused) {
        const QString path = QString::fromLatin1(name).startsWith(u'/') ? QString::fromLatin1(name)
                                                                        : dir.filePath(name);
        SCOPED_TRACE(name);
        QElapsedTimer timer;
        timer.start();
        XmlDocument xml;
        EXPECT_FALSE(xml.load(path));
        EXPECT_FALSE(xml.lastError().isEmpty());
        Rowset rowset;
        EXPECT_TRUE(LoadRowset(path, rowset).has_value());
        EXPECT_LT(timer.elapsed(), 2000); // refused, not read
    }
    XmlDocument folder;
    EXPECT_FALSE(folder.load(dir.path()));
    EXPECT_TRUE(folder.lastError().contains(QStringLiteral("папка")));
}

TEST(HostileFiles, OnlyOrdinaryFilesAreReplaced)
{
    QTemporaryDir dir;
    const QString fifo = dir.filePath("fifo");
    ASSERT_EQ(::mkfifo(QFile::encodeName(fifo).constData(), 0600), 0);
    ASSERT_TRUE(QFile::link(fifo, dir.filePath("to-fifo.xml")));
    ASSERT_TRUE(QFile::link(dir.filePath("gone.xml"), dir.filePath("dangling.xml")));
    ASSERT_TRUE(QDir(dir.path()).mkdir("folder.xml"));
    for (const char* name : {"to-fifo.xml", "dangling.xml", "folder.xml"}) {
        SCOPED_TRACE(name);
        const SaveResult result = SaveBytes("<xml/>\n", dir.filePath(name));
        EXPECT_FALSE(result.ok);
        EXPECT_FALSE(result.error.isEmpty());
    }
    EXPECT_TRUE(isFifo(fifo)); // never replaced by the document
    EXPECT_FALSE(QFile::exists(dir.filePath("gone.xml")));

    // A link to an ordinary file: the file is written, the link stays a link.
    ASSERT_TRUE(test::writeAll(dir.filePath("real.xml"), "old"));
    ASSERT_TRUE(QFile::link(dir.filePath("real.xml"), dir.filePath("link.xml")));
    ASSERT_TRUE(SaveBytes("new", dir.filePath("link.xml")).ok);
    EXPECT_EQ(test::readAll(dir.filePath("real.xml")), QByteArray("new"));
    EXPECT_TRUE(QFileInfo(dir.filePath("link.xml")).isSymLink());
}

// An element with the attributes a0..a(n-1), then `extra`.
std::string manyAttributes(int n, const std::string& extra)
{
    std::string element = "<z:row";
    for (int i = 0; i < n; ++i)
        element += " a" + std::to_string(i) + "=\"0\"";
    return element + extra + "/>";
}

TEST(HostileFiles, AmbiguousDocumentsAreNamedAsSuch)
{
    // Long attribute lists are checked apart from the usual dozen.
    const std::string wideSound = "<xml><rs:data>" + manyAttributes(40, " DocStr_ID=\"1\"")
                                  + "<z:row DocStr_ID=\"2\">"
                                  + manyAttributes(40, " DocStr_ID=\"3\"").replace(0, 6, "<Level2")
                                  + "</z:row></rs:data></xml>";
    const std::string wideRepeated =
        "<xml><rs:data>" + manyAttributes(40, " a7=\"1\"") + "</rs:data></xml>";
    const std::string repeatedAt33 =
        "<xml><rs:data>" + manyAttributes(32, " a31=\"1\"") + "</rs:data></xml>";
    const struct
    {
        const char* what;
        const char* xml;
        const char* fault; // a word of the message; "" when sound
    } cases[] = {
        {"sound",
         "<xml><rs:data><z:row DocStr_ID=\"1\"><Level2 DocStr_ID=\"1\"/></z:row>"
         "<z:row DocStr_ID=\"2\"/></rs:data></xml>",
         ""},
        {"a repeated attribute",
         "<xml><rs:data><z:row DocStr_ID=\"1\" DocDta_Sum1=\"5\" "
         "DocDta_Sum1=\"7\"/></rs:data></xml>",
         "два пъти"},
        {"an identifier twice at one level",
         "<xml><rs:data><z:row DocStr_ID=\"1\"><Level2 DocStr_ID=\"3\"/></z:row>"
         "<z:row DocStr_ID=\"2\"><Level2 DocStr_ID=\"3\"/></z:row></rs:data></xml>",
         "ниво 2"},
        {"a control character in a text", "<xml><danni><compname>a&#1;b</compname></danni></xml>",
         "код 1"},
        {"a control character in an attribute", "<xml a=\"&#27;\"/>", "код 27"},
        {"U+FFFF", "<xml><t>&#xFFFF;</t></xml>", "код 65535"},
        {"forty distinct attributes on each of two elements", wideSound.c_str(), ""},
        {"a repeated attribute among forty", wideRepeated.c_str(), "„a7“"},
        {"the 33rd attribute repeats the 32nd", repeatedAt33.c_str(), "„a31“"},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.what);
        XmlDocument xml;
        ASSERT_TRUE(xml.loadBytes(QByteArray(c.xml)));
        const std::optional<QString> fault = DocumentFault(xml);
        EXPECT_EQ(fault.has_value(), *c.fault != '\0');
        if (fault) {
            EXPECT_TRUE(fault->contains(QString::fromUtf8(c.fault))) << fault->toStdString();
        }
    }
    EXPECT_TRUE(HasForbiddenCharacters(QStringLiteral("Фирма\u0007")));
    EXPECT_TRUE(HasForbiddenCharacters(QString(QChar(0xFFFE))));
    EXPECT_FALSE(HasForbiddenCharacters(QStringLiteral("Фирма \"Ъ\" & <С>\tООД\n")));
}

// The grid a form shows for a file: the header row, then the file's rows.
test::FakeGrid gridFor(const pugi::xml_document& doc)
{
    test::FakeGrid grid;
    grid.rows.push_back({0, {}});
    Rowset rowset;
    if (!LoadRowset(doc, rowset)) {
        for (const RowsetRow& row : rowset.rows)
            grid.rows.push_back({row.band, row.cells});
    }
    return grid;
}

// Any file that verifies is saved so that it verifies again and shows the same
// texts: element texts with character references for CR, blanks or NUL, mixed
// with ordinary text, in a header the writer keeps as it is.
TEST(HostileFiles, WhateverVerifiesIsWrittenSoThatItVerifiesAgain)
{
    const char* pieces[] = {"&#13;", "&#32;", "&#0;",  "&#10;", "&#9;",   "\r\n",      "\r", " ",
                            "а",     "Z",     "&amp;", "&lt;",  "]]&gt;", "&#x1F600;", "",   "\t"};
    QTemporaryDir dir;
    const QByteArray source = test::readAll(test::fixture("template.xml"));
    QRandomGenerator random(20261210);
    for (int round = 0; round < 300; ++round) {
        QByteArray texts[3];
        for (QByteArray& text : texts)
            for (int k = random.bounded(4); k >= 0; --k)
                text += pieces[random.bounded(int(std::size(pieces)))];
        QByteArray file = source;
        file.replace("<xml ", "<xml hash=\"\" ");
        file.replace("</xml>", "<danni><period>" + texts[0] + "</period><compname>" + texts[1]
                                   + "</compname><document>" + texts[2]
                                   + "</document></danni></xml>");
        // A checksum made for exactly what this file holds: it verifies.
        XmlDocument made;
        ASSERT_TRUE(made.loadBytes(file));
        file.replace("hash=\"\"", "hash=\"" + ComputeRootHash(made).toUtf8() + "\"");
        const QString path = dir.filePath("round.xml");
        ASSERT_TRUE(test::writeAll(path, file));
        XmlDocument opened;
        ASSERT_TRUE(opened.load(path));
        ASSERT_TRUE(VerifyDataHash(opened)) << file.toStdString();
        const pugi::xml_node header = SelectSingleNode(opened.doc(), "xml/danni");
        const QString shown = NormaliseElementText(GetChildText(header, "compname"));

        // Corrected and saved as the program saves a correction.
        XmlDocument written;
        ASSERT_FALSE(WriteDataDocument(written, path, gridFor(opened.doc()), DataHeader(),
                                       {"DocDta_Sum1"}, {5}, 1, 2, test::readDisplayAmount));
        ASSERT_TRUE(SaveDataFile(written, path).ok);
        XmlDocument reopened;
        ASSERT_TRUE(reopened.load(path));
        EXPECT_TRUE(VerifyDataHash(reopened)) << file.toStdString();
        EXPECT_EQ(GetChildText(SelectSingleNode(reopened.doc(), "xml/danni"), "compname"), shown);
    }
}

// The same property over the fuzzers' committed corpus: each file given the
// checksum of what it holds verifies, and verifies again once saved.
TEST(HostileFiles, TheFuzzCorpusSurvivesTheSaveRoundTrip)
{
    QTemporaryDir dir;
    const QDir corpus(QStringLiteral(TELM_SOURCE_DIR "/tests/fuzz/corpus"));
    const QStringList files = corpus.entryList({QStringLiteral("*.xml")}, QDir::Files);
    ASSERT_FALSE(files.isEmpty());
    for (const QString& name : files) {
        SCOPED_TRACE(name.toStdString());
        QByteArray file = test::readAll(corpus.filePath(name));
        const qsizetype at = file.indexOf("hash=\"");
        ASSERT_GE(at, 0);
        file.replace(at + 6, file.indexOf('"', at + 6) - at - 6, QByteArray());
        XmlDocument made;
        ASSERT_TRUE(made.loadBytes(file));
        file.insert(at + 6, ComputeRootHash(made).toUtf8());
        const QString path = dir.filePath(name);
        ASSERT_TRUE(test::writeAll(path, file));
        XmlDocument opened;
        ASSERT_TRUE(opened.load(path));
        ASSERT_TRUE(VerifyDataHash(opened));
        XmlDocument written;
        ASSERT_FALSE(WriteDataDocument(written, path, gridFor(opened.doc()), DataHeader(),
                                       {"DocDta_Sum1"}, {5}, 1, 2, test::readDisplayAmount));
        ASSERT_TRUE(SaveDataFile(written, path).ok);
        XmlDocument reopened;
        ASSERT_TRUE(reopened.load(path));
        EXPECT_TRUE(VerifyDataHash(reopened));
    }
}

// A disk that fills up is named as the system names it. It needs a small
// file system of its own, which only the superuser can mount.
TEST(HostileFiles, AFullDiskIsNamed)
{
    QTemporaryDir dir;
    const QString mountPoint = dir.filePath("small");
    QDir().mkpath(mountPoint);
    if (::geteuid() != 0
        || QProcess::execute("mount", {"-t", "tmpfs", "-o", "size=16k", "tmpfs", mountPoint}) != 0)
        GTEST_SKIP() << "cannot mount a small file system here";
    const QString path = mountPoint + "/full.xml";
    ASSERT_TRUE(test::writeAll(path, "old"));
    const SaveResult result = SaveBytes(QByteArray(100000, 'a'), path);
    EXPECT_FALSE(result.ok);
    EXPECT_EQ(result.error, platform::SystemErrorText(ENOSPC)) << result.error.toStdString();
    EXPECT_EQ(test::readAll(path), QByteArray("old"));
    QProcess::execute("umount", {mountPoint});
}

} // namespace
