// The printed document as a PDF, read back page by page: the title block on
// the first page, a running header on the others, the header row on every
// page, the signature block with the last rows, page numbers through a
// filing, bookmarks and the document's properties, no two words overlapping,
// and where a PDF may be written.
#include "print/PrintDocument.h"

#include "print/OutputPath.h"
#include "tests/support/PdfText.h"
#include "tests/support/TestFiles.h"

#include <QDir>
#include <QFile>
#include <QRegularExpression>
#include <QTemporaryDir>

#include <sys/stat.h>

#include <gtest/gtest.h>

namespace telm {
namespace {

PaperSheet sheet(int rows, const QString& type = QStringLiteral("Баланс"),
                 const QString& amount = QStringLiteral("232 862 229"))
{
    PaperSheet s;
    s.title.typeTitle = type;
    s.title.company = QStringLiteral("Фирма ООД");
    s.title.bulstat = QStringLiteral("123456786");
    s.title.periodLine = PeriodLine(true, 12, 2025);
    s.title.unitLine = UnitLine(PaperUnit::Leva);
    s.title.compiledOn = QStringLiteral("15.02.2026");
    s.title.compiler = QStringLiteral("Мария Иванова");
    s.columns = {{QStringLiteral("Раздели, групи, статии"), PaperColumnKind::Title},
                 {QStringLiteral("Код на реда"), PaperColumnKind::Code},
                 {QStringLiteral("Текуща година"), PaperColumnKind::Amount},
                 {QStringLiteral("Предходна година"), PaperColumnKind::Amount}};
    s.rows.push_back({0, true, true, {QStringLiteral("РАЗДЕЛ"), QString(), amount, amount}});
    for (int i = 1; i <= rows; ++i)
        s.rows.push_back({1,
                          false,
                          false,
                          {QStringLiteral("Статия%1 с дълго име, което на хартия се пренася на "
                                          "втори ред, когато колоната е тясна")
                               .arg(i),
                           QString(), amount, QStringLiteral("(1 500)")}});
    return s;
}

class PrintDocumentTest : public ::testing::Test
{
protected:
    QString pdf(const QString& name) const { return dir.filePath(name); }
    QTemporaryDir dir;
};

TEST_F(PrintDocumentTest, AShortStatementIsOnePageWithTitleBlockAndSignature)
{
    ASSERT_FALSE(PrintFiling(pdf("short.pdf"), {sheet(5)}));
    ASSERT_EQ(test::PdfPageCount(pdf("short.pdf")), 1);
    const QString text = test::PdfPageText(pdf("short.pdf"), 1).simplified();
    for (const char* expected :
         {"Баланс", "Фирма ООД", "БУЛСТАТ 123456786", "към 31.12.2025 г.", "(в лева)",
          "Раздели, групи, статии", "Текуща", "Предходна", "Статия5", "232 862 229",
          "Дата на съставяне: 15.02.2026", "Съставил:", "Изп.Директор(Управител):", "Мария Иванова",
          "стр. 1 от 1"})
        EXPECT_TRUE(text.contains(QString::fromUtf8(expected))) << expected << "\n"
                                                                << text.toStdString();
    EXPECT_FALSE(text.contains(QStringLiteral("Код на реда"))); // no row has a code
    EXPECT_TRUE(test::PdfOverlappingWords(pdf("short.pdf"), 1).isEmpty())
        << test::PdfOverlappingWords(pdf("short.pdf"), 1).join(u'\n').toStdString();
    const QSizeF size = test::PdfPageSize(pdf("short.pdf"));
    EXPECT_LT(size.width(), size.height());
}

TEST_F(PrintDocumentTest, ALongStatementRepeatsTheHeaderAndCarriesARunningHeader)
{
    ASSERT_FALSE(PrintFiling(pdf("long.pdf"), {sheet(90)}));
    const int pages = test::PdfPageCount(pdf("long.pdf"));
    ASSERT_GE(pages, 3);
    QString all;
    for (int page = 1; page <= pages; ++page) {
        SCOPED_TRACE(page);
        const QString text = test::PdfPageText(pdf("long.pdf"), page).simplified();
        all += text;
        EXPECT_TRUE(text.contains(QStringLiteral("Предходна"))); // the header row
        EXPECT_TRUE(text.contains(QStringLiteral("Фирма ООД")));
        EXPECT_TRUE(text.contains(QStringLiteral("123456786")));
        EXPECT_TRUE(text.contains(QStringLiteral("към 31.12.2025 г.")));
        EXPECT_TRUE(text.contains(QStringLiteral("(в лева)")));
        EXPECT_EQ(text.contains(QStringLiteral("Съставил:")), page == pages);
        EXPECT_TRUE(text.contains(QStringLiteral("стр. %1 от %2").arg(page).arg(pages)));
        EXPECT_TRUE(test::PdfOverlappingWords(pdf("long.pdf"), page).isEmpty());
    }
    for (int row = 1; row <= 90; ++row)
        EXPECT_EQ(all.count(QRegularExpression(QStringLiteral("Статия%1\\b").arg(row))), 1) << row;
}

TEST_F(PrintDocumentTest, AFilingNumbersItsPagesThroughAndHasABookmarkPerStatement)
{
    const std::vector<PaperSheet> filing{
        sheet(60), sheet(5, QStringLiteral("Отчет за приходите и разходите"))};
    ASSERT_FALSE(PrintFiling(pdf("filing.pdf"), filing));
    const int pages = test::PdfPageCount(pdf("filing.pdf"));
    ASSERT_GE(pages, 3);
    const QString last = test::PdfPageText(pdf("filing.pdf"), pages).simplified();
    EXPECT_TRUE(last.contains(QStringLiteral("стр. %1 от %1").arg(pages)));
    EXPECT_TRUE(last.contains(QStringLiteral("Отчет за приходите и разходите")));
    const QString info = test::PdfInfoText(pdf("filing.pdf"));
    EXPECT_TRUE(info.contains(QStringLiteral("Баланс – Фирма ООД – към 31.12.2025 г.")))
        << info.toStdString();
    EXPECT_TRUE(info.contains(QStringLiteral("Фирма ООД")));
    EXPECT_TRUE(info.contains(QStringLiteral("БУЛСТАТ 123456786")));
    const QByteArray bytes = test::readAll(pdf("filing.pdf"));
    EXPECT_TRUE(bytes.contains("/Outlines"));
    EXPECT_EQ(bytes.count("/Parent"), 2 + pages); // two bookmarks, and each page's parent
}

TEST_F(PrintDocumentTest, ABlankFormHasDottedLines)
{
    PaperSheet blank = sheet(3, QStringLiteral("Баланс"), QString());
    blank.title.company.clear();
    blank.title.bulstat.clear();
    blank.title.compiledOn.clear();
    blank.title.compiler.clear();
    blank.title.periodLine = BlankPeriodLine(true);
    blank.title.blank = true;
    for (PaperRow& row : blank.rows)
        row.cells[3].clear();
    ASSERT_FALSE(PrintFiling(pdf("blank.pdf"), {blank}));
    const QString text = test::PdfPageText(pdf("blank.pdf"), 1);
    EXPECT_FALSE(text.contains(QRegularExpression(QStringLiteral("\\d{3}"))));
    EXPECT_TRUE(text.contains(QStringLiteral("БУЛСТАТ ....")));
    EXPECT_TRUE(text.contains(QStringLiteral("Дата на съставяне: ....")));
    EXPECT_TRUE(text.contains(QStringLiteral("към ....")));
}

TEST_F(PrintDocumentTest, APdfIsWrittenOnlyOverAnOrdinaryFileAndWhole)
{
    ASSERT_TRUE(test::writeAll(pdf("old.pdf"), "old"));
    ASSERT_FALSE(PrintFiling(pdf("old.pdf"), {sheet(2)}));
    EXPECT_EQ(test::PdfPageCount(pdf("old.pdf")), 1);

    ASSERT_TRUE(test::writeAll(pdf("data.xml"), "<?xml version=\"1.0\"?><xml/>"));
    ASSERT_TRUE(test::writeAll(pdf("input.pdf"), "in"));
    ASSERT_TRUE(QFile::link(pdf("old.pdf"), pdf("link.pdf")));
    ASSERT_TRUE(QDir(dir.path()).mkdir(QStringLiteral("folder.pdf")));
    ASSERT_EQ(::mkfifo(QFile::encodeName(pdf("fifo.pdf")).constData(), 0600), 0);
    const struct
    {
        const char* name;
        const char* why;
    } refused[] = {
        {"data.xml", "файл с данни"}, {"input.pdf", "отпечатва"},     {"link.pdf", "връзка"},
        {"folder.pdf", "папка"},      {"fifo.pdf", "обикновен файл"},
    };
    for (const auto& r : refused) {
        SCOPED_TRACE(r.name);
        const QString path = pdf(QString::fromUtf8(r.name));
        const std::optional<QString> why =
            PrintFiling(path, {sheet(2)}, std::nullopt, {pdf("input.pdf")});
        ASSERT_TRUE(why.has_value());
        EXPECT_TRUE(why->contains(QString::fromUtf8(r.why))) << why->toStdString();
    }
    EXPECT_EQ(test::readAll(pdf("data.xml")), QByteArray("<?xml version=\"1.0\"?><xml/>"));
    EXPECT_EQ(test::readAll(pdf("input.pdf")), QByteArray("in"));
    EXPECT_EQ(test::PdfPageCount(pdf("old.pdf")), 1);
    EXPECT_EQ(QDir(dir.path()).entryList(QDir::Files | QDir::System).size(), 5); // nothing new

    const QString nowhere = dir.filePath(QStringLiteral("missing/out.pdf"));
    EXPECT_TRUE(PrintFiling(nowhere, {sheet(2)}).has_value());
    EXPECT_FALSE(QFile::exists(nowhere));
}

} // namespace
} // namespace telm
