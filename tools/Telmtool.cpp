#include "tools/Telmtool.h"

#include "platform/Application.h"

namespace telm::tool {

std::ostream& operator<<(std::ostream& stream, const QString& text)
{
    const QByteArray bytes = text.toUtf8();
    return stream.write(bytes.constData(), bytes.size());
}

const std::vector<Subcommand>& Subcommands()
{
    static const std::vector<Subcommand> table = {
        {"hash", "TEXT | --file FILE", "checksum A_B_C (telmtool hash abc → 159_471_765)",
         "Prints the checksum A_B_C of TEXT (UTF-8), or of the UTF-8 text of FILE,\n"
         "counting each character with its Windows-1251 code (63 when it has none).\n"
         "A TEXT that begins with \"-\" follows \"--\".\n",
         RunHash},
        {"verify", "FILE...", "\"FILE: OK\" / \"TAMPERED\" / \"INVALID: reason\"; exit 0 if all OK",
         "Prints one line per file: \"FILE: OK\", \"FILE: TAMPERED\" or \"FILE: INVALID: "
         "reason\".\n"
         "Exits 0 only when every file is OK.\n",
         RunVerify},
        {"show", "FILE", "the header, then rows as TSV (level, id, code, title, amounts)",
         "Prints the header (period, BULSTAT, company, document, kind), a blank line, then the\n"
         "rows as tab-separated values: level, identifier, code, title and the amount fields\n"
         "DocDta_Sum1..., then the comparatives DocDta_PrevYear, DocDta_PrevSum1... where the\n"
         "file has them. Tabs and line ends inside texts are printed as blanks.\n",
         RunShow},
        {"bulstat", "NUMBER", "valid (exit 0) / invalid (exit 1)",
         "Prints \"valid\" and exits 0, or prints \"invalid\" and exits 1.\n", RunBulstat},
        {"fill",
         "--type CODE --bulstat B --company NAME --year YYYY --month M\n"
         "[--forecast] [--folder DIR] [--set ID:FIELD=AMOUNT ...] [--csv FILE ...]",
         "amounts committed as if typed, the document saved",
         "Opens the document as the new-document dialog would: the data file\n"
         "DIR/Data/VELDOR_<code>_<B>_<YYYY>_<M>.xml for correction if it exists, otherwise a\n"
         "new document from DIR/Blanki. Without --folder, DIR is the program's folder, and the\n"
         "data file is kept where the program keeps it: in its Data folder when that can be\n"
         "written to, else in the user's own (~/.local/share/TELM/telm-transfer/Data). A document "
         "open\n"
         "in the program or in another telmtool is not touched. Each amount is committed as if\n"
         "typed into the row with DocStr_ID = ID, in the data field FIELD (DocDta_Sum1 ...):\n"
         "group totals and derived columns follow; cells that cannot be typed into and amounts\n"
         "that are not numbers are reported on stderr and skipped. --csv reads the same\n"
         "triples, one per line as ID;FIELD;AMOUNT (UTF-8; a first line \"ID;FIELD;AMOUNT\" is\n"
         "a header); every other line it does not take is reported with its number. Result\n"
         "rows are summed where the form sums them, the balance check is printed as a warning,\n"
         "the file is saved atomically (a correction keeps the previous version as .bak) and\n"
         "its path printed.\n"
         "Exits 0 when saved with every amount, 3 when saved but some amounts were skipped,\n"
         "1 when nothing could be saved, 2 on bad usage.\n",
         RunFill},
        {"import",
         "TRIAL-BALANCE --bulstat B --company NAME --year YYYY --month M\n"
         "[--accounts MAPFILE] [--folder DIR] [--dry-run] [--force]",
         "the balance sheet and income statement filled from a trial balance",
         "Reads a ledger's trial balance (CSV or tab-separated, UTF-8 or Windows-1251, a header\n"
         "line naming the account and the closing debit and credit columns; the file may also\n"
         "be given as --trial-balance FILE), places each account's closing balance on the\n"
         "statements' rows through the account map (Blanki/Accounts.txt in DIR or the\n"
         "program's folder; --accounts MAPFILE replaces its lines account by account) and\n"
         "commits the amounts, rounded to whole leva, as telmtool fill does: a new document or\n"
         "a correction of the existing one (the cells the map names are replaced or emptied,\n"
         "the rest stays), totals and results summed, each path printed with its statement.\n"
         "Every statement is prepared before any is written; if a save fails, those saved\n"
         "before it are put back. The current result of classes 6 and 7 goes to \"Текуща\n"
         "печалба\" or, negative, \"Текуща загуба\"; after the closing entries it is 123's\n"
         "balance, and the income statement is filled from the turnovers of the full form\n"
         "(else it is not filled, with a warning). Nothing is saved when the file cannot be\n"
         "read, an amount cannot be read (its line is named), debits and credits differ, 123\n"
         "has a balance beside balances of classes 6 and 7, or an account with a balance is\n"
         "not in the map (each is listed; --force imports the rest). --dry-run prints each\n"
         "cell (Code[id].Field, leva, the accounts feeding it) and saves nothing. The filing's\n"
         "controls run once over what was saved; each finding is printed (\"control:\").\n"
         "Exits 0 when saved with every amount, every account placed, no warning and no\n"
         "finding; 3 when saved but not clean; 1 when nothing was saved; 2 on bad usage.\n",
         RunImport},
        {"print",
         "FILE... --pdf OUT.pdf [--unit leva|thousands] [--compiler NAME] [--manager NAME] "
         "[--landscape|--portrait] [--type CODE] [--folder DIR]",
         "data files or a blank form printed into one PDF file",
         "Prints data files, or a template as a blank form, into one PDF file without a\n"
         "display, as the program prints them: the title block (type, company, BULSTAT, unit,\n"
         "period; dotted lines on a blank form), the form's columns laid out for the page\n"
         "(portrait unless they need landscape), the header row on every page, a running\n"
         "header after the first page, the signature block with the file's save date after the\n"
         "last rows, and \"стр. N от M\". --unit thousands prints amounts in thousands of leva;\n"
         "--compiler and --manager print names under the signature lines. Several files must\n"
         "be one company's statements of one period: they are printed in the order of a\n"
         "filing, each from a new page, numbered through, one bookmark each. A template's type\n"
         "is told by its file name (testdata_Bal.xml) or by --type CODE. A data file is read\n"
         "into its form's template (Blanki/ in the program's folder, or in DIR with --folder).\n"
         "A data file changed outside the program is refused. OUT.pdf must not be an input,\n"
         "a data file, a link, a FIFO, a device or a folder; an ordinary file there is\n"
         "replaced only by a complete one. Exits 0 when printed, 1 when a file cannot be\n"
         "read or the PDF cannot be written, 2 on bad usage.\n",
         RunPrint},
        {"check", "FILE... [--controls FILE]", "the consistency controls: disagreements, a summary",
         "Runs the consistency controls (Blanki/Checks.txt in the program's folder unless\n"
         "--controls names another) over the data files: each statement on its own, and the\n"
         "statements of one company (BULSTAT), period and kind (real or forecast) against each\n"
         "other. The comparatives are checked against last year's statements of the same\n"
         "company, kind and month: those given, or else the data files of a year earlier\n"
         "beside them. Prints one line per control that does not agree: the files, the control's\n"
         "name, what does not agree, the two amounts and the difference; a file that cannot\n"
         "be read, is not a data file or was changed outside the program is printed with its\n"
         "reason and not checked. Ends with a summary line.\n"
         "Exits 0 when every control agrees and every file was read, 1 otherwise, 2 on bad\n"
         "usage.\n",
         RunCheck},
        {"extract", "FILE... [--jobs N] [--raw] > out.csv",
         "every amount as one CSV on stdout (RFC 4180, UTF-8)",
         "Writes one CSV (RFC 4180: comma-separated, quoted where needed, CRLF line ends;\n"
         "UTF-8) with a header line and one line per amount of every row of every file:\n"
         "file, bulstat, company, year, month, document (the type's code), forecast (0 or 1),\n"
         "row (DocStr_ID), level, code, title, field (DocDta_Sum1 ..., then the comparatives\n"
         "DocDta_PrevYear, DocDta_PrevSum1 ...), amount (an integer\n"
         "without grouping, \"-\" for a negative one). Each file's checksum is verified first;\n"
         "a file that cannot be read, is not a data file or was changed outside the program\n"
         "is reported on stderr with its reason and not extracted. Files are read by N\n"
         "parallel jobs (default: the number of processor cores) and written in the order\n"
         "given. A text field (file, bulstat, company, document, code, title) that starts\n"
         "with =, +, -, @, a tab or a carriage return is written with a ' before it, so that a\n"
         "spreadsheet shows it as text and never runs it as a formula; --raw writes the texts\n"
         "as they are. Numbers (year, month, row, level, amount) are never changed.\n"
         "Exits 0 when every file was extracted, 1 when any was refused or the output could\n"
         "not be written, 2 on bad usage.\n",
         RunExtract},
        {"list", "[DIR] [--json] [--controls FILE]",
         "the data files of a folder with their state, by filing",
         "Lists every data file of DIR (the program's data folder unless given) as\n"
         "tab-separated values with a header line: file, company, bulstat, year, month, kind\n"
         "(real or forecast), type (the type's code), saved (the file's time), verified (yes\n"
         "or no: whether its checksum is right) and controls (the number of the consistency\n"
         "controls' findings over its filing, 0 when they all agree; the controls are\n"
         "Blanki/Checks.txt in the program's folder unless --controls names another). Files\n"
         "are grouped by filing (company, period and kind): companies by name, the newest\n"
         "period first, statements in the filing's order. --json writes the same by filing,\n"
         "with the findings in words and the expected statements a filing lacks. A file that\n"
         "does not verify is also named on stderr with its reason.\n"
         "Exits 0 when every file verifies, 1 when any does not or the folder cannot be read,\n"
         "2 on bad usage.\n",
         RunList},
    };
    return table;
}

namespace {

// Where the overview's summaries start.
constexpr qsizetype kSummaryColumn = 40;

bool isHelp(const QString& arg)
{
    return arg == QLatin1String("--help") || arg == QLatin1String("-h");
}

// "<prefix><name> <arguments>", continuation lines indented under the arguments.
QStringList usageLines(const QString& prefix, const Subcommand& command)
{
    const QString head = prefix + QLatin1String(command.name) + u' ';
    QStringList lines;
    for (const QString& part : QString::fromLatin1(command.arguments).split(u'\n'))
        lines << (lines.isEmpty() ? head : QString(head.size(), u' ')) + part;
    return lines;
}

} // namespace

QString Overview()
{
    QString text = QStringLiteral("Usage: telmtool COMMAND [ARGS]\nCommands:\n");
    for (const Subcommand& command : Subcommands()) {
        QStringList lines = usageLines(QStringLiteral("  "), command);
        const QString summary = QString::fromUtf8(command.summary);
        // The summary beside the first line where it fits, else on a line of its own.
        if (lines.size() == 1 && lines.first().size() < kSummaryColumn - 1)
            lines.first() = lines.first().leftJustified(kSummaryColumn) + summary;
        else
            lines << QString(kSummaryColumn, u' ') + summary;
        text += lines.join(u'\n') + u'\n';
    }
    text += QStringLiteral("Run \"telmtool COMMAND --help\" for a command's details, \"telmtool "
                           "--version\" for the\nversion. Bad usage exits 2 in every command.\n");
    return text;
}

QString Help(const Subcommand& command)
{
    QStringList lines = usageLines(QStringLiteral("Usage: telmtool "), command);
    return lines.join(u'\n') + u'\n' + QString::fromLatin1(command.details);
}

CommandLine::CommandLine(const char* command) : m_command(QString::fromLatin1(command))
{
    m_parser.setSingleDashWordOptionMode(QCommandLineParser::ParseAsLongOptions);
    m_parser.setOptionsAfterPositionalArgumentsMode(QCommandLineParser::ParseAsOptions);
}

bool CommandLine::parse(const QStringList& args, std::ostream& err)
{
    if (m_parser.parse(QStringList{QStringLiteral("telmtool")} + args))
        return true;
    usage(err, m_parser.errorText());
    return false;
}

int CommandLine::usage(std::ostream& err, const QString& why) const
{
    err << "telmtool " << m_command << ": " << why << " (see telmtool " << m_command
        << " --help)\n";
    return kExitUsage;
}

std::optional<int>
CommandLine::refuseMissing(std::initializer_list<const QCommandLineOption*> required,
                           std::ostream& err) const
{
    if (!positional().isEmpty())
        return usage(err, QStringLiteral("unknown argument \"%1\"").arg(positional().first()));
    for (const QCommandLineOption* option : required)
        if (!m_parser.isSet(*option))
            return usage(err, QStringLiteral("--%1 is required").arg(option->names().first()));
    return std::nullopt;
}

QCommandLineOption CommandLine::valued(const char* name, const char* value)
{
    return QCommandLineOption(QString::fromLatin1(name), QString(), QString::fromLatin1(value));
}

int RunTelmtool(const QStringList& args, std::ostream& out, std::ostream& err)
{
    if (args.isEmpty()) {
        err << Overview();
        return kExitUsage;
    }
    if (args.first() == QLatin1String("--version")) {
        out << "telmtool " << platform::ProgramVersion() << "\n";
        return kExitOk;
    }
    if (isHelp(args.first()) || args.first() == QLatin1String("help")) {
        out << Overview();
        return kExitOk;
    }
    for (const Subcommand& command : Subcommands()) {
        if (args.first() != QLatin1String(command.name))
            continue;
        const QStringList rest = args.mid(1);
        if (rest.size() == 1 && isHelp(rest.first())) {
            out << Help(command);
            return kExitOk;
        }
        const int code = command.run(rest, out, err);
        // Output that could not be written (a full disk, a closed pipe) is no
        // success, whatever the command did.
        out.flush();
        if (!out && code != kExitUsage) {
            err << "telmtool " << command.name << ": the output could not be written\n";
            return kExitFailed;
        }
        return code;
    }
    err << "telmtool: unknown command \"" << args.first() << "\"\n";
    err << Overview();
    return kExitUsage;
}

} // namespace telm::tool
