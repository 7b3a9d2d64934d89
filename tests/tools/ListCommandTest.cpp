// telmtool list over a folder of two companies' statements made with
// telmtool fill: the header line, one line per file grouped by filing, the
// findings of a filing, a tampered file, --json and the exit codes.
#include "tests/support/TestFiles.h"
#include "tests/tools/ToolRun.h"

#include <QDir>
#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonObject>
#include <QTemporaryDir>

#include <gtest/gtest.h>

using namespace telm;

namespace {

class ListCommandTest : public ::testing::Test
{
protected:
    void SetUp() override
    {
        ASSERT_TRUE(test::makeProgramFolder(dir.path()));
        // Алфа's balance sheet shows a profit 1 000 above its income statement's.
        fill("OPR", "123456786", "Алфа ООД", {"40:DocDta_Sum1=300", "400:DocDta_Sum1=500"});
        fill("Bal", "123456786", "Алфа ООД", {"750:DocDta_Sum3=1200", "510:DocDta_Sum3=1200"});
        fill("Bal", "100000086", "Бета ЕООД", {});
    }

    void fill(const char* code, const char* bulstat, const char* company, const QStringList& sets)
    {
        QStringList args{"fill",
                         "--type",
                         QString::fromLatin1(code),
                         "--bulstat",
                         QString::fromLatin1(bulstat),
                         "--company",
                         QString::fromUtf8(company),
                         "--year",
                         "2025",
                         "--month",
                         "12",
                         "--folder",
                         dir.path()};
        for (const QString& set : sets)
            args << "--set" << set;
        const test::ToolRun run = test::RunTool(args);
        ASSERT_TRUE(run.code == 0 || run.code == 3) << code << ": " << run.err;
    }

    QString data() const { return dir.filePath(QStringLiteral("Data")); }

    // telmtool list of the data folder with the test's own controls.
    test::ToolRun list(const QStringList& args) const
    {
        return test::RunTool(QStringList{"list", data(), "--controls",
                                         dir.filePath(QStringLiteral("Blanki/Checks.txt"))}
                             + args);
    }

    // The lines of `telmtool list`, each split into its fields.
    std::vector<QStringList> rows(const test::ToolRun& run) const
    {
        std::vector<QStringList> out;
        for (const QString& line : QString::fromStdString(run.out).split(u'\n', Qt::SkipEmptyParts))
            out.push_back(line.split(u'\t'));
        return out;
    }

    QTemporaryDir dir;
};

TEST_F(ListCommandTest, OneLinePerFileGroupedByFilingWithItsFindings)
{
    const test::ToolRun run = list({});
    EXPECT_EQ(run.code, 0) << run.err;
    const std::vector<QStringList> lines = rows(run);
    ASSERT_EQ(lines.size(), 4u) << run.out;
    EXPECT_EQ(lines[0].join(u','),
              QStringLiteral("file,company,bulstat,year,month,kind,type,saved,verified,controls"));
    const QString folder = QDir::cleanPath(data()) + u'/';
    const struct
    {
        QString file, company, type, controls;
    } expected[] = {
        {"VELDOR_Bal_123456786_2025_12.xml", "Алфа ООД", "Bal", "1"},
        {"VELDOR_OPR_123456786_2025_12.xml", "Алфа ООД", "OPR", "1"},
        {"VELDOR_Bal_100000086_2025_12.xml", "Бета ЕООД", "Bal", "0"},
    };
    for (std::size_t i = 0; i < std::size(expected); ++i) {
        const QStringList& line = lines[i + 1];
        ASSERT_EQ(line.size(), 10) << line.join(u'|').toStdString();
        EXPECT_EQ(line[0], folder + expected[i].file);
        EXPECT_EQ(line[1], expected[i].company);
        EXPECT_EQ(line.mid(3, 3).join(u' '), QStringLiteral("2025 12 real"));
        EXPECT_EQ(line[6], expected[i].type);
        EXPECT_TRUE(QDateTime::fromString(line[7], QStringLiteral("yyyy-MM-dd HH:mm:ss")).isValid())
            << line[7].toStdString();
        EXPECT_EQ(line[8], QStringLiteral("yes"));
        EXPECT_EQ(line[9], expected[i].controls);
    }
}

TEST_F(ListCommandTest, FileChangedOutsideTheProgramExitsOne)
{
    const QString path = QDir(data()).filePath(QStringLiteral("VELDOR_Bal_100000086_2025_12.xml"));
    QByteArray bytes = test::readAll(path);
    bytes.replace("Бета ЕООД", "Бета АД");
    ASSERT_TRUE(test::writeAll(path, bytes));

    const test::ToolRun run = list({});
    EXPECT_EQ(run.code, 1);
    const std::vector<QStringList> lines = rows(run);
    ASSERT_EQ(lines.size(), 4u);
    EXPECT_EQ(lines[3][1], QStringLiteral("Бета АД"));
    EXPECT_EQ(lines[3][8], QStringLiteral("no"));
    EXPECT_NE(run.err.find("TAMPERED"), std::string::npos) << run.err;
}

TEST_F(ListCommandTest, JsonByFilingWithFindingsAndMissingStatements)
{
    const test::ToolRun run = list({"--json"});
    EXPECT_EQ(run.code, 0);
    const QJsonArray filings =
        QJsonDocument::fromJson(QByteArray::fromStdString(run.out)).object()["filings"].toArray();
    ASSERT_EQ(filings.size(), 2);
    const QJsonObject alpha = filings[0].toObject();
    EXPECT_EQ(alpha["bulstat"].toString(), QStringLiteral("123456786"));
    EXPECT_EQ(alpha["controls"].toInt(), 1);
    EXPECT_EQ(alpha["findings"].toArray().size(), 1);
    EXPECT_EQ(alpha["files"].toArray().size(), 2);
    EXPECT_TRUE(alpha["missing"].toArray().contains(QStringLiteral("Отчет за собствения капитал")));
    EXPECT_TRUE(alpha["files"].toArray()[0].toObject()["verified"].toBool());
}

TEST_F(ListCommandTest, BadUsageAndAnUnreadableFolder)
{
    EXPECT_EQ(test::RunTool({"list", data(), data()}).code, 2);
    EXPECT_EQ(test::RunTool({"list", "--jsn"}).code, 2);
    EXPECT_EQ(test::RunTool({"list", dir.filePath(QStringLiteral("nowhere"))}).code, 1);
}

} // namespace
