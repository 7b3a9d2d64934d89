#include "ledger/AccountMap.h"

#include "platform/RegularFile.h"
#include "selection/Catalogue.h"

#include <QDir>
#include <QFileInfo>
#include <QRegularExpression>

#include <algorithm>
#include <set>

namespace telm {

namespace {

AccountMapError lineError(const QString& fileName, int line, const QString& what)
{
    return AccountMapError{QStringLiteral("%1:%2: %3").arg(fileName).arg(line).arg(what)};
}

struct RuleName
{
    const char* name;
    AccountRule rule;
    std::size_t targets;
};

constexpr RuleName kRules[] = {
    {"debit", AccountRule::Debit, 1},   {"credit", AccountRule::Credit, 1},
    {"side", AccountRule::Side, 2},     {"contra", AccountRule::Contra, 2},
    {"result", AccountRule::Result, 2},
};

const QString kResult = QStringLiteral("result");

std::optional<QString> parseTarget(const QString& text, AccountTarget& out)
{
    static const QRegularExpression pattern(
        QStringLiteral("^([A-Za-z][A-Za-z0-9_]*)\\[(-?\\d{1,6})\\]\\.(DocDta_Sum\\d{1,2})$"));
    const QRegularExpressionMatch m = pattern.match(text);
    if (!m.hasMatch())
        return QStringLiteral("целта „%1“ не може да се прочете (Код[ред].DocDta_SumN)")
            .arg(text.left(60));
    if (!DocTypeByCode(m.captured(1)))
        return QStringLiteral("непознат код на документ „%1“").arg(m.captured(1));
    out.code = m.captured(1);
    out.row = m.captured(2).toInt();
    out.field = m.captured(3);
    if (out.row < -32768 || out.row > 32767)
        return QStringLiteral("„%1“ не е идентификатор на ред (от -32768 до 32767)")
            .arg(m.captured(2));
    return std::nullopt;
}

// The account's digits: analytic separators passed over.
QString digitsOf(const QString& account)
{
    QString out;
    for (const QChar c : account)
        if (c.isDigit())
            out.append(c);
    return out;
}

} // namespace

const AccountLine* AccountMap::place(const QString& account) const
{
    const QString digits = digitsOf(account);
    const AccountLine* best = nullptr;
    for (const AccountLine& l : lines)
        if (l.rule != AccountRule::Result && digits.startsWith(l.account)
            && (!best || l.account.size() > best->account.size()))
            best = &l;
    return best;
}

const AccountLine* AccountMap::result() const
{
    const auto found = std::find_if(lines.begin(), lines.end(), [](const AccountLine& l) {
        return l.rule == AccountRule::Result;
    });
    return found == lines.end() ? nullptr : &*found;
}

void AccountMap::overrideWith(const AccountMap& other)
{
    for (const AccountLine& l : other.lines) {
        const auto same = std::find_if(lines.begin(), lines.end(), [&](const AccountLine& mine) {
            return mine.account == l.account;
        });
        if (same == lines.end())
            lines.push_back(l);
        else
            *same = l;
    }
}

std::optional<AccountMapError> ParseAccountMap(const QString& text, const QString& fileName,
                                               AccountMap& out)
{
    static const QRegularExpression account(QStringLiteral("^[1-7]\\d{0,7}$"));
    out.lines.clear();
    std::set<QString> seen;
    const QStringList lines = text.split(QLatin1Char('\n'));
    for (qsizetype i = 0; i < lines.size(); ++i) {
        const int number = int(i) + 1;
        const QString line = lines[i].trimmed();
        if (line.isEmpty() || line.startsWith(QLatin1Char('#')))
            continue;
        const QStringList parts = line.split(QLatin1Char('|'));
        if (parts.size() < 3)
            return lineError(fileName, number,
                             QStringLiteral("очаква се „сметка | правило | цел“"));
        AccountLine entry;
        entry.line = number;
        entry.account = parts[0].trimmed();
        const QString ruleText = parts[1].trimmed();
        const auto rule =
            std::find_if(std::begin(kRules), std::end(kRules),
                         [&](const RuleName& r) { return ruleText == QLatin1String(r.name); });
        if (rule == std::end(kRules))
            return lineError(fileName, number,
                             QStringLiteral("непознато правило „%1“ (debit, credit, side, contra, "
                                            "result)")
                                 .arg(ruleText.left(30)));
        entry.rule = rule->rule;
        if ((entry.rule == AccountRule::Result) != (entry.account == kResult))
            return lineError(fileName, number,
                             QStringLiteral("правилото result е само за реда result"));
        if (entry.rule != AccountRule::Result && !account.match(entry.account).hasMatch())
            return lineError(
                fileName, number,
                QStringLiteral("„%1“ не е сметка от класове 1 до 7").arg(entry.account.left(30)));
        if (entry.account.startsWith(QLatin1String("123")))
            return lineError(fileName, number,
                             QStringLiteral("сметка %1 не се посочва: текущият резултат се чете от "
                                            "сметка 123 и отива по реда result")
                                 .arg(entry.account));
        if (std::size_t(parts.size() - 2) != rule->targets)
            return lineError(fileName, number,
                             QStringLiteral("правилото %1 иска %2")
                                 .arg(ruleText, rule->targets == 1 ? QStringLiteral("една цел")
                                                                   : QStringLiteral("две цели")));
        for (qsizetype t = 2; t < parts.size(); ++t) {
            AccountTarget target;
            if (const auto error = parseTarget(parts[t].trimmed(), target))
                return lineError(fileName, number, *error);
            entry.targets.push_back(target);
        }
        if (!seen.insert(entry.account).second)
            return lineError(fileName, number,
                             QStringLiteral("сметка %1 е посочена два пъти").arg(entry.account));
        out.lines.push_back(std::move(entry));
    }
    return std::nullopt;
}

std::optional<AccountMapError> LoadAccountMap(const QString& path, AccountMap& out)
{
    out.lines.clear();
    QString reason;
    const std::optional<QByteArray> bytes = platform::ReadRegularFile(path, reason);
    if (!bytes)
        return AccountMapError{QStringLiteral("%1: %2").arg(path, reason)};
    return ParseAccountMap(QString::fromUtf8(*bytes), QFileInfo(path).fileName(), out);
}

QString AccountMapPath(const QString& programFolder)
{
    return programFolder + QDir::separator() + QStringLiteral("Blanki") + QDir::separator()
           + QStringLiteral("Accounts.txt");
}

} // namespace telm
