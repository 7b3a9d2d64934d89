// The control table: its reading, every shipped control against the shipped
// templates (its rows exist, it agrees on an empty filing and catches a
// difference), and the run over a filing.
#include "checks/Controls.h"

#include "checks/ControlRun.h"
#include "checks/Statement.h"
#include "selection/Catalogue.h"
#include "tests/support/TestFiles.h"
#include "xmlfiles/Rowset.h"

#include <QDir>

#include <deque>

#include <gtest/gtest.h>

using namespace telm;

namespace {

// An empty statement of a type as its shipped template lays it out.
Statement shippedStatement(const QString& code)
{
    const DocType* type = DocTypeByCode(code);
    Rowset rowset;
    EXPECT_FALSE(LoadRowset(test::sourceData(QString::fromLatin1(type->templateFile)), rowset))
        << code.toStdString();
    Statement s;
    ReadRows(rowset, s);
    s.type = type;
    s.path = code + QStringLiteral(".xml");
    s.bulstat = QStringLiteral("123456786");
    s.year = QStringLiteral("2025");
    s.month = QStringLiteral("12");
    return s;
}

void setAmount(Statement& s, int id, const QString& field, qint64 value)
{
    const auto row = s.rowById.find(id);
    ASSERT_NE(row, s.rowById.end()) << id;
    const qsizetype column = s.allAmountFields().indexOf(field);
    ASSERT_GE(column, 0) << field.toStdString();
    s.rows[row->second].amounts[column] = QString::number(value);
}

const ControlTable& shippedTable()
{
    static const ControlTable table = [] {
        ControlTable t;
        const auto error = LoadControls(test::sourceData(QStringLiteral("Blanki/Checks.txt")), t);
        EXPECT_FALSE(error) << (error ? error->message.toStdString() : std::string());
        return t;
    }();
    return table;
}

const auto plain = [](qint64 value) { return QString::number(value); };

TEST(ControlTable, BadLinesAreNamedWithTheirLine)
{
    const struct
    {
        const char* line;
        const char* says;
    } cases[] = {
        {"a | Bal[1].DocDta_Sum1 = Bal[2].DocDta_Sum1", "name | comparison | message"},
        {"a | Foo[1].DocDta_Sum1 = Bal[2].DocDta_Sum1 | m", "unknown document code Foo"},
        {"a | Bal[1].DocDta_Sum1 Bal[2].DocDta_Sum1 | m", "one = or <="},
        {"a | Bal[1].DocDta_Sum1 = Bal[2].DocDta_Sum1 = Bal[3].DocDta_Sum1 | m", "one = or <="},
        {"a | Bal[1].DocDta_Sum1 Bal[3].DocDta_Sum1 = Bal[2].DocDta_Sum1 | m", "without + or -"},
        {"a | Bal[x].DocDta_Sum1 = Bal[2].DocDta_Sum1 | m", "cannot read a term"},
        {"a | Bal[1].Sum1 = Bal[2].DocDta_Sum1 | m", "cannot read a term"},
        {"a | Bal[1].* = Bal[2].DocDta_Sum1 | m", "* must be"},
        {"a | Bal[1].* = OPR[2].* | m", "* must be"},
        {"A b | Bal[1].DocDta_Sum1 = Bal[2].DocDta_Sum1 | m", "a name is"},
        {"a | Bal[1].DocDta_Sum1 = Bal[2].DocDta_Sum1 |  ", "no message"},
        {"a | 0 = 0 | m", "0 with 0"},
        {"a | Bal[1].DocDta_Sum1 <= 0 + Bal[2].DocDta_Sum1 | m", "cannot read a term"},
        // A row too big to read is refused, never taken as row 0.
        {"a | Bal[99999999999].DocDta_Sum1 = Bal[2].DocDta_Sum1 | m", "not a row identifier"},
        {"a | Bal[40000].DocDta_Sum1 = Bal[2].DocDta_Sum1 | m", "not a row identifier"},
        // Row by row: every term [*], each with its field named.
        {"a | Bal[*].DocDta_PrevYear = Bal@-1[10].DocDta_Sum3 | m", "[*] must be"},
        {"a | Bal[*].* = Bal@-1[*].* | m", "[*] must be"},
        {"a | Bal@-2[*].DocDta_Sum3 = Bal[*].DocDta_Sum3 | m", "cannot read a term"},
        {"a | Bal[1].DocDta_Prev = Bal[2].DocDta_Sum1 | m", "cannot read a term"},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.line);
        ControlTable table;
        const QString text = QStringLiteral("# comment\n\n") + QString::fromUtf8(c.line);
        const std::optional<ControlsError> error =
            ParseControls(text, QStringLiteral("C.txt"), table);
        ASSERT_TRUE(error);
        EXPECT_TRUE(error->message.startsWith(QStringLiteral("C.txt:3: ")))
            << error->message.toStdString();
        EXPECT_TRUE(error->message.contains(QString::fromUtf8(c.says)))
            << error->message.toStdString();
        EXPECT_TRUE(table.empty());
    }
    ControlTable table;
    const auto twice =
        ParseControls(QStringLiteral("a | Bal[1].DocDta_Sum1 = Bal[2].DocDta_Sum1 | m\n"
                                     "a | Bal[1].DocDta_Sum1 <= Bal[2].DocDta_Sum1 | m"),
                      QStringLiteral("C.txt"), table);
    ASSERT_TRUE(twice);
    EXPECT_TRUE(twice->message.contains(QStringLiteral("C.txt:2: the name a is used twice")));
}

TEST(ControlTable, ReadsSignsOperatorsAndColumns)
{
    ControlTable table;
    ASSERT_FALSE(ParseControls(
        QStringLiteral(
            "x | Bal[750].DocDta_Sum3 - Bal[760].DocDta_Sum3 = -OPR[330].DocDta_Sum1 | m1\n"
            "y | Take[30].* + Take[40].* <= Take[20].* | m2\n"
            "z | 0 <= Bal[750].* | m3\n"),
        QStringLiteral("C.txt"), table));
    ASSERT_EQ(table.size(), 3u);
    const Control& x = table[0];
    ASSERT_EQ(x.left.size(), 2u);
    EXPECT_EQ(x.left[1].sign, -1);
    EXPECT_EQ(x.left[1].row, 760);
    EXPECT_EQ(x.right[0].sign, -1);
    EXPECT_EQ(x.right[0].code, QStringLiteral("OPR"));
    EXPECT_EQ(x.op, ControlOp::Equal);
    EXPECT_EQ(x.codes(), (std::vector<QString>{QStringLiteral("Bal"), QStringLiteral("OPR")}));
    EXPECT_FALSE(x.columnByColumn());
    EXPECT_EQ(table[1].op, ControlOp::NotGreater);
    EXPECT_TRUE(table[1].columnByColumn());
    EXPECT_EQ(table[1].line, 2);
    EXPECT_TRUE(table[2].left.empty()); // held to zero
    EXPECT_TRUE(table[2].columnByColumn());
    EXPECT_EQ(table[2].codes(), std::vector<QString>{QStringLiteral("Bal")});
}

// Every row a shipped control reads is in the shipped template of its type,
// with the field it names: a mistyped identifier fails here, not at a user's.
TEST(ShippedControls, ReadRowsAndFieldsThatExist)
{
    ASSERT_FALSE(shippedTable().empty());
    for (const Control& control : shippedTable()) {
        SCOPED_TRACE(control.name.toStdString());
        for (const auto* side : {&control.left, &control.right}) {
            for (const ControlTerm& term : *side) {
                const Statement s = shippedStatement(term.code);
                const QString field =
                    term.field == QLatin1String("*") ? s.amountFields.first() : term.field;
                const int row = term.everyRow ? s.rows.front().id.toInt() : term.row;
                // The field itself, not only an amount an older file would read as 0.
                EXPECT_TRUE(s.amount(row, field) && s.allAmountFields().contains(field))
                    << term.code.toStdString() << "[" << row << "]." << field.toStdString();
            }
        }
    }
}

TEST(Statement, AnAmountFieldAnOlderFileLacksReadsAsZero)
{
    Statement s = shippedStatement(QStringLiteral("Cap"));
    setAmount(s, 10, QStringLiteral("DocDta_Sum9"), 90);
    EXPECT_EQ(s.amount(10, QStringLiteral("DocDta_Sum9")), 90);
    EXPECT_EQ(s.amount(10, QStringLiteral("DocDta_Sum11")), 0);  // not in the file: empty
    EXPECT_FALSE(s.amount(10, QStringLiteral("DocStr_Note")));   // no amount field
    EXPECT_FALSE(s.amount(9999, QStringLiteral("DocDta_Sum1"))); // no such row
}

// Each shipped control agrees on an empty filing and fails, naming the
// difference, once one amount it reads is 1 000 more.
TEST(ShippedControls, EachAgreesWhenEmptyAndCatchesADifference)
{
    for (const Control& control : shippedTable()) {
        SCOPED_TRACE(control.name.toStdString());
        std::deque<Statement> statements;
        std::vector<const Statement*> filing;
        std::vector<const Statement*> lastYear;
        std::vector<ControlTerm> refs = control.statements();
        for (const ControlTerm& ref : refs) {
            statements.push_back(shippedStatement(ref.code));
            if (ref.yearsBack > 0)
                statements.back().year = QStringLiteral("2024");
            (ref.yearsBack > 0 ? lastYear : filing).push_back(&statements.back());
        }
        ControlTable one{control};
        int ran = 0;
        EXPECT_TRUE(RunControls(one, filing, nullptr, &ran, lastYear).empty());
        EXPECT_GT(ran, 0);

        const ControlTerm& term = control.left.front();
        Statement& first = statements[static_cast<size_t>(
            std::find_if(refs.begin(), refs.end(),
                         [&](const ControlTerm& r) { return r.sameStatement(term); })
            - refs.begin())];
        const QString field =
            term.field == QLatin1String("*") ? first.amountFields.first() : term.field;
        const int row = term.everyRow ? first.rows.back().id.toInt() : term.row;
        setAmount(first, row, field, term.sign * 1000);
        const std::vector<ControlFailure> failures =
            RunControls(one, filing, nullptr, nullptr, lastYear);
        ASSERT_EQ(failures.size(), 1u);
        EXPECT_EQ(failures[0].left - failures[0].right, 1000);
        EXPECT_TRUE(failures[0].problem.isEmpty());
        const QString text = DescribeFailure(failures[0], plain);
        EXPECT_TRUE(text.startsWith(control.message)) << text.toStdString();
        EXPECT_TRUE(text.endsWith(QStringLiteral(", разлика 1000"))) << text.toStdString();
    }
}

// A row the form subtracts, typed positive by mistake, is caught on its own
// statement; typed negative, as the form asks, it passes.
TEST(ShippedControls, ALossTypedPositiveIsCaughtOnTheBalanceAlone)
{
    Statement bal = shippedStatement(QStringLiteral("Bal"));
    setAmount(bal, 760, QStringLiteral("DocDta_Sum3"), -3);
    EXPECT_TRUE(RunControls(shippedTable(), {&bal}).empty());

    setAmount(bal, 760, QStringLiteral("DocDta_Sum3"), 3);
    const std::vector<ControlFailure> failures = RunControls(shippedTable(), {&bal});
    ASSERT_EQ(failures.size(), 1u);
    EXPECT_EQ(failures[0].control->name, QStringLiteral("bal-loss-sign"));
    const QString text = DescribeFailure(failures[0], plain);
    EXPECT_TRUE(text.contains(QStringLiteral("„Текуща загуба“"))) << text.toStdString();
    EXPECT_TRUE(text.endsWith(QStringLiteral(", колона 3: 3 > 0, разлика 3")))
        << text.toStdString();
}

class ControlRunTest : public ::testing::Test
{
protected:
    void SetUp() override
    {
        ASSERT_FALSE(ParseControls(
            QStringLiteral(
                "result | Bal[750].DocDta_Sum3 + Bal[760].DocDta_Sum3 = OPR[330].DocDta_Sum1 - "
                "OPR[570].DocDta_Sum1 | Резултатът не е равен\n"
                "closing | Cap[170].* = Cap[10].* + Cap[50].* | Салдото не е равно\n"),
            QStringLiteral("C.txt"), table));
    }

    ControlTable table;
    Statement bal = shippedStatement(QStringLiteral("Bal"));
    Statement opr = shippedStatement(QStringLiteral("OPR"));
    Statement cap = shippedStatement(QStringLiteral("Cap"));
};

TEST_F(ControlRunTest, ALossAgreesAndADifferenceIsWordedWithBothAmounts)
{
    setAmount(bal, 760, QStringLiteral("DocDta_Sum3"), -250); // a loss, typed negative
    setAmount(opr, 570, QStringLiteral("DocDta_Sum1"), 250);
    EXPECT_TRUE(RunControls(table, {&bal, &opr}).empty());

    setAmount(bal, 750, QStringLiteral("DocDta_Sum3"), 1250);
    const std::vector<ControlFailure> failures = RunControls(table, {&bal, &opr});
    ASSERT_EQ(failures.size(), 1u);
    EXPECT_EQ(failures[0].statements, (std::vector<const Statement*>{&bal, &opr}));
    // The amounts are written as the caller writes numbers.
    const auto marked = [](qint64 v) { return QStringLiteral("<%1>").arg(v); };
    EXPECT_EQ(DescribeFailure(failures[0], marked),
              QStringLiteral("Резултатът не е равен: <1000> ≠ <-250>, разлика <1250>"));
}

TEST_F(ControlRunTest, ColumnByColumnNamesTheColumn)
{
    setAmount(cap, 10, QStringLiteral("DocDta_Sum1"), 500);
    setAmount(cap, 170, QStringLiteral("DocDta_Sum1"), 500);
    setAmount(cap, 50, QStringLiteral("DocDta_Sum7"), 80);
    int ran = 0;
    const std::vector<ControlFailure> failures = RunControls(table, {&cap}, nullptr, &ran);
    EXPECT_EQ(ran, 10); // one comparison per amount column
    ASSERT_EQ(failures.size(), 1u);
    EXPECT_EQ(failures[0].field, QStringLiteral("DocDta_Sum7"));
    EXPECT_EQ(DescribeFailure(failures[0], plain),
              QStringLiteral("Салдото не е равно, колона 7: 0 ≠ 80, разлика -80"));
}

TEST_F(ControlRunTest, OnlyCompleteFilingsAndTheSavedStatementsControlsRun)
{
    setAmount(bal, 750, QStringLiteral("DocDta_Sum3"), 10);
    setAmount(cap, 170, QStringLiteral("DocDta_Sum1"), 10);
    // Without the income statement the result is not compared.
    EXPECT_TRUE(RunControls(table, {&bal}).empty());
    // With it, both disagreements; involving the balance, only its own.
    EXPECT_EQ(RunControls(table, {&bal, &opr, &cap}).size(), 2u);
    const std::vector<ControlFailure> forBalance = RunControls(table, {&bal, &opr, &cap}, &bal);
    ASSERT_EQ(forBalance.size(), 1u);
    EXPECT_EQ(forBalance[0].control->name, QStringLiteral("result"));
}

TEST_F(ControlRunTest, AMissingRowOrATypeGivenTwiceIsAProblemNotAPass)
{
    Statement old = opr;
    old.rowById.erase(570); // a file from a template without the row
    std::vector<ControlFailure> failures = RunControls(table, {&bal, &old});
    ASSERT_EQ(failures.size(), 1u);
    EXPECT_EQ(failures[0].problem, QStringLiteral("в OPR няма ред 570 с поле DocDta_Sum1"));
    EXPECT_TRUE(
        DescribeFailure(failures[0], plain).contains(QStringLiteral("не може да се провери")));

    failures = RunControls(table, {&bal, &opr, &opr});
    ASSERT_EQ(failures.size(), 1u);
    EXPECT_TRUE(failures[0].problem.contains(QStringLiteral("OPR е подаден повече от веднъж")));
}

// A long side reads in time linear in its length, and a sum beyond what a
// 64-bit total holds is a problem, never a wrapped-round number.
TEST_F(ControlRunTest, LongSidesAndSumsBeyondTheRangeOfAmounts)
{
    QStringList terms;
    for (int k = 0; k < 40000; ++k)
        terms << QStringLiteral("Bal[40].DocDta_Sum3");
    ControlTable longTable;
    ASSERT_FALSE(ParseControls(QStringLiteral("long | %1 = Bal[50].DocDta_Sum3 | Дълъг")
                                   .arg(terms.join(QStringLiteral(" + "))),
                               QStringLiteral("C.txt"), longTable));
    ASSERT_EQ(longTable.front().left.size(), 40000u);
    setAmount(bal, 40, QStringLiteral("DocDta_Sum3"), 2);
    setAmount(bal, 50, QStringLiteral("DocDta_Sum3"), 80000);
    EXPECT_TRUE(RunControls(longTable, {&bal}).empty());

    setAmount(bal, 40, QStringLiteral("DocDta_Sum3"), (qint64(1) << 53) - 1);
    const std::vector<ControlFailure> failures = RunControls(longTable, {&bal});
    ASSERT_EQ(failures.size(), 1u);
    EXPECT_TRUE(failures[0].problem.contains(QStringLiteral("надхвърля")))
        << failures[0].problem.toStdString();
}

// Comparatives against last year's statements: row by row over the rows both
// years have, naming the row; column by column for the equity statement's
// opening; nothing compared without last year's statement.
TEST_F(ControlRunTest, ComparativesAgainstLastYearNameTheRow)
{
    ControlTable comparatives;
    ASSERT_FALSE(ParseControls(
        QStringLiteral("bal-prev | Bal[*].DocDta_PrevYear = Bal@-1[*].DocDta_Sum3 | Сравнителни\n"
                       "cap-open | Cap[10].* = Cap@-1[200].* | Салдо в началото\n"),
        QStringLiteral("C.txt"), comparatives));
    EXPECT_TRUE(comparatives[0].rowByRow());
    EXPECT_TRUE(comparatives[0].readsLastYear());
    EXPECT_EQ(comparatives[0].statements().size(), 2u);
    EXPECT_EQ(comparatives[0].codes(), std::vector<QString>{QStringLiteral("Bal")});

    Statement lastBal = bal;
    Statement lastCap = cap;
    lastBal.year = lastCap.year = QStringLiteral("2024");
    EXPECT_TRUE(LastYearOf(lastBal, bal));
    EXPECT_FALSE(LastYearOf(bal, lastBal));
    setAmount(lastBal, 40, QStringLiteral("DocDta_Sum3"), 700);
    setAmount(bal, 40, QStringLiteral("DocDta_PrevYear"), 700);
    setAmount(lastCap, 200, QStringLiteral("DocDta_Sum2"), 90);
    setAmount(cap, 10, QStringLiteral("DocDta_Sum2"), 90);
    int ran = 0;
    EXPECT_TRUE(
        RunControls(comparatives, {&bal, &cap}, nullptr, &ran, {&lastBal, &lastCap}).empty());
    // The rows without rows under them, then the ten columns.
    EXPECT_GT(ran, 10 + 40);
    EXPECT_LT(ran, static_cast<int>(bal.rows.size()) + 10);
    // Without last year's statements there is nothing to compare with.
    EXPECT_TRUE(RunControls(comparatives, {&bal, &cap}).empty());

    setAmount(bal, 40, QStringLiteral("DocDta_PrevYear"), 750);
    setAmount(cap, 10, QStringLiteral("DocDta_Sum2"), 0);
    const std::vector<ControlFailure> failures =
        RunControls(comparatives, {&bal, &cap}, nullptr, nullptr, {&lastBal, &lastCap});
    ASSERT_EQ(failures.size(), 2u);
    EXPECT_EQ(failures[0].row, 40);
    EXPECT_EQ(failures[0].statements, (std::vector<const Statement*>{&bal, &lastBal}));
    const QString text = DescribeFailure(failures[0], plain);
    EXPECT_TRUE(text.startsWith(QStringLiteral("Сравнителни, ред 40 „1. Земи (терени)“")));
    EXPECT_TRUE(text.endsWith(QStringLiteral(": 750 ≠ 700, разлика 50"))) << text.toStdString();
    EXPECT_EQ(failures[1].field, QStringLiteral("DocDta_Sum2"));

    // A row last year's file lacks is not compared.
    lastBal.rowById.erase(40);
    EXPECT_EQ(RunControls(comparatives, {&bal}, nullptr, nullptr, {&lastBal}).size(), 0u);
}

TEST(Filings, GroupByCompanyPeriodAndKind)
{
    std::vector<Statement> statements(5);
    const char* keys[][3] = {{"1", "2025", "12"},
                             {"1", "2025", "12"},
                             {"1", "2025", "6"},
                             {"2", "2025", "12"},
                             {"1", "2025", "12"}};
    for (std::size_t i = 0; i < statements.size(); ++i) {
        statements[i].bulstat = QString::fromLatin1(keys[i][0]);
        statements[i].year = QString::fromLatin1(keys[i][1]);
        statements[i].month = QString::fromLatin1(keys[i][2]);
    }
    statements[4].forecast = true;
    const auto groups = GroupByFiling(statements);
    ASSERT_EQ(groups.size(), 4u);
    EXPECT_EQ(groups[0], (std::vector<const Statement*>{&statements[0], &statements[1]}));
    EXPECT_EQ(groups[3], (std::vector<const Statement*>{&statements[4]}));
}

} // namespace
