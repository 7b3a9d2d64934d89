// Form profiles: the fixed values by which the twelve document forms differ.
// One document form class reads its profile; nothing about a form is written
// anywhere else. Every member has a default, so a profile in FormProfile.cpp
// names only what makes its form different from the common pattern.
#pragma once

#include "selection/Catalogue.h"

#include <QRgb>

#include <optional>
#include <span>
#include <vector>

namespace telm {

// An amount the user types (or the form derives) and the save writes.
struct AmountColumn
{
    int column = -1;
    const char16_t* caption = u"";
    const char* field = ""; // data-file attribute: DocDta_Sum1 ...
};

// A previous-year column. One that names the current-year column it follows
// (`carriedFrom`) is shown beside the current year and saved: a new document
// takes it from that column of last year's data file, or, where there is no
// such file, it is typed. Without `carriedFrom` it stays hidden and is only kept.
struct CaptionedColumn
{
    int column = -1;
    const char16_t* caption = u"";
    int carriedFrom = -1;
};

// A row a new document takes from another row of last year's data file, in
// every amount column (the equity statement's opening balance is last year's
// restated closing balance). Identifiers of top-level rows.
struct CarriedRow
{
    int row = -1;
    int fromRow = -1;
};

// The columns a key may act on: above `above`, not the last column, at most
// `atMost` when set, and none of `except`. `exceptInLiabilities` are refused
// too on rows of the liabilities section (below a top-level "пасив").
struct ColumnRule
{
    int above = 4;
    std::optional<int> atMost = std::nullopt;
    std::vector<int> except = {};
    std::vector<int> exceptInLiabilities = {};
};

// The Delete key (and the keypad's decimal key): sets an amount to 0, a
// change like any entry.
struct DeleteKeyRule
{
    std::optional<ColumnRule> columns = std::nullopt; // none: as typing
    bool refusedOnLockedRows = false;                 // otherwise the locked flag is ignored
};

// The text of an entry while it is typed into the editor box: a red dark
// enough to read on white (7.4 : 1).
constexpr QRgb kEditedText = qRgb(176, 0, 0);

// The colours the name cell of the row being worked on takes at each moment;
// a text colour left unset keeps the cell's own. Every text keeps a contrast of
// at least 4.5 : 1 with the background it is drawn on.
struct NameCellMarks
{
    std::optional<QRgb> enteredText = std::nullopt; // on the current-row colour
    QRgb leftBack = qRgb(255, 255, 255);
    std::optional<QRgb> leftText = std::nullopt;
    QRgb editingBack = qRgb(255, 255, 255); // the text turns red
    QRgb editingText = kEditedText;
    QRgb committedText = qRgb(0, 0, 0);     // after a commit or Esc
    QRgb restingBack = qRgb(255, 255, 255); // while printing
};

// A column computed from others of its row at every commit:
// column = the sum of `plus` − the sum of `minus`.
struct DerivedColumn
{
    int column = -1; // -1: the form has none
    std::vector<int> plus = {};
    std::vector<int> minus = {};
};

// Which document types of a form something applies to. The second variant is
// the one the variant flag picks when true ("Баланс в ликвидация 2").
enum class Applies { Never, Always, SecondVariantOnly, FirstVariantOnly };

// The Sum button and the conditional sums behind it.
struct SumButtonRule
{
    const char16_t* caption = nullptr; // nullptr: the form has no Sum button
    Applies shown = Applies::Always;
    Applies beforeSave = Applies::Always; // the sums run first on every save
    std::vector<int> columns = {5};       // summed and written
    bool keepsNegatives = false;          // otherwise a negative result is written as 0
    std::vector<int> signedRows = {};     // result rows (DocStr_ID) that keep their sign anyway
    // The result rows follow every entry, load and save, like totals (in the
    // carried previous-year columns too), button or not.
    Applies followsEntries = Applies::Never;
};

// A warning at save when the first and the last top-level rows differ.
struct BalanceCheck
{
    int column = 5;
    int lastRowsSkipped = 0; // the last rows of the grid are not looked at
    const char16_t* message = u"";
};

// A band-0 width on every resize: gridWidth / 100 × percent + offset twips.
struct ResizeWidth
{
    int column = 0;
    double percent = 0;
    int offset = 0;
};

// The font of one band's rows; 0 points keeps the size of a new default font.
struct BandFont
{
    bool bold = false;
    bool italic = false;
    int points = 0;
};

// A header double click toggles a column's width, for every band, between
// `shortWidth` twips and the default width.
struct HeaderToggle
{
    int column = 1;
    int shortWidth = 100;
};

// Which variant flag of the document context a two-variant form reads.
enum class FormVariant { None, BalanceInLiquidation, IncomeInLiquidation };

struct FormProfile
{
    // Identity and window.
    FormId id = FormId::frmDocBalance;
    const char* name = "";                     // frmDocBalance ...
    const char16_t* caption = u"";             // window caption
    const char* closeButtonName = "cmdCancel"; // or cmdExit; either reads "&Изход"
    FormVariant variant = FormVariant::None;
    SumButtonRule sum = {};

    // Columns. 0 is the name, 1 the code, 2 the row identifier and 3 the
    // parent's identifier in every form.
    const char16_t* nameCaption = u"";      // header of column 0
    std::vector<AmountColumn> amounts = {}; // in column order
    DerivedColumn derived = {};
    std::vector<CaptionedColumn> previousYear = {};
    std::optional<CarriedRow> carriedOpening = std::nullopt;
    int manualColumn = -1;               // a true flag lets a group row take entries
    int lockedColumn = -1;               // a non-zero flag makes a row read-only
    std::vector<int> hiddenColumns = {}; // template fields no one sees
    int codeColumn = 1;
    int idColumn = 2;
    int parentColumn = 3;

    // Keys.
    ColumnRule typing = {};       // typing, F2 and double click
    DeleteKeyRule deleteKey = {}; // its columns also admit the Enter move

    // Load.
    int maxLevel = 0;                                       // child bands of the document
    std::optional<int> maxLevelFirstVariant = std::nullopt; // none: as maxLevel
    std::vector<int> previousYearReformatted = {}; // put into display form at load, as amounts are

    // Layout, in twips.
    std::optional<double> everyColumnPercentAtLoad = std::nullopt; // of the grid width
    int nameWidthAtLoad = 5000;
    bool codeWidthPerBand = true;           // the code column 100 twips in every band
    std::vector<int> zeroWidthPerBand = {}; // besides identifiers, flags, previous year, hidden
    bool codeCentredInEveryRow = false;     // not only in the header
    int headerHeightTimes = 2;              // 3: captions centred both ways
    NameCellMarks nameCellMarks = {};
    std::vector<ResizeWidth> resizeWidths = {};
    std::vector<BandFont> bandFonts = {}; // bands 0, 1, 2; the deepest keeps the grid's font
    std::vector<HeaderToggle> headerToggles = {{}};
    int fixedCols = 0;

    // Save and print.
    std::optional<BalanceCheck> balanceCheck = std::nullopt;
    bool landscape = false;
};

// The twelve profiles, in no particular order.
std::span<const FormProfile> FormProfiles();
const FormProfile& ProfileFor(FormId id);

// Whether a rule applies to a document type of its form.
bool AppliesTo(Applies applies, bool secondVariant);

// MaxLevel of a form for one of its document types.
int MaxLevelFor(const FormProfile& profile, const DocType& type);

} // namespace telm
