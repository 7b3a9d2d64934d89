// The desk in the main window: every statement of the data folder with its
// state, the filter box, opening a statement with Enter, handing a filing over
// through the export dialog, the controls' findings, and a file that appears
// while the window is open.
#include "app/DeskPanel.h"

#include "app/FilingActions.h"
#include "app/frmMain.h"
#include "editor/DocumentFill.h"
#include "editor/FindingsModel.h"
#include "editor/FindingsPanel.h"
#include "export/frmSaveXMLAs.h"
#include "platform/MessageBoxes.h"
#include "platform/PrintDialogs.h"
#include "selection/DocumentContext.h"
#include "tests/support/PdfText.h"
#include "tests/support/TestFiles.h"

#include <QAbstractItemModelTester>
#include <QApplication>
#include <QDir>
#include <QLineEdit>
#include <QPushButton>
#include <QSignalSpy>
#include <QTemporaryDir>
#include <QTest>
#include <QTimer>
#include <QTreeView>

#include <gtest/gtest.h>

using namespace telm;
using platform::RecordingMessageBoxes;

namespace {

const QString kTick = QStringLiteral("✓");

class DeskPanelTest : public ::testing::Test
{
protected:
    void SetUp() override
    {
        ASSERT_TRUE(test::makeProgramFolder(dir.path()));
        state.FilePrefix = QStringLiteral("VELDOR");
        state.programFolder = dir.path();
        state.dataFolder = dir.filePath(QStringLiteral("Data"));
        // Алфа's balance sheet shows a profit 1 000 above its income statement's.
        alphaBal = fill("Bal", "123456786", "Алфа ООД",
                        {{"750", "DocDta_Sum3", "1200", {}}, {"510", "DocDta_Sum3", "1200", {}}});
        alphaOpr = fill("OPR", "123456786", "Алфа ООД",
                        {{"40", "DocDta_Sum1", "300", {}}, {"400", "DocDta_Sum1", "500", {}}});
        betaBal = fill("Bal", "100000086", "Бета ЕООД", {});
        QByteArray bytes = test::readAll(betaBal);
        bytes.replace("Бета ЕООД", "Бета АД");
        ASSERT_TRUE(test::writeAll(betaBal, bytes));

        window = std::make_unique<frmMain>(state);
        window->show();
        ASSERT_TRUE(QTest::qWaitForWindowExposed(window.get()));
        waitChecked(3);
    }

    QString fill(const char* code, const char* bulstat, const char* company,
                 std::vector<FillEntry> entries)
    {
        FillRequest request;
        request.typeCode = QString::fromLatin1(code);
        request.bulstat = QString::fromLatin1(bulstat);
        request.company = QString::fromUtf8(company);
        request.year = QStringLiteral("2025");
        request.month = QStringLiteral("12");
        request.programFolder = dir.path();
        request.entries = std::move(entries);
        const FillResult result = RunFill(request);
        EXPECT_EQ(result.status, FillResult::Status::Saved) << result.error.toStdString();
        return QDir::fromNativeSeparators(result.savedPath);
    }

    DeskPanel* desk() const { return window->desk(); }
    QTreeView* tree() const { return desk()->findChild<QTreeView*>(QStringLiteral("tvwDesk")); }
    QAbstractItemModel* rows() const { return tree()->model(); }

    void waitChecked(std::size_t files)
    {
        ASSERT_TRUE(QTest::qWaitFor(
            [&] { return desk()->snapshot().checked && desk()->snapshot().files.size() == files; },
            10000))
            << desk()->snapshot().files.size();
    }

    QString text(int row, int column, int child = -1) const
    {
        QModelIndex index = rows()->index(row, child < 0 ? column : 0);
        if (child >= 0)
            index = rows()->index(child, column, index);
        return index.data().toString();
    }

    void selectFile(int filing, int file)
    {
        tree()->setFocus();
        tree()->setCurrentIndex(rows()->index(file, 3, rows()->index(filing, 0)));
    }

    QTemporaryDir dir;
    QTemporaryDir handedTo;
    AppState state;
    RecordingMessageBoxes boxes;
    std::unique_ptr<frmMain> window;
    QString alphaBal, alphaOpr, betaBal;
};

TEST_F(DeskPanelTest, EveryStatementWithItsStateGroupedByFiling)
{
    ASSERT_EQ(rows()->rowCount(), 2);
    // Filing rows: company, BULSTAT, period, what is missing, kind, check, controls.
    EXPECT_EQ(text(0, 0), QStringLiteral("Алфа ООД"));
    EXPECT_EQ(text(0, 1), QStringLiteral("123456786"));
    EXPECT_EQ(text(0, 2), QStringLiteral("12/2025"));
    EXPECT_TRUE(text(0, 3).contains(QStringLiteral("Отчет за собствения капитал")));
    EXPECT_EQ(text(0, 4), QStringLiteral("реален"));
    EXPECT_EQ(text(0, 7), QStringLiteral("1"));
    EXPECT_EQ(text(1, 0), QStringLiteral("Бета АД"));
    EXPECT_EQ(text(1, 7), kTick);
    // Statement rows in the filing's order.
    EXPECT_EQ(text(0, 3, 0), QStringLiteral("Баланс"));
    EXPECT_EQ(text(0, 3, 1), QStringLiteral("Отчет за приходи и разходи"));
    EXPECT_EQ(text(0, 6, 0), kTick);
    EXPECT_EQ(text(0, 7, 1), QStringLiteral("1"));
    EXPECT_EQ(text(1, 6, 0), QStringLiteral("променен извън програмата"));
    EXPECT_FALSE(text(0, 5, 0).isEmpty());
}

TEST_F(DeskPanelTest, FilterKeepsTheFilingsOfTheTypedCompanyBulstatOrYear)
{
    auto* filter = desk()->findChild<QLineEdit*>(QStringLiteral("txtFilter"));
    const struct
    {
        QString typed;
        int filings;
    } cases[] = {{QStringLiteral("1000"), 1},      {QStringLiteral("алфа"), 1},
                 {QStringLiteral("2025"), 2},      {QStringLiteral("2024"), 0},
                 {QStringLiteral("бета 2025"), 1}, {QString(), 2}};
    for (const auto& c : cases) {
        filter->setText(c.typed);
        EXPECT_EQ(rows()->rowCount(), c.filings) << c.typed.toStdString();
    }
    filter->setText(QStringLiteral("100000086"));
    EXPECT_EQ(rows()->rowCount(rows()->index(0, 0)), 1) << "a filing keeps its statements";
}

TEST_F(DeskPanelTest, EnterOpensTheCurrentStatement)
{
    QStringList opened;
    desk()->setActions(
        DeskActions{[&](QWidget*, const QString& path) { opened << path; }, {}, {}, {}, {}});
    selectFile(0, 1);
    QSignalSpy reread(desk(), &DeskPanel::deskChecked);
    QTest::keyClick(tree(), Qt::Key_Return);
    EXPECT_EQ(opened, QStringList{alphaOpr});
    // The folder is read again after the form closes; the statement stays current.
    ASSERT_TRUE(reread.wait(10000));
    EXPECT_EQ(desk()->currentFile(), alphaOpr);
    // On a filing row Enter opens nothing.
    tree()->setCurrentIndex(rows()->index(0, 0));
    QTest::keyClick(tree(), Qt::Key_Return);
    EXPECT_EQ(opened.size(), 1);
}

TEST_F(DeskPanelTest, HandOverCopiesEveryStatementOfTheFilingAndSaysWhere)
{
    desk()->setActions(ProgramDeskActions(state, {}));
    selectFile(0, 0);
    QTimer::singleShot(0, [&] {
        auto* dialog = qobject_cast<frmSaveXMLAs*>(QApplication::activeModalWidget());
        ASSERT_NE(dialog, nullptr);
        dialog->setCurrentFolder(handedTo.path());
        dialog->cmdSave_Click();
    });
    desk()->findChild<QPushButton*>(QStringLiteral("cmdHandOver"))->click();

    for (const QString& path : {alphaBal, alphaOpr})
        EXPECT_EQ(test::readAll(QDir(handedTo.path()).filePath(QFileInfo(path).fileName())),
                  test::readAll(path));
    EXPECT_EQ(QDir(handedTo.path()).entryList(QDir::Files).size(), 2);
    ASSERT_EQ(boxes.shown.size(), 1u);
    EXPECT_TRUE(boxes.shown[0].text.startsWith(QStringLiteral("Записани файлове (2) в %1:")
                                                   .arg(QDir::toNativeSeparators(handedTo.path()))))
        << boxes.shown[0].text.toStdString();
    EXPECT_TRUE(boxes.shown[0].text.contains(QFileInfo(alphaOpr).fileName()));
}

TEST_F(DeskPanelTest, HandOverOfAFilingWithAChangedFileCopiesNothing)
{
    desk()->setActions(ProgramDeskActions(state, {}));
    selectFile(1, 0);
    QTimer::singleShot(0, [&] {
        auto* dialog = qobject_cast<frmSaveXMLAs*>(QApplication::activeModalWidget());
        ASSERT_NE(dialog, nullptr);
        dialog->setCurrentFolder(handedTo.path());
        dialog->cmdSave_Click();
        dialog->cmdExit_Click();
    });
    desk()->findChild<QPushButton*>(QStringLiteral("cmdHandOver"))->click();
    EXPECT_TRUE(QDir(handedTo.path()).entryList(QDir::Files).isEmpty());
    ASSERT_EQ(boxes.shown.size(), 1u);
    EXPECT_TRUE(boxes.shown[0].text.contains(QStringLiteral("променен извън програмата")));
}

// The whole filing printed as one PDF through the print dialog: the balance
// sheet, then the income statement, the page numbers running through both, the
// file proposed under the company's BULSTAT and period in the data folder.
TEST_F(DeskPanelTest, PrintTheFilingMakesOnePdfInTheFilingsOrder)
{
    desk()->setActions(ProgramDeskActions(state, {}));
    platform::RecordingPrintDialogs dialogs;
    const QString pdf = handedTo.filePath(QStringLiteral("filing.pdf"));
    dialogs.answers.push_back(pdf);
    selectFile(0, 1);
    desk()->findChild<QPushButton*>(QStringLiteral("cmdPrint"))->click();
    EXPECT_TRUE(boxes.shown.empty()) << boxes.shown[0].text.toStdString();
    ASSERT_EQ(dialogs.asked.size(), 1u);
    EXPECT_EQ(dialogs.asked[0].docName, QStringLiteral("Отчетност_123456786_2025-12"));
    const int pages = test::PdfPageCount(pdf);
    ASSERT_GE(pages, 2);
    const QString first = test::PdfPageText(pdf, 1).simplified();
    EXPECT_TRUE(first.startsWith(QStringLiteral("Баланс"))) << first.left(80).toStdString();
    EXPECT_TRUE(first.contains(QStringLiteral("стр. 1 от %1").arg(pages)));
    const QString last = test::PdfPageText(pdf, pages).simplified();
    EXPECT_TRUE(last.contains(QStringLiteral("Отчет за приходите и разходите")));
    EXPECT_TRUE(last.contains(QStringLiteral("стр. %1 от %1").arg(pages)));
}

// The filing's findings in the findings panel, each once; choosing a row opens
// its statement on it.
TEST_F(DeskPanelTest, ControlsOfTheFilingListTheirFindingsAndLeadToTheRow)
{
    std::optional<RowTarget> opened;
    desk()->setActions(
        ProgramDeskActions(state, {}, [&](QWidget*, const RowTarget& target) { opened = target; }));
    selectFile(0, 0);
    QString listed;
    int findings = 0;
    QTimer::singleShot(0, [&] {
        QWidget* dialog = QApplication::activeModalWidget();
        ASSERT_TRUE(dialog);
        auto* panel = dialog->findChild<FindingsPanel*>();
        ASSERT_TRUE(panel);
        findings = panel->model()->rowCount();
        const QModelIndex first = panel->model()->index(0, 0);
        listed = first.data().toString();
        // The finding's rows: the balance sheet's, then the income statement's.
        panel->choose(panel->model()->index(0, 0, first));
    });
    desk()->findChild<QPushButton*>(QStringLiteral("cmdControls"))->click();
    EXPECT_EQ(findings, 1); // the result control, found from both statements, once
    EXPECT_TRUE(listed.contains(QStringLiteral("разлика 1\u00A0000"))) << listed.toStdString();
    ASSERT_TRUE(opened);
    EXPECT_EQ(QDir::fromNativeSeparators(opened->path), alphaBal);
    EXPECT_EQ(opened->id, QStringLiteral("750"));
    EXPECT_TRUE(boxes.shown.empty());
}

TEST_F(DeskPanelTest, AStatementSavedWhileTheWindowIsOpenAppears)
{
    // The table's model, through the filter, stays a sound tree across the change.
    QAbstractItemModelTester tester(rows(), QAbstractItemModelTester::FailureReportingMode::Fatal);
    fill("Cap", "123456786", "Алфа ООД", {});
    waitChecked(4);
    ASSERT_EQ(rows()->rowCount(rows()->index(0, 0)), 3);
    EXPECT_EQ(text(0, 3, 2), QStringLiteral("Отчет за собствения капитал"));
    EXPECT_FALSE(text(0, 3).contains(QStringLiteral("Отчет за собствения капитал")));
}

// A data folder that is not there when the window opens is followed once it
// is made, without a rescan by hand.
TEST_F(DeskPanelTest, ADataFolderMadeAfterTheWindowOpenedIsFollowed)
{
    window.reset();
    const QString data = dir.filePath(QStringLiteral("Data"));
    const QString away = dir.filePath(QStringLiteral("Data.away"));
    ASSERT_TRUE(QDir().rename(data, away));
    window = std::make_unique<frmMain>(state);
    window->show();
    ASSERT_TRUE(QTest::qWaitForWindowExposed(window.get()));
    waitChecked(0);
    ASSERT_TRUE(QDir().rename(away, data));
    waitChecked(3);
}

TEST_F(DeskPanelTest, CompaniesOfTheDataFolderOncePerBulstat)
{
    const std::vector<clsCompany> companies = desk()->companies();
    ASSERT_EQ(companies.size(), 2u);
    EXPECT_EQ(companies[0].Name, QStringLiteral("Алфа ООД"));
    EXPECT_EQ(companies[1].Bulstat, QStringLiteral("100000086"));
}

} // namespace
