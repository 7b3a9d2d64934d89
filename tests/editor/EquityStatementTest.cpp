// The statement of equity computes its own arithmetic: the change rows from
// their увеличение/намаление lines, the closing balance and the restated one
// from the rows above them, in every column, as entries are typed, after a
// save and reopen, and in a file saved when those rows were still typed.
#include "editor/AmountText.h"
#include "editor/DocumentEngine.h"
#include "editor/DocumentFill.h"
#include "selection/Catalogue.h"
#include "selection/DocumentContext.h"
#include "selection/DocumentOpening.h"
#include "tests/editor/SavedDocuments.h"
#include "tests/support/TestFiles.h"
#include "xmlfiles/Checksum.h"
#include "xmlfiles/DataFile.h"
#include "xmlfiles/XmlDocument.h"

#include <QTemporaryDir>

#include <map>
#include <pugixml.hpp>

#include <gtest/gtest.h>

using namespace telm;
using test::amount;
using test::rowOf;

namespace {

// Row identifiers of the statement.
constexpr int kOpening = 10, kOwners = 20, kIncrease = 30, kDecrease = 40, kResult = 50,
              kDistribution = 60, kDividends = 70, kRevaluation = 90, kRevaluationUp = 100,
              kRevaluationDown = 110, kClosing = 170, kTranslation = 180, kRestated = 200;

class EquityStatement : public ::testing::Test
{
protected:
    void SetUp() override
    {
        ASSERT_TRUE(dir.isValid());
        ASSERT_TRUE(test::makeProgramFolder(dir.path()));
        state.FilePrefix = QStringLiteral("VELDOR");
        state.programFolder = dir.path();
    }

    FillResult fill(const std::vector<std::pair<int, QString>>& sum1)
    {
        FillRequest request;
        request.typeCode = QStringLiteral("Cap");
        request.bulstat = QStringLiteral("123456786");
        request.company = QStringLiteral("Фирма ООД");
        request.year = QStringLiteral("2024");
        request.month = QStringLiteral("12");
        request.programFolder = dir.path();
        for (const auto& [id, amount] : sum1)
            request.entries.push_back(
                {QString::number(id), QStringLiteral("DocDta_Sum1"), amount, QString::number(id)});
        return RunFill(request);
    }

    std::unique_ptr<DocumentEngine> reopen(const QString& path)
    {
        return test::ReopenSaved(state, path);
    }

    QTemporaryDir dir;
    AppState state;
};

// Opening 100, owners +50 −20, result 30, distributions −40 (of which
// dividends −30), revaluation +15 −5, translation 7.
const std::vector<std::pair<int, QString>> kTyped{
    {kOpening, QStringLiteral("100")},      {kIncrease, QStringLiteral("50")},
    {kDecrease, QStringLiteral("-20")},     {kResult, QStringLiteral("30")},
    {kDistribution, QStringLiteral("-40")}, {kDividends, QStringLiteral("-30")},
    {kRevaluationUp, QStringLiteral("15")}, {kRevaluationDown, QStringLiteral("(5)")},
    {kTranslation, QStringLiteral("7")}};

const std::map<int, double> kComputed{
    {kOwners, 30}, {kRevaluation, 10}, {kDistribution, -40}, {kClosing, 130}, {kRestated, 137}};

void expectComputed(const GridModel& grid)
{
    for (const auto& [id, value] : kComputed) {
        EXPECT_EQ(amount(grid, id, 5), value) << "row " << id;
        EXPECT_EQ(amount(grid, id, 14), value) << "row " << id << ", Общо";
    }
}

} // namespace

TEST_F(EquityStatement, ComputedRowsFollowEveryEntryAndAreLocked)
{
    const Opening opening = [&] {
        state.company = {QStringLiteral("Фирма ООД"), QStringLiteral("123456786")};
        state.period = {QStringLiteral("12"), 2024};
        return OpenFromChoices(state, *DocTypeByCode(QStringLiteral("Cap")), false);
    }();
    ASSERT_TRUE(opening.document);
    DocumentEngine engine(state, *opening.document);
    ASSERT_FALSE(engine.load());
    const GridModel& grid = engine.grid();
    for (const auto& [id, text] : kTyped)
        ASSERT_TRUE(engine.commit(rowOf(grid, id), 5, text)) << id;
    expectComputed(grid);

    // The computed rows take no entry and no Delete; the breakdowns do.
    for (const int id : {kOwners, kRevaluation, kClosing, kRestated})
        for (const int col : {5, 12, 14}) {
            EXPECT_FALSE(engine.canEdit(rowOf(grid, id), col)) << id << " " << col;
            EXPECT_FALSE(engine.canDelete(rowOf(grid, id), col)) << id << " " << col;
        }
    EXPECT_TRUE(engine.canEdit(rowOf(grid, kDistribution), 5));
    EXPECT_TRUE(engine.canEdit(rowOf(grid, kDividends), 5));

    // A decrease taken back and a Delete are followed like any entry.
    ASSERT_TRUE(engine.commit(rowOf(grid, kDecrease), 5, QString()));
    EXPECT_EQ(amount(grid, kOwners, 5), 50);
    EXPECT_EQ(amount(grid, kClosing, 5), 150);
    ASSERT_TRUE(engine.deleteCell(rowOf(grid, kOpening), 5));
    EXPECT_EQ(amount(grid, kClosing, 5), 50);
    EXPECT_EQ(amount(grid, kRestated, 14), 57);
}

TEST_F(EquityStatement, ComputedRowsAreSavedAndReopened)
{
    const FillResult result = fill(kTyped);
    ASSERT_EQ(result.status, FillResult::Status::Saved) << result.error.toStdString();
    EXPECT_TRUE(result.refused.isEmpty()) << result.refused.join(u'\n').toStdString();
    const auto engine = reopen(result.savedPath);
    ASSERT_TRUE(engine);
    expectComputed(engine->grid());
    EXPECT_FALSE(engine->needsSaveQuestion());
}

// A file saved while row 1 was typed (its flag manual, its amount 0) opens
// with row 1 computed and locked as the form now has it, and saves.
TEST_F(EquityStatement, AFileSavedWhenRowOneWasTypedOpensComputed)
{
    const FillResult result = fill(kTyped);
    ASSERT_EQ(result.status, FillResult::Status::Saved) << result.error.toStdString();
    XmlDocument xml;
    ASSERT_TRUE(xml.load(result.savedPath));
    pugi::xml_node owners = xml.doc().select_node("xml/rs:data/z:row[@DocStr_ID='20']").node();
    ASSERT_TRUE(owners);
    owners.attribute("DocStr_Manual").set_value("True");
    owners.attribute("DocDta_Sum1").set_value("0");
    pugi::xml_node closing = xml.doc().select_node("xml/rs:data/z:row[@DocStr_ID='170']").node();
    closing.attribute("DocStr_Locked").set_value("0");
    closing.attribute("DocDta_Sum1").set_value("0");
    xml.root().attribute("hash").set_value(ComputeRootHash(xml).toUtf8().constData());
    ASSERT_TRUE(SaveDataFile(xml, result.savedPath).ok);

    const auto engine = reopen(result.savedPath);
    ASSERT_TRUE(engine);
    const GridModel& grid = engine->grid();
    expectComputed(grid);
    EXPECT_FALSE(engine->canEdit(rowOf(grid, kOwners), 5));
    EXPECT_FALSE(engine->canEdit(rowOf(grid, kClosing), 5));
    EXPECT_FALSE(engine->needsSaveQuestion());
    engine->prepareSave();
    EXPECT_FALSE(engine->writeAndSave());
}
