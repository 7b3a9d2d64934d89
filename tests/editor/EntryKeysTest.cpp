// The document form by keyboard only, as an accountant types: where the cursor
// starts, Enter and Tab over the cells that take amounts, undo and redo, the
// shortcuts, finding a row, and what the status bar says.
#include "editor/frmDocument.h"
#include "grid/GridPainter.h"
#include "grid/GridWidget.h"
#include "platform/MessageBoxes.h"
#include "platform/PrintDialogs.h"
#include "selection/Catalogue.h"
#include "selection/DataFileName.h"
#include "selection/DocumentContext.h"
#include "selection/DocumentOpening.h"
#include "tests/editor/BalanceFixture.h"
#include "tests/editor/FormFixture.h"
#include "tests/editor/SavedDocuments.h"
#include "tests/support/TestFiles.h"

#include <QApplication>
#include <QClipboard>
#include <QLineEdit>
#include <QRegularExpression>
#include <QStatusBar>
#include <QTest>

#include <gtest/gtest.h>

using namespace telm;
using namespace telm::test;
using platform::MsgAnswer;

namespace {

class EntryKeysTest : public FormFixture
{
protected:
    bool openBalance()
    {
        EXPECT_TRUE(prepareBalance(dir.path(), state, QStringLiteral("Фирма ООД")));
        const DocType& type = *DocTypeAt(0);
        return showForm(DocumentInContext(state, type, 0, TemplatePath(dir.path(), type), false));
    }

    bool openEquity()
    {
        EXPECT_TRUE(makeProgramFolder(dir.path()));
        state.FilePrefix = QStringLiteral("VELDOR");
        state.programFolder = dir.path();
        state.company = {QStringLiteral("Фирма ООД"), QStringLiteral("123456786")};
        state.period = {QStringLiteral("12"), 2024};
        const DocType& type = *DocTypeAt(8);
        state.docType.Name = type.titleText();
        const Opening opening = OpenFromChoices(state, type, false);
        return opening.document && showForm(*opening.document);
    }

    // Keys to whatever has the focus, as a user presses them.
    void press(int key, Qt::KeyboardModifiers mods = Qt::NoModifier)
    {
        QWidget* target = QApplication::focusWidget() ? QApplication::focusWidget() : form.get();
        QTest::keyClick(target, static_cast<Qt::Key>(key), mods);
        QApplication::processEvents();
    }

    // An amount typed on the grid and ended with Enter.
    void typeEnter(const char* digits)
    {
        for (const char* c = digits; *c; ++c)
            QTest::keyClick(QApplication::focusWidget(), *c);
        press(Qt::Key_Return);
    }

    // Cyrillic, which QTest::keyClicks cannot type.
    static void typeText(QWidget* widget, const QString& text)
    {
        for (const QChar ch : text)
            QTest::sendKeyEvent(QTest::Click, widget, Qt::Key_unknown, QString(ch), Qt::NoModifier);
    }

    int id() { return grid().TextMatrix(grid().Row(), 2).toInt(); }
    QString note() { return form->statusBar()->currentMessage(); }
};

} // namespace

TEST_F(EntryKeysTest, ABalanceSheetTypedByKeyboardOnlyWithAnUndoAndASave)
{
    ASSERT_TRUE(openBalance());
    EXPECT_EQ(grid().Row(), kLand);
    EXPECT_EQ(grid().Col(), 7);
    EXPECT_TRUE(gridWidget()->hasFocus());

    typeEnter("100");
    EXPECT_EQ(grid().Row(), kBuildings);
    typeEnter("200");
    EXPECT_EQ(grid().Row(), kMaterials); // past the group Б. Краткотрайни активи
    typeEnter("300");
    EXPECT_EQ(grid().TextMatrix(kAssets, 7), QStringLiteral("600"));
    // Tab to the typed previous year, Shift+Tab back.
    press(Qt::Key_Tab);
    EXPECT_EQ(grid().Row(), kReceivables);
    EXPECT_EQ(grid().Col(), 10);
    press(Qt::Key_Backtab);
    EXPECT_EQ(grid().Col(), 7);

    // Ctrl+Z takes the last entry back, totals with it, and goes to its cell.
    press(Qt::Key_Z, Qt::ControlModifier);
    EXPECT_EQ(grid().Row(), kMaterials);
    EXPECT_EQ(grid().Col(), 7);
    EXPECT_EQ(grid().TextMatrix(kMaterials, 7), QStringLiteral("0"));
    EXPECT_EQ(grid().TextMatrix(kAssets, 7), QStringLiteral("300"));
    EXPECT_EQ(note(), QStringLiteral("Отменено: въвеждане"));
    press(Qt::Key_Y, Qt::ControlModifier);
    EXPECT_EQ(grid().TextMatrix(kAssets, 7), QStringLiteral("600"));
    press(Qt::Key_Z, Qt::ControlModifier | Qt::ShiftModifier);
    EXPECT_EQ(note(), QStringLiteral("Няма отменено действие за връщане"));
    press(Qt::Key_Z, Qt::ControlModifier);

    // Ctrl+S: saved where the cursor is, and said so.
    boxes.answers.assign(5, MsgAnswer::Ok);
    press(Qt::Key_S, Qt::ControlModifier);
    const QString file = QStringLiteral("VELDOR_Bal_123456786_2005_12.xml");
    EXPECT_TRUE(QFile::exists(dir.filePath(QStringLiteral("Data/") + file)));
    EXPECT_TRUE(
        QRegularExpression(
            QStringLiteral("^Записано: %1 \\d\\d:\\d\\d$").arg(QRegularExpression::escape(file)))
            .match(form->statusText())
            .hasMatch())
        << form->statusText().toStdString();
    EXPECT_EQ(form->windowTitle(), QStringLiteral("TELM Transfer - Баланс — ") + file);
    EXPECT_EQ(grid().Row(), kMaterials);
    EXPECT_EQ(grid().Col(), 7);
    EXPECT_TRUE(gridWidget()->hasFocus());

    // Until the next edit.
    typeEnter("5");
    EXPECT_EQ(form->statusText(), QString());
    EXPECT_EQ(form->windowTitle(), QStringLiteral("TELM Transfer - Баланс — ") + file);
}

TEST_F(EntryKeysTest, ADeleteAndAPasteAreUndoneOneStepEachAndTheSavedStateAsksNothing)
{
    ASSERT_TRUE(openBalance());
    typeEnter("100");
    boxes.answers.assign(5, MsgAnswer::Ok);
    press(Qt::Key_S, Qt::ControlModifier);
    const std::size_t shownAtSave = boxes.shown.size();

    goTo(kLand, 7);
    press(Qt::Key_Delete);
    EXPECT_EQ(grid().TextMatrix(kLand, 7), QStringLiteral("0"));
    goTo(kMaterials, 7);
    QGuiApplication::clipboard()->setText(QStringLiteral("7\n8\n9\n"));
    press(Qt::Key_V, Qt::ControlModifier);
    EXPECT_EQ(grid().TextMatrix(kOfClients, 7), QStringLiteral("9"));
    EXPECT_EQ(grid().TextMatrix(kAssets, 7), QStringLiteral("15"));

    press(Qt::Key_Z, Qt::ControlModifier); // the whole paste
    for (int row : {kMaterials, kReceivables, kOfClients})
        EXPECT_EQ(grid().TextMatrix(row, 7), QStringLiteral("0")) << row;
    EXPECT_EQ(grid().TextMatrix(kLand, 7), QStringLiteral("0"));
    EXPECT_EQ(note(), QStringLiteral("Отменено: поставяне"));
    press(Qt::Key_Z, Qt::ControlModifier); // the Delete
    EXPECT_EQ(grid().TextMatrix(kLand, 7), QStringLiteral("100"));
    EXPECT_EQ(grid().TextMatrix(kAssets, 7), QStringLiteral("100"));

    // As saved: closing asks nothing.
    form->close();
    EXPECT_FALSE(form->isVisible());
    EXPECT_EQ(boxes.shown.size(), shownAtSave);
}

TEST_F(EntryKeysTest, CtrlPPrintsAnOpenEntryTooAndTheCursorComesBack)
{
    ASSERT_TRUE(openBalance());
    QTest::keyClick(gridWidget(), '4');
    platform::RecordingPrintDialogs dialogs; // cancelled
    press(Qt::Key_P, Qt::ControlModifier);
    ASSERT_EQ(dialogs.asked.size(), 1u);
    EXPECT_EQ(grid().TextMatrix(kLand, 7), QStringLiteral("4"));
    EXPECT_EQ(grid().Row(), kLand);
    EXPECT_EQ(grid().Col(), 7);
    EXPECT_TRUE(gridWidget()->hasFocus());
    EXPECT_EQ(form->statusText(), QString()); // nothing printed, nothing said
}

TEST_F(EntryKeysTest, EscCancelsTheEntryThenClosesAskingAsTheCloseBoxDoes)
{
    ASSERT_TRUE(openBalance());
    typeEnter("100");
    QTest::keyClick(gridWidget(), '7');
    ASSERT_TRUE(form->txtEdit()->isVisible());
    press(Qt::Key_Escape);
    EXPECT_FALSE(form->txtEdit()->isVisible());
    EXPECT_TRUE(form->isVisible());
    EXPECT_TRUE(boxes.shown.empty());

    boxes.answers.assign(1, MsgAnswer::Cancel);
    press(Qt::Key_Escape);
    ASSERT_EQ(boxes.shown.size(), 1u);
    EXPECT_EQ(boxes.shown[0].text, QStringLiteral("Искате ли да съхраните промените в документа?"));
    EXPECT_TRUE(form->isVisible());
    EXPECT_TRUE(gridWidget()->hasFocus());
}

TEST_F(EntryKeysTest, ComputedCellsLookApartAndSayWhyTheyTakeNoEntry)
{
    ASSERT_TRUE(openBalance());
    goTo(kFixed, 7);
    QTest::keyClick(gridWidget(), '5');
    EXPECT_FALSE(form->txtEdit()->isVisible());
    EXPECT_EQ(note(), QStringLiteral("Сумата се изчислява от редовете под нея"));
    goTo(kDeferred, 7);
    QTest::keyClick(gridWidget(), '5');
    EXPECT_EQ(note(), QStringLiteral("Този ред не се попълва"));

    // Drawn on their own colour, a typed cell on white; black text reads well on it.
    goTo(kLand, 0);
    const QImage shot = gridWidget()->grab().toImage();
    const auto backAt = [&](int row) {
        const QRect cell = gridWidget()->cellRect(row, 7);
        return QColor(shot.pixel(cell.topLeft() + QPoint(3, 3)));
    };
    EXPECT_EQ(backAt(kFixed), GridColors::kComputedBack);
    EXPECT_EQ(backAt(kDeferred), GridColors::kComputedBack);
    EXPECT_EQ(backAt(kBuildings), GridColors::kCellBack);
    const auto luminance = [](const QColor& c) {
        const auto channel = [](double v) {
            return v <= 0.03928 ? v / 12.92 : std::pow((v + 0.055) / 1.055, 2.4);
        };
        return 0.2126 * channel(c.redF()) + 0.7152 * channel(c.greenF())
               + 0.0722 * channel(c.blueF());
    };
    EXPECT_GE((luminance(GridColors::kComputedBack) + 0.05)
                  / (luminance(GridColors::kCellFore) + 0.05),
              4.5);
}

TEST_F(EntryKeysTest, CtrlFFindsARowByItsTitleAndF3TheNextOne)
{
    ASSERT_TRUE(openBalance());
    press(Qt::Key_F, Qt::ControlModifier);
    ASSERT_TRUE(form->txtFind()->hasFocus());
    typeText(form->txtFind(), QStringLiteral("Условни"));
    EXPECT_EQ(id(), 20);
    press(Qt::Key_Return);
    EXPECT_FALSE(form->txtFind()->isVisible());
    EXPECT_TRUE(gridWidget()->hasFocus());
    press(Qt::Key_F3);
    EXPECT_EQ(id(), 21);
    EXPECT_EQ(grid().Col(), 7); // on a row that takes an amount, on the amount
    press(Qt::Key_F3);
    EXPECT_EQ(id(), 22);

    press(Qt::Key_F, Qt::ControlModifier);
    form->txtFind()->selectAll();
    QTest::keyClicks(form->txtFind(), QStringLiteral("xyz"));
    EXPECT_EQ(note(), QStringLiteral("Няма ред с „xyz“"));
    EXPECT_EQ(id(), 22);
    press(Qt::Key_Escape);
    EXPECT_TRUE(gridWidget()->hasFocus());
    EXPECT_TRUE(form->isVisible());
}

TEST_F(EntryKeysTest, TheEquityStatementTakesItsAmountsWithoutAKeyOnAComputedRow)
{
    ASSERT_TRUE(openEquity());
    EXPECT_EQ(id(), 10);
    EXPECT_EQ(grid().Col(), 5);
    typeEnter("100");
    EXPECT_EQ(id(), 30); // past row 1, the sum of its lines
    typeEnter("50");
    typeEnter("-20");
    EXPECT_EQ(id(), 50);
    // Tab through the row's columns, never onto "Общо".
    for (int col = 6; col <= 13; ++col) {
        press(Qt::Key_Tab);
        EXPECT_EQ(grid().Col(), col);
    }
    press(Qt::Key_Tab);
    EXPECT_EQ(id(), 60);
    EXPECT_EQ(grid().Col(), 5);

    const int closing = rowOf(grid(), 170);
    EXPECT_EQ(amount(grid(), 170, 5), 130);
    press(Qt::Key_Z, Qt::ControlModifier);
    EXPECT_EQ(id(), 40);
    EXPECT_EQ(amount(grid(), 170, 5), 150);
    goTo(closing, 5);
    QTest::keyClick(gridWidget(), '1');
    EXPECT_EQ(note(), QStringLiteral("Сумата се изчислява от други редове на документа"));

    // The last entry of the column: Enter stays and says so.
    goTo(rowOf(grid(), 190), 5);
    press(Qt::Key_Return);
    EXPECT_EQ(id(), 190);
    EXPECT_EQ(note(), QStringLiteral("Няма други клетки за въвеждане надолу в тази колона"));
}
