// The data-file naming rule: <data folder>/<prefix>_<code>_<BULSTAT>_<year>_<month>.xml,
// the data folder being the program folder's Data/ or the user's own.
#pragma once

#include <QString>
#include <QtGlobal>

namespace telm {

struct AppState;
struct DocType;

// The prefix of every data file's name: start-up puts it into the shared state.
inline const QString kFilePrefix = QStringLiteral("VELDOR");

QString ComposeDataFilePath(const QString& dataFolder, const QString& prefix, const QString& code,
                            const QString& bulstat, qint16 year, const QString& periodMonth);

// The same rule from the shared state's context, for the given type and kind.
QString DataFilePathFor(const AppState& state, const DocType& type, bool forecast);

// The data file of the same company, type, kind and period month a year
// before the one named `dataFilePath`, beside it; empty when the name does not
// follow the naming rule.
QString PreviousYearPath(const QString& dataFilePath);

// The template of a type under the program folder.
QString TemplatePath(const QString& programFolder, const DocType& type);

// Blanki/Conditions.xml under the program folder.
QString ConditionsPath(const QString& programFolder);

} // namespace telm
