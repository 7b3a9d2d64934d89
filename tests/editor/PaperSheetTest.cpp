// Every document type on paper at its widest: every amount cell of every row
// an eleven-digit negative amount, printed to PDF and read back. Nothing is
// cut (every amount is there whole), no two words overlap, nothing runs off
// the page, and no text is set narrower than 0.8; and what paper takes from a
// document: its visible columns, the unit, the blank form.
#include "editor/DocumentEngine.h"
#include "editor/FormLayout.h"
#include "editor/FormProfile.h"
#include "editor/PaperSheetOf.h"
#include "print/PrintDocument.h"
#include "selection/Catalogue.h"
#include "selection/DataFileName.h"
#include "selection/DocumentContext.h"
#include "tests/support/PdfText.h"
#include "tests/support/TestFiles.h"

#include <QPageLayout>
#include <QRegularExpression>
#include <QTemporaryDir>

#include <gtest/gtest.h>

using namespace telm;

namespace {

const QString kWidest = QStringLiteral("(99 999 999 999)");

class PaperOfEveryType : public ::testing::TestWithParam<int>
{
protected:
    void SetUp() override
    {
        ASSERT_TRUE(test::makeProgramFolder(dir.path()));
        state.FilePrefix = QStringLiteral("VELDOR");
        state.programFolder = dir.path();
        state.company = {QStringLiteral("Първа търговска и производствена компания ЕООД"),
                         QStringLiteral("123456786")};
        state.period = {QStringLiteral("12"), 2025};
        state.docType.Name = type().titleText();
        engine = std::make_unique<DocumentEngine>(
            state,
            DocumentInContext(state, type(), 0, TemplatePath(state.programFolder, type()), false),
            DocumentEngine::Access::ReadOnly);
        ASSERT_FALSE(engine->load());
        ApplyLoadLayout(engine->profile(), engine->maxLevel(), engine->grid(), 10000);
    }

    const DocType& type() const { return *DocTypeAt(GetParam()); }

    // The amount columns paper shows.
    std::vector<int> amountColumns() const
    {
        std::vector<int> columns;
        for (const ResizeWidth& w : engine->profile().resizeWidths)
            if (w.column != 0 && w.column != engine->profile().codeColumn)
                columns.push_back(w.column);
        return columns;
    }

    QTemporaryDir dir;
    AppState state;
    std::unique_ptr<DocumentEngine> engine;
};

TEST_P(PaperOfEveryType, AtItsWidestNothingIsCutOverlappingOrSqueezed)
{
    SCOPED_TRACE(type().code);
    GridModel& grid = engine->grid();
    const std::vector<int> columns = amountColumns();
    for (int row = 1; row < grid.Rows(); ++row)
        for (int col : columns)
            grid.setTextMatrix(row, col, kWidest);
    const PaperSheet sheet = PaperSheetOf(*engine, PaperOptions{});
    ASSERT_EQ(static_cast<int>(sheet.columns.size()), static_cast<int>(columns.size()) + 2);

    const QPageLayout a4 = DefaultPageLayout(false);
    PaperPageInput page;
    page.portraitWidth = static_cast<int>(a4.paintRect(QPageLayout::Point).width() * 20);
    page.portraitHeight = static_cast<int>(a4.paintRect(QPageLayout::Point).height() * 20);
    const LaidOut laid = LayOutPaper(sheet, page, FontMeasure());
    EXPECT_FALSE(laid.columnShown[1]); // the code column: no row has a code
    EXPECT_GE(laid.scale, Paper::kLeastScale);
    EXPECT_GE(laid.body.points, Paper::kSmallestPoints);
    // Sideways only when the form asks for it or its columns do not fit upright.
    if (engine->profile().landscape) {
        EXPECT_TRUE(laid.landscape);
    } else if (laid.landscape) {
        PaperPageInput upright = page;
        upright.landscape = false;
        const LaidOut portrait = LayOutPaper(sheet, upright, FontMeasure());
        EXPECT_TRUE(portrait.body.points < Paper::kBodyPoints || portrait.scale < 1);
    }

    const QString pdf = dir.filePath(QStringLiteral("widest.pdf"));
    ASSERT_FALSE(PrintFiling(pdf, {sheet}));
    const int pages = test::PdfPageCount(pdf);
    ASSERT_EQ(pages, static_cast<int>(laid.pages.size()));
    const QSizeF size = test::PdfPageSize(pdf);
    int whole = 0;
    for (int p = 1; p <= pages; ++p) {
        SCOPED_TRACE(p);
        const QStringList overlaps = test::PdfOverlappingWords(pdf, p);
        EXPECT_TRUE(overlaps.isEmpty()) << overlaps.join(u'\n').toStdString();
        for (const auto& [word, box] : test::PdfPageWords(pdf, p)) {
            EXPECT_GE(box.left(), 0.0) << word.toStdString();
            EXPECT_LE(box.right(), size.width()) << word.toStdString();
        }
        whole += test::PdfPageText(pdf, p).count(QStringLiteral("(99 999 999 999)"));
    }
    EXPECT_EQ(whole, (grid.Rows() - 1) * static_cast<int>(columns.size()));
}

INSTANTIATE_TEST_SUITE_P(Types, PaperOfEveryType, ::testing::Range(0, kDocTypeCount),
                         [](const ::testing::TestParamInfo<int>& info) {
                             return std::string(DocTypeAt(info.param)->code);
                         });

TEST_P(PaperOfEveryType, ABlankFormHasNoAmountsAndThousandsAreRounded)
{
    GridModel& grid = engine->grid();
    const int col = amountColumns().front();
    grid.setTextMatrix(1, col, QStringLiteral("1 234 500"));
    const PaperSheet thousands = PaperSheetOf(*engine, PaperOptions{.unit = PaperUnit::Thousands});
    EXPECT_EQ(thousands.rows[0].cells[2], QStringLiteral("1\u00A0235"));
    EXPECT_EQ(thousands.title.unitLine, QStringLiteral("(в хиляди лева)"));

    PaperOptions blank;
    blank.blank = true;
    const PaperSheet form = PaperSheetOf(*engine, blank);
    EXPECT_TRUE(form.title.company.isEmpty());
    EXPECT_TRUE(form.title.periodLine.contains(QStringLiteral("....")));
    for (const PaperRow& row : form.rows)
        for (int i = 1; i < row.cells.size(); ++i)
            EXPECT_TRUE(row.cells[i].isEmpty()) << row.cells[i].toStdString();
}

} // namespace
