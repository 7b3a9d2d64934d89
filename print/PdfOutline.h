// What QPdfWriter does not write: the document's author and subject, and an
// outline (bookmarks) with one entry per statement. Added to its PDF as an
// incremental update, the standard way to amend a PDF without rewriting it.
#pragma once

#include <QByteArray>
#include <QString>

#include <vector>

namespace telm {

struct PdfBookmark
{
    QString title;
    int page = 0; // 0-based
};

struct PdfInfo
{
    QString title;
    QString author;
    QString subject;
    QString creator;
    std::vector<PdfBookmark> bookmarks;
};

// `pdf` with `info` added; unchanged when its structure is not the one expected.
QByteArray AmendPdf(const QByteArray& pdf, const PdfInfo& info);

} // namespace telm
