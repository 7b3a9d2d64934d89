// The grid widget on the offscreen platform: keys, posted keys, mouse,
// collapse and expand, scrolling, geometry and the whole-grid image.
#include "grid/GridWidget.h"

#include "grid/GridModel.h"
#include "grid/Twips.h"
#include "xmlfiles/Rowset.h"

#include <QCoreApplication>
#include <QScrollBar>
#include <QStringList>
#include <QTest>

#include <memory>

#include <gtest/gtest.h>

namespace telm {
namespace {

// Columns: name, code, a hidden identifier (width 0) and an amount.
// Rows, depth first:
//   1  A            band 0, children: A01..A30 (rows 2..31)
//   32 B            band 0, children: B1 (33, children: B1a 34), B2 (35)
//   36 C            band 0
Rowset sampleRowset()
{
    Rowset rs;
    rs.fields = {"Name", "Code", "Id", "Amount"};
    rs.levels = 3;
    auto add = [&](int band, bool kids, const QString& name) {
        rs.rows.push_back(RowsetRow{band, kids, {name, "01", "id-" + name, "100"}});
    };
    add(0, true, "A");
    for (int i = 1; i <= 30; ++i)
        add(1, false, QStringLiteral("A%1").arg(i, 2, 10, QChar('0')));
    add(0, true, "B");
    add(1, true, "B1");
    add(2, false, "B1a");
    add(1, false, "B2");
    add(0, false, "C");
    return rs;
}

constexpr int kRowA = 1, kRowB = 32, kRowB1 = 33, kRowB1a = 34, kRowB2 = 35, kRowC = 36;

class GridWidgetTest : public ::testing::Test
{
protected:
    void SetUp() override
    {
        model.bind(sampleRowset());
        model.setColWidth(0, 0, 2400);
        model.setColWidth(1, 0, 900);
        model.setColWidth(2, 0, 0);
        model.setColWidth(3, 0, 1200);
        model.setRowHeight(0, 600);
        model.setHeaderBold(true);
        grid = std::make_unique<GridWidget>();
        grid->setModel(&model);
        grid->resize(300, 240);
        grid->show();
        model.addListener({
            .leaveCell =
                [this] {
                    events << QStringLiteral("leave %1,%2").arg(model.Row()).arg(model.Col());
                },
            .enterCell =
                [this] {
                    events << QStringLiteral("enter %1,%2").arg(model.Row()).arg(model.Col());
                },
        });
    }

    QPoint viewportPoint(const QRect& widgetRect) const
    {
        return widgetRect.center() - grid->viewport()->pos();
    }

    QRect viewportRectInWidget() const
    {
        return QRect(grid->viewport()->pos(), grid->viewport()->size());
    }

    GridModel model;
    std::unique_ptr<GridWidget> grid;
    QStringList events;
};

QString cellName(int row, int col)
{
    return QStringLiteral("%1,%2").arg(row).arg(col);
}

TEST_F(GridWidgetTest, KeysMoveTheCurrentCellWithLeaveThenEnter)
{
    struct Case
    {
        const char* what;
        int row, col;
        Qt::Key key;
        Qt::KeyboardModifiers mods;
        int toRow, toCol;
    };
    const Case cases[] = {
        {"down", 1, 0, Qt::Key_Down, Qt::NoModifier, 2, 0},
        {"up", 2, 0, Qt::Key_Up, Qt::NoModifier, 1, 0},
        {"up at the top stays", 1, 0, Qt::Key_Up, Qt::NoModifier, 1, 0},
        {"right skips a zero-width column", 5, 1, Qt::Key_Right, Qt::NoModifier, 5, 3},
        {"left skips it back", 5, 3, Qt::Key_Left, Qt::NoModifier, 5, 1},
        {"right at the last column stays", 5, 3, Qt::Key_Right, Qt::NoModifier, 5, 3},
        {"home", 7, 3, Qt::Key_Home, Qt::NoModifier, 7, 0},
        {"end", 7, 0, Qt::Key_End, Qt::NoModifier, 7, 3},
        {"ctrl+home", 20, 3, Qt::Key_Home, Qt::ControlModifier, 1, 0},
        {"ctrl+end", 3, 0, Qt::Key_End, Qt::ControlModifier, kRowC, 3},
        {"down past a collapsed band", kRowB, 1, Qt::Key_Down, Qt::NoModifier, kRowC, 1},
        {"up past a collapsed band", kRowC, 1, Qt::Key_Up, Qt::NoModifier, kRowB, 1},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.what);
        model.expandAll();
        model.setCollapsed(kRowB, true);
        model.setCurrentCell(c.row, c.col);
        events.clear();
        QTest::keyClick(grid.get(), c.key, c.mods);
        EXPECT_EQ(cellName(model.Row(), model.Col()), cellName(c.toRow, c.toCol));
        QStringList expected;
        if (c.row != c.toRow || c.col != c.toCol)
            expected = {"leave " + cellName(c.row, c.col), "enter " + cellName(c.toRow, c.toCol)};
        EXPECT_EQ(events, expected);
        EXPECT_TRUE(viewportRectInWidget().contains(grid->cellRect(model.Row(), model.Col())));
    }
}

TEST_F(GridWidgetTest, PageDownAndUpMoveByAViewAndKeepTheCellInView)
{
    const QRect view = viewportRectInWidget();
    int lastFullyVisible = 1;
    for (int row = 1; row < model.Rows(); ++row) {
        if (view.contains(grid->cellRect(row, 0)))
            lastFullyVisible = row;
    }
    ASSERT_LT(lastFullyVisible, 20); // the sample must not fit on one page

    QTest::keyClick(grid.get(), Qt::Key_PageDown);
    const int afterDown = model.Row();
    EXPECT_GE(afterDown, lastFullyVisible);
    EXPECT_TRUE(view.contains(grid->cellRect(afterDown, 0)));
    EXPECT_GT(grid->verticalScrollBar()->value(), 0);

    QTest::keyClick(grid.get(), Qt::Key_PageUp);
    EXPECT_EQ(model.Row(), 1);
    EXPECT_EQ(grid->verticalScrollBar()->value(), 0);
}

TEST_F(GridWidgetTest, PostedKeyEventsMoveTheCell)
{
    struct Case
    {
        Qt::Key key;
        Qt::KeyboardModifiers mods;
        int toRow;
        int toCol;
    };
    const Case cases[] = {
        {Qt::Key_Down, Qt::NoModifier, 4, 1},
        {Qt::Key_Right, Qt::NoModifier, 3, 3},
        {Qt::Key_End, Qt::ControlModifier, kRowC, 3},
    };
    for (const Case& c : cases) {
        model.setCurrentCell(3, 1);
        events.clear();
        grid->postKeyDown(c.key, c.mods);
        EXPECT_EQ(model.Row(), 3); // nothing happens before the event loop runs
        QCoreApplication::processEvents();
        EXPECT_EQ(cellName(model.Row(), model.Col()), cellName(c.toRow, c.toCol));
        EXPECT_EQ(events, QStringList({"leave 3,1", "enter " + cellName(c.toRow, c.toCol)}));
    }
}

TEST_F(GridWidgetTest, ExpanderClickRaisesCollapseAndExpandWithCancel)
{
    for (bool cancel : {true, false}) {
        SCOPED_TRACE(cancel);
        model.expandAll();
        QList<int> asked;
        grid->events().collapse = [&](int row, bool& c) {
            asked << row;
            c = cancel;
        };
        const QRect box = grid->expanderRect(kRowA);
        ASSERT_FALSE(box.isEmpty());
        QTest::mouseClick(grid->viewport(), Qt::LeftButton, {}, viewportPoint(box));
        EXPECT_EQ(asked, QList<int>{kRowA});
        EXPECT_EQ(model.isCollapsed(kRowA), !cancel);
        EXPECT_EQ(grid->cellRect(2, 0).isEmpty(), !cancel);
        EXPECT_EQ(model.Row(), 1); // the click on the control does not select
    }

    QList<int> expanded;
    grid->events().expand = [&](int row, bool&) { expanded << row; };
    QTest::mouseClick(grid->viewport(), Qt::LeftButton, {},
                      viewportPoint(grid->expanderRect(kRowA)));
    EXPECT_EQ(expanded, QList<int>{kRowA});
    EXPECT_FALSE(model.isCollapsed(kRowA));
    EXPECT_TRUE(grid->expanderRect(kRowC).isEmpty()); // no children, no control
}

TEST_F(GridWidgetTest, ClickSelectsTheCellAndRecordsTheMouseRow)
{
    const QRect target = grid->cellRect(3, 3);
    QTest::mouseClick(grid->viewport(), Qt::LeftButton, {}, viewportPoint(target));
    EXPECT_EQ(cellName(model.Row(), model.Col()), "3,3");
    EXPECT_EQ(events, QStringList({"leave 1,0", "enter 3,3"}));
    EXPECT_EQ(grid->MouseRow(), 3);
    EXPECT_EQ(grid->MouseCol(), 3);

    events.clear();
    QTest::mouseClick(grid->viewport(), Qt::LeftButton, {}, viewportPoint(grid->cellRect(0, 1)));
    EXPECT_EQ(grid->MouseRow(), 0);
    EXPECT_EQ(grid->MouseCol(), 1);
    EXPECT_TRUE(events.isEmpty()); // the header is not selectable

    int doubleClicks = 0;
    grid->events().doubleClick = [&] { ++doubleClicks; };
    QTest::mouseDClick(grid->viewport(), Qt::LeftButton, {}, viewportPoint(grid->cellRect(0, 3)));
    EXPECT_EQ(doubleClicks, 1);
    EXPECT_EQ(grid->MouseRow(), 0);
    EXPECT_EQ(grid->MouseCol(), 3);
}

TEST_F(GridWidgetTest, KeyHooksSeeKeysBeforeTheMoveAndCanStopThem)
{
    QList<int> pressed;
    bool swallow = false;
    grid->events().keyPress = [&](int& code) {
        pressed << code;
        if (swallow)
            code = 0;
    };
    QList<int> downs;
    grid->events().keyDown = [&](int key, Qt::KeyboardModifiers, bool& handled) {
        downs << key;
        handled = key == Qt::Key_Down;
    };

    QTest::sendKeyEvent(QTest::KeyAction::Click, grid.get(), Qt::Key_unknown,
                        QString(QChar(0x0430)), Qt::NoModifier);
    QTest::keyClick(grid.get(), Qt::Key_5);
    EXPECT_EQ(pressed, QList<int>({0x0430, '5'}));

    QTest::keyClick(grid.get(), Qt::Key_Down); // handled by the hook: no move
    EXPECT_EQ(model.Row(), 1);
    EXPECT_EQ(pressed.size(), 2); // arrows carry no character

    swallow = true;
    QTest::keyClick(grid.get(), Qt::Key_Return);
    EXPECT_EQ(pressed.last(), 13);
    EXPECT_EQ(downs.last(), int(Qt::Key_Return));
    EXPECT_TRUE(events.isEmpty());
}

TEST_F(GridWidgetTest, HeaderAndFixedColumnsStayPinnedWhileScrolling)
{
    model.setFixedCols(1);
    int scrolls = 0;
    grid->events().scroll = [&] { ++scrolls; };
    const QRect headerBefore = grid->cellRect(0, 3);
    const QRect fixedBefore = grid->cellRect(5, 0);
    const QRect movingBefore = grid->cellRect(5, 3);

    grid->verticalScrollBar()->setValue(60);
    grid->horizontalScrollBar()->setValue(grid->horizontalScrollBar()->maximum());
    ASSERT_GT(grid->horizontalScrollBar()->maximum(), 0);
    EXPECT_GE(scrolls, 2);
    EXPECT_EQ(grid->cellRect(0, 3).top(), headerBefore.top());
    EXPECT_EQ(grid->cellRect(5, 0).left(), fixedBefore.left());
    EXPECT_EQ(grid->cellRect(5, 0).top(), fixedBefore.top() - 60);
    EXPECT_LT(grid->cellRect(5, 3).left(), movingBefore.left());
}

TEST_F(GridWidgetTest, CellGeometryInTwipsMatchesTheModel)
{
    model.setCurrentCell(2, 3);
    const int pixelTwips = pixelsToTwips(1, grid->dpiX()) + 1;
    EXPECT_NEAR(grid->CellWidth(), model.ColWidth(3, 0), pixelTwips);
    EXPECT_NEAR(grid->CellHeight(), model.RowHeight(2), pixelTwips);
    const QRect frame = viewportRectInWidget();
    EXPECT_NEAR(grid->CellTop(),
                pixelsToTwips(frame.top(), grid->dpiY()) + model.RowHeight(0) + model.RowHeight(1),
                3 * pixelTwips);
    EXPECT_NEAR(grid->CellLeft(),
                pixelsToTwips(frame.left(), grid->dpiX()) + model.ColWidth(0, 0)
                    + model.ColWidth(1, 0),
                3 * pixelTwips);
}

TEST_F(GridWidgetTest, ImageCoversTheWholeGridWithoutHiddenColumnsOrHighlight)
{
    model.setCollapsed(kRowB1, true);
    ASSERT_FALSE(model.isShown(kRowB1a)); // under the collapsed row: no height in the image
    const double dx = grid->dpiX();
    const double dy = grid->dpiY();
    int width = 0;
    for (int col = 0; col < model.Cols(); ++col)
        width += twipsToPixels(model.ColWidth(col, 0), dx);
    int height = 0;
    for (int row = 0; row < model.Rows(); ++row) {
        if (model.isShown(row))
            height += twipsToPixels(model.RowHeight(row), dy);
    }

    // A marked cell in the zero-width column must leave no trace.
    const QColor marker(255, 0, 0);
    model.setCellBackColor(3, 2, marker);
    const QImage image = grid->gridImage();
    EXPECT_EQ(image.size(), QSize(width, height));
    bool markerSeen = false;
    for (int y = 0; y < image.height() && !markerSeen; ++y) {
        for (int x = 0; x < image.width() && !markerSeen; ++x)
            markerSeen = image.pixelColor(x, y) == marker;
    }
    EXPECT_FALSE(markerSeen);

    // Neither scrolling nor the current cell changes the image.
    grid->verticalScrollBar()->setValue(grid->verticalScrollBar()->maximum());
    model.setCurrentCell(kRowC, 3);
    EXPECT_EQ(grid->gridImage(), image);

    // A cell colour set by the model shows.
    model.setCellBackColor(kRowC, 3, marker);
    const QImage marked = grid->gridImage();
    EXPECT_EQ(marked.pixelColor(width - 5, height - 5), marker);
    EXPECT_EQ(marked.pixelColor(width - 5, 5), QColor(64, 128, 128)); // header
}

TEST_F(GridWidgetTest, ScreenAndImageShowTheSameFirstPage)
{
    grid->setFrameShape(QFrame::NoFrame);
    grid->resize(grid->gridImageSize().width() + 40, 200);
    QCoreApplication::processEvents();
    model.setCurrentCell(0, 0); // the header cannot be highlighted
    const QImage screen = grid->viewport()->grab().toImage().convertToFormat(QImage::Format_RGB32);
    const QImage image = grid->gridImage();
    const QRect common =
        QRect(QPoint(0, 0), image.size()).intersected(screen.rect()).adjusted(0, 0, -40, 0);
    EXPECT_EQ(screen.copy(common), image.copy(common));
}

TEST_F(GridWidgetTest, ATooltipShowsWhatACellCannot)
{
    model.setFigureColumn(3, true);
    model.setTextMatrix(kRowC, 3, QStringLiteral("123 456 789 012"));
    grid->verticalScrollBar()->setValue(grid->verticalScrollBar()->maximum());
    EXPECT_EQ(grid->toolTipAt(viewportPoint(grid->cellRect(kRowC, 3))),
              QStringLiteral("123 456 789 012"));
    EXPECT_EQ(grid->toolTipAt(viewportPoint(grid->cellRect(kRowB2, 3))), QString()); // "100" fits
}

// A zero-width column that can be shown is a thin strip the keys reach; on the
// whole-grid image for paper it is not there at all.
TEST_F(GridWidgetTest, AHiddenColumnThatCanBeShownStaysWithinReach)
{
    model.setColExpandable(2, true);
    EXPECT_FALSE(grid->cellRect(5, 2).isEmpty());
    model.setCurrentCell(5, 1);
    QTest::keyClick(grid.get(), Qt::Key_Right);
    EXPECT_EQ(model.Col(), 2);
    QTest::keyClick(grid.get(), Qt::Key_Right);
    EXPECT_EQ(model.Col(), 3);
}

} // namespace
} // namespace telm
