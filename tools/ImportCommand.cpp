// telmtool import: a ledger's trial balance placed on the balance sheet and the
// income statement through the account map, and the amounts committed as if
// typed, by the same road as telmtool fill.
#include "ledger/FilingImport.h"
#include "platform/DataFolder.h"
#include "platform/ProgramFolder.h"
#include "tools/Telmtool.h"

namespace telm::tool {

namespace {

QString targetText(const AccountTarget& target)
{
    return QStringLiteral("%1[%2].%3").arg(target.code).arg(target.row).arg(target.field);
}

} // namespace

int RunImport(const QStringList& args, std::ostream& out, std::ostream& err)
{
    CommandLine line("import");
    const auto valued = &CommandLine::valued;
    const QCommandLineOption trialBalance = valued("trial-balance", "FILE"),
                             bulstat = valued("bulstat", "B"), company = valued("company", "NAME"),
                             year = valued("year", "YYYY"), month = valued("month", "M"),
                             accounts = valued("accounts", "MAPFILE"),
                             folder = valued("folder", "DIR"), dryRun(QStringLiteral("dry-run")),
                             force(QStringLiteral("force"));
    for (const QCommandLineOption& option :
         {trialBalance, bulstat, company, year, month, accounts, folder, dryRun, force})
        line.addOption(option);
    if (!line.parse(args, err))
        return kExitUsage;
    const QCommandLineParser& parser = line.parser();
    // The trial balance: the one argument, or --trial-balance FILE; not both.
    const QStringList positional = line.positional();
    if (positional.size() > 1)
        return line.usage(err, QStringLiteral("unknown argument \"%1\"").arg(positional.at(1)));
    if (positional.size() == 1 && parser.isSet(trialBalance))
        return line.usage(err, QStringLiteral("the trial balance is given twice (an argument and "
                                              "--trial-balance)"));
    if (positional.isEmpty() && !parser.isSet(trialBalance))
        return line.usage(err, QStringLiteral("no trial balance: telmtool import FILE --bulstat B "
                                              "... (or --trial-balance FILE)"));
    for (const QCommandLineOption* option : {&bulstat, &company, &year, &month})
        if (!parser.isSet(*option))
            return line.usage(err, QStringLiteral("--%1 is required").arg(option->names().first()));
    const QString trialBalancePath =
        positional.isEmpty() ? parser.value(trialBalance) : positional.first();

    const QString programFolder =
        parser.isSet(folder) ? parser.value(folder) : platform::ProgramFolder();
    const ImportPlan plan =
        PlanImport(ImportSources{programFolder, trialBalancePath, parser.value(accounts)});
    if (!plan.readable()) {
        err << "telmtool import: nothing saved: " << plan.refusal << "\n";
        return kExitFailed;
    }
    const StatementAmounts& amounts = plan.amounts;
    for (const TrialBalanceRow& row : amounts.unplaced)
        err << "telmtool import: not in the account map: " << row.account << " " << row.name
            << " (line " << row.line << "), balance " << LedgerAmountText(row.closingBalance())
            << "\n";
    if (!amounts.unplaced.empty() && !parser.isSet(force)) {
        err << "telmtool import: nothing saved: " << amounts.unplaced.size()
            << " account(s) not in the account map; add them to a map of the company's own "
               "(--accounts FILE), or import the rest with --force\n";
        return kExitFailed;
    }
    if (parser.isSet(dryRun)) {
        for (const QString& notice : amounts.notices)
            err << "telmtool import: warning: " << notice << "\n";
        for (const StatementAmount& cell : amounts.cells)
            out << targetText(cell.target) << "\t" << cell.leva << "\t"
                << cell.accounts.join(QStringLiteral(" ")) << "\n";
        return amounts.unplaced.empty() && amounts.notices.isEmpty() ? kExitOk : kExitPartly;
    }

    ImportFilingRequest request{parser.value(bulstat), parser.value(company), parser.value(year),
                                parser.value(month),   programFolder,         QString(),
                                parser.isSet(force)};
    if (!parser.isSet(folder)) {
        const platform::DataFolderChoice data = platform::DataFolder(programFolder);
        if (data.path.isEmpty()) {
            err << "telmtool import: no folder for the data file: " << data.error << "\n";
            return kExitFailed;
        }
        request.dataFolder = data.path;
    }
    const ImportFilingResult result = ImportFiling(plan, request);
    for (const QString& skipped : result.skipped)
        err << "telmtool import: skipped " << skipped << "\n";
    for (const QString& warning : result.warnings)
        err << "telmtool import: warning: " << warning << "\n";
    for (const ImportedStatement& saved : result.saved)
        out << saved.path << "\t" << saved.code << ": " << saved.cells << " cell(s)\n";
    switch (result.status) {
    case ImportFilingResult::Status::BadUsage: return line.usage(err, result.error);
    case ImportFilingResult::Status::Refused:
        err << "telmtool import: not saved: " << result.error << "\n";
        return kExitFailed;
    case ImportFilingResult::Status::Saved: break;
    }
    for (const QString& finding : result.findings)
        err << "telmtool import: control: " << finding << "\n";
    return result.clean(plan) && result.warnings.isEmpty() ? kExitOk : kExitPartly;
}

} // namespace telm::tool
