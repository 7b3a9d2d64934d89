// Form profiles: the fixed values by which the twelve document forms differ.
// One document form class reads its profile; nothing about a type is written
// anywhere else.
#pragma once

#include "selection/Catalogue.h"

#include <QString>

#include <vector>

namespace telm {

struct AmountColumn
{
    int column;
    const char16_t* caption;
    const char* field;          // data-file attribute, DocDta_Sum1 ...
};

struct CaptionedColumn
{
    int column;
    const char16_t* caption;
};

// How a form computes its derived column from the other amounts of a row.
enum class DerivedRule {
    None,
    Col5IsCol6PlusCol7,         // balance, receivables, liabilities
    Col5IsCol8PlusCol7MinusCol6,// provisions: start = end + decrease - increase
    Col7IsCol5MinusCol6,        // direct cash flow: net = receipts - payments
    Col14IsSumOf5To13,          // statement of equity total
};

// A column rule: lowerExclusive < column, column != last, column <= upperInclusive
// (when set), column not among the excluded ones.
struct ColumnRule
{
    int lowerExclusive;
    int upperInclusive = -1;
    std::vector<int> excluded = {};
};

enum class SumButton { None, Always, BalanceLiquid2Only };
enum class SumBeforeSave { Never, Always, WhenVariantFlag };
enum class DeleteOnLocked { Refused, Acts };
enum class DeleteSetsChanged { No, Yes };

struct BalanceCheck
{
    bool enabled = false;
    int rowsFromEnd = 1;        // rows 1 .. Rows - rowsFromEnd are scanned
    int column = 0;
    const char16_t* message = u"";
};

struct ResizeWidth
{
    int column;
    double percent;             // of the grid width G
    int offset;                 // twips added after the percentage
};

struct BandFont
{
    bool useGridFont = false;   // the band keeps the grid's own font
    bool bold = false;
    bool italic = false;
    int points = 0;             // 0: the size of a new default font
};

// A header double click toggles a column's width, for every band, between
// `shortWidth` and the default width (-1).
struct HeaderToggle
{
    int column;
    int shortWidth;
};

struct FormProfile
{
    FormId id;
    const char* name;                   // frmDocBalance ...
    const char16_t* caption;            // window caption
    const char* closeButtonName;        // cmdCancel or cmdExit
    SumButton sumButton;
    const char16_t* sumCaption;

    const char16_t* nameCaption;        // header of column 0
    std::vector<AmountColumn> amounts;  // in column order
    DerivedRule derived;
    int derivedColumn;                  // -1 when none
    std::vector<CaptionedColumn> previousYear;
    int previousYearColumn;             // the single previous-year member, -1 when none
    int manualColumn;
    int lockedColumn;
    std::vector<int> hiddenColumns;     // further hidden columns
    std::vector<int> reformatOnLoad;    // columns put into display form at load
    std::vector<int> zeroWidthPerBand;  // besides ids, flags, previous-year and hidden
    bool codeWidthPerBand;              // code column 100 twips per band at load

    ColumnRule typingRule;
    int liabilitiesColumn;              // -1: the liabilities test is not used
    ColumnRule deleteRule;
    DeleteOnLocked deleteOnLocked;
    DeleteSetsChanged deleteSetsChanged;

    BalanceCheck balanceCheck;
    SumBeforeSave sumBeforeSave;

    int maxLevel;                       // for the balance in liquidation: BalLiq2 value
    int maxLevelOtherVariant;           // BalLiq value; equals maxLevel elsewhere
    int nameWidthAtLoad;                // twips
    int headerHeightFactor;             // 2 or 3
    std::vector<ResizeWidth> resizeWidths;
    std::vector<BandFont> bandFonts;    // bands 0, 1, 2; bands beyond get a new default font
    std::vector<HeaderToggle> headerToggles;
    int fixedCols;
    bool landscape;
    bool allColumnsTwelvePercentAtLoad; // statement of equity

    // Columns the conditional sums add up and write, and whether a negative
    // result is written as it is (otherwise as 0).
    std::vector<int> conditionColumns = {5};
    bool conditionsKeepNegatives = false;

    int codeColumn = 1;
    int idColumn = 2;
    int parentColumn = 3;
};

const std::vector<FormProfile>& FormProfiles();
const FormProfile& ProfileFor(FormId id);

// MaxLevel of a form for the variant flag that applies to it.
int MaxLevelFor(const FormProfile& profile, bool variantFlag);

} // namespace telm
