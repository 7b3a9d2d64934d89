// The printed document's pages as plain numbers: where the title block
// stands, where the grid goes and how wide, which rows each page holds (its
// header strip and its body strip), where the signature line and the page
// number stand. No printer and no widget; PrintDocument paints the plan.
//
// Every length is in one unit: twips, as the rules for the printed form state
// them. PrintDocument passes the device's own units (twips on a 1440-dpi PDF),
// so that what it paints lines up with the plan to the dot.
#pragma once

#include <optional>
#include <vector>

namespace telm {

struct PagePlanInput
{
    int pageWidth = 0;             // P_W: the printable width
    int pageHeight = 0;            // P_H: the printable height
    bool landscape = false;        // the whole width is the limit, not nine tenths of it
    std::vector<int> columnWidths; // every column; 0 for one not shown
    int headerHeight = 0;          // the header row
    std::vector<int> rowHeights;   // the body rows shown, in grid order
    int titleLineHeight = 0;       // a line of the 24-point title
    int textLineHeight = 0;        // a line of 16-point text ("Текст")
    bool forecastLine = false;     // "Прогнозен документ" under the period line
    int footHeight = 0;            // the page number's line at the foot; 0: none
};

// A horizontal strip of the grid: `sourceTop` and `height` in the grid (0 is
// the top of the header row), painted with its top at `top` on the page.
struct PlannedStrip
{
    int sourceTop = 0;
    int height = 0;
    int top = 0;
};

struct PlannedPage
{
    std::vector<int> titleTops; // first page: title, company, period (, forecast)
    std::optional<PlannedStrip> header;
    PlannedStrip body; // height 0: no rows on the page
    int firstRow = 0;  // index into rowHeights
    int rowCount = 0;
    bool rowClipped = false;         // a row taller than a whole page, cut at its foot
    std::optional<int> signatureTop; // last page only
    int footTop = 0;                 // the page number
};

struct PagePlan
{
    int naturalWidth = 0; // N: 5/4 of the grid's own width
    int limitWidth = 0;   // L: the page width in landscape, nine tenths of it in portrait
    int gridWidth = 0;    // W = min(N, L)
    int gridLeft = 0;     // X = P_W - L
    int sourceWidth = 0;  // the grid's own width, spread across W
    std::vector<PlannedPage> pages;
};

PagePlan PlanPages(const PagePlanInput& input);

// L: the widest the grid may be printed on a page `pageWidth` wide.
int LimitWidth(int pageWidth, bool landscape);
// The grid's own width whose printed width (5/4 of it) just fills L: what a
// grid laid out for paper alone (telmtool print) is made as wide as.
int GridWidthFillingPage(int pageWidth, bool landscape);

} // namespace telm
