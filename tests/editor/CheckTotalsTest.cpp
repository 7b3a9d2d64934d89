// The balance sheets close each side with СУМА НА АКТИВА / СУМА НА ПАСИВА:
// computed from the side's total as entries are typed (the current and the
// previous year), locked, saved; the balance check reads them; a file saved
// before they existed opens and saves.
#include "editor/AmountText.h"
#include "editor/DocumentEngine.h"
#include "editor/DocumentFill.h"
#include "selection/DataFileName.h"
#include "selection/DocumentContext.h"
#include "selection/DocumentOpening.h"
#include "tests/editor/SavedDocuments.h"
#include "tests/support/TestFiles.h"
#include "xmlfiles/Checksum.h"
#include "xmlfiles/DataFile.h"
#include "xmlfiles/XmlDocument.h"

#include <QDir>
#include <QTemporaryDir>

#include <pugixml.hpp>

#include <gtest/gtest.h>

using namespace telm;
using test::amount;
using test::rowOf;

namespace {

struct CheckTotalsCase
{
    const char* code;
    int assets, liabilities, assetsSum, liabilitiesSum; // identifiers
    int leafOfAssets, leafOfLiabilities;                // typed
    int current, previous;                              // columns
    const char* currentField;
};

class CheckTotals : public ::testing::TestWithParam<CheckTotalsCase>
{
protected:
    void SetUp() override
    {
        ASSERT_TRUE(dir.isValid());
        ASSERT_TRUE(test::makeProgramFolder(dir.path()));
        state.FilePrefix = kFilePrefix;
        state.programFolder = dir.path();
    }

    FillResult fill(int assets, int liabilities, int previousAssets)
    {
        const CheckTotalsCase& c = GetParam();
        FillRequest request;
        request.typeCode = QString::fromLatin1(c.code);
        request.bulstat = QStringLiteral("123456786");
        request.company = QStringLiteral("Фирма ООД");
        request.year = QStringLiteral("2025");
        request.month = QStringLiteral("12");
        request.programFolder = dir.path();
        const QString field = QString::fromLatin1(c.currentField);
        request.entries = {
            {QString::number(c.leafOfAssets), field, QString::number(assets), QStringLiteral("a")},
            {QString::number(c.leafOfLiabilities), field, QString::number(liabilities),
             QStringLiteral("l")},
            {QString::number(c.leafOfAssets), QStringLiteral("DocDta_PrevYear"),
             QString::number(previousAssets), QStringLiteral("p")}};
        return RunFill(request);
    }

    std::unique_ptr<DocumentEngine> reopen(const QString& path)
    {
        return test::ReopenSaved(state, path);
    }

    QTemporaryDir dir;
    AppState state;
};

} // namespace

TEST_P(CheckTotals, CloseEachSideAndAreWhatTheBalanceCheckReads)
{
    const CheckTotalsCase& c = GetParam();
    const FillResult unequal = fill(700, 500, 40);
    ASSERT_EQ(unequal.status, FillResult::Status::Saved) << unequal.error.toStdString();
    EXPECT_TRUE(unequal.refused.isEmpty()) << unequal.refused.join(u'\n').toStdString();
    EXPECT_TRUE(unequal.warnings.join(u'\n').contains(QStringLiteral("неравнени АКТИВ и ПАСИВ")));

    auto engine = reopen(unequal.savedPath);
    ASSERT_TRUE(engine);
    const GridModel& grid = engine->grid();
    EXPECT_EQ(amount(grid, c.assetsSum, c.current), 700);
    EXPECT_EQ(amount(grid, c.liabilitiesSum, c.current), 500);
    EXPECT_EQ(amount(grid, c.assetsSum, c.previous), 40); // the typed previous year too
    for (const int id : {c.assetsSum, c.liabilitiesSum}) {
        EXPECT_EQ(grid.band(rowOf(grid, id)), 0) << id;
        EXPECT_FALSE(engine->canEdit(rowOf(grid, id), c.current)) << id;
        EXPECT_FALSE(engine->canEdit(rowOf(grid, id), c.previous)) << id;
    }
    EXPECT_EQ(rowOf(grid, c.assetsSum), rowOf(grid, c.liabilities) - 1);

    // Typed equal, the check is quiet.
    ASSERT_TRUE(engine->commit(rowOf(grid, c.leafOfLiabilities), c.current, QStringLiteral("700")));
    EXPECT_EQ(amount(grid, c.liabilitiesSum, c.current), 700);
    EXPECT_FALSE(engine->prepareSave());
}

// A file saved before the check totals existed lacks their rows: it opens,
// its balance check still compares the two sides, and it saves.
TEST_P(CheckTotals, AFileWithoutThemOpensAndSaves)
{
    const CheckTotalsCase& c = GetParam();
    const FillResult saved = fill(300, 300, 0);
    ASSERT_EQ(saved.status, FillResult::Status::Saved) << saved.error.toStdString();
    XmlDocument xml;
    ASSERT_TRUE(xml.load(saved.savedPath));
    for (const int id : {c.assetsSum, c.liabilitiesSum}) {
        const std::string path = "xml/rs:data/z:row[@DocStr_ID='" + std::to_string(id) + "']";
        pugi::xml_node row = xml.doc().select_node(path.c_str()).node();
        ASSERT_TRUE(row) << id;
        row.parent().remove_child(row);
    }
    xml.root().attribute("hash").set_value(ComputeRootHash(xml).toUtf8().constData());
    ASSERT_TRUE(SaveDataFile(xml, saved.savedPath).ok);

    auto engine = reopen(saved.savedPath);
    ASSERT_TRUE(engine);
    EXPECT_EQ(rowOf(engine->grid(), c.assetsSum), -1);
    EXPECT_FALSE(engine->prepareSave());
    ASSERT_TRUE(
        engine->commit(rowOf(engine->grid(), c.leafOfAssets), c.current, QStringLiteral("301")));
    EXPECT_TRUE(engine->prepareSave()); // the sides differ
    EXPECT_FALSE(engine->writeAndSave());
}

INSTANTIATE_TEST_SUITE_P(
    BalanceSheets, CheckTotals,
    ::testing::Values(CheckTotalsCase{"Bal", 10, 580, 575, 995, 40, 610, 7, 10, "DocDta_Sum3"},
                      CheckTotalsCase{"BalLiq", 10, 500, 495, 885, 40, 530, 5, 4, "DocDta_Sum1"}),
    [](const auto& info) { return std::string(info.param.code); });
