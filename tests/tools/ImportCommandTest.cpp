// telmtool import: a trial balance through the shipped account map into the
// balance sheet and the income statement, which then balance and agree with
// each other under the controls; and its refusals, which save nothing.
#include "checks/Statement.h"
#include "tests/support/TestFiles.h"
#include "tests/tools/ToolRun.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QTemporaryDir>

#include <string>
#include <vector>

#include <gtest/gtest.h>

using namespace telm;

namespace {

// A trading company with a profit: 241 against 203, a supplier with each
// side's balance (401.1 owed, 401.2 an advance paid), 401 itself the total of
// its analytics, and halves of a lev that round up: the assets round to a lev
// more than the liabilities, which the first of the cells rounded up furthest
// (the stock, 4 200,60) gives back.
const char* const kProfit = "Сметка;Наименование;Дебит;Кредит\n"
                            "101;Основен капитал;;5000.00\n"
                            "203;Сгради;12000.00;\n"
                            "241;Амортизация;;3000.00\n"
                            "304;Стоки;4200.60;\n"
                            "401;Доставчици;;1500.20\n"
                            "401.1;Доставчик А;;1800.20\n"
                            "401.2;Доставчик Б;300.00;\n"
                            "411;Клиенти;2500.00;\n"
                            "453;ДДС;;700.00\n"
                            "503;Банка;1499.60;\n"
                            "601;Материали;900.00;\n"
                            "602;Външни услуги;1100.50;\n"
                            "702;Продажби на стоки;;9000.00\n"
                            "703;Услуги;;3000.50\n";

// A company with a loss: the full form, tab-separated, English headers.
const char* const kLoss = "Account\tName\tOpening debit\tOpening credit\tTurnover debit\t"
                          "Turnover credit\tClosing debit\tClosing credit\n"
                          "101\tCapital\t\t2000.00\t\t\t\t2000.00\n"
                          "503\tBank\t2000.00\t\t500.00\t1700.00\t800.00\t\n"
                          "411\tCustomers\t\t\t500.00\t500.00\t\t\n"
                          "602\tServices\t\t\t1700.00\t\t1700.00\t\n"
                          "703\tRevenue\t\t\t\t500.00\t\t500.00\n";

class ImportCommandTest : public ::testing::Test
{
protected:
    void SetUp() override { ASSERT_TRUE(test::makeProgramFolder(dir.path())); }

    test::ToolRun importFixture(const char* name, const QStringList& more = {})
    {
        return import(test::readAll(test::fixture(QString::fromUtf8(name))).constData(), more);
    }

    test::ToolRun import(const char* trialBalance, const QStringList& more = {})
    {
        const QString path = dir.filePath(QStringLiteral("tb.csv"));
        EXPECT_TRUE(test::writeAll(path, QByteArray(trialBalance)));
        return test::RunTool(QStringList{"import", "--trial-balance", path, "--bulstat",
                                         "123456786", "--company", "Алфа ООД", "--year", year,
                                         "--month", "12", "--folder", dir.path()}
                             + more);
    }

    Statement statement(const char* code)
    {
        Statement s;
        const auto fault = ReadStatement(
            dir.filePath(QStringLiteral("Data/VELDOR_%1_123456786_%2_12.xml").arg(code, year)), s);
        EXPECT_FALSE(fault) << code;
        return s;
    }

    qint64 amount(const Statement& s, int id, const char* field)
    {
        return s.amount(id, QString::fromLatin1(field)).value_or(-999999);
    }

    test::ToolRun check()
    {
        return test::RunTool(
            QStringList{"check", "--controls", dir.filePath(QStringLiteral("Blanki/Checks.txt")),
                        dir.filePath(QStringLiteral("Data"))
                            + QStringLiteral("/VELDOR_Bal_123456786_2025_12.xml"),
                        dir.filePath(QStringLiteral("Data"))
                            + QStringLiteral("/VELDOR_OPR_123456786_2025_12.xml")});
    }

    int dataFiles() const
    {
        return int(QDir(dir.filePath(QStringLiteral("Data"))).entryList(QDir::Files).size());
    }

    QTemporaryDir dir;
    QString year = QStringLiteral("2025");
};

TEST_F(ImportCommandTest, AProfitFillsStatementsThatBalanceAndAgree)
{
    const test::ToolRun run = import(kProfit);
    ASSERT_EQ(run.code, 0) << run.err;
    const Statement bal = statement("Bal");
    EXPECT_EQ(amount(bal, 50, "DocDta_Sum1"), 12000); // Отчетна стойност
    EXPECT_EQ(amount(bal, 50, "DocDta_Sum2"), 3000);  // Коректив
    EXPECT_EQ(amount(bal, 50, "DocDta_Sum3"), 9000);
    EXPECT_EQ(amount(bal, 400, "DocDta_Sum3"), 2800); // 401.2 and 411
    EXPECT_EQ(amount(bal, 900, "DocDta_Sum3"), 1800); // 401.1
    EXPECT_EQ(amount(bal, 350, "DocDta_Sum3"), 4200);
    EXPECT_EQ(amount(bal, 750, "DocDta_Sum3"), 12001 - 2001);
    EXPECT_EQ(amount(bal, 575, "DocDta_Sum3"), amount(bal, 995, "DocDta_Sum3"));
    const Statement opr = statement("OPR");
    EXPECT_EQ(amount(opr, 330, "DocDta_Sum1"), 10000);
    const test::ToolRun controls = check();
    EXPECT_EQ(controls.code, 0) << controls.out;
}

TEST_F(ImportCommandTest, ALossGoesNegativeIntoTheCurrentLoss)
{
    const test::ToolRun run = import(kLoss);
    ASSERT_EQ(run.code, 0) << run.err;
    const Statement bal = statement("Bal");
    EXPECT_EQ(amount(bal, 760, "DocDta_Sum3"), -1200);
    EXPECT_EQ(amount(bal, 575, "DocDta_Sum3"), 800);
    EXPECT_EQ(amount(bal, 995, "DocDta_Sum3"), 800);
    EXPECT_EQ(check().code, 0) << check().out;
}

TEST_F(ImportCommandTest, ACompanysMapOverridesTheShippedOne)
{
    const QString map = dir.filePath(QStringLiteral("own.txt"));
    ASSERT_TRUE(test::writeAll(map, "241 | contra | Bal[60].DocDta_Sum3 | Bal[60].DocDta_Sum2\n"
                                    "203 | debit | Bal[60].DocDta_Sum3\n"));
    const test::ToolRun run = import(kProfit, {"--accounts", map, "--dry-run"});
    ASSERT_EQ(run.code, 0) << run.err;
    EXPECT_NE(run.out.find("Bal[60].DocDta_Sum2\t3000\t241"), std::string::npos) << run.out;
    EXPECT_EQ(run.out.find("Bal[50]"), std::string::npos) << run.out;
    EXPECT_EQ(dataFiles(), 0);
}

TEST_F(ImportCommandTest, RefusesBeforeAnythingIsWritten)
{
    const std::string unplaced = std::string(kLoss) + "801\tOff-balance\t\t\t\t\t10.00\t\n"
                                 + "802\tOff-balance 2\t\t\t\t\t\t10.00\n";
    const struct
    {
        std::string text;
        const char* says;
    } cases[] = {
        {unplaced, "not in the account map: 801 Off-balance (line 7), balance 10,00"},
        {unplaced, "not in the account map: 802 Off-balance 2 (line 8), balance -10,00"},
        {std::string(kProfit) + "123;Резултат;;10.00\n501;Каса;10.00;\n",
         "Сметка 123 „Печалби и загуби от текущата година“ има кредитно салдо 10,00, а сметките "
         "от групи 6 и 7 също имат салда"},
        {std::string(kProfit) + "501;Каса;0.01;\n", "дебитът (22\u00a0500,71) не е равен"},
        {"Сметка;Дебит;Кредит\n503;12.5;\n", "tb.csv:2: сумата „12.5“ не може да се прочете"},
    };
    for (const auto& c : cases) {
        const test::ToolRun run = import(c.text.c_str());
        EXPECT_EQ(run.code, 1) << c.text;
        EXPECT_NE(run.err.find(c.says), std::string::npos) << run.err;
        EXPECT_EQ(dataFiles(), 0);
    }
    // With --force the known part is saved, and the exit says it is not all.
    const test::ToolRun forced = import(unplaced.c_str(), {"--force"});
    EXPECT_EQ(forced.code, 3) << forced.err;
    EXPECT_EQ(dataFiles(), 2);
}

// Companies of other kinds, each giving statements that balance, whose
// current result is the income statement's, and whose controls agree.
TEST_F(ImportCommandTest, EachCompanyGetsStatementsThatBalanceAndAgree)
{
    struct Cell
    {
        const char* code;
        int id;
        const char* field;
        qint64 leva;
    };
    const struct
    {
        const char* fixture;
        const char* ownMap; // fixture, or nullptr for the shipped map alone
        std::vector<Cell> cells;
    } cases[] = {
        // A producer: its work in progress (611, of class 6 but an asset) on the
        // balance sheet and not in the result; 701's half a lev rounds the
        // result up, and the cash rounded down furthest takes the lev back.
        {"producing.csv",
         nullptr,
         {{"Bal", 360, "DocDta_Sum3", 800},
          {"Bal", 340, "DocDta_Sum3", 1000},
          {"Bal", 330, "DocDta_Sum3", 1500},
          {"Bal", 530, "DocDta_Sum3", 12101},
          {"Bal", 750, "DocDta_Sum3", 2901},
          {"OPR", 40, "DocDta_Sum1", 2100},
          {"OPR", 380, "DocDta_Sum1", 6701}}},
        // A trading company with a loss, exported in Windows-1251 with grouped
        // amounts and decimal commas.
        {"loss-1251.csv",
         nullptr,
         {{"Bal", 350, "DocDta_Sum3", 2300},
          {"Bal", 530, "DocDta_Sum3", 901},
          {"Bal", 760, "DocDta_Sum3", -3499},
          {"OPR", 40, "DocDta_Sum1", 2399},
          {"OPR", 50, "DocDta_Sum1", 3100}}},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.fixture);
        for (const QString& name :
             QDir(dir.filePath(QStringLiteral("Data"))).entryList(QDir::Files))
            QFile::remove(dir.filePath(QStringLiteral("Data/") + name));
        const test::ToolRun run = importFixture(
            c.fixture, c.ownMap
                           ? QStringList{"--accounts", test::fixture(QString::fromUtf8(c.ownMap))}
                           : QStringList{});
        ASSERT_EQ(run.code, 0) << run.err;
        const Statement bal = statement("Bal");
        const Statement opr = statement("OPR");
        for (const Cell& cell : c.cells)
            EXPECT_EQ(amount(std::string(cell.code) == "Bal" ? bal : opr, cell.id, cell.field),
                      cell.leva)
                << cell.code << "[" << cell.id << "]";
        EXPECT_EQ(amount(bal, 575, "DocDta_Sum3"), amount(bal, 995, "DocDta_Sum3"));
        EXPECT_EQ(bal.amount(750, QStringLiteral("DocDta_Sum3")).value_or(0)
                      + bal.amount(760, QStringLiteral("DocDta_Sum3")).value_or(0),
                  opr.amount(330, QStringLiteral("DocDta_Sum1")).value_or(0)
                      - opr.amount(570, QStringLiteral("DocDta_Sum1")).value_or(0));
        EXPECT_EQ(check().code, 0) << check().out;
    }
}

// A company's map that cannot be read is refused with its file and line, in
// the words the program shows in its message box; nothing is saved.
TEST_F(ImportCommandTest, RefusesAMapItCannotRead)
{
    const QString map = dir.filePath(QStringLiteral("own.txt"));
    ASSERT_TRUE(test::writeAll(map, "# own\n241 | contra | Bal[60].DocDta_Sum3\n"));
    const test::ToolRun run = import(kProfit, {"--accounts", map});
    EXPECT_EQ(run.code, 1);
    EXPECT_NE(run.err.find("own.txt:2: правилото contra иска две цели"), std::string::npos)
        << run.err;
    EXPECT_EQ(dataFiles(), 0);
}

// The trial balance is the command's argument, or --trial-balance FILE: one of
// them, else bad usage.
TEST_F(ImportCommandTest, TakesTheTrialBalanceAsItsArgumentOrAsAnOption)
{
    const QString path = dir.filePath(QStringLiteral("tb.csv"));
    ASSERT_TRUE(test::writeAll(path, QByteArray(kLoss)));
    const QStringList rest{"--bulstat", "123456786", "--company", "Алфа ООД", "--year",
                           "2025",      "--month",   "12",        "--folder", dir.path()};
    const struct
    {
        QStringList args;
        int code;
        const char* says;
    } cases[] = {
        {QStringList{"import", path} + rest, 0, ""},
        {QStringList{"import", path, "--trial-balance", path} + rest, 2, "given twice"},
        {QStringList{"import"} + rest, 2, "no trial balance"},
        {QStringList{"import", path, path} + rest, 2, "unknown argument"},
        {QStringList{"import", path, "--bulstat", "123456786"}, 2, "--company is required"},
    };
    for (const auto& c : cases) {
        const test::ToolRun run = test::RunTool(c.args);
        EXPECT_EQ(run.code, c.code) << c.args.join(u' ').toStdString() << "\n" << run.err;
        EXPECT_NE(run.err.find(c.says), std::string::npos) << run.err;
    }
    EXPECT_EQ(dataFiles(), 2);
}

// After the closing entries classes 6 and 7 have no balances and 123 holds
// the result (a credit balance a profit): it goes to the current profit, and
// the income statement is filled from the turnovers when the file has them and
// they give 123's balance; else it is not filled, and the exit says so.
TEST_F(ImportCommandTest, AfterTheClosingEntriesTheResultIsReadFrom123)
{
    const struct
    {
        const char* fixture;
        int code;
        qint64 profit; // Bal row 750
        bool income;   // the income statement filled
        const char* says;
    } cases[] = {
        {"closed.csv", 3, 2000, false,
         "warning: Отчетът за приходите и разходите не е попълнен: "
         "ведомостта е след приключването"},
        {"closed-turnovers.tsv", 0, 2000, true, ""},
        {"closed-unexplained.tsv", 3, 2500, false,
         "оборотите на сметките от групи 6 и 7 дават резултат 2\u00a0000,40, а салдото на сметка "
         "123 е 2\u00a0500,40"},
        // A producer's work in progress (611, on the balance sheet by the map)
        // keeps its balance after the closing entries: that is no balance of
        // an expense. The turnovers leave out the change in stocks, so they
        // do not give 123's balance.
        {"producing-closed.tsv", 3, 2900, false,
         "оборотите на сметките от групи 6 и 7 дават резултат 2\u00a0100,40, а салдото на сметка "
         "123 е 2\u00a0900,40"},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.fixture);
        for (const QString& name :
             QDir(dir.filePath(QStringLiteral("Data"))).entryList(QDir::Files))
            QFile::remove(dir.filePath(QStringLiteral("Data/") + name));
        const test::ToolRun run = importFixture(c.fixture, {});
        EXPECT_EQ(run.code, c.code) << run.err;
        EXPECT_NE(run.err.find(c.says), std::string::npos) << run.err;
        const Statement bal = statement("Bal");
        EXPECT_EQ(amount(bal, 750, "DocDta_Sum3"), c.profit);
        EXPECT_EQ(amount(bal, 575, "DocDta_Sum3"), amount(bal, 995, "DocDta_Sum3"));
        EXPECT_EQ(dataFiles(), c.income ? 2 : 1);
        if (c.income) {
            const Statement opr = statement("OPR");
            EXPECT_EQ(amount(opr, 50, "DocDta_Sum1"), 7000);  // 602's debit turnover
            EXPECT_EQ(amount(opr, 390, "DocDta_Sum1"), 9000); // 702's credit turnover
            EXPECT_EQ(check().code, 0) << check().out;
        }
    }
}

// An existing data file is a correction: the imported amounts replace the
// mapped cells, a mapped cell whose accounts have no balance now is emptied
// (the depreciation's "Коректив", last import's profit when there is now a
// loss), and what the map does not name stays (a typed comparative).
TEST_F(ImportCommandTest, ACorrectionReplacesTheMappedCellsAndKeepsTheRest)
{
    ASSERT_EQ(import(kProfit).code, 0);
    const test::ToolRun typed =
        test::RunTool({"fill", "--type", "Bal", "--bulstat", "123456786", "--company", "Алфа ООД",
                       "--year", "2025", "--month", "12", "--folder", dir.path(), "--set",
                       "530:DocDta_PrevYear=777", "--set", "610:DocDta_PrevYear=777"});
    ASSERT_EQ(typed.code, 0) << typed.err;

    const test::ToolRun run = import(kLoss);
    EXPECT_EQ(run.code, 0) << run.err;
    EXPECT_EQ(dataFiles(), 4); // the two statements and their previous versions
    const Statement bal = statement("Bal");
    const auto empty = [&](int id, const char* field) {
        return bal.amount(id, QString::fromLatin1(field)).value_or(0) == 0;
    };
    EXPECT_TRUE(empty(50, "DocDta_Sum2"));
    EXPECT_TRUE(empty(50, "DocDta_Sum3"));
    EXPECT_TRUE(empty(750, "DocDta_Sum3"));
    EXPECT_EQ(amount(bal, 760, "DocDta_Sum3"), -1200);
    EXPECT_EQ(amount(bal, 530, "DocDta_Sum3"), 800);
    EXPECT_EQ(amount(bal, 530, "DocDta_PrevYear"), 777);
    EXPECT_EQ(amount(bal, 995, "DocDta_PrevYear"), 777);
    EXPECT_EQ(amount(bal, 575, "DocDta_Sum3"), amount(bal, 995, "DocDta_Sum3"));
    const Statement opr = statement("OPR");
    EXPECT_EQ(amount(opr, 390, "DocDta_Sum1"), 0); // 702 had 9 000, now nothing
    EXPECT_EQ(check().code, 0) << check().out;
}

// A new statement takes its comparatives from last year's files beside it, as
// typing it would, and the controls over the comparatives agree.
TEST_F(ImportCommandTest, ANewStatementTakesLastYearsComparatives)
{
    year = QStringLiteral("2024");
    ASSERT_EQ(import(kProfit).code, 0);
    const Statement lastBal = statement("Bal");
    const Statement lastOpr = statement("OPR");
    year = QStringLiteral("2025");
    const test::ToolRun run = import(kLoss);
    EXPECT_EQ(run.code, 0) << run.err; // no findings: the comparative controls agree
    const Statement bal = statement("Bal");
    for (const int id : {50, 350, 530, 575, 750, 995})
        EXPECT_EQ(amount(bal, id, "DocDta_PrevYear"), amount(lastBal, id, "DocDta_Sum3")) << id;
    const Statement opr = statement("OPR");
    for (const int id : {40, 50, 330, 390})
        EXPECT_EQ(amount(opr, id, "DocDta_PrevYear"), amount(lastOpr, id, "DocDta_Sum1")) << id;
}

// Nothing is written unless every statement can be: a folder where the
// income statement's file would go stops it before the balance sheet is
// written; a save that fails after the balance sheet's (the income
// statement's previous version cannot be kept, a folder stands where it
// goes) puts the balance sheet back as it was: a new file removed, a
// corrected one with its old bytes and its own previous version.
TEST_F(ImportCommandTest, WritesEveryStatementOrNone)
{
    const QString data = dir.filePath(QStringLiteral("Data"));
    const QString bal = data + QStringLiteral("/VELDOR_Bal_123456786_2025_12.xml");
    const QString opr = data + QStringLiteral("/VELDOR_OPR_123456786_2025_12.xml");

    ASSERT_TRUE(QDir().mkpath(opr));
    test::ToolRun run = import(kProfit);
    EXPECT_EQ(run.code, 1) << run.err;
    EXPECT_FALSE(QFileInfo::exists(bal));
    ASSERT_TRUE(QDir(opr).removeRecursively());

    const struct
    {
        const char* name;
        bool balThere;  // the balance sheet is a correction
        bool balBackup; // and has a previous version of its own
    } cases[] = {{"new balance sheet", false, false},
                 {"corrected balance sheet", true, false},
                 {"corrected balance sheet with its .bak", true, true}};
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        for (const QString& name : QDir(data).entryList(QDir::Files))
            QFile::remove(data + u'/' + name);
        QDir(opr + QStringLiteral(".bak")).removeRecursively();
        ASSERT_EQ(import(kLoss).code, 0);
        if (!c.balThere) {
            ASSERT_TRUE(QFile::remove(bal));
        }
        if (c.balBackup) {
            ASSERT_TRUE(test::writeAll(bal + QStringLiteral(".bak"), "old"));
        }
        ASSERT_TRUE(QDir().mkpath(opr + QStringLiteral(".bak")));
        const QByteArray balBytes = c.balThere ? test::readAll(bal) : QByteArray();
        const QByteArray oprBytes = test::readAll(opr);

        run = import(kProfit);
        EXPECT_EQ(run.code, 1) << run.err;
        EXPECT_NE(run.err.find("OPR:"), std::string::npos) << run.err;
        EXPECT_EQ(QFileInfo::exists(bal), c.balThere);
        if (c.balThere) {
            EXPECT_EQ(test::readAll(bal), balBytes);
        }
        EXPECT_EQ(QFileInfo::exists(bal + QStringLiteral(".bak")), c.balBackup);
        if (c.balBackup) {
            EXPECT_EQ(test::readAll(bal + QStringLiteral(".bak")), QByteArray("old"));
        }
        EXPECT_EQ(test::readAll(opr), oprBytes);
    }
}

// The filing's controls run once over what was saved: a finding is printed
// once, not once for each statement that reads it, and the exit says so.
TEST_F(ImportCommandTest, TheFilingsControlsAreFindingsPrintedOnce)
{
    const QString map = dir.filePath(QStringLiteral("own.txt"));
    // The result into retained earnings: the balance sheet balances, but its
    // current result is not the income statement's.
    ASSERT_TRUE(
        test::writeAll(map, "result | result | Bal[720].DocDta_Sum3 | Bal[720].DocDta_Sum3\n"));
    const test::ToolRun run = import(kProfit, {"--accounts", map});
    EXPECT_EQ(run.code, 3) << run.err;
    const std::string control = "control: Текущият финансов резултат в баланса";
    const size_t first = run.err.find(control);
    ASSERT_NE(first, std::string::npos) << run.err;
    EXPECT_EQ(run.err.find(control, first + 1), std::string::npos) << run.err;
    EXPECT_EQ(run.err.find("warning:"), std::string::npos) << run.err;
    EXPECT_EQ(dataFiles(), 2);
}

} // namespace
