#include "checks/ControlRun.h"

#include "selection/Catalogue.h"

#include <algorithm>

namespace telm {

namespace {

QString codeOf(const Statement& s)
{
    return QString::fromLatin1(s.type->code);
}

// The statements of each code the control reads; a problem when one is
// missing (the control does not apply) or repeated.
struct Reading
{
    std::vector<const Statement*> statements;
    bool applies = true;
    QString problem;
};

Reading statementsFor(const Control& control, const std::vector<const Statement*>& filing)
{
    Reading r;
    for (const QString& code : control.codes()) {
        std::vector<const Statement*> found;
        for (const Statement* s : filing)
            if (codeOf(*s) == code)
                found.push_back(s);
        if (found.empty()) {
            r.applies = false;
            return r;
        }
        if (found.size() > 1 && r.problem.isEmpty())
            r.problem = QStringLiteral("документът %1 е подаден повече от веднъж").arg(code);
        r.statements.push_back(found.front());
    }
    return r;
}

const Statement* statementOf(const Reading& r, const QString& code)
{
    for (const Statement* s : r.statements)
        if (codeOf(*s) == code)
            return s;
    return nullptr;
}

// The signed sum of one side in one field (`field` replaces `*`).
std::optional<qint64> sideSum(const std::vector<ControlTerm>& side, const Reading& r,
                              const QString& field, QString& problem)
{
    qint64 sum = 0;
    for (const ControlTerm& t : side) {
        const Statement* s = statementOf(r, t.code);
        const QString f = t.field == QLatin1String("*") ? field : t.field;
        const std::optional<qint64> amount = s->amount(t.row, f);
        if (!amount) {
            problem = QStringLiteral("в %1 няма ред %2 с поле %3").arg(t.code).arg(t.row).arg(f);
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

void runOne(const Control& c, const Reading& r, std::vector<ControlFailure>& out, int& ran)
{
    const auto problem = [&](const QString& text) {
        out.push_back(ControlFailure{&c, QString(), 0, 0, r.statements, text});
    };
    if (!r.problem.isEmpty())
        return problem(r.problem);
    const QStringList fields =
        c.columnByColumn() ? r.statements.front()->amountFields : QStringList{QString()};
    for (const QString& field : fields) {
        QString missing;
        const std::optional<qint64> left = sideSum(c.left, r, field, missing);
        const std::optional<qint64> right =
            left ? sideSum(c.right, r, field, missing) : std::nullopt;
        if (!left || !right)
            return problem(missing);
        ++ran;
        if (!holds(c.op, *left, *right))
            out.push_back(ControlFailure{&c, field, *left, *right, r.statements, QString()});
    }
}

} // namespace

std::vector<ControlFailure> RunControls(const ControlTable& table,
                                        const std::vector<const Statement*>& filing,
                                        const Statement* involving, int* ran)
{
    std::vector<ControlFailure> out;
    int count = 0;
    for (const Control& c : table) {
        if (involving) {
            const std::vector<QString> codes = c.codes();
            if (std::find(codes.begin(), codes.end(), codeOf(*involving)) == codes.end())
                continue;
        }
        const Reading r = statementsFor(c, filing);
        if (r.applies)
            runOne(c, r, out, count);
    }
    if (ran)
        *ran += count;
    return out;
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
