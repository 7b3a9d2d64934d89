// What keeps a document safe between openings: one writer at a time, no save
// over a file changed on disk, the previous version kept, and files that are
// ambiguous refused before anything is shown or written.
#include "editor/DocumentEngine.h"
#include "editor/DocumentFill.h"
#include "platform/DocumentLock.h"
#include "selection/Catalogue.h"
#include "selection/DataFileName.h"
#include "selection/DocumentContext.h"
#include "selection/DocumentOpening.h"
#include "tests/editor/BalanceFixture.h"
#include "tests/support/TestFiles.h"
#include "xmlfiles/Checksum.h"
#include "xmlfiles/DataFile.h"

#include <QCoreApplication>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QSysInfo>
#include <QTemporaryDir>

#include <memory>

#include <gtest/gtest.h>

using namespace telm;
using namespace telm::test;

namespace {

class DocumentSafetyTest : public ::testing::Test
{
protected:
    void SetUp() override
    {
        ASSERT_TRUE(prepareBalance(dir.path(), state, QStringLiteral("Фирма ООД")));
        // A saved balance sheet to correct.
        DocumentEngine first(state, document(0));
        ASSERT_FALSE(first.load());
        ASSERT_TRUE(first.commit(kLand, 7, QStringLiteral("500")));
        ASSERT_FALSE(first.writeAndSave());
        state.openedDataFilePath = dataPath();
    }

    OpenedDocument document(int editType) const
    {
        const DocType& balance = *DocTypeAt(0);
        return DocumentInContext(state, balance, editType,
                                 editType == 0 ? TemplatePath(dir.path(), balance) : dataPath(),
                                 false);
    }

    QString dataPath() const
    {
        return dir.filePath(QStringLiteral("Data/VELDOR_Bal_123456786_2005_12.xml"));
    }

    // Rewrites the data file with `change` applied and a checksum made for the
    // result, so that it verifies and only the change is wrong with it.
    void rewriteVerified(const std::function<void(QByteArray&)>& change)
    {
        QByteArray bytes = readAll(dataPath());
        change(bytes);
        XmlDocument xml;
        ASSERT_TRUE(xml.loadBytes(bytes));
        const QString hash = ComputeRootHash(xml);
        xml.root().attribute("hash").set_value(hash.toUtf8().constData());
        ASSERT_TRUE(SaveDataFile(xml, dataPath()).ok);
    }

    QTemporaryDir dir;
    AppState state;
};

TEST_F(DocumentSafetyTest, OneWriterAtATimeAndADeadWritersLockIsTakenOver)
{
    auto open = std::make_unique<DocumentEngine>(state, document(1));
    ASSERT_FALSE(open->load());

    auto second = std::make_unique<DocumentEngine>(state, document(1));
    const std::optional<UserMessage> refused = second->load();
    ASSERT_TRUE(refused);
    EXPECT_TRUE(refused->text.contains(QStringLiteral("отворен другаде")))
        << refused->text.toStdString();

    FillRequest fill;
    fill.typeCode = QStringLiteral("Bal");
    fill.bulstat = QStringLiteral("123456786");
    fill.company = QStringLiteral("Фирма ООД");
    fill.year = QStringLiteral("2005");
    fill.month = QStringLiteral("12");
    fill.programFolder = dir.path();
    fill.entries = {{"3", "DocDta_Sum3", "9", "--set 1"}};
    const QByteArray before = readAll(dataPath());
    EXPECT_EQ(RunFill(fill).status, FillResult::Status::NotSaved);
    EXPECT_EQ(readAll(dataPath()), before);

    open.reset(); // closed: the next opener gets it
    EXPECT_FALSE(second->load());
    second.reset();

    // A lock left by a process that no longer runs is stale.
    const QString lock = platform::DocumentLock::LockPathFor(dataPath());
    ASSERT_TRUE(writeAll(lock, QByteArray("999999\n") + QCoreApplication::applicationName().toUtf8()
                                   + "\n" + QSysInfo::machineHostName().toUtf8() + "\n"));
    DocumentEngine after(state, document(1));
    EXPECT_FALSE(after.load());
}

TEST_F(DocumentSafetyTest, AFileChangedOnDiskIsNeverSavedOver)
{
    DocumentEngine engine(state, document(1));
    ASSERT_FALSE(engine.load());
    ASSERT_TRUE(engine.commit(kLand, 7, QStringLiteral("700")));
    // Someone else's change, checksum and all.
    rewriteVerified([](QByteArray& bytes) { bytes.replace("Фирма ООД", "Фирма ЕООД"); });
    const QByteArray theirs = readAll(dataPath());

    const std::optional<UserMessage> refused = engine.writeAndSave();
    ASSERT_TRUE(refused);
    EXPECT_TRUE(refused->text.contains(QStringLiteral("променен"))) << refused->text.toStdString();
    EXPECT_EQ(readAll(dataPath()), theirs);
    EXPECT_FALSE(engine.saved());
}

TEST_F(DocumentSafetyTest, ACorrectionKeepsThePreviousVersionBesideIt)
{
    const QByteArray original = readAll(dataPath());
    DocumentEngine engine(state, document(1));
    ASSERT_FALSE(engine.load());
    ASSERT_TRUE(engine.commit(kLand, 7, QStringLiteral("700")));
    ASSERT_FALSE(engine.writeAndSave());
    const QString backup = dataPath() + QStringLiteral(".bak");
    EXPECT_EQ(readAll(backup), original);
    const QByteArray firstCorrection = readAll(dataPath());

    ASSERT_TRUE(engine.commit(kLand, 7, QStringLiteral("800")));
    ASSERT_FALSE(engine.writeAndSave()); // saving again: its own last save is no outside change
    EXPECT_EQ(readAll(backup), firstCorrection); // one generation
    XmlDocument kept;
    ASSERT_TRUE(kept.load(backup));
    EXPECT_TRUE(VerifyDataHash(kept));
}

// A link where the previous version goes is replaced, never written through:
// what it pointed to stays as it was.
TEST_F(DocumentSafetyTest, APreviousVersionIsNeverWrittenThroughALink)
{
    const QByteArray original = readAll(dataPath());
    const QString precious = dir.filePath(QStringLiteral("precious.txt"));
    ASSERT_TRUE(writeAll(precious, "keep me"));
    const QString backup = dataPath() + QStringLiteral(".bak");
    ASSERT_TRUE(QFile::link(precious, backup));

    DocumentEngine engine(state, document(1));
    ASSERT_FALSE(engine.load());
    ASSERT_TRUE(engine.commit(kLand, 7, QStringLiteral("700")));
    ASSERT_FALSE(engine.writeAndSave());
    EXPECT_EQ(readAll(precious), QByteArray("keep me"));
    EXPECT_FALSE(QFileInfo(backup).isSymLink());
    EXPECT_EQ(readAll(backup), original);
}

TEST_F(DocumentSafetyTest, AmbiguousFilesAreRefusedAndNothingIsWritten)
{
    const struct
    {
        const char* what;
        const char* from;
        const char* to;
        const char* says;
    } cases[] = {
        {"a repeated attribute", "DocStr_ID=\"3\"", "DocStr_ID=\"3\" DocDta_Sum3=\"9\"",
         "два пъти"},
        {"an identifier twice at one level", "DocStr_ID=\"4\"", "DocStr_ID=\"3\"", "два пъти"},
        // Amounts some reader would take as some number: none is whole leva in digits.
        {"an exponent", "DocDta_Sum3=\"500\"", "DocDta_Sum3=\"5e2\"", "сума в цели левове"},
        {"too large to hold", "DocDta_Sum3=\"500\"", "DocDta_Sum3=\"99999999999999999\"",
         "сума в цели левове"},
        {"NaN", "DocDta_Sum3=\"500\"", "DocDta_Sum3=\"NaN\"", "сума в цели левове"},
        {"a fraction", "DocDta_Sum3=\"500\"", "DocDta_Sum3=\"5.5\"", "„5.5“"},
        {"a decimal comma", "DocDta_Sum3=\"500\"", "DocDta_Sum3=\"5,5\"", "DocDta_Sum3"},
        {"hexadecimal", "DocDta_Sum3=\"500\"", "DocDta_Sum3=\"0x10\"", "сума в цели левове"},
        {"an identifier beyond its type", "DocStr_ID=\"4\"", "DocStr_ID=\"40000\"",
         "от -32768 до 32767"},
        {"an identifier that is no integer", "DocStr_ID=\"4\"", "DocStr_ID=\"4.0\"", "DocStr_ID"},
        {"a control character", "Фирма ООД", "Фирма&#7;ООД", "XML не допуска"},
    };
    const QByteArray original = readAll(dataPath());
    for (const auto& c : cases) {
        SCOPED_TRACE(c.what);
        ASSERT_TRUE(writeAll(dataPath(), original));
        rewriteVerified([&](QByteArray& bytes) { bytes.replace(c.from, c.to); });
        const QByteArray broken = readAll(dataPath());
        DocumentEngine engine(state, document(1));
        const std::optional<UserMessage> refused = engine.load();
        ASSERT_TRUE(refused);
        EXPECT_TRUE(refused->text.contains(QString::fromUtf8(c.says)))
            << refused->text.toStdString();
        EXPECT_TRUE(refused->text.contains(QDir::toNativeSeparators(dataPath())));
        EXPECT_TRUE(engine.writeAndSave().has_value()); // nothing opened, nothing saved
        EXPECT_EQ(readAll(dataPath()), broken);
        EXPECT_FALSE(QFile::exists(dataPath() + QStringLiteral(".bak")));
    }
}

// A file named for one type but holding another would be corrected by the
// wrong form's formulas: refused, from either dialog.
// A file renamed onto another company's or period's name is not corrected as
// that one: not from the new-document choices, not from the open dialog, not
// by telmtool fill.
TEST_F(DocumentSafetyTest, AFileHoldingAnotherCompanyOrPeriodThanItsNameIsNotOpened)
{
    const struct
    {
        const char* name;
        const char* bulstat;
        const char* month;
        const char* year;
        const char* says;
    } cases[] = {
        {"VELDOR_Bal_100000086_2005_12.xml", "100000086", "12", "2005", "БУЛСТАТ „123456786“"},
        {"VELDOR_Bal_123456786_2006_12.xml", "123456786", "12", "2006", "период „12/2005“"},
        {"VELDOR_Bal_123456786_2005_9.xml", "123456786", "9", "2005", "период „12/2005“"},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        const QString misnamed =
            dir.filePath(QStringLiteral("Data/") + QString::fromLatin1(c.name));
        ASSERT_TRUE(QFile::copy(dataPath(), misnamed));
        const QByteArray before = readAll(misnamed);

        state.company.Bulstat = QString::fromLatin1(c.bulstat);
        state.period.sQuarter = QString::fromLatin1(c.month);
        state.period.iYear = qint16(QString::fromLatin1(c.year).toInt());
        const Opening chosen = OpenFromChoices(state, *DocTypeAt(0), false);
        EXPECT_FALSE(chosen.document);
        ASSERT_TRUE(chosen.message);
        EXPECT_TRUE(chosen.message->text.contains(QString::fromUtf8(c.says)))
            << chosen.message->text.toStdString();

        const Opening picked = OpenFromDataFile(state, misnamed);
        EXPECT_FALSE(picked.document);
        ASSERT_TRUE(picked.message);

        FillRequest fill;
        fill.typeCode = QStringLiteral("Bal");
        fill.bulstat = QString::fromLatin1(c.bulstat);
        fill.company = QStringLiteral("Друга фирма");
        fill.year = QString::fromLatin1(c.year);
        fill.month = QString::fromLatin1(c.month);
        fill.programFolder = dir.path();
        fill.entries = {{"40", "DocDta_Sum3", "9", "--set 1"}};
        EXPECT_EQ(RunFill(fill).status, FillResult::Status::NotSaved);
        EXPECT_EQ(readAll(misnamed), before);
        QFile::remove(misnamed);
    }
}

TEST_F(DocumentSafetyTest, AFileHoldingAnotherTypeThanItsNameIsNotOpened)
{
    const QString misnamed = dir.filePath(QStringLiteral("Data/VELDOR_OPR_123456786_2005_12.xml"));
    ASSERT_TRUE(QFile::copy(dataPath(), misnamed));
    state.docType.Name = DocTypeAt(5)->titleText();
    const Opening chosen = OpenFromChoices(state, *DocTypeAt(5), false);
    EXPECT_FALSE(chosen.document);
    ASSERT_TRUE(chosen.message);
    EXPECT_TRUE(chosen.message->text.contains(QStringLiteral("Баланс")));

    const Opening picked = OpenFromDataFile(state, misnamed);
    EXPECT_FALSE(picked.document);
    ASSERT_TRUE(picked.message);

    // Under a name of its own it opens as what it holds.
    const QString renamed = dir.filePath(QStringLiteral("balance.xml"));
    ASSERT_TRUE(QFile::copy(dataPath(), renamed));
    const Opening own = OpenFromDataFile(state, renamed);
    ASSERT_TRUE(own.document);
    EXPECT_EQ(own.document->type, DocTypeAt(0));
}

} // namespace
