// telmtool print on files of the shipped templates: a saved data file with
// its own title block, a template as a blank form, the equity statement in
// landscape, and the refusals, each with its exit code.
#include "tests/support/PdfText.h"
#include "tests/support/TestFiles.h"
#include "tests/tools/ToolRun.h"

#include <QFile>
#include <QRegularExpression>
#include <QTemporaryDir>

#include <gtest/gtest.h>

using namespace telm;

namespace {

using test::RunTool;
using test::ToolRun;

class PrintCommand : public ::testing::Test
{
protected:
    void SetUp() override { ASSERT_TRUE(test::makeProgramFolder(dir.path())); }

    QString path(const QString& relative) const { return dir.filePath(relative); }

    // A saved forecast balance sheet with one amount.
    QString savedBalance()
    {
        const ToolRun fill =
            RunTool({"fill", "--type", "Bal", "--bulstat", "123456786", "--company", "Фирма ООД",
                     "--year", "2006", "--month", "12", "--forecast", "--folder", dir.path(),
                     "--set", "40:DocDta_Sum3=1500"});
        EXPECT_EQ(fill.code, 0) << fill.err;
        return path(QStringLiteral("Data/VELDOR_P_Bal_123456786_2006_12.xml"));
    }

    QTemporaryDir dir;
};

TEST_F(PrintCommand, ADataFilePrintsWithItsOwnTitleBlock)
{
    const QString file = savedBalance();
    const QString pdf = path(QStringLiteral("bal.pdf"));
    const ToolRun run = RunTool({"print", file, "--pdf", pdf, "--folder", dir.path()});
    ASSERT_EQ(run.code, 0) << run.err;
    EXPECT_EQ(run.out, pdf.toStdString() + "\n");
    const int pages = test::PdfPageCount(pdf);
    ASSERT_GE(pages, 2);
    const QString first = test::PdfPageText(pdf, 1);
    for (const char* expected : {"Баланс", "Фирма ООД", "БУЛСТАТ 123456786", "към 31.12.2006 г.",
                                 "(в лева)", "Прогнозен документ"})
        EXPECT_TRUE(first.contains(QString::fromUtf8(expected))) << expected;
    // Grouped with the system's separator, whichever it is.
    EXPECT_TRUE(first.contains(QRegularExpression(QStringLiteral("\\b1\\D?500\\b"))));
    EXPECT_TRUE(test::PdfPageText(pdf, pages).contains(QStringLiteral("Съставил:")));
    const QSizeF size = test::PdfPageSize(pdf);
    EXPECT_LT(size.width(), size.height());
}

TEST_F(PrintCommand, ATemplatePrintsAsABlankFormAndTheEquityStatementLies)
{
    const QString pdf = path(QStringLiteral("cap.pdf"));
    const ToolRun run =
        RunTool({"print", path(QStringLiteral("Blanki/testdata_Capital.xml")), "--pdf", pdf});
    ASSERT_EQ(run.code, 0) << run.err;
    const QSizeF size = test::PdfPageSize(pdf);
    EXPECT_GT(size.width(), size.height()); // landscape, as the form prints it
    const QString text = test::PdfPageText(pdf, 1);
    EXPECT_TRUE(text.contains(QStringLiteral("Отчет за собствения капитал")));
    EXPECT_TRUE(text.contains(QStringLiteral("БУЛСТАТ ......")));
    EXPECT_TRUE(text.contains(QStringLiteral("за периода ......")));
    EXPECT_TRUE(text.contains(QStringLiteral("Основен")));

    ASSERT_EQ(RunTool({"print", path(QStringLiteral("Blanki/testdata_Capital.xml")), "--pdf", pdf,
                       "--portrait"})
                  .code,
              0);
    EXPECT_LT(test::PdfPageSize(pdf).width(), test::PdfPageSize(pdf).height());

    // A template under another name needs its type.
    const QString renamed = path(QStringLiteral("blank.xml"));
    ASSERT_TRUE(QFile::copy(path(QStringLiteral("Blanki/testdata_OPR.xml")), renamed));
    EXPECT_EQ(RunTool({"print", renamed, "--pdf", pdf}).code, 1);
    EXPECT_EQ(RunTool({"print", renamed, "--pdf", pdf, "--type", "OPR"}).code, 0);
    // Printed under the official form's title.
    EXPECT_TRUE(
        test::PdfPageText(pdf, 1).contains(QStringLiteral("Отчет за приходите и разходите")));
}

TEST_F(PrintCommand, RefusalsAndTheirExitCodes)
{
    const QString file = savedBalance();
    const QString pdf = path(QStringLiteral("out.pdf"));
    ASSERT_TRUE(test::writeAll(pdf, "kept"));

    QByteArray bytes = test::readAll(file);
    bytes.replace("Фирма ООД", "Фирма ЕООД");
    const QString tampered = path(QStringLiteral("tampered.xml"));
    ASSERT_TRUE(test::writeAll(tampered, bytes));
    const ToolRun refused = RunTool({"print", tampered, "--pdf", pdf});
    EXPECT_EQ(refused.code, 1);
    EXPECT_NE(refused.err.find("XML файлът е бил променен неоторизирано!"), std::string::npos);
    EXPECT_EQ(test::readAll(pdf), QByteArray("kept"));

    EXPECT_EQ(RunTool({"print", path(QStringLiteral("none.xml")), "--pdf", pdf}).code, 1);
    EXPECT_EQ(RunTool({"print", file, "--pdf", path(QStringLiteral("no/such/dir.pdf"))}).code, 1);
    const struct
    {
        const char* what;
        QStringList args;
    } usage[] = {
        {"no --pdf", {"print", file}},
        {"no file", {"print", "--pdf", pdf}},
        {"unknown unit", {"print", file, "--pdf", pdf, "--unit", "euro"}},
        {"both orientations", {"print", file, "--pdf", pdf, "--landscape", "--portrait"}},
        {"unknown option", {"print", file, "--pdf", pdf, "--colour"}},
    };
    for (const auto& u : usage)
        EXPECT_EQ(RunTool(u.args).code, 2) << u.what;
    EXPECT_EQ(test::readAll(pdf), QByteArray("kept"));
}

} // namespace

// Both years on paper: a balance sheet with typed comparatives prints the two
// columns, the previous one marked as typed, and ends each side with its check
// total; the income statement carries the official form's title.
TEST_F(PrintCommand, TheBalanceSheetPrintsBothYearsAndItsCheckTotals)
{
    const ToolRun fill =
        RunTool({"fill", "--type", "Bal", "--bulstat", "123456786", "--company", "Фирма ООД",
                 "--year", "2025", "--month", "12", "--folder", dir.path(), "--set",
                 "40:DocDta_Sum3=1500", "--set", "40:DocDta_PrevYear=987654"});
    ASSERT_EQ(fill.code, 0) << fill.err;
    const QString pdf = path(QStringLiteral("both.pdf"));
    ASSERT_EQ(RunTool({"print", path(QStringLiteral("Data/VELDOR_Bal_123456786_2025_12.xml")),
                       "--pdf", pdf, "--folder", dir.path()})
                  .code,
              0);
    QString text;
    for (int page = 1; page <= test::PdfPageCount(pdf); ++page)
        text += test::PdfPageText(pdf, page);
    const QString flat = text.simplified();
    EXPECT_TRUE(flat.contains(QStringLiteral("Предходна"))) << flat.toStdString();
    EXPECT_TRUE(flat.contains(QStringLiteral("(въведени)"))) << flat.toStdString();
    EXPECT_TRUE(text.contains(QRegularExpression(QStringLiteral("\\b987\\D?654\\b"))));
    EXPECT_TRUE(flat.contains(QStringLiteral("СУМА НА АКТИВА")));
    EXPECT_TRUE(flat.contains(QStringLiteral("СУМА НА ПАСИВА")));

    const QString opr = path(QStringLiteral("opr.pdf"));
    ASSERT_EQ(
        RunTool({"print", path(QStringLiteral("Blanki/testdata_OPR.xml")), "--pdf", opr}).code, 0);
    EXPECT_TRUE(test::PdfPageText(opr, 1).simplified().contains(
        QStringLiteral("Отчет за приходите и разходите")));
}

// One company's statements of one period into one filing PDF: in the filing's
// order whatever the order named, numbered through, in thousands with names
// under the signatures; another company's file is refused by name, and the
// output is never written over an input, a data file or a link.
TEST_F(PrintCommand, AFilingPrintsInOrderAndTheOutputPathIsRespected)
{
    const auto fill = [this](const char* type, const char* bulstat, const char* set) {
        const ToolRun run =
            RunTool({"fill", "--type", type, "--bulstat", bulstat, "--company", "Фирма ООД",
                     "--year", "2025", "--month", "12", "--folder", dir.path(), "--set", set});
        EXPECT_NE(run.code, 1) << run.err;
        return path(QStringLiteral("Data/VELDOR_%1_%2_2025_12.xml").arg(type, bulstat));
    };
    const QString bal = fill("Bal", "123456786", "40:DocDta_Sum3=232862229");
    const QString opr = fill("OPR", "123456786", "20:DocDta_Sum1=1500");
    const QString cap = fill("Cap", "123456786", "10:DocDta_Sum1=1500");
    const QString other = fill("OPR", "000000000", "20:DocDta_Sum1=1500");
    const QString pdf = path(QStringLiteral("filing.pdf"));
    const ToolRun run = RunTool({"print", cap, opr, bal, "--pdf", pdf, "--folder", dir.path(),
                                 "--unit", "thousands", "--compiler", "Мария Иванова"});
    ASSERT_EQ(run.code, 0) << run.err;
    const int pages = test::PdfPageCount(pdf);
    ASSERT_GE(pages, 5);
    QStringList titles;
    for (int page = 1; page <= pages; ++page) {
        const QString text = test::PdfPageText(pdf, page).simplified();
        EXPECT_TRUE(text.contains(QStringLiteral("стр. %1 от %2").arg(page).arg(pages)));
        EXPECT_TRUE(text.contains(QStringLiteral("(в хиляди лева)")));
        for (const char* title : {"Баланс", "Отчет за приходите", "Отчет за собствения"}) {
            if (text.contains(QString::fromUtf8(title))
                && !titles.contains(QString::fromUtf8(title)))
                titles << QString::fromUtf8(title);
        }
        if (page == 1) {
            EXPECT_TRUE(text.contains(QStringLiteral("232 862"))) << text.toStdString();
        }
    }
    EXPECT_EQ(titles, (QStringList{QStringLiteral("Баланс"), QStringLiteral("Отчет за приходите"),
                                   QStringLiteral("Отчет за собствения")}));
    EXPECT_TRUE(test::PdfInfoText(pdf).contains(QStringLiteral("БУЛСТАТ 123456786")));

    const ToolRun odd = RunTool({"print", bal, other, "--pdf", pdf, "--folder", dir.path()});
    EXPECT_EQ(odd.code, 1);
    EXPECT_NE(odd.err.find(other.toStdString()), std::string::npos) << odd.err;

    const QByteArray balBytes = test::readAll(bal);
    ASSERT_TRUE(QFile::link(pdf, path(QStringLiteral("link.pdf"))));
    for (const QString& out :
         {bal, opr, path(QStringLiteral("link.pdf")), path(QStringLiteral("Data"))}) {
        SCOPED_TRACE(out.toStdString());
        const ToolRun refused = RunTool({"print", bal, "--pdf", out, "--folder", dir.path()});
        EXPECT_EQ(refused.code, 1);
        EXPECT_NE(refused.err.find("PDF файлът не може да се запише"), std::string::npos)
            << refused.err;
    }
    EXPECT_EQ(test::readAll(bal), balBytes);
}
