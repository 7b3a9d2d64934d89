// Printing benchmark: the shipped balance sheet and a 10 000-row synthetic
// grid printed to PDF, each against one rendering of the same grid into an
// image at the screen's resolution, and the size of the PDF.
//   cmake --build <build> --target print_bench && QT_QPA_PLATFORM=offscreen
//   <build>/bench/print_bench
#include "bench/SyntheticRowset.h"
#include "editor/DocumentEngine.h"
#include "editor/FormLayout.h"
#include "editor/PaperSheetOf.h"
#include "grid/GridGeometry.h"
#include "grid/GridPainter.h"
#include "print/PrintDocument.h"
#include "selection/Catalogue.h"
#include "selection/DataFileName.h"
#include "selection/DocumentContext.h"

#include <QElapsedTimer>
#include <QFileInfo>
#include <QGuiApplication>
#include <QPageLayout>
#include <QTemporaryDir>

#include <algorithm>
#include <cstdio>
#include <functional>

using namespace telm;

namespace {

double bestMs(int repeats, const std::function<void()>& step)
{
    double best = 1e300;
    for (int i = 0; i < repeats; ++i) {
        QElapsedTimer timer;
        timer.start();
        step();
        best = std::min(best, timer.nsecsElapsed() / 1e6);
    }
    return best;
}

// The grid as paper shows it: every row, the name and the amount columns.
PaperSheet sheetOf(const GridModel& grid, const std::vector<int>& amountColumns)
{
    PaperSheet sheet;
    sheet.title.typeTitle = QStringLiteral("Баланс");
    sheet.title.company = QStringLiteral("Фирма ООД");
    sheet.title.bulstat = QStringLiteral("123456786");
    sheet.title.periodLine = PeriodLine(true, 12, 2025);
    sheet.title.unitLine = UnitLine(PaperUnit::Leva);
    sheet.columns.push_back({grid.TextMatrix(0, 0), PaperColumnKind::Title});
    for (int col : amountColumns)
        sheet.columns.push_back({grid.TextMatrix(0, col), PaperColumnKind::Amount});
    for (int row = 1; row < grid.Rows(); ++row) {
        PaperRow paper{grid.band(row), grid.hasChildren(row), grid.hasChildren(row), {}};
        paper.cells.push_back(grid.TextMatrix(row, 0));
        for (int col : amountColumns)
            paper.cells.push_back(grid.TextMatrix(row, col));
        sheet.rows.push_back(paper);
    }
    return sheet;
}

void measure(const char* name, const GridModel& grid, const PaperSheet& sheet, const QString& pdf)
{
    const double printMs = bestMs(5, [&] {
        if (PrintFiling(pdf, {sheet}))
            std::printf("print failed\n");
    });
    const double imageMs = bestMs(5, [&] {
        GridGeometry geometry;
        geometry.update(&grid, 96, 96);
        const QImage image = GridImage(grid, geometry);
        if (image.isNull())
            std::printf("no image\n");
    });
    std::printf("%-28s %8d %10.1f %10.1f %8.1f %10.0f\n", name, grid.Rows() - 1, printMs, imageMs,
                printMs / imageMs, QFileInfo(pdf).size() / 1024.0);
}

} // namespace

int main(int argc, char** argv)
{
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM"))
        qputenv("QT_QPA_PLATFORM", "offscreen");
    QGuiApplication app(argc, argv);
    QTemporaryDir dir;
    std::printf("%-28s %8s %10s %10s %8s %10s\n", "document", "rows", "PDF ms", "image ms", "ratio",
                "PDF KB");

    // The balance sheet as the form lays it out for an A4 page.
    AppState state;
    state.programFolder = QStringLiteral(TELM_PROGRAM_DIR);
    const DocType& balance = *DocTypeAt(0);
    state.docType.Name = balance.titleText();
    DocumentEngine engine(
        state,
        DocumentInContext(state, balance, 0, TemplatePath(state.programFolder, balance), false));
    if (engine.load()) {
        std::printf("cannot load %s\n", qPrintable(TemplatePath(state.programFolder, balance)));
        return 1;
    }
    const int gridWidth = GridWidthForColumns(engine.profile(), 7900);
    ApplyLoadLayout(engine.profile(), engine.maxLevel(), engine.grid(), gridWidth);
    ApplyResizeWidths(engine.profile(), engine.grid(), gridWidth);
    measure("balance sheet", engine.grid(), PaperSheetOf(engine, PaperOptions{}),
            dir.filePath(QStringLiteral("balance.pdf")));

    GridModel synthetic;
    synthetic.bind(bench::SyntheticRowset(10000));
    synthetic.setRowHeight(0, 600);
    synthetic.setHeaderBold(true);
    synthetic.setColWidth(0, 0, 5000);
    for (int col : {2, 3, 4, 6})
        synthetic.setColWidth(col, 0, 0);
    for (int col : {5, 7})
        synthetic.setFigureColumn(col, true);
    measure("synthetic, six bands", synthetic, sheetOf(synthetic, {5, 7}),
            dir.filePath(QStringLiteral("synthetic.pdf")));
    return 0;
}
