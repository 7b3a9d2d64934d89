// telmtool check: the consistency controls over handed-over data files,
// grouped by company, period and kind.
#include "checks/ControlRun.h"
#include "checks/LastYear.h"
#include "platform/ProgramFolder.h"
#include "tools/Telmtool.h"

#include <QDir>

#include <deque>

namespace telm::tool {

namespace {

QString filesOf(const ControlFailure& failure)
{
    QStringList paths;
    for (const Statement* s : failure.statements)
        paths << s->path;
    return paths.join(QStringLiteral(", "));
}

} // namespace

int RunCheck(const QStringList& args, std::ostream& out, std::ostream& err)
{
    CommandLine line("check");
    const QCommandLineOption controlsOption(QStringLiteral("controls"), QString(),
                                            QStringLiteral("FILE"));
    line.addOption(controlsOption);
    if (!line.parse(args, err))
        return kExitUsage;
    const QCommandLineParser& parser = line.parser();
    const QStringList files = line.positional();
    if (files.isEmpty())
        return line.usage(err, QStringLiteral("expected at least one FILE"));

    const QString controlsPath = parser.isSet(controlsOption)
                                     ? parser.value(controlsOption)
                                     : ControlsPath(platform::ProgramFolder());
    ControlTable table;
    if (const std::optional<ControlsError> error = LoadControls(controlsPath, table)) {
        err << "telmtool check: cannot read the controls: " << error->message << "\n";
        return kExitFailed;
    }

    std::vector<Statement> statements;
    statements.reserve(static_cast<size_t>(files.size()));
    int refused = 0;
    for (const QString& path : files) {
        Statement s;
        if (const std::optional<StatementFault> fault = ReadStatement(path, s)) {
            out << path << ": " << StatementFaultText(*fault) << "\n";
            ++refused;
            continue;
        }
        statements.push_back(std::move(s));
    }

    int ran = 0;
    int failed = 0;
    const auto number = [](qint64 value) { return QString::number(value); };
    const std::vector<std::vector<const Statement*>> filings = GroupByFiling(statements);
    std::vector<const Statement*> given;
    for (const Statement& s : statements)
        given.push_back(&s);
    for (const std::vector<const Statement*>& filing : filings) {
        // Last year's statements, given or beside this year's, for the comparatives.
        const LastYearFiling lastYear = FindLastYear(filing, given);
        for (const auto& [path, fault] : lastYear.unreadable)
            out << path << ": " << StatementFaultText(fault)
                << " (last year's statement: the comparatives are not checked against it)\n";
        for (const ControlFailure& failure :
             RunControls(table, filing, nullptr, &ran, lastYear.statements)) {
            out << filesOf(failure) << ": " << failure.control->name << ": "
                << DescribeFailure(failure, number) << "\n";
            ++failed;
        }
    }
    out << QStringLiteral("%1 files in %2 filings: %3 comparisons, %4 failed, %5 files refused\n")
               .arg(files.size())
               .arg(filings.size())
               .arg(ran)
               .arg(failed)
               .arg(refused);
    return failed == 0 && refused == 0 ? kExitOk : kExitFailed;
}

} // namespace telm::tool
