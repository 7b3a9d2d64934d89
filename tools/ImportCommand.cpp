// telmtool import: a ledger's trial balance placed on the balance sheet and the
// income statement through the account map, and the amounts committed as if
// typed, by the same road as telmtool fill.
#include "editor/DocumentFill.h"
#include "ledger/AccountMap.h"
#include "ledger/StatementAmounts.h"
#include "ledger/TrialBalance.h"
#include "platform/DataFolder.h"
#include "platform/ProgramFolder.h"
#include "platform/RegularFile.h"
#include "tools/Telmtool.h"

#include <QFileInfo>

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
    if (const std::optional<int> refused =
            line.refuseMissing({&trialBalance, &bulstat, &company, &year, &month}, err))
        return *refused;

    const QString programFolder =
        parser.isSet(folder) ? parser.value(folder) : platform::ProgramFolder();
    AccountMap map;
    if (const auto error = LoadAccountMap(AccountMapPath(programFolder), map)) {
        err << "telmtool import: nothing saved: " << error->message << "\n";
        return kExitFailed;
    }
    if (parser.isSet(accounts)) {
        AccountMap own;
        if (const auto error = LoadAccountMap(parser.value(accounts), own)) {
            err << "telmtool import: nothing saved: " << error->message << "\n";
            return kExitFailed;
        }
        map.overrideWith(own);
    }
    const QString path = parser.value(trialBalance);
    QString reason;
    const std::optional<QByteArray> bytes = platform::ReadRegularFile(path, reason);
    if (!bytes) {
        err << "telmtool import: cannot read " << path << ": " << reason << "\n";
        return kExitFailed;
    }
    TrialBalance tb;
    if (const auto error = ReadTrialBalance(*bytes, QFileInfo(path).fileName(), tb)) {
        err << "telmtool import: nothing saved: " << error->message << "\n";
        return kExitFailed;
    }

    const StatementAmounts amounts = PlaceTrialBalance(tb, map);
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

    // The statements in the order the map first names them.
    QStringList codes;
    for (const StatementAmount& cell : amounts.cells)
        if (!codes.contains(cell.target.code))
            codes.append(cell.target.code);
    if (parser.isSet(dryRun)) {
        for (const StatementAmount& cell : amounts.cells)
            out << targetText(cell.target) << "\t" << cell.leva << "\t"
                << cell.accounts.join(QStringLiteral(" ")) << "\n";
        return amounts.unplaced.empty() ? kExitOk : kExitPartly;
    }

    bool clean = amounts.unplaced.empty();
    for (const QString& code : codes) {
        FillRequest request;
        request.typeCode = code;
        request.bulstat = parser.value(bulstat);
        request.company = parser.value(company);
        request.year = parser.value(year);
        request.month = parser.value(month);
        request.programFolder = programFolder;
        if (!parser.isSet(folder)) {
            const platform::DataFolderChoice data = platform::DataFolder(programFolder);
            if (data.path.isEmpty()) {
                err << "telmtool import: no folder for the data file: " << data.error << "\n";
                return kExitFailed;
            }
            request.dataFolder = data.path;
        }
        int filled = 0;
        for (const StatementAmount& cell : amounts.cells) {
            if (cell.target.code != code)
                continue;
            request.entries.push_back(FillEntry{QString::number(cell.target.row), cell.target.field,
                                                QString::number(cell.leva),
                                                cell.accounts.join(QStringLiteral(" "))});
            ++filled;
        }
        const FillResult result = telm::RunFill(request);
        for (const QString& refused : result.refused)
            err << "telmtool import: skipped " << refused << "\n";
        for (const QString& warning : result.warnings)
            err << "telmtool import: warning: " << warning << "\n";
        switch (result.status) {
        case FillResult::Status::BadUsage: return line.usage(err, result.error);
        case FillResult::Status::NotSaved:
            err << "telmtool import: " << code << " not saved: " << result.error << "\n";
            return kExitFailed;
        case FillResult::Status::Saved:
            out << result.savedPath << "\t" << code << ": " << filled << " cell(s)\n";
            clean = clean && result.refused.isEmpty() && result.warnings.isEmpty();
            break;
        }
    }
    return clean ? kExitOk : kExitPartly;
}

} // namespace telm::tool
