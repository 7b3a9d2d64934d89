// A document's statement as paper shows it: the profile's visible columns
// (the previous year's included), every row's title and amounts (in leva or
// thousands, grouped the Bulgarian way), and the title block from the document
// context. What the print button, telmtool print and a filing print from.
#pragma once

#include "print/PaperSheet.h"

#include <QString>

namespace telm {

class DocumentEngine;

PaperSheet PaperSheetOf(const DocumentEngine& engine, const PaperOptions& options);

// Whether a type's statement is at a date (a balance sheet, the receivables and
// liabilities) rather than of a period.
bool StatementAtDate(const QString& code);

// The name proposed for the statement's PDF: type, BULSTAT and period, e.g.
// "Баланс_123456786_2025-12".
QString PdfFileName(const DocumentEngine& engine);

// An amount's text in the printed unit: thousands rounded halves away from zero.
QString AmountInUnit(const QString& text, PaperUnit unit);

} // namespace telm
