// telmtool, the command-line companion: a table of subcommands over the core.
// Each subcommand takes its arguments (UTF-8 decoded) and the two output streams
// and returns the exit code, so tests run it without a process.
#pragma once

#include <QCommandLineParser>
#include <QStringList>

#include <initializer_list>
#include <optional>
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
    const char* arguments; // what follows the name; a "\n" starts a continuation line
    const char* summary;   // what it does, for the overview
    const char* details;   // `telmtool <name> --help`, after its usage line
    int (*run)(const QStringList& args, std::ostream& out, std::ostream& err);
};

// The subcommands in the order the overview lists them; a new one is one more entry.
const std::vector<Subcommand>& Subcommands();

// `telmtool --help`: one line per subcommand, from the table. The README's
// synopsis is this text, and a test holds the two together.
QString Overview();
// `telmtool <name> --help`: the usage line, then the details.
QString Help(const Subcommand& command);

// One subcommand's arguments, read the same way by every subcommand: long
// options (one dash or two), values after a blank or "=", "--" ends the
// options. Bad usage is said in one form and exits with kExitUsage.
class CommandLine
{
public:
    explicit CommandLine(const char* command);
    void addOption(const QCommandLineOption& option) { m_parser.addOption(option); }
    // False, having said why on `err`, when the arguments are not understood.
    bool parse(const QStringList& args, std::ostream& err);
    const QCommandLineParser& parser() const { return m_parser; }
    QStringList positional() const { return m_parser.positionalArguments(); }
    // "telmtool <name>: <why> (see telmtool <name> --help)"; returns kExitUsage.
    int usage(std::ostream& err, const QString& why) const;
    // For a command of options only: the usage error for a stray argument or
    // the first of `required` not given, or nothing when all is there.
    std::optional<int> refuseMissing(std::initializer_list<const QCommandLineOption*> required,
                                     std::ostream& err) const;

    // An option that takes a value: `--name VALUE`.
    static QCommandLineOption valued(const char* name, const char* value);

private:
    QString m_command;
    QCommandLineParser m_parser;
};

// Runs `telmtool args...` (args without the program name).
int RunTelmtool(const QStringList& args, std::ostream& out, std::ostream& err);

// The units of the table.
int RunHash(const QStringList& args, std::ostream& out, std::ostream& err);
int RunVerify(const QStringList& args, std::ostream& out, std::ostream& err);
int RunShow(const QStringList& args, std::ostream& out, std::ostream& err);
int RunBulstat(const QStringList& args, std::ostream& out, std::ostream& err);
int RunFill(const QStringList& args, std::ostream& out, std::ostream& err);
int RunImport(const QStringList& args, std::ostream& out, std::ostream& err);
int RunPrint(const QStringList& args, std::ostream& out, std::ostream& err);
int RunCheck(const QStringList& args, std::ostream& out, std::ostream& err);
int RunExtract(const QStringList& args, std::ostream& out, std::ostream& err);
int RunList(const QStringList& args, std::ostream& out, std::ostream& err);

// Writes a QString as UTF-8.
std::ostream& operator<<(std::ostream& stream, const QString& text);

} // namespace telm::tool
