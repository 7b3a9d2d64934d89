// The whole road as a user walks it: a new balance sheet from the menu's
// dialog, typed and saved into Data, copied elsewhere, reopened through the
// correction dialog, corrected and saved in place.
#include "app/DialogWiring.h"
#include "editor/AmountText.h"
#include "editor/DocumentFill.h"
#include "editor/FindingsModel.h"
#include "editor/FindingsPanel.h"
#include "editor/frmDocument.h"
#include "grid/GridWidget.h"
#include "platform/MessageBoxes.h"
#include "selection/DocumentContext.h"
#include "selection/frmChooseFile.h"
#include "selection/frmChoosePrm.h"
#include "tests/support/TestFiles.h"
#include "xmlfiles/DataFile.h"
#include "xmlfiles/XmlAccess.h"

#include <QApplication>
#include <QComboBox>
#include <QDir>
#include <QFile>
#include <QLineEdit>
#include <QPushButton>
#include <QTemporaryDir>
#include <QTest>
#include <QTimer>
#include <QTreeView>

#include <gtest/gtest.h>

using namespace telm;

namespace {

// Runs `action` on the document form once it is open and loaded.
void whenFormOpens(std::function<void(frmDocument&)> action)
{
    auto* timer = new QTimer;
    QObject::connect(timer, &QTimer::timeout, [timer, action] {
        auto* form = qobject_cast<frmDocument*>(QApplication::activeModalWidget());
        if (!form || !form->loaded())
            return;
        timer->stop();
        timer->deleteLater();
        QApplication::setActiveWindow(form);
        action(*form);
    });
    timer->start(10);
}

int rowOf(GridModel& grid, const char* id)
{
    for (int row = 1; row < grid.Rows(); ++row)
        if (grid.TextMatrix(row, 2) == QLatin1String(id))
            return row;
    return -1;
}

void typeInto(frmDocument& form, const char* id, const QString& amount)
{
    GridModel& grid = form.engine().grid();
    form.hgrdDocEnter()->setFocus();
    grid.setCurrentCell(rowOf(grid, id), 7);
    QTest::keyClick(form.hgrdDocEnter(), amount.at(0).toLatin1());
    QTest::keyClicks(form.txtEdit(), amount.mid(1));
    QTest::keyClick(form.txtEdit(), Qt::Key_Return);
    QApplication::processEvents();
}

// The new-document dialog shown with the balance sheet of company 123456786
// for 12/2005 chosen.
void fillChoices(frmChoosePrm& choose)
{
    choose.show();
    choose.findChild<QComboBox*>(QStringLiteral("cboMonth"))->setCurrentIndex(3);
    choose.findChild<QLineEdit*>(QStringLiteral("txtYear"))->setText(QStringLiteral("2005"));
    choose.findChild<QLineEdit*>(QStringLiteral("txtBulstat"))
        ->setText(QStringLiteral("123456786"));
    choose.findChild<QLineEdit*>(QStringLiteral("txtName"))->setText(QStringLiteral("Фирма ООД"));
}

QString amountIn(const QString& path, int level, const char* id)
{
    XmlDocument xml;
    xml.load(path);
    return GetNodeAttribute(
        SelectSingleNode(xml.doc(), RowLookupPath(level, QString::fromLatin1(id))),
        QStringLiteral("DocDta_Sum3"));
}

} // namespace

TEST(DocumentRoad, NewSaveReopenElsewhereCorrectInPlace)
{
    QTemporaryDir dir;
    ASSERT_TRUE(test::makeProgramFolder(dir.path()));
    platform::RecordingMessageBoxes boxes;
    AppState state;
    state.FilePrefix = QStringLiteral("VELDOR");
    state.programFolder = dir.path();
    const DocumentOpener opener = [&state](QWidget* parent, const OpenedDocument& document) {
        OpenDocumentForm(state, parent, document);
    };

    // A new balance sheet: land 1000 on the assets side, capital 1000 on the other.
    frmChoosePrm choose(state, opener);
    fillChoices(choose);
    bool typed = false;
    whenFormOpens([&](frmDocument& form) {
        EXPECT_EQ(form.eEditType(), 0);
        typeInto(form, "40", QStringLiteral("1000"));
        typeInto(form, "610", QStringLiteral("1000"));
        EXPECT_EQ(form.engine().grid().TextMatrix(1, 7), QString::fromUtf8("1\u00A0000"));
        form.cmdSave()->click();
        form.closeButton()->click();
        typed = true;
    });
    QTest::mouseClick(choose.findChild<QPushButton*>(QStringLiteral("cmdOk")), Qt::LeftButton);
    ASSERT_TRUE(typed);
    EXPECT_TRUE(boxes.shown.empty()); // balanced, saved, closed without a question
    const QString saved = dir.filePath(QStringLiteral("Data/VELDOR_Bal_123456786_2005_12.xml"));
    ASSERT_TRUE(QFile::exists(saved));
    EXPECT_EQ(amountIn(saved, 1, "10"), QStringLiteral("1000"));

    // Copied to another folder and corrected there, through the correction dialog.
    QTemporaryDir elsewhere;
    const QString copy = elsewhere.filePath(QStringLiteral("balance.xml"));
    ASSERT_TRUE(QFile::copy(saved, copy));
    const QByteArray original = test::readAll(saved);
    frmChooseFile reopen(state, opener);
    reopen.show();
    reopen.findChild<QLineEdit*>(QStringLiteral("txtFileName"))
        ->setText(QStringLiteral("  ") + copy + u' ');
    bool corrected = false;
    whenFormOpens([&](frmDocument& form) {
        EXPECT_EQ(form.eEditType(), 1);
        EXPECT_EQ(form.txtCompName()->text(), QStringLiteral("Фирма ООД"));
        EXPECT_EQ(form.txtPeriod()->text(), QStringLiteral("12/2005"));
        typeInto(form, "40", QStringLiteral("1500"));
        typeInto(form, "610", QStringLiteral("1500"));
        form.cmdSave()->click();
        form.closeButton()->click();
        corrected = true;
    });
    QTest::mouseClick(reopen.findChild<QPushButton*>(QStringLiteral("cmdOpen")), Qt::LeftButton);
    ASSERT_TRUE(corrected);
    EXPECT_TRUE(boxes.shown.empty());

    XmlDocument check;
    ASSERT_TRUE(check.load(copy));
    EXPECT_TRUE(VerifyDataHash(check));
    EXPECT_EQ(amountIn(copy, 1, "10"), QStringLiteral("1500"));
    const pugi::xml_node danni = SelectSingleNode(check.doc(), QStringLiteral("xml/danni"));
    EXPECT_EQ(GetChildText(danni, QStringLiteral("compname")), QStringLiteral("Фирма ООД"));
    EXPECT_EQ(GetChildText(danni, QStringLiteral("period")), QStringLiteral("12/2005"));
    EXPECT_EQ(test::readAll(saved), original); // the file in Data was not touched
    EXPECT_EQ(QDir(dir.filePath(QStringLiteral("Data"))).entryList(QDir::Files).size(), 1);
}

// The balance sheet saved after the income statement of the same company and
// period, with a current result 1 000 above the statement's: the save goes
// through and says so first; the finding is listed under the grid with both
// statements' rows by title, their amounts and the difference; Enter on it
// goes to the row here, a double click on the income statement's row opens
// that statement on it; mended, "Проверка" finds nothing and saves nothing.
TEST(DocumentRoad, ABalanceSheetThatDisagreesWithTheIncomeStatementIsFollowedAndMended)
{
    QTemporaryDir dir;
    ASSERT_TRUE(test::makeProgramFolder(dir.path()));
    FillRequest income{QStringLiteral("OPR"),
                       false,
                       QStringLiteral("123456786"),
                       QStringLiteral("Фирма ООД"),
                       QStringLiteral("2005"),
                       QStringLiteral("12"),
                       dir.path(),
                       QString(),
                       {}};
    // Expenses 300, revenue 500, taxes 20: a profit of 180.
    for (const auto& [id, amount] : {std::pair{"40", "300"}, {"400", "500"}, {"300", "20"}})
        income.entries.push_back({QString::fromLatin1(id), QStringLiteral("DocDta_Sum1"),
                                  QString::fromLatin1(amount), QString()});
    const FillResult filled = RunFill(income);
    ASSERT_EQ(filled.status, FillResult::Status::Saved) << filled.error.toStdString();
    ASSERT_TRUE(filled.warnings.isEmpty()) << filled.warnings.join(u'\n').toStdString();

    platform::RecordingMessageBoxes boxes;
    AppState state;
    state.FilePrefix = QStringLiteral("VELDOR");
    state.programFolder = dir.path();
    const DocumentOpener opener = [&state](QWidget* parent, const OpenedDocument& document) {
        OpenDocumentForm(state, parent, document);
    };
    frmChoosePrm choose(state, opener);
    fillChoices(choose);
    bool saved = false;
    QStringList rows;
    QStringList amounts;
    QString difference;
    QString rowAfterEnter;
    int columnAfterEnter = -1;
    QString incomeRowOpened;
    QString typeAfterIncome;
    int findingsAfterMending = -1;
    QByteArray savedBytes;
    QByteArray bytesAfterCheck;
    bool savedAfterMending = false;
    QString saidOpenBelow;
    whenFormOpens([&](frmDocument& form) {
        typeInto(form, "40", QStringLiteral("2180"));  // land
        typeInto(form, "610", QStringLiteral("1000")); // capital
        typeInto(form, "750", QStringLiteral("1180")); // current profit, 1 000 too much
        form.cmdSave()->click();
        saved = form.engine().saved();
        savedBytes = test::readAll(form.engine().targetPath());

        FindingsPanel* panel = form.findingsPanel();
        if (!panel->isVisible() || panel->model()->rowCount() != 1)
            return form.closeButton()->click();
        const FindingsModel& model = *panel->model();
        const QModelIndex finding = model.index(0, 0);
        difference = model.index(0, 1).data().toString();
        for (int r = 0; r < model.rowCount(finding); ++r) {
            rows << model.index(r, 0, finding).data().toString();
            amounts << model.index(r, 1, finding).data().toString();
        }

        // Enter on the finding: its first row in this statement.
        GridModel& grid = form.engine().grid();
        grid.setCurrentCell(rowOf(grid, "40"), 0);
        panel->view()->setFocus();
        panel->view()->setCurrentIndex(finding);
        QTest::keyClick(panel->view(), Qt::Key_Return);
        rowAfterEnter = grid.TextMatrix(grid.Row(), 2);
        columnAfterEnter = grid.Col();

        // A double click on the income statement's row opens it there.
        whenFormOpens([&](frmDocument& other) {
            if (other.engine().docType().code != std::string_view("OPR"))
                return;
            const GridModel& its = other.engine().grid();
            incomeRowOpened = its.TextMatrix(its.Row(), 2);
            // Its finding leads back to the balance sheet, open under it.
            other.cmdCheck()->click();
            const FindingsModel& back = *other.findingsPanel()->model();
            if (back.rowCount() == 1) {
                other.findingsPanel()->choose(back.index(0, 0, back.index(0, 0)));
                saidOpenBelow = boxes.shown.back().text;
            }
            other.closeButton()->click();
        });
        const QModelIndex incomeRow = model.index(2, 0, finding);
        panel->view()->scrollTo(incomeRow);
        const QPoint at = panel->view()->visualRect(incomeRow).center();
        QTest::mouseClick(panel->view()->viewport(), Qt::LeftButton, {}, at);
        QTest::mouseDClick(panel->view()->viewport(), Qt::LeftButton, {}, at);
        typeAfterIncome = state.docType.Name;

        typeInto(form, "750", QStringLiteral("180"));
        typeInto(form, "40", QStringLiteral("1180")); // and the two sides balance again
        form.cmdCheck()->click();
        findingsAfterMending = panel->model()->rowCount();
        bytesAfterCheck = test::readAll(form.engine().targetPath());
        // Saved after the other statement was opened over it: its own file, whole.
        const size_t said = boxes.shown.size();
        form.cmdSave()->click();
        savedAfterMending = form.engine().saved() && boxes.shown.size() == said;
        form.closeButton()->click();
    });
    QTest::mouseClick(choose.findChild<QPushButton*>(QStringLiteral("cmdOk")), Qt::LeftButton);
    EXPECT_TRUE(saved);
    ASSERT_GE(boxes.shown.size(), 1u);
    const auto& box = boxes.shown[0];
    EXPECT_EQ(box.title, QStringLiteral("TELM - Внимание!"));
    EXPECT_EQ(box.icon, platform::MsgIcon::Warning);
    EXPECT_TRUE(box.text.startsWith(QStringLiteral("Документът е записан.")))
        << box.text.toStdString();
    for (const QString& part :
         {QStringLiteral("Констатации от контролите"), QStringLiteral("ред 750"),
          QStringLiteral("ред 330"), QString::fromUtf8("1\u00A0180 ≠ 180, разлика 1\u00A0000")})
        EXPECT_TRUE(box.text.contains(part)) << part.toStdString() << "\n"
                                             << box.text.toStdString();

    // Bal[750] + Bal[760] = OPR[330] - OPR[570], each row by its title.
    EXPECT_EQ(difference, QString::fromUtf8("разлика 1\u00A0000"));
    const QString column = QStringLiteral(", колона „Текуща година“");
    const QString other = QStringLiteral("Отчет за приходите и разходите: ");
    EXPECT_EQ(rows, QStringList({QStringLiteral("„2. Текуща печалба“") + column,
                                 QStringLiteral("„3. Текуща загуба (–)“") + column,
                                 other + QStringLiteral("„Е. Печалба (Д - V)“") + column,
                                 other + QStringLiteral("„Е. Загуба (Д + V)“") + column}))
        << rows.join(u'\n').toStdString();
    EXPECT_EQ(amounts, QStringList({QString::fromUtf8("1\u00A0180"), QStringLiteral("0"),
                                    QStringLiteral("180"), QStringLiteral("0")}));
    EXPECT_EQ(rowAfterEnter, QStringLiteral("750"));
    EXPECT_EQ(columnAfterEnter, 7); // Текуща година
    EXPECT_EQ(incomeRowOpened, QStringLiteral("330"));
    EXPECT_TRUE(saidOpenBelow.contains(QStringLiteral("вече е отворен")))
        << saidOpenBelow.toStdString();
    EXPECT_EQ(typeAfterIncome, QStringLiteral("Баланс")); // the balance sheet's context again
    EXPECT_EQ(findingsAfterMending, 0);
    EXPECT_EQ(bytesAfterCheck, savedBytes); // "Проверка" writes nothing
    EXPECT_TRUE(savedAfterMending);
    const QString balance = dir.filePath(QStringLiteral("Data/VELDOR_Bal_123456786_2005_12.xml"));
    EXPECT_EQ(amountIn(balance, 4, "750"), QStringLiteral("180"));
    XmlDocument check;
    ASSERT_TRUE(check.load(balance));
    EXPECT_TRUE(VerifyDataHash(check));
}
