// The open-document dialog driven through its real widgets.
#include "selection/frmChooseFile.h"

#include "platform/FileDialogs.h"
#include "platform/MessageBoxes.h"
#include "tests/selection/SelectionTestSupport.h"
#include "tests/support/TestFiles.h"

#include <QApplication>
#include <QLineEdit>
#include <QPushButton>
#include <QTest>

#include <memory>

#include <gtest/gtest.h>

using namespace telm;
using namespace telm::test;
using platform::MsgIcon;
using platform::RecordingFileDialogs;
using platform::RecordingMessageBoxes;

namespace {

class ChooseFileTest : public ::testing::Test
{
protected:
    void SetUp() override
    {
        ASSERT_TRUE(dir.isValid());
        // A context left by an earlier new-document selection.
        state.company = {QStringLiteral("Old Co"), QStringLiteral("123456786")};
        state.period = {QStringLiteral("6"), 2001};
        state.hfGrid.Prognosis = true;
        dialog = std::make_unique<frmChooseFile>(state, opener.opener());
        dialog->show();
    }

    template <typename T>
    T* child(const char* name)
    {
        return test::namedChild<T>(*dialog, name);
    }

    QString file(const QString& name) const { return dir.filePath(name); }

    void openPath(const QString& path)
    {
        auto* box = child<QLineEdit>("txtFileName");
        box->clear();
        QTest::keyClicks(box, path);
        QTest::mouseClick(child<QPushButton>("cmdOpen"), Qt::LeftButton);
    }

    void expectOneMessage(const QString& title, const QString& text)
    {
        ASSERT_EQ(boxes.shown.size(), 1u);
        EXPECT_EQ(boxes.shown[0].title, title);
        EXPECT_EQ(boxes.shown[0].text, text);
        EXPECT_EQ(boxes.shown[0].icon, MsgIcon::Critical);
    }

    QTemporaryDir dir;
    AppState state;
    RecordingMessageBoxes boxes;
    RecordingOpener opener{state};
    std::unique_ptr<frmChooseFile> dialog;
};

TEST_F(ChooseFileTest, CaptionTopicAndControls)
{
    EXPECT_EQ(dialog->windowTitle(), QStringLiteral("Корекция на документ "));
    EXPECT_EQ(dialog->property("helpTopic").toInt(), 2080);
    EXPECT_EQ(child<QPushButton>("cmdOpen")->text(), QStringLiteral("Отвори файл"));
    EXPECT_EQ(child<QPushButton>("cmdCancel")->text(), QStringLiteral("Отказ"));
    EXPECT_EQ(child<QPushButton>("cmdChooseFile")->text(), QStringLiteral("..."));
    EXPECT_TRUE(child<QLineEdit>("txtFileName")->text().isEmpty());
}

TEST_F(ChooseFileTest, EmptyPathAsksForAFile)
{
    QTest::mouseClick(child<QPushButton>("cmdOpen"), Qt::LeftButton);
    expectOneMessage(QStringLiteral("TELM - Внимание!"), QStringLiteral("Изберете файл!"));
    EXPECT_TRUE(opener.calls.empty());
}

TEST_F(ChooseFileTest, FilesWithoutAHeaderAreNotValid)
{
    ASSERT_TRUE(writeAll(file("plain.txt"), "not xml at all"));
    ASSERT_TRUE(writeAll(file("noheader.xml"), "<xml><rs:data/></xml>"));
    const QString paths[] = {QStringLiteral("   "), file("missing.xml"), file("plain.txt"),
                             file("noheader.xml")};
    for (const QString& path : paths) {
        SCOPED_TRACE(path.toStdString());
        boxes.shown.clear();
        state.docType.Name = QStringLiteral("Баланс");
        openPath(path);
        expectOneMessage(QStringLiteral("Внимание!"), QStringLiteral("Изберете валиден XML файл!"));
        EXPECT_TRUE(state.docType.Name.isEmpty());
        EXPECT_EQ(state.openedDataFilePath, path.trimmed());
        EXPECT_EQ(state.company.Name, QStringLiteral("Old Co"));
        EXPECT_TRUE(opener.calls.empty());
    }
}

TEST_F(ChooseFileTest, OpensForCorrectionWithTheHeaderInTheContext)
{
    const struct
    {
        const char* period;
        const char* month;
        int year;
    } cases[] = {{"12/2005", "12", 2005}, {"3/2005", "3", 2005}, {"4/2005", "4", 2005}};
    for (const auto& c : cases) {
        SCOPED_TRACE(c.period);
        opener.calls.clear();
        const QString path = file(QStringLiteral("Bal.xml"));
        ASSERT_TRUE(writeDataFile(path, QStringLiteral("Баланс"), QStringLiteral("Фирма ЕООД"),
                                  QString::fromLatin1(c.period)));
        openPath(QStringLiteral("  ") + path + QStringLiteral("  "));

        EXPECT_TRUE(boxes.shown.empty());
        ASSERT_EQ(opener.calls.size(), 1u);
        const OpenedCall& call = opener.calls[0];
        EXPECT_EQ(call.parent, dialog.get());
        EXPECT_TRUE(call.parentVisible);
        EXPECT_EQ(call.document.type, DocTypeAt(0));
        EXPECT_EQ(call.document.editType, 1);
        EXPECT_EQ(call.document.path, path); // blanks around it trimmed
        EXPECT_EQ(call.openedDataFilePath, path);
        EXPECT_EQ(call.xmlCompname, QStringLiteral("Фирма ЕООД"));
        EXPECT_EQ(call.docType.Name, QStringLiteral("Баланс"));
        EXPECT_EQ(call.company.Name, QStringLiteral("Фирма ЕООД"));
        EXPECT_EQ(call.period.sQuarter, QString::fromLatin1(c.month));
        EXPECT_EQ(call.period.iYear, c.year);
        // Neither the BULSTAT nor the kind is read from the file.
        EXPECT_EQ(call.company.Bulstat, QStringLiteral("123456786"));
        EXPECT_TRUE(call.prognosis);
        // Back in front with the same path.
        EXPECT_EQ(child<QLineEdit>("txtFileName")->text(),
                  QStringLiteral("  ") + path + QStringLiteral("  "));
    }
}

TEST_F(ChooseFileTest, UnknownTitleOpensNothingAndSaysNothing)
{
    const QString path = file(QStringLiteral("odd.xml"));
    ASSERT_TRUE(writeDataFile(path, QStringLiteral("Баланс "), QStringLiteral("Нова"),
                              QStringLiteral("9/2004")));
    openPath(path);
    EXPECT_TRUE(boxes.shown.empty());
    EXPECT_TRUE(opener.calls.empty());
    EXPECT_EQ(state.docType.Name, QStringLiteral("Баланс "));
    EXPECT_EQ(state.company.Name, QStringLiteral("Нова"));
}

TEST_F(ChooseFileTest, InvalidPeriodIsRefusedBeforeTheContextChanges)
{
    const char* periods[] = {"2005", "12/", "12/abc", "13/2005", "12/-1", ""};
    for (const char* period : periods) {
        SCOPED_TRACE(period);
        boxes.shown.clear();
        const QString path = file(QStringLiteral("bad.xml"));
        ASSERT_TRUE(writeDataFile(path, QStringLiteral("Баланс"), QStringLiteral("Нова"),
                                  QString::fromLatin1(period)));
        openPath(path);
        expectOneMessage(QStringLiteral("Внимание!"),
                         QStringLiteral("Периодът във файла е невалиден!"));
        EXPECT_TRUE(opener.calls.empty());
        EXPECT_EQ(state.company.Name, QStringLiteral("Old Co"));
        EXPECT_EQ(state.period.sQuarter, QStringLiteral("6"));
        EXPECT_EQ(state.period.iYear, 2001);
    }
}

TEST_F(ChooseFileTest, SharedFormsGetTheirTypeAndVariantFlag)
{
    const struct
    {
        int position;
        bool balanceForm;
        bool flag;
    } cases[] = {
        {1, true, false},
        {2, true, true},
        {6, false, false},
        {7, false, true},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.position);
        state.balanceLiquidVariant = !c.flag;
        state.incomeLiquidVariant = !c.flag;
        opener.calls.clear();
        const QString path = file(QStringLiteral("liq.xml"));
        ASSERT_TRUE(writeDataFile(path, DocTypeAt(c.position)->titleText(),
                                  QStringLiteral("Ликвидатор"), QStringLiteral("12/2005")));
        openPath(path);
        ASSERT_EQ(opener.calls.size(), 1u);
        const OpenedCall& call = opener.calls[0];
        EXPECT_EQ(call.document.type, DocTypeAt(c.position));
        EXPECT_EQ(call.document.editType, 1);
        EXPECT_EQ(call.balanceLiquidVariant, c.balanceForm ? c.flag : !c.flag);
        EXPECT_EQ(call.incomeLiquidVariant, c.balanceForm ? !c.flag : c.flag);
    }
}

TEST_F(ChooseFileTest, FileDialogFillsThePathAndCancelKeepsIt)
{
    state.dataFolder = QStringLiteral("/home/u/.local/share/TELM/telm-transfer/Data");
    RecordingFileDialogs dialogs;
    dialogs.answers.push_back(file(QStringLiteral("chosen.xml")));
    auto* choose = child<QPushButton>("cmdChooseFile");
    QTest::mouseClick(choose, Qt::LeftButton);
    ASSERT_EQ(dialogs.asked.size(), 1u);
    EXPECT_EQ(dialogs.asked[0].title, QStringLiteral("Избор на файл"));
    EXPECT_EQ(dialogs.asked[0].filters, QStringList({QStringLiteral("Файлове с данни XML (*.xml)"),
                                                     QStringLiteral("Всички файлове (*)")}));
    EXPECT_EQ(dialogs.asked[0].folder, state.dataFolder); // it opens where the data files are
    EXPECT_EQ(child<QLineEdit>("txtFileName")->text(), file(QStringLiteral("chosen.xml")));

    QTest::mouseClick(choose, Qt::LeftButton); // the user cancels
    EXPECT_EQ(dialogs.asked.size(), 2u);
    EXPECT_EQ(child<QLineEdit>("txtFileName")->text(), file(QStringLiteral("chosen.xml")));
    EXPECT_TRUE(opener.calls.empty());
}

TEST_F(ChooseFileTest, FocusStartsOnThePathAndTabFollowsTheFormOrder)
{
    QApplication::setActiveWindow(dialog.get());
    ASSERT_EQ(QApplication::focusWidget(), child<QLineEdit>("txtFileName"));
    const char* order[] = {"cmdChooseFile", "cmdOpen", "cmdCancel", "txtFileName"};
    for (const char* name : order) {
        QTest::keyClick(QApplication::focusWidget(), Qt::Key_Tab);
        EXPECT_EQ(QApplication::focusWidget()->objectName(), QString::fromLatin1(name));
    }
}

TEST_F(ChooseFileTest, EnterInThePathOpensTheFile)
{
    const QString path = file(QStringLiteral("Bal.xml"));
    ASSERT_TRUE(writeDataFile(path, QStringLiteral("Баланс"), QStringLiteral("X"),
                              QStringLiteral("12/2005")));
    auto* box = child<QLineEdit>("txtFileName");
    QTest::keyClicks(box, path);
    QTest::keyClick(box, Qt::Key_Return);
    EXPECT_EQ(opener.calls.size(), 1u);
}

TEST_F(ChooseFileTest, CancelCloses)
{
    QTest::mouseClick(child<QPushButton>("cmdCancel"), Qt::LeftButton);
    EXPECT_FALSE(dialog->isVisible());
    EXPECT_EQ(dialog->result(), QDialog::Rejected);
    EXPECT_TRUE(opener.calls.empty());
}

} // namespace
