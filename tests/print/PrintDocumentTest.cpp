// The printed document as a PDF, read back page by page: title block on the
// first page only, the header row on every page, the signature on the last,
// page numbers, landscape, amounts never cut, text that is real text.
#include "print/PrintDocument.h"

#include "grid/GridModel.h"
#include "tests/support/PdfText.h"
#include "tests/support/TestFiles.h"
#include "xmlfiles/Rowset.h"

#include <QFile>
#include <QFont>
#include <QPdfWriter>
#include <QRegularExpression>
#include <QTemporaryDir>

#include <gtest/gtest.h>

namespace telm {
namespace {

// Name, code, a hidden identifier and an amount column; `rows` articles under
// one section.
void bindDocument(GridModel& grid, int rows, const QString& amount = QStringLiteral("1 000"))
{
    Rowset rs;
    rs.fields = {"Name", "Code", "Id", "Sum"};
    rs.levels = 2;
    rs.rows.push_back(RowsetRow{0, true, {QStringLiteral("РАЗДЕЛ"), "1", "1", amount}});
    for (int i = 1; i <= rows; ++i)
        rs.rows.push_back(RowsetRow{1,
                                    false,
                                    {QStringLiteral("Статия%1").arg(i), QString::number(10 + i),
                                     QString::number(100 + i), amount}});
    grid.bind(rs);
    grid.setTextMatrix(0, 0, QStringLiteral("Показатели"));
    grid.setTextMatrix(0, 3, QStringLiteral("Сума"));
    grid.setColWidth(0, 0, 4000);
    grid.setColWidth(1, 0, 900);
    grid.setColWidth(2, 0, 0);
    grid.setColWidth(3, 0, 1500);
    grid.setColAlignment(3, CellAlign::RightCenter);
    grid.setFigureColumn(3, true);
    grid.setRowHeight(0, 600);
    QFont font;
    font.setPointSize(10);
    grid.setGridFont(font);
}

class PrintDocumentTest : public ::testing::Test
{
protected:
    QString pdf(const QString& name) const { return dir.filePath(name); }

    QTemporaryDir dir;
    GridModel grid;
    const PrintTitle title = TitleOf(QStringLiteral("Баланс"), QStringLiteral("Фирма ООД"),
                                     QStringLiteral("12"), QStringLiteral("2006"), false);
};

TEST_F(PrintDocumentTest, AShortDocumentIsOnePageWithEverythingOnIt)
{
    bindDocument(grid, 5);
    ASSERT_FALSE(PrintToPdf(pdf("short.pdf"), grid, title, false, DefaultPageLayout(false)));
    ASSERT_EQ(test::PdfPageCount(pdf("short.pdf")), 1);
    const QString text = test::PdfPageText(pdf("short.pdf"), 1);
    for (const char* expected :
         {"Баланс", "на Фирма ООД", "към 12/2006 година", "Показатели", "Статия1", "Статия5",
          "Съставил:", "Изп.Директор(Управител):", "стр. 1 от 1"})
        EXPECT_TRUE(text.contains(QString::fromUtf8(expected))) << expected;
    EXPECT_FALSE(text.contains(QStringLiteral("Прогнозен документ")));
    EXPECT_FALSE(text.contains(QStringLiteral("101"))); // the hidden identifier column
    const QSizeF size = test::PdfPageSize(pdf("short.pdf"));
    EXPECT_LT(size.width(), size.height()); // portrait A4
    EXPECT_NEAR(size.width(), 595.3, 1);
}

TEST_F(PrintDocumentTest, ALongDocumentRepeatsTheHeaderAndSignsTheLastPage)
{
    bindDocument(grid, 150);
    const PrintTitle forecast = TitleOf(title.title, QStringLiteral("Фирма ООД"),
                                        QStringLiteral("12"), QStringLiteral("2006"), true);
    ASSERT_FALSE(PrintToPdf(pdf("long.pdf"), grid, forecast, false, DefaultPageLayout(false)));
    const int pages = test::PdfPageCount(pdf("long.pdf"));
    ASSERT_GE(pages, 3);
    QString all;
    for (int page = 1; page <= pages; ++page) {
        SCOPED_TRACE(page);
        const QString text = test::PdfPageText(pdf("long.pdf"), page);
        all += text;
        EXPECT_TRUE(text.contains(QStringLiteral("Показатели"))); // the header row
        EXPECT_EQ(text.contains(QStringLiteral("към 12/2006 година")), page == 1);
        EXPECT_EQ(text.contains(QStringLiteral("Прогнозен документ")), page == 1);
        EXPECT_EQ(text.contains(QStringLiteral("Съставил:")), page == pages);
        EXPECT_TRUE(text.contains(QStringLiteral("стр. %1 от %2").arg(page).arg(pages)));
    }
    // Every row once, none lost between pages.
    for (int row = 1; row <= 150; ++row)
        EXPECT_EQ(all.count(QRegularExpression(QStringLiteral("Статия%1\\b").arg(row))), 1) << row;
}

TEST_F(PrintDocumentTest, LandscapeWhenAskedAndPortraitAgainAfterwards)
{
    bindDocument(grid, 5);
    ASSERT_FALSE(PrintToPdf(pdf("wide.pdf"), grid, title, true, DefaultPageLayout(false)));
    const QSizeF size = test::PdfPageSize(pdf("wide.pdf"));
    EXPECT_GT(size.width(), size.height());

    QPdfWriter writer(pdf("writer.pdf"));
    ASSERT_FALSE(PrintDocument(writer, grid, title, true));
    EXPECT_EQ(writer.pageLayout().orientation(), QPageLayout::Portrait);
}

TEST_F(PrintDocumentTest, AnAmountWiderThanItsColumnIsPrintedInFull)
{
    bindDocument(grid, 2, QStringLiteral("123 456 789 012"));
    grid.setColWidth(3, 0, 500);
    ASSERT_FALSE(PrintToPdf(pdf("narrow.pdf"), grid, title, false, DefaultPageLayout(false)));
    const QString text = test::PdfPageText(pdf("narrow.pdf"), 1);
    EXPECT_TRUE(text.contains(QStringLiteral("123 456 789 012"))) << text.toStdString();
    EXPECT_FALSE(text.contains(u'#'));
}

// The longest type title and a long company name are set smaller rather than
// run off the edges of the paper.
TEST_F(PrintDocumentTest, ATitleWiderThanThePageIsSetSmallerToFit)
{
    bindDocument(grid, 2);
    const PrintTitle wide = TitleOf(QStringLiteral("Отчет за паричните потоци по косвения метод"),
                                    QStringLiteral("Първа търговска и производствена компания за "
                                                   "строителство и инженеринг ЕООД"),
                                    QStringLiteral("12"), QStringLiteral("2006"), false);
    ASSERT_FALSE(PrintToPdf(pdf("title.pdf"), grid, wide, false, DefaultPageLayout(false)));
    const double pageWidth = test::PdfPageSize(pdf("title.pdf")).width();
    int seen = 0;
    for (const auto& [word, box] : test::PdfPageWords(pdf("title.pdf"), 1)) {
        SCOPED_TRACE(word.toStdString());
        EXPECT_GE(box.left(), 0.0);
        EXPECT_LE(box.right(), pageWidth);
        seen += word == QStringLiteral("косвения") || word == QStringLiteral("инженеринг");
    }
    EXPECT_EQ(seen, 2);
}

TEST_F(PrintDocumentTest, ABlankFormHasDottedLinesToFillIn)
{
    bindDocument(grid, 2, QString());
    ASSERT_FALSE(PrintToPdf(pdf("blank.pdf"), grid, BlankFormTitle(QStringLiteral("Баланс")), false,
                            DefaultPageLayout(false)));
    const QString text = test::PdfPageText(pdf("blank.pdf"), 1);
    EXPECT_TRUE(text.contains(QStringLiteral("на ........")));
    EXPECT_TRUE(text.contains(QStringLiteral("към ....../.......... година")));
}

TEST_F(PrintDocumentTest, AFileIsReplacedOnlyByACompletePdf)
{
    bindDocument(grid, 2);
    ASSERT_TRUE(test::writeAll(pdf("old.pdf"), "old"));
    ASSERT_FALSE(PrintToPdf(pdf("old.pdf"), grid, title, false, DefaultPageLayout(false)));
    EXPECT_EQ(test::PdfPageCount(pdf("old.pdf")), 1);

    const QString nowhere = dir.filePath(QStringLiteral("missing/out.pdf"));
    EXPECT_TRUE(PrintToPdf(nowhere, grid, title, false, DefaultPageLayout(false)).has_value());
    EXPECT_FALSE(QFile::exists(nowhere));
}

} // namespace
} // namespace telm
