// Comparatives carried from last year's data file into a new document (every
// row by level and identifier, totals included), refused from a file that
// does not verify or is another company's, typed where there is none, kept by
// a correction and taken again on request; the equity statement's opening
// balance from last year's restated closing balance.
#include "checks/Controls.h"
#include "editor/AmountText.h"
#include "editor/DocumentEngine.h"
#include "editor/DocumentFill.h"
#include "editor/SaveControls.h"
#include "selection/Catalogue.h"
#include "selection/DataFileName.h"
#include "selection/DocumentContext.h"
#include "selection/DocumentOpening.h"
#include "tests/editor/SavedDocuments.h"
#include "tests/support/TestFiles.h"

#include <QDir>
#include <QFile>
#include <QTemporaryDir>

#include <algorithm>

#include <gtest/gtest.h>

using namespace telm;
using test::amount;
using test::rowOf;

namespace {

const QString kBulstat = QStringLiteral("123456786");

class Comparatives : public ::testing::Test
{
protected:
    void SetUp() override
    {
        ASSERT_TRUE(dir.isValid());
        ASSERT_TRUE(test::makeProgramFolder(dir.path()));
        state.FilePrefix = kFilePrefix;
        state.programFolder = dir.path();
    }

    // telmtool fill's road: a new document of the year, entries "id:field=amount".
    FillResult fill(const QString& code, const QString& year, const QStringList& sets,
                    const QString& bulstat = kBulstat)
    {
        FillRequest request;
        request.typeCode = code;
        request.bulstat = bulstat;
        request.company = QStringLiteral("Фирма ООД");
        request.year = year;
        request.month = QStringLiteral("12");
        request.programFolder = dir.path();
        for (const QString& set : sets) {
            const QString id = set.section(u':', 0, 0);
            const QString field = set.section(u':', 1).section(u'=', 0, 0);
            const QString amount = set.section(u'=', 1);
            request.entries.push_back({id, field, amount, set});
        }
        const FillResult result = RunFill(request);
        EXPECT_EQ(result.status, FillResult::Status::Saved) << result.error.toStdString();
        EXPECT_TRUE(result.refused.isEmpty()) << result.refused.join(u'\n').toStdString();
        return result;
    }

    QString path(const QString& code, const QString& year, const QString& bulstat = kBulstat) const
    {
        return QDir::toNativeSeparators(
            dir.filePath(QStringLiteral("Data/VELDOR_%1_%2_%3_12.xml").arg(code, bulstat, year)));
    }

    std::unique_ptr<DocumentEngine> reopen(const QString& file)
    {
        return test::ReopenSaved(state, file);
    }

    // Every row of `now` has in `previousColumn` what `before` has in `currentColumn`.
    static void expectCarried(const GridModel& before, int currentColumn, const GridModel& now,
                              int previousColumn)
    {
        ASSERT_EQ(before.Rows(), now.Rows());
        for (int r = now.FixedRows(); r < now.Rows(); ++r)
            EXPECT_EQ(AmountOrZero(now.TextMatrix(r, previousColumn)),
                      AmountOrZero(before.TextMatrix(r, currentColumn)))
                << "row " << now.TextMatrix(r, 2).toStdString();
    }

    QTemporaryDir dir;
    AppState state;
};

} // namespace

TEST(PreviousYearPath, IsTheSameNameAYearBefore)
{
    EXPECT_EQ(PreviousYearPath(QStringLiteral("/d/VELDOR_Bal_123456786_2025_12.xml")),
              QDir::toNativeSeparators(QStringLiteral("/d/VELDOR_Bal_123456786_2024_12.xml")));
    EXPECT_EQ(PreviousYearPath(QStringLiteral("/d/VELDOR_P_Bal_123456786_2025_6.xml")),
              QDir::toNativeSeparators(QStringLiteral("/d/VELDOR_P_Bal_123456786_2024_6.xml")));
    for (const char* name : {"/d/Bal_2025_12.xml", "/d/VELDOR_Bal_123456786_x25_12.xml",
                             "/d/VELDOR_Bal_123456786_2025_12.txt", "/d/testdata_Bal.xml"})
        EXPECT_TRUE(PreviousYearPath(QString::fromUtf8(name)).isEmpty()) << name;
}

// Current-year amounts of every statement with comparatives become next year's
// previous-year amounts, totals and computed results included.
struct CarryCase
{
    const char* code;
    QStringList sets;
    std::vector<std::pair<int, int>> columns; // current column -> previous column
};

class CarriedFromLastYear : public Comparatives, public ::testing::WithParamInterface<CarryCase>
{
};

TEST_P(CarriedFromLastYear, EveryRowAndTotal)
{
    const CarryCase& c = GetParam();
    const QString code = QString::fromLatin1(c.code);
    fill(code, QStringLiteral("2024"), c.sets);
    const FillResult next = fill(code, QStringLiteral("2025"), {});
    EXPECT_FALSE(next.warnings.join(u'\n').contains(QStringLiteral("Сравнителните")));
    const auto before = reopen(path(code, QStringLiteral("2024")));
    ASSERT_TRUE(before);
    const auto now = reopen(path(code, QStringLiteral("2025")));
    ASSERT_TRUE(now);
    EXPECT_FALSE(now->typedComparatives());
    for (const auto& [current, previous] : c.columns) {
        expectCarried(before->grid(), current, now->grid(), previous);
        EXPECT_FALSE(now->canEdit(now->grid().FixedRows() + 1, previous)); // carried, not typed
    }
}

INSTANTIATE_TEST_SUITE_P(
    Statements, CarriedFromLastYear,
    ::testing::Values(
        // Land and cash; capital: the totals of both sides come along.
        CarryCase{"Bal",
                  {"40:DocDta_Sum3=1 200", "510:DocDta_Sum3=300", "610:DocDta_Sum3=1500"},
                  {{7, 10}}},
        // Expenses and revenue: the results the Sum computes come along too.
        CarryCase{"OPR", {"40:DocDta_Sum1=300", "50:DocDta_Sum1=(20)"}, {{5, 8}}},
        // Receipts, payments and the net flow each to their own previous field.
        CarryCase{"OPP",
                  {"20:DocDta_Sum1=500", "20:DocDta_Sum2=200", "120:DocDta_Sum2=70"},
                  {{5, 10}, {6, 11}, {7, 12}}}),
    [](const auto& info) { return std::string(info.param.code); });

TEST_F(Comparatives, TypedWhereThereIsNoFileOfLastYearSavedReopenedAndTotalled)
{
    const FillResult result =
        fill(QStringLiteral("Bal"), QStringLiteral("2025"),
             {"40:DocDta_Sum3=100", "40:DocDta_PrevYear=1 234", "50:DocDta_PrevYear=(34)"});
    const auto engine = reopen(path(QStringLiteral("Bal"), QStringLiteral("2025")));
    ASSERT_TRUE(engine);
    const GridModel& grid = engine->grid();
    EXPECT_TRUE(engine->typedComparatives());
    EXPECT_EQ(AmountOrZero(grid.TextMatrix(rowOf(grid, 40), 10)), 1234);
    EXPECT_EQ(AmountOrZero(grid.TextMatrix(rowOf(grid, 50), 10)), -34);
    EXPECT_EQ(AmountOrZero(grid.TextMatrix(rowOf(grid, 30), 10)), 1200); // the group's total
    EXPECT_EQ(AmountOrZero(grid.TextMatrix(rowOf(grid, 10), 10)), 1200); // АКТИВ
    EXPECT_EQ(AmountOrZero(grid.TextMatrix(rowOf(grid, 40), 7)), 100);
    // A group's previous year is its total, not typed.
    EXPECT_FALSE(engine->canEdit(rowOf(grid, 30), 10));
    EXPECT_TRUE(engine->canEdit(rowOf(grid, 40), 10));
}

TEST_F(Comparatives, TypedComparativesAreRefusedWhereLastYearsFileGivesThem)
{
    fill(QStringLiteral("Bal"), QStringLiteral("2024"), {"40:DocDta_Sum3=5"});
    FillRequest request;
    request.typeCode = QStringLiteral("Bal");
    request.bulstat = kBulstat;
    request.company = QStringLiteral("Фирма ООД");
    request.year = QStringLiteral("2025");
    request.month = QStringLiteral("12");
    request.programFolder = dir.path();
    request.entries.push_back({QStringLiteral("40"), QStringLiteral("DocDta_PrevYear"),
                               QStringLiteral("7"), QStringLiteral("--set 40:DocDta_PrevYear=7")});
    const FillResult result = RunFill(request);
    ASSERT_EQ(result.status, FillResult::Status::Saved);
    ASSERT_EQ(result.refused.size(), 1);
    EXPECT_TRUE(result.refused[0].contains(QStringLiteral("cannot be typed into")));
}

// A file beside it that cannot be believed gives nothing, and the message
// names it and says why; the previous year is then typed.
struct RefusedCase
{
    const char* name;
    const char* why;
};

class RefusedPreviousFile : public Comparatives, public ::testing::WithParamInterface<RefusedCase>
{
};

TEST_P(RefusedPreviousFile, IsNamedAndNotUsed)
{
    const RefusedCase& c = GetParam();
    const QString last = path(QStringLiteral("Bal"), QStringLiteral("2024"));
    if (std::string(c.name) == "Tampered") {
        fill(QStringLiteral("Bal"), QStringLiteral("2024"), {"40:DocDta_Sum3=1200"});
        QByteArray bytes = test::readAll(last);
        bytes.replace("DocDta_Sum3=\"1200\"", "DocDta_Sum3=\"9200\"");
        ASSERT_TRUE(test::writeAll(last, bytes));
    } else if (std::string(c.name) == "OtherCompany") {
        fill(QStringLiteral("Bal"), QStringLiteral("2024"), {"40:DocDta_Sum3=1200"},
             QStringLiteral("831640337"));
        ASSERT_TRUE(QFile::copy(
            path(QStringLiteral("Bal"), QStringLiteral("2024"), QStringLiteral("831640337")),
            last));
    } else {
        ASSERT_TRUE(test::writeAll(last, "not xml"));
    }
    const FillResult next =
        fill(QStringLiteral("Bal"), QStringLiteral("2025"), {"40:DocDta_PrevYear=10"});
    const QString warnings = next.warnings.join(u'\n');
    EXPECT_TRUE(warnings.contains(QStringLiteral("Сравнителните данни не са взети от файла")))
        << warnings.toStdString();
    EXPECT_TRUE(warnings.contains(last)) << warnings.toStdString();
    EXPECT_TRUE(warnings.contains(QString::fromUtf8(c.why))) << warnings.toStdString();
    const auto engine = reopen(path(QStringLiteral("Bal"), QStringLiteral("2025")));
    ASSERT_TRUE(engine);
    EXPECT_TRUE(engine->typedComparatives());
    EXPECT_EQ(AmountOrZero(engine->grid().TextMatrix(rowOf(engine->grid(), 40), 10)), 10);
}

INSTANTIATE_TEST_SUITE_P(Files, RefusedPreviousFile,
                         ::testing::Values(RefusedCase{"Tampered", "променен неоторизирано"},
                                           RefusedCase{"OtherCompany", "друго предприятие"},
                                           RefusedCase{"NotXml", "XML"}),
                         [](const auto& info) { return std::string(info.param.name); });

TEST_F(Comparatives, ACorrectionKeepsItsComparativesUntilTheyAreTakenAgain)
{
    fill(QStringLiteral("Bal"), QStringLiteral("2024"), {"40:DocDta_Sum3=100"});
    fill(QStringLiteral("Bal"), QStringLiteral("2025"), {"40:DocDta_Sum3=1"});
    QFile::remove(path(QStringLiteral("Bal"), QStringLiteral("2024")));
    fill(QStringLiteral("Bal"), QStringLiteral("2024"), {"40:DocDta_Sum3=250"});

    auto engine = reopen(path(QStringLiteral("Bal"), QStringLiteral("2025")));
    ASSERT_TRUE(engine);
    const GridModel& grid = engine->grid();
    EXPECT_EQ(AmountOrZero(grid.TextMatrix(rowOf(grid, 40), 10)), 100);
    EXPECT_FALSE(engine->needsSaveQuestion());

    ASSERT_FALSE(engine->refreshComparatives());
    EXPECT_EQ(AmountOrZero(grid.TextMatrix(rowOf(grid, 40), 10)), 250);
    EXPECT_EQ(AmountOrZero(grid.TextMatrix(rowOf(grid, 10), 10)), 250);
    EXPECT_TRUE(engine->needsSaveQuestion());
    engine->prepareSave();
    ASSERT_FALSE(engine->writeAndSave());
    engine.reset(); // closed before it is opened again
    const auto again = reopen(path(QStringLiteral("Bal"), QStringLiteral("2025")));
    ASSERT_TRUE(again);
    EXPECT_EQ(AmountOrZero(again->grid().TextMatrix(rowOf(again->grid(), 40), 10)), 250);
}

TEST_F(Comparatives, TakingThemAgainWithoutAFileSaysSoAndChangesNothing)
{
    fill(QStringLiteral("Bal"), QStringLiteral("2025"), {"40:DocDta_PrevYear=3"});
    const auto engine = reopen(path(QStringLiteral("Bal"), QStringLiteral("2025")));
    ASSERT_TRUE(engine);
    const std::optional<UserMessage> message = engine->refreshComparatives();
    ASSERT_TRUE(message);
    EXPECT_TRUE(message->text.contains(path(QStringLiteral("Bal"), QStringLiteral("2024"))));
    EXPECT_EQ(AmountOrZero(engine->grid().TextMatrix(rowOf(engine->grid(), 40), 10)), 3);
    EXPECT_FALSE(engine->needsSaveQuestion());
}

// Last year's restated closing balance, column by column, with a negative
// loss and a decrease, is this year's opening balance; the closing follows.
TEST_F(Comparatives, TheEquityStatementOpensWithLastYearsRestatedClosingBalance)
{
    fill(QStringLiteral("Cap"), QStringLiteral("2024"),
         {"10:DocDta_Sum1=1000", "30:DocDta_Sum1=200", "40:DocDta_Sum1=-50", "50:DocDta_Sum8=-70",
          "180:DocDta_Sum9=5"});
    fill(QStringLiteral("Cap"), QStringLiteral("2025"), {"50:DocDta_Sum7=30"});
    const auto engine = reopen(path(QStringLiteral("Cap"), QStringLiteral("2025")));
    ASSERT_TRUE(engine);
    const GridModel& grid = engine->grid();
    const int opening = rowOf(grid, 10);
    EXPECT_EQ(AmountOrZero(grid.TextMatrix(opening, 5)), 1150);
    EXPECT_EQ(AmountOrZero(grid.TextMatrix(opening, 12)), -70);
    EXPECT_EQ(AmountOrZero(grid.TextMatrix(opening, 13)), 5);
    EXPECT_EQ(AmountOrZero(grid.TextMatrix(opening, 14)), 1085);
    EXPECT_EQ(AmountOrZero(grid.TextMatrix(rowOf(grid, 170), 14)), 1115);
    EXPECT_EQ(AmountOrZero(grid.TextMatrix(rowOf(grid, 200), 11)), 30);
}

// A new document shows what it carried as it shows any amount, before it is
// ever saved: grouped, negatives in parentheses.
TEST_F(Comparatives, WhatANewDocumentCarriesIsShownInDisplayForm)
{
    fill(QStringLiteral("Cap"), QStringLiteral("2024"),
         {"10:DocDta_Sum1=1150", "50:DocDta_Sum8=-70"});
    fill(QStringLiteral("Bal"), QStringLiteral("2024"), {"40:DocDta_Sum3=1234"});
    state.company = {QStringLiteral("Фирма ООД"), kBulstat};
    state.period.sQuarter = QStringLiteral("12");
    state.period.iYear = 2025;
    for (const char* code : {"Cap", "Bal"}) {
        const DocType& type = *DocTypeByCode(QString::fromLatin1(code));
        state.docType.Name = type.titleText();
        const Opening opening = OpenFromChoices(state, type, false);
        ASSERT_TRUE(opening.document) << code;
        ASSERT_EQ(opening.document->editType, 0) << code;
        DocumentEngine engine(state, *opening.document);
        ASSERT_FALSE(engine.load()) << code;
        const GridModel& grid = engine.grid();
        if (QLatin1String(code) == QLatin1String("Cap")) {
            EXPECT_EQ(grid.TextMatrix(rowOf(grid, 10), 5), QStringLiteral("1\u00A0150"));
            EXPECT_EQ(grid.TextMatrix(rowOf(grid, 10), 12), QStringLiteral("(70)"));
        } else {
            EXPECT_EQ(grid.TextMatrix(rowOf(grid, 40), 10), QStringLiteral("1\u00A0234"));
        }
        EXPECT_FALSE(engine.needsSaveQuestion()) << code;
    }
}

// The controls over comparatives, after a save: the previous year's sides
// balance; comparatives and the equity statement's opening balance agree with
// last year's file.
TEST_F(Comparatives, APreviousYearThatDoesNotBalanceIsAFinding)
{
    const FillResult typed = fill(QStringLiteral("Bal"), QStringLiteral("2025"),
                                  {"40:DocDta_PrevYear=100", "610:DocDta_PrevYear=90"});
    const QString warnings = typed.warnings.join(u'\n');
    EXPECT_TRUE(warnings.contains(
        QStringLiteral("В баланса за предходната година „СУМА НА АКТИВА“ (ред 575) не е равна на "
                       "„СУМА НА ПАСИВА“ (ред 995): 100 ≠ 90, разлика 10")))
        << warnings.toStdString();

    QFile::remove(path(QStringLiteral("Bal"), QStringLiteral("2025")));
    const FillResult balanced = fill(QStringLiteral("Bal"), QStringLiteral("2025"),
                                     {"40:DocDta_PrevYear=100", "610:DocDta_PrevYear=100"});
    EXPECT_FALSE(balanced.warnings.join(u'\n').contains(QStringLiteral("предходната година")));
}

TEST_F(Comparatives, ComparativesThatDifferFromLastYearsFileAreFindings)
{
    fill(QStringLiteral("Bal"), QStringLiteral("2024"), {"40:DocDta_Sum3=100"});
    fill(QStringLiteral("Bal"), QStringLiteral("2025"), {});
    QFile::remove(path(QStringLiteral("Bal"), QStringLiteral("2024")));
    fill(QStringLiteral("Bal"), QStringLiteral("2024"), {"40:DocDta_Sum3=250"});

    const QString thisYear = path(QStringLiteral("Bal"), QStringLiteral("2025"));
    const QString controls = ControlsPath(dir.path());
    const QString findings = ControlFindings(thisYear, controls).join(u'\n');
    EXPECT_TRUE(findings.contains(QStringLiteral("миналогодишния баланс, ред 40 „1. Земи "
                                                 "(терени)“: 100 ≠ 250, разлика (150)")))
        << findings.toStdString();
    EXPECT_FALSE(findings.contains(QStringLiteral("ред 10 „АКТИВ“"))); // a total follows its rows
    const auto engine = reopen(thisYear);
    ASSERT_TRUE(engine);
    // "Проверка" lists it with both rows: this year's comparative, to go to,
    // and last year's amount in last year's statement.
    const std::vector<Finding> checked = engine->check();
    const auto land = std::find_if(checked.begin(), checked.end(), [](const Finding& f) {
        return f.text.contains(QStringLiteral("ред 40 „1. Земи (терени)“"));
    });
    ASSERT_NE(land, checked.end());
    ASSERT_EQ(land->rows.size(), 2u);
    EXPECT_TRUE(land->rows[0].here);
    EXPECT_EQ(land->rows[0].title, QStringLiteral("1. Земи (терени)"));
    EXPECT_EQ(land->rows[0].column, QStringLiteral("Предходна година"));
    EXPECT_EQ(land->rows[0].amount, 100);
    EXPECT_EQ(land->rows[0].target.id, QStringLiteral("40"));
    EXPECT_EQ(land->rows[0].target.field, QStringLiteral("DocDta_PrevYear"));
    EXPECT_FALSE(land->rows[1].here);
    EXPECT_EQ(land->rows[1].document, QStringLiteral("Баланс за 2024 г."));
    EXPECT_EQ(land->rows[1].amount, 250);
    EXPECT_EQ(land->rows[1].target.path, path(QStringLiteral("Bal"), QStringLiteral("2024")));
    ASSERT_FALSE(engine->refreshComparatives());
    ASSERT_FALSE(engine->writeAndSave());
    // Only last year's own imbalance is left.
    EXPECT_FALSE(
        ControlFindings(thisYear, controls).join(u'\n').contains(QStringLiteral("ред 40")));
}

TEST_F(Comparatives, AnEquityOpeningOtherThanLastYearsRestatedClosingIsAFinding)
{
    fill(QStringLiteral("Cap"), QStringLiteral("2024"), {"10:DocDta_Sum1=1000"});
    const FillResult retyped =
        fill(QStringLiteral("Cap"), QStringLiteral("2025"), {"10:DocDta_Sum1=900"});
    const QString warnings = retyped.warnings.join(u'\n');
    EXPECT_TRUE(warnings.contains(QStringLiteral("миналата година (ред 200), колона „Основен "
                                                 "капитал 1“: 900 ≠ 1\u00a0000, разлика (100)")))
        << warnings.toStdString();
}

// Typed comparatives of an income statement have their result rows computed
// by the Sum, as the current year's.
TEST_F(Comparatives, TypedComparativesHaveTheirResultsSummed)
{
    fill(QStringLiteral("OPR"), QStringLiteral("2025"),
         {"40:DocDta_Sum1=10", "40:DocDta_PrevYear=300"});
    const auto engine = reopen(path(QStringLiteral("OPR"), QStringLiteral("2025")));
    ASSERT_TRUE(engine);
    const GridModel& grid = engine->grid();
    EXPECT_EQ(AmountOrZero(grid.TextMatrix(rowOf(grid, 20), 8)), 300);  // the group's total
    EXPECT_EQ(AmountOrZero(grid.TextMatrix(rowOf(grid, 570), 8)), 300); // the loss
    EXPECT_EQ(AmountOrZero(grid.TextMatrix(rowOf(grid, 10), 8)), 300);  // РАЗХОДИ
    EXPECT_EQ(AmountOrZero(grid.TextMatrix(rowOf(grid, 350), 8)), 300); // ПРИХОДИ
    EXPECT_EQ(AmountOrZero(grid.TextMatrix(rowOf(grid, 10), 5)), 10);
}
