// telmtool fill: opens a document as the new-document dialog would, commits
// amounts through the same rules as typing them, and saves it.
#include "editor/AmountText.h"
#include "editor/DocumentFill.h"
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

// One triple per line, "ID;FIELD;AMOUNT"; an optional header line; blank lines skipped.
bool readCsv(const QString& path, std::vector<FillEntry>& entries, std::ostream& err)
{
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly)) {
        err << "telmtool fill: cannot read " << path << ": " << file.errorString() << "\n";
        return false;
    }
    QString text = QString::fromUtf8(file.readAll());
    if (text.startsWith(QChar(0xFEFF)))
        text.remove(0, 1);
    const QStringList lines = text.split(QRegularExpression(QStringLiteral("\r\n|\n|\r")));
    bool ok = true;
    static const QRegularExpression number(QStringLiteral("^-?\\d+$"));
    for (int i = 0; i < lines.size(); ++i) {
        const QString line = lines[i].trimmed();
        if (line.isEmpty())
            continue;
        const QStringList parts = line.split(u';');
        const QString where = QStringLiteral("%1:%2").arg(path).arg(i + 1);
        if (parts.size() != 3) {
            err << "telmtool fill: " << where << ": expected ID;FIELD;AMOUNT\n";
            ok = false;
            continue;
        }
        if (!number.match(parts[0].trimmed()).hasMatch()) {
            if (i == 0 || entries.empty())
                continue; // a header line
            err << "telmtool fill: " << where << ": the identifier is not a number\n";
            ok = false;
            continue;
        }
        entries.push_back({parts[0].trimmed(), parts[1].trimmed(), parts[2], where});
    }
    return ok;
}

int usage(std::ostream& err, const QString& why)
{
    err << "telmtool fill: " << why << " (see telmtool fill --help)\n";
    return kExitUsage;
}

} // namespace

int RunFill(const QStringList& args, std::ostream& out, std::ostream& err)
{
    FillRequest request;
    request.programFolder = QCoreApplication::applicationDirPath();
    QStringList csvFiles;
    for (int i = 0; i < args.size(); ++i) {
        const QString& arg = args[i];
        auto value = [&](QString& target) {
            if (i + 1 >= args.size())
                return false;
            target = args[++i];
            return true;
        };
        bool ok = true;
        if (arg == QLatin1String("--type"))
            ok = value(request.typeCode);
        else if (arg == QLatin1String("--bulstat"))
            ok = value(request.bulstat);
        else if (arg == QLatin1String("--company"))
            ok = value(request.company);
        else if (arg == QLatin1String("--year"))
            ok = value(request.year);
        else if (arg == QLatin1String("--month"))
            ok = value(request.month);
        else if (arg == QLatin1String("--folder"))
            ok = value(request.programFolder);
        else if (arg == QLatin1String("--forecast"))
            request.forecast = true;
        else if (arg == QLatin1String("--set")) {
            QString text;
            FillEntry entry;
            if (!value(text) || !parseSet(text, entry))
                return usage(err, QStringLiteral("--set takes ID:FIELD=AMOUNT"));
            entry.origin = QStringLiteral("--set %1").arg(text);
            request.entries.push_back(entry);
        } else if (arg == QLatin1String("--csv")) {
            QString path;
            ok = value(path);
            csvFiles << path;
        } else {
            return usage(err, QStringLiteral("unknown argument \"%1\"").arg(arg));
        }
        if (!ok)
            return usage(err, QStringLiteral("%1 needs a value").arg(arg));
    }
    for (const char* required : {"--type", "--bulstat", "--company", "--year", "--month"}) {
        const QString name = QString::fromLatin1(required);
        if (!args.contains(name))
            return usage(err, QStringLiteral("%1 is required").arg(name));
    }
    for (const QString& path : csvFiles)
        if (!readCsv(path, request.entries, err))
            return kExitUsage;

    // Amounts are read as the program reads what is typed: with this system's separators.
    setAmountLocale(AmountLocale::system());
    const FillResult result = telm::RunFill(request);
    for (const QString& line : result.refused)
        err << "telmtool fill: skipped " << line << "\n";
    for (const QString& line : result.warnings)
        err << "telmtool fill: warning: " << line << "\n";
    switch (result.status) {
    case FillResult::Status::BadUsage: return usage(err, result.error);
    case FillResult::Status::NotSaved:
        err << "telmtool fill: nothing saved: " << result.error << "\n";
        return kExitFailed;
    case FillResult::Status::Saved: out << result.savedPath << "\n"; return kExitOk;
    }
    return kExitFailed;
}

} // namespace telm::tool
