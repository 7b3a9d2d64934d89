#include "checks/Controls.h"

#include "platform/RegularFile.h"
#include "selection/Catalogue.h"

#include <QDir>
#include <QFileInfo>
#include <QRegularExpression>

#include <algorithm>
#include <set>

namespace telm {

namespace {

ControlsError lineError(const QString& fileName, int line, const QString& what)
{
    return ControlsError{QStringLiteral("%1:%2: %3").arg(fileName).arg(line).arg(what)};
}

// No term of a control is longer: a code, a row, a field and blanks.
constexpr qsizetype kLongestTerm = 160;

// "+ Bal[750].DocDta_Sum3 - Bal[760].DocDta_Sum3"; the first sign may be left out.
// A side of "0" alone has no terms: the other side is held to zero.
std::optional<QString> parseSide(const QString& text, std::vector<ControlTerm>& terms)
{
    static const QRegularExpression term(
        QStringLiteral("\\G\\s*([+-]?)\\s*([A-Za-z][A-Za-z0-9_]*)(@-1)?\\[(\\*|-?\\d+)\\]\\."
                       "(\\*|DocDta_Sum\\d+|DocDta_PrevYear|DocDta_PrevSum\\d+)\\s*"));
    qsizetype at = 0;
    const QString trimmed = text.trimmed();
    if (trimmed == QLatin1String("0"))
        return std::nullopt;
    const auto quoted = [&](qsizetype from) { return trimmed.mid(from, 60); };
    while (at < trimmed.size()) {
        // Each term is matched in a short window of its own: the regular
        // expression library checks its whole subject at every match, which on
        // a long line would cost the square of its length.
        const QString window = trimmed.mid(at, kLongestTerm);
        const QRegularExpressionMatch m = term.match(window);
        if (!m.hasMatch() || m.capturedLength() == 0
            || (window.size() == kLongestTerm && m.capturedEnd() == window.size()))
            return QStringLiteral("cannot read a term at \"%1\"").arg(quoted(at));
        if (m.captured(1).isEmpty() && !terms.empty())
            return QStringLiteral("a term without + or - at \"%1\"").arg(quoted(at));
        if (!DocTypeByCode(m.captured(2)))
            return QStringLiteral("unknown document code %1").arg(m.captured(2));
        ControlTerm t{m.captured(1) == QLatin1String("-") ? -1 : 1,
                      m.captured(2),
                      0,
                      m.captured(5),
                      m.captured(3).isEmpty() ? 0 : 1,
                      m.captured(4) == QLatin1String("*")};
        bool isNumber = t.everyRow;
        if (!t.everyRow)
            t.row = m.captured(4).toInt(&isNumber);
        if (!isNumber || t.row < -32768 || t.row > 32767)
            return QStringLiteral("the row %1 is not a row identifier (-32768 to 32767)")
                .arg(m.captured(4).left(20));
        terms.push_back(std::move(t));
        at += m.capturedEnd();
    }
    if (terms.empty())
        return QStringLiteral("a side with no terms");
    return std::nullopt;
}

} // namespace

std::vector<QString> Control::codes() const
{
    std::vector<QString> out;
    for (const std::vector<ControlTerm>* side : {&left, &right})
        for (const ControlTerm& t : *side)
            if (std::find(out.begin(), out.end(), t.code) == out.end())
                out.push_back(t.code);
    return out;
}

std::vector<ControlTerm> Control::statements() const
{
    std::vector<ControlTerm> out;
    for (const std::vector<ControlTerm>* side : {&left, &right})
        for (const ControlTerm& t : *side)
            if (std::none_of(out.begin(), out.end(),
                             [&](const ControlTerm& o) { return o.sameStatement(t); }))
                out.push_back(t);
    return out;
}

bool Control::columnByColumn() const
{
    const std::vector<ControlTerm>& side = left.empty() ? right : left;
    return !side.empty() && side.front().field == QLatin1String("*");
}

bool Control::rowByRow() const
{
    const std::vector<ControlTerm>& side = left.empty() ? right : left;
    return !side.empty() && side.front().everyRow;
}

bool Control::readsLastYear() const
{
    for (const std::vector<ControlTerm>* side : {&left, &right})
        for (const ControlTerm& t : *side)
            if (t.yearsBack > 0)
                return true;
    return false;
}

std::optional<ControlsError> ParseControls(const QString& text, const QString& fileName,
                                           ControlTable& out)
{
    out.clear();
    ControlTable table;
    std::set<QString> names;
    static const QRegularExpression name(QStringLiteral("^[a-z][a-z0-9-]*$"));
    static const QRegularExpression op(QStringLiteral("\\s(<=|=)\\s"));
    const QStringList lines = text.split(u'\n');
    for (int i = 0; i < lines.size(); ++i) {
        const int lineNo = i + 1;
        const QString line = lines.at(i).trimmed();
        if (line.isEmpty() || line.startsWith(u'#'))
            continue;
        const QStringList parts = line.split(u'|');
        if (parts.size() != 3)
            return lineError(fileName, lineNo,
                             QStringLiteral("expected name | comparison | message"));
        Control c;
        c.line = lineNo;
        c.name = parts.at(0).trimmed();
        c.message = parts.at(2).trimmed();
        if (!name.match(c.name).hasMatch())
            return lineError(fileName, lineNo,
                             QStringLiteral("a name is lower-case letters, digits and -"));
        if (!names.insert(c.name).second)
            return lineError(fileName, lineNo,
                             QStringLiteral("the name %1 is used twice").arg(c.name));
        if (c.message.isEmpty())
            return lineError(fileName, lineNo, QStringLiteral("no message"));
        const QString comparison = parts.at(1);
        const QRegularExpressionMatch m = op.match(comparison);
        if (!m.hasMatch() || op.match(comparison, m.capturedEnd()).hasMatch())
            return lineError(fileName, lineNo,
                             QStringLiteral("expected one = or <= between blanks"));
        c.op = m.captured(1) == QLatin1String("=") ? ControlOp::Equal : ControlOp::NotGreater;
        if (const auto e = parseSide(comparison.left(m.capturedStart()), c.left))
            return lineError(fileName, lineNo, *e);
        if (const auto e = parseSide(comparison.mid(m.capturedEnd()), c.right))
            return lineError(fileName, lineNo, *e);
        if (c.left.empty() && c.right.empty())
            return lineError(fileName, lineNo, QStringLiteral("a comparison of 0 with 0"));
        // Column by column: every term `*`, all of one statement.
        const auto isStar = [](const ControlTerm& t) { return t.field == QLatin1String("*"); };
        const bool anyStar = std::any_of(c.left.begin(), c.left.end(), isStar)
                             || std::any_of(c.right.begin(), c.right.end(), isStar);
        const bool allStar = std::all_of(c.left.begin(), c.left.end(), isStar)
                             && std::all_of(c.right.begin(), c.right.end(), isStar);
        if (anyStar && (!allStar || c.codes().size() != 1))
            return lineError(fileName, lineNo,
                             QStringLiteral("* must be the field of every term, in one statement"));
        // Row by row: every term `[*]`, each with its field named.
        const auto isEveryRow = [](const ControlTerm& t) { return t.everyRow; };
        const bool anyRow = std::any_of(c.left.begin(), c.left.end(), isEveryRow)
                            || std::any_of(c.right.begin(), c.right.end(), isEveryRow);
        const bool allRows = std::all_of(c.left.begin(), c.left.end(), isEveryRow)
                             && std::all_of(c.right.begin(), c.right.end(), isEveryRow);
        if (anyRow && (!allRows || anyStar))
            return lineError(fileName, lineNo,
                             QStringLiteral("[*] must be the row of every term, each with a "
                                            "named field"));
        table.push_back(std::move(c));
    }
    out = std::move(table);
    return std::nullopt;
}

std::optional<ControlsError> LoadControls(const QString& path, ControlTable& out)
{
    out.clear();
    QString reason;
    const std::optional<QByteArray> bytes = platform::ReadRegularFile(path, reason);
    if (!bytes)
        return ControlsError{QStringLiteral("%1: %2").arg(path, reason)};
    return ParseControls(QString::fromUtf8(*bytes), QFileInfo(path).fileName(), out);
}

QString ControlsPath(const QString& programFolder)
{
    return programFolder + QDir::separator() + QStringLiteral("Blanki") + QDir::separator()
           + QStringLiteral("Checks.txt");
}

} // namespace telm
