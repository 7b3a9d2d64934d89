// "Печат" in the document form and telmtool print give the very same pages
// for a saved statement, whatever the width of the window: paper is laid out
// from the document and the page alone.
#include "editor/frmDocument.h"
#include "platform/MessageBoxes.h"
#include "platform/PrintDialogs.h"
#include "selection/Catalogue.h"
#include "selection/DocumentContext.h"
#include "selection/DocumentOpening.h"
#include "tests/support/PdfText.h"
#include "tests/support/TestFiles.h"
#include "tests/tools/ToolRun.h"

#include <QApplication>
#include <QPushButton>
#include <QSettings>
#include <QTemporaryDir>
#include <QTest>

#include <gtest/gtest.h>

using namespace telm;

namespace {

TEST(PrintFromForm, TheFormAtAnyWidthPrintsWhatTelmtoolPrints)
{
    QTemporaryDir dir;
    ASSERT_TRUE(test::makeProgramFolder(dir.path()));
    QSettings::setPath(QSettings::NativeFormat, QSettings::UserScope, dir.path());
    const test::ToolRun fill =
        test::RunTool({"fill", "--type", "Bal", "--bulstat", "123456786", "--company", "Фирма ООД",
                       "--year", "2025", "--month", "12", "--folder", dir.path(), "--set",
                       "40:DocDta_Sum3=232862229", "--set", "40:DocDta_PrevYear=198765432"});
    ASSERT_NE(fill.code, 1) << fill.err;
    const QString data = dir.filePath(QStringLiteral("Data/VELDOR_Bal_123456786_2025_12.xml"));
    const QString fromTool = dir.filePath(QStringLiteral("tool.pdf"));
    const test::ToolRun print =
        test::RunTool({"print", data, "--pdf", fromTool, "--folder", dir.path()});
    ASSERT_EQ(print.code, 0) << print.err;
    const int pages = test::PdfPageCount(fromTool);
    ASSERT_GE(pages, 2);

    AppState state;
    state.FilePrefix = QStringLiteral("VELDOR");
    state.programFolder = dir.path();
    const Opening opening = OpenFromDataFile(state, data);
    ASSERT_TRUE(opening.document);
    platform::RecordingMessageBoxes boxes;
    frmDocument form(state, *opening.document);
    form.show();
    for (int i = 0; i < 200 && !form.loaded(); ++i)
        QTest::qWait(5);
    ASSERT_TRUE(form.loaded());

    platform::RecordingPrintDialogs dialogs;
    for (const int width : {700, 1900}) {
        SCOPED_TRACE(width);
        form.resize(width, 800);
        QApplication::processEvents();
        const QString fromForm = dir.filePath(QStringLiteral("form%1.pdf").arg(width));
        dialogs.answers.push_back(fromForm);
        QTest::mouseClick(form.cmdPrint(), Qt::LeftButton);
        ASSERT_EQ(test::PdfPageCount(fromForm), pages);
        for (int page = 1; page <= pages; ++page) {
            SCOPED_TRACE(page);
            EXPECT_EQ(test::PdfPageText(fromForm, page), test::PdfPageText(fromTool, page));
            EXPECT_EQ(test::PdfPageWords(fromForm, page), test::PdfPageWords(fromTool, page));
        }
    }
    EXPECT_TRUE(boxes.shown.empty());
    form.close();
}

} // namespace
