// The printed document: statements laid out for paper (PaperLayout) and
// painted onto any paged device: a printer, a PDF writer, a test's recorder.
// Text stays text, so a PDF can be searched and copied. Several statements of
// one filing go into one document, each from a new page, the page numbers
// running through the whole of it.
#pragma once

#include "print/PaperLayout.h"
#include "print/PaperSheet.h"

#include <QFontMetricsF>
#include <QString>

#include <functional>
#include <map>
#include <optional>
#include <tuple>
#include <vector>

class QPagedPaintDevice;
class QPageLayout;

namespace telm {

// Measures text as it is painted: fonts sized in twips, the painter's unit.
class FontMeasure : public PaperMeasure
{
public:
    double width(const QString& text, const PaperFont& font) const override;
    double lineHeight(const PaperFont& font) const override;
    double ascent(const PaperFont& font) const override;

private:
    const QFontMetricsF& metricsOf(const PaperFont& font) const;
    mutable std::map<std::tuple<int, bool, bool>, QFontMetricsF> m_metrics;
};

QFont QFontOf(const PaperFont& font);

// Each sheet laid out for the device's page (its orientation decided by fit
// unless `landscape` forces one) and painted. Returns why it could not print;
// a job that fails half way is handed to `abortJob` before it ends.
// `firstPages`, when given, gets each sheet's first page (0-based).
std::optional<QString> PrintDocument(QPagedPaintDevice& device,
                                     const std::vector<PaperSheet>& sheets,
                                     std::optional<bool> landscape = std::nullopt,
                                     const std::function<void()>& abortJob = {},
                                     std::vector<int>* firstPages = nullptr);

// The filing as one PDF at `path`: the statements in the order given (sort
// them by FilingRank), each from a new page, page numbers through the whole PDF, one
// bookmark per statement, the title, author and subject of the first. Written
// whole or not at all: a file already there is replaced only once the new one
// is complete, and only when it is an ordinary file (RefusedOutput).
std::optional<QString> PrintFiling(const QString& path, const std::vector<PaperSheet>& sheets,
                                   std::optional<bool> landscape = std::nullopt,
                                   const QStringList& inputs = {});

// A4 with 12 mm margins, in the orientation asked for.
QPageLayout DefaultPageLayout(bool landscape);

// The PDF's title: "<type> – <company> – <period>".
QString PdfTitle(const SheetTitle& title);

} // namespace telm
