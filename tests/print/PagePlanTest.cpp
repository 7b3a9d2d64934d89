// The page plan in plain numbers (twips): widths, left edge, the title block,
// strips page by page, the signature line and the rows that do not fit.
#include "print/PagePlan.h"

#include <numeric>

#include <gtest/gtest.h>

namespace telm {
namespace {

// A4-like printable area, a 600-twip header row, 24- and 16-point lines of
// 500 and 400 twips, an 8-point page number of 200.
PagePlanInput page(std::vector<int> rows, std::vector<int> columns = {3000, 0, 1500, 0, 1500},
                   bool landscape = false)
{
    PagePlanInput in;
    in.pageWidth = landscape ? 15000 : 11000;
    in.pageHeight = landscape ? 10000 : 15000;
    in.landscape = landscape;
    in.columnWidths = std::move(columns);
    in.headerHeight = 600;
    in.rowHeights = std::move(rows);
    in.titleLineHeight = 500;
    in.textLineHeight = 400;
    in.footHeight = 200;
    return in;
}

int totalRows(const PagePlan& plan)
{
    return std::accumulate(plan.pages.begin(), plan.pages.end(), 0,
                           [](int sum, const PlannedPage& p) { return sum + p.rowCount; });
}

TEST(PagePlan, WidthsAndLeftEdge)
{
    const struct
    {
        const char* what;
        std::vector<int> columns;
        bool landscape;
        int natural, limit, width, left;
    } cases[] = {
        // 6 000 twips of visible columns print 7 500 wide; hidden columns count for nothing.
        {"fits", {3000, 0, 1500, 0, 1500}, false, 7500, 9900, 7500, 1100},
        {"squeezed to 90 % in portrait", {6000, 4000}, false, 12500, 9900, 9900, 1100},
        {"fits in landscape, at the left edge", {3000, 3000}, true, 7500, 15000, 7500, 0},
        {"squeezed to the whole width in landscape", {9000, 7000}, true, 20000, 15000, 15000, 0},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.what);
        const PagePlan plan = PlanPages(page({300}, c.columns, c.landscape));
        EXPECT_EQ(plan.naturalWidth, c.natural);
        EXPECT_EQ(plan.limitWidth, c.limit);
        EXPECT_EQ(plan.gridWidth, c.width);
        EXPECT_EQ(plan.gridLeft, c.left);
        EXPECT_EQ(plan.sourceWidth, c.natural * 4 / 5);
    }
}

// A grid laid out for paper alone is made as wide as fills the limit: printed
// at its natural width, neither squeezed nor short of the limit by more than
// the rounding.
TEST(PagePlan, AGridMadeToFillThePageFillsIt)
{
    for (const bool landscape : {false, true}) {
        SCOPED_TRACE(landscape);
        const int pageWidth = page({300}, {}, landscape).pageWidth;
        const PagePlan plan =
            PlanPages(page({300}, {GridWidthFillingPage(pageWidth, landscape)}, landscape));
        EXPECT_EQ(plan.limitWidth, landscape ? 15000 : 9900);
        EXPECT_EQ(plan.gridWidth, plan.naturalWidth); // not squeezed
        EXPECT_GE(plan.naturalWidth, plan.limitWidth - 2);
    }
}

TEST(PagePlan, AShortDocumentIsOnePage)
{
    const PagePlan plan = PlanPages(page(std::vector<int>(10, 300)));
    ASSERT_EQ(plan.pages.size(), 1u);
    const PlannedPage& p = plan.pages[0];
    // Title at P_H/15; company and period each a text line below the line before.
    EXPECT_EQ(p.titleTops, (std::vector<int>{1000, 1900, 2700}));
    ASSERT_TRUE(p.header);
    EXPECT_EQ(p.header->top, 3750); // P_H/4
    EXPECT_EQ(p.header->sourceTop, 0);
    EXPECT_EQ(p.header->height, 600);
    EXPECT_EQ(p.body.top, 4350);
    EXPECT_EQ(p.body.sourceTop, 600);
    EXPECT_EQ(p.body.height, 3000);
    EXPECT_EQ(p.rowCount, 10);
    ASSERT_TRUE(p.signatureTop);
    EXPECT_EQ(*p.signatureTop, 4350 + 3000 + 400); // one text line below the last row
    EXPECT_EQ(p.footTop, 14800);
}

TEST(PagePlan, ALongDocumentContinuesAtTheTopWithTheHeaderRow)
{
    const PagePlan plan = PlanPages(page(std::vector<int>(100, 300)));
    // Page 1: rows below 4 350 up to the page number at 14 800: 34 rows.
    // Pages 2, 3: header at the top, rows from 600: 47 each until the rows run out.
    ASSERT_EQ(plan.pages.size(), 3u);
    const int counts[] = {34, 47, 19};
    int source = 600;
    for (int i = 0; i < 3; ++i) {
        SCOPED_TRACE(i);
        const PlannedPage& p = plan.pages[i];
        EXPECT_EQ(p.rowCount, counts[i]);
        EXPECT_EQ(p.titleTops.empty(), i > 0);
        ASSERT_TRUE(p.header);
        EXPECT_EQ(p.header->top, i == 0 ? 3750 : 0);
        EXPECT_EQ(p.body.top, p.header->top + 600);
        EXPECT_EQ(p.body.sourceTop, source);
        EXPECT_LE(p.body.top + p.body.height, p.footTop);
        EXPECT_EQ(p.signatureTop.has_value(), i == 2);
        source += p.body.height;
    }
    EXPECT_EQ(totalRows(plan), 100);
}

TEST(PagePlan, ARowTallerThanAPageIsClippedAndThePrintGoesOn)
{
    const PagePlan plan = PlanPages(page({300, 20000, 300}));
    ASSERT_EQ(plan.pages.size(), 3u);
    EXPECT_EQ(plan.pages[0].rowCount, 1);
    const PlannedPage& tall = plan.pages[1];
    EXPECT_EQ(tall.rowCount, 1);
    EXPECT_TRUE(tall.rowClipped);
    EXPECT_EQ(tall.body.height, 14800 - 600); // the whole page below the header
    EXPECT_EQ(tall.body.sourceTop, 900);
    EXPECT_EQ(plan.pages[2].body.sourceTop, 20900); // the next row, past the whole tall one
    EXPECT_EQ(plan.pages[2].rowCount, 1);
    EXPECT_TRUE(plan.pages[2].signatureTop);
}

TEST(PagePlan, ASignatureWithNoRoomLeftOpensAPageOfItsOwn)
{
    // 34 rows fill page 1 to 14 550; the signature would end below the page number.
    const PagePlan plan = PlanPages(page(std::vector<int>(34, 300)));
    ASSERT_EQ(plan.pages.size(), 2u);
    EXPECT_FALSE(plan.pages[0].signatureTop);
    EXPECT_EQ(plan.pages[0].rowCount, 34);
    EXPECT_FALSE(plan.pages[1].header);
    EXPECT_EQ(plan.pages[1].rowCount, 0);
    EXPECT_EQ(plan.pages[1].signatureTop, 0);
}

TEST(PagePlan, AForecastAddsALineAndATallTitleBlockPushesTheGridDown)
{
    PagePlanInput in = page({300});
    in.forecastLine = true;
    EXPECT_EQ(PlanPages(in).pages[0].titleTops, (std::vector<int>{1000, 1900, 2700, 3500}));
    EXPECT_EQ(PlanPages(in).pages[0].header->top, 4300); // a line below the block, not at P_H/4
}

TEST(PagePlan, AnEmptyGridStillPrintsItsHeaderAndSignature)
{
    const PagePlan plan = PlanPages(page({}));
    ASSERT_EQ(plan.pages.size(), 1u);
    EXPECT_TRUE(plan.pages[0].header);
    EXPECT_TRUE(plan.pages[0].signatureTop);
}

} // namespace
} // namespace telm
