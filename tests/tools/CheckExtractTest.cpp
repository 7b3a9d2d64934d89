// telmtool check and extract over a company's filing made with telmtool fill:
// five statements that agree but for one difference, a tampered file, and the
// CSV of every amount in the order given.
#include "tests/support/TestFiles.h"
#include "tests/tools/ToolRun.h"

#include <QDir>
#include <QFile>
#include <QTemporaryDir>

#include <sstream>
#include <streambuf>

#include <gtest/gtest.h>

using namespace telm;

namespace {

struct ToolRun
{
    int code = -1;
    QString out;
    QString err;
};

// What telmtool printed, as text.
ToolRun telmtool(const QStringList& args)
{
    const test::ToolRun run = test::RunTool(args);
    return ToolRun{run.code, QString::fromStdString(run.out), QString::fromStdString(run.err)};
}

class CheckExtractTest : public ::testing::Test
{
protected:
    void SetUp() override
    {
        ASSERT_TRUE(test::makeProgramFolder(dir.path()));
        // A profit of 180, cash of 200 (1 200 in the balance sheet: the one
        // difference), receivables of 50, capital of 1 000 and 70 owed to
        // suppliers.
        fill("OPR", {"40:DocDta_Sum1=300", "400:DocDta_Sum1=500", "300:DocDta_Sum1=20"});
        fill("MFlow", {"390:DocDta_Sum1=200"});
        fill("Cap", {"10:DocDta_Sum1=1000",
                     "50:DocDta_Sum7=180"}); // the closing balances compute themselves
        fill("Take", {"60:DocDta_Sum2=50"});
        fill("Bal", {"510:DocDta_Sum3=1200", "400:DocDta_Sum3=50", "610:DocDta_Sum3=1000",
                     "750:DocDta_Sum3=180", "900:DocDta_Sum3=70"});
    }

    void fill(const char* code, const QStringList& sets)
    {
        QStringList args{"fill",
                         "--type",
                         QString::fromLatin1(code),
                         "--bulstat",
                         "123456786",
                         "--company",
                         "Фирма \"Алфа\", ООД",
                         "--year",
                         "2025",
                         "--month",
                         "12",
                         "--folder",
                         dir.path()};
        for (const QString& set : sets)
            args << "--set" << set;
        const ToolRun run = telmtool(args);
        ASSERT_TRUE(run.code == 0) << code << ": " << run.err.toStdString();
        files << run.out.trimmed();
    }

    // telmtool check with the controls of the test's program folder.
    ToolRun check(const QStringList& args) const
    {
        return telmtool(QStringList{"check", "--controls", dir.filePath("Blanki/Checks.txt")}
                        + args);
    }

    QTemporaryDir dir;
    QStringList files; // OPR, MFlow, Cap, Take, Bal
};

TEST_F(CheckExtractTest, CheckFindsAndNamesTheOneDifferenceThenPasses)
{
    const ToolRun run = check(files);
    EXPECT_EQ(run.code, 1);
    const QStringList lines = run.out.split(u'\n', Qt::SkipEmptyParts);
    ASSERT_EQ(lines.size(), 2) << run.out.toStdString();
    EXPECT_TRUE(lines[0].startsWith(files[1] + QStringLiteral(", ") + files[4]
                                    + QStringLiteral(": bal-mflow-cash: Паричните средства")))
        << lines[0].toStdString();
    EXPECT_TRUE(lines[0].endsWith(QStringLiteral(": 200 ≠ 1200, разлика -1000")))
        << lines[0].toStdString();
    EXPECT_EQ(lines[1],
              QStringLiteral("5 files in 1 filings: 41 comparisons, 1 failed, 0 files refused"));

    // Corrected, the filing agrees.
    fill("MFlow", {"390:DocDta_Sum1=1200"});
    const ToolRun again = check(files.mid(0, 5));
    EXPECT_EQ(again.code, 0) << again.out.toStdString();
}

// Comparatives are checked against last year's statement beside the file:
// carried, they agree; once last year's is corrected, the row is named; last year's file
// changed outside the program is said and not compared with. show and extract
// write the comparatives after the current year.
TEST_F(CheckExtractTest, ComparativesAreCheckedAgainstLastYearsFileBesideThem)
{
    const auto fillBal = [&](const char* year, const QStringList& sets) {
        QStringList args{"fill",      "--type",    "Bal",
                         "--bulstat", "100000086", "--company",
                         "Бета ЕООД", "--year",    QString::fromLatin1(year),
                         "--month",   "12",        "--folder",
                         dir.path()};
        for (const QString& set : sets)
            args << "--set" << set;
        const ToolRun run = telmtool(args);
        EXPECT_EQ(run.code, 0) << run.err.toStdString();
        return run.out.trimmed();
    };
    const QString last = fillBal("2024", {"510:DocDta_Sum3=300", "610:DocDta_Sum3=300"});
    const QString now = fillBal("2025", {"510:DocDta_Sum3=400", "610:DocDta_Sum3=400"});
    const ToolRun carried = check({now});
    EXPECT_EQ(carried.code, 0) << carried.out.toStdString();

    fillBal("2024", {"510:DocDta_Sum3=320", "610:DocDta_Sum3=320"});
    const ToolRun corrected = check({now});
    EXPECT_EQ(corrected.code, 1);
    EXPECT_TRUE(corrected.out.contains(
        now + QStringLiteral(", ") + last
        + QStringLiteral(": bal-comparatives: В баланса сравнителната сума не е равна на сумата "
                         "за текущата година в миналогодишния баланс, ред 510 „1. Касови "
                         "наличности в лева“: 300 ≠ 320, разлика -20\n")))
        << corrected.out.toStdString();

    const ToolRun shown = telmtool({"show", now});
    EXPECT_TRUE(shown.out.contains(
        QStringLiteral("\tDocDta_Sum1\tDocDta_Sum2\tDocDta_Sum3\tDocDta_PrevYear\n")));
    EXPECT_TRUE(telmtool({"extract", now})
                    .out.contains(QStringLiteral(",510,4,,1. Касови наличности в лева,"
                                                 "DocDta_PrevYear,300\r\n")));

    QByteArray bytes = test::readAll(last);
    bytes.replace("DocDta_Sum3=\"320\"", "DocDta_Sum3=\"300\"");
    ASSERT_TRUE(test::writeAll(last, bytes));
    const ToolRun tampered = check({now});
    EXPECT_TRUE(tampered.out.contains(
        last
        + QStringLiteral(": TAMPERED (last year's statement: the comparatives are not "
                         "checked against it)\n")))
        << tampered.out.toStdString();
    EXPECT_FALSE(tampered.out.contains(QStringLiteral("bal-comparatives")));
}

TEST_F(CheckExtractTest, CheckReportsEveryFileItCannotTrustAndBadUsage)
{
    const QString tampered = dir.filePath(QStringLiteral("tampered.xml"));
    QByteArray bytes = test::readAll(files[4]);
    bytes.replace("DocDta_Sum3=\"1200\"", "DocDta_Sum3=\"200\"");
    ASSERT_TRUE(test::writeAll(tampered, bytes));
    const QString missing = dir.filePath(QStringLiteral("none.xml"));

    const ToolRun run = check({files[0], tampered, missing});
    EXPECT_EQ(run.code, 1);
    EXPECT_TRUE(run.out.contains(tampered + QStringLiteral(": TAMPERED\n")));
    EXPECT_TRUE(run.out.contains(missing + QStringLiteral(": INVALID: cannot read the file")));
    EXPECT_TRUE(run.out.endsWith(QStringLiteral("2 files refused\n"))) << run.out.toStdString();

    EXPECT_EQ(telmtool({"check"}).code, 2);
    EXPECT_EQ(telmtool({"check", "--bogus", files[0]}).code, 2);
    const ToolRun noControls =
        telmtool({"check", "--controls", dir.filePath(QStringLiteral("none.txt")), files[0]});
    EXPECT_EQ(noControls.code, 1);
    EXPECT_TRUE(noControls.err.contains(QStringLiteral("cannot read the controls")));
}

TEST_F(CheckExtractTest, ExtractWritesEveryAmountInTheGivenOrderWhateverTheJobs)
{
    const ToolRun one = telmtool(QStringList{"extract", "--jobs", "1"} + files);
    ASSERT_EQ(one.code, 0) << one.err.toStdString();
    const QStringList lines = one.out.split(QStringLiteral("\r\n"));
    EXPECT_EQ(lines.first(), QStringLiteral("file,bulstat,company,year,month,document,forecast,row,"
                                            "level,code,title,field,amount"));
    EXPECT_TRUE(lines.last().isEmpty()); // every line ends in CRLF
    // The company name holds a comma and quotes: quoted, quotes doubled.
    EXPECT_TRUE(lines[1].startsWith(files[0]
                                    + QStringLiteral(",123456786,\"Фирма \"\"Алфа\"\", ООД\","
                                                     "2025,12,OPR,0,10,1,,РАЗХОДИ,DocDta_Sum1,")))
        << lines[1].toStdString();
    EXPECT_TRUE(one.out.contains(
        QStringLiteral(",Bal,0,510,4,,1. Касови наличности в лева,DocDta_Sum3,1200\r\n")));
    // Files appear in the order given.
    qsizetype last = -1;
    for (const QString& file : files) {
        const qsizetype at = one.out.indexOf(QStringLiteral("\r\n") + file + u',');
        EXPECT_GT(at, last) << file.toStdString();
        last = at;
    }

    const ToolRun three = telmtool(QStringList{"extract", "--jobs", "3"} + files + files);
    ASSERT_EQ(three.code, 0);
    EXPECT_EQ(three.out, one.out + one.out.mid(lines.first().size() + 2));
}

TEST_F(CheckExtractTest, ExtractLeavesOutWhatItCannotTrustAndSaysWhy)
{
    const QString tampered = dir.filePath(QStringLiteral("tampered.xml"));
    QByteArray bytes = test::readAll(files[0]);
    bytes.replace("Фирма", "Фирмa"); // one Latin letter
    ASSERT_TRUE(test::writeAll(tampered, bytes));

    const ToolRun run = telmtool({"extract", tampered, files[1]});
    EXPECT_EQ(run.code, 1);
    EXPECT_EQ(run.err, tampered + QStringLiteral(": TAMPERED\n"));
    EXPECT_FALSE(run.out.contains(tampered));
    EXPECT_TRUE(run.out.contains(files[1]));

    EXPECT_EQ(telmtool({"extract"}).code, 2);
    EXPECT_EQ(telmtool({"extract", "--jobs", "0", files[1]}).code, 2);
}

// A text a spreadsheet would run as a formula is written with ' before it;
// numbers, negative amounts among them, never; --raw writes the texts as they are.
TEST_F(CheckExtractTest, ExtractNeverHandsASpreadsheetAFormula)
{
    const QStringList args{"fill",
                           "--type",
                           "Bal",
                           "--bulstat",
                           "100000086",
                           "--company",
                           "=HYPERLINK(\"http://x\",\"y\")",
                           "--year",
                           "2025",
                           "--month",
                           "12",
                           "--folder",
                           dir.path(),
                           "--set",
                           "510:DocDta_Sum3=-1200"};
    const ToolRun filled = telmtool(args);
    ASSERT_EQ(filled.code, 0) << filled.err.toStdString();
    const QString file = filled.out.trimmed();

    const ToolRun safe = telmtool({"extract", file});
    ASSERT_EQ(safe.code, 0);
    EXPECT_TRUE(safe.out.contains(
        QStringLiteral(",100000086,\"'=HYPERLINK(\"\"http://x\"\",\"\"y\"\")\",2025,12,Bal,0,")))
        << safe.out.left(400).toStdString();
    EXPECT_TRUE(safe.out.contains(QStringLiteral(",DocDta_Sum3,-1200\r\n")));
    EXPECT_FALSE(safe.out.contains(QStringLiteral("'-1200")));

    const ToolRun raw = telmtool({"extract", "--raw", file});
    ASSERT_EQ(raw.code, 0);
    EXPECT_TRUE(raw.out.contains(QStringLiteral(",\"=HYPERLINK(\"\"http://x\"\",\"\"y\"\")\",")));
}

// Output that cannot be written is a failure in every command that writes.
TEST_F(CheckExtractTest, OutputThatCannotBeWrittenIsAFailure)
{
    struct Full : std::streambuf
    {
        int_type overflow(int_type) override { return traits_type::eof(); }
        std::streamsize xsputn(const char*, std::streamsize) override { return 0; }
    };
    const QStringList runs[] = {
        {"extract", files[0]},
        {"show", files[0]},
        {"verify", files[0]},
        {"hash", "abc"},
        {"check", "--controls", dir.filePath("Blanki/Checks.txt"), files[0], files[4]}};
    for (const QStringList& args : runs) {
        Full full;
        std::ostream out(&full);
        std::ostringstream err;
        EXPECT_EQ(tool::RunTelmtool(args, out, err), 1) << args.join(u' ').toStdString();
        EXPECT_NE(err.str().find("could not be written"), std::string::npos) << err.str();
    }
}

} // namespace
