// Comparatives: the previous-year columns of a new document taken from last
// year's data file of the same company, type, kind and period month, row by
// row by level and identifier, and the equity statement's opening balance
// from last year's restated closing balance. A file that does not verify, or
// whose header names another company, document, kind or month, is not used,
// and the reason is said.
#pragma once

#include "editor/Findings.h"
#include "xmlfiles/Rowset.h"

#include <QString>
#include <QStringList>

#include <optional>

namespace telm {

class GridModel;
struct FormProfile;

// What the new document is: what last year's file must be too.
struct Filing
{
    QString bulstat;
    QString month; // "12"
    QString title; // the document type's title
    bool forecast = false;
};

struct PreviousYearFile
{
    QString path;                 // where it is looked for
    bool found = false;           // something is there
    std::optional<QString> fault; // found but not used: why, for the user
    Rowset rowset;                // its rows in the form's columns, when used
    bool usable() const { return found && !fault; }
};

// Whether the form takes anything from last year's file.
bool CarriesFromLastYear(const FormProfile& profile);

// Reads and checks the file at `path` (nothing found when it is not there)
// into the form's columns `formFields`.
PreviousYearFile ReadPreviousYear(const QString& path, const QStringList& formFields,
                                  const Filing& filing);

// Puts last year's current-year amounts into the grid's previous-year columns
// (a row last year's file lacks is left empty) and last year's row
// `carriedOpening.fromRow` into the opening row, in display form.
void CarryComparatives(const FormProfile& profile, const Rowset& previous, GridModel& grid);

// "Сравнителните данни не са взети от файла …: …": the message for a fault.
QString PreviousYearFaultText(const PreviousYearFile& file);

} // namespace telm
