// Reading a PDF back in tests with poppler's pdfinfo and pdftotext: the
// simplest proof of what a printed document holds.
#pragma once

#include <QSizeF>
#include <QString>

namespace telm::test {

// The number of pages; 0 when the file is not a readable PDF.
int PdfPageCount(const QString& path);

// The first page's size in points (595 × 842 for A4 portrait).
QSizeF PdfPageSize(const QString& path);

// The text of one page (1-based), as pdftotext extracts it.
QString PdfPageText(const QString& path, int page);

} // namespace telm::test
