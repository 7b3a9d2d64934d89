#include "checks/ControlRun.h"

#include "selection/Catalogue.h"

#include <algorithm>

namespace telm {

namespace {

QString codeOf(const Statement& s)
{
    return QString::fromLatin1(s.type->code);
}

// The statement each term reads, by code and year; a problem when one is
// repeated, and the control does not apply when one is missing.
struct Reading
{
    std::vector<ControlTerm> refs; // one term of each statement, in order
    std::vector<const Statement*> statements;
    bool applies = true;
    QString problem;

    const Statement* of(const ControlTerm& term) const
    {
        for (size_t k = 0; k < refs.size(); ++k)
            if (refs[k].sameStatement(term))
                return statements[k];
        return nullptr;
    }
};

Reading statementsFor(const Control& control, const std::vector<const Statement*>& filing,
                      const std::vector<const Statement*>& lastYear)
{
    Reading r;
    for (const ControlTerm& ref : control.statements()) {
        std::vector<const Statement*> found;
        for (const Statement* s : ref.yearsBack > 0 ? lastYear : filing)
            if (codeOf(*s) == ref.code)
                found.push_back(s);
        if (found.empty()) {
            r.applies = false;
            return r;
        }
        if (found.size() > 1 && r.problem.isEmpty())
            r.problem =
                ref.yearsBack > 0
                    ? QStringLiteral("документът %1 от миналата година е подаден "
                                     "повече от веднъж")
                          .arg(ref.code)
                    : QStringLiteral("документът %1 е подаден повече от веднъж").arg(ref.code);
        r.refs.push_back(ref);
        r.statements.push_back(found.front());
    }
    return r;
}

// The signed sum of one side in one field (`field` replaces `*`) and row
// (`row` replaces `[*]`).
std::optional<qint64> sideSum(const std::vector<ControlTerm>& side, const Reading& r,
                              const QString& field, int row, QString& problem)
{
    qint64 sum = 0;
    for (const ControlTerm& t : side) {
        const Statement* s = r.of(t);
        const QString f = t.field == QLatin1String("*") ? field : t.field;
        const std::optional<qint64> amount = s->amount(t.everyRow ? row : t.row, f);
        if (!amount) {
            problem = QStringLiteral("в %1 няма ред %2 с поле %3")
                          .arg(t.code)
                          .arg(t.everyRow ? row : t.row)
                          .arg(f);
            return std::nullopt;
        }
        // Amounts stay below 2^53, but a long side could still pass what a
        // 64-bit sum holds: said so, never wrapped round into another number.
        qint64 term = 0;
        if (__builtin_mul_overflow(qint64(t.sign), *amount, &term)
            || __builtin_add_overflow(sum, term, &sum)) {
            problem =
                QStringLiteral("сборът на реда на %1 надхвърля обхвата на сумите").arg(t.code);
            return std::nullopt;
        }
    }
    return sum;
}

bool holds(ControlOp op, qint64 left, qint64 right)
{
    return op == ControlOp::Equal ? left == right : left <= right;
}

// The rows a row-by-row control compares: the rows of its first statement
// with no rows under them that every statement it reads has. A group's total
// follows from its rows: compared too, one difference would be told once for
// each level above it.
std::vector<const StatementRow*> sharedRows(const Reading& r)
{
    std::vector<const StatementRow*> rows;
    const std::vector<StatementRow>& all = r.statements.front()->rows;
    for (size_t k = 0; k < all.size(); ++k) {
        const StatementRow& row = all[k];
        if (k + 1 < all.size() && all[k + 1].level > row.level)
            continue;
        bool numeric = false;
        const int id = row.id.toInt(&numeric);
        if (numeric
            && std::all_of(r.statements.begin(), r.statements.end(),
                           [&](const Statement* s) { return s->rowById.count(id) > 0; }))
            rows.push_back(&row);
    }
    return rows;
}

void runOne(const Control& c, const Reading& r, std::vector<ControlFailure>& out, int& ran)
{
    const auto problem = [&](const QString& text) {
        out.push_back(ControlFailure{&c, QString(), 0, QString(), 0, 0, r.statements, text});
    };
    if (!r.problem.isEmpty())
        return problem(r.problem);
    const QStringList fields =
        c.columnByColumn() ? r.statements.front()->amountFields : QStringList{QString()};
    std::vector<const StatementRow*> rows{nullptr};
    if (c.rowByRow())
        rows = sharedRows(r);
    for (const StatementRow* row : rows) {
        const int id = row ? row->id.toInt() : 0;
        for (const QString& field : fields) {
            QString missing;
            const std::optional<qint64> left = sideSum(c.left, r, field, id, missing);
            const std::optional<qint64> right =
                left ? sideSum(c.right, r, field, id, missing) : std::nullopt;
            if (!left || !right)
                return problem(missing);
            ++ran;
            if (!holds(c.op, *left, *right))
                out.push_back(ControlFailure{&c, field, id, row ? row->title : QString(), *left,
                                             *right, r.statements, QString()});
        }
    }
}

} // namespace

std::vector<ControlFailure> RunControls(const ControlTable& table,
                                        const std::vector<const Statement*>& filing,
                                        const Statement* involving, int* ran,
                                        const std::vector<const Statement*>& lastYear)
{
    std::vector<ControlFailure> out;
    int count = 0;
    for (const Control& c : table) {
        if (involving) {
            const std::vector<QString> codes = c.codes();
            if (std::find(codes.begin(), codes.end(), codeOf(*involving)) == codes.end())
                continue;
        }
        const Reading r = statementsFor(c, filing, lastYear);
        if (r.applies)
            runOne(c, r, out, count);
    }
    if (ran)
        *ran += count;
    return out;
}

bool LastYearOf(const Statement& earlier, const Statement& later)
{
    return earlier.bulstat == later.bulstat && earlier.month == later.month
           && earlier.forecast == later.forecast && earlier.year.toInt() + 1 == later.year.toInt();
}

std::vector<std::vector<const Statement*>> GroupByFiling(const std::vector<Statement>& statements)
{
    std::vector<std::vector<const Statement*>> groups;
    for (const Statement& s : statements) {
        const auto group = std::find_if(groups.begin(), groups.end(),
                                        [&](const auto& g) { return g.front()->sameFiling(s); });
        if (group == groups.end())
            groups.push_back({&s});
        else
            group->push_back(&s);
    }
    return groups;
}

QString DescribeFailure(const ControlFailure& failure, const std::function<QString(qint64)>& number,
                        const ColumnHeading& heading)
{
    QString text = failure.control->message;
    if (!failure.problem.isEmpty())
        return text + QStringLiteral(": не може да се провери (%1)").arg(failure.problem);
    if (failure.control->rowByRow())
        text += QStringLiteral(", ред %1 „%2“").arg(failure.row).arg(failure.rowTitle);
    if (!failure.field.isEmpty()) {
        const QString named = heading && !failure.statements.empty()
                                  ? heading(*failure.statements.front(), failure.field)
                                  : QString();
        QString column = failure.field;
        column.remove(QStringLiteral("DocDta_Sum"));
        text += named.isEmpty() ? QStringLiteral(", колона %1").arg(column)
                                : QStringLiteral(", колона „%1“").arg(named);
    }
    const QString relation =
        failure.control->op == ControlOp::Equal ? QStringLiteral(" ≠ ") : QStringLiteral(" > ");
    return text + QStringLiteral(": ") + number(failure.left) + relation + number(failure.right)
           + QStringLiteral(", разлика ") + number(failure.left - failure.right);
}

} // namespace telm
