#include "ledger/TrialBalance.h"

#include "editor/AmountText.h"

#include <QRegularExpression>

#include <algorithm>
#include <cmath>

namespace telm {

namespace {

enum class Column { None, Account, Name, Debit, Credit };
enum class Phase { Opening, Turnover, Closing };

struct HeaderCell
{
    Column column = Column::None;
    Phase phase = Phase::Closing;
};

bool hasToken(const QStringList& tokens, std::initializer_list<const char*> words, bool prefix)
{
    return std::any_of(tokens.begin(), tokens.end(), [&](const QString& token) {
        return std::any_of(words.begin(), words.end(), [&](const char* word) {
            const QString w = QString::fromUtf8(word);
            return prefix ? token.startsWith(w) : token == w;
        });
    });
}

// What a header cell names, by its words in Bulgarian or English.
HeaderCell classify(const QString& header)
{
    static const QRegularExpression nonWord(QStringLiteral("[^\\p{L}\\p{N}]+"));
    const QStringList tokens = header.toLower().split(nonWord, Qt::SkipEmptyParts);
    HeaderCell cell;
    if (hasToken(tokens, {"наименование", "име", "name", "description"}, false))
        cell.column = Column::Name;
    else if (hasToken(tokens, {"сметка", "сметки", "account", "код", "code", "номер"}, false)
             || header.toLower().contains(QStringLiteral("с-ка")))
        cell.column = Column::Account;
    else if (hasToken(tokens, {"дебит", "дт", "debit", "dr"}, false))
        cell.column = Column::Debit;
    else if (hasToken(tokens, {"кредит", "кт", "credit", "cr"}, false))
        cell.column = Column::Credit;
    if (hasToken(tokens, {"нач", "opening"}, true))
        cell.phase = Phase::Opening;
    else if (hasToken(tokens, {"оборот", "turnover", "movement"}, true))
        cell.phase = Phase::Turnover;
    return cell;
}

QChar separatorOf(const QString& header)
{
    QChar best = QLatin1Char(';');
    qsizetype most = header.count(best);
    for (const QChar c : {QChar(QLatin1Char('\t')), QChar(QLatin1Char(','))})
        if (header.count(c) > most) {
            best = c;
            most = header.count(c);
        }
    return best;
}

TrialBalanceError at(const QString& fileName, int line, const QString& what)
{
    return TrialBalanceError{QStringLiteral("%1:%2: %3").arg(fileName).arg(line).arg(what)};
}

} // namespace

QString LedgerAmountText(qint64 stotinki)
{
    // Whole leva through the amounts' formatter, then the two decimals.
    const qint64 magnitude = stotinki < 0 ? -stotinki : stotinki;
    return (stotinki < 0 ? QStringLiteral("-") : QString()) + FormatNumber(double(magnitude / 100))
           + QStringLiteral(",%1").arg(magnitude % 100, 2, 10, QLatin1Char('0'));
}

std::optional<qint64> ReadLedgerAmount(const QString& text)
{
    QString t = text.trimmed();
    if (t.isEmpty())
        return 0;
    bool negative = false;
    if (t.startsWith(QLatin1Char('-'))) {
        negative = true;
        t = t.mid(1).trimmed();
    } else if (t.startsWith(QLatin1Char('(')) && t.endsWith(QLatin1Char(')'))) {
        negative = true;
        t = t.mid(1, t.size() - 2).trimmed();
    }
    static const QRegularExpression decimals(QStringLiteral("^(.+)([,.])(\\d{1,2})$"));
    QString whole = t;
    qint64 fraction = 0;
    if (const QRegularExpressionMatch m = decimals.match(t); m.hasMatch()) {
        const bool dot = m.captured(2) == QLatin1String(".");
        // A dot is a decimal mark only before exactly two digits, and then not
        // also a separator of groups.
        if (dot && (m.captured(3).size() != 2 || m.captured(1).contains(QLatin1Char('.'))))
            return std::nullopt;
        whole = m.captured(1);
        fraction = m.captured(3).toLongLong() * (m.captured(3).size() == 1 ? 10 : 1);
    }
    if (whole.contains(QLatin1Char(',')) || whole.startsWith(QLatin1Char('-'))
        || whole.startsWith(QLatin1Char('(')))
        return std::nullopt;
    const AmountReading reading = ReadAmountText(whole);
    if (!reading.value || reading.refusal || std::abs(*reading.value) >= 1e13)
        return std::nullopt;
    const qint64 value = qint64(*reading.value) * 100 + fraction;
    return negative ? -value : value;
}

std::optional<TrialBalanceError> ReadTrialBalance(const QByteArray& bytes, const QString& fileName,
                                                  TrialBalance& out)
{
    out = TrialBalance{};
    const QStringList lines =
        DecodeLedgerText(bytes).split(QRegularExpression(QStringLiteral("\\r\\n|\\r|\\n")));
    qsizetype headerAt = 0;
    while (headerAt < lines.size() && lines[headerAt].trimmed().isEmpty())
        ++headerAt;
    if (headerAt == lines.size())
        return TrialBalanceError{QStringLiteral("%1: файлът е празен").arg(fileName)};
    const QChar separator = separatorOf(lines[headerAt]);
    const QStringList header = SplitLedgerLine(lines[headerAt], separator);

    int account = -1, name = -1;
    int amount[3][2] = {{-1, -1}, {-1, -1}, {-1, -1}}; // [phase][debit, credit]
    for (int i = 0; i < int(header.size()); ++i) {
        const HeaderCell cell = classify(header[i]);
        int* slot = nullptr;
        switch (cell.column) {
        case Column::Account: slot = &account; break;
        case Column::Name: slot = &name; break;
        case Column::Debit: slot = &amount[int(cell.phase)][0]; break;
        case Column::Credit: slot = &amount[int(cell.phase)][1]; break;
        case Column::None: break;
        }
        if (slot && *slot < 0)
            *slot = i;
    }
    const int closing = int(Phase::Closing);
    if (account < 0 || amount[closing][0] < 0 || amount[closing][1] < 0)
        return at(fileName, int(headerAt) + 1,
                  QStringLiteral("първият ред не назовава колоните „Сметка“, „Дебит“ и „Кредит“ "
                                 "(на крайното салдо): добавете ред със заглавията им"));
    out.hasOpening = amount[int(Phase::Opening)][0] >= 0 && amount[int(Phase::Opening)][1] >= 0;
    out.hasTurnover = amount[int(Phase::Turnover)][0] >= 0 && amount[int(Phase::Turnover)][1] >= 0;

    std::vector<TrialBalanceRow> rows;
    for (qsizetype i = headerAt + 1; i < lines.size(); ++i) {
        if (lines[i].trimmed().isEmpty())
            continue;
        const QStringList fields = SplitLedgerLine(lines[i], separator);
        const auto field = [&](int column) {
            return column >= 0 && column < fields.size() ? fields[column] : QString();
        };
        TrialBalanceRow row;
        row.line = int(i) + 1;
        row.account = field(account);
        row.name = field(name);
        static const QRegularExpression accountNumber(QStringLiteral("^\\d[\\d./-]*$"));
        if (!accountNumber.match(row.account).hasMatch())
            continue; // a title or a total line
        qint64* targets[3][2] = {{&row.openingDebit, &row.openingCredit},
                                 {&row.turnoverDebit, &row.turnoverCredit},
                                 {&row.closingDebit, &row.closingCredit}};
        for (int phase = 0; phase < 3; ++phase)
            for (int side = 0; side < 2; ++side) {
                if (amount[phase][side] < 0)
                    continue;
                const QString text = field(amount[phase][side]);
                const std::optional<qint64> value = ReadLedgerAmount(text);
                if (!value)
                    return at(fileName, row.line,
                              QStringLiteral("сумата „%1“ не може да се прочете: пишете я с "
                                             "десетична запетая („1234,56“) или с точка и точно "
                                             "две цифри след нея („1234.56“); при запетая между "
                                             "полетата сумата се огражда в кавички")
                                  .arg(text.left(40)));
                *targets[phase][side] = *value;
            }
        rows.push_back(std::move(row));
    }

    // A synthetic account whose analytics are in the file too is their total:
    // "401" of "4011" and "401.1", "401.1" of "401.1.2" but not of "401.10".
    // Sorted, an account's analytics follow it, those after a separator first
    // (the separators sort before the digits), so the next account tells.
    std::vector<std::pair<QString, std::size_t>> sorted;
    for (std::size_t r = 0; r < rows.size(); ++r)
        sorted.emplace_back(rows[r].account, r);
    std::sort(sorted.begin(), sorted.end());
    const auto isSeparator = [](QChar c) { return !c.isDigit(); };
    std::vector<bool> total(rows.size(), false);
    for (std::size_t k = 0; k < sorted.size(); ++k) {
        std::size_t next = k + 1;
        while (next < sorted.size() && sorted[next].first == sorted[k].first)
            ++next;
        if (next == sorted.size())
            continue;
        const QString& account = sorted[k].first;
        const QString& following = sorted[next].first;
        if (following.startsWith(account)
            && (isSeparator(following[account.size()])
                || std::none_of(account.begin(), account.end(), isSeparator)))
            total[sorted[k].second] = true;
    }
    for (std::size_t r = 0; r < rows.size(); ++r) {
        if (total[r])
            out.totals.append(rows[r].account);
        else
            out.rows.push_back(rows[r]);
    }

    const struct
    {
        bool present;
        qint64 TrialBalanceRow::*debit;
        qint64 TrialBalanceRow::*credit;
        const char16_t* what;
    } sums[] = {
        {out.hasOpening, &TrialBalanceRow::openingDebit, &TrialBalanceRow::openingCredit,
         u"началните салда"},
        {out.hasTurnover, &TrialBalanceRow::turnoverDebit, &TrialBalanceRow::turnoverCredit,
         u"оборотите"},
        {true, &TrialBalanceRow::closingDebit, &TrialBalanceRow::closingCredit, u"крайните салда"},
    };
    for (const auto& sum : sums) {
        if (!sum.present)
            continue;
        qint64 debit = 0, credit = 0;
        for (const TrialBalanceRow& row : out.rows)
            if (__builtin_add_overflow(debit, row.*sum.debit, &debit)
                || __builtin_add_overflow(credit, row.*sum.credit, &credit))
                return at(fileName, row.line,
                          QStringLiteral("сумите на ведомостта са твърде големи"));
        if (debit != credit)
            return TrialBalanceError{
                QStringLiteral("%1: в %2 дебитът (%3) не е равен на кредита (%4), разлика %5: "
                               "ведомостта не е пълна; изнесете я отново от счетоводството")
                    .arg(fileName, QString::fromUtf16(sum.what), LedgerAmountText(debit),
                         LedgerAmountText(credit), LedgerAmountText(debit - credit))};
    }
    return std::nullopt;
}

} // namespace telm
