// Opening a document: the one road from a selection to the document form,
// taken by both selection dialogs and by telmtool fill. It fills what the
// context still lacks, sets the variant flag of a shared form, loads a data
// file for correction into the shared XML document, and yields everything the
// document form needs to start, or the message to show instead.
#pragma once

#include "platform/UserMessage.h"
#include "xmlfiles/DataHeader.h"

#include <QString>

#include <optional>

namespace telm {

struct AppState;
struct DocType;

// What the document form starts from: everything it works on comes from here
// (and from the file it opens), none of it from the shared state.
struct OpenedDocument
{
    const DocType* type = nullptr; // the catalogue entry: its form, variant and help topic
    int editType = 0;              // 0 new from the template, 1 correction of a data file
    QString path;                  // the template (new) or the data file (correction)
    QString targetPath;            // what a save writes: the composed name (new) or `path`
    DataHeader header;             // a new document's header; a correction keeps its file's
    QString programFolder;         // Blanki/ under it: the conditions and the controls
};

// A document to open, a message to show, or neither: a data file whose type
// is not one of the catalogue's opens nothing and says nothing.
struct Opening
{
    std::optional<OpenedDocument> document;
    std::optional<UserMessage> message;
};

// The document of `type` at `path` as the context describes it: a new one
// (edit type 0) saved under the name the naming rule gives, its header from the
// company, the period and `forecast`; a correction saved over `path`.
OpenedDocument DocumentInContext(const AppState& state, const DocType& type, int editType,
                                 const QString& path, bool forecast);

// From the new-document choices, the context (company, period, type title)
// already filled: the data file of that name opens for correction when it
// exists, otherwise the type's template, when there is one.
Opening OpenFromChoices(AppState& state, const DocType& type, bool forecast);

// From a data file's path (blanks around it ignored): its header gives the
// type, company name and period.
Opening OpenFromDataFile(AppState& state, const QString& path);

} // namespace telm
