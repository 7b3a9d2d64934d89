// The document form on the shipped templates of the forms that differ most:
// the statement of equity's name-cell marks, the liquidation forms' hidden
// previous-year column and their Sum button.
#include "editor/frmDocument.h"
#include "grid/GridWidget.h"
#include "platform/MessageBoxes.h"
#include "selection/Catalogue.h"
#include "selection/DocumentContext.h"
#include "selection/DocumentOpening.h"
#include "tests/editor/FormFixture.h"
#include "tests/support/TestFiles.h"

#include <QApplication>
#include <QLineEdit>
#include <QPushButton>
#include <QRegularExpression>
#include <QScrollBar>
#include <QTemporaryDir>
#include <QTest>

#include <gtest/gtest.h>

using namespace telm;
using platform::MsgAnswer;

namespace {

const QColor kTeal(0, 128, 128);

class DocumentFormVariantsTest : public test::FormFixture
{
protected:
    void SetUp() override
    {
        ASSERT_TRUE(test::makeProgramFolder(dir.path()));
        state.FilePrefix = QStringLiteral("VELDOR");
        state.programFolder = dir.path();
        state.company = {QStringLiteral("Фирма ООД"), QStringLiteral("123456786")};
        state.period = {QStringLiteral("12"), 2006};
    }

    // Opens a new document of the type at `position` as the new-document dialog does.
    bool openForm(int position)
    {
        const DocType& type = *DocTypeAt(position);
        state.docType.Name = type.titleText();
        const Opening opening = OpenFromChoices(state, type, false);
        if (!opening.document)
            return false;
        return showForm(*opening.document);
    }

    int rowOf(const char* id)
    {
        for (int r = 1; r < grid().Rows(); ++r)
            if (grid().TextMatrix(r, 2) == QLatin1String(id))
                return r;
        return -1;
    }

    void typeAndEnter(const QString& text)
    {
        QTest::keyClicks(gridWidget(), text.left(1));
        QTest::keyClicks(form->txtEdit(), text.mid(1));
        QTest::keyClick(form->txtEdit(), Qt::Key_Return);
        QApplication::processEvents();
    }

    QColor back(int row) { return grid().cellBackColor(row, 0); }
    QColor fore(int row) { return grid().cellForeColor(row, 0); }
};

// The equity statement's name column is white on the fixed-cell colour: no mark
// may leave a title white on white, or light grey.
TEST_F(DocumentFormVariantsTest, EquityTitlesStayReadableThroughEveryMark)
{
    ASSERT_TRUE(openForm(8));
    const QColor current = form->palette().color(QPalette::Button);
    EXPECT_EQ(back(1), current);
    EXPECT_EQ(fore(1), QColor(Qt::black));

    goTo(5, 5); // leaving row 1 for a typed row (row 2 is computed)
    EXPECT_EQ(back(1), kTeal);
    EXPECT_EQ(fore(1), QColor(Qt::white));
    EXPECT_EQ(back(5), current);
    EXPECT_EQ(fore(5), QColor(Qt::black));

    QTest::keyClicks(gridWidget(), QStringLiteral("1"));
    ASSERT_TRUE(form->txtEdit()->isVisible());
    EXPECT_EQ(back(5), QColor(0, 96, 96)); // the editor is open: yellow on dark teal
    EXPECT_EQ(fore(5), QColor(Qt::yellow));
    QTest::keyClick(form->txtEdit(), Qt::Key_Escape);
    EXPECT_EQ(fore(5), QColor(Qt::white)); // Esc
    typeAndEnter(QStringLiteral("12"));
    EXPECT_EQ(fore(5), QColor(Qt::white)); // committed and left
    EXPECT_EQ(back(5), kTeal);
    EXPECT_EQ(grid().TextMatrix(5, 14), QStringLiteral("12"));

    // A save leaves the cursor where it was, its row marked as current.
    const int row = grid().Row();
    const int col = grid().Col();
    form->cmdSave_Click();
    EXPECT_EQ(grid().Row(), row);
    EXPECT_EQ(grid().Col(), col);
    EXPECT_EQ(back(row), current);

    // On screen: the title of a row moved through is on teal, not on white.
    QApplication::processEvents();
    const QImage shot = gridWidget()->grab().toImage();
    const QRect cell = gridWidget()->cellRect(1, 0);
    EXPECT_EQ(shot.pixelColor(cell.right() - 3, cell.center().y()), kTeal);
}

// The liquidation forms show their previous year beside the current year, as
// wide; with no file of last year it is typed like the current year.
TEST_F(DocumentFormVariantsTest, TheLiquidationPreviousYearIsShownBesideTheCurrentYear)
{
    ASSERT_TRUE(openForm(1)); // balance sheet in liquidation: previous year in column 4
    const int row = rowOf("40");
    ASSERT_GT(row, 0);
    EXPECT_GT(grid().ColWidth(4, 0), 0);
    EXPECT_EQ(grid().ColWidth(4, 0), grid().ColWidth(5, 0));
    EXPECT_EQ(grid().TextMatrix(0, 4), QStringLiteral("Предходна година (въведени)"));
    goTo(row, 5);
    QTest::keyClick(gridWidget(), Qt::Key_Left);
    ASSERT_EQ(grid().Col(), 4);
    EXPECT_FALSE(gridWidget()->cellRect(row, 4).isEmpty());

    // A double click on its heading neither hides it nor stops an entry.
    const int width = grid().ColWidth(4, 0);
    const QPoint at = gridWidget()->cellRect(0, 4).center() - gridWidget()->viewport()->pos();
    QTest::mouseDClick(gridWidget()->viewport(), Qt::LeftButton, {}, at);
    EXPECT_EQ(grid().ColWidth(4, 0), width);
    ASSERT_TRUE(form->txtEdit()->isVisible());
    QTest::keyClick(form->txtEdit(), Qt::Key_Escape);
}

TEST_F(DocumentFormVariantsTest, TheSumButtonWritesResultRowsOnlyWhereTheVariantHasIt)
{
    ASSERT_TRUE(openForm(1));
    ASSERT_NE(form->cmdSum(), nullptr);
    EXPECT_FALSE(form->cmdSum()->isVisible()); // BalLiq: no sums
    boxes.answers.assign(2, MsgAnswer::No);
    form->close();
    form.reset();

    ASSERT_TRUE(openForm(2)); // BalLiq2: АКТИВ (10) = 580 = 20 + 310 + 570
    ASSERT_TRUE(form->cmdSum()->isVisible());
    const int land = rowOf("40");
    const int assets = rowOf("10");
    const int result = rowOf("580");
    const int current = rowOf("310");
    goTo(land, 5);
    typeAndEnter(QStringLiteral("1000"));
    EXPECT_EQ(grid().TextMatrix(assets, 5), QStringLiteral("0")); // a manual row: not a total
    const bool changed = form->engine().changed();
    const bool saved = form->engine().saved();

    QTest::mouseClick(form->cmdSum(), Qt::LeftButton);
    EXPECT_EQ(grid().TextMatrix(result, 5).remove(QRegularExpression(QStringLiteral("\\D"))),
              QStringLiteral("1000"));
    EXPECT_EQ(grid().TextMatrix(assets, 5), grid().TextMatrix(result, 5));
    EXPECT_EQ(grid().TextMatrix(current, 5), QStringLiteral("0")); // group totals untouched
    EXPECT_EQ(form->engine().changed(), changed);
    EXPECT_EQ(form->engine().saved(), saved);

    // A save sums first on this variant.
    goTo(land, 5);
    typeAndEnter(QStringLiteral("2000"));
    form->cmdSave_Click();
    EXPECT_EQ(grid().TextMatrix(assets, 5).remove(QRegularExpression(QStringLiteral("\\D"))),
              QStringLiteral("2000"));
}

} // namespace
