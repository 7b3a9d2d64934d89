// The shipped conditions file: entries belong to types with a Sum button, name
// rows of the right template, and sum a small filled document as by hand.
#include "editor/AmountText.h"
#include "editor/ConditionalSums.h"
#include "editor/FormProfile.h"
#include "grid/GridModel.h"
#include "tests/data/BlankiTestSupport.h"
#include "xmlfiles/Conditions.h"
#include "xmlfiles/XmlDocument.h"

#include <map>
#include <pugixml.hpp>
#include <set>
#include <stdexcept>

#include <gtest/gtest.h>

using namespace telm;
using telm::test::loadShipped;
using telm::test::shippedConditions;

namespace {

// A Sum button, or results that follow every entry.
bool hasSumButton(const DocType& type)
{
    const SumButtonRule& sum = ProfileFor(type.form).sum;
    return (sum.caption && AppliesTo(sum.shown, type.secondVariant()))
           || AppliesTo(sum.followsEntries, type.secondVariant());
}

struct TemplateRow
{
    bool locked = false;
};

std::map<int, TemplateRow> rowsById(const DocType& type)
{
    const Rowset rowset = loadShipped(type);
    const int lockedColumn = ProfileFor(type.form).lockedColumn;
    std::map<int, TemplateRow> rows;
    for (const RowsetRow& row : rowset.rows)
        rows[row.cells.at(2).toInt()] = TemplateRow{row.cells.at(lockedColumn) == "1"};
    return rows;
}

TEST(ConditionsFile, EveryEntryBelongsToATypeWithASumButton)
{
    pugi::xml_document doc;
    ASSERT_TRUE(doc.load_file(qPrintable(shippedConditions())));
    std::set<QString> titles;
    for (const pugi::xpath_node& node : doc.select_nodes("xml/rs:data/z:row")) {
        const QString title = QString::fromUtf8(node.node().attribute("DocType_Name").value());
        const DocType* type = DocTypeByTitle(title);
        ASSERT_NE(type, nullptr) << qPrintable(title);
        EXPECT_TRUE(hasSumButton(*type)) << qPrintable(title);
        titles.insert(title);
    }
    for (const DocType& type : Catalogue())
        EXPECT_EQ(titles.count(type.titleText()), hasSumButton(type) ? 1u : 0u)
            << qPrintable(type.titleText());
}

TEST(ConditionsFile, EntriesNameLockedTargetsAndComeInDependencyOrder)
{
    for (const DocType& type : Catalogue()) {
        if (!hasSumButton(type))
            continue;
        SCOPED_TRACE(type.code);
        XmlDocument xml;
        const ConditionsTable table = LoadConditions(xml, shippedConditions(), type.titleText());
        ASSERT_FALSE(table.empty());
        const std::map<int, TemplateRow> rows = rowsById(type);

        std::set<int> targets;
        for (const ConditionEntry& entry : table)
            targets.insert(entry.DocStr_ID.toInt());
        std::set<int> finished; // targets whose run has ended
        int currentTarget = table.front().DocStr_ID.toInt();
        for (const ConditionEntry& entry : table) {
            const int target = entry.DocStr_ID.toInt();
            const int source = entry.DocStr_IDSum.toInt();
            if (target != currentTarget) {
                finished.insert(currentTarget);
                currentTarget = target;
            }
            EXPECT_EQ(finished.count(target), 0u) << "a second run for " << target;
            ASSERT_EQ(rows.count(target), 1u) << target;
            ASSERT_EQ(rows.count(source), 1u) << source;
            EXPECT_TRUE(rows.at(target).locked) << target;
            EXPECT_TRUE(entry.DocCond_Sign == "1" || entry.DocCond_Sign == "-1");
            if (targets.count(source)) {
                EXPECT_EQ(finished.count(source), 1u) << source << " is used before it is computed";
            }
        }
    }
}

// A few amounts typed (group totals as the form keeps them) and the result rows
// expected after the Sum button, worked out by hand.
struct SumCase
{
    const char* name;
    const char* code;
    std::map<int, std::vector<int>> typed; // id -> amounts of columns 5, 6, 7 ...
    std::map<int, std::vector<int>> expected;
};

void PrintTo(const SumCase& c, std::ostream* os)
{
    *os << c.name;
}

class ConditionalSumsOverShippedFiles : public ::testing::TestWithParam<SumCase>
{
};

const DocType& typeByCode(const char* code)
{
    for (const DocType& type : Catalogue())
        if (QLatin1String(type.code) == QLatin1String(code))
            return type;
    throw std::logic_error("no such code");
}

int rowOf(const GridModel& grid, int id)
{
    for (int row = 1; row < grid.Rows(); ++row)
        if (grid.TextMatrix(row, 2) == QString::number(id))
            return row;
    return -1;
}

TEST_P(ConditionalSumsOverShippedFiles, ResultRowsAreAsComputedByHand)
{
    const SumCase& c = GetParam();
    const DocType& type = typeByCode(c.code);
    GridModel grid;
    grid.bind(loadShipped(type));
    for (const auto& [id, amounts] : c.typed) {
        const int row = rowOf(grid, id);
        ASSERT_GT(row, 0) << id;
        for (std::size_t k = 0; k < amounts.size(); ++k)
            grid.setTextMatrix(row, 5 + static_cast<int>(k), QString::number(amounts[k]));
    }
    XmlDocument xml;
    const ConditionsTable table = LoadConditions(xml, shippedConditions(), type.titleText());
    EvaluateConditions(ProfileFor(type.form), grid, table);
    for (const auto& [id, amounts] : c.expected) {
        const int row = rowOf(grid, id);
        ASSERT_GT(row, 0) << id;
        for (std::size_t k = 0; k < amounts.size(); ++k)
            EXPECT_EQ(AmountOrZero(grid.TextMatrix(row, 5 + static_cast<int>(k))), amounts[k])
                << "row " << id << " column " << 5 + k;
    }
}

// Income statement ids: 20/360 the two sides' ordinary activity, 540 extraordinary
// revenue, 290 taxes; 240/520 Б, 250/530 В, 270/550 Г, 280/560 Д, 330/570 Е,
// 340/580 Всичко, 10/350 the two sides.
const SumCase kSumCases[] = {
    {"IncomeWithProfit",
     "OPR",
     {{20, {300}}, {360, {500}}, {540, {50}}, {290, {20}}},
     {{240, {300}},
      {520, {500}},
      {250, {200}},
      {530, {0}},
      {270, {300}},
      {550, {550}},
      {280, {250}},
      {560, {0}},
      {330, {230}},
      {570, {0}},
      {340, {550}},
      {580, {550}},
      {10, {550}},
      {350, {550}}}},
    // A profit smaller than the tax leaves a loss on the revenue side, so the
    // two sides still agree.
    {"IncomeWithProfitBelowTax",
     "OPR",
     {{20, {300}}, {360, {310}}, {290, {20}}},
     {{280, {10}}, {330, {0}}, {570, {10}}, {10, {320}}, {350, {320}}}},
    {"IncomeWithLoss",
     "OPRLiq2",
     {{20, {400}}, {360, {250}}, {290, {0}}},
     {{250, {0}}, {530, {150}}, {280, {0}}, {560, {150}}, {570, {150}}, {10, {400}}, {350, {400}}}},
    // Liquidation income statement: 20, 110, 170, 230 expense groups; 300, 350,
    // 360 revenue groups; 260 taxes.
    {"LiquidationIncome",
     "OPRLiq",
     {{20, {100}}, {230, {40}}, {350, {200}}, {260, {10}}},
     {{240, {140}},
      {440, {200}},
      {250, {60}},
      {450, {0}},
      {270, {50}},
      {460, {0}},
      {280, {200}},
      {470, {200}},
      {10, {200}},
      {290, {200}}}},
    // Indirect cash flow: 20 result, 30 eliminations, 90 adjustments, 210 taxes,
    // 240 investing, 310 financing, 390 opening cash.
    {"IndirectCashFlow",
     "MFlow",
     {{20, {100}},
      {30, {-150}},
      {90, {30}},
      {210, {-10}},
      {240, {100}},
      {310, {-20}},
      {390, {200}}},
     {{70, {0}},
      {80, {50}},
      {190, {0}},
      {200, {20}},
      {220, {0}},
      {230, {30}},
      {10, {-30}}, // net operating flow keeps its sign
      {370, {50}},
      {380, {0}},
      {400, {250}}}},
    {"IndirectCashFlowOperatingInflow",
     "MFlow",
     {{20, {100}}, {90, {30}}, {210, {-10}}},
     {{190, {130}}, {220, {120}}, {230, {0}}, {10, {120}}, {370, {120}}}},
    // Direct cash flow keeps negatives in all three columns.
    {"DirectCashFlow",
     "OPP",
     {{10, {100, 300, -200}}, {110, {50, 0, 50}}, {270, {400, 0, 400}}},
     {{100, {100, 300, -200}},
      {180, {50, 0, 50}},
      {260, {150, 300, -150}},
      {280, {550, 300, 250}}}},
    {"LiquidationCashFlowDecrease",
     "OPPLiq",
     {{10, {-300}}, {110, {100}}, {180, {0}}, {270, {500}}},
     {{105, {-300}}, {175, {100}}, {245, {0}}, {250, {0}}, {260, {200}}, {280, {300}}}},
    // Negative equity still gives the right totals of both sides.
    {"BalanceInLiquidation2",
     "BalLiq2",
     {{20, {1000}},
      {310, {500}},
      {570, {10}},
      {600, {-200}},
      {800, {700}},
      {880, {1000}},
      {1000, {10}}},
     {{580, {1510}}, {10, {1510}}, {1030, {1510}}, {590, {1510}}}},
};

INSTANTIATE_TEST_SUITE_P(Cases, ConditionalSumsOverShippedFiles, ::testing::ValuesIn(kSumCases),
                         [](const auto& info) { return std::string(info.param.name); });

} // namespace
