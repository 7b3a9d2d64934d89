// telmtool fill on the shipped balance-sheet template.
#include "tests/support/NewDocumentCases.h"
#include "tests/support/TestFiles.h"
#include "tests/support/TypedAmounts.h"
#include "tests/tools/ToolRun.h"
#include "xmlfiles/DataFile.h"
#include "xmlfiles/XmlAccess.h"
#include "xmlfiles/XmlDocument.h"

#include <QDir>
#include <QLocale>
#include <QTemporaryDir>

#include <gtest/gtest.h>

using namespace telm;

namespace {

using test::ToolRun;

ToolRun fill(const QTemporaryDir& dir, QStringList extra)
{
    QStringList args{"fill",   "--type", "Bal",     "--bulstat", "123456786", "--company", "Фирма",
                     "--year", "2005",   "--month", "12",        "--folder",  dir.path()};
    args += extra;
    return test::RunTool(args);
}

QString amount(const QString& path, int level, const char* id, const char* field)
{
    XmlDocument xml;
    xml.load(path);
    return GetNodeAttribute(
        SelectSingleNode(xml.doc(), RowLookupPath(level, QString::fromLatin1(id))),
        QString::fromLatin1(field));
}

} // namespace

TEST(FillCommand, SetAndCsvCommitLikeTyping)
{
    QTemporaryDir dir;
    ASSERT_TRUE(test::makeProgramFolder(dir.path()));
    const QString csv = dir.filePath(QStringLiteral("amounts.csv"));
    ASSERT_TRUE(test::writeAll(csv, "ID;FIELD;AMOUNT\n50;DocDta_Sum3;250\n\n20;DocDta_Sum3;9\n"));

    const ToolRun run = fill(dir, {"--set", "40:DocDta_Sum3=1000", "--csv", csv});
    EXPECT_EQ(run.code, 3) << run.err; // saved, with one amount skipped
    const QString path = dir.filePath(QStringLiteral("Data/VELDOR_Bal_123456786_2005_12.xml"));
    EXPECT_EQ(run.out, QDir::toNativeSeparators(path).toStdString() + "\n");
    // The group row 20 cannot be typed into: reported with its line, skipped.
    EXPECT_NE(run.err.find("amounts.csv:4"), std::string::npos) << run.err;
    EXPECT_NE(run.err.find("Имате неравнени АКТИВ и ПАСИВ"), std::string::npos);

    XmlDocument saved;
    ASSERT_TRUE(saved.load(path));
    EXPECT_TRUE(VerifyDataHash(saved));
    EXPECT_EQ(amount(path, 4, "40", "DocDta_Sum3"), QStringLiteral("1000"));
    EXPECT_EQ(amount(path, 3, "30", "DocDta_Sum3"), QStringLiteral("1250"));
    EXPECT_EQ(amount(path, 1, "10", "DocDta_Sum3"), QStringLiteral("1250"));
    EXPECT_EQ(amount(path, 1, "10", "DocDta_Sum1"), QStringLiteral("1250"));

    // Run again: the file is corrected in place and keeps the earlier amounts.
    const ToolRun again = fill(dir, {"--set", "50:DocDta_Sum3=0"});
    EXPECT_EQ(again.code, 0) << again.err;
    EXPECT_EQ(amount(path, 1, "10", "DocDta_Sum3"), QStringLiteral("1000"));
}

TEST(FillCommand, BadUsageAndNothingToSave)
{
    QTemporaryDir dir;
    ASSERT_TRUE(test::makeProgramFolder(dir.path()));
    EXPECT_EQ(fill(dir, {"--set", "40=5"}).code, 2);
    EXPECT_EQ(fill(dir, {"--bogus"}).code, 2);
    // Every line not taken is reported with its number; only a first line that
    // names the three columns is a header.
    const QString csv = dir.filePath(QStringLiteral("bad.csv"));
    ASSERT_TRUE(test::writeAll(csv, "Ред;Поле;Сума\n40;DocDta_Sum3;5\n41;DocDta_Sum3\nx;y;z\n"));
    const ToolRun bad = fill(dir, {"--csv", csv});
    EXPECT_EQ(bad.code, 3); // saved with what could be taken
    for (const char* line : {"bad.csv:1", "bad.csv:3", "bad.csv:4"})
        EXPECT_NE(bad.err.find(line), std::string::npos) << line << bad.err;
    EXPECT_EQ(bad.err.find("bad.csv:2"), std::string::npos) << bad.err;
    // A misplaced separator is no amount: refused with how to type it, never read as 125.
    const ToolRun comma =
        fill(dir, {"--set", "40:DocDta_Sum3=12.5", "--set", "50:DocDta_Sum3=10 5"});
    EXPECT_EQ(comma.code, 3);
    EXPECT_NE(comma.err.find("десетичният знак е запетая"), std::string::npos) << comma.err;
    EXPECT_NE(comma.err.find("Въведете число!"), std::string::npos) << comma.err;
    EXPECT_EQ(amount(dir.filePath(QStringLiteral("Data/VELDOR_Bal_123456786_2005_12.xml")), 4, "40",
                     "DocDta_Sum3"),
              QStringLiteral("5"));

    QTemporaryDir empty;
    const ToolRun none = fill(empty, {"--set", "40:DocDta_Sum3=5"});
    EXPECT_EQ(none.code, 1);
    EXPECT_NE(none.err.find("Не съществува коректен структурен файл!"), std::string::npos);
}

// Amounts given to fill, by --set or in a CSV file, are read as the program
// reads what is typed, whatever the system locale: each is stored as meant or
// refused with the message that says how to type it.
TEST(FillCommand, ReadsAmountsTheBulgarianWayWhateverTheLocale)
{
    QLocale::setDefault(QLocale(QLocale::English, QLocale::UnitedStates));
    const char* ids[] = {"40", "50", "60", "70", "80", "90", "100"};
    ASSERT_EQ(std::size(ids), std::size(test::kTypedAmounts));
    for (const bool viaCsv : {false, true}) {
        QTemporaryDir dir;
        ASSERT_TRUE(test::makeProgramFolder(dir.path()));
        QStringList args;
        QByteArray csv = "ID;FIELD;AMOUNT\n";
        for (std::size_t k = 0; k < std::size(ids); ++k) {
            const QByteArray id(ids[k]);
            csv += id + ";DocDta_Sum3;" + test::kTypedAmounts[k].text + "\n";
            args << QStringLiteral("--set")
                 << QString::fromUtf8(id + ":DocDta_Sum3=" + test::kTypedAmounts[k].text);
        }
        if (viaCsv) {
            const QString path = dir.filePath(QStringLiteral("amounts.csv"));
            ASSERT_TRUE(test::writeAll(path, csv));
            args = QStringList{QStringLiteral("--csv"), path};
        }
        const ToolRun run = fill(dir, args);
        EXPECT_EQ(run.code, 3) << run.err; // saved, with the refused amounts skipped
        const QString saved = dir.filePath(QStringLiteral("Data/VELDOR_Bal_123456786_2005_12.xml"));
        for (std::size_t k = 0; k < std::size(ids); ++k) {
            const test::TypedAmount& typed = test::kTypedAmounts[k];
            if (typed.stored) {
                EXPECT_EQ(amount(saved, 4, ids[k], "DocDta_Sum3"), QString::fromUtf8(typed.stored))
                    << typed.text << (viaCsv ? " (csv)" : " (--set)");
            } else {
                EXPECT_EQ(amount(saved, 4, ids[k], "DocDta_Sum3"), QStringLiteral("0"))
                    << typed.text;
                EXPECT_NE(run.err.find(typed.message), std::string::npos) << run.err;
            }
        }
    }
    QLocale::setDefault(QLocale::c());
}

// The new-document dialog's checks, in the table the dialog's test runs: the
// same first failure in the same words, as bad usage, and nothing saved.
TEST(FillCommand, ChecksTheChoicesAsTheNewDocumentDialogDoes)
{
    QTemporaryDir dir;
    ASSERT_TRUE(test::makeProgramFolder(dir.path()));
    const QDir data(dir.filePath(QStringLiteral("Data")));
    for (const test::NewDocumentCase& c : test::kNewDocumentCases) {
        const QStringList args{"fill",
                               "--type",
                               QString::fromUtf8(c.type),
                               "--bulstat",
                               QString::fromUtf8(c.bulstat),
                               "--company",
                               QString::fromUtf8(c.company),
                               "--year",
                               QString::fromUtf8(c.year),
                               "--month",
                               QString::fromUtf8(c.month),
                               "--folder",
                               dir.path()};
        SCOPED_TRACE(args.join(u'|').toStdString());
        const QStringList before = data.entryList(QDir::Files);
        const ToolRun run = test::RunTool(args);
        if (*c.message == '\0') {
            EXPECT_EQ(run.code, 0) << run.err;
            EXPECT_EQ(data.entryList(QDir::Files).size(), before.size() + 1);
            continue;
        }
        EXPECT_EQ(run.code, 2);
        EXPECT_NE(run.err.find(std::string("telmtool fill: ") + c.message), std::string::npos)
            << run.err;
        EXPECT_EQ(data.entryList(QDir::Files), before);
    }
}
