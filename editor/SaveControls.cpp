#include "editor/SaveControls.h"

#include "checks/ControlRun.h"
#include "checks/LastYear.h"
#include "editor/AmountText.h"
#include "editor/FormProfile.h"
#include "selection/Catalogue.h"

#include <QDir>
#include <QFileInfo>

#include <deque>

namespace telm {

namespace {

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
    // The failure's statements are in the order of the statements the control reads.
    const std::vector<ControlTerm> read = failure.control->statements();
    for (const std::vector<ControlTerm>* side : {&failure.control->left, &failure.control->right}) {
        for (const ControlTerm& term : *side) {
            const Statement* statement = nullptr;
            for (size_t k = 0; k < read.size() && k < failure.statements.size(); ++k)
                if (read[k].sameStatement(term))
                    statement = failure.statements[k];
            if (!statement || !statement->type)
                continue;
            const int id = term.everyRow ? failure.row : term.row;
            const auto found = statement->rowById.find(id);
            if (found == statement->rowById.end())
                continue;
            const StatementRow& row = statement->rows[found->second];
            const QString field = term.field == QLatin1String("*") ? failure.field : term.field;
            const bool here = statement == &current;
            // Last year's statement is named with its year.
            const QString document =
                term.yearsBack > 0
                    ? QStringLiteral("%1 за %2 г.")
                          .arg(PaperTitle(statement->type->titleText()), statement->year)
                    : PaperTitle(statement->type->titleText());
            rows.push_back(FindingRow{
                document, here, row.code, row.title, FormColumnHeading(*statement, field),
                term.sign, statement->amount(id, field),
                RowTarget{here ? QString() : statement->path, row.level, row.id, field}});
        }
    }
    return rows;
}

} // namespace

QString FormColumnHeading(const Statement& statement, const QString& field)
{
    if (!statement.type)
        return QString();
    const FormProfile& profile = ProfileFor(statement.type->form);
    for (const AmountColumn& column : profile.amounts)
        if (field == QLatin1String(column.field))
            return QString::fromUtf16(column.caption);
    // A comparative: the previous-year column beside the current-year field it
    // mirrors (DocDta_PrevSum2 beside DocDta_Sum2), or the one such column.
    const QLatin1String prevSum("DocDta_PrevSum");
    const QString mirrored = field.startsWith(prevSum)
                                 ? QStringLiteral("DocDta_Sum") + field.mid(prevSum.size())
                                 : QString();
    int carried = 0;
    QString only;
    for (const CaptionedColumn& c : profile.previousYear) {
        if (c.carriedFrom < 0)
            continue;
        ++carried;
        only = QString::fromUtf16(c.caption);
        for (const AmountColumn& column : profile.amounts)
            if (column.column == c.carriedFrom && mirrored == QLatin1String(column.field))
                return only;
    }
    return field == QLatin1String("DocDta_PrevYear") && carried == 1 ? only : QString();
}

namespace {

// The controls over current's filing: those that read `involving`, or all.
std::vector<Finding> findingsOf(const Statement& current, const Statement* involving,
                                const QString& controlsPath)
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
    // Last year's statements beside them, for the comparatives.
    const LastYearFiling lastYear = FindLastYear(filing);
    for (const auto& [path, fault] : lastYear.unreadable)
        findings.push_back(Finding{QStringLiteral("Файлът %1 не е сравнен: %2.")
                                       .arg(QDir::toNativeSeparators(path), whyNotCompared(fault)),
                                   {},
                                   std::nullopt});
    const auto number = [](qint64 value) { return FormatNumber(static_cast<double>(value)); };
    for (const ControlFailure& failure :
         RunControls(table, filing, involving, nullptr, lastYear.statements)) {
        Finding finding{DescribeFailure(failure, number, FormColumnHeading),
                        rowsOf(failure, current), std::nullopt};
        if (failure.problem.isEmpty())
            finding.difference = failure.left - failure.right;
        findings.push_back(std::move(finding));
    }
    return findings;
}

} // namespace

std::vector<Finding> FilingFindings(const Statement& current, const QString& controlsPath)
{
    return findingsOf(current, &current, controlsPath);
}

std::vector<Finding> WholeFilingFindings(const Statement& any, const QString& controlsPath)
{
    std::vector<Finding> findings;
    QStringList seen;
    for (Finding& finding : findingsOf(any, nullptr, controlsPath)) {
        if (seen.contains(finding.text))
            continue;
        seen << finding.text;
        for (FindingRow& row : finding.rows)
            if (row.here) {
                row.here = false;
                row.target.path = any.path;
            }
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
