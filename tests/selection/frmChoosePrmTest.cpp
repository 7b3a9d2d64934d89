// The new-document dialog driven through its real widgets.
#include "selection/frmChoosePrm.h"

#include "platform/MessageBoxes.h"
#include "tests/selection/SelectionTestSupport.h"
#include "tests/support/NewDocumentCases.h"

#include <QApplication>
#include <QCheckBox>
#include <QComboBox>
#include <QDir>
#include <QLineEdit>
#include <QPushButton>
#include <QTest>

#include <memory>

#include <gtest/gtest.h>

using namespace telm;
using namespace telm::test;
using platform::MsgIcon;
using platform::RecordingMessageBoxes;

namespace {

const QString kCompany = QStringLiteral("Фирма \"Север\" ООД");

class ChoosePrmTest : public ::testing::Test
{
protected:
    void SetUp() override
    {
        ASSERT_TRUE(folder.dir.isValid());
        ASSERT_TRUE(folder.writeAllTemplates());
        state.FilePrefix = QStringLiteral("VELDOR");
        state.programFolder = folder.path();
        openDialog();
    }

    void openDialog()
    {
        dialog = std::make_unique<frmChoosePrm>(state, opener.opener());
        dialog->show();
    }

    template <typename T>
    T* child(const char* name)
    {
        return test::namedChild<T>(*dialog, name);
    }

    void fill(const QString& year, const QString& bulstat, const QString& name)
    {
        typeText(child<QLineEdit>("txtYear"), year);
        typeText(child<QLineEdit>("txtBulstat"), bulstat);
        typeText(child<QLineEdit>("txtName"), name);
    }

    // Moves a list's selection down with the keyboard.
    void choose(const char* list, int position)
    {
        auto* combo = child<QComboBox>(list);
        QTest::keyClick(combo, Qt::Key_Home);
        for (int i = 0; i < position; ++i)
            QTest::keyClick(combo, Qt::Key_Down);
        ASSERT_EQ(combo->currentIndex(), position);
    }

    void clickOk() { QTest::mouseClick(child<QPushButton>("cmdOk"), Qt::LeftButton); }

    ProgramFolder folder;
    AppState state;
    RecordingMessageBoxes boxes;
    RecordingOpener opener{state};
    std::unique_ptr<frmChoosePrm> dialog;
};

TEST_F(ChoosePrmTest, LoadsWithFirstEntriesEmptyFieldsAndForecastCleared)
{
    state.hfGrid.Prognosis = true;
    openDialog();
    EXPECT_FALSE(state.hfGrid.Prognosis);
    EXPECT_EQ(dialog->windowTitle(), QStringLiteral("Параметри за документа"));
    EXPECT_EQ(dialog->property("helpTopic").toInt(), 2005);

    auto* month = child<QComboBox>("cboMonth");
    ASSERT_EQ(month->count(), 4);
    EXPECT_EQ(month->itemText(3), QStringLiteral("12"));
    EXPECT_EQ(month->currentText(), QStringLiteral("3"));
    auto* documents = child<QComboBox>("cboDocument");
    ASSERT_EQ(documents->count(), kDocTypeCount);
    for (int i = 0; i < kDocTypeCount; ++i)
        EXPECT_EQ(documents->itemText(i), DocTypeAt(i)->titleText());
    EXPECT_EQ(documents->currentText(), QStringLiteral("Баланс"));
    EXPECT_TRUE(child<QLineEdit>("txtYear")->text().isEmpty());
    EXPECT_FALSE(child<QCheckBox>("CheckPrognosis")->isChecked());
    EXPECT_EQ(child<QPushButton>("cmdOk")->text(), QStringLiteral("&Избор"));
    EXPECT_EQ(child<QPushButton>("cmdEsc")->text(), QStringLiteral("&Отказ"));
}

// The checks that telmtool fill shares, in one table; the cases whose month or
// type no list offers are the tool's alone.
TEST_F(ChoosePrmTest, ReportsOnlyTheFirstFailedCheck)
{
    for (const NewDocumentCase& c : kNewDocumentCases) {
        const QString year = QString::fromUtf8(c.year);
        const QString message = QString::fromUtf8(c.message);
        SCOPED_TRACE((QString::fromUtf8(c.month) + u'|' + year + u'|' + QString::fromUtf8(c.bulstat)
                      + u'|' + QString::fromUtf8(c.company) + u'|' + QString::fromUtf8(c.type))
                         .toStdString());
        const DocType* type = DocTypeByCode(QString::fromLatin1(c.type));
        openDialog();
        const int month = child<QComboBox>("cboMonth")->findText(QString::fromUtf8(c.month));
        if (month < 0 || !type)
            continue;
        boxes.shown.clear();
        opener.calls.clear();
        state.docType.Name.clear();
        state.openedDataFilePath.clear();
        choose("cboMonth", month);
        choose("cboDocument", DocTypePosition(*type));
        typeText(child<QLineEdit>("txtYear"), year);
        typeText(child<QLineEdit>("txtBulstat"), QString::fromUtf8(c.bulstat));
        // What cannot be typed is pasted.
        auto* name = child<QLineEdit>("txtName");
        for (const QChar ch : QString::fromUtf8(c.company)) {
            if (ch.isPrint())
                typeText(name, QString(ch));
            else
                name->insert(QString(ch));
        }
        ASSERT_EQ(name->text(), QString::fromUtf8(c.company));
        clickOk();

        if (message.isEmpty()) {
            EXPECT_TRUE(boxes.shown.empty());
            ASSERT_EQ(opener.calls.size(), 1u);
            EXPECT_EQ(opener.calls[0].document.type, type);
            EXPECT_EQ(opener.calls[0].period.sQuarter, QString::fromUtf8(c.month));
            EXPECT_EQ(opener.calls[0].company.Bulstat, QString::fromUtf8(c.bulstat));
            continue;
        }
        ASSERT_EQ(boxes.shown.size(), 1u);
        EXPECT_EQ(boxes.shown[0].text, message);
        EXPECT_EQ(boxes.shown[0].title, QStringLiteral("TELM - Внимание!"));
        EXPECT_EQ(boxes.shown[0].icon, MsgIcon::Critical);
        EXPECT_TRUE(opener.calls.empty());
        EXPECT_TRUE(state.docType.Name.isEmpty());
        EXPECT_TRUE(state.openedDataFilePath.isEmpty());
        EXPECT_EQ(child<QLineEdit>("txtYear")->text(), year);
    }
}

TEST_F(ChoosePrmTest, NewBalanceSheetOpensFromTheTemplateWithTheContextFilled)
{
    choose("cboMonth", 3);
    fill(QStringLiteral("2005"), QStringLiteral("123456786"), kCompany);
    clickOk();

    EXPECT_TRUE(boxes.shown.empty());
    ASSERT_EQ(opener.calls.size(), 1u);
    const OpenedCall& call = opener.calls[0];
    EXPECT_EQ(call.parent, dialog.get());
    EXPECT_TRUE(call.parentVisible);
    EXPECT_EQ(call.document.type, DocTypeAt(0));
    EXPECT_EQ(call.document.editType, 0);
    EXPECT_EQ(call.document.path,
              QDir(folder.path()).filePath(QStringLiteral("Blanki/testdata_Bal.xml")));
    EXPECT_EQ(call.period.sQuarter, QStringLiteral("12"));
    EXPECT_EQ(call.period.iYear, 2005);
    EXPECT_EQ(call.company.Bulstat, QStringLiteral("123456786"));
    EXPECT_EQ(call.company.Name, kCompany);
    EXPECT_EQ(call.docType.Name, QStringLiteral("Баланс"));
    EXPECT_FALSE(call.prognosis);
    EXPECT_EQ(call.openedDataFilePath, folder.dataFile("VELDOR_Bal_123456786_2005_12.xml"));

    // Back in front with the inputs as they were, ready to open the same document again.
    EXPECT_TRUE(dialog->isVisible());
    EXPECT_EQ(child<QLineEdit>("txtYear")->text(), QStringLiteral("2005"));
    EXPECT_EQ(child<QLineEdit>("txtBulstat")->text(), QStringLiteral("123456786"));
    EXPECT_EQ(child<QLineEdit>("txtName")->text(), kCompany);
    EXPECT_EQ(child<QComboBox>("cboMonth")->currentText(), QStringLiteral("12"));
    EXPECT_EQ(child<QComboBox>("cboDocument")->currentIndex(), 0);
    clickOk();
    EXPECT_EQ(opener.calls.size(), 2u);
}

TEST_F(ChoosePrmTest, ExistingDataFileOpensForCorrectionWithoutAQuestion)
{
    ASSERT_TRUE(writeDataFile(folder.dataFile("VELDOR_Bal_123456786_2005_3.xml"),
                              QStringLiteral("Баланс"), QStringLiteral("Saved Co"),
                              QStringLiteral("3/2005")));
    fill(QStringLiteral("2005"), QStringLiteral("123456786"), kCompany);
    clickOk();

    EXPECT_TRUE(boxes.shown.empty());
    ASSERT_EQ(opener.calls.size(), 1u);
    EXPECT_EQ(opener.calls[0].document.editType, 1);
    EXPECT_EQ(opener.calls[0].document.path, folder.dataFile("VELDOR_Bal_123456786_2005_3.xml"));
    EXPECT_EQ(opener.calls[0].xmlCompname, QStringLiteral("Saved Co"));
    EXPECT_EQ(opener.calls[0].openedDataFilePath,
              folder.dataFile("VELDOR_Bal_123456786_2005_3.xml"));
}

TEST_F(ChoosePrmTest, ForecastLooksForItsOwnFileName)
{
    ASSERT_TRUE(writeDataFile(folder.dataFile("VELDOR_Bal_123456786_2005_3.xml"),
                              QStringLiteral("Баланс"), QStringLiteral("Real"),
                              QStringLiteral("3/2005")));
    QTest::mouseClick(child<QCheckBox>("CheckPrognosis"), Qt::LeftButton);
    EXPECT_TRUE(state.hfGrid.Prognosis);
    fill(QStringLiteral("2005"), QStringLiteral("123456786"), kCompany);
    clickOk();

    ASSERT_EQ(opener.calls.size(), 1u);
    EXPECT_TRUE(opener.calls[0].prognosis);
    EXPECT_EQ(opener.calls[0].document.editType, 0);
    EXPECT_EQ(opener.calls[0].openedDataFilePath,
              folder.dataFile("VELDOR_P_Bal_123456786_2005_3.xml"));

    QTest::mouseClick(child<QCheckBox>("CheckPrognosis"), Qt::LeftButton);
    EXPECT_FALSE(state.hfGrid.Prognosis);
}

TEST_F(ChoosePrmTest, YearWithLeadingZeroNamesTheFileByItsValue)
{
    fill(QStringLiteral("0999"), QStringLiteral("100000086"), kCompany);
    clickOk();
    ASSERT_EQ(opener.calls.size(), 1u);
    EXPECT_EQ(opener.calls[0].period.iYear, 999);
    EXPECT_EQ(opener.calls[0].openedDataFilePath,
              folder.dataFile("VELDOR_Bal_100000086_999_3.xml"));
}

// Which of a shared form's types opens decides its help topic and Sum button;
// DialogWiringTest follows the opened document into the form.
TEST_F(ChoosePrmTest, SharedFormsGetTheirTypeAndVariantFlag)
{
    const struct
    {
        int position;
        bool balanceForm; // which of the two flags the type sets
        bool flag;
    } cases[] = {
        {1, true, false},
        {2, true, true},
        {6, false, false},
        {7, false, true},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.position);
        // Both flags start opposite to the expected value: the one that is set
        // changes, the other one keeps its value.
        state.balanceLiquidVariant = !c.flag;
        state.incomeLiquidVariant = !c.flag;
        opener.calls.clear();
        openDialog();
        choose("cboDocument", c.position);
        fill(QStringLiteral("2005"), QStringLiteral("123456786"), kCompany);
        clickOk();
        ASSERT_EQ(opener.calls.size(), 1u);
        const OpenedCall& call = opener.calls[0];
        EXPECT_EQ(call.document.type, DocTypeAt(c.position));
        EXPECT_EQ(call.document.editType, 0);
        EXPECT_EQ(call.balanceLiquidVariant, c.balanceForm ? c.flag : !c.flag);
        EXPECT_EQ(call.incomeLiquidVariant, c.balanceForm ? !c.flag : c.flag);
        EXPECT_EQ(call.docType.Name, DocTypeAt(c.position)->titleText());
    }
}

TEST_F(ChoosePrmTest, MissingTemplateIsReportedForEveryTypeAndNothingOpens)
{
    ASSERT_TRUE(folder.removeBlanki());
    for (int position = 0; position < kDocTypeCount; ++position) {
        SCOPED_TRACE(position);
        boxes.shown.clear();
        openDialog();
        choose("cboDocument", position);
        fill(QStringLiteral("2005"), QStringLiteral("123456786"), kCompany);
        clickOk();
        ASSERT_EQ(boxes.shown.size(), 1u);
        EXPECT_EQ(boxes.shown[0].text, QStringLiteral("Не съществува коректен структурен файл!"));
        EXPECT_EQ(boxes.shown[0].title, QStringLiteral("Внимание!"));
        EXPECT_EQ(boxes.shown[0].icon, MsgIcon::Critical);
        EXPECT_TRUE(opener.calls.empty());
    }
}

TEST_F(ChoosePrmTest, ExistingDataFileOpensEvenWithoutTheTemplate)
{
    ASSERT_TRUE(folder.removeBlanki());
    ASSERT_TRUE(writeDataFile(folder.dataFile("VELDOR_Bal_123456786_2005_3.xml"),
                              QStringLiteral("Баланс"), QStringLiteral("Saved"),
                              QStringLiteral("3/2005")));
    fill(QStringLiteral("2005"), QStringLiteral("123456786"), kCompany);
    clickOk();
    EXPECT_TRUE(boxes.shown.empty());
    ASSERT_EQ(opener.calls.size(), 1u);
    EXPECT_EQ(opener.calls[0].document.editType, 1);
}

TEST_F(ChoosePrmTest, AFolderNamedLikeTheDataFileIsNotAFile)
{
    ASSERT_TRUE(QDir().mkpath(folder.dataFile("VELDOR_Bal_123456786_2005_3.xml")));
    fill(QStringLiteral("2005"), QStringLiteral("123456786"), kCompany);
    clickOk();
    ASSERT_EQ(opener.calls.size(), 1u);
    EXPECT_EQ(opener.calls[0].document.editType, 0);
}

// The first field has the focus: the month is chosen without a click.
TEST_F(ChoosePrmTest, FocusStartsOnTheFirstFieldAndTabFollowsTheFormOrder)
{
    QApplication::setActiveWindow(dialog.get());
    ASSERT_EQ(QApplication::focusWidget(), child<QComboBox>("cboMonth"));
    const char* order[] = {"txtYear",        "txtBulstat", "txtName", "cboDocument",
                           "CheckPrognosis", "cmdOk",      "cmdEsc",  "cboMonth"};
    for (const char* name : order) {
        QTest::keyClick(QApplication::focusWidget(), Qt::Key_Tab);
        EXPECT_EQ(QApplication::focusWidget()->objectName(), QString::fromLatin1(name));
    }
}

TEST_F(ChoosePrmTest, EnterInAFieldPressesChoice)
{
    fill(QStringLiteral("2005"), QStringLiteral("123456786"), kCompany);
    QTest::keyClick(child<QLineEdit>("txtName"), Qt::Key_Return);
    EXPECT_EQ(opener.calls.size(), 1u);
}

TEST_F(ChoosePrmTest, CancelClosesWithoutOpening)
{
    fill(QStringLiteral("2005"), QStringLiteral("123456786"), kCompany);
    QTest::mouseClick(child<QPushButton>("cmdEsc"), Qt::LeftButton);
    EXPECT_FALSE(dialog->isVisible());
    EXPECT_EQ(dialog->result(), QDialog::Rejected);
    EXPECT_TRUE(opener.calls.empty());
    EXPECT_TRUE(boxes.shown.empty());
}

} // namespace
