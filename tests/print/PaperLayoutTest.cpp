// The paper layout in plain numbers (twips), measured with a fixed-pitch
// stand-in for fonts: column widths, wrapped headings and titles, the choice of
// orientation and of font size, and page breaks that keep a heading with its
// rows and the signature with the last rows.
#include "print/PaperLayout.h"

#include <numeric>

#include <gtest/gtest.h>

namespace telm {
namespace {

// Every character 10 twips per point wide (90 at 9 points), lines 20 per point.
class FixedPitch : public PaperMeasure
{
public:
    double width(const QString& text, const PaperFont& font) const override
    {
        return text.size() * font.points * 10;
    }
    double lineHeight(const PaperFont& font) const override { return font.points * 20; }
    double ascent(const PaperFont& font) const override { return font.points * 16; }
};

const FixedPitch kMeasure;

PaperPageInput a4()
{
    PaperPageInput page;
    page.portraitWidth = 10500;
    page.portraitHeight = 15500;
    return page;
}

PaperSheet sheetWith(int amountColumns, const QString& amount, int rows = 3)
{
    PaperSheet sheet;
    sheet.title.typeTitle = QStringLiteral("Баланс");
    sheet.columns.push_back({QStringLiteral("Раздели, групи, статии"), PaperColumnKind::Title});
    sheet.columns.push_back({QStringLiteral("Код на реда"), PaperColumnKind::Code});
    for (int i = 0; i < amountColumns; ++i)
        sheet.columns.push_back({QStringLiteral("Текуща година"), PaperColumnKind::Amount});
    for (int r = 0; r < rows; ++r) {
        PaperRow row;
        row.level = r == 0 ? 0 : 1;
        row.heading = r == 0;
        row.cells << QStringLiteral("Статия %1").arg(r) << QString();
        for (int i = 0; i < amountColumns; ++i)
            row.cells << amount;
        sheet.rows.push_back(row);
    }
    return sheet;
}

int width(const LaidOut& laid, int col)
{
    return laid.columnLeft[col + 1] - laid.columnLeft[col];
}

TEST(PaperLayout, ColumnWidthsOrientationAndFontSize)
{
    const QString eleven = QStringLiteral("(99 999 999 999)");
    const struct
    {
        const char* what;
        int amounts;
        QString amount;
        bool landscape;
        double points;
        int amountWidth; // digits, a closing parenthesis and the margins
    } cases[] = {
        // "999 999 999" is the least an amount column holds: room to write by hand. Every
        // column keeps room for a closing parenthesis at its right.
        {"small amounts: the least width", 2, QStringLiteral("1 500"), false, 9, 12 * 90 + 120},
        {"eleven digits: their width", 2, eleven, false, 9, 16 * 90 + 120},
        {"ten columns do not fit portrait", 10, QStringLiteral("99 999 999 999"), true, 7,
         15 * 70 + 120},
        {"five columns: landscape at full size", 5, eleven, true, 9, 16 * 90 + 120},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.what);
        const LaidOut laid = LayOutPaper(sheetWith(c.amounts, c.amount), a4(), kMeasure);
        EXPECT_EQ(laid.landscape, c.landscape);
        EXPECT_DOUBLE_EQ(laid.body.points, c.points);
        EXPECT_EQ(width(laid, 2), c.amountWidth);
        EXPECT_FALSE(laid.columnShown[1]); // the code column, empty in every row
        EXPECT_EQ(width(laid, 1), 0);
        // The title column takes the rest of the page.
        EXPECT_EQ(laid.tableRight(), laid.pageWidth);
        EXPECT_GE(width(laid, 0), 3600);
        EXPECT_DOUBLE_EQ(laid.scale, 1.0);
    }
}

TEST(PaperLayout, TheFormMayAskForLandscapeAndTheUserForEither)
{
    PaperSheet sheet = sheetWith(2, QStringLiteral("1"));
    sheet.preferLandscape = true;
    EXPECT_TRUE(LayOutPaper(sheet, a4(), kMeasure).landscape);
    PaperPageInput page = a4();
    page.landscape = false;
    EXPECT_FALSE(LayOutPaper(sheet, page, kMeasure).landscape);
}

TEST(PaperLayout, AColumnWithACodeIsShown)
{
    PaperSheet sheet = sheetWith(1, QStringLiteral("1"));
    sheet.rows[1].cells[1] = QStringLiteral("1010");
    const LaidOut laid = LayOutPaper(sheet, a4(), kMeasure);
    ASSERT_TRUE(laid.columnShown[1]);
    // The heading's widest word "реда" with air around it is wider than the code.
    EXPECT_EQ(width(laid, 1), 4 * 80 + 120 + 120);
}

TEST(PaperLayout, HeadingsAndTitlesWrapAtWordsAndRowsGrow)
{
    PaperSheet sheet = sheetWith(1, QStringLiteral("1"));
    sheet.columns[2].heading = QStringLiteral("Степен на ликвидност до 1 година");
    const QString longTitle = QStringLiteral(
        "Вземания от предприятия от група и от свързани предприятия, включително "
        "търговски заеми, предоставени аванси и други вземания с падеж над една година");
    sheet.rows[1].cells[0] = longTitle;
    const LaidOut laid = LayOutPaper(sheet, a4(), kMeasure);
    const auto& heading = laid.headerRow.cells[2];
    ASSERT_GE(heading.size(), 3u);
    QStringList words;
    for (const PaperLine& line : heading) {
        EXPECT_LE(kMeasure.width(line.text, laid.header), width(laid, 2) - 2 * Paper::kCellPad);
        words << line.text;
    }
    EXPECT_EQ(words.join(u' '), sheet.columns[2].heading); // whole words, none lost
    EXPECT_EQ(laid.headerRow.height,
              int(heading.size() * kMeasure.lineHeight(laid.header)) + 2 * Paper::kCellPadY);

    const auto& title = laid.rows[1].cells[0];
    ASSERT_GE(title.size(), 2u);
    QStringList lines;
    for (const PaperLine& line : title)
        lines << line.text;
    EXPECT_EQ(lines.join(u' '), longTitle);
    EXPECT_EQ(laid.rows[1].height,
              int(title.size() * kMeasure.lineHeight(laid.body)) + 2 * Paper::kCellPadY);
    // Indented by its level.
    EXPECT_EQ(title.front().x, laid.columnLeft[0] + Paper::kCellPad + Paper::kIndent);
}

TEST(PaperLayout, ANegativeAmountsParenthesisHangs)
{
    PaperSheet sheet = sheetWith(1, QStringLiteral("(1 500)"));
    sheet.rows[2].cells[2] = QStringLiteral("1 500");
    const LaidOut laid = LayOutPaper(sheet, a4(), kMeasure);
    EXPECT_EQ(laid.rows[1].cells[2].front().x, laid.rows[2].cells[2].front().x - 90);
}

// Rows of 360 twips; pages hold 15500 less the blocks.
PaperSheet longSheet(int rows, std::vector<int> headings)
{
    PaperSheet sheet = sheetWith(1, QStringLiteral("1"), rows);
    for (PaperRow& row : sheet.rows) {
        row.heading = false;
        row.level = 1;
    }
    for (int h : headings) {
        sheet.rows[h].heading = true;
        sheet.rows[h].level = 0;
    }
    return sheet;
}

int rowsOn(const LaidOut& laid)
{
    return std::accumulate(laid.pages.begin(), laid.pages.end(), 0,
                           [](int n, const LaidPage& p) { return n + p.rowCount; });
}

TEST(PaperLayout, PagesKeepHeadingsWithTheirRowsAndTheSignatureWithTheLastRows)
{
    const LaidOut plain = LayOutPaper(longSheet(120, {}), a4(), kMeasure);
    ASSERT_GE(plain.pages.size(), 3u);
    const int firstPageRows = plain.pages[0].rowCount;
    EXPECT_EQ(rowsOn(plain), 120);
    EXPECT_TRUE(plain.pages[0].titleBlock);
    EXPECT_FALSE(plain.pages[1].titleBlock);
    EXPECT_EQ(plain.pages[1].tableTop, plain.runningHeaderHeight);

    // A heading that would be the last row of page 1 goes over with its rows.
    for (int taken : {1, 2}) {
        SCOPED_TRACE(taken);
        const int heading = firstPageRows - taken;
        const LaidOut kept = LayOutPaper(longSheet(120, {heading}), a4(), kMeasure);
        EXPECT_EQ(kept.pages[0].rowCount, heading);
        EXPECT_EQ(kept.pages[1].firstRow, heading);
    }
    // As many rows as fill a page alone: the signature takes the last two over.
    for (const LaidOut& laid : {plain, LayOutPaper(longSheet(firstPageRows, {}), a4(), kMeasure)}) {
        const LaidPage& last = laid.pages.back();
        ASSERT_TRUE(last.signatureTop.has_value());
        EXPECT_GE(last.rowCount, 2);
        EXPECT_LE(*last.signatureTop + laid.signatureHeight, laid.pageHeight - laid.footHeight);
        for (std::size_t p = 0; p + 1 < laid.pages.size(); ++p)
            EXPECT_FALSE(laid.pages[p].signatureTop.has_value());
    }
}

TEST(PaperLayout, WrapWordsBreaksAWordOnlyWhenItMust)
{
    const PaperFont font{10, false, false};
    EXPECT_EQ(WrapWords(QStringLiteral("аа бб вв"), 500, font, kMeasure),
              (QStringList{QStringLiteral("аа бб"), QStringLiteral("вв")}));
    EXPECT_EQ(WrapWords(QStringLiteral("абвгдежзий"), 400, font, kMeasure),
              (QStringList{QStringLiteral("абвг"), QStringLiteral("дежз"), QStringLiteral("ий")}));
    EXPECT_TRUE(WrapWords(QStringLiteral("  "), 400, font, kMeasure).isEmpty());
}

TEST(PaperLayout, PeriodLinesAsAccountantsWriteThem)
{
    EXPECT_EQ(PeriodLine(true, 12, 2025), QStringLiteral("към 31.12.2025 г."));
    EXPECT_EQ(PeriodLine(false, 12, 2025), QStringLiteral("за периода 01.01.–31.12.2025 г."));
    EXPECT_EQ(PeriodLine(false, 6, 2024), QStringLiteral("за периода 01.01.–30.06.2024 г."));
    EXPECT_EQ(PeriodLine(true, 3, 2024), QStringLiteral("към 31.03.2024 г."));
    EXPECT_EQ(UnitLine(PaperUnit::Thousands), QStringLiteral("(в хиляди лева)"));
}

} // namespace
} // namespace telm
