// telmtool, the command-line companion: a table of subcommands over the core.
// Each subcommand takes its arguments (UTF-8 decoded) and the two output streams
// and returns the exit code, so tests run it without a process.
#pragma once

#include <QStringList>

#include <ostream>
#include <vector>

namespace telm::tool {

// Exit codes shared by the subcommands.
constexpr int kExitOk = 0;
constexpr int kExitFailed = 1; // the answer is "no": tampered, invalid, unreadable
constexpr int kExitUsage = 2;
constexpr int kExitPartly = 3; // saved, but some requested amounts are not in it

struct Subcommand
{
    const char* name;
    const char* synopsis; // one line for the overview
    const char* help;     // the text of `telmtool <name> --help`
    int (*run)(const QStringList& args, std::ostream& out, std::ostream& err);
};

// The subcommands in the order the overview lists them; a new one is one more entry.
const std::vector<Subcommand>& Subcommands();

// Runs `telmtool args...` (args without the program name).
int RunTelmtool(const QStringList& args, std::ostream& out, std::ostream& err);

// The units of the table.
int RunHash(const QStringList& args, std::ostream& out, std::ostream& err);
int RunVerify(const QStringList& args, std::ostream& out, std::ostream& err);
int RunShow(const QStringList& args, std::ostream& out, std::ostream& err);
int RunBulstat(const QStringList& args, std::ostream& out, std::ostream& err);
int RunFill(const QStringList& args, std::ostream& out, std::ostream& err);
int RunPrint(const QStringList& args, std::ostream& out, std::ostream& err);
int RunCheck(const QStringList& args, std::ostream& out, std::ostream& err);
int RunExtract(const QStringList& args, std::ostream& out, std::ostream& err);

// Writes a QString as UTF-8.
std::ostream& operator<<(std::ostream& stream, const QString& text);

} // namespace telm::tool
