// The grid painter with no widget at all: the whole grid and any part of it,
// at the screen's resolution and at a printer's.
#include "grid/GridPainter.h"

#include "grid/GridGeometry.h"
#include "grid/GridModel.h"
#include "grid/Twips.h"
#include "xmlfiles/Rowset.h"

#include <QImage>
#include <QPainter>

#include <gtest/gtest.h>

namespace telm {
namespace {

// Name (fixed), code, a hidden identifier and two amounts; a group with
// children and a few more rows.
class GridPainterTest : public ::testing::Test
{
protected:
    void SetUp() override
    {
        Rowset rs;
        rs.fields = {"Name", "Code", "Id", "A", "B"};
        rs.levels = 2;
        auto add = [&](int band, bool kids, const QString& name) {
            rs.rows.push_back(RowsetRow{band, kids, {name, "01", "id", "1 000", "(5)"}});
        };
        add(0, true, QStringLiteral("АКТИВ"));
        for (int i = 1; i <= 12; ++i)
            add(1, false, QStringLiteral("Статия %1").arg(i));
        add(0, false, QStringLiteral("ПАСИВ"));
        model.bind(rs);
        model.setColWidth(0, 0, 2400);
        model.setColWidth(1, 0, 700);
        model.setColWidth(2, 0, 0);
        model.setColWidth(3, 0, 1300);
        model.setColWidth(4, 0, 1100);
        model.setRowHeight(0, 600);
        model.setFixedCols(1);
        model.setHeaderBold(true);
    }

    QSize expectedSize(double dpi) const
    {
        int width = 0;
        for (int col = 0; col < model.Cols(); ++col)
            width += twipsToPixels(model.ColWidth(col, 0), dpi);
        int height = twipsToPixels(model.RowHeight(0), dpi);
        for (int row = 1; row < model.Rows(); ++row)
            height += twipsToPixels(model.RowHeight(row), dpi);
        return QSize(width, height);
    }

    GridModel model;
};

TEST_F(GridPainterTest, DrawsTheWholeGridAtAnyResolution)
{
    const QColor marker(255, 0, 0);
    model.setCellBackColor(3, 2, marker); // in the zero-width column: never seen
    model.setCellBackColor(14, 4, QColor(0, 0, 255));
    for (const double dpi : {96.0, 600.0}) {
        SCOPED_TRACE(dpi);
        GridGeometry geometry;
        geometry.update(&model, dpi, dpi);
        const QImage image = GridImage(model, geometry);
        ASSERT_EQ(image.size(), expectedSize(dpi));

        const int header = twipsToPixels(600, dpi);
        EXPECT_EQ(image.pixelColor(geometry.colLeft(3) + 5, header / 2), GridColors::kFixedBack);
        EXPECT_EQ(image.pixelColor(5, header + geometry.rowTop(5) + 3), GridColors::kFixedBack);
        EXPECT_EQ(image.pixelColor(image.width() - 5, image.height() - 4), QColor(0, 0, 255));
        bool markerSeen = false;
        for (int y = 0; y < image.height() && !markerSeen; y += 2)
            for (int x = 0; x < image.width() && !markerSeen; ++x)
                markerSeen = image.pixelColor(x, y) == marker;
        EXPECT_FALSE(markerSeen);
    }
}

// A page strip is a part of the grid: it must match the same part of the
// whole image exactly, fixed columns included, wherever it starts.
TEST_F(GridPainterTest, APartIsTheWholeGridCropped)
{
    GridGeometry geometry;
    geometry.update(&model, 96, 96);
    const QImage whole = GridImage(model, geometry);
    const QRect parts[] = {
        QRect(0, 0, whole.width(), 60),               // the header strip
        QRect(0, 80, whole.width(), 90),              // a body strip
        QRect(geometry.colLeft(3) - 7, 50, 120, 100), // right of the fixed column
        QRect(20, 33, whole.width() - 20, whole.height() - 33),
    };
    for (const QRect& part : parts) {
        SCOPED_TRACE(QStringLiteral("%1,%2 %3x%4")
                         .arg(part.x())
                         .arg(part.y())
                         .arg(part.width())
                         .arg(part.height())
                         .toStdString());
        QImage image(part.size(), QImage::Format_RGB32);
        image.fill(Qt::white);
        QPainter painter(&image);
        PaintGridPart(painter, model, geometry, part);
        painter.end();
        EXPECT_EQ(image, whole.copy(part));
    }
}

TEST_F(GridPainterTest, TheCurrentCellIsMarkedOnlyWhenAsked)
{
    GridGeometry geometry;
    geometry.update(&model, 96, 96);
    model.setCurrentCell(2, 3);
    const QImage plain = GridImage(model, geometry);

    QImage marked(plain.size(), QImage::Format_RGB32);
    marked.fill(Qt::white);
    QPainter painter(&marked);
    GridPaintArea area;
    area.size = plain.size();
    area.highlight = true;
    area.highlightBack = QColor(0, 120, 215);
    area.highlightFore = Qt::white;
    PaintGrid(painter, model, geometry, area);
    painter.end();

    const QPoint inCell(geometry.colLeft(3) + 3, geometry.headerHeight() + geometry.rowTop(1) + 2);
    EXPECT_EQ(plain.pixelColor(inCell), GridColors::kCellBack);
    EXPECT_EQ(marked.pixelColor(inCell), QColor(0, 120, 215));
}

} // namespace
} // namespace telm

namespace telm {
namespace {

// On screen an amount too wide for its cell is a mark, never some of its
// digits, and a long title in a one-line row ends in "…".
TEST_F(GridPainterTest, WhatDoesNotFitIsMarkedOrElidedNeverCut)
{
    model.setFigureColumn(3, true);
    model.setTextMatrix(2, 3, QStringLiteral("123 456 789 012"));
    model.setColWidth(3, 0, 500);
    model.setTextMatrix(
        3, 0, QStringLiteral("Разходи за придобиване и ликвидация на дълготрайни активи"));
    model.setTextMatrix(4, 3, QStringLiteral("12"));
    GridGeometry geometry;
    geometry.update(&model, 96, 96);
    auto cell = [&](int row, int col) {
        return QRect(geometry.colLeft(col), geometry.headerHeight() + geometry.rowTop(row - 1),
                     geometry.colWidth(col), geometry.rowHeightAt(row - 1));
    };

    const QString amount = CellShownText(model, geometry, 2, 3, cell(2, 3));
    EXPECT_FALSE(amount.isEmpty());
    EXPECT_EQ(amount, QString(amount.size(), u'#'));
    EXPECT_FALSE(CellTextFits(model, geometry, 2, 3, cell(2, 3)));
    const QString title = CellShownText(model, geometry, 3, 0, cell(3, 0));
    EXPECT_TRUE(title.endsWith(u'…')) << title.toStdString();
    EXPECT_FALSE(CellTextFits(model, geometry, 3, 0, cell(3, 0)));
    EXPECT_EQ(CellShownText(model, geometry, 4, 3, cell(4, 3)), QStringLiteral("12"));
    EXPECT_TRUE(CellTextFits(model, geometry, 4, 3, cell(4, 3)));
    // A deduction's sign mark survives the shortening.
    model.setTextMatrix(5, 0,
                        QStringLiteral("Разходи за придобиване и ликвидация на дълготрайни "
                                       "активи по стопански начин (–)"));
    const QString deduction = CellShownText(model, geometry, 5, 0, cell(5, 0));
    EXPECT_TRUE(deduction.endsWith(QStringLiteral("… (–)"))) << deduction.toStdString();

    // What is painted is what CellShownText says.
    const QImage marked = GridImage(model, geometry);
    model.setTextMatrix(2, 3, amount);
    model.setTextMatrix(3, 0, title);
    model.setTextMatrix(5, 0, deduction);
    EXPECT_EQ(GridImage(model, geometry), marked);
}

} // namespace
} // namespace telm
