#include "ledger/FilingImport.h"

#include "checks/Controls.h"
#include "checks/Statement.h"
#include "editor/DocumentFill.h"
#include "editor/SaveControls.h"
#include "platform/RegularFile.h"

#include <QDir>
#include <QFileInfo>

#include <algorithm>
#include <memory>

namespace telm {

namespace {

// The cells of the statement `code` the map's lines name, each once.
std::vector<AccountTarget> mappedCells(const AccountMap& map, const QString& code)
{
    std::vector<AccountTarget> out;
    for (const AccountLine& line : map.lines)
        for (const AccountTarget& target : line.targets)
            if (target.code == code
                && std::none_of(out.begin(), out.end(), [&](const AccountTarget& known) {
                       return known.row == target.row && known.field == target.field;
                   }))
                out.push_back(target);
    return out;
}

} // namespace

QStringList ImportPlan::codes() const
{
    QStringList out;
    for (const StatementAmount& cell : amounts.cells)
        if (!out.contains(cell.target.code))
            out.append(cell.target.code);
    return out;
}

ImportPlan PlanImport(const ImportSources& sources)
{
    ImportPlan plan;
    if (const auto error = LoadAccountMap(AccountMapPath(sources.programFolder), plan.map)) {
        plan.refusal = error->message;
        return plan;
    }
    if (!sources.ownMapPath.isEmpty()) {
        AccountMap own;
        if (const auto error = LoadAccountMap(sources.ownMapPath, own)) {
            plan.refusal = error->message;
            return plan;
        }
        plan.map.overrideWith(own);
    }
    QString reason;
    const std::optional<QByteArray> bytes =
        platform::ReadRegularFile(sources.trialBalancePath, reason);
    if (!bytes) {
        plan.refusal = QStringLiteral("%1: %2").arg(sources.trialBalancePath, reason);
        return plan;
    }
    if (const auto error = ReadTrialBalance(*bytes, QFileInfo(sources.trialBalancePath).fileName(),
                                            plan.trialBalance)) {
        plan.refusal = error->message;
        return plan;
    }
    plan.amounts = PlaceTrialBalance(plan.trialBalance, plan.map);
    plan.refusal = plan.amounts.refusal;
    return plan;
}

bool ImportFilingResult::clean(const ImportPlan& plan) const
{
    return status == Status::Saved && plan.amounts.unplaced.empty() && skipped.isEmpty()
           && findings.isEmpty();
}

ImportFilingResult ImportFiling(const ImportPlan& plan, const ImportFilingRequest& request)
{
    ImportFilingResult result;
    if (!plan.readable()) {
        result.error = plan.refusal;
        return result;
    }
    if (!plan.amounts.unplaced.empty() && !request.force) {
        result.error = QStringLiteral("%1 сметки не са в сметкоплана за импорт")
                           .arg(plan.amounts.unplaced.size());
        return result;
    }
    // Every statement prepared first: nothing is written unless each of them
    // can be filled and saved.
    std::vector<std::unique_ptr<PreparedFill>> prepared;
    std::vector<int> cellsOf;
    const QStringList codes = plan.codes();
    for (const QString& code : codes) {
        FillRequest fill;
        fill.typeCode = code;
        fill.bulstat = request.bulstat;
        fill.company = request.company;
        fill.year = request.year;
        fill.month = request.month;
        fill.programFolder = request.programFolder;
        fill.dataFolder = request.dataFolder;
        // Every other cell of the statement the map names is emptied first: in
        // a correction an amount the ledger no longer has must not stay.
        for (const AccountTarget& target : mappedCells(plan.map, code)) {
            const bool imported = std::any_of(plan.amounts.cells.begin(), plan.amounts.cells.end(),
                                              [&](const StatementAmount& cell) {
                                                  return cell.target.row == target.row
                                                         && cell.target.field == target.field
                                                         && cell.target.code == code;
                                              });
            if (!imported)
                fill.entries.push_back(FillEntry{QString::number(target.row), target.field,
                                                 QString(), QStringLiteral("сметкоплан")});
        }
        int cells = 0;
        for (const StatementAmount& cell : plan.amounts.cells) {
            if (cell.target.code != code)
                continue;
            fill.entries.push_back(FillEntry{QString::number(cell.target.row), cell.target.field,
                                             QString::number(cell.leva),
                                             cell.accounts.join(QStringLiteral(" "))});
            ++cells;
        }
        auto statement = std::make_unique<PreparedFill>(fill);
        const FillResult& filled = statement->result();
        if (filled.status == FillResult::Status::BadUsage) {
            result.status = ImportFilingResult::Status::BadUsage;
            result.error = filled.error;
            return result;
        }
        if (!statement->ready()) {
            result.error = QStringLiteral("%1: %2").arg(code, filled.error);
            return result;
        }
        prepared.push_back(std::move(statement));
        cellsOf.push_back(cells);
    }

    // Then saved one by one; when one cannot be, those saved before it are put
    // back, so the folder is as it was.
    for (size_t k = 0; k < prepared.size(); ++k) {
        const FillResult& filled = prepared[k]->save(false);
        if (filled.status == FillResult::Status::Saved)
            continue;
        result.error = QStringLiteral("%1: %2").arg(codes[int(k)], filled.error);
        for (size_t back = 0; back <= k; ++back)
            if (const std::optional<QString> failure = prepared[back]->undoSave())
                result.error += QStringLiteral("\n%1 не е върнат както беше: %2")
                                    .arg(codes[int(back)], *failure);
        return result;
    }
    result.warnings << plan.amounts.notices;
    for (size_t k = 0; k < prepared.size(); ++k) {
        const FillResult& filled = prepared[k]->result();
        result.saved.push_back(
            ImportedStatement{codes[int(k)], filled.savedPath, cellsOf[k], filled.correction});
        result.skipped << filled.refused;
        result.warnings << filled.warnings;
    }
    // The controls over the filing as saved, once for the whole of it; they
    // check each statement's two sides too. Without a table of controls the
    // forms' own balance checks stand in for them.
    const QString controls = ControlsPath(request.programFolder);
    Statement saved;
    if (!prepared.empty()
        && !ReadStatement(QDir::fromNativeSeparators(result.saved.front().path), saved))
        result.findings = FindingTexts(WholeFilingFindings(saved, controls));
    if (!QFileInfo::exists(controls))
        for (const auto& fill : prepared)
            if (const std::optional<QString>& balance = fill->balanceWarning())
                result.findings << *balance;
    result.status = ImportFilingResult::Status::Saved;
    return result;
}

} // namespace telm
