// Grid paint benchmark: binds synthetic models of growing size and times a
// full repaint of the viewport at the top, the middle and the end of the grid,
// plus Page Down moves with their repaint, to show the cost does not grow with the row count.
//   cmake --build <build> --target telm_bench_grid_paint && <build>/bench/telm_bench_grid_paint
#include "bench/SyntheticRowset.h"
#include "grid/GridModel.h"
#include "grid/GridWidget.h"
#include "xmlfiles/Rowset.h"

#include <QApplication>
#include <QElapsedTimer>
#include <QImage>
#include <QPainter>
#include <QScrollBar>
#include <QTest>

#include <cstdio>

using namespace telm;

namespace {

double msPerRepaint(GridWidget& grid, int repeats)
{
    QImage target(grid.viewport()->size(), QImage::Format_RGB32);
    QElapsedTimer timer;
    timer.start();
    for (int i = 0; i < repeats; ++i)
        grid.viewport()->render(&target);
    return timer.nsecsElapsed() / 1e6 / repeats;
}

} // namespace

int main(int argc, char** argv)
{
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM"))
        qputenv("QT_QPA_PLATFORM", "offscreen");
    QApplication app(argc, argv);

    std::printf("%-8s %10s %12s %12s %12s %14s\n", "rows", "bind ms", "top ms", "middle ms",
                "end ms", "PageDown ms");
    for (int rows : {1000, 10000, 100000}) {
        Rowset rs = bench::SyntheticRowset(rows);
        GridModel model;
        QElapsedTimer timer;
        timer.start();
        model.bind(std::move(rs));
        const double bindMs = timer.nsecsElapsed() / 1e6;
        model.setRowHeight(0, 600);
        model.setHeaderBold(true);
        model.setWordWrap(true);
        model.setColWidth(0, 0, 5600);
        for (int col : {2, 3, 4})
            model.setColWidth(col, 0, 0);

        GridWidget grid;
        grid.setModel(&model);
        grid.resize(1024, 700);
        grid.show();
        msPerRepaint(grid, 3); // warm up the layout cache and fonts

        const int repeats = 50;
        const double top = msPerRepaint(grid, repeats);
        QScrollBar* v = grid.verticalScrollBar();
        v->setValue(v->maximum() / 2);
        const double middle = msPerRepaint(grid, repeats);
        v->setValue(v->maximum());
        const double end = msPerRepaint(grid, repeats);

        v->setValue(0);
        model.setCurrentCell(1, 0);
        QImage target(grid.viewport()->size(), QImage::Format_RGB32);
        timer.restart();
        for (int i = 0; i < repeats; ++i) {
            QTest::keyClick(&grid, Qt::Key_PageDown);
            grid.viewport()->render(&target);
        }
        const double pageDown = timer.nsecsElapsed() / 1e6 / repeats;
        std::printf("%-8d %10.2f %12.3f %12.3f %12.3f %14.3f\n", rows, bindMs, top, middle, end,
                    pageDown);
    }
    return 0;
}
