#include "ledger/FilingImport.h"

#include "editor/DocumentFill.h"
#include "editor/SaveControls.h"
#include "platform/RegularFile.h"

#include <QDir>
#include <QFileInfo>

namespace telm {

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
    for (const QString& code : plan.codes()) {
        FillRequest fill;
        fill.typeCode = code;
        fill.bulstat = request.bulstat;
        fill.company = request.company;
        fill.year = request.year;
        fill.month = request.month;
        fill.programFolder = request.programFolder;
        fill.dataFolder = request.dataFolder;
        int cells = 0;
        for (const StatementAmount& cell : plan.amounts.cells) {
            if (cell.target.code != code)
                continue;
            fill.entries.push_back(FillEntry{QString::number(cell.target.row), cell.target.field,
                                             QString::number(cell.leva),
                                             cell.accounts.join(QStringLiteral(" "))});
            ++cells;
        }
        const FillResult filled = RunFill(fill);
        result.skipped << filled.refused;
        switch (filled.status) {
        case FillResult::Status::BadUsage:
            result.status = ImportFilingResult::Status::BadUsage;
            result.error = filled.error;
            return result;
        case FillResult::Status::NotSaved:
            result.status = ImportFilingResult::Status::Refused;
            result.error = QStringLiteral("%1: %2").arg(code, filled.error);
            return result;
        case FillResult::Status::Saved:
            result.saved.push_back(
                ImportedStatement{code, filled.savedPath, cells, filled.correction});
            result.warnings << filled.warnings;
            break;
        }
    }
    result.status = ImportFilingResult::Status::Saved;
    return result;
}

} // namespace telm
