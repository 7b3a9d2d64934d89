#include "print/PaperPainter.h"

#include "print/PrintDocument.h"

#include <QLineF>
#include <QPaintDevice>
#include <QPainter>

#include <vector>

namespace telm {

namespace {

const QColor kRuleColour{128, 128, 128};
const QColor kHeaderShade{232, 232, 232};
const QPen kTextPen{Qt::black};

QPen rulePen()
{
    QPen pen(kRuleColour, Paper::kRule);
    pen.setCapStyle(Qt::FlatCap);
    return pen;
}

QPen signaturePen()
{
    QPen pen(Qt::black, Paper::kRule);
    pen.setCapStyle(Qt::FlatCap);
    return pen;
}

bool sameFont(const PaperFont& a, const PaperFont& b)
{
    return a.points == b.points && a.bold == b.bold && a.italic == b.italic;
}

} // namespace

PaperPainter::PaperPainter(QPainter& painter, const PaperMeasure& measure,
                           const QPaintDevice& device)
    : m_painter(painter), m_measure(measure)
{
    m_painter.scale(device.logicalDpiX() / 1440.0, device.logicalDpiY() / 1440.0);
    m_painter.setBrush(Qt::NoBrush);
}

void PaperPainter::useFont(const PaperFont& font)
{
    if (m_font && sameFont(*m_font, font))
        return;
    m_painter.setFont(QFontOf(font));
    m_font = font;
}

void PaperPainter::usePen(const QPen& pen)
{
    if (m_pen && *m_pen == pen)
        return;
    m_painter.setPen(pen);
    m_pen = pen;
}

void PaperPainter::text(const QString& line, double x, double top, const PaperFont& font,
                        double scale)
{
    useFont(font);
    usePen(kTextPen);
    const double baseline = top + m_measure.ascent(font);
    if (scale >= 1) {
        m_painter.drawText(QPointF(x, baseline), line);
        return;
    }
    const QTransform before = m_painter.transform();
    m_painter.translate(x, baseline);
    m_painter.scale(scale, 1);
    m_painter.drawText(QPointF(0, 0), line);
    m_painter.setTransform(before);
}

void PaperPainter::centred(const QString& line, int width, double top, const PaperFont& font)
{
    text(line, (width - m_measure.width(line, font)) / 2, top, font);
}

void PaperPainter::paintPage(const PaperSheet& sheet, const LaidOut& laid, const LaidPage& page,
                             int number, int pages)
{
    if (page.titleBlock)
        titleBlock(sheet, laid, page);
    else
        runningHeader(sheet, laid);
    const int bottom = table(sheet, laid, page);
    if (page.signatureTop)
        signature(sheet, laid, std::max(bottom, *page.signatureTop));
    const PaperFont small{Paper::kSmallPoints, false, false};
    centred(QStringLiteral("стр. %1 от %2").arg(number).arg(pages), laid.pageWidth,
            laid.pageHeight - m_measure.lineHeight(small), small);
}

void PaperPainter::titleBlock(const PaperSheet& sheet, const LaidOut& laid, const LaidPage& page)
{
    const SheetTitle& t = sheet.title;
    const PaperFont title{Paper::kTitlePoints, true, false};
    const PaperFont bold{Paper::kTitleBlockPoints, true, false};
    const PaperFont plain{Paper::kTitleBlockPoints, false, false};
    const PaperFont small{Paper::kSmallPoints, false, false};
    double y = 0;
    for (const QString& line : WrapWords(t.typeTitle, laid.pageWidth, title, m_measure)) {
        centred(line, laid.pageWidth, y, title);
        y += m_measure.lineHeight(title);
    }
    y += 0.3 * m_measure.lineHeight(plain);
    centred(t.company.isEmpty() ? QStringLiteral("Предприятие: ") + DottedLine(50) : t.company,
            laid.pageWidth, y, bold);
    y += m_measure.lineHeight(bold);
    centred(QStringLiteral("БУЛСТАТ ") + (t.bulstat.isEmpty() ? DottedLine(20) : t.bulstat),
            laid.pageWidth, y, plain);
    y += m_measure.lineHeight(plain);
    centred(t.periodLine, laid.pageWidth, y, plain);
    y += m_measure.lineHeight(plain);
    if (t.forecast)
        centred(QStringLiteral("Прогнозен документ"), laid.pageWidth, y, plain);
    const double unitTop = page.tableTop - 1.2 * m_measure.lineHeight(small);
    text(t.unitLine, laid.tableRight() - m_measure.width(t.unitLine, small), unitTop, small);
}

void PaperPainter::runningHeader(const PaperSheet& sheet, const LaidOut& laid)
{
    const PaperFont small{Paper::kSmallPoints, false, false};
    const QString unit = sheet.title.unitLine;
    const double unitWidth = m_measure.width(unit, small);
    QString line = RunningHeader(sheet.title);
    // A long company name gives way before the unit.
    const QStringList wrapped =
        WrapWords(line, laid.tableRight() - laid.tableLeft() - unitWidth - 200, small, m_measure);
    text(wrapped.isEmpty() ? QString() : wrapped.front(), laid.tableLeft(), 0, small);
    text(unit, laid.tableRight() - unitWidth, 0, small);
}

// The header row and the page's rows; returns the foot of the table.
int PaperPainter::table(const PaperSheet& sheet, const LaidOut& laid, const LaidPage& page)
{
    const int left = laid.tableLeft();
    const int right = laid.tableRight();
    const int top = page.tableTop;
    const int headerHeight = laid.headerRow.height;
    m_painter.fillRect(QRect(left, top, right - left, headerHeight), kHeaderShade);

    std::vector<QLineF> rules;
    rules.emplace_back(left, top, right, top);
    const double headerLine = m_measure.lineHeight(laid.header);
    const int cols = static_cast<int>(sheet.columns.size());
    for (int col = 0; col < cols; ++col) {
        const auto& lines = laid.headerRow.cells[col];
        const double block = lines.size() * headerLine;
        double y = top + (headerHeight - block) / 2;
        for (const PaperLine& line : lines) {
            text(line.text, line.x, y, laid.header);
            y += headerLine;
        }
    }
    int y = top + headerHeight;
    rules.emplace_back(left, y, right, y);
    for (int i = page.firstRow; i < page.firstRow + page.rowCount; ++i) {
        const LaidRow& row = laid.rows[i];
        const PaperRow& source = sheet.rows[row.row];
        const PaperFont font = RowFont(source, laid.body.points);
        const double lineHeight = m_measure.lineHeight(font);
        std::size_t tallest = 1;
        for (const auto& cell : row.cells)
            tallest = std::max(tallest, cell.size());
        for (int col = 0; col < cols; ++col) {
            const auto& lines = row.cells[col];
            const PaperColumnKind kind = sheet.columns[col].kind;
            // Amounts stand on the title's last line.
            double lineTop =
                y + Paper::kCellPadY
                + (kind == PaperColumnKind::Title ? 0.0 : (tallest - lines.size()) * lineHeight);
            const double scale = kind == PaperColumnKind::Amount ? laid.scale : 1.0;
            for (const PaperLine& line : lines) {
                text(line.text, line.x, lineTop, font, scale);
                lineTop += lineHeight;
            }
        }
        y += row.height;
        rules.emplace_back(left, y, right, y);
    }
    for (int col = 0; col <= cols; ++col)
        if (col == cols || laid.columnShown[col])
            rules.emplace_back(laid.columnLeft[col], top, laid.columnLeft[col], y);
    usePen(rulePen());
    m_painter.drawLines(rules.data(), static_cast<int>(rules.size()));
    return y;
}

void PaperPainter::signature(const PaperSheet& sheet, const LaidOut& laid, int top)
{
    const SheetTitle& t = sheet.title;
    const PaperFont plain{Paper::kTitleBlockPoints, false, false};
    const PaperFont small{Paper::kSmallPoints, false, false};
    const double line = m_measure.lineHeight(plain);
    const int left = laid.tableLeft();
    double y = top + 0.8 * line;
    const QString date = QStringLiteral("Дата на съставяне: ")
                         + (t.compiledOn.isEmpty() ? DottedLine(20) : t.compiledOn);
    text(date, left, y, plain);
    y += 2.5 * line;

    const int half = (laid.tableRight() - left) / 2;
    const struct
    {
        QString label;
        QString name;
        int x;
    } signers[] = {{QStringLiteral("Съставил:"), t.compiler, left},
                   {QStringLiteral("Изп.Директор(Управител):"), t.manager, left + half}};
    std::vector<QLineF> rules;
    for (const auto& s : signers) {
        text(s.label, s.x, y, plain);
        const double from = s.x + m_measure.width(s.label, plain) + 100;
        const double to = std::min<double>(from + Paper::kSignatureRule,
                                           s.x == left ? left + half - 300 : laid.tableRight());
        const double ruleY = y + m_measure.ascent(plain);
        rules.emplace_back(from, ruleY, to, ruleY);
        QString name = s.name;
        if (name.isEmpty() && t.blank)
            name = QStringLiteral("(") + DottedLine(30) + u')';
        if (!name.isEmpty())
            text(name, (from + to - m_measure.width(name, small)) / 2, ruleY + 40, small);
    }
    usePen(signaturePen());
    m_painter.drawLines(rules.data(), static_cast<int>(rules.size()));
}

} // namespace telm
