// The document form as a screen reader reads it, through QAccessible: the
// grid as a table of what is shown (headers, row titles, cells, read-only
// totals), the events of a move and of a commit, and the names of the editor
// box and the buttons. On the shipped templates of the balance sheet and the
// statement of equity.
#include "editor/frmDocument.h"
#include "grid/GridAccessible.h"
#include "grid/GridWidget.h"
#include "platform/MessageBoxes.h"
#include "selection/Catalogue.h"
#include "selection/DocumentContext.h"
#include "selection/DocumentOpening.h"
#include "tests/editor/FormFixture.h"
#include "tests/support/TestFiles.h"

#include <QAccessible>
#include <QApplication>
#include <QLineEdit>
#include <QPushButton>
#include <QTest>

#include <algorithm>
#include <vector>

#include <gtest/gtest.h>

using namespace telm;

namespace {

constexpr int kBalance = 0;
constexpr int kEquity = 8;

// An event as the screen reader would get it: what happened, to which cell.
struct Heard
{
    QAccessible::Event type = QAccessible::InvalidEvent;
    int row = -1; // table row and column of the cell; -1 for the table itself
    int col = -1;
    QString name = {};
    QVariant value = {};
};

class DocumentFormAccessTest : public test::FormFixture
{
protected:
    void SetUp() override
    {
        ASSERT_TRUE(test::makeProgramFolder(dir.path()));
        state.FilePrefix = QStringLiteral("VELDOR");
        state.programFolder = dir.path();
        state.company = {QStringLiteral("Фирма ООД"), QStringLiteral("123456786")};
        state.period = {QStringLiteral("12"), 2006};
        SetGridAccessibleEventHook([this](QAccessibleEvent& event) { hear(event); });
    }
    void TearDown() override
    {
        SetGridAccessibleEventHook({});
        FormFixture::TearDown();
    }

    bool openForm(int position)
    {
        const DocType& type = *DocTypeAt(position);
        state.docType.Name = type.titleText();
        const Opening opening = OpenFromChoices(state, type, false);
        return opening.document && showForm(*opening.document);
    }

    QAccessibleInterface* table() { return QAccessible::queryAccessibleInterface(gridWidget()); }
    QAccessibleTableInterface* cells() { return table()->tableInterface(); }

    int rowOf(const char* id)
    {
        for (int r = 1; r < grid().Rows(); ++r)
            if (grid().TextMatrix(r, 2) == QLatin1String(id))
                return r;
        return -1;
    }

    // The table row and column of a model cell: the one at its place on screen.
    std::pair<int, int> tableCell(int row, int col)
    {
        const QRect local = gridWidget()->cellRect(row, col);
        const QRect place(gridWidget()->mapToGlobal(local.topLeft()), local.size());
        for (int r = 0; r < cells()->rowCount(); ++r)
            for (int c = 0; c < cells()->columnCount(); ++c)
                if (cells()->cellAt(r, c)->rect() == place)
                    return {r, c};
        return {-1, -1};
    }

    QStringList columnHeadings()
    {
        QStringList headings;
        for (int c = 0; c < cells()->columnCount(); ++c) {
            const QList<QAccessibleInterface*> header =
                cells()->cellAt(0, c)->tableCellInterface()->columnHeaderCells();
            headings << (header.isEmpty() ? QString() : header.first()->text(QAccessible::Name));
        }
        return headings;
    }

    void hear(QAccessibleEvent& event)
    {
        QAccessibleInterface* iface = event.accessibleInterface();
        Heard heard{event.type()};
        if (iface && iface->tableCellInterface()) {
            heard.row = iface->tableCellInterface()->rowIndex();
            heard.col = iface->tableCellInterface()->columnIndex();
            heard.name = iface->text(QAccessible::Name);
        }
        if (event.type() == QAccessible::ValueChanged)
            heard.value = static_cast<QAccessibleValueChangeEvent&>(event).value();
        events.push_back(heard);
    }

    bool heardOn(QAccessible::Event type, std::pair<int, int> cell)
    {
        for (const Heard& h : events)
            if (h.type == type && h.row == cell.first && h.col == cell.second)
                return true;
        return false;
    }

    void typeAndEnter(const QString& text)
    {
        QTest::keyClicks(gridWidget(), text.left(1));
        QTest::keyClicks(form->txtEdit(), text.mid(1));
        QTest::keyClick(form->txtEdit(), Qt::Key_Return);
        QApplication::processEvents();
    }

    std::vector<Heard> events;
};

TEST_F(DocumentFormAccessTest, TheBalanceSheetIsATableOfWhatIsShown)
{
    ASSERT_TRUE(openForm(kBalance));
    ASSERT_NE(table(), nullptr);
    ASSERT_NE(cells(), nullptr);
    EXPECT_EQ(table()->role(), QAccessible::Table);
    EXPECT_EQ(table()->text(QAccessible::Name), QStringLiteral("Таблица на документа"));
    EXPECT_FALSE(table()->text(QAccessible::Description).isEmpty());

    // The identifiers, flags and the hidden field have no width and no column;
    // "Отчетна стойност" is a strip that a header double click widens. With no
    // file of last year the previous year is typed, and its heading says so.
    EXPECT_EQ(columnHeadings(),
              (QStringList{QStringLiteral("Раздели, групи, статии"), QStringLiteral("Код на реда"),
                           QStringLiteral("Отчетна стойност"), QStringLiteral("Текуща година"),
                           QStringLiteral("Предходна година (въведени)")}));
    EXPECT_FALSE(cells()->cellAt(0, 2)->text(QAccessible::Description).isEmpty());
    EXPECT_EQ(cells()->rowCount(), grid().Rows() - 1);
    EXPECT_EQ(table()->childCount(), cells()->columnCount() * (cells()->rowCount() + 1));

    // A collapsed group's rows leave the table as they leave the screen.
    const int assets = 1;
    ASSERT_TRUE(grid().hasChildren(assets));
    int descendants = 0;
    for (int r = assets + 1; r < grid().Rows() && grid().band(r) > grid().band(assets); ++r)
        ++descendants;
    grid().setCollapsed(assets, true);
    EXPECT_EQ(cells()->rowCount(), grid().Rows() - 1 - descendants);
    const QAccessible::State folded = cells()->cellAt(0, 0)->state();
    EXPECT_TRUE(folded.expandable && folded.collapsed);
    grid().setCollapsed(assets, false);
    EXPECT_EQ(cells()->rowCount(), grid().Rows() - 1);
}

TEST_F(DocumentFormAccessTest, ACellIsReadWithItsRowTitleAndColumnCaption)
{
    ASSERT_TRUE(openForm(kBalance));
    const int land = rowOf("40");
    ASSERT_GT(land, 0);
    goTo(land, 7);
    typeAndEnter(QStringLiteral("120000"));
    const auto [row, col] = tableCell(land, 7);
    ASSERT_GE(row, 0);
    QAccessibleInterface* cell = cells()->cellAt(row, col);
    QAccessibleTableCellInterface* place = cell->tableCellInterface();
    ASSERT_EQ(place->rowHeaderCells().size(), 1);
    EXPECT_EQ(place->rowHeaderCells().first()->text(QAccessible::Name),
              QStringLiteral("1. Земи (терени)"));
    EXPECT_EQ(place->columnHeaderCells().first()->text(QAccessible::Name),
              QStringLiteral("Текуща година"));
    EXPECT_EQ(cell->text(QAccessible::Name), grid().TextMatrix(land, 7));
    EXPECT_EQ(cell->text(QAccessible::Value), grid().TextMatrix(land, 7));
    ASSERT_NE(cell->valueInterface(), nullptr);
    EXPECT_EQ(cell->valueInterface()->currentValue().toDouble(), 120000.0);
    EXPECT_EQ(table()->child(table()->indexOfChild(cell)), cell);
    EXPECT_TRUE(cell->state().editable);
    EXPECT_FALSE(cell->state().readOnly);

    // Its group's total is computed: read-only, and a title cannot be typed into.
    const auto [total, totalCol] = tableCell(grid().parentRow(land), 7);
    EXPECT_TRUE(cells()->cellAt(total, totalCol)->state().readOnly);
    EXPECT_TRUE(cells()->cellAt(row, 0)->state().readOnly);
}

TEST_F(DocumentFormAccessTest, AMoveIsHeardAsFocusAndACommitAsNewValues)
{
    ASSERT_TRUE(openForm(kBalance));
    const int land = rowOf("40");
    goTo(land - 1, 7);
    events.clear();
    QTest::keyClick(gridWidget(), Qt::Key_Down);
    const std::pair<int, int> cell = tableCell(land, 7);
    ASSERT_TRUE(heardOn(QAccessible::Focus, cell));
    EXPECT_TRUE(cells()->cellAt(cell.first, cell.second)->state().focused);
    EXPECT_EQ(table()->focusChild(), cells()->cellAt(cell.first, cell.second));

    events.clear();
    typeAndEnter(QStringLiteral("120000"));
    const auto value = std::find_if(events.begin(), events.end(), [&](const Heard& h) {
        return h.type == QAccessible::ValueChanged && h.row == cell.first && h.col == cell.second;
    });
    ASSERT_NE(value, events.end());
    EXPECT_EQ(value->value.toDouble(), 120000.0);
    EXPECT_EQ(value->name, grid().TextMatrix(land, 7));
    EXPECT_TRUE(heardOn(QAccessible::NameChanged, cell));
    // The group's total follows, and is heard too.
    EXPECT_TRUE(heardOn(QAccessible::ValueChanged, tableCell(grid().parentRow(land), 7)));
    // Enter moved down: the next row's cell has the focus.
    EXPECT_TRUE(heardOn(QAccessible::Focus, tableCell(land + 1, 7)));
}

TEST_F(DocumentFormAccessTest, TheEquityStatementIsATableToo)
{
    ASSERT_TRUE(openForm(kEquity));
    const QStringList headings = columnHeadings();
    ASSERT_GE(headings.size(), 12);
    EXPECT_EQ(headings.first(), QStringLiteral("Показатели"));
    EXPECT_TRUE(headings.contains(QStringLiteral("Основен капитал 1")));
    EXPECT_TRUE(headings.contains(QStringLiteral("Общо 10")));
    EXPECT_EQ(headings.size(), cells()->columnCount());

    const int typed = 5;
    ASSERT_TRUE(form->engine().canEdit(typed, 5));
    const auto [row, col] = tableCell(typed, 5);
    ASSERT_GE(row, 0);
    goTo(typed, 5);
    events.clear();
    typeAndEnter(QStringLiteral("12"));
    QAccessibleTableCellInterface* place = cells()->cellAt(row, col)->tableCellInterface();
    EXPECT_EQ(place->rowHeaderCells().first()->text(QAccessible::Name),
              grid().TextMatrix(typed, 0));
    EXPECT_EQ(cells()->cellAt(row, col)->text(QAccessible::Value), QStringLiteral("12"));
    EXPECT_TRUE(heardOn(QAccessible::ValueChanged, {row, col}));
    // The Общо column takes no entry, nor do the computed rows.
    EXPECT_TRUE(
        cells()->cellAt(row, headings.indexOf(QStringLiteral("Общо 10")))->state().readOnly);
    int computed = 1;
    while (computed < grid().Rows() && form->engine().canEdit(computed, 5))
        ++computed;
    ASSERT_LT(computed, grid().Rows());
    const auto [computedRow, computedCol] = tableCell(computed, 5);
    EXPECT_TRUE(cells()->cellAt(computedRow, computedCol)->state().readOnly);
}

// The hidden column's strip is described, and the keyboard shows it as a header
// double click does.
TEST_F(DocumentFormAccessTest, AHiddenColumnIsDescribedAndShownByKey)
{
    ASSERT_TRUE(openForm(kBalance));
    const int land = rowOf("40");
    ASSERT_EQ(grid().ColWidth(5, 0), 0);
    const auto [row, col] = tableCell(land, 5);
    ASSERT_GE(row, 0);
    EXPECT_EQ(cells()->cellAt(row, col)->text(QAccessible::Description),
              QStringLiteral("Скрита колона „Отчетна стойност“, която може да се покаже"));
    goTo(land, 5);
    QTest::keyClick(gridWidget(), Qt::Key_Space, Qt::ControlModifier);
    EXPECT_GT(grid().ColWidth(5, 0), 0);
    EXPECT_FALSE(form->txtEdit()->isVisible());
    const auto [shownRow, shownCol] = tableCell(land, 5);
    EXPECT_TRUE(cells()->cellAt(shownRow, shownCol)->text(QAccessible::Description).isEmpty());
    EXPECT_EQ(cells()->cellAt(shownRow, shownCol)->text(QAccessible::Name),
              grid().TextMatrix(land, 5));
}

TEST_F(DocumentFormAccessTest, TheEditorBoxAndTheButtonsAreNamed)
{
    ASSERT_TRUE(openForm(kBalance));
    const int land = rowOf("40");
    goTo(land, 7);
    QTest::keyClicks(gridWidget(), QStringLiteral("5"));
    ASSERT_TRUE(form->txtEdit()->isVisible());
    QAccessibleInterface* box = QAccessible::queryAccessibleInterface(form->txtEdit());
    EXPECT_EQ(box->text(QAccessible::Name), QStringLiteral("1. Земи (терени), Текуща година"));
    EXPECT_EQ(box->text(QAccessible::Value), QStringLiteral("5"));
    EXPECT_EQ(box->text(QAccessible::Description),
              QStringLiteral("Сума в клетката: %1").arg(grid().TextMatrix(land, 7)));
    QTest::keyClick(form->txtEdit(), Qt::Key_Return);
    goTo(land, 7);
    QTest::keyClick(gridWidget(), Qt::Key_F2);
    EXPECT_EQ(box->text(QAccessible::Description), QStringLiteral("Сума в клетката: 5"));
    QTest::keyClick(form->txtEdit(), Qt::Key_Escape);

    for (QPushButton* button : form->findChildren<QPushButton*>()) {
        QAccessibleInterface* iface = QAccessible::queryAccessibleInterface(button);
        SCOPED_TRACE(button->objectName().toStdString());
        EXPECT_FALSE(iface->text(QAccessible::Name).isEmpty());
        EXPECT_FALSE(iface->text(QAccessible::Description).isEmpty());
        EXPECT_TRUE(button->text().contains(u'&')) << "no key of its own";
    }
    EXPECT_EQ(QAccessible::queryAccessibleInterface(form->cmdPrint())->text(QAccessible::Name),
              QStringLiteral("Печат"));
}

} // namespace
