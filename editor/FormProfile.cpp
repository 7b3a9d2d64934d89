// The table of the twelve form profiles. Each entry names only what makes its
// form different from the common pattern (see the defaults in FormProfile.h).
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

constexpr BandFont kBoldItalic11{.bold = true, .italic = true, .points = 11};
constexpr BandFont kBold11{.bold = true, .points = 11};
constexpr BandFont kBold10{.bold = true, .points = 10};
constexpr BandFont kRegular10{.points = 10};
constexpr BandFont kRegular11{.points = 11};
constexpr BandFont kBoldItalic10{.bold = true, .italic = true, .points = 10};
constexpr BandFont kRegular8{.points = 8};

// The five statements of the income and cash-flow family share fonts and widths.
const std::vector<BandFont> kStatementFonts{kBoldItalic11, kBold11, kRegular10};
// The liquidation statements: the previous year in column 4, left of the current year.
const std::vector<ResizeWidth> kLiquidationStatementWidths{
    {.column = 0, .percent = 44.5, .offset = -300},
    {.column = 1, .percent = 10},
    {.column = 4, .percent = 12.5},
    {.column = 5, .percent = 12.5},
};
// The same with the previous year in column 8, right of the current year.
const std::vector<ResizeWidth> kStatementWidthsWithPreviousYear{
    {.column = 0, .percent = 44.5, .offset = -300},
    {.column = 1, .percent = 10},
    {.column = 5, .percent = 12.5},
    {.column = 8, .percent = 12.5},
};

// The current-year amount of the one-amount statements.
const std::vector<AmountColumn> kCurrentYearAmount{
    {.column = 5, .caption = kCurrentYear, .field = "DocDta_Sum1"},
};

// The Sum button of the income statements and cash flows: sums before every save.
const SumButtonRule kSumButton{.caption = u"&Сумиране"};

// Income statements and cash flows refuse the Delete key on locked rows.
const DeleteKeyRule kStatementDelete{.refusedOnLockedRows = true};

// The liquidation forms show their previous-year column 4 beside the current year.
const std::vector<HeaderToggle> kLiquidationToggles{{}};

} // namespace

// GCC 12 warns that the clean-up of a half-built table (reached only if an
// allocation throws) might read members not yet built; it cannot, and the
// warning is known to be a false positive for aggregates with defaults.
#if defined(__GNUC__) && !defined(__clang__)
#pragma GCC diagnostic push
#pragma GCC diagnostic ignored "-Wmaybe-uninitialized"
#endif
std::span<const FormProfile> FormProfiles()
{
    static const FormProfile profiles[] = {
        {
            .id = FormId::frmDocBalance,
            .name = "frmDocBalance",
            .caption = u"TELM Transfer - Баланс",
            // СУМА НА АКТИВА / ПАСИВА: the totals of the two sides, computed.
            .sum = {.columns = {5, 6, 7},
                    .keepsNegatives = true,
                    .followsEntries = Applies::Always},
            .nameCaption = kSections,
            .amounts = {{.column = 5, .caption = u"Отчетна стойност", .field = "DocDta_Sum1"},
                        {.column = 6, .caption = u"Коректив", .field = "DocDta_Sum2"},
                        {.column = 7, .caption = kCurrentYear, .field = "DocDta_Sum3"}},
            .derived = {.column = 5, .plus = {6, 7}},
            .previousYear = {{.column = 10, .caption = kPreviousYear, .carriedFrom = 7}},
            .manualColumn = 8,
            .lockedColumn = 9,
            .hiddenColumns = {4},
            .typing = {.above = 5, .except = {10}, .exceptInLiabilities = {6}},
            .deleteKey = {.columns = ColumnRule{.above = 5}},
            .maxLevel = 5,
            .previousYearReformatted = {10},
            .nameWidthAtLoad = 5600,
            .zeroWidthPerBand = {5, 6},
            .resizeWidths = {{.column = 0, .percent = 44.5, .offset = -300},
                             {.column = 1, .percent = 5},
                             {.column = 7, .percent = 15},
                             {.column = 10, .percent = 15}},
            .bandFonts = {kBoldItalic11, kBoldItalic11, kBold10},
            .headerToggles = {{.column = 1, .shortWidth = 100}, {.column = 5, .shortWidth = 100}},
            .balanceCheck =
                BalanceCheck{.column = 7, .lastRowsSkipped = 7, .message = kAssetsMessage},
        },
        {
            .id = FormId::frmDocBalanceLiquid,
            .name = "frmDocBalanceLiquid",
            .caption = u"TELM Transfer - Баланс в ликвидация",
            .variant = FormVariant::BalanceInLiquidation,
            // The first variant's СУМА НА АКТИВА / ПАСИВА follow every entry
            // with their sign; the second's results wait for the button.
            .sum = {.caption = u"Сумиране",
                    .shown = Applies::SecondVariantOnly,
                    .beforeSave = Applies::SecondVariantOnly,
                    .signedRows = {495, 885},
                    .followsEntries = Applies::FirstVariantOnly},
            .nameCaption = kSections,
            .amounts = kCurrentYearAmount,
            .previousYear = {{.column = 4, .caption = kPreviousYear, .carriedFrom = 5}},
            .manualColumn = 6,
            .lockedColumn = 7,
            .hiddenColumns = {8},
            .typing = {.above = 4},
            .maxLevel = 4,
            .maxLevelFirstVariant = 3,
            .previousYearReformatted = {4},
            .nameWidthAtLoad = 6500,
            .resizeWidths = {{.column = 0, .percent = 39.5, .offset = -300},
                             {.column = 1, .percent = 10},
                             {.column = 4, .percent = 15},
                             {.column = 5, .percent = 15}},
            .bandFonts = kStatementFonts,
            .headerToggles = kLiquidationToggles,
            .balanceCheck =
                BalanceCheck{.column = 5, .lastRowsSkipped = 7, .message = kAssetsMessage},
        },
        {
            .id = FormId::frmDocOPR,
            .name = "frmDocOPR",
            .caption = u"TELM Transfer - Отчет за приходи и разходи",
            .closeButtonName = "cmdExit",
            .sum = kSumButton,
            .nameCaption = kName,
            .amounts = kCurrentYearAmount,
            .previousYear = {{.column = 8, .caption = kPreviousYear, .carriedFrom = 5}},
            .manualColumn = 6,
            .lockedColumn = 7,
            .hiddenColumns = {4},
            .typing = {.above = 4, .except = {8}},
            .deleteKey = kStatementDelete,
            .maxLevel = 5,
            .previousYearReformatted = {8},
            .nameWidthAtLoad = 6200,
            .resizeWidths = kStatementWidthsWithPreviousYear,
            .bandFonts = kStatementFonts,
            .balanceCheck = BalanceCheck{.column = 5, .message = kIncomeMessage},
        },
        {
            .id = FormId::frmDocOPRLiquid,
            .name = "frmDocOPRLiquid",
            .caption = u"TELM Transfer - Отчет за приходи и разходи в ликвидация",
            .variant = FormVariant::IncomeInLiquidation,
            .sum = kSumButton,
            .nameCaption = kName,
            .amounts = kCurrentYearAmount,
            .previousYear = {{.column = 4, .caption = kPreviousYear, .carriedFrom = 5}},
            .manualColumn = 6,
            .lockedColumn = 7,
            .hiddenColumns = {8},
            .typing = {.above = 4},
            .deleteKey = kStatementDelete,
            .maxLevel = 4,
            .previousYearReformatted = {4},
            .nameWidthAtLoad = 6200,
            .resizeWidths = kLiquidationStatementWidths,
            .bandFonts = kStatementFonts,
            .headerToggles = kLiquidationToggles,
            .balanceCheck = BalanceCheck{.column = 5, .message = kIncomeMessage},
        },
        {
            .id = FormId::frmDocMFlow,
            .name = "frmDocMFlow",
            .caption = u"TELM Transfer - Отчет за паричните потоци по косвения метод",
            .closeButtonName = "cmdExit",
            // А shows the net operating flow with its sign, as Б and В do.
            .sum = {.caption = u"&Сумиране", .signedRows = {10}},
            .nameCaption = kName,
            .amounts = kCurrentYearAmount,
            .previousYear = {{.column = 8, .caption = kPreviousYear, .carriedFrom = 5}},
            .manualColumn = 6,
            .lockedColumn = 7,
            .hiddenColumns = {4},
            .typing = {.above = 4, .except = {8}},
            .deleteKey = kStatementDelete,
            .maxLevel = 3,
            .nameWidthAtLoad = 6500,
            .resizeWidths = kStatementWidthsWithPreviousYear,
            .bandFonts = kStatementFonts,
        },
        {
            .id = FormId::frmDocMFlowLiquid,
            .name = "frmDocMFlowLiquid",
            .caption = u"TELM Transfer - Отчет за паричния поток в ликвидация",
            .closeButtonName = "cmdExit",
            // The section totals ("Всичко …") keep their sign.
            .sum = {.caption = u"&Сумиране", .signedRows = {105, 175, 245}},
            .nameCaption = kName,
            .amounts = kCurrentYearAmount,
            .previousYear = {{.column = 4, .caption = kPreviousYear, .carriedFrom = 5}},
            .manualColumn = 6,
            .lockedColumn = 7,
            .hiddenColumns = {8},
            .typing = {.above = 4},
            .deleteKey = kStatementDelete,
            .maxLevel = 3,
            .previousYearReformatted = {4},
            .nameWidthAtLoad = 6500,
            .resizeWidths = kLiquidationStatementWidths,
            .bandFonts = kStatementFonts,
            .headerToggles = kLiquidationToggles,
        },
        {
            .id = FormId::frmDocOPPCur,
            .name = "frmDocOPPCur",
            .caption = u"TELM Transfer - Отчет за паричните потоци по прекия метод",
            // A net outflow is a real result here: shown in parentheses, not as 0.
            .sum = {.caption = u"Сумиране", .columns = {5, 6, 7}, .keepsNegatives = true},
            .nameCaption = kSections,
            .amounts = {{.column = 5, .caption = u"Текущи постъпления", .field = "DocDta_Sum1"},
                        {.column = 6, .caption = u"Текущи плащания", .field = "DocDta_Sum2"},
                        {.column = 7, .caption = u"Текущ нетен поток", .field = "DocDta_Sum3"}},
            .derived = {.column = 7, .plus = {5}, .minus = {6}}, // net = receipts - payments
            .previousYear = {{.column = 4, .caption = kPreviousYear},
                             {.column = 10, .caption = u"Предходни постъпления", .carriedFrom = 5},
                             {.column = 11, .caption = u"Предходни плащания", .carriedFrom = 6},
                             {.column = 12, .caption = u"Предходен нетен поток", .carriedFrom = 7}},
            .manualColumn = 8,
            .lockedColumn = 9,
            .typing = {.above = 4, .atMost = 6},
            .maxLevel = 2,
            .previousYearReformatted = {10, 11, 12},
            .resizeWidths = {{.column = 0, .percent = 30.5, .offset = -300},
                             {.column = 1, .percent = 5},
                             {.column = 5, .percent = 7.5},
                             {.column = 6, .percent = 7.5},
                             {.column = 7, .percent = 7.5},
                             {.column = 10, .percent = 7.5},
                             {.column = 11, .percent = 7.5},
                             {.column = 12, .percent = 7.5}},
            .bandFonts = {kBoldItalic10, kRegular8},
        },
        {
            .id = FormId::frmDocCapital,
            .name = "frmDocCapital",
            .caption = u"TELM Transfer - Отчет за собствения капитал",
            // The closing balances are computed in every column, Общо included.
            .sum = {.columns = {5, 6, 7, 8, 9, 10, 11, 12, 13, 14},
                    .keepsNegatives = true,
                    .followsEntries = Applies::Always},
            .nameCaption = kIndicators,
            .amounts = {{.column = 5, .caption = u"Основен капитал 1", .field = "DocDta_Sum1"},
                        {.column = 6, .caption = u"Премии от емисия 2", .field = "DocDta_Sum2"},
                        {.column = 7,
                         .caption = u"Резерв от последващи оценки 3",
                         .field = "DocDta_Sum3"},
                        {.column = 8, .caption = u"Общи резерви 4", .field = "DocDta_Sum4"},
                        {.column = 9, .caption = u"Специал. резерви 5", .field = "DocDta_Sum5"},
                        {.column = 10, .caption = u"Други резерви 6", .field = "DocDta_Sum6"},
                        {.column = 11, .caption = u"Печалба 7", .field = "DocDta_Sum7"},
                        {.column = 12, .caption = u"Загуба 8 (–)", .field = "DocDta_Sum8"},
                        {.column = 13, .caption = u"Резерв от преводи 9", .field = "DocDta_Sum9"},
                        {.column = 14, .caption = u"Общо 10", .field = "DocDta_Sum10"}},
            .derived = {.column = 14, .plus = {5, 6, 7, 8, 9, 10, 11, 12, 13}},
            .carriedOpening = CarriedRow{.row = 10, .fromRow = 200},
            .manualColumn = 15,
            .lockedColumn = 16,
            .hiddenColumns = {4, 17},
            .typing = {.above = 4, .except = {14}},
            .deleteKey = {.refusedOnLockedRows = true},
            .maxLevel = 2,
            .everyColumnPercentAtLoad = 12,
            .codeWidthPerBand = false,
            .codeCentredInEveryRow = true,
            .headerHeightTimes = 3,
            // The name column is fixed, white on the fixed-cell colour: its marks
            // keep the title readable on every row at every moment (red would
            // not be, on teal: the title being typed into is yellow on dark teal).
            .nameCellMarks = {.enteredText = qRgb(0, 0, 0),
                              .leftBack = qRgb(0, 128, 128),
                              .leftText = qRgb(255, 255, 255),
                              .editingBack = qRgb(0, 96, 96),
                              .editingText = qRgb(255, 255, 0),
                              .committedText = qRgb(255, 255, 255),
                              .restingBack = qRgb(64, 128, 128)},
            .resizeWidths = {{.column = 0, .percent = 40, .offset = -300},
                             {.column = 1, .percent = 5},
                             {.column = 5, .percent = 12},
                             {.column = 6, .percent = 10},
                             {.column = 7, .percent = 12},
                             {.column = 8, .percent = 10},
                             {.column = 9, .percent = 12},
                             {.column = 10, .percent = 10},
                             {.column = 11, .percent = 10},
                             {.column = 12, .percent = 10},
                             {.column = 13, .percent = 12},
                             {.column = 14, .percent = 10}},
            .bandFonts = {kRegular11, kRegular11},
            .headerToggles = {},
            .fixedCols = 2,
            .landscape = true,
        },
        {
            .id = FormId::frmDocTake,
            .name = "frmDocTake",
            .caption = u"TELM Transfer - Справка за  вземанията",
            .nameCaption = kIndicators,
            .amounts = {{.column = 5, .caption = u"Общ размер", .field = "DocDta_Sum1"},
                        {.column = 6,
                         .caption = u"Степен на ликвидност до 1 година",
                         .field = "DocDta_Sum2"},
                        {.column = 7,
                         .caption = u"Степен на ликвидност над 1 година",
                         .field = "DocDta_Sum3"}},
            .derived = {.column = 5, .plus = {6, 7}},
            .manualColumn = 8,
            .lockedColumn = 9,
            .hiddenColumns = {4, 10},
            .typing = {.above = 5},
            .deleteKey = {.columns = ColumnRule{.above = 1}},
            .maxLevel = 4,
            .headerHeightTimes = 3,
            .resizeWidths = {{.column = 0, .percent = 45, .offset = -300},
                             {.column = 1, .percent = 9},
                             {.column = 5, .percent = 15},
                             {.column = 6, .percent = 15},
                             {.column = 7, .percent = 15}},
            .bandFonts = kStatementFonts,
        },
        {
            .id = FormId::frmDocLiability,
            .name = "frmDocLiability",
            .caption = u"TELM Transfer - Справка за задълженията",
            .nameCaption = kIndicators,
            .amounts = {{.column = 5, .caption = u"Общ размер", .field = "DocDta_Sum1"},
                        {.column = 6,
                         .caption = u"Степен на изискуемост до 1 година",
                         .field = "DocDta_Sum2"},
                        {.column = 7,
                         .caption = u"Степен на изискуемост над 1 година",
                         .field = "DocDta_Sum3"},
                        {.column = 8,
                         .caption = u"Стойност на обезщетението",
                         .field = "DocDta_Sum4"}},
            .derived = {.column = 5, .plus = {6, 7}},
            .manualColumn = 9,
            .lockedColumn = 10,
            .hiddenColumns = {4, 11},
            .typing = {.above = 5},
            .deleteKey = {.columns = ColumnRule{.above = 1}},
            .maxLevel = 4,
            .headerHeightTimes = 3,
            .resizeWidths = {{.column = 0, .percent = 40, .offset = -300},
                             {.column = 1, .percent = 10},
                             {.column = 5, .percent = 10},
                             {.column = 6, .percent = 10},
                             {.column = 7, .percent = 10},
                             {.column = 8, .percent = 13}},
            .bandFonts = kStatementFonts,
        },
        {
            .id = FormId::frmDocProvisions,
            .name = "frmDocProvisions",
            .caption = u"TELM Transfer - Справка за провизиите",
            .nameCaption = kIndicators,
            .amounts = {{.column = 5, .caption = u"В началото на годината", .field = "DocDta_Sum1"},
                        {.column = 6, .caption = u"Увеличение", .field = "DocDta_Sum2"},
                        {.column = 7, .caption = u"Намаление", .field = "DocDta_Sum3"},
                        {.column = 8, .caption = u"В края на годината", .field = "DocDta_Sum4"}},
            // Start of year = end of year + decrease - increase.
            .derived = {.column = 5, .plus = {8, 7}, .minus = {6}},
            .manualColumn = 9,
            .lockedColumn = 10,
            .hiddenColumns = {4, 11},
            .typing = {.above = 5},
            .deleteKey = {.columns = ColumnRule{.above = 1}},
            .maxLevel = 2,
            .nameWidthAtLoad = 6000,
            .headerHeightTimes = 3,
            .resizeWidths = {{.column = 0, .percent = 39, .offset = -300},
                             {.column = 1, .percent = 8},
                             {.column = 5, .percent = 10, .offset = -50},
                             {.column = 6, .percent = 10, .offset = -50},
                             {.column = 7, .percent = 10, .offset = -50},
                             {.column = 8, .percent = 10, .offset = -50}},
            .bandFonts = {kBold11, kBold10},
        },
        {
            .id = FormId::frmDocOPRInterest,
            .name = "frmDocOPRInterest",
            .caption = u"TELM Transfer - Справка за разходите и приходите от лихви",
            .nameCaption = kIndicators,
            .amounts = {{.column = 5, .caption = u"Начислени", .field = "DocDta_Sum1"},
                        {.column = 6, .caption = u"Платени (получени)", .field = "DocDta_Sum2"}},
            .manualColumn = 7,
            .lockedColumn = 8,
            .hiddenColumns = {4, 9},
            .typing = {.above = 1},
            .maxLevel = 3,
            .nameWidthAtLoad = 6000,
            .resizeWidths = {{.column = 0, .percent = 49.5, .offset = -300},
                             {.column = 1, .percent = 10},
                             {.column = 5, .percent = 17},
                             {.column = 6, .percent = 17}},
            .bandFonts = kStatementFonts,
        },
    };
    return profiles;
}
#if defined(__GNUC__) && !defined(__clang__)
#pragma GCC diagnostic pop
#endif

const FormProfile& ProfileFor(FormId id)
{
    for (const FormProfile& profile : FormProfiles())
        if (profile.id == id)
            return profile;
    throw std::logic_error("no form profile");
}

bool AppliesTo(Applies applies, bool secondVariant)
{
    switch (applies) {
    case Applies::Never: return false;
    case Applies::Always: return true;
    case Applies::SecondVariantOnly: return secondVariant;
    case Applies::FirstVariantOnly: return !secondVariant;
    }
    return false;
}

int MaxLevelFor(const FormProfile& profile, const DocType& type)
{
    return type.secondVariant() ? profile.maxLevel
                                : profile.maxLevelFirstVariant.value_or(profile.maxLevel);
}

} // namespace telm
