// Opening a document: the one road from a selection to the document form,
// taken by both selection dialogs and by telmtool fill. It fills what the
// context still lacks, sets the variant flag of a shared form, loads a data
// file for correction into the shared XML document, and yields everything the
// document form needs to start, or the message to show instead.
#pragma once

#include "platform/UserMessage.h"

#include <QString>

#include <optional>

namespace telm {

struct AppState;
struct DocType;

// What the document form starts from.
struct OpenedDocument
{
    const DocType* type = nullptr; // the catalogue entry: its form, variant and help topic
    int editType = 0;              // 0 new from the template, 1 correction of a data file
    QString path;                  // the template (new) or the data file (correction)
};

// A document to open, a message to show, or neither: a data file whose type
// is not one of the catalogue's opens nothing and says nothing.
struct Opening
{
    std::optional<OpenedDocument> document;
    std::optional<UserMessage> message;
};

// From the new-document choices, the context (company, period, type title)
// already filled: the data file of that name opens for correction when it
// exists, otherwise the type's template, when there is one.
Opening OpenFromChoices(AppState& state, const DocType& type, bool forecast);

// From a data file's path (blanks around it ignored): its header gives the
// type, company name and period.
Opening OpenFromDataFile(AppState& state, const QString& path);

} // namespace telm
