// A document's statement as paper shows it: the profile's visible columns
// (the previous year's included), every row's title and amounts (in leva or
// thousands, grouped the Bulgarian way), and the title block from the document
// context. What the print button, telmtool print and a filing print from.
#pragma once

#include "platform/UserMessage.h"
#include "print/PaperSheet.h"

#include <QString>

#include <optional>

namespace telm {

class DocumentEngine;

PaperSheet PaperSheetOf(const DocumentEngine& engine, const PaperOptions& options);

// Loads a document that is only to be printed (the engine made with
// read-only access: printing takes no lock) and lays it out as the form does at
// load, typed comparatives marked unless it is a blank form; the failure's
// message when it cannot be loaded.
std::optional<UserMessage> LoadForPaper(DocumentEngine& engine, bool blank);

// Whether a type's statement is at a date (a balance sheet, the receivables and
// liabilities) rather than of a period.
bool StatementAtDate(const QString& code);

// The name proposed for the statement's PDF: type, BULSTAT and period, e.g.
// "Баланс_123456786_2025-12".
QString PdfFileName(const DocumentEngine& engine);

// An amount's text in the printed unit: thousands rounded halves away from zero.
QString AmountInUnit(const QString& text, PaperUnit unit);

} // namespace telm
