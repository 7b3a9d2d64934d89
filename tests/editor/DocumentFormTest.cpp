// Whole roads through the real document form, driven by keys and clicks.
#include "editor/AmountText.h"
#include "editor/DocumentFill.h"
#include "editor/FindingsModel.h"
#include "editor/FindingsPanel.h"
#include "editor/frmDocument.h"
#include "grid/GridWidget.h"
#include "platform/MessageBoxes.h"
#include "platform/PrintDialogs.h"
#include "selection/Catalogue.h"
#include "selection/DataFileName.h"
#include "selection/DocumentContext.h"
#include "tests/editor/BalanceFixture.h"
#include "tests/editor/FormFixture.h"
#include "tests/support/PdfText.h"
#include "tests/support/TestFiles.h"
#include "xmlfiles/DataFile.h"
#include "xmlfiles/XmlAccess.h"

#include <QApplication>
#include <QClipboard>
#include <QComboBox>
#include <QDir>
#include <QFile>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QScreen>
#include <QSettings>
#include <QTemporaryDir>
#include <QTest>
#include <QTreeView>

#include <gtest/gtest.h>

using namespace telm;
using namespace telm::test;
using platform::MsgAnswer;

namespace {

class DocumentFormTest : public FormFixture
{
protected:
    void SetUp() override
    {
        ASSERT_TRUE(dir.isValid());
        ASSERT_TRUE(test::prepareBalance(dir.path(), state, QStringLiteral("Фирма ООД")));
        // What printing remembers per company stays in the test's folder.
        QSettings::setPath(QSettings::NativeFormat, QSettings::UserScope, dir.path());
    }

    // Opens the balance sheet as the selection dialogs would and waits for the load.
    bool openForm(int editType)
    {
        const DocType& balance = *DocTypeAt(0);
        if (editType == 1) {
            state.openedDataFilePath = dataPath();
            state.xml.load(dataPath());
        }
        const QString path = editType == 0 ? TemplatePath(dir.path(), balance) : dataPath();
        return showForm(DocumentInContext(state, balance, editType, path, state.hfGrid.Prognosis));
    }

    // Types text as a user would: the first key on the grid opens the editor box.
    void type(const QString& text)
    {
        QTest::keyClick(gridWidget(), text.at(0).toLatin1());
        QTest::keyClicks(form->txtEdit(), text.mid(1));
    }

    void enter()
    {
        QTest::keyClick(form->txtEdit(), Qt::Key_Return);
        QTest::qWait(1);
        QApplication::processEvents();
    }

    QString dataPath() const
    {
        return dir.filePath(QStringLiteral("Data/VELDOR_Bal_123456786_2005_12.xml"));
    }
};

} // namespace

TEST_F(DocumentFormTest, LoadsTheBalanceSheetLaidOut)
{
    ASSERT_TRUE(openForm(0));
    EXPECT_EQ(form->windowTitle(), QStringLiteral("TELM Transfer - Баланс"));
    EXPECT_EQ(form->txtPeriod()->text(), QStringLiteral("12/2005"));
    EXPECT_EQ(form->txtCompName()->text(), QStringLiteral("Фирма ООД"));
    EXPECT_EQ(form->txtBulstat()->text(), QStringLiteral("123456786"));
    // The cursor starts on the first cell that takes an amount.
    EXPECT_EQ(grid().Row(), kLand);
    EXPECT_EQ(grid().Col(), 7);
    EXPECT_EQ(grid().TextMatrix(0, 0), QStringLiteral("Раздели, групи, статии"));
    EXPECT_EQ(grid().TextMatrix(0, 7), QStringLiteral("Текуща година"));
    for (int col : {2, 3, 4, 5, 6, 8, 9})
        EXPECT_EQ(grid().ColWidth(col, 0), 0) << col;
    EXPECT_GT(grid().ColWidth(7, 0), 0);
    EXPECT_GT(grid().ColWidth(0, 0), grid().ColWidth(7, 0));
    // The previous year beside the current year, as wide, marked as typed: no
    // file of last year is beside this one.
    EXPECT_EQ(grid().ColWidth(10, 0), grid().ColWidth(7, 0));
    EXPECT_EQ(grid().TextMatrix(0, 10), QStringLiteral("Предходна година (въведени)"));
    EXPECT_TRUE(form->cmdComparatives()->isVisible());
    EXPECT_TRUE(form->cmdPrint()->isEnabled());
    EXPECT_GE(form->minimumWidth(), 600);
    EXPECT_TRUE(boxes.shown.empty());
}

TEST_F(DocumentFormTest, TypingIntoALeafUpdatesTotalsAndEnterMovesDown)
{
    ASSERT_TRUE(openForm(0));
    goTo(kLand, 7);
    type(QStringLiteral("1234"));
    EXPECT_TRUE(form->txtEdit()->isVisible());
    enter();
    EXPECT_FALSE(form->txtEdit()->isVisible());
    EXPECT_EQ(grid().TextMatrix(kLand, 7), nbsp("1 234"));
    EXPECT_EQ(grid().TextMatrix(kLand, 5), nbsp("1 234"));
    EXPECT_EQ(grid().TextMatrix(kFixed, 7), nbsp("1 234"));
    EXPECT_EQ(grid().TextMatrix(kAssets, 7), nbsp("1 234"));
    EXPECT_EQ(grid().Row(), kBuildings);
    EXPECT_EQ(grid().Col(), 7);

    type(QStringLiteral("-5"));
    enter();
    EXPECT_EQ(grid().TextMatrix(kBuildings, 7), QStringLiteral("(5)"));
    EXPECT_EQ(grid().TextMatrix(kAssets, 7), nbsp("1 229"));
    EXPECT_TRUE(form->engine().changed());
    EXPECT_FALSE(form->engine().saved());
}

TEST_F(DocumentFormTest, ARefusedEntryStaysSelectedAndEscDiscardsIt)
{
    ASSERT_TRUE(openForm(0));
    goTo(kLand, 7);
    type(QStringLiteral("abc"));
    enter();
    ASSERT_EQ(boxes.shown.size(), 1u);
    EXPECT_EQ(boxes.shown[0].title, QStringLiteral("TELM - Внимание!"));
    EXPECT_TRUE(boxes.shown[0].text.startsWith(u"Въведете число!"))
        << boxes.shown[0].text.toStdString();
    EXPECT_EQ(boxes.shown[0].icon, platform::MsgIcon::Critical);
    EXPECT_TRUE(form->txtEdit()->isVisible());
    EXPECT_EQ(form->txtEdit()->selectedText(), QStringLiteral("abc"));
    EXPECT_EQ(grid().Row(), kLand);

    // Trying to leave by the keyboard bounces back to the refused cell.
    QTest::keyClick(form->txtEdit(), Qt::Key_Down);
    QApplication::processEvents();
    EXPECT_EQ(grid().Row(), kLand);

    QTest::keyClick(form->txtEdit(), Qt::Key_Escape);
    EXPECT_FALSE(form->txtEdit()->isVisible());
    EXPECT_EQ(grid().TextMatrix(kLand, 7), QStringLiteral("0"));

    // Blanks store an empty cell.
    goTo(kLand, 7);
    QTest::keyClick(gridWidget(), Qt::Key_Space);
    form->txtEdit()->setText(QStringLiteral("   "));
    enter();
    EXPECT_EQ(grid().TextMatrix(kLand, 7), QString());
}

TEST_F(DocumentFormTest, RefusedCellsIgnoreKeysSilently)
{
    ASSERT_TRUE(openForm(0));
    goTo(kFixed, 7); // group row
    QTest::keyClick(gridWidget(), '5');
    EXPECT_FALSE(form->txtEdit()->isVisible());
    goTo(kCapital, 6); // adjustment under ПАСИВ
    QTest::keyClick(gridWidget(), '5');
    EXPECT_FALSE(form->txtEdit()->isVisible());
    goTo(kCapital, 2); // identifier column
    QTest::keyClick(gridWidget(), Qt::Key_Delete);
    EXPECT_EQ(grid().TextMatrix(kCapital, 2), QStringLiteral("12"));
    EXPECT_TRUE(boxes.shown.empty());
    EXPECT_FALSE(form->engine().changed());
}

TEST_F(DocumentFormTest, DeleteKeySetsZeroAndRecomputes)
{
    ASSERT_TRUE(openForm(0));
    goTo(kMaterials, 7);
    type(QStringLiteral("40"));
    enter();
    form->cmdSave_Click(); // unbalanced: warned, saved all the same
    ASSERT_TRUE(form->engine().saved());
    goTo(kMaterials, 7);
    QTest::keyClick(gridWidget(), Qt::Key_Delete);
    EXPECT_EQ(grid().TextMatrix(kMaterials, 7), QStringLiteral("0"));
    EXPECT_EQ(grid().TextMatrix(kAssets, 7), QStringLiteral("0"));
    EXPECT_FALSE(form->engine().saved());
}

TEST_F(DocumentFormTest, ClosingAsksAboutUnsavedChanges)
{
    ASSERT_TRUE(openForm(0));
    goTo(kLand, 7);
    type(QStringLiteral("10"));
    enter();

    boxes.answers = {MsgAnswer::Cancel};
    form->closeButton()->click();
    ASSERT_EQ(boxes.shown.size(), 1u);
    EXPECT_EQ(boxes.shown[0].text, QStringLiteral("Искате ли да съхраните промените в документа?"));
    EXPECT_EQ(boxes.shown[0].title, QStringLiteral("Внимание!"));
    EXPECT_EQ(boxes.shown[0].buttons, platform::MsgButtons::YesNoCancel);
    EXPECT_TRUE(form->isVisible());
    EXPECT_EQ(grid().TextMatrix(kLand, 7), QStringLiteral("10"));

    boxes.answers = {MsgAnswer::No};
    form->close();
    EXPECT_FALSE(form->isVisible());
    EXPECT_FALSE(QFile::exists(dataPath()));

    ASSERT_TRUE(openForm(0));
    goTo(kLand, 7);
    type(QStringLiteral("10")); // left in the box: still stored by Yes
    boxes.shown.clear();
    boxes.answers = {MsgAnswer::Yes};
    form->close();
    EXPECT_FALSE(form->isVisible());
    ASSERT_TRUE(QFile::exists(dataPath()));
    XmlDocument saved;
    ASSERT_TRUE(saved.load(dataPath()));
    EXPECT_TRUE(VerifyDataHash(saved));
    EXPECT_EQ(GetNodeAttribute(SelectSingleNode(saved.doc(), RowLookupPath(3, QStringLiteral("3"))),
                               QStringLiteral("DocDta_Sum3")),
              QStringLiteral("10"));
}

// The question on close follows from what the edits changed: an entry given up
// with Esc, or one that stores the amount the cell already held, changed nothing.
TEST_F(DocumentFormTest, ClosingDoesNotAskWhenNoEditChangedACell)
{
    struct Case
    {
        const char* what;
        const char* typed;
        Qt::Key end;
    };
    const Case cases[] = {
        {"given up with Esc", "10", Qt::Key_Escape},
        {"the amount the cell holds", "0", Qt::Key_Return},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.what);
        ASSERT_TRUE(openForm(0));
        goTo(kLand, 7);
        type(QString::fromLatin1(c.typed));
        QTest::keyClick(form->txtEdit(), c.end);
        EXPECT_FALSE(form->txtEdit()->isVisible());
        EXPECT_EQ(grid().TextMatrix(kLand, 7), QStringLiteral("0"));
        boxes.shown.clear();
        form->close();
        EXPECT_TRUE(boxes.shown.empty());
        EXPECT_FALSE(form->isVisible());
        EXPECT_FALSE(QFile::exists(dataPath()));
    }
}

TEST_F(DocumentFormTest, SaveWarnsWhenUnbalancedThenReopensForCorrection)
{
    ASSERT_TRUE(openForm(0));
    goTo(kLand, 7);
    type(QStringLiteral("100"));
    enter();
    form->cmdSave()->click();
    // Said after the file was written, and so said first: the balance is a
    // finding to mend, not a failed save.
    ASSERT_EQ(boxes.shown.size(), 1u);
    EXPECT_TRUE(boxes.shown[0].text.startsWith(QStringLiteral("Документът е записан.\n\n")))
        << boxes.shown[0].text.toStdString();
    EXPECT_TRUE(boxes.shown[0].text.contains(
        QStringLiteral("Имате неравнени АКТИВ и ПАСИВ. Коригирайте документа!")));
    EXPECT_EQ(boxes.shown[0].icon, platform::MsgIcon::Warning);
    EXPECT_TRUE(QFile::exists(dataPath()));
    // Listed under the grid with the two sides it compared; Enter goes to the first.
    FindingsPanel* panel = form->findingsPanel();
    ASSERT_TRUE(panel->isVisible());
    const FindingsModel& findings = *panel->model();
    ASSERT_EQ(findings.rowCount(), 1);
    const QModelIndex finding = findings.index(0, 0);
    EXPECT_EQ(findings.index(0, 1).data().toString(), QStringLiteral("разлика 100"));
    ASSERT_EQ(findings.rowCount(finding), 2);
    EXPECT_EQ(findings.index(0, 1, finding).data().toString(), QStringLiteral("100"));
    EXPECT_EQ(findings.index(1, 1, finding).data().toString(), QStringLiteral("0"));
    // F9 checks again, without saving: the same finding.
    const QByteArray written = test::readAll(dataPath());
    goTo(kLand, 7);
    QTest::keyClick(gridWidget(), Qt::Key_F9);
    EXPECT_EQ(findings.rowCount(), 1);
    EXPECT_EQ(test::readAll(dataPath()), written);
    // F9 leaves the user in the panel; Esc there goes back to the grid, on
    // the cell left, and does not close the form.
    ASSERT_TRUE(panel->view()->hasFocus());
    boxes.shown.clear();
    QTest::keyClick(panel->view(), Qt::Key_Escape);
    EXPECT_TRUE(boxes.shown.empty());
    EXPECT_TRUE(form->isVisible());
    EXPECT_TRUE(gridWidget()->hasFocus());
    EXPECT_EQ(grid().Row(), kLand);
    // An entry after the check: the panel says its amounts may be old.
    goTo(kLand, 7);
    type(QStringLiteral("200"));
    enter();
    EXPECT_TRUE(panel->summary()->text().startsWith(QStringLiteral("Документът е променен")));
    QTest::keyClick(gridWidget(), Qt::Key_Z, Qt::ControlModifier);
    goTo(kLand, 7);
    panel->view()->setFocus();
    panel->view()->setCurrentIndex(findings.index(1, 0, finding));
    QTest::keyClick(panel->view(), Qt::Key_Return);
    EXPECT_EQ(grid().Row(), kLiabilities);
    EXPECT_EQ(grid().Col(), 7);
    EXPECT_TRUE(form->engine().saved());
    boxes.shown.clear();
    form->close(); // saved: no question
    EXPECT_TRUE(boxes.shown.empty());

    state.company.Name = QStringLiteral("Друга фирма");
    ASSERT_TRUE(openForm(1));
    EXPECT_EQ(form->txtCompName()->text(), QStringLiteral("Фирма ООД"));
    EXPECT_EQ(grid().TextMatrix(kAssets, 7), QStringLiteral("100"));
    goTo(kCapital, 7);
    type(QStringLiteral("100"));
    enter();
    form->cmdSave()->click();
    EXPECT_TRUE(boxes.shown.empty()); // balanced now
    XmlDocument saved;
    ASSERT_TRUE(saved.load(dataPath()));
    EXPECT_TRUE(VerifyDataHash(saved));
    EXPECT_EQ(GetChildText(SelectSingleNode(saved.doc(), QStringLiteral("xml/danni")),
                           QStringLiteral("compname")),
              QStringLiteral("Фирма ООД"));
    EXPECT_EQ(
        GetNodeAttribute(SelectSingleNode(saved.doc(), RowLookupPath(1, QStringLiteral("10"))),
                         QStringLiteral("DocDta_Sum3")),
        QStringLiteral("100"));
    EXPECT_EQ(grid().TextMatrix(kLiabilities, 7), QStringLiteral("100"));
}

TEST_F(DocumentFormTest, TamperedFileIsRefusedAndTheFormCloses)
{
    ASSERT_TRUE(openForm(0));
    goTo(kLand, 7);
    type(QStringLiteral("7"));
    enter();
    form->cmdSave()->click();
    boxes.shown.clear();
    form->close();
    QByteArray bytes = test::readAll(dataPath());
    bytes.replace("DocDta_Sum3=\"7\"", "DocDta_Sum3=\"8\"");
    ASSERT_TRUE(test::writeAll(dataPath(), bytes));

    EXPECT_FALSE(openForm(1));
    ASSERT_EQ(boxes.shown.size(), 1u);
    EXPECT_EQ(boxes.shown[0].title, QStringLiteral("Грешка"));
    EXPECT_EQ(boxes.shown[0].text, QStringLiteral("XML файлът е бил променен неоторизирано!"));
    EXPECT_FALSE(form->isVisible());
    EXPECT_EQ(test::readAll(dataPath()), bytes);
}

TEST_F(DocumentFormTest, AFailedSaveKeepsTheQuestionAndTheOldFile)
{
    ASSERT_TRUE(openForm(0));
    goTo(kLand, 7);
    type(QStringLiteral("7"));
    enter();
    form->cmdSave()->click();
    form->close();
    ASSERT_TRUE(openForm(1));
    goTo(kLand, 7);
    type(QStringLiteral("9"));
    enter();
    // The file went away and a folder took its place: the write must fail.
    const QByteArray before = test::readAll(dataPath());
    QFile::remove(dataPath());
    ASSERT_TRUE(QDir().mkpath(dataPath()));
    boxes.shown.clear();
    form->cmdSave()->click();
    // The failure alone: the balance is said once a save has gone through.
    ASSERT_EQ(boxes.shown.size(), 1u);
    EXPECT_EQ(boxes.shown[0].title, QStringLiteral("Внимание!"));
    EXPECT_EQ(boxes.shown[0].icon, platform::MsgIcon::Critical);
    EXPECT_FALSE(boxes.shown[0].text.contains(QStringLiteral("АКТИВ")));
    EXPECT_FALSE(form->engine().saved());
    boxes.answers = {MsgAnswer::Cancel};
    form->close();
    EXPECT_TRUE(form->isVisible()); // still asks: nothing was written
    EXPECT_EQ(boxes.shown.back().text,
              QStringLiteral("Искате ли да съхраните промените в документа?"));
    EXPECT_FALSE(before.isEmpty());
}

TEST_F(DocumentFormTest, EditorKeysCommitAndLetTheGridMove)
{
    ASSERT_TRUE(openForm(0));
    goTo(kLand, 7);
    type(QStringLiteral("5"));
    enter();
    goTo(kLand, 7);
    QTest::keyClick(gridWidget(), Qt::Key_F2); // keeps the text, caret at its end
    ASSERT_TRUE(form->txtEdit()->isVisible());
    EXPECT_EQ(form->txtEdit()->text(), QStringLiteral("5"));
    EXPECT_EQ(form->txtEdit()->cursorPosition(), 1);
    QTest::keyClicks(form->txtEdit(), QStringLiteral("0"));
    QTest::keyClick(form->txtEdit(), Qt::Key_Down);
    QApplication::processEvents();
    EXPECT_EQ(grid().TextMatrix(kLand, 7), QStringLiteral("50"));
    EXPECT_EQ(grid().Row(), kBuildings);

    QTest::keyClick(gridWidget(), '7'); // typing replaces the content
    EXPECT_EQ(form->txtEdit()->text(), QStringLiteral("7"));
    QTest::keyClick(form->txtEdit(), Qt::Key_Home, Qt::ControlModifier);
    QApplication::processEvents();
    EXPECT_EQ(grid().TextMatrix(kBuildings, 7), QStringLiteral("7"));
    EXPECT_EQ(grid().TextMatrix(kFixed, 7), QStringLiteral("57"));
    EXPECT_EQ(grid().Row(), 1);
    EXPECT_FALSE(form->txtEdit()->isVisible());
}

TEST_F(DocumentFormTest, HeaderDoubleClickTogglesTheCodeColumn)
{
    ASSERT_TRUE(openForm(0));
    goTo(kLand, 1);
    const QRect header = gridWidget()->cellRect(0, 1);
    ASSERT_FALSE(header.isEmpty());
    const QPoint at = gridWidget()->viewport()->mapFrom(gridWidget(), header.center());
    QTest::mouseDClick(gridWidget()->viewport(), Qt::LeftButton, {}, at);
    EXPECT_EQ(grid().rawColWidth(1, 0), -1);
    EXPECT_EQ(grid().rawColWidth(1, 4), -1);
    QTest::mouseDClick(gridWidget()->viewport(), Qt::LeftButton, {}, at);
    EXPECT_EQ(grid().rawColWidth(1, 0), 100);
    EXPECT_FALSE(form->txtEdit()->isVisible()); // the code column is never edited
}

TEST_F(DocumentFormTest, ClickingAwayFromARefusedEntryBouncesBackWithOneMessage)
{
    ASSERT_TRUE(openForm(0));
    goTo(kLand, 7);
    type(QStringLiteral("1x"));
    const QRect other = gridWidget()->cellRect(kMaterials, 7);
    ASSERT_FALSE(other.isEmpty());
    QTest::mouseClick(gridWidget()->viewport(), Qt::LeftButton, {},
                      gridWidget()->viewport()->mapFrom(gridWidget(), other.center()));
    for (int i = 0; i < 20 && boxes.shown.empty(); ++i)
        QTest::qWait(5);
    QApplication::processEvents();
    ASSERT_EQ(boxes.shown.size(), 1u);
    EXPECT_TRUE(boxes.shown[0].text.startsWith(u"Въведете число!"))
        << boxes.shown[0].text.toStdString();
    EXPECT_EQ(grid().Row(), kLand);
    EXPECT_EQ(grid().Col(), 7);
    EXPECT_TRUE(form->txtEdit()->isVisible());
    EXPECT_EQ(grid().TextMatrix(kLand, 7), QStringLiteral("0"));

    form->txtEdit()->setText(QStringLiteral("12"));
    enter();
    EXPECT_EQ(grid().TextMatrix(kLand, 7), QStringLiteral("12"));
    EXPECT_EQ(boxes.shown.size(), 1u);
}

TEST_F(DocumentFormTest, PrintGoesThroughTheDialogWithoutTheCurrentRowMark)
{
    ASSERT_TRUE(openForm(0));
    goTo(kLand, 7);
    type(QStringLiteral("1500")); // still in the editor box: printed as an entry
    // What the grid looks like while the dialog is open, just before printing.
    struct Dialogs : platform::RecordingPrintDialogs
    {
        GridModel* grid = nullptr;
        int col = -1;
        QColor nameBack;
        bool choosePrinter(QWidget* parent, QPrinter& printer, QWidget* options) override
        {
            col = grid->Col();
            nameBack = grid->cellBackColor(grid->Row(), 0);
            return RecordingPrintDialogs::choosePrinter(parent, printer, options);
        }
    } dialogs;
    dialogs.grid = &grid();
    const QString pdf = dir.filePath(QStringLiteral("printed.pdf"));
    dialogs.answers.push_back(pdf);
    QTest::mouseClick(form->cmdPrint(), Qt::LeftButton);

    ASSERT_EQ(dialogs.asked.size(), 1u);
    EXPECT_EQ(dialogs.asked[0].orientation, QPageLayout::Portrait);
    EXPECT_EQ(dialogs.asked[0].pageSize, QStringLiteral("A4"));
    EXPECT_TRUE(boxes.shown.empty());
    EXPECT_EQ(dialogs.col, 0);
    EXPECT_EQ(dialogs.nameBack, QColor(Qt::white));
    // Afterwards the cursor is back on the cell and the status bar names the file.
    EXPECT_EQ(grid().Row(), kLand);
    EXPECT_EQ(grid().Col(), 7);
    EXPECT_EQ(form->statusText(),
              QStringLiteral("Отпечатано във файл: ") + QDir::toNativeSeparators(pdf));
    const int pages = test::PdfPageCount(pdf);
    ASSERT_GE(pages, 1);
    const QString first = test::PdfPageText(pdf, 1).simplified();
    for (const char* expected : {"Баланс", "Фирма ООД", "към 31.12.2005 г.", "(в лева)", "1 500"})
        EXPECT_TRUE(first.contains(QString::fromUtf8(expected))) << expected;
    EXPECT_TRUE(test::PdfPageText(pdf, pages).contains(QStringLiteral("Съставил:")));
    // The file name proposed: type, BULSTAT and period.
    EXPECT_TRUE(dialogs.asked[0].docName.startsWith(QStringLiteral("Баланс_")));
    EXPECT_TRUE(dialogs.asked[0].docName.endsWith(QStringLiteral("_2005-12")));
    EXPECT_EQ(QDir(dialogs.asked[0].folder).canonicalPath(),
              QDir(state.dataFolderPath()).canonicalPath());

    // Paper is laid out from the document, never from the window: a narrow and a
    // wide window print the same pages.
    QString wide;
    for (int page = 1; page <= pages; ++page)
        wide += test::PdfPageText(pdf, page);
    form->resize(form->width() / 2, form->height());
    const QString narrowPdf = dir.filePath(QStringLiteral("narrow.pdf"));
    dialogs.answers.push_back(narrowPdf);
    QTest::mouseClick(form->cmdPrint(), Qt::LeftButton);
    ASSERT_EQ(test::PdfPageCount(narrowPdf), pages);
    QString narrow;
    for (int page = 1; page <= pages; ++page)
        narrow += test::PdfPageText(narrowPdf, page);
    EXPECT_EQ(narrow, wide);
    const auto widthsOf = [](const QString& file) {
        std::vector<std::pair<QString, QRectF>> words = test::PdfPageWords(file, 1);
        QStringList boxes;
        for (const auto& [word, box] : words)
            boxes << QStringLiteral("%1 %2 %3")
                         .arg(word)
                         .arg(box.left(), 0, 'f', 1)
                         .arg(box.width(), 0, 'f', 1);
        return boxes;
    };
    EXPECT_EQ(widthsOf(narrowPdf), widthsOf(pdf));
}

// The print dialog's tab "Отчет": the unit and the names, remembered for the company.
TEST_F(DocumentFormTest, TheUnitAndTheNamesAreChosenInThePrintDialogAndRemembered)
{
    ASSERT_TRUE(openForm(0));
    goTo(kLand, 7);
    type(QStringLiteral("1234500"));
    enter();
    platform::RecordingPrintDialogs dialogs;
    dialogs.fillOptions = [](QWidget* tab) {
        tab->findChild<QComboBox*>(QStringLiteral("cboUnit"))->setCurrentIndex(1);
        tab->findChild<QLineEdit*>(QStringLiteral("txtCompiler"))
            ->setText(QStringLiteral("Мария Иванова"));
    };
    const QString pdf = dir.filePath(QStringLiteral("thousands.pdf"));
    dialogs.answers.push_back(pdf);
    QTest::mouseClick(form->cmdPrint(), Qt::LeftButton);
    const int pages = test::PdfPageCount(pdf);
    ASSERT_GE(pages, 1);
    const QString first = test::PdfPageText(pdf, 1).simplified();
    EXPECT_TRUE(first.contains(QStringLiteral("(в хиляди лева)")));
    EXPECT_TRUE(first.contains(QStringLiteral("1 235"))) << first.toStdString();
    EXPECT_TRUE(test::PdfPageText(pdf, pages).contains(QStringLiteral("Мария Иванова")));

    // Next time the tab opens as it was left.
    QString unit;
    QString compiler;
    dialogs.fillOptions = [&](QWidget* tab) {
        unit = tab->findChild<QComboBox*>(QStringLiteral("cboUnit"))->currentText();
        compiler = tab->findChild<QLineEdit*>(QStringLiteral("txtCompiler"))->text();
    };
    QTest::mouseClick(form->cmdPrint(), Qt::LeftButton); // no answer: cancelled
    EXPECT_EQ(unit, QStringLiteral("в хиляди лева"));
    EXPECT_EQ(compiler, QStringLiteral("Мария Иванова"));
}

TEST_F(DocumentFormTest, CancellingThePrintDialogPrintsNothingAndSaysNothing)
{
    ASSERT_TRUE(openForm(0));
    platform::RecordingPrintDialogs dialogs; // no answer: the user cancels
    QTest::mouseClick(form->cmdPrint(), Qt::LeftButton);
    EXPECT_EQ(dialogs.asked.size(), 1u);
    EXPECT_TRUE(boxes.shown.empty());
    EXPECT_TRUE(form->isVisible());
}

// Printing to a file never writes over the statement, another data file or a link.
TEST_F(DocumentFormTest, PrintingToAFileRefusesTheStatementItselfAndLinks)
{
    ASSERT_TRUE(openForm(0));
    goTo(kLand, 7);
    type(QStringLiteral("7"));
    enter();
    form->cmdSave()->click();
    boxes.shown.clear();
    const QByteArray saved = test::readAll(dataPath());
    const QString link = dir.filePath(QStringLiteral("link.pdf"));
    ASSERT_TRUE(QFile::link(dataPath(), link));
    platform::RecordingPrintDialogs dialogs;
    for (const QString& answer : {dataPath(), link}) {
        SCOPED_TRACE(answer.toStdString());
        dialogs.answers.push_back(answer);
        QTest::mouseClick(form->cmdPrint(), Qt::LeftButton);
        ASSERT_EQ(boxes.shown.size(), 1u);
        EXPECT_EQ(boxes.shown[0].title, QStringLiteral("TELM - Грешка"));
        EXPECT_TRUE(boxes.shown[0].text.contains(answer)) << boxes.shown[0].text.toStdString();
        boxes.shown.clear();
    }
    EXPECT_EQ(test::readAll(dataPath()), saved);
}

TEST_F(DocumentFormTest, APrinterThatCannotPrintIsReported)
{
    ASSERT_TRUE(openForm(0));
    platform::RecordingPrintDialogs dialogs;
    dialogs.answers.push_back(dir.filePath(QStringLiteral("no such folder/printed.pdf")));
    QTest::mouseClick(form->cmdPrint(), Qt::LeftButton);
    ASSERT_EQ(boxes.shown.size(), 1u);
    EXPECT_EQ(boxes.shown[0].title, QStringLiteral("TELM - Грешка"));
    EXPECT_TRUE(boxes.shown[0].text.startsWith(QStringLiteral("Принтерът не е готов!\n")));
    EXPECT_GT(boxes.shown[0].text.size(), QStringLiteral("Принтерът не е готов!\n").size());
    EXPECT_EQ(boxes.shown[0].icon, platform::MsgIcon::Critical);
    EXPECT_TRUE(form->isVisible());
}

TEST_F(DocumentFormTest, BackspaceOpensTheEditorWithTheCellsText)
{
    ASSERT_TRUE(openForm(0));
    goTo(kLand, 7);
    QTest::keyClick(gridWidget(), Qt::Key_Backspace);
    ASSERT_TRUE(form->txtEdit()->isVisible());
    EXPECT_EQ(form->txtEdit()->text(), QStringLiteral("0"));
    QTest::keyClick(form->txtEdit(), Qt::Key_Escape);

    goTo(kFixed, 7); // a group row: the gate refuses it as it refuses typing
    QTest::keyClick(gridWidget(), Qt::Key_Backspace);
    EXPECT_FALSE(form->txtEdit()->isVisible());
}

TEST_F(DocumentFormTest, AnAltChordIsNotTypedIntoTheCell)
{
    ASSERT_TRUE(openForm(0));
    goTo(kLand, 7);
    QTest::keyClick(gridWidget(), '3', Qt::AltModifier);
    EXPECT_FALSE(form->txtEdit()->isVisible());
    EXPECT_EQ(grid().TextMatrix(kLand, 7), QStringLiteral("0"));
    EXPECT_FALSE(form->engine().changed());
}

TEST_F(DocumentFormTest, CtrlVPastesAColumnAndCtrlCCopiesIt)
{
    ASSERT_TRUE(openForm(0));
    QGuiApplication::clipboard()->setText(QStringLiteral("1500\r\n2500\r\nабв\r\n"));
    goTo(kLand, 7);
    QTest::keyClick(gridWidget(), Qt::Key_V, Qt::ControlModifier);
    EXPECT_EQ(grid().TextMatrix(kLand, 7), nbsp("1 500"));
    EXPECT_EQ(grid().TextMatrix(kBuildings, 7), nbsp("2 500"));
    EXPECT_EQ(grid().TextMatrix(kFixed, 7), nbsp("4 000"));
    // The third line is not a number: the paste stops on its row, with the message.
    ASSERT_EQ(boxes.shown.size(), 1u);
    EXPECT_TRUE(boxes.shown[0].text.startsWith(u"Въведете число!"))
        << boxes.shown[0].text.toStdString();
    EXPECT_EQ(grid().Row(), kMaterials);
    EXPECT_TRUE(form->engine().needsSaveQuestion());

    QTest::keyClick(gridWidget(), Qt::Key_C, Qt::ControlModifier);
    const QStringList copied = QGuiApplication::clipboard()->text().split(u'\n');
    EXPECT_EQ(copied.value(kLand - 1), QStringLiteral("1500")); // plain, for a spreadsheet
    EXPECT_EQ(copied.value(kBuildings - 1), QStringLiteral("2500"));
}

TEST_F(DocumentFormTest, AForecastSaysSoAboveTheGridAlsoWhenReopened)
{
    state.hfGrid.Prognosis = true;
    ASSERT_TRUE(openForm(0));
    EXPECT_TRUE(form->lblForecast()->isVisible());
    EXPECT_EQ(form->lblForecast()->text(), QStringLiteral("Прогнозен документ"));
    const QString forecastFile =
        dir.filePath(QStringLiteral("Data/VELDOR_P_Bal_123456786_2005_12.xml"));
    form->cmdSave_Click();
    form->close();
    form.reset();

    // A correction takes the kind from the file's own header, not from the dialog.
    state.hfGrid.Prognosis = false;
    QFile::rename(forecastFile, dataPath());
    ASSERT_TRUE(openForm(1));
    EXPECT_TRUE(form->lblForecast()->isVisible());
}

TEST_F(DocumentFormTest, ARestoredFormFitsTheScreenWithItsButtons)
{
    ASSERT_TRUE(openForm(0));
    form->showNormal();
    QApplication::processEvents();
    const QRect screen = QGuiApplication::primaryScreen()->availableGeometry();
    EXPECT_TRUE(screen.contains(form->frameGeometry())) << form->frameGeometry().width();
    // Room left for a window manager's frame and title bar.
    EXPECT_LT(form->height(), screen.height());
    EXPECT_LT(form->width(), screen.width());
    const QRect save(form->cmdSave()->mapTo(form.get(), QPoint(0, 0)), form->cmdSave()->size());
    EXPECT_TRUE(form->rect().contains(save));
}

// Last year's file beside a new balance sheet: the previous year is there
// without typing and cannot be typed into; "Обнови сравнителните данни" asks
// first and, answered yes, takes them again from the file as it is now.
TEST_F(DocumentFormTest, ComparativesComeFromLastYearAndAreTakenAgainOnRequest)
{
    const auto fillLastYear = [this](const char* land) {
        FillRequest request;
        request.typeCode = QStringLiteral("Bal");
        request.bulstat = QStringLiteral("123456786");
        request.company = QStringLiteral("Фирма ООД");
        request.year = QStringLiteral("2004");
        request.month = QStringLiteral("12");
        request.programFolder = dir.path();
        request.entries = {{QStringLiteral("3"), QStringLiteral("DocDta_Sum3"),
                            QString::fromLatin1(land), QStringLiteral("land")}};
        return RunFill(request).status == FillResult::Status::Saved;
    };
    ASSERT_TRUE(fillLastYear("700"));
    ASSERT_TRUE(openForm(0));
    EXPECT_EQ(grid().TextMatrix(kLand, 10), QStringLiteral("700"));
    EXPECT_EQ(grid().TextMatrix(kAssets, 10), QStringLiteral("700"));
    EXPECT_EQ(grid().TextMatrix(0, 10), QStringLiteral("Предходна година"));
    EXPECT_TRUE(boxes.shown.empty());
    goTo(kLand, 10);
    QTest::keyClick(gridWidget(), '5');
    EXPECT_FALSE(form->txtEdit()->isVisible()); // carried, not typed

    ASSERT_TRUE(fillLastYear("900"));
    boxes.answers = {MsgAnswer::No};
    QTest::mouseClick(form->cmdComparatives(), Qt::LeftButton);
    ASSERT_EQ(boxes.shown.size(), 1u);
    EXPECT_TRUE(boxes.shown[0].text.contains(QStringLiteral("Продължавате ли?")));
    EXPECT_EQ(grid().TextMatrix(kLand, 10), QStringLiteral("700"));

    boxes.answers = {MsgAnswer::Yes};
    QTest::mouseClick(form->cmdComparatives(), Qt::LeftButton);
    EXPECT_EQ(grid().TextMatrix(kLand, 10), QStringLiteral("900"));
    EXPECT_EQ(grid().TextMatrix(kAssets, 10), QStringLiteral("900"));
    boxes.answers.assign(3, MsgAnswer::No); // closing asks: the new comparatives are a change
}
