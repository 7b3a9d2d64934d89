// The checks of a new document's choices, in the order of the new-document
// dialog's fields, with the dialog's messages: the one place that decides
// whether a period, year, BULSTAT, company name and document type may start a
// document. The dialog and telmtool fill both go through it.
#pragma once

#include "platform/UserMessage.h"

#include <QString>
#include <QStringList>

#include <optional>

namespace telm {

struct AppState;
struct DocType;

// The period months a document may be made for, as the dialog lists them.
const QStringList& PeriodMonths();

// A new document's choices as typed or picked.
struct NewDocumentChoices
{
    QString month;                 // one of PeriodMonths()
    QString year;                  // as typed: four digits
    QString bulstat;               // as typed
    QString company;               // as typed, not trimmed
    const DocType* type = nullptr; // none when nothing is chosen
};

// The first check that fails, as the message box shows it ("TELM - Внимание!",
// error icon), and the context left as it was; or nothing, and the document
// context (period, company, type title) filled from the choices.
std::optional<UserMessage> TakeNewDocumentChoices(const NewDocumentChoices& choices,
                                                  AppState& state);

} // namespace telm
