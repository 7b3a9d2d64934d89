// The desk's model without a window: headers read, files grouped into
// filings in order, missing statements, a tampered file, a filing with a
// finding, and a rescan that sees what changed.
#include "desk/DeskScanner.h"

#include "desk/HeaderTail.h"
#include "tests/desk/DeskFiles.h"
#include "tests/support/TestFiles.h"

#include <QDir>
#include <QFile>
#include <QTemporaryDir>

#include <sys/stat.h>

#include <gtest/gtest.h>

using namespace telm;
using test::Company;

namespace {

const Company kAlpha{QStringLiteral("123456786"), QStringLiteral("Алфа ООД")};
const Company kBeta{QStringLiteral("100000086"), QStringLiteral("бета ЕООД")};

class DeskScannerTest : public ::testing::Test
{
protected:
    void SetUp() override
    {
        ASSERT_TRUE(test::makeProgramFolder(dir.path()));
        data = dir.filePath(QStringLiteral("Data"));
    }

    QString write(const Company& company, const char* code, int year, const QString& month,
                  const std::multimap<int, std::pair<const char*, qint64>>& amounts = {},
                  bool forecast = false)
    {
        const QString path =
            test::WriteStatement(dir.path(), data, company, code, year, month, amounts, forecast);
        EXPECT_FALSE(path.isEmpty()) << code;
        return path;
    }

    DeskScanner scanner() const
    {
        return DeskScanner(ControlsPath(dir.path()), [](qint64 v) { return QString::number(v); });
    }

    // "<company> <period> <kind>: <codes>" for each filing.
    static QStringList outline(const DeskSnapshot& desk)
    {
        QStringList lines;
        for (const DeskFiling& filing : desk.filings) {
            QStringList codes;
            for (const std::size_t i : filing.files)
                codes << QString::fromLatin1(desk.files[i].type->code);
            lines << filing.company + u' ' + filing.period() + (filing.forecast ? u'P' : u'R')
                         + QStringLiteral(": ") + codes.join(u' ');
        }
        return lines;
    }

    QTemporaryDir dir;
    QString data;
};

TEST_F(DeskScannerTest, HeadersGroupedByCompanyNewestPeriodFirstInTheFilingsOrder)
{
    write(kBeta, "Cap", 2025, "12");
    write(kBeta, "Bal", 2025, "12");
    write(kAlpha, "MFlow", 2024, "12");
    write(kAlpha, "Bal", 2025, "6");
    write(kAlpha, "OPR", 2025, "12");
    write(kAlpha, "Take", 2025, "12");
    write(kAlpha, "Bal", 2025, "12");
    write(kAlpha, "Bal", 2025, "12", {}, true);

    const DeskSnapshot desk = scanner().Scan(data);
    EXPECT_EQ(outline(desk), (QStringList{
                                 QStringLiteral("Алфа ООД 12/2025R: Bal OPR Take"),
                                 QStringLiteral("Алфа ООД 12/2025P: Bal"),
                                 QStringLiteral("Алфа ООД 6/2025R: Bal"),
                                 QStringLiteral("Алфа ООД 12/2024R: MFlow"),
                                 QStringLiteral("бета ЕООД 12/2025R: Bal Cap"),
                             }));
    const DeskFile& first = desk.files[desk.filings.front().files.front()];
    EXPECT_EQ(first.bulstat, kAlpha.bulstat);
    EXPECT_EQ(first.document, QStringLiteral("Баланс"));
    EXPECT_EQ(first.check, FileCheck::Verified);
    EXPECT_EQ(desk.filings.front().missing,
              (QStringList{QStringLiteral("Отчет за паричния поток (по прекия или косвения метод)"),
                           QStringLiteral("Отчет за собствения капитал")}));
    EXPECT_TRUE(desk.checked);
    EXPECT_EQ(desk.refusedCount(), 0);
}

TEST_F(DeskScannerTest, TamperedFileIsRefusedAndTheRestOfItsFilingStillChecked)
{
    write(kAlpha, "Bal", 2025, "12");
    const QString opr = write(kAlpha, "OPR", 2025, "12");
    QByteArray bytes = test::readAll(opr);
    bytes.replace("Алфа ООД", "Алфа АД!");
    ASSERT_TRUE(test::writeAll(opr, bytes));

    const DeskSnapshot desk = scanner().Scan(data);
    ASSERT_EQ(desk.filings.size(), 1u);
    const DeskFiling& filing = desk.filings.front();
    const DeskFile& bal = desk.files[filing.files[0]];
    const DeskFile& changed = desk.files[filing.files[1]];
    EXPECT_EQ(bal.check, FileCheck::Verified);
    EXPECT_EQ(changed.check, FileCheck::Refused);
    EXPECT_EQ(changed.fault, QStringLiteral("TAMPERED"));
    EXPECT_EQ(changed.company, QStringLiteral("Алфа АД!")) << "listed as its header says";
    EXPECT_EQ(desk.refusedCount(), 1);
}

TEST_F(DeskScannerTest, FilingWhoseResultsDisagreeHasAFindingInWords)
{
    // A profit of 200 in the income statement, 1 200 in the balance sheet.
    write(kAlpha, "OPR", 2025, "12", {{330, {"DocDta_Sum1", 200}}});
    write(kAlpha, "Bal", 2025, "12", {{750, {"DocDta_Sum3", 1200}}});
    write(kBeta, "OPR", 2025, "12", {{330, {"DocDta_Sum1", 200}}});
    write(kBeta, "Bal", 2025, "12", {{750, {"DocDta_Sum3", 200}}});

    const DeskSnapshot desk = scanner().Scan(data);
    ASSERT_EQ(desk.filings.size(), 2u);
    EXPECT_EQ(desk.filings[0].findings, 1);
    ASSERT_EQ(desk.filings[0].findingTexts.size(), 1);
    EXPECT_TRUE(desk.filings[0].findingTexts.front().contains(QStringLiteral("разлика 1000")))
        << desk.filings[0].findingTexts.front().toStdString();
    EXPECT_EQ(desk.filings[1].findings, 0);
}

// The comparatives are checked against last year's filing beside it, and a
// correction of last year's statement is seen by this year's filing at a rescan.
TEST_F(DeskScannerTest, ComparativesAreCheckedAgainstLastYearsFiling)
{
    write(kAlpha, "Bal", 2024, "12", {{40, {"DocDta_Sum3", 100}}});
    write(kAlpha, "Bal", 2025, "12", {{40, {"DocDta_PrevYear", 100}}});
    DeskScanner desk = scanner();
    DeskSnapshot snapshot = desk.Scan(data);
    ASSERT_EQ(snapshot.filings.size(), 2u);
    EXPECT_EQ(snapshot.filings[0].year, QStringLiteral("2025"));
    EXPECT_EQ(snapshot.filings[0].findings, 0);

    write(kAlpha, "Bal", 2024, "12", {{40, {"DocDta_Sum3", 250}}});
    snapshot = desk.Scan(data);
    EXPECT_EQ(snapshot.filings[0].findings, 1);
    ASSERT_EQ(snapshot.filings[0].findingTexts.size(), 1);
    EXPECT_TRUE(snapshot.filings[0].findingTexts.front().contains(QStringLiteral("ред 40")))
        << snapshot.filings[0].findingTexts.front().toStdString();
}

TEST_F(DeskScannerTest, RescanSeesANewAChangedAndARemovedFile)
{
    const QString bal = write(kAlpha, "Bal", 2025, "12");
    const QString opr = write(kAlpha, "OPR", 2025, "12");
    DeskScanner desk = scanner();
    EXPECT_EQ(desk.Scan(data).files.size(), 2u);

    // Checked once: the headers of unchanged files come from what was read.
    DeskSnapshot again = desk.ReadHeaders(data);
    EXPECT_EQ(again.files.front().check, FileCheck::Verified);

    ASSERT_TRUE(QFile::remove(opr));
    write(kBeta, "Cap", 2025, "12");
    QByteArray bytes = test::readAll(bal);
    bytes.replace("<bulstat>", "<bulstat> ");
    ASSERT_TRUE(test::writeAll(bal, bytes));

    again = desk.Scan(data);
    ASSERT_EQ(again.files.size(), 2u);
    EXPECT_EQ(outline(again), (QStringList{QStringLiteral("Алфа ООД 12/2025R: Bal"),
                                           QStringLiteral("бета ЕООД 12/2025R: Cap")}));
    EXPECT_EQ(again.files[again.filings[0].files[0]].check, FileCheck::Refused);
}

TEST_F(DeskScannerTest, FilesWithoutAHeaderAreListedLastAndRefused)
{
    write(kAlpha, "Bal", 2025, "12");
    ASSERT_TRUE(QFile::copy(dir.filePath(QStringLiteral("Blanki/testdata_Bal.xml")),
                            QDir(data).filePath(QStringLiteral("template.xml"))));
    ASSERT_TRUE(test::writeAll(QDir(data).filePath(QStringLiteral("broken.xml")), "<xml><danni>"));

    const DeskSnapshot desk = scanner().Scan(data);
    ASSERT_EQ(desk.filings.size(), 2u);
    const DeskFiling& headless = desk.filings.back();
    EXPECT_TRUE(headless.company.isEmpty());
    EXPECT_TRUE(headless.missing.isEmpty());
    ASSERT_EQ(headless.files.size(), 2u);
    for (const std::size_t i : headless.files)
        EXPECT_EQ(desk.files[i].check, FileCheck::Refused) << desk.files[i].path.toStdString();
}

TEST_F(DeskScannerTest, HeaderFromTheEndOfTheFileMatchesTheWholeFilesHeader)
{
    const QString path = write(kBeta, "Bal", 2025, "9", {}, true);
    const std::optional<StoredHeader> header = ReadHeaderTail(path, QFileInfo(path).size());
    ASSERT_TRUE(header);
    XmlDocument xml;
    ASSERT_TRUE(xml.load(path));
    const StoredHeader whole = ReadDataHeader(xml);
    EXPECT_EQ(header->period, whole.period);
    EXPECT_EQ(header->bulstat, whole.bulstat);
    EXPECT_EQ(header->company, whole.company);
    EXPECT_EQ(header->document, whole.document);
    EXPECT_EQ(header->kind, whole.kind);
    EXPECT_TRUE(header->forecast());
}

// A FIFO or a folder put where a data file was listed is passed over at once:
// the reader must not wait for a writer that never comes.
TEST_F(DeskScannerTest, AFifoOrAFolderInPlaceOfAListedFileIsPassedOver)
{
    const QString fifo = dir.filePath(QStringLiteral("Data/VELDOR_Bal_123456786_2025_12.xml"));
    ASSERT_EQ(::mkfifo(QFile::encodeName(fifo).constData(), 0600), 0);
    EXPECT_FALSE(ReadHeaderTail(fifo, 0));
    EXPECT_FALSE(ReadHeaderTail(fifo, 100000));
    const QString folder = dir.filePath(QStringLiteral("Data/VELDOR_OPR_123456786_2025_12.xml"));
    ASSERT_TRUE(QDir().mkpath(folder));
    EXPECT_FALSE(ReadHeaderTail(folder, 4096));
}

} // namespace

namespace {

TEST(HeaderInBytes, TheLastWellFormedHeaderNamingADocument)
{
    const QByteArray good = "<danni><period>12/2025</period><bulstat>123456786</bulstat>"
                            "<compname>А &amp; Б</compname><document>Баланс</document>"
                            "<documenttype>Реален документ</documenttype></danni>";
    const struct
    {
        QByteArray bytes;
        const char* company; // nullptr: no header
    } cases[] = {
        {"<xml hash=\"1\"><x/>" + good + "</xml>\n", "А & Б"},
        {"<danni><document>OPR</document><compname>X</compname></danni>" + good, "А & Б"},
        {good + "<danni><document>OPR</document><compname>X</compname></danni>", "X"},
        {"<xml><danni/></xml>", nullptr},
        {"<xml><danni><period>12/2025</period></danni></xml>", nullptr},
        {"<xml><danni><document>Баланс</document>", nullptr},
        {"<xml><danni><document>Баланс</documen></danni></xml>", nullptr},
        {"", nullptr},
    };
    for (const auto& c : cases) {
        const std::optional<StoredHeader> header = HeaderInBytes(c.bytes);
        if (!c.company) {
            EXPECT_FALSE(header) << c.bytes.toStdString();
            continue;
        }
        ASSERT_TRUE(header) << c.bytes.toStdString();
        EXPECT_EQ(header->company, QString::fromUtf8(c.company));
    }
}

} // namespace
