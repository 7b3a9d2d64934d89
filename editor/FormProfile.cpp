#include "editor/FormProfile.h"

#include <stdexcept>

namespace telm {

namespace {

constexpr const char16_t* kAssetsMessage = u"Имате неравнени АКТИВ и ПАСИВ. Коригирайте документа!";
constexpr const char16_t* kIncomeMessage =
    u"Имате неравнени ПРИХОДИ и РАЗХОДИ. Коригирайте документа!";
constexpr const char16_t* kCurrentYear = u"Текуща година";
constexpr const char16_t* kPreviousYear = u"Предходна година";
constexpr const char16_t* kSections = u"Раздели, групи, статии";
constexpr const char16_t* kName = u"Наименование";
constexpr const char16_t* kIndicators = u"Показатели";

const BandFont kBoldItalic11{false, true, true, 11};
const BandFont kBold11{false, true, false, 11};
const BandFont kBold10{false, true, false, 10};
const BandFont kRegular10{false, false, false, 10};
const BandFont kRegular11{false, false, false, 11};
const BandFont kBoldItalic10{false, true, true, 10};
const BandFont kRegular8{false, false, false, 8};

const std::vector<BandFont> kStatementFonts{kBoldItalic11, kBold11, kRegular10};
const std::vector<ResizeWidth> kStatementWidths{{0, 54.5, -300}, {1, 15, 0}, {5, 15, 0}};

std::vector<FormProfile> makeProfiles()
{
    std::vector<FormProfile> p;

    p.push_back(FormProfile{
        FormId::frmDocBalance, "frmDocBalance", u"TELM Transfer - Баланс", "cmdCancel",
        SumButton::None, u"",
        kSections,
        {{5, u"Отчетна стойност", "DocDta_Sum1"}, {6, u"Коректив", "DocDta_Sum2"},
         {7, kCurrentYear, "DocDta_Sum3"}},
        DerivedRule::Col5IsCol6PlusCol7, 5,
        {{10, kPreviousYear}}, 10,
        8, 9, {4},
        {6, 7, 5, 10}, {5, 6}, true,
        ColumnRule{5, -1, {10}}, 6, ColumnRule{5}, DeleteOnLocked::Acts, DeleteSetsChanged::No,
        BalanceCheck{true, 8, 7, kAssetsMessage}, SumBeforeSave::Never,
        5, 5, 5600, 2,
        {{0, 54.5, -300}, {1, 10, 0}, {7, 15, 0}},
        {kBoldItalic11, kBoldItalic11, kBold10},
        {{1, 100}, {5, 100}},
        0, false, false});

    p.push_back(FormProfile{
        FormId::frmDocBalanceLiquid, "frmDocBalanceLiquid",
        u"TELM Transfer - Баланс в ликвидация", "cmdCancel", SumButton::BalanceLiquid2Only,
        u"Сумиране",
        kSections, {{5, kCurrentYear, "DocDta_Sum1"}}, DerivedRule::None, -1,
        {{4, kPreviousYear}}, 4,
        6, 7, {8},
        {5, 4}, {}, true,
        ColumnRule{4}, -1, ColumnRule{4}, DeleteOnLocked::Acts, DeleteSetsChanged::Yes,
        BalanceCheck{true, 8, 5, kAssetsMessage}, SumBeforeSave::WhenVariantFlag,
        4, 3, 6500, 2,
        {{0, 49.5, -300}, {1, 10, 0}, {5, 20, 0}},
        kStatementFonts, {{1, 100}, {4, 0}},
        0, false, false});

    p.push_back(FormProfile{
        FormId::frmDocOPR, "frmDocOPR", u"TELM Transfer - Отчет за приходи и разходи", "cmdExit",
        SumButton::Always, u"&Сумиране",
        kName, {{5, kCurrentYear, "DocDta_Sum1"}}, DerivedRule::None, -1,
        {{8, kPreviousYear}}, 8,
        6, 7, {4},
        {5, 8}, {}, true,
        ColumnRule{4, -1, {8}}, -1, ColumnRule{4, -1, {8}}, DeleteOnLocked::Refused,
        DeleteSetsChanged::Yes,
        BalanceCheck{true, 1, 5, kIncomeMessage}, SumBeforeSave::Always,
        5, 5, 6200, 2, kStatementWidths, kStatementFonts, {{1, 100}},
        0, false, false});

    p.push_back(FormProfile{
        FormId::frmDocOPRLiquid, "frmDocOPRLiquid",
        u"TELM Transfer - Отчет за приходи и разходи в ликвидация", "cmdCancel",
        SumButton::Always, u"&Сумиране",
        kName, {{5, kCurrentYear, "DocDta_Sum1"}}, DerivedRule::None, -1,
        {{4, kPreviousYear}}, 4,
        6, 7, {8},
        {5, 4}, {}, true,
        ColumnRule{4}, -1, ColumnRule{4}, DeleteOnLocked::Refused, DeleteSetsChanged::Yes,
        BalanceCheck{true, 1, 5, kIncomeMessage}, SumBeforeSave::Always,
        4, 4, 6200, 2, kStatementWidths, kStatementFonts, {{1, 100}, {4, 0}},
        0, false, false});

    p.push_back(FormProfile{
        FormId::frmDocMFlow, "frmDocMFlow",
        u"TELM Transfer - Отчет за паричните потоци по косвения метод", "cmdExit",
        SumButton::Always, u"&Сумиране",
        kName, {{5, kCurrentYear, "DocDta_Sum1"}}, DerivedRule::None, -1,
        {{8, kPreviousYear}}, 8,
        6, 7, {4},
        {5}, {}, true,
        ColumnRule{4, -1, {8}}, -1, ColumnRule{4, -1, {8}}, DeleteOnLocked::Refused,
        DeleteSetsChanged::Yes,
        BalanceCheck{}, SumBeforeSave::Always,
        3, 3, 6500, 2, kStatementWidths, kStatementFonts, {{1, 100}},
        0, false, false});

    p.push_back(FormProfile{
        FormId::frmDocMFlowLiquid, "frmDocMFlowLiquid",
        u"TELM Transfer - Отчет за паричния поток в ликвидация", "cmdExit",
        SumButton::Always, u"&Сумиране",
        kName, {{5, kCurrentYear, "DocDta_Sum1"}}, DerivedRule::None, -1,
        {{4, kPreviousYear}}, 4,
        6, 7, {8},
        {5, 4}, {}, true,
        ColumnRule{4}, -1, ColumnRule{4}, DeleteOnLocked::Refused, DeleteSetsChanged::Yes,
        BalanceCheck{}, SumBeforeSave::Always,
        3, 3, 6500, 2, kStatementWidths, kStatementFonts, {{1, 100}, {4, 0}},
        0, false, false});

    p.push_back(FormProfile{
        FormId::frmDocOPPCur, "frmDocOPPCur",
        u"TELM Transfer - Отчет за паричните потоци по прекия метод", "cmdCancel",
        SumButton::Always, u"Сумиране",
        kSections,
        {{5, u"Текущи постъпления", "DocDta_Sum1"}, {6, u"Текущи плащания", "DocDta_Sum2"},
         {7, u"Текущ нетен поток", "DocDta_Sum3"}},
        DerivedRule::Col7IsCol5MinusCol6, 7,
        {{4, kPreviousYear}, {10, u"Предходни постъпления"}, {11, u"Предходни плащания"},
         {12, u"Предходен нетен поток"}},
        -1,
        8, 9, {},
        {5, 6, 7, 10, 11, 12}, {}, true,
        ColumnRule{4, 6}, -1, ColumnRule{4, 6}, DeleteOnLocked::Acts, DeleteSetsChanged::No,
        BalanceCheck{}, SumBeforeSave::Always,
        2, 2, 5000, 2,
        {{0, 40.5, -300}, {1, 10, 0}, {5, 10, 0}, {6, 10, 0}, {7, 10, 0}},
        {kBoldItalic10, kRegular8}, {{1, 100}},
        0, false, false});
    p.back().conditionColumns = {5, 6, 7};
    p.back().conditionsKeepNegatives = true;

    p.push_back(FormProfile{
        FormId::frmDocCapital, "frmDocCapital", u"TELM Transfer - Отчет за собствения капитал",
        "cmdCancel", SumButton::None, u"",
        kIndicators,
        {{5, u"Основен капитал 1", "DocDta_Sum1"},
         {6, u"Премии от емисия 2", "DocDta_Sum2"},
         {7, u"Резерв от последващи оценки 3", "DocDta_Sum3"},
         {8, u"Общи резерви 4", "DocDta_Sum4"},
         {9, u"Специал. резерви 5", "DocDta_Sum5"},
         {10, u"Други резерви 6", "DocDta_Sum6"},
         {11, u"Печалба 7", "DocDta_Sum7"},
         {12, u"Загуба 8", "DocDta_Sum8"},
         {13, u"Резерв от преводи 9", "DocDta_Sum9"},
         {14, u"Общо 10", "DocDta_Sum10"}},
        DerivedRule::Col14IsSumOf5To13, 14,
        {}, -1,
        15, 16, {4, 17},
        {5, 6, 7, 8, 9, 10, 11, 12, 13, 14}, {}, false,
        ColumnRule{4, -1, {14}}, -1, ColumnRule{4, -1, {14}}, DeleteOnLocked::Acts,
        DeleteSetsChanged::No,
        BalanceCheck{}, SumBeforeSave::Never,
        2, 2, 5000, 3,
        {{0, 40, -300}, {1, 5, 0}, {5, 12, 0}, {7, 12, 0}, {9, 12, 0}, {13, 12, 0},
         {6, 10, 0}, {8, 10, 0}, {10, 10, 0}, {11, 10, 0}, {12, 10, 0}, {14, 10, 0}},
        {kRegular11, kRegular11}, {},
        2, true, true});

    p.push_back(FormProfile{
        FormId::frmDocTake, "frmDocTake", u"TELM Transfer - Справка за  вземанията", "cmdCancel",
        SumButton::None, u"",
        kIndicators,
        {{5, u"Общ размер", "DocDta_Sum1"},
         {6, u"Степен на ликвидност до 1 година", "DocDta_Sum2"},
         {7, u"Степен на ликвидност над 1 година", "DocDta_Sum3"}},
        DerivedRule::Col5IsCol6PlusCol7, 5,
        {}, -1,
        8, 9, {4, 10},
        {5, 6, 7}, {}, true,
        ColumnRule{5}, -1, ColumnRule{1}, DeleteOnLocked::Acts, DeleteSetsChanged::No,
        BalanceCheck{}, SumBeforeSave::Never,
        4, 4, 5000, 3,
        {{0, 45, -300}, {1, 9, 0}, {5, 15, 0}, {6, 15, 0}, {7, 15, 0}},
        kStatementFonts, {{1, 100}},
        0, false, false});

    p.push_back(FormProfile{
        FormId::frmDocLiability, "frmDocLiability", u"TELM Transfer - Справка за задълженията",
        "cmdCancel", SumButton::None, u"",
        kIndicators,
        {{5, u"Общ размер", "DocDta_Sum1"},
         {6, u"Степен на изискуемост до 1 година", "DocDta_Sum2"},
         {7, u"Степен на изискуемост над 1 година", "DocDta_Sum3"},
         {8, u"Стойност на обезщетението", "DocDta_Sum4"}},
        DerivedRule::Col5IsCol6PlusCol7, 5,
        {}, -1,
        9, 10, {4, 11},
        {5, 6, 7, 8}, {}, true,
        ColumnRule{5}, -1, ColumnRule{1}, DeleteOnLocked::Acts, DeleteSetsChanged::No,
        BalanceCheck{}, SumBeforeSave::Never,
        4, 4, 5000, 3,
        {{0, 40, -300}, {1, 10, 0}, {5, 10, 0}, {6, 10, 0}, {7, 10, 0}, {8, 13, 0}},
        kStatementFonts, {{1, 100}},
        0, false, false});

    p.push_back(FormProfile{
        FormId::frmDocProvisions, "frmDocProvisions", u"TELM Transfer - Справка за провизиите",
        "cmdCancel", SumButton::None, u"",
        kIndicators,
        {{5, u"В началото на годината", "DocDta_Sum1"}, {6, u"Увеличение", "DocDta_Sum2"},
         {7, u"Намаление", "DocDta_Sum3"}, {8, u"В края на годината", "DocDta_Sum4"}},
        DerivedRule::Col5IsCol8PlusCol7MinusCol6, 5,
        {}, -1,
        9, 10, {4, 11},
        {5, 6, 7, 8}, {}, true,
        ColumnRule{5}, -1, ColumnRule{1}, DeleteOnLocked::Acts, DeleteSetsChanged::No,
        BalanceCheck{}, SumBeforeSave::Never,
        2, 2, 6000, 3,
        {{0, 39, -300}, {1, 8, 0}, {5, 10, -50}, {6, 10, -50}, {7, 10, -50}, {8, 10, -50}},
        {kBold11, kBold10}, {{1, 100}},
        0, false, false});

    p.push_back(FormProfile{
        FormId::frmDocOPRInterest, "frmDocOPRInterest",
        u"TELM Transfer - Справка за разходите и приходите от лихви", "cmdCancel",
        SumButton::None, u"",
        kIndicators,
        {{5, u"Начислени", "DocDta_Sum1"}, {6, u"Платени (получени)", "DocDta_Sum2"}},
        DerivedRule::None, -1,
        {}, -1,
        7, 8, {4, 9},
        {5, 6}, {}, true,
        ColumnRule{1}, -1, ColumnRule{1}, DeleteOnLocked::Acts, DeleteSetsChanged::No,
        BalanceCheck{}, SumBeforeSave::Never,
        3, 3, 6000, 2,
        {{0, 49.5, -300}, {1, 10, 0}, {5, 17, 0}, {6, 17, 0}},
        kStatementFonts, {{1, 100}},
        0, false, false});

    return p;
}

} // namespace

const std::vector<FormProfile>& FormProfiles()
{
    static const std::vector<FormProfile> profiles = makeProfiles();
    return profiles;
}

const FormProfile& ProfileFor(FormId id)
{
    for (const FormProfile& profile : FormProfiles())
        if (profile.id == id)
            return profile;
    throw std::logic_error("no form profile");
}

int MaxLevelFor(const FormProfile& profile, bool variantFlag)
{
    return variantFlag ? profile.maxLevel : profile.maxLevelOtherVariant;
}

} // namespace telm
