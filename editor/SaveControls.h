// The consistency controls over one statement (saved, or as it stands on
// screen) on its own and against the other statements of its company, period
// and kind in its folder: findings with their rows, or one line each.
#pragma once

#include "editor/Findings.h"
#include "platform/UserMessage.h"

#include <QString>
#include <QStringList>

#include <optional>

namespace telm {

struct Statement;

// The heading of an amount field's column as the statement's form shows it
// ("Текуща година"); empty when the form has no such column.
QString FormColumnHeading(const Statement& statement, const QString& field);

// The controls that read `current` (the document as saved, or as it stands on
// screen), on its own and against the other statements of its company, period
// and kind in the folder of its path, and one finding per statement of the
// filing that could not be compared (changed outside the program, unreadable).
// A missing controls file means no controls; a broken one is a finding.
std::vector<Finding> FilingFindings(const Statement& current, const QString& controlsPath);

// One line per control that does not agree, and one per statement of the
// filing that could not be compared (changed outside the program, unreadable).
// A missing controls file means no controls; a broken one is a line of its own.
QStringList ControlFindings(const QString& savedPath, const QString& controlsPath);

// Every control over the filing `any` of its statements belongs to (its
// company, period and kind in its folder, and last year's beside it for the
// comparatives), not only those that read `any`; each finding once, every row
// naming the file it is in: what a filing as a whole is checked by.
std::vector<Finding> WholeFilingFindings(const Statement& any, const QString& controlsPath);

// The findings as the one warning shown after a save; nothing when all agree.
std::optional<UserMessage> ControlsWarning(const QString& savedPath, const QString& controlsPath);

// Findings as that one warning; nothing when there are none.
std::optional<UserMessage> FindingsWarning(const QStringList& findings);

} // namespace telm
