// Paints one laid-out page: the title block or the running header, the header
// row shaded with black text, the rows with thin grey rules, the signature
// block and the page number. Pen, brush and font are set only when they
// change, and nothing is clipped (nothing needs to be), so a PDF stays small.
#pragma once

#include "print/PaperLayout.h"

#include <QColor>
#include <QFont>
#include <QPen>

#include <optional>

class QPaintDevice;
class QPainter;

namespace telm {

class PaperPainter
{
public:
    // Paints in twips on `device`, whatever its resolution.
    PaperPainter(QPainter& painter, const PaperMeasure& measure, const QPaintDevice& device);

    void paintPage(const PaperSheet& sheet, const LaidOut& laid, const LaidPage& page, int number,
                   int pages);

private:
    void titleBlock(const PaperSheet& sheet, const LaidOut& laid, const LaidPage& page);
    void runningHeader(const PaperSheet& sheet, const LaidOut& laid);
    int table(const PaperSheet& sheet, const LaidOut& laid, const LaidPage& page);
    void signature(const PaperSheet& sheet, const LaidOut& laid, int top);
    void text(const QString& text, double x, double top, const PaperFont& font, double scale = 1);
    void centred(const QString& text, int width, double top, const PaperFont& font);
    void useFont(const PaperFont& font);
    void usePen(const QPen& pen);

    QPainter& m_painter;
    const PaperMeasure& m_measure;
    std::optional<PaperFont> m_font;
    std::optional<QPen> m_pen;
};

} // namespace telm
