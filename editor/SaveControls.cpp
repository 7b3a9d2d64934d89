#include "editor/SaveControls.h"

#include "checks/ControlRun.h"
#include "editor/AmountText.h"
#include "editor/FormProfile.h"
#include "selection/Catalogue.h"

#include <QDir>
#include <QFileInfo>

#include <deque>

namespace telm {

namespace {

// A column as the statement's form heads it ("Текуща година").
QString formHeading(const Statement& statement, const QString& field)
{
    if (!statement.type)
        return QString();
    for (const AmountColumn& column : ProfileFor(statement.type->form).amounts)
        if (field == QLatin1String(column.field))
            return QString::fromUtf16(column.caption);
    return QString();
}

QString whyNotCompared(const StatementFault& fault)
{
    if (fault.file && fault.file->kind == DataFileFault::Kind::Tampered)
        return QStringLiteral("файлът е променян извън програмата");
    if (fault.file)
        return QStringLiteral("файлът не може да бъде прочетен");
    return QStringLiteral("файлът не е документ на програмата");
}

// The rows a failed control read, each in its statement, with its amount.
std::vector<FindingRow> rowsOf(const ControlFailure& failure, const Statement& current)
{
    std::vector<FindingRow> rows;
    for (const std::vector<ControlTerm>* side : {&failure.control->left, &failure.control->right}) {
        for (const ControlTerm& term : *side) {
            const Statement* statement = nullptr;
            for (const Statement* s : failure.statements)
                if (s->type && QLatin1String(s->type->code) == term.code)
                    statement = s;
            if (!statement)
                continue;
            const auto found = statement->rowById.find(term.row);
            if (found == statement->rowById.end())
                continue;
            const StatementRow& row = statement->rows[found->second];
            const QString field = term.field == QLatin1String("*") ? failure.field : term.field;
            const bool here = statement == &current;
            rows.push_back(FindingRow{
                PaperTitle(statement->type->titleText()), here, row.code, row.title,
                formHeading(*statement, field), term.sign, statement->amount(term.row, field),
                RowTarget{here ? QString() : statement->path, row.level, row.id, field}});
        }
    }
    return rows;
}

} // namespace

std::vector<Finding> FilingFindings(const Statement& current, const QString& controlsPath)
{
    std::vector<Finding> findings;
    ControlTable table;
    if (!QFileInfo::exists(controlsPath))
        return findings;
    if (const std::optional<ControlsError> error = LoadControls(controlsPath, table))
        return TextFindings({QStringLiteral("Файлът с контролите не може да бъде прочетен: %1")
                                 .arg(error->message)});

    // The other statements of the filing: same BULSTAT in the name, then the
    // header's company, period and kind.
    std::deque<Statement> others;
    std::vector<const Statement*> filing{&current};
    const QFileInfo currentInfo(current.path);
    const QDir folder = currentInfo.absoluteDir();
    const QStringList names = folder.entryList({QStringLiteral("*_%1_*.xml").arg(current.bulstat)},
                                               QDir::Files, QDir::Name);
    for (const QString& name : names) {
        const QString path = folder.filePath(name);
        if (QFileInfo(path) == currentInfo)
            continue;
        Statement other;
        if (const std::optional<StatementFault> fault = ReadStatement(path, other)) {
            findings.push_back(
                Finding{QStringLiteral("Файлът %1 не е сравнен: %2.")
                            .arg(QDir::toNativeSeparators(path), whyNotCompared(*fault)),
                        {},
                        std::nullopt});
            continue;
        }
        if (!other.sameFiling(current))
            continue;
        others.push_back(std::move(other));
        filing.push_back(&others.back());
    }
    const auto number = [](qint64 value) { return FormatNumber(static_cast<double>(value)); };
    for (const ControlFailure& failure : RunControls(table, filing, &current)) {
        Finding finding{DescribeFailure(failure, number, formHeading), rowsOf(failure, current),
                        std::nullopt};
        if (failure.problem.isEmpty())
            finding.difference = failure.left - failure.right;
        findings.push_back(std::move(finding));
    }
    return findings;
}

QStringList ControlFindings(const QString& savedPath, const QString& controlsPath)
{
    if (!QFileInfo::exists(controlsPath))
        return {};
    Statement saved;
    if (ReadStatement(savedPath, saved))
        return {}; // nothing to compare: the save itself reported its file
    return FindingTexts(FilingFindings(saved, controlsPath));
}

std::optional<UserMessage> ControlsWarning(const QString& savedPath, const QString& controlsPath)
{
    return FindingsWarning(ControlFindings(savedPath, controlsPath));
}

std::optional<UserMessage> FindingsWarning(const QStringList& findings)
{
    if (findings.isEmpty())
        return std::nullopt;
    return UserMessage{QStringLiteral("TELM - Внимание!"),
                       QStringLiteral("Документът е записан, но контролите за съгласуваност "
                                      "показват разлики:\n\n")
                           + findings.join(QStringLiteral("\n\n")),
                       UserMessage::Icon::Warning};
}

} // namespace telm
