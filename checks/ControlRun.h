// Running the controls over the statements of one filing (one company, one
// period, one kind) and wording what does not agree.
#pragma once

#include "checks/Controls.h"
#include "checks/Statement.h"

#include <functional>
#include <vector>

namespace telm {

struct ControlFailure
{
    const Control* control = nullptr;
    QString field; // column by column: the amount field that disagrees
    qint64 left = 0;
    qint64 right = 0;
    std::vector<const Statement*> statements; // those the control read, in its order
    QString problem; // when the control cannot be run: which row or field is missing
};

// Runs every control whose documents are all among `filing`, or, with
// `involving`, only those that read that statement's type. Statements of one
// type more than once in a filing make the controls that read it a problem.
// `ran`, when given, counts the comparisons made (one per column for a
// column-by-column control).
std::vector<ControlFailure> RunControls(const ControlTable& table,
                                        const std::vector<const Statement*>& filing,
                                        const Statement* involving = nullptr, int* ran = nullptr);

// Groups statements by filing, in order of first appearance.
std::vector<std::vector<const Statement*>> GroupByFiling(const std::vector<Statement>& statements);

// The heading a form gives an amount field of a statement ("Текуща година"),
// or empty when the caller knows none.
using ColumnHeading = std::function<QString(const Statement&, const QString& field)>;

// The failure in words: the control's message, the two amounts and the
// difference, with the column for a column-by-column control: by its heading
// when `heading` gives one (the form's words), else by number ("колона 3").
// Amounts are written by `number` ("1 000" for the user, "1000" for scripts).
QString DescribeFailure(const ControlFailure& failure, const std::function<QString(qint64)>& number,
                        const ColumnHeading& heading = {});

} // namespace telm
