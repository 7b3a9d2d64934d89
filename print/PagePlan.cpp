#include "print/PagePlan.h"

#include <algorithm>
#include <numeric>

namespace telm {

namespace {

// The title block of the first page: each line one text line below the one
// before, as a printer's print position moves after a line. Returns the
// position after the last line.
int planTitle(const PagePlanInput& in, PlannedPage& page)
{
    int y = in.pageHeight / 15;
    page.titleTops.push_back(y);
    y += in.titleLineHeight;
    const int lines = in.forecastLine ? 3 : 2;
    for (int i = 0; i < lines; ++i) {
        y += in.textLineHeight;
        page.titleTops.push_back(y);
        y += in.textLineHeight;
    }
    return y;
}

} // namespace

int LimitWidth(int pageWidth, bool landscape)
{
    return landscape ? pageWidth : static_cast<int>(pageWidth / 10.0 * 9);
}

int GridWidthFillingPage(int pageWidth, bool landscape)
{
    return LimitWidth(pageWidth, landscape) * 4 / 5;
}

PagePlan PlanPages(const PagePlanInput& in)
{
    PagePlan plan;
    plan.sourceWidth = std::accumulate(in.columnWidths.begin(), in.columnWidths.end(), 0);
    plan.naturalWidth = plan.sourceWidth * 5 / 4;
    plan.limitWidth = LimitWidth(in.pageWidth, in.landscape);
    plan.gridWidth = std::min(plan.naturalWidth, plan.limitWidth);
    plan.gridLeft = in.pageWidth - plan.limitWidth;

    const int bottom = in.pageHeight - in.footHeight;
    const int rows = static_cast<int>(in.rowHeights.size());
    int next = 0; // the next body row to print
    int source = in.headerHeight;
    bool firstPage = true;
    do {
        PlannedPage page;
        int y = 0;
        if (firstPage) {
            const int titleEnd = planTitle(in, page);
            // A quarter down the page, unless the title block reaches further.
            y = std::max(in.pageHeight / 4, titleEnd + in.textLineHeight);
        }
        page.header = PlannedStrip{0, in.headerHeight, y};
        y += in.headerHeight;
        const int space = bottom - y;

        page.firstRow = next;
        int height = 0;
        while (next < rows && height + in.rowHeights[next] <= space)
            height += in.rowHeights[next++];
        int sourceHeight = height;
        if (next == page.firstRow && next < rows && !firstPage) {
            // Taller than a whole page: printed cut at the foot, and the print goes on.
            height = std::max(0, space);
            sourceHeight = in.rowHeights[next++];
            page.rowClipped = true;
        }
        page.rowCount = next - page.firstRow;
        page.body = PlannedStrip{source, height, y};
        source += sourceHeight;

        if (next >= rows) {
            const int signature = y + height + in.textLineHeight;
            if (signature + in.textLineHeight <= bottom) {
                page.signatureTop = signature;
            } else {
                page.footTop = in.pageHeight - in.footHeight;
                plan.pages.push_back(page);
                // No room left under the last row: the signature opens a page of its own.
                page = PlannedPage{};
                page.firstRow = next;
                page.body = PlannedStrip{source, 0, 0};
                page.signatureTop = 0;
            }
        }
        page.footTop = in.pageHeight - in.footHeight;
        plan.pages.push_back(page);
        firstPage = false;
    } while (next < rows);
    return plan;
}

} // namespace telm
