#include "print/PrintDocument.h"

#include "print/OutputPath.h"
#include "print/PaperPainter.h"
#include "print/PdfOutline.h"

#include <QBuffer>
#include <QCoreApplication>
#include <QFont>
#include <QFontMetricsF>
#include <QPageLayout>
#include <QPagedPaintDevice>
#include <QPainter>
#include <QPdfWriter>
#include <QSaveFile>

#include <map>

namespace telm {

namespace {

// Device units of a PDF written here: one per twip, the painter's unit.
constexpr int kPdfResolution = 1440;

PaperPageInput pageInputOf(const QPagedPaintDevice& device, std::optional<bool> landscape)
{
    const QRectF paint = device.pageLayout().paintRect(QPageLayout::Point);
    const bool sideways = device.pageLayout().orientation() == QPageLayout::Landscape;
    PaperPageInput page;
    const int w = static_cast<int>(paint.width() * 20);
    const int h = static_cast<int>(paint.height() * 20);
    page.portraitWidth = sideways ? h : w;
    page.portraitHeight = sideways ? w : h;
    page.landscape = landscape;
    return page;
}

} // namespace

QFont QFontOf(const PaperFont& font)
{
    QFont f;
    f.setPixelSize(static_cast<int>(font.points * 20 + 0.5));
    f.setBold(font.bold);
    f.setItalic(font.italic);
    f.setHintingPreference(QFont::PreferNoHinting);
    return f;
}

const QFontMetricsF& FontMeasure::metricsOf(const PaperFont& font) const
{
    const auto key = std::make_tuple(static_cast<int>(font.points * 20), font.bold, font.italic);
    auto it = m_metrics.find(key);
    if (it == m_metrics.end())
        it = m_metrics.emplace(key, QFontMetricsF(QFontOf(font))).first;
    return it->second;
}

double FontMeasure::width(const QString& text, const PaperFont& font) const
{
    return metricsOf(font).horizontalAdvance(text);
}

double FontMeasure::lineHeight(const PaperFont& font) const
{
    return metricsOf(font).lineSpacing();
}

double FontMeasure::ascent(const PaperFont& font) const
{
    return metricsOf(font).ascent();
}

std::optional<QString> PrintDocument(QPagedPaintDevice& device,
                                     const std::vector<PaperSheet>& sheets,
                                     std::optional<bool> landscape,
                                     const std::function<void()>& abortJob,
                                     std::vector<int>* firstPages)
{
    if (sheets.empty())
        return QStringLiteral("Няма какво да се отпечата.");
    const QPageLayout::Orientation original = device.pageLayout().orientation();
    const PaperPageInput page = pageInputOf(device, landscape);
    const FontMeasure measure;
    std::vector<LaidOut> laid;
    int pages = 0;
    for (const PaperSheet& sheet : sheets) {
        laid.push_back(LayOutPaper(sheet, page, measure));
        if (firstPages)
            firstPages->push_back(pages);
        pages += static_cast<int>(laid.back().pages.size());
    }

    device.setPageOrientation(laid.front().landscape ? QPageLayout::Landscape
                                                     : QPageLayout::Portrait);
    QPainter painter;
    if (!painter.begin(&device)) {
        device.setPageOrientation(original);
        return QStringLiteral("Печатът не може да започне.");
    }
    std::optional<QString> failure;
    PaperPainter paper(painter, measure, device);
    int number = 0;
    for (std::size_t s = 0; s < sheets.size() && !failure; ++s) {
        for (std::size_t p = 0; p < laid[s].pages.size(); ++p) {
            if (number > 0) {
                device.setPageOrientation(laid[s].landscape ? QPageLayout::Landscape
                                                            : QPageLayout::Portrait);
                if (!device.newPage()) {
                    failure = QStringLiteral("Страница %1 не може да започне.").arg(number + 1);
                    break;
                }
            }
            ++number;
            paper.paintPage(sheets[s], laid[s], laid[s].pages[p], number, pages);
        }
    }
    if (failure && abortJob)
        abortJob();
    painter.end();
    device.setPageOrientation(original);
    return failure;
}

QPageLayout DefaultPageLayout(bool landscape)
{
    return QPageLayout(QPageSize(QPageSize::A4),
                       landscape ? QPageLayout::Landscape : QPageLayout::Portrait,
                       QMarginsF(12, 12, 12, 12), QPageLayout::Millimeter);
}

QString PdfTitle(const SheetTitle& title)
{
    return QStringLiteral("%1 – %2 – %3").arg(title.typeTitle, title.company, title.periodLine);
}

std::optional<QString> PrintFiling(const QString& path, const std::vector<PaperSheet>& sheets,
                                   std::optional<bool> landscape, const QStringList& inputs)
{
    if (const std::optional<QString> refused = RefusedOutput(path, inputs))
        return refused;
    if (sheets.empty())
        return QStringLiteral("Няма какво да се отпечата.");
    QBuffer buffer;
    buffer.open(QIODevice::WriteOnly);
    std::optional<QString> failure;
    std::vector<int> firstPages;
    {
        QPdfWriter writer(&buffer);
        writer.setResolution(kPdfResolution);
        writer.setPageLayout(DefaultPageLayout(false));
        writer.setTitle(PdfTitle(sheets.front().title));
        writer.setCreator(QStringLiteral("TELM Transfer ")
                          + QCoreApplication::applicationVersion());
        failure = PrintDocument(writer, sheets, landscape, {}, &firstPages);
    }
    if (failure)
        return failure;

    PdfInfo info;
    const SheetTitle& first = sheets.front().title;
    info.title = PdfTitle(first);
    info.author = first.company;
    info.subject = QStringLiteral("БУЛСТАТ ") + first.bulstat;
    info.creator = QStringLiteral("TELM Transfer ") + QCoreApplication::applicationVersion();
    for (std::size_t s = 0; s < sheets.size(); ++s)
        info.bookmarks.push_back({sheets[s].title.typeTitle, firstPages[s]});
    const QByteArray bytes = AmendPdf(buffer.data(), info);

    QSaveFile file(path);
    if (!file.open(QIODevice::WriteOnly))
        return file.errorString();
    if (file.write(bytes) != bytes.size()) {
        file.cancelWriting();
        return file.errorString();
    }
    if (!file.commit())
        return file.errorString();
    return std::nullopt;
}

} // namespace telm
