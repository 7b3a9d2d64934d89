// Reading a PDF back in tests with poppler's pdfinfo and pdftotext: the
// simplest proof of what a printed document holds.
#pragma once

#include <QRectF>
#include <QSizeF>
#include <QString>
#include <QStringList>

#include <utility>
#include <vector>

namespace telm::test {

// The number of pages; 0 when the file is not a readable PDF.
int PdfPageCount(const QString& path);

// The first page's size in points (595 × 842 for A4 portrait).
QSizeF PdfPageSize(const QString& path);

// The text of one page (1-based), as pdftotext extracts it.
QString PdfPageText(const QString& path, int page);

// What pdfinfo says of the file (Title:, Author:, Subject:, Pages: …).
QString PdfInfoText(const QString& path);

// Pairs of words of one page whose boxes overlap, as "word / word"; empty when none.
QStringList PdfOverlappingWords(const QString& path, int page);

// The words of one page with their boxes in points, as pdftotext -bbox gives them.
std::vector<std::pair<QString, QRectF>> PdfPageWords(const QString& path, int page);

} // namespace telm::test
