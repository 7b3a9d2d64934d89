#include "data/generator/Outline.h"

#include <QRegularExpression>
#include <QStringList>

#include <set>

namespace telm::blankgen {

namespace {

OutlineError lineError(const QString& fileName, int line, const QString& what)
{
    return OutlineError{QStringLiteral("%1:%2: %3").arg(fileName).arg(line).arg(what)};
}

// A canonical decimal in the 16-bit range: no sign on zero, no leading zeros.
std::optional<int> canonicalId(const QString& text)
{
    static const QRegularExpression pattern(QStringLiteral("^(0|-?[1-9][0-9]{0,4})$"));
    if (!pattern.match(text).hasMatch())
        return std::nullopt;
    const int value = text.toInt();
    if (value < -32768 || value > 32767)
        return std::nullopt;
    return value;
}

bool isContent(const QString& line)
{
    const QString trimmed = line.trimmed();
    return !trimmed.isEmpty() && !trimmed.startsWith(QLatin1Char('#'));
}

} // namespace

std::optional<OutlineError> ParseOutline(const QString& text, const QString& fileName,
                                         std::vector<OutlineRow>& rows)
{
    rows.clear();
    std::set<int> ids;
    const QStringList lines = text.split(QLatin1Char('\n'));
    for (int i = 0; i < lines.size(); ++i) {
        const QString& line = lines.at(i);
        if (!isContent(line))
            continue;
        const int lineNo = i + 1;
        const QStringList parts = line.split(QLatin1Char('|'));
        if (parts.size() != 4)
            return lineError(fileName, lineNo,
                             QStringLiteral("expected id | flags | code | title"));

        OutlineRow row;
        const auto id = canonicalId(parts.at(0).trimmed());
        if (!id)
            return lineError(fileName, lineNo, QStringLiteral("bad row id"));
        if (!ids.insert(*id).second)
            return lineError(fileName, lineNo, QStringLiteral("duplicate row id"));
        row.id = *id;

        for (const QChar flag : parts.at(1).trimmed()) {
            if (flag == QLatin1Char('M'))
                row.manual = true;
            else if (flag == QLatin1Char('L'))
                row.locked = true;
            else if (flag == QLatin1Char('D'))
                row.deduction = true;
            else if (flag == QLatin1Char('S'))
                row.signedRow = true;
            else
                return lineError(fileName, lineNo, QStringLiteral("unknown flag"));
        }
        row.code = parts.at(2).trimmed();

        QString title = parts.at(3);
        if (!title.startsWith(QLatin1Char(' ')))
            return lineError(fileName, lineNo, QStringLiteral("a blank must follow the bar"));
        title.remove(0, 1);
        int blanks = 0;
        while (blanks < title.size() && title.at(blanks) == QLatin1Char(' '))
            ++blanks;
        if (blanks % 2 != 0)
            return lineError(fileName, lineNo, QStringLiteral("indent by two blanks per level"));
        row.level = blanks / 2 + 1;
        row.title = title.mid(blanks).trimmed();
        if (row.title.isEmpty())
            return lineError(fileName, lineNo, QStringLiteral("empty title"));
        const int previousLevel = rows.empty() ? 0 : rows.back().level;
        if (row.level > previousLevel + 1)
            return lineError(fileName, lineNo, QStringLiteral("a level is skipped"));
        rows.push_back(row);
    }
    if (rows.empty())
        return OutlineError{fileName + QStringLiteral(": no rows")};
    return std::nullopt;
}

std::optional<OutlineError> ParseConditions(const QString& text, const QString& fileName,
                                            ConditionsOutline& out)
{
    out = {};
    static const QRegularExpression section(QStringLiteral("^\\[([A-Za-z0-9]+)\\]$"));
    static const QRegularExpression source(QStringLiteral("^([+-])(-?[0-9]+)$"));
    QString current;
    const QStringList lines = text.split(QLatin1Char('\n'));
    for (int i = 0; i < lines.size(); ++i) {
        if (!isContent(lines.at(i)))
            continue;
        const int lineNo = i + 1;
        const QString line = lines.at(i).trimmed();
        const auto header = section.match(line);
        if (header.hasMatch()) {
            current = header.captured(1);
            if (out.runs.count(current))
                return lineError(fileName, lineNo, QStringLiteral("type listed twice"));
            out.order.push_back(current);
            out.runs[current];
            continue;
        }
        if (current.isEmpty())
            return lineError(fileName, lineNo, QStringLiteral("entry before any [Name]"));
        const qsizetype eq = line.indexOf(QLatin1Char('='));
        if (eq < 0)
            return lineError(fileName, lineNo, QStringLiteral("expected target = sources"));
        ConditionRun run;
        const auto target = canonicalId(line.left(eq).trimmed());
        if (!target)
            return lineError(fileName, lineNo, QStringLiteral("bad target id"));
        run.target = *target;
        const QStringList terms = line.mid(eq + 1).split(QLatin1Char(' '), Qt::SkipEmptyParts);
        for (const QString& term : terms) {
            const auto match = source.match(term);
            const auto id = match.hasMatch() ? canonicalId(match.captured(2)) : std::nullopt;
            if (!id)
                return lineError(fileName, lineNo, QStringLiteral("bad source ") + term);
            run.sources.push_back(
                ConditionSource{match.captured(1) == QLatin1String("-") ? -1 : 1, *id});
        }
        if (run.sources.empty())
            return lineError(fileName, lineNo, QStringLiteral("no sources"));
        out.runs[current].push_back(run);
    }
    return std::nullopt;
}

} // namespace telm::blankgen
