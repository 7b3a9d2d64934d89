// The grid model: binding, tree state, widths, formats and the cell notifications.
#include "grid/GridModel.h"

#include "xmlfiles/Rowset.h"

#include <QStringList>

#include <gtest/gtest.h>

namespace telm {
namespace {

// A small tree, depth first:
//   1 A            band 0, children
//   2   A1         band 1, children
//   3     A1a      band 2
//   4   A2         band 1
//   5 B            band 0
Rowset smallTree()
{
    Rowset rs;
    rs.fields = {"Name", "Id", "Amount"};
    rs.levels = 3;
    auto add = [&](int band, bool kids, QString name, QString id, QString amount) {
        rs.rows.push_back(RowsetRow{band, kids, {name, id, amount}});
    };
    add(0, true, "A", "1", "");
    add(1, true, "A1", "2", "");
    add(2, false, "A1a", "3", "10");
    add(1, false, "A2", "4", "20");
    add(0, false, "B", "5", "30");
    return rs;
}

struct Recorder
{
    QStringList events;
    void attach(GridModel& model)
    {
        model.addListener({
            .leaveCell =
                [this, &model] {
                    events << QStringLiteral("leave %1,%2").arg(model.Row()).arg(model.Col());
                },
            .enterCell =
                [this, &model] {
                    events << QStringLiteral("enter %1,%2").arg(model.Row()).arg(model.Col());
                },
        });
    }
};

TEST(GridModel, BindBuildsHeaderAndOneRowPerRecord)
{
    GridModel model;
    model.bind(smallTree());
    EXPECT_EQ(model.Rows(), 6);
    EXPECT_EQ(model.Cols(), 3);
    EXPECT_EQ(model.FixedRows(), 1);
    EXPECT_EQ(model.Row(), 1);
    EXPECT_EQ(model.Col(), 0);
    EXPECT_EQ(model.maxBand(), 2);
    EXPECT_EQ(model.TextMatrix(0, 0), QString());
    EXPECT_EQ(model.TextMatrix(3, 0), "A1a");
    EXPECT_EQ(model.TextMatrix(5, 2), "30");
    EXPECT_EQ(model.TextMatrix(9, 0), QString()); // outside the grid
    EXPECT_EQ(model.TextMatrix(1, 7), QString());

    struct Case
    {
        int row;
        int band;
        bool kids;
        int parent;
    };
    const Case cases[] = {
        {0, 0, false, -1}, {1, 0, true, -1}, {2, 1, true, 1},
        {3, 2, false, 2},  {4, 1, false, 1}, {5, 0, false, -1},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.row);
        EXPECT_EQ(model.band(c.row), c.band);
        EXPECT_EQ(model.hasChildren(c.row), c.kids);
        EXPECT_EQ(model.parentRow(c.row), c.parent);
    }
}

TEST(GridModel, BindMovesCellsAndShortRowsArePadded)
{
    Rowset rs = smallTree();
    rs.rows[4].cells.resize(1); // a record without its last fields
    GridModel model;
    model.bind(std::move(rs));
    EXPECT_EQ(model.TextMatrix(5, 0), "B");
    EXPECT_EQ(model.TextMatrix(5, 2), QString());
    EXPECT_EQ(model.TextMatrix(3, 2), "10");
}

TEST(GridModel, EmptyRowsetGivesHeaderOnlyAndCurrentCellOnIt)
{
    Rowset rs;
    rs.fields = {"Name"};
    GridModel model;
    model.bind(rs);
    EXPECT_EQ(model.Rows(), 1);
    EXPECT_EQ(model.Row(), 0);
    EXPECT_EQ(model.Col(), 0);
}

TEST(GridModel, ClearGivesDesignStateGrid)
{
    GridModel model;
    model.bind(smallTree());
    model.clear();
    EXPECT_EQ(model.Rows(), 2);
    EXPECT_EQ(model.Cols(), 1);
    EXPECT_EQ(model.FixedRows(), 1);
    EXPECT_EQ(model.FixedCols(), 0);
}

TEST(GridModel, CurrentCellChangesRaiseLeaveThenEnter)
{
    struct Case
    {
        const char* what;
        std::function<void(GridModel&)> act;
        QStringList expected;
    };
    const Case cases[] = {
        {"setRow", [](GridModel& m) { m.setRow(3); }, {"leave 1,0", "enter 3,0"}},
        {"setCol", [](GridModel& m) { m.setCol(2); }, {"leave 1,0", "enter 1,2"}},
        {"setCurrentCell is one pair",
         [](GridModel& m) { m.setCurrentCell(4, 1); },
         {"leave 1,0", "enter 4,1"}},
        {"same row raises nothing", [](GridModel& m) { m.setRow(1); }, {}},
        {"same col raises nothing", [](GridModel& m) { m.setCol(0); }, {}},
        {"same cell raises nothing", [](GridModel& m) { m.setCurrentCell(1, 0); }, {}},
        {"row outside is ignored", [](GridModel& m) { m.setRow(6); }, {}},
        {"negative col is ignored", [](GridModel& m) { m.setCol(-1); }, {}},
        {"header row can be current",
         [](GridModel& m) { m.setRow(0); },
         {"leave 1,0", "enter 0,0"}},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.what);
        GridModel model;
        model.bind(smallTree());
        Recorder rec;
        rec.attach(model);
        c.act(model);
        EXPECT_EQ(rec.events, c.expected);
    }
}

TEST(GridModel, TextFollowsCurrentCell)
{
    GridModel model;
    model.bind(smallTree());
    model.setCurrentCell(4, 2);
    EXPECT_EQ(model.Text(), "20");
    model.setText("(1 234)");
    EXPECT_EQ(model.TextMatrix(4, 2), "(1 234)");
}

TEST(GridModel, CollapsedAncestorHidesDescendants)
{
    GridModel model;
    model.bind(smallTree());
    int structure = 0;
    model.addListener({.structureChanged = [&] { ++structure; }});

    model.setCollapsed(2, true); // A1
    EXPECT_TRUE(model.isShown(2));
    EXPECT_FALSE(model.isShown(3));
    EXPECT_TRUE(model.isShown(4));

    model.setCollapsed(1, true); // A, above a collapsed A1
    const bool shownAfterBoth[] = {true, true, false, false, false, true};
    for (int row = 0; row < 6; ++row)
        EXPECT_EQ(model.isShown(row), shownAfterBoth[row]) << row;

    model.setCollapsed(1, false); // A1 itself is still collapsed
    EXPECT_TRUE(model.isShown(2));
    EXPECT_FALSE(model.isShown(3));
    EXPECT_GT(structure, 0);

    model.expandAll();
    for (int row = 0; row < 6; ++row)
        EXPECT_TRUE(model.isShown(row)) << row;
    EXPECT_FALSE(model.isCollapsed(2));
}

TEST(GridModel, CollapsingOverTheCurrentCellMovesItToTheCollapsedRow)
{
    GridModel model;
    model.bind(smallTree());
    model.setCurrentCell(3, 2);
    Recorder rec;
    rec.attach(model);
    model.setCollapsed(1, true);
    EXPECT_EQ(rec.events, QStringList({"leave 3,2", "enter 1,2"}));
    EXPECT_EQ(model.Row(), 1);
}

TEST(GridModel, ColumnWidthsPerBand)
{
    GridModel model;
    model.bind(smallTree());
    model.setColWidth(1, 0, 0);
    model.setColWidth(2, 0, 1500);
    model.setColWidth(2, 1, 700);
    model.setColWidth(2, 2, 1200);
    model.setColWidth(2, 2, -1); // back to the default

    struct Case
    {
        int col;
        int band;
        int width;
        int raw;
    };
    const Case cases[] = {
        {0, 0, GridModel::kDefaultColWidth, -1},
        {1, 0, 0, 0},
        {1, 1, GridModel::kDefaultColWidth, -1},
        {2, 0, 1500, 1500},
        {2, 1, 700, 700},
        {2, 2, GridModel::kDefaultColWidth, -1},
        {3, 0, 0, 0}, // no such column
        {0, 6, 0, 0}, // no such band
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(testing::Message() << c.col << "/" << c.band);
        EXPECT_EQ(model.ColWidth(c.col, c.band), c.width);
        EXPECT_EQ(model.rawColWidth(c.col, c.band), c.raw);
    }

    model.bind(smallTree()); // a new binding starts from default widths
    EXPECT_EQ(model.rawColWidth(2, 0), -1);
}

TEST(GridModel, RowHeightsFallBackToTheDefault)
{
    GridModel model;
    model.bind(smallTree());
    model.setDefaultRowHeight(255);
    model.setRowHeight(0, 765);
    EXPECT_EQ(model.RowHeight(0), 765);
    EXPECT_EQ(model.RowHeight(3), 255);
    model.setRowHeight(0, -1);
    EXPECT_EQ(model.RowHeight(0), 255);
    EXPECT_EQ(model.RowHeight(42), 0);
}

TEST(GridModel, BandFontsFallBackToTheGridFont)
{
    GridModel model;
    QFont grid("Arial", 9);
    model.setGridFont(grid);
    QFont section("Arial", 10);
    section.setBold(true);
    section.setItalic(true);
    model.setBandFont(0, section);
    EXPECT_EQ(model.bandFont(0), section);
    EXPECT_EQ(model.bandFont(1), grid);
    EXPECT_EQ(model.bandFont(9), grid);
}

TEST(GridModel, CellFormatsFallBackToColumnAndDefaults)
{
    GridModel model;
    model.bind(smallTree());
    model.setColAlignment(2, CellAlign::RightCenter);
    model.setCellAlignment(3, 2, CellAlign::CenterCenter);
    model.setCellBackColor(4, 1, QColor(255, 255, 0));
    model.setCellForeColor(4, 1, Qt::red);

    EXPECT_EQ(model.cellAlignment(3, 2), CellAlign::CenterCenter);
    EXPECT_EQ(model.cellAlignment(4, 2), CellAlign::RightCenter);
    EXPECT_EQ(model.cellAlignment(4, 0), CellAlign::LeftCenter);
    EXPECT_EQ(model.cellBackColor(4, 1), QColor(255, 255, 0));
    EXPECT_EQ(model.cellForeColor(4, 1), QColor(Qt::red));
    EXPECT_FALSE(model.cellBackColor(4, 2).isValid());
    EXPECT_FALSE(model.cellForeColor(3, 1).isValid());

    model.setCellBackColor(4, 1, QColor()); // an invalid colour clears the setting
    EXPECT_FALSE(model.cellBackColor(4, 1).isValid());
    EXPECT_EQ(model.cellForeColor(4, 1), QColor(Qt::red));

    model.bind(smallTree()); // formats belong to the rows of one binding
    EXPECT_FALSE(model.cellForeColor(4, 1).isValid());
    EXPECT_EQ(model.cellAlignment(4, 2), CellAlign::LeftCenter);
}

TEST(GridModel, LayoutChangesAdvanceTheRevision)
{
    GridModel model;
    model.bind(smallTree());
    struct Case
    {
        const char* what;
        std::function<void(GridModel&)> act;
        bool layout;
    };
    const Case cases[] = {
        {"collapse", [](GridModel& m) { m.setCollapsed(1, true); }, true},
        {"width", [](GridModel& m) { m.setColWidth(0, 0, 2000); }, true},
        {"height", [](GridModel& m) { m.setRowHeight(2, 600); }, true},
        {"text", [](GridModel& m) { m.setTextMatrix(2, 2, "5"); }, false},
        {"colour", [](GridModel& m) { m.setCellBackColor(2, 2, Qt::blue); }, false},
        {"move", [](GridModel& m) { m.setRow(5); }, false},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.what);
        const auto before = model.layoutRevision();
        c.act(model);
        EXPECT_EQ(model.layoutRevision() != before, c.layout);
    }
}

TEST(GridModel, FixedColsStayInsideTheGrid)
{
    GridModel model;
    model.bind(smallTree());
    model.setFixedCols(2);
    EXPECT_EQ(model.FixedCols(), 2);
    model.setFixedCols(5);
    EXPECT_EQ(model.FixedCols(), 2);
    model.setFixedCols(-1);
    EXPECT_EQ(model.FixedCols(), 0);
}

TEST(GridModel, AMoveMadeByTheLeaveHandlerStands)
{
    GridModel model;
    model.bind(smallTree());
    model.setCurrentCell(1, 1);
    std::vector<std::pair<int, int>> entered;
    bool bounce = true;
    model.addListener({
        .leaveCell =
            [&] {
                if (bounce) { // a refused entry sends the user back to (1, 1)
                    bounce = false;
                    model.setCurrentCell(2, 0);
                    model.setCurrentCell(1, 1);
                }
            },
        .enterCell = [&] { entered.emplace_back(model.Row(), model.Col()); },
    });
    model.setCurrentCell(3, 2);
    EXPECT_EQ(model.Row(), 1);
    EXPECT_EQ(model.Col(), 1);
    ASSERT_FALSE(entered.empty());
    EXPECT_EQ(entered.back(), std::make_pair(1, 1));
}

// What one listener heard, as text: "kind row,col previous→now".
struct ChangeLog
{
    QStringList heard;
    GridModel::ListenerId attach(GridModel& model)
    {
        return model.addListener({.cellChanged = [this, &model](const CellChange& c) {
            static const char* const kinds[] = {"typed", "deleted", "pasted", "computed", "set"};
            heard << QStringLiteral("%1 %2,%3 %4→%5")
                         .arg(QLatin1String(kinds[static_cast<int>(c.kind)]))
                         .arg(c.row)
                         .arg(c.col)
                         .arg(c.previous, model.TextMatrix(c.row, c.col));
        }});
    }
};

TEST(GridModel, EveryListenerHearsEachChangeWithItsCellAndKind)
{
    GridModel model;
    model.bind(smallTree());
    ChangeLog widget, undo, accessibility;
    widget.attach(model);
    undo.attach(model);
    accessibility.attach(model);

    model.setTextMatrix(3, 2, "11", CellChange::Kind::Typed);
    model.setTextMatrix(4, 2, "0", CellChange::Kind::Deleted);
    model.setTextMatrix(5, 2, "7", CellChange::Kind::Pasted);
    model.setTextMatrix(1, 2, "31", CellChange::Kind::Computed);
    model.setTextMatrix(0, 2, "Сума");                        // a caption: the program's own
    model.setTextMatrix(3, 2, "11", CellChange::Kind::Typed); // the text it has: no change
    model.setTextMatrix(9, 2, "1", CellChange::Kind::Typed);  // outside the grid
    model.setCellBackColor(3, 0, Qt::red);                    // a format, not a text
    const QStringList expected = {"typed 3,2 10→11", "deleted 4,2 20→0", "pasted 5,2 30→7",
                                  "computed 1,2 →31", "set 0,2 →Сума"};
    EXPECT_EQ(widget.heard, expected);
    EXPECT_EQ(undo.heard, expected);
    EXPECT_EQ(accessibility.heard, expected);
}

TEST(GridModel, EditKindsAreTheUsersOwn)
{
    struct Case
    {
        CellChange::Kind kind;
        bool edit;
    };
    const Case cases[] = {
        {CellChange::Kind::Typed, true},  {CellChange::Kind::Deleted, true},
        {CellChange::Kind::Pasted, true}, {CellChange::Kind::Computed, false},
        {CellChange::Kind::Set, false},
    };
    for (const Case& c : cases) {
        const CellChange change{1, 1, c.kind, QString()};
        EXPECT_EQ(change.isEdit(), c.edit) << static_cast<int>(c.kind);
    }
}

TEST(GridModel, LoadingRaisesNoCellChange)
{
    GridModel model;
    ChangeLog log;
    log.attach(model);
    int structure = 0;
    model.addListener({.structureChanged = [&] { ++structure; }});
    model.bind(smallTree());
    model.clear();
    model.bind(smallTree());
    EXPECT_TRUE(log.heard.isEmpty());
    EXPECT_EQ(structure, 3);
}

TEST(GridModel, AFormatChangeNamesItsCell)
{
    GridModel model;
    model.bind(smallTree());
    std::vector<std::pair<int, int>> cells;
    model.addListener(
        {.cellFormatChanged = [&](int row, int col) { cells.emplace_back(row, col); }});
    model.setCellBackColor(2, 0, Qt::gray);
    model.setCellForeColor(3, 1, Qt::red);
    model.setCellAlignment(4, 2, CellAlign::CenterTop);
    const std::vector<std::pair<int, int>> expected = {{2, 0}, {3, 1}, {4, 2}};
    EXPECT_EQ(cells, expected);
}

TEST(GridModel, ListenersComeAndGoWhileBeingNotified)
{
    GridModel model;
    model.bind(smallTree());
    QStringList heard;
    GridModel::ListenerId once = 0;
    GridModel::ListenerId late = 0;
    // The first listener removes itself and adds another while it is being told.
    once = model.addListener({.cellChanged = [&](const CellChange&) {
        heard << "once";
        model.removeListener(once);
        late = model.addListener({.cellChanged = [&](const CellChange&) { heard << "late"; }});
    }});
    const GridModel::ListenerId steady =
        model.addListener({.cellChanged = [&](const CellChange&) { heard << "steady"; }});

    model.setTextMatrix(3, 2, "1", CellChange::Kind::Typed);
    EXPECT_EQ(heard, QStringList({"once", "steady"})); // one added now hears the next change
    heard.clear();
    model.setTextMatrix(3, 2, "2", CellChange::Kind::Typed);
    EXPECT_EQ(heard, QStringList({"steady", "late"}));
    heard.clear();
    model.removeListener(steady);
    model.removeListener(late);
    model.removeListener(late); // twice is harmless
    model.setTextMatrix(3, 2, "3", CellChange::Kind::Typed);
    EXPECT_TRUE(heard.isEmpty());
}

TEST(GridModel, ACopyHasNoListeners)
{
    GridModel model;
    model.bind(smallTree());
    int heard = 0;
    model.addListener({.cellChanged = [&](const CellChange&) { ++heard; }});
    GridModel copy = model;
    copy.setTextMatrix(3, 2, "99", CellChange::Kind::Typed);
    EXPECT_EQ(heard, 0);
    EXPECT_EQ(model.TextMatrix(3, 2), QStringLiteral("10"));
    model.setTextMatrix(3, 2, "99", CellChange::Kind::Typed);
    EXPECT_EQ(heard, 1);
}

TEST(GridModel, EveryListenerHearsTheMoveInOrder)
{
    GridModel model;
    model.bind(smallTree());
    Recorder first, second;
    first.attach(model);
    second.attach(model);
    model.setCurrentCell(3, 2);
    EXPECT_EQ(first.events, QStringList({"leave 1,0", "enter 3,2"}));
    EXPECT_EQ(second.events, first.events);
}

} // namespace
} // namespace telm
