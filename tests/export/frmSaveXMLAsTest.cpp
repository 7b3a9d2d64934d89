// The export dialog driven through its controls, with the message boxes, the
// file dialog and the list of volumes answered by the test.
#include "export/frmSaveXMLAs.h"

#include "platform/FileDialogs.h"
#include "platform/HelpTopics.h"
#include "platform/MessageBoxes.h"
#include "platform/Volumes.h"
#include "tests/support/TestFiles.h"
#include "xmlfiles/Checksum.h"
#include "xmlfiles/DataFile.h"
#include "xmlfiles/XmlDocument.h"

#include <QApplication>
#include <QComboBox>
#include <QDir>
#include <QLineEdit>
#include <QPushButton>
#include <QTemporaryDir>
#include <QTest>

#include <memory>

#include <gtest/gtest.h>

using namespace telm;
using platform::Volume;

namespace {

class SaveXmlAsTest : public ::testing::Test
{
protected:
    void SetUp() override
    {
        m_previousFolder = QDir::currentPath();
        ASSERT_TRUE(QDir::setCurrent(start.path()));
        volumes = std::make_unique<platform::FixedVolumes>(std::vector<Volume>{
            {QStringLiteral("/"), QStringLiteral("/ (250 GB)"), true},
            {stick.path(), QStringLiteral("STICK – flash (7.5 GB)"), true},
            {QStringLiteral("/media/floppy"), QStringLiteral("ДИСКЕТА"), false},
        });
        dialog = std::make_unique<frmSaveXMLAs>();
        dialog->show();
    }

    void TearDown() override
    {
        dialog.reset();
        volumes.reset();
        QDir::setCurrent(m_previousFolder);
    }

    template <typename T>
    T* child(const char* name)
    {
        return dialog->findChild<T*>(QString::fromLatin1(name));
    }

    void chooseDrive(int index)
    {
        child<QComboBox>("Drive1")->setCurrentIndex(index);
        dialog->Drive1_Change(index);
    }

    QString dataFile()
    {
        XmlDocument xml;
        xml.load(test::sourceData(QStringLiteral("Blanki/testdata_Bal.xml")));
        xml.root().append_child("danni").append_child("document").text().set("Баланс");
        xml.root().append_attribute("hash").set_value(ComputeRootHash(xml).toUtf8().constData());
        const QString path = source.filePath(QStringLiteral("VELDOR_Bal_123456786_2005_12.xml"));
        EXPECT_TRUE(SaveDataFile(xml, path).ok);
        return path;
    }

    QTemporaryDir start;
    QTemporaryDir stick;
    QTemporaryDir source;
    std::unique_ptr<platform::FixedVolumes> volumes;
    platform::RecordingMessageBoxes boxes;
    std::unique_ptr<frmSaveXMLAs> dialog;

private:
    QString m_previousFolder;
};

TEST_F(SaveXmlAsTest, OpensOnTheFolderItWasStartedFrom)
{
    EXPECT_EQ(dialog->windowTitle(), QStringLiteral("Съхранение на данни на дискета"));
    EXPECT_EQ(platform::HelpTopicOf(dialog.get()).value_or(0), 2085);
    EXPECT_EQ(QDir(dialog->currentFolder()).canonicalPath(), QDir(start.path()).canonicalPath());
    auto* drives = child<QComboBox>("Drive1");
    ASSERT_EQ(drives->count(), 3);
    EXPECT_EQ(drives->currentIndex(), 0);
    EXPECT_EQ(drives->itemText(1), QStringLiteral("STICK – flash (7.5 GB)"));
}

TEST_F(SaveXmlAsTest, FocusStartsOnTheFileToCopy)
{
    QApplication::setActiveWindow(dialog.get());
    EXPECT_EQ(QApplication::focusWidget(), child<QLineEdit>("txtFileName"));
}

TEST_F(SaveXmlAsTest, AnEmptyBoxAsksForAFileAndTheFileDialogFillsIt)
{
    QTest::mouseClick(child<QPushButton>("cmdSave"), Qt::LeftButton);
    ASSERT_EQ(boxes.shown.size(), 1u);
    EXPECT_EQ(boxes.shown[0].title, QStringLiteral("Внимание!"));
    EXPECT_EQ(boxes.shown[0].text, QStringLiteral("Изберете файл за съхранение!"));

    platform::RecordingFileDialogs files;
    files.answers.push_back(QStringLiteral("/somewhere/VELDOR_Bal.xml"));
    QTest::mouseClick(child<QPushButton>("cmdChooseFile"), Qt::LeftButton);
    ASSERT_EQ(files.asked.size(), 1u);
    EXPECT_EQ(files.asked[0].title, QStringLiteral("Избор на файл"));
    EXPECT_EQ(files.asked[0].filters.value(0), QStringLiteral("Файлове с данни XML (*.xml)"));
    EXPECT_EQ(child<QLineEdit>("txtFileName")->text(), QStringLiteral("/somewhere/VELDOR_Bal.xml"));
    QTest::mouseClick(child<QPushButton>("cmdChooseFile"), Qt::LeftButton); // cancelled
    EXPECT_EQ(child<QLineEdit>("txtFileName")->text(), QStringLiteral("/somewhere/VELDOR_Bal.xml"));
}

TEST_F(SaveXmlAsTest, ADriveThatIsNotReadyReturnsToTheStartFolder)
{
    chooseDrive(1);
    EXPECT_EQ(QDir(dialog->currentFolder()).canonicalPath(), QDir(stick.path()).canonicalPath());
    chooseDrive(2);
    ASSERT_EQ(boxes.shown.size(), 1u);
    EXPECT_EQ(boxes.shown[0].title, QStringLiteral("Грешка"));
    EXPECT_EQ(boxes.shown[0].text, QStringLiteral("Грешка при избор на дестинация на файл за "
                                                  "експорт. Устройството не е готово"));
    EXPECT_EQ(child<QComboBox>("Drive1")->currentIndex(), 0);
    EXPECT_EQ(QDir(dialog->currentFolder()).canonicalPath(), QDir(start.path()).canonicalPath());
}

// The user reads what went where: the file, the folder and the copy's name.
TEST_F(SaveXmlAsTest, ACopyToTheStickSaysWhatWasCopiedWhereAndVerifies)
{
    const QString file = dataFile();
    chooseDrive(1);
    child<QLineEdit>("txtFileName")->setText(file);
    QTest::mouseClick(child<QPushButton>("cmdSave"), Qt::LeftButton);
    const QString copy =
        QDir(stick.path()).filePath(QStringLiteral("VELDOR_Bal_123456786_2005_12.xml"));
    ASSERT_EQ(boxes.shown.size(), 1u);
    EXPECT_EQ(boxes.shown[0].icon, platform::MsgIcon::Information);
    EXPECT_EQ(boxes.shown[0].text,
              QStringLiteral("Копиран е файлът\n%1\n\nв папката %2 като\n%3")
                  .arg(QDir::toNativeSeparators(file), QDir::toNativeSeparators(stick.path()),
                       QDir::toNativeSeparators(copy)));
    EXPECT_EQ(test::readAll(copy), test::readAll(file));
    XmlDocument check;
    ASSERT_TRUE(check.load(copy));
    EXPECT_TRUE(VerifyDataHash(check));
    EXPECT_TRUE(dialog->isVisible()); // stays open for the next file
}

} // namespace
