// The one opener of a document file that is to be believed: what it refuses,
// in which order, and that the bytes it hands back are the file's.
#include "xmlfiles/VerifiedDataFile.h"

#include "tests/support/TestFiles.h"
#include "xmlfiles/Checksum.h"
#include "xmlfiles/DataFile.h"
#include "xmlfiles/XmlDocument.h"

#include <QTemporaryDir>

#include <gtest/gtest.h>

using namespace telm;

namespace {

using Kind = DataFileFault::Kind;

// A fixture with a header and a checksum made for it, as the writer leaves it.
QByteArray checksummed(const char* fixture)
{
    XmlDocument xml;
    EXPECT_TRUE(xml.load(test::fixture(QString::fromLatin1(fixture))));
    WriteDataHeader(xml, DataHeader{QStringLiteral("12"), QStringLiteral("2005"),
                                    QStringLiteral("123456786"), QStringLiteral("Фирма"),
                                    QStringLiteral("Баланс"), false});
    xml.root().append_attribute("hash").set_value(ComputeRootHash(xml).toUtf8().constData());
    return DataFileBytes(xml);
}

TEST(OpenDocumentFile, RefusesWhatIsNotToBeBelievedAndHandsBackTheBytesRead)
{
    QTemporaryDir dir;
    const QByteArray good = checksummed("template.xml");
    QByteArray tampered = good;
    tampered.replace("Фирма", "Фирма ООД");
    XmlDocument withoutSum;
    ASSERT_TRUE(withoutSum.loadBytes(good));
    withoutSum.root().attribute("hash").set_value("");
    const QByteArray emptied = DataFileBytes(withoutSum);
    const struct
    {
        const char* name;
        QByteArray bytes; // none: the file is not there
        std::optional<Kind> asTemplate;
        std::optional<Kind> asDataFile;
    } cases[] = {
        {"missing.xml", {}, Kind::Unreadable, Kind::Unreadable},
        {"empty.xml", "", Kind::NotWellFormed, Kind::NotWellFormed},
        {"broken.xml", good.left(good.size() / 2), Kind::NotWellFormed, Kind::NotWellFormed},
        {"template.xml", test::readAll(test::fixture("template.xml")), std::nullopt,
         Kind::NoChecksum},
        {"other.xml", "<root hash=\"1_2_3\"/>", std::nullopt, Kind::NotADataFile},
        {"good.xml", good, std::nullopt, std::nullopt},
        {"tampered.xml", tampered, std::nullopt, Kind::Tampered},
        {"emptied.xml", emptied, std::nullopt, Kind::Tampered},
        // An identifier twice at one level, with a right checksum: still refused.
        {"ambiguous.xml", checksummed("levels.xml"), Kind::Ambiguous, Kind::Ambiguous},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        const QString path = dir.filePath(QString::fromLatin1(c.name));
        if (!c.bytes.isNull()) {
            ASSERT_TRUE(test::writeAll(path, c.bytes));
        }
        for (const FileRole role : {FileRole::Template, FileRole::DataFile}) {
            const std::optional<Kind> expected =
                role == FileRole::Template ? c.asTemplate : c.asDataFile;
            XmlDocument xml;
            QByteArray bytes("left from before");
            const std::optional<DataFileFault> fault = OpenDocumentFile(path, role, xml, bytes);
            ASSERT_EQ(fault.has_value(), expected.has_value())
                << (fault ? FaultVerdict(*fault).toStdString() : "sound");
            if (fault) {
                EXPECT_EQ(fault->kind, *expected);
            }
            EXPECT_EQ(bytes, c.bytes.isNull() ? QByteArray() : c.bytes);
            if (fault && (fault->kind == Kind::Unreadable || fault->kind == Kind::NotWellFormed)) {
                EXPECT_TRUE(xml.isEmpty());
            }
            if (role == FileRole::DataFile) {
                XmlDocument again;
                EXPECT_EQ(OpenVerifiedDataFile(path, again).has_value(), fault.has_value());
            }
        }
    }
}

} // namespace
