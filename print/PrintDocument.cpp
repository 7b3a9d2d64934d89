#include "print/PrintDocument.h"

#include "grid/GridGeometry.h"
#include "grid/GridModel.h"
#include "grid/GridPainter.h"
#include "print/PagePlan.h"

#include <QFont>
#include <QFontMetrics>
#include <QPageLayout>
#include <QPagedPaintDevice>
#include <QPainter>
#include <QPdfWriter>
#include <QSaveFile>

namespace telm {

namespace {

constexpr int kTitlePoints = 24;
constexpr int kTextPoints = 16;
constexpr int kFootPoints = 8;
constexpr int kSmallestPoints = 6;
// Device units of a PDF written here: one per twip, the unit of the rules.
constexpr int kPdfResolution = 1440;

QFont fontOf(int points)
{
    QFont font;
    font.setPointSize(points);
    return font;
}

class DocumentPainter
{
public:
    DocumentPainter(QPagedPaintDevice& device, QPainter& painter, const GridModel& grid)
        : m_device(device), m_painter(painter), m_grid(grid)
    {
        m_geometry.update(&grid, device.logicalDpiX(), device.logicalDpiY());
    }

    PagePlanInput planInput(const PrintTitle& title, bool landscape) const;
    std::optional<QString> paint(const PagePlan& plan, const PrintTitle& title);

private:
    void centred(const QString& text, int points, int top);
    void strip(const PagePlan& plan, const PlannedStrip& strip);

    QPagedPaintDevice& m_device;
    QPainter& m_painter;
    const GridModel& m_grid;
    GridGeometry m_geometry;
};

PagePlanInput DocumentPainter::planInput(const PrintTitle& title, bool landscape) const
{
    PagePlanInput in;
    in.pageWidth = m_device.width();
    in.pageHeight = m_device.height();
    in.landscape = landscape;
    for (int col = 0; col < m_geometry.columnCount(); ++col)
        in.columnWidths.push_back(m_geometry.colWidth(col));
    in.headerHeight = m_geometry.headerHeight();
    for (int i = 0; i < m_geometry.shownCount(); ++i)
        in.rowHeights.push_back(m_geometry.rowHeightAt(i));
    in.titleLineHeight = QFontMetrics(fontOf(kTitlePoints), &m_device).height();
    in.textLineHeight = QFontMetrics(fontOf(kTextPoints), &m_device).height();
    in.forecastLine = title.forecast;
    in.footHeight = QFontMetrics(fontOf(kFootPoints), &m_device).height();
    return in;
}

// A line centred on the page. A line wider than the page (a long title or
// company name) is set in a smaller size until it fits, never cut at the edges.
void DocumentPainter::centred(const QString& text, int points, int top)
{
    QFont font = fontOf(points);
    m_painter.setFont(font);
    for (int size = points;
         size > kSmallestPoints
         && m_painter.fontMetrics().horizontalAdvance(text) > m_device.width();) {
        font.setPointSize(--size);
        m_painter.setFont(font);
    }
    m_painter.setPen(Qt::black);
    const int height = m_painter.fontMetrics().height();
    m_painter.drawText(QRect(0, top, m_device.width(), height), Qt::AlignHCenter | Qt::AlignTop,
                       text);
}

// A strip keeps its rows' heights and is spread across the printed grid width.
void DocumentPainter::strip(const PagePlan& plan, const PlannedStrip& strip)
{
    if (strip.height <= 0 || plan.sourceWidth <= 0)
        return;
    m_painter.save();
    m_painter.translate(plan.gridLeft, strip.top);
    m_painter.scale(double(plan.gridWidth) / plan.sourceWidth, 1.0);
    PaintGridPart(m_painter, m_grid, m_geometry,
                  QRect(0, strip.sourceTop, plan.sourceWidth, strip.height), FigureFit::Condense);
    m_painter.restore();
}

std::optional<QString> DocumentPainter::paint(const PagePlan& plan, const PrintTitle& title)
{
    const int pages = static_cast<int>(plan.pages.size());
    for (int i = 0; i < pages; ++i) {
        const PlannedPage& page = plan.pages[i];
        // A new page only before another: never an empty last page.
        if (i > 0 && !m_device.newPage())
            return QStringLiteral("Страница %1 не може да започне.").arg(i + 1);
        if (!page.titleTops.empty()) {
            const QString lines[] = {title.title, title.companyLine, title.periodLine,
                                     QStringLiteral("Прогнозен документ")};
            for (std::size_t line = 0; line < page.titleTops.size() && line < 4; ++line)
                centred(lines[line], line == 0 ? kTitlePoints : kTextPoints, page.titleTops[line]);
        }
        if (page.header)
            strip(plan, *page.header);
        strip(plan, page.body);
        if (page.signatureTop)
            centred(SignatureLine(), kTextPoints, *page.signatureTop);
        centred(QStringLiteral("стр. %1 от %2").arg(i + 1).arg(pages), kFootPoints, page.footTop);
    }
    return std::nullopt;
}

} // namespace

QString SignatureLine()
{
    return QStringLiteral("Съставил:") + QString(14, u' ')
           + QStringLiteral("Изп.Директор(Управител):");
}

std::optional<QString> PrintDocument(QPagedPaintDevice& device, const GridModel& grid,
                                     const PrintTitle& title, bool landscape,
                                     const std::function<void()>& abortJob)
{
    if (landscape)
        device.setPageOrientation(QPageLayout::Landscape);
    std::optional<QString> failure;
    QPainter painter;
    if (!painter.begin(&device)) {
        failure = QStringLiteral("Печатът не може да започне.");
    } else {
        DocumentPainter document(device, painter, grid);
        const PagePlan plan = PlanPages(document.planInput(title, landscape));
        failure = document.paint(plan, title);
        if (failure && abortJob)
            abortJob();
        painter.end();
    }
    device.setPageOrientation(QPageLayout::Portrait);
    return failure;
}

QPageLayout DefaultPageLayout(bool landscape)
{
    return QPageLayout(QPageSize(QPageSize::A4),
                       landscape ? QPageLayout::Landscape : QPageLayout::Portrait,
                       QMarginsF(10, 10, 10, 10), QPageLayout::Millimeter);
}

std::optional<QString> PrintToPdf(const QString& path, const GridModel& grid,
                                  const PrintTitle& title, bool landscape,
                                  const QPageLayout& layout)
{
    QSaveFile file(path);
    if (!file.open(QIODevice::WriteOnly))
        return file.errorString();
    std::optional<QString> failure;
    {
        QPdfWriter writer(&file);
        writer.setResolution(kPdfResolution);
        writer.setPageLayout(layout);
        writer.setTitle(title.title);
        writer.setCreator(QStringLiteral("TELM Transfer"));
        failure = PrintDocument(writer, grid, title,
                                landscape || layout.orientation() == QPageLayout::Landscape);
    }
    if (!failure && file.error() != QFileDevice::NoError)
        failure = file.errorString();
    if (failure) {
        file.cancelWriting();
        return failure;
    }
    if (!file.commit())
        return file.errorString();
    return std::nullopt;
}

} // namespace telm
