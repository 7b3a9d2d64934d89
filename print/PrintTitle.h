// The title block of a printed document: the type's title, the company line
// and the period line, from the document context, a data file's header, or
// dotted blanks for a form to be filled in by hand.
#pragma once

#include <QString>

namespace telm {

struct AppState;

struct PrintTitle
{
    QString title;       // the document type's title as printed (PaperTitle)
    QString companyLine; // "на " + the company
    QString periodLine;  // "към 12/2006 година"
    bool forecast = false;
};

// From a company name, a period month ("12") and a year ("2006").
PrintTitle TitleOf(const QString& typeTitle, const QString& company, const QString& month,
                   const QString& year, bool forecast);

// From the document context: type title, company and period.
PrintTitle TitleFromContext(const AppState& state, bool forecast);

// A blank form: the company and period left as dotted lines to fill in.
PrintTitle BlankFormTitle(const QString& typeTitle);

} // namespace telm
