// The edit gate, the Delete-key rule, derived columns and the balance check,
// over the profiles of several forms.
#include "editor/EditRules.h"

#include "editor/AmountText.h"
#include "editor/FormProfile.h"
#include "tests/editor/GridFixture.h"

#include <gtest/gtest.h>

using namespace telm;
using telm::test::FixtureRow;

namespace {

// Grid columns of each form: the template's fields end one past its last role.
int colsOf(const FormProfile& profile)
{
    int last = std::max(profile.manualColumn, profile.lockedColumn);
    for (int hidden : profile.hiddenColumns)
        last = std::max(last, hidden);
    for (const CaptionedColumn& c : profile.previousYear)
        last = std::max(last, c.column);
    return last + 1;
}

enum : int {
    kAssets = 1,  // top level, group
    kLeaf,        // article under it
    kManualGroup, // group marked for manual entry
    kManualChild,
    kLocked,      // article with a non-zero locked flag
    kLiabilities, // top level "ПАСИВ"
    kLiabilityLeaf,
};

void bindSample(GridModel& grid, const FormProfile& profile)
{
    auto row = [&](int band, const char16_t* name, const char* id, const char* parent,
                   const char* manual = "False", const char* locked = "0") {
        return FixtureRow{band,
                          QString::fromUtf16(name),
                          QString::fromLatin1(id),
                          QString::fromLatin1(parent),
                          {{profile.manualColumn, QString::fromLatin1(manual)},
                           {profile.lockedColumn, QString::fromLatin1(locked)}}};
    };
    test::bindGrid(grid, colsOf(profile),
                   {row(0, u"АКТИВ", "1", ""), row(1, u"Статия", "11", "1"),
                    row(1, u"Група", "12", "1", "True"), row(2, u"Статия", "121", "12"),
                    row(1, u"Статия", "13", "1", "False", "1"), row(0, u"ПАСИВ", "2", ""),
                    row(1, u"Статия", "21", "2")});
}

struct GateCase
{
    FormId form;
    int row;
    int col;
    bool edit;
    bool del;
};

class GateCases : public ::testing::TestWithParam<GateCase>
{
};

TEST_P(GateCases, EditAndDelete)
{
    const GateCase& c = GetParam();
    const FormProfile& profile = ProfileFor(c.form);
    GridModel grid;
    bindSample(grid, profile);
    EXPECT_EQ(CanEdit(profile, grid, c.row, c.col), c.edit) << profile.name << " col " << c.col;
    EXPECT_EQ(CanDelete(profile, grid, c.row, c.col), c.del) << profile.name << " col " << c.col;
}

INSTANTIATE_TEST_SUITE_P(
    Forms, GateCases,
    ::testing::Values(
        GateCase{FormId::frmDocBalance, kLeaf, 7, true, true},
        GateCase{FormId::frmDocBalance, kLeaf, 6, true, true},
        GateCase{FormId::frmDocBalance, kLiabilityLeaf, 6, false, true},
        GateCase{FormId::frmDocBalance, kLiabilityLeaf, 7, true, true},
        GateCase{FormId::frmDocBalance, kLiabilities, 6, false, false}, // group row
        GateCase{FormId::frmDocBalance, kLeaf, 5, false, false},
        GateCase{FormId::frmDocBalance, kLeaf, 10, false, false}, // previous year
        GateCase{FormId::frmDocBalance, kLeaf, 8, false, false},  // manual flag
        GateCase{FormId::frmDocBalance, kLeaf, 9, false, false},  // locked flag
        GateCase{FormId::frmDocBalance, kAssets, 7, false, false},
        GateCase{FormId::frmDocBalance, kManualGroup, 7, true, true},
        GateCase{FormId::frmDocBalance, kLocked, 7, false, true}, // Delete ignores the lock
        GateCase{FormId::frmDocBalance, 0, 7, false, false},      // header row
        GateCase{FormId::frmDocOPR, kLeaf, 5, true, true},
        GateCase{FormId::frmDocOPR, kLocked, 5, false, false}, // Delete refused too
        GateCase{FormId::frmDocOPR, kLeaf, 6, false, false},   // manual flag
        GateCase{FormId::frmDocOPPCur, kLeaf, 5, true, true},
        GateCase{FormId::frmDocOPPCur, kLeaf, 6, true, true},
        GateCase{FormId::frmDocOPPCur, kLeaf, 7, false, false},        // net flow
        GateCase{FormId::frmDocOPPCur, kLiabilityLeaf, 6, true, true}, // no liabilities test
        GateCase{FormId::frmDocCapital, kLeaf, 5, true, true},
        GateCase{FormId::frmDocCapital, kLeaf, 13, true, true},
        GateCase{FormId::frmDocCapital, kLeaf, 14, false, false}, // total column
        GateCase{FormId::frmDocCapital, kLeaf, 15, false, false},
        GateCase{FormId::frmDocTake, kLeaf, 5, false, true}, // derived, Delete only
        GateCase{FormId::frmDocTake, kLeaf, 6, true, true},
        GateCase{FormId::frmDocTake, kLeaf, 2, false, false}, // identifier
        GateCase{FormId::frmDocTake, kLeaf, 3, false, false}, // parent
        GateCase{FormId::frmDocProvisions, kLeaf, 5, false, true},
        GateCase{FormId::frmDocProvisions, kLeaf, 8, true, true},
        GateCase{FormId::frmDocOPRInterest, kLeaf, 2, false, false},
        GateCase{FormId::frmDocOPRInterest, kLeaf, 3, false, false},
        GateCase{FormId::frmDocOPRInterest, kLeaf, 4, false, false},
        GateCase{FormId::frmDocOPRInterest, kLeaf, 5, true, true},
        GateCase{FormId::frmDocOPRInterest, kLeaf, 6, true, true},
        GateCase{FormId::frmDocOPRInterest, kLeaf, 7, false, false}));

TEST(EnterMoveTest, FollowsTheDeleteColumnRule)
{
    const struct
    {
        FormId form;
        int col;
        bool admits;
    } cases[] = {
        {FormId::frmDocOPPCur, 5, true},  {FormId::frmDocOPPCur, 7, false},
        {FormId::frmDocTake, 2, true},    {FormId::frmDocBalance, 5, false},
        {FormId::frmDocBalance, 6, true}, {FormId::frmDocOPR, 8, false},
    };
    for (const auto& c : cases) {
        const FormProfile& profile = ProfileFor(c.form);
        GridModel grid;
        bindSample(grid, profile);
        EXPECT_EQ(ColumnAdmitsDelete(profile, grid, c.col), c.admits)
            << profile.name << " " << c.col;
    }
}

struct DerivedCase
{
    FormId form;
    std::map<int, QString> amounts;
    int column; // where the result is expected
    const char* expected;
};

class DerivedCases : public ::testing::Test, public ::testing::WithParamInterface<DerivedCase>
{
};

TEST_P(DerivedCases, RecomputesTheRow)
{
    const DerivedCase& c = GetParam();
    const FormProfile& profile = ProfileFor(c.form);
    GridModel grid;
    bindSample(grid, profile);
    for (const auto& [col, text] : c.amounts)
        grid.setTextMatrix(kLeaf, col, text);
    RecomputeDerived(profile, grid, kLeaf);
    EXPECT_EQ(grid.TextMatrix(kLeaf, c.column),
              QString::fromUtf8(c.expected).replace(u' ', QChar(0x00A0)))
        << profile.name;
}

INSTANTIATE_TEST_SUITE_P(
    Forms, DerivedCases,
    ::testing::Values(
        DerivedCase{FormId::frmDocProvisions, {{6, "100"}, {7, "30"}, {8, "500"}}, 5, "430"},
        DerivedCase{FormId::frmDocOPPCur, {{5, "1 000"}, {6, "1 500"}}, 7, "(500)"},
        DerivedCase{FormId::frmDocBalance, {{5, "99"}, {6, "(1 234)"}, {7, "2 000"}}, 5, "766"},
        DerivedCase{FormId::frmDocBalance, {{5, "99"}}, 5, "0"},
        DerivedCase{FormId::frmDocTake, {{6, "1"}, {7, "2"}}, 5, "3"},
        DerivedCase{FormId::frmDocLiability, {{6, "abc"}, {7, "2"}}, 5, "2"},
        DerivedCase{FormId::frmDocCapital,
                    {{5, "1"},
                     {6, "2"},
                     {7, "3"},
                     {8, "4"},
                     {9, "5"},
                     {10, "6"},
                     {11, "7"},
                     {12, "(8)"},
                     {13, "1 000"},
                     {14, "5"}},
                    14,
                    "1 020"},
        DerivedCase{FormId::frmDocOPR, {{5, "12"}}, 5, "12"})); // no derived column

struct BalanceCase
{
    FormId form;
    std::vector<std::pair<const char*, const char*>>
        topLevel;     // check column text per top-level row
    int trailingRows; // further rows at the end: a top-level row, then its children
    const char* trailingAmount;
    bool warns;
};

class BalanceCases : public ::testing::Test, public ::testing::WithParamInterface<BalanceCase>
{
};

TEST_P(BalanceCases, ComparesFirstAndLastTopLevelRows)
{
    const BalanceCase& c = GetParam();
    const FormProfile& profile = ProfileFor(c.form);
    const int check = profile.balanceCheck ? profile.balanceCheck->column : 5;
    std::vector<FixtureRow> rows;
    int id = 1;
    for (const auto& [name, amount] : c.topLevel) {
        rows.push_back({0,
                        QString::fromUtf8(name),
                        QString::number(id),
                        QString(),
                        {{check, QString::fromUtf8(amount)}}});
        rows.push_back({1,
                        QStringLiteral("Статия"),
                        QString::number(id * 10),
                        QString::number(id),
                        {{check, QStringLiteral("12 345")}}});
        ++id;
    }
    for (int i = 0; i < c.trailingRows; ++i) {
        const bool top = i == 0;
        rows.push_back({top ? 0 : 1,
                        QStringLiteral("Справочни"),
                        QString::number(100 + i),
                        top ? QString() : QStringLiteral("100"),
                        {{check, QString::fromUtf8(c.trailingAmount)}}});
    }
    GridModel grid;
    test::bindGrid(grid, colsOf(profile), rows);

    const std::optional<QString> message = BalanceCheckMessage(profile, grid);
    ASSERT_EQ(message.has_value(), c.warns) << profile.name;
    if (message) {
        EXPECT_EQ(*message, QString::fromUtf16(profile.balanceCheck->message));
    }
}

INSTANTIATE_TEST_SUITE_P(
    Forms, BalanceCases,
    ::testing::Values(
        BalanceCase{FormId::frmDocOPR, {{"Приходи", "1 000"}, {"Разходи", "1 000"}}, 0, "", false},
        BalanceCase{FormId::frmDocOPR, {{"Приходи", "1 000"}, {"Разходи", "1 001"}}, 0, "", true},
        BalanceCase{FormId::frmDocOPR,
                    {{"Приходи", "7"}, {"Междинен", "5"}, {"Разходи", "7"}},
                    0,
                    "",
                    false},
        BalanceCase{FormId::frmDocOPR, {{"Приходи", "5"}}, 0, "", true}, // compared with 0
        BalanceCase{FormId::frmDocOPR, {{"Приходи", ""}}, 0, "", false},
        BalanceCase{FormId::frmDocOPR, {{"Приходи", "5"}, {"Разходи", "5"}}, 1, "9", true},
        BalanceCase{FormId::frmDocOPRLiquid, {{"Приходи", "(3)"}, {"Разходи", "-3"}}, 0, "", false},
        BalanceCase{
            FormId::frmDocBalance, {{"АКТИВ", "1 000"}, {"ПАСИВ", "999"}}, 7, "1 000", true},
        BalanceCase{FormId::frmDocBalance, {{"АКТИВ", "1 000"}, {"ПАСИВ", "1 000"}}, 7, "5", false},
        BalanceCase{FormId::frmDocBalance, {{"АКТИВ", "1 000"}, {"ПАСИВ", "1 000"}}, 8, "5", true},
        BalanceCase{FormId::frmDocBalanceLiquid, {{"АКТИВ", "4"}, {"ПАСИВ", "4"}}, 7, "", false},
        BalanceCase{FormId::frmDocMFlow, {{"А", "1"}, {"Б", "2"}}, 0, "", false})); // no check

} // namespace
