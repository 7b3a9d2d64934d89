// The import dialog: the preview of where each account of a trial balance
// goes (an account without a place marked, the totals), a refusal that keeps
// "Импорт" disabled, the question before leaving accounts out, the company's
// own map remembered, and the road from the menu and the desk to the saved
// statements, the balance sheet opened on them and the desk showing them.
#include "app/DeskPanel.h"
#include "app/DialogWiring.h"
#include "app/ImportActions.h"
#include "app/ImportPreview.h"
#include "app/frmImport.h"
#include "app/frmMain.h"
#include "editor/FindingsModel.h"
#include "editor/FindingsPanel.h"
#include "editor/frmDocument.h"
#include "grid/Contrast.h"
#include "platform/FileDialogs.h"
#include "platform/MessageBoxes.h"
#include "selection/DocumentContext.h"
#include "tests/support/TestFiles.h"

#include <QAction>
#include <QApplication>
#include <QComboBox>
#include <QDir>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QSettings>
#include <QStandardItemModel>
#include <QTableView>
#include <QTemporaryDir>
#include <QTest>
#include <QTimer>
#include <QTreeView>

#include <functional>

#include <gtest/gtest.h>

using namespace telm;
using platform::MsgAnswer;

namespace {

const QString kBulstat = QStringLiteral("123456786");
const QString kCompany = QStringLiteral("Алфа ООД");

class ImportDialogTest : public ::testing::Test
{
protected:
    void SetUp() override
    {
        ASSERT_TRUE(test::makeProgramFolder(dir.path()));
        state.FilePrefix = QStringLiteral("VELDOR");
        state.programFolder = dir.path();
        state.dataFolder = dir.filePath(QStringLiteral("Data"));
        // The maps remembered per company stay in the test's folder.
        QSettings::setPath(QSettings::NativeFormat, QSettings::UserScope, dir.path());
    }

    std::unique_ptr<frmImport> dialog(const char* trialBalance, const QString& map = QString())
    {
        auto d = std::make_unique<frmImport>(state);
        d->setChoices(
            ImportChoices{kBulstat, kCompany, QStringLiteral("2025"), QStringLiteral("12")});
        field(*d, "txtAccounts")->setText(map);
        field(*d, "txtTrialBalance")->setText(test::fixture(QString::fromLatin1(trialBalance)));
        d->replan();
        return d;
    }

    static QLineEdit* field(const QWidget& window, const char* name)
    {
        return window.findChild<QLineEdit*>(QString::fromLatin1(name));
    }

    // The accounts table's row of an account; -1 when it is not listed.
    static int rowOf(const frmImport& d, const QString& account)
    {
        const QAbstractItemModel* rows = d.accountsView()->model();
        for (int r = 0; r < rows->rowCount(); ++r)
            if (rows->index(r, 0).data().toString() == account)
                return r;
        return -1;
    }

    QStringList savedFiles() const
    {
        return QDir(state.dataFolderPath()).entryList({QStringLiteral("*.xml")}, QDir::Files);
    }

    QTemporaryDir dir;
    AppState state;
    platform::RecordingMessageBoxes boxes;
    platform::RecordingFileDialogs files;
};

TEST_F(ImportDialogTest, ThePreviewListsEveryAccountWithItsRowAmountAndTheTotals)
{
    const auto d = dialog("trading.csv");
    const QAbstractItemModel* rows = d->accountsView()->model();
    // "401" is the total of its analytics and is not listed beside them.
    EXPECT_EQ(rows->rowCount(), 13);
    EXPECT_EQ(rowOf(*d, QStringLiteral("401")), -1);
    const int goods = rowOf(*d, QStringLiteral("304"));
    ASSERT_GE(goods, 0);
    EXPECT_EQ(rows->index(goods, 1).data().toString(), QStringLiteral("Стоки"));
    EXPECT_EQ(rows->index(goods, 2).data().toString(), QStringLiteral("4\u00a0200,40 Дт"));
    EXPECT_TRUE(rows->index(goods, 3).data().toString().startsWith(QStringLiteral("Баланс: „")))
        << rows->index(goods, 3).data().toString().toStdString();
    EXPECT_TRUE(rows->index(goods, 3).data().toString().contains(QStringLiteral("колона „")));
    // Depreciation goes to its asset and to the "Коректив" beside it.
    const int depreciation = rowOf(*d, QStringLiteral("241"));
    ASSERT_GE(depreciation, 0);
    EXPECT_EQ(rows->index(depreciation, 2).data().toString(), QStringLiteral("3\u00a0000,00 Кт"));
    EXPECT_TRUE(rows->index(depreciation, 3).data().toString().contains(u';'));

    EXPECT_TRUE(
        d->totals()->text().contains(QStringLiteral("дебит 22\u00a0500,20, кредит 22\u00a0500,20")))
        << d->totals()->text().toStdString();
    EXPECT_FALSE(d->totals()->text().contains(QStringLiteral("без място")));
    EXPECT_FALSE(d->refusal()->isVisibleTo(d.get()));
    EXPECT_TRUE(d->cmdImport()->isEnabled());

    // The cells: both statements, the current result among them.
    const QAbstractItemModel* cells = d->cellsView()->model();
    QStringList statements;
    bool result = false;
    for (int r = 0; r < cells->rowCount(); ++r) {
        statements << cells->index(r, 0).data().toString();
        result = result || cells->index(r, 1).data().toString().contains(QStringLiteral("печалба"));
    }
    EXPECT_TRUE(statements.contains(QStringLiteral("Баланс")));
    EXPECT_TRUE(statements.contains(QStringLiteral("Отчет за приходите и разходите")));
    EXPECT_TRUE(result);
}

TEST_F(ImportDialogTest, AnAccountWithoutAPlaceIsMarkedInWordsAndNotByColourAlone)
{
    const auto d = dialog("trading-unplaced.csv");
    const QAbstractItemModel* rows = d->accountsView()->model();
    const int unplaced = rowOf(*d, QStringLiteral("117"));
    ASSERT_GE(unplaced, 0);
    EXPECT_EQ(rows->index(unplaced, 3).data().toString(), QString::fromUtf16(kUnplacedText));
    EXPECT_TRUE(rows->index(unplaced, 0).data(Qt::FontRole).value<QFont>().bold());
    const QColor text = rows->index(unplaced, 3).data(Qt::ForegroundRole).value<QBrush>().color();
    const QColor back = rows->index(unplaced, 3).data(Qt::BackgroundRole).value<QBrush>().color();
    EXPECT_EQ(text, QColor(frmImport::kUnplacedInk));
    EXPECT_EQ(back, QColor(frmImport::kUnplacedPaper));
    EXPECT_GE(ContrastRatio(text, back), 4.5);
    // A placed account keeps the table's own colours.
    EXPECT_FALSE(
        rows->index(rowOf(*d, QStringLiteral("304")), 3).data(Qt::BackgroundRole).isValid());

    EXPECT_TRUE(d->totals()->text().contains(
        QStringLiteral("дебит 22\u00a0600,20, кредит 22\u00a0600,20")));
    EXPECT_TRUE(d->totals()->text().contains(QStringLiteral("без място в сметкоплана: 1")));
    EXPECT_TRUE(d->refusal()->isVisibleTo(d.get()));
    EXPECT_TRUE(d->cmdImport()->isEnabled());
}

TEST_F(ImportDialogTest, ARefusalIsShownAndImportStaysDisabled)
{
    const struct
    {
        const char* trialBalance;
        const char* map;
        const char* says;
    } cases[] = {
        {"unbalanced.csv", nullptr, "unbalanced.csv"},
        {"missing.csv", nullptr, "missing.csv"},
        {"trading.csv", "broken-map.txt", "broken-map.txt"},
        {"trading.csv", "missing-map.txt", "missing-map.txt"},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.trialBalance + std::string(" ") + (c.map ? c.map : ""));
        const auto d =
            dialog(c.trialBalance, c.map ? test::fixture(QString::fromLatin1(c.map)) : QString());
        EXPECT_TRUE(d->refusal()->isVisibleTo(d.get()));
        EXPECT_TRUE(d->refusal()->text().startsWith(QStringLiteral("Импортът не е възможен: ")));
        EXPECT_TRUE(d->refusal()->text().contains(QString::fromLatin1(c.says)))
            << d->refusal()->text().toStdString();
        EXPECT_FALSE(d->cmdImport()->isEnabled());
        EXPECT_EQ(d->accountsView()->model()->rowCount(), 0);
    }
    EXPECT_TRUE(savedFiles().isEmpty());
}

TEST_F(ImportDialogTest, TheTrialBalanceIsChosenThroughTheFileDialog)
{
    const auto d = dialog("trading.csv");
    files.answers.push_back(test::fixture(QStringLiteral("trading-unplaced.csv")));
    d->cmdBrowse_Click();
    ASSERT_EQ(files.asked.size(), 1u);
    EXPECT_EQ(files.asked[0].filters.value(0), QStringLiteral("Оборотни ведомости (*.csv *.txt)"));
    EXPECT_GE(rowOf(*d, QStringLiteral("117")), 0);
    // A cancelled dialog leaves the file as it was.
    d->cmdBrowse_Click();
    EXPECT_GE(rowOf(*d, QStringLiteral("117")), 0);
}

TEST_F(ImportDialogTest, TheChoicesAreCheckedAsForANewDocument)
{
    const auto d = dialog("trading.csv");
    field(*d, "txtYear")->setText(QStringLiteral("25"));
    d->cmdImport_Click();
    ASSERT_EQ(boxes.shown.size(), 1u);
    EXPECT_EQ(boxes.shown[0].text, QStringLiteral("Въведете коректна година!"));
    EXPECT_TRUE(savedFiles().isEmpty());
}

TEST_F(ImportDialogTest, AccountsWithoutAPlaceAreImportedOnlyWhenTheUserSaysYes)
{
    const auto d = dialog("trading-unplaced.csv");
    boxes.answers.push_back(MsgAnswer::No);
    d->cmdImport_Click();
    ASSERT_EQ(boxes.shown.size(), 1u);
    EXPECT_EQ(boxes.shown[0].buttons, platform::MsgButtons::YesNo);
    EXPECT_TRUE(boxes.shown[0].text.startsWith(QStringLiteral("1 ")));
    EXPECT_TRUE(boxes.shown[0].text.contains(QStringLiteral("констатациите")));
    EXPECT_TRUE(savedFiles().isEmpty());
    EXPECT_NE(d->result(), QDialog::Accepted);

    boxes.answers.push_back(MsgAnswer::Yes);
    d->cmdImport_Click();
    EXPECT_EQ(d->result(), QDialog::Accepted);
    EXPECT_EQ(savedFiles().size(), 2) << savedFiles().join(u' ').toStdString();
    const QStringList notes = ImportNotes(d->plan(), d->imported());
    ASSERT_FALSE(notes.isEmpty());
    EXPECT_TRUE(notes[0].contains(QStringLiteral("117"))) << notes[0].toStdString();
    EXPECT_TRUE(notes[0].contains(QStringLiteral("100,00 Кт"))) << notes[0].toStdString();
}

TEST_F(ImportDialogTest, AnImportThatCannotSaveIsAModalErrorAndTheDialogStays)
{
    // The data folder's place is taken by a file: nothing can be saved there.
    state.dataFolder = dir.filePath(QStringLiteral("taken"));
    ASSERT_TRUE(test::writeAll(state.dataFolder, "not a folder"));
    const auto d = dialog("trading.csv");
    d->cmdImport_Click();
    ASSERT_EQ(boxes.shown.size(), 1u);
    EXPECT_EQ(boxes.shown[0].title, QStringLiteral("TELM - Грешка"));
    EXPECT_EQ(boxes.shown[0].icon, platform::MsgIcon::Critical);
    EXPECT_TRUE(boxes.shown[0].text.startsWith(QStringLiteral("Импортът не е направен")))
        << boxes.shown[0].text.toStdString();
    EXPECT_NE(d->result(), QDialog::Accepted);
    EXPECT_TRUE(d->imported().saved.empty());
}

TEST_F(ImportDialogTest, TheCompanysOwnMapIsRememberedForTheCompany)
{
    const QString map = test::fixture(QStringLiteral("company-map.txt"));
    {
        const auto d = dialog("trading-unplaced.csv");
        files.answers.push_back(map);
        d->cmdBrowseMap_Click();
        EXPECT_TRUE(d->refusal()->text().isEmpty()) << d->refusal()->text().toStdString();
        // The company's map places the account the shipped one does not.
        EXPECT_NE(d->accountsView()->model()->index(rowOf(*d, QStringLiteral("117")), 3).data(),
                  QString::fromUtf16(kUnplacedText));
        d->cmdImport_Click();
        EXPECT_TRUE(boxes.shown.empty()) << boxes.shown[0].text.toStdString();
        ASSERT_EQ(d->result(), QDialog::Accepted);
    }
    frmImport again(state);
    again.setChoices(ImportChoices{kBulstat, kCompany, QString(), QString()});
    EXPECT_EQ(field(again, "txtAccounts")->text(), QDir::toNativeSeparators(map));
    // Another company has none; the first one's comes back with it.
    field(again, "txtBulstat")->setText(QStringLiteral("100000086"));
    EXPECT_TRUE(field(again, "txtAccounts")->text().isEmpty());
    field(again, "txtBulstat")->setText(kBulstat);
    EXPECT_EQ(field(again, "txtAccounts")->text(), QDir::toNativeSeparators(map));
}

// Runs `step` on the modal window of class `T` once it is up.
template <typename T>
void whenModal(std::function<void(T&)> step)
{
    auto* timer = new QTimer;
    timer->setInterval(20);
    QObject::connect(timer, &QTimer::timeout, [timer, step] {
        if (auto* window = qobject_cast<T*>(QApplication::activeModalWidget())) {
            timer->stop();
            timer->deleteLater();
            step(*window);
        }
    });
    timer->start();
}

TEST_F(ImportDialogTest, ImportFromTheMenuOpensTheBalanceSheetAndTheDeskShowsTheFiling)
{
    frmMain window(state);
    WireDialogs(window, state);
    window.show();
    ASSERT_TRUE(QTest::qWaitForWindowExposed(&window));
    QAction* item = window.findChild<QAction*>(QStringLiteral("mnuRegisters_Import"));
    ASSERT_TRUE(item && item->isEnabled());
    EXPECT_EQ(item->shortcut(), QKeySequence(Qt::CTRL | Qt::Key_I));

    QString opened;
    QString status;
    int findings = -1;
    whenModal<frmImport>([&](frmImport& d) {
        EXPECT_EQ(QApplication::focusWidget(), field(d, "txtTrialBalance"));
        field(d, "txtTrialBalance")->setText(test::fixture(QStringLiteral("trading-unplaced.csv")));
        field(d, "txtBulstat")->setText(kBulstat);
        field(d, "txtName")->setText(kCompany);
        field(d, "txtYear")->setText(QStringLiteral("2025"));
        d.replan();
        boxes.answers.push_back(MsgAnswer::Yes);
        whenModal<frmDocument>([&](frmDocument& form) {
            ASSERT_TRUE(QTest::qWaitFor([&] { return form.loaded(); }, 5000));
            opened = QString::fromLatin1(form.engine().docType().code);
            status = form.statusText();
            findings =
                form.findingsPanel()->isVisible() ? form.findingsPanel()->model()->rowCount() : 0;
            form.close();
        });
        d.cmdImport()->click();
    });
    item->trigger();

    EXPECT_EQ(opened, QStringLiteral("Bal"));
    EXPECT_TRUE(status.startsWith(QStringLiteral("Импортирано: Баланс"))) << status.toStdString();
    // At least the account left out.
    EXPECT_GE(findings, 1);
    EXPECT_EQ(savedFiles().size(), 2);

    // The desk shows the filing, the balance sheet current; its import
    // button starts from the filing's company and period.
    DeskPanel* desk = window.desk();
    ASSERT_TRUE(QTest::qWaitFor([&] { return desk->snapshot().files.size() == 2; }, 10000));
    ASSERT_TRUE(QTest::qWaitFor(
        [&] { return desk->currentFile().contains(QStringLiteral("_Bal_")); }, 5000));
    ImportChoices preset;
    whenModal<frmImport>([&](frmImport& d) {
        preset = {field(d, "txtBulstat")->text(), field(d, "txtName")->text(),
                  field(d, "txtYear")->text(),
                  d.findChild<QComboBox*>(QStringLiteral("cboMonth"))->currentText()};
        d.reject();
    });
    desk->findChild<QPushButton*>(QStringLiteral("cmdImport"))->click();
    EXPECT_EQ(preset.bulstat, kBulstat);
    EXPECT_EQ(preset.company, kCompany);
    EXPECT_EQ(preset.year, QStringLiteral("2025"));
    EXPECT_EQ(preset.month, QStringLiteral("12"));
}

TEST(ImportedStatus, SaysWhatWasSavedAndWhetherTheControlsFoundAnything)
{
    ImportFilingResult result;
    result.status = ImportFilingResult::Status::Saved;
    result.saved = {{QStringLiteral("Bal"), QStringLiteral("b.xml"), 10, false},
                    {QStringLiteral("OPR"), QStringLiteral("o.xml"), 4, true}};
    EXPECT_EQ(ImportedStatus(result),
              QStringLiteral("Импортирано: Баланс – 10 суми, Отчет за приходите и разходите – 4 "
                             "суми (коригиран); контролите не откриват разлики"));
    result.findings << QStringLiteral("В баланса „СУМА НА АКТИВА“ …");
    EXPECT_FALSE(ImportedStatus(result).contains(QStringLiteral("контролите")));
}

} // namespace
