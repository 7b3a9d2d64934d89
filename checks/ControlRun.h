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
    int row = 0;   // row by row: the identifier of the row that disagrees
    QString rowTitle;
    qint64 left = 0;
    qint64 right = 0;
    std::vector<const Statement*> statements; // those the control read, in its order
    QString problem; // when the control cannot be run: which row or field is missing
};

// Runs every control whose documents are all among `filing` (and, for those
// that read last year's statements, `lastYear`: the same company's filing for
// the same month a year earlier), or, with `involving`, only those that read
// that statement's type. Statements of one type more than once in a filing
// make the controls that read it a problem. `ran`, when given, counts the
// comparisons made (one per column or row for a column-by-column or row-by-row
// control). A row-by-row control compares the rows its statements share that
// have no rows under them.
std::vector<ControlFailure> RunControls(const ControlTable& table,
                                        const std::vector<const Statement*>& filing,
                                        const Statement* involving = nullptr, int* ran = nullptr,
                                        const std::vector<const Statement*>& lastYear = {});

// Whether `earlier` is the same company's statement of the same kind and
// month as `later`, a year before it.
bool LastYearOf(const Statement& earlier, const Statement& later);

// Groups statements by filing, in order of first appearance.
std::vector<std::vector<const Statement*>> GroupByFiling(const std::vector<Statement>& statements);

// The heading a form gives an amount field of a statement ("Текуща година"),
// or empty when the caller knows none.
using ColumnHeading = std::function<QString(const Statement&, const QString& field)>;

// The failure in words: the control's message, the two amounts and the
// difference, with the row for a row-by-row control ("ред 30 „Сгради“"), the
// column for a column-by-column control: by its heading
// when `heading` gives one (the form's words), else by number ("колона 3").
// Amounts are written by `number` ("1 000" for the user, "1000" for scripts).
QString DescribeFailure(const ControlFailure& failure, const std::function<QString(qint64)>& number,
                        const ColumnHeading& heading = {});

} // namespace telm
