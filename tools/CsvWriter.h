// Fields of the CSV that telmtool extract writes (RFC 4180), and the guard
// that keeps a spreadsheet from running a text as a formula.
#pragma once

#include <QByteArray>
#include <QString>

namespace telm::tool {

// Appends a field as RFC 4180 writes it: quoted when it holds a comma, a
// quote or a line end, with quotes doubled.
void AppendCsvField(QByteArray& line, const QByteArray& bytes);

// Appends a text field (a file name, a company, a title, a code): one that a
// spreadsheet would take as a formula ("=HYPERLINK(…)", "+1", "-1", "@x", or
// one led by a tab or a carriage return) gets a ' before it, unless `raw`.
void AppendCsvText(QByteArray& line, const QString& text, bool raw);

} // namespace telm::tool
