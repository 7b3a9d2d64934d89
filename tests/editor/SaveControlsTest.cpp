// The controls after a save: which statements beside the saved one are its
// filing, what is said of those that cannot be compared, and of a broken
// controls file.
#include "editor/SaveControls.h"

#include "checks/Controls.h"
#include "checks/Statement.h"
#include "editor/AmountText.h"
#include "editor/DocumentEngine.h"
#include "editor/DocumentFill.h"
#include "selection/DataFileName.h"
#include "selection/DocumentContext.h"
#include "tests/editor/SavedDocuments.h"
#include "tests/support/TestFiles.h"

#include <QDir>
#include <QFile>
#include <QTemporaryDir>

#include <array>
#include <vector>

#include <gtest/gtest.h>

using namespace telm;

namespace {

class SaveControlsTest : public ::testing::Test
{
protected:
    void SetUp() override { ASSERT_TRUE(test::makeProgramFolder(dir.path())); }

    // Saves a statement with its amounts (identifier, field, amount); returns
    // its path.
    QString save(const char* code, std::vector<std::array<const char*, 3>> amounts,
                 bool forecast = false, const char* month = "12")
    {
        FillRequest request{QString::fromLatin1(code),
                            forecast,
                            QStringLiteral("123456786"),
                            QStringLiteral("Фирма"),
                            QStringLiteral("2025"),
                            QString::fromLatin1(month),
                            dir.path(),
                            QString(),
                            {}};
        for (const auto& [id, field, amount] : amounts)
            request.entries.push_back({QString::fromLatin1(id), QString::fromLatin1(field),
                                       QString::fromLatin1(amount), QString()});
        const FillResult result = RunFill(request);
        EXPECT_EQ(result.status, FillResult::Status::Saved) << result.error.toStdString();
        return QDir::fromNativeSeparators(result.savedPath);
    }

    QString save(const char* code, const char* id, const char* field, const char* amount,
                 bool forecast = false, const char* month = "12")
    {
        return save(code, {{id, field, amount}}, forecast, month);
    }

    // A balance sheet that balances: `amount` in cash (row 510) and the same
    // amount on the liabilities' side in row `id`.
    QString saveBalance(const char* amount, const char* id = "610")
    {
        return save("Bal", {{"510", "DocDta_Sum3", amount}, {id, "DocDta_Sum3", amount}});
    }

    QString controls() const { return ControlsPath(dir.path()); }

    QTemporaryDir dir;
};

TEST_F(SaveControlsTest, OnlyTheSameCompanyPeriodAndKindAreCompared)
{
    const QString balance = saveBalance("300");
    EXPECT_TRUE(ControlFindings(balance, controls()).isEmpty()); // nothing to compare with
    save("MFlow", "390", "DocDta_Sum1", "100", true);            // a forecast
    save("MFlow", "390", "DocDta_Sum1", "100", false, "6");      // another period
    EXPECT_TRUE(ControlFindings(balance, controls()).isEmpty());

    const QString flow = save("MFlow", "390", "DocDta_Sum1", "100");
    const QStringList findings = ControlFindings(flow, controls());
    ASSERT_EQ(findings.size(), 1) << findings.join(u'\n').toStdString();
    EXPECT_TRUE(findings[0].endsWith(QStringLiteral(": 100 ≠ 300, разлика (200)")))
        << findings[0].toStdString();
    EXPECT_EQ(ControlFindings(balance, controls()), findings); // either side finds it

    const std::optional<UserMessage> warning = ControlsWarning(flow, controls());
    ASSERT_TRUE(warning);
    EXPECT_EQ(warning->title, QStringLiteral("TELM - Внимание!"));
    EXPECT_EQ(warning->icon, UserMessage::Icon::Warning);
    EXPECT_TRUE(warning->text.endsWith(findings[0]));
}

// Each row a failed control read, in its statement, by title, with its
// amount and where it is; the statement at hand has no path to open.
TEST_F(SaveControlsTest, AFindingNamesItsRowsInTheirStatements)
{
    const QString balance = saveBalance("300");
    const QString flow = save("MFlow", "390", "DocDta_Sum1", "100");
    Statement current;
    ASSERT_FALSE(ReadStatement(flow, current));
    const std::vector<Finding> findings = FilingFindings(current, controls());
    ASSERT_EQ(findings.size(), 1u);
    EXPECT_EQ(findings[0].difference, -200);
    ASSERT_EQ(findings[0].rows.size(), 2u);
    const FindingRow& here = findings[0].rows[0];
    const FindingRow& there = findings[0].rows[1];
    EXPECT_TRUE(here.here);
    EXPECT_EQ(here.amount, 100);
    EXPECT_TRUE(here.target.path.isEmpty());
    EXPECT_EQ(here.target.id, QStringLiteral("400"));
    EXPECT_FALSE(there.here);
    EXPECT_EQ(there.document, QStringLiteral("Баланс"));
    EXPECT_EQ(there.amount, 300);
    EXPECT_EQ(there.target.path, balance);
    EXPECT_EQ(there.target.id, QStringLiteral("500"));
    EXPECT_EQ(there.target.field, QStringLiteral("DocDta_Sum3"));
    EXPECT_FALSE(there.title.isEmpty());
}

// A control run column by column names the column as the form heads it.
TEST_F(SaveControlsTest, AColumnIsNamedByTheFormsHeading)
{
    const QString balance = saveBalance("5", "760"); // a loss without its minus
    const QStringList findings = ControlFindings(balance, controls());
    ASSERT_EQ(findings.size(), 2) << findings.join(u'\n').toStdString();
    // The derived Отчетна стойност (Коректив + Текуща година) carries the same amount.
    EXPECT_TRUE(
        findings[0].endsWith(QStringLiteral(", колона „Отчетна стойност“: 5 > 0, разлика 5")))
        << findings[0].toStdString();
    EXPECT_TRUE(findings[1].endsWith(QStringLiteral(", колона „Текуща година“: 5 > 0, разлика 5")))
        << findings[1].toStdString();
}

// A balance sheet that does not balance is found where the form is not open
// (telmtool check, the desk) by the control over its two sides; on the form
// its own balance check says so, and the control does not say it again.
TEST_F(SaveControlsTest, AnUnbalancedBalanceSheetIsFoundOnceOnTheFormAndByTheControls)
{
    const QString balance = save("Bal", "510", "DocDta_Sum3", "300");
    const QStringList lines = ControlFindings(balance, controls());
    ASSERT_EQ(lines.size(), 1) << lines.join(u'\n').toStdString();
    EXPECT_TRUE(lines[0].startsWith(QStringLiteral("В баланса „СУМА НА АКТИВА“ (ред 575)")))
        << lines[0].toStdString();

    AppState state;
    state.FilePrefix = kFilePrefix;
    state.programFolder = dir.path();
    const auto engine = test::ReopenSaved(state, QDir::toNativeSeparators(balance));
    ASSERT_TRUE(engine);
    const std::vector<Finding> checked = engine->check();
    ASSERT_EQ(checked.size(), 1u) << FindingTexts(checked).join(u'\n').toStdString();
    EXPECT_EQ(checked[0].text,
              QStringLiteral("Имате неравнени АКТИВ и ПАСИВ. Коригирайте документа!"));
    EXPECT_EQ(checked[0].difference, 300);
}

TEST_F(SaveControlsTest, AStatementThatCannotBeComparedIsNamedAndABrokenTableToo)
{
    const QString balance = saveBalance("300");
    const QString flow = save("MFlow", "390", "DocDta_Sum1", "300");
    EXPECT_TRUE(ControlFindings(balance, controls()).isEmpty());

    QByteArray bytes = test::readAll(flow);
    bytes.replace("DocDta_Sum1=\"300\"", "DocDta_Sum1=\"301\"");
    ASSERT_TRUE(test::writeAll(flow, bytes));
    const QStringList findings = ControlFindings(balance, controls());
    ASSERT_EQ(findings.size(), 1);
    EXPECT_EQ(findings[0], QStringLiteral("Файлът %1 не е сравнен: файлът е променян извън "
                                          "програмата.")
                               .arg(QDir::toNativeSeparators(flow)));

    ASSERT_TRUE(test::writeAll(controls(), "bal | Bal[1].DocDta_Sum3 | m\n"));
    const QStringList broken = ControlFindings(balance, controls());
    ASSERT_EQ(broken.size(), 1);
    EXPECT_TRUE(broken[0].startsWith(QStringLiteral("Файлът с контролите не може да бъде прочетен: "
                                                    "Checks.txt:1: ")))
        << broken[0].toStdString();

    QFile::remove(controls());
    EXPECT_TRUE(ControlFindings(balance, controls()).isEmpty());
}

} // namespace
