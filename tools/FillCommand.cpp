// telmtool fill: opens a document as the new-document dialog would, commits
// amounts through the same rules as typing them, and saves it.
#include "editor/DocumentFill.h"
#include "platform/DataFolder.h"
#include "platform/ProgramFolder.h"
#include "platform/RegularFile.h"
#include "tools/FillCsv.h"
#include "tools/Telmtool.h"

#include <QCoreApplication>
#include <QFile>
#include <QRegularExpression>

namespace telm::tool {

namespace {

// "ID:FIELD=AMOUNT"
bool parseSet(const QString& text, FillEntry& entry)
{
    static const QRegularExpression pattern(
        QStringLiteral("^\\s*(-?\\d+)\\s*:\\s*(\\w+)\\s*=(.*)$"));
    const QRegularExpressionMatch match = pattern.match(text);
    if (!match.hasMatch())
        return false;
    entry.id = match.captured(1);
    entry.field = match.captured(2);
    entry.amount = match.captured(3);
    return true;
}

// The CSV file's entries; what cannot be read is reported on stderr.
bool readCsv(const QString& path, std::vector<FillEntry>& entries, int& skipped, std::ostream& err)
{
    QString reason;
    const std::optional<QByteArray> bytes = platform::ReadRegularFile(path, reason);
    if (!bytes) {
        err << "telmtool fill: cannot read " << path << ": " << reason << "\n";
        return false;
    }
    QStringList notTaken;
    ReadFillCsv(*bytes, path, entries, notTaken);
    for (const QString& line : notTaken)
        err << "telmtool fill: skipped " << line << "\n";
    skipped += int(notTaken.size());
    return true;
}

} // namespace

int RunFill(const QStringList& args, std::ostream& out, std::ostream& err)
{
    CommandLine line("fill");
    const auto valued = &CommandLine::valued;
    const QCommandLineOption type = valued("type", "CODE"), bulstat = valued("bulstat", "B"),
                             company = valued("company", "NAME"), year = valued("year", "YYYY"),
                             month = valued("month", "M"), folder = valued("folder", "DIR"),
                             set = valued("set", "ID:FIELD=AMOUNT"), csv = valued("csv", "FILE"),
                             forecast(QStringLiteral("forecast"));
    for (const QCommandLineOption& option :
         {type, bulstat, company, year, month, folder, set, csv, forecast})
        line.addOption(option);
    if (!line.parse(args, err))
        return kExitUsage;
    const QCommandLineParser& parser = line.parser();
    if (const std::optional<int> refused =
            line.refuseMissing({&type, &bulstat, &company, &year, &month}, err))
        return *refused;

    FillRequest request;
    request.typeCode = parser.value(type);
    request.bulstat = parser.value(bulstat);
    request.company = parser.value(company);
    request.year = parser.value(year);
    request.month = parser.value(month);
    request.forecast = parser.isSet(forecast);
    request.programFolder = parser.isSet(folder) ? parser.value(folder) : platform::ProgramFolder();
    for (const QString& text : parser.values(set)) {
        FillEntry entry;
        if (!parseSet(text, entry))
            return line.usage(err, QStringLiteral("--set takes ID:FIELD=AMOUNT"));
        entry.origin = QStringLiteral("--set %1").arg(text);
        request.entries.push_back(entry);
    }
    // The program's own folder keeps its data where the program does: beside it
    // when it can be written to, else in the user's own data folder.
    if (!parser.isSet(folder)) {
        const platform::DataFolderChoice data = platform::DataFolder(request.programFolder);
        if (data.path.isEmpty()) {
            err << "telmtool fill: no folder for the data file: " << data.error << "\n";
            return kExitFailed;
        }
        request.dataFolder = data.path;
    }
    int skipped = 0;
    for (const QString& path : parser.values(csv))
        if (!readCsv(path, request.entries, skipped, err))
            return kExitFailed;

    const FillResult result = telm::RunFill(request);
    for (const QString& refused : result.refused)
        err << "telmtool fill: skipped " << refused << "\n";
    for (const QString& warning : result.warnings)
        err << "telmtool fill: warning: " << warning << "\n";
    switch (result.status) {
    case FillResult::Status::BadUsage: return line.usage(err, result.error);
    case FillResult::Status::NotSaved:
        err << "telmtool fill: nothing saved: " << result.error << "\n";
        return kExitFailed;
    case FillResult::Status::Saved:
        out << result.savedPath << "\n";
        // Saved, but not everything asked for is in it.
        return skipped > 0 || !result.refused.isEmpty() ? kExitPartly : kExitOk;
    }
    return kExitFailed;
}

} // namespace telm::tool
