// Reading a ledger's trial balance: its amounts (a table), its encodings,
// separators and column forms, its synthetic accounts and its refusals.
#include "ledger/TrialBalance.h"

#include "tests/support/TestFiles.h"
#include "xmlfiles/Cp1251.h"

#include <gtest/gtest.h>

using namespace telm;

namespace {

TEST(TrialBalance, ReadsAmountsWithTwoDecimalsAndRefusesTheAmbiguous)
{
    const struct
    {
        const char* text;
        std::optional<qint64> stotinki;
    } cases[] = {
        {"", 0},
        {"1234.56", 123456},
        {"1234,56", 123456},
        {"1 234,5", 123450},
        {"1 234 567", 123456700},
        {"1.234.567,89", 123456789},
        {"-0.50", -50},
        {"(12,30)", -1230},
        {"\xC2\xA0"
         "7\xC2\xA0"
         "000,01",
         700001},
        {"12.5", std::nullopt},     // a dot before one digit: a decimal or a typing slip?
        {"1,234", std::nullopt},    // a comma before three digits: thousands or decimals?
        {"1.234.56", std::nullopt}, // dots both as groups and as the decimal mark
        {"1,2,34", std::nullopt},
        {"12,345,67", std::nullopt},
        {"--5", std::nullopt},
        {"abc", std::nullopt},
        {"1e5", std::nullopt},
    };
    for (const auto& c : cases)
        EXPECT_EQ(ReadLedgerAmount(QString::fromUtf8(c.text)), c.stotinki) << c.text;
}

TEST(TrialBalance, ReadsClosingBalancesAndCountsASyntheticAccountOnce)
{
    TrialBalance tb;
    const auto error = ReadTrialBalance(test::readAll(test::fixture(QStringLiteral("trading.csv"))),
                                        QStringLiteral("trading.csv"), tb);
    ASSERT_FALSE(error) << error->message.toStdString();
    EXPECT_FALSE(tb.hasOpening);
    EXPECT_FALSE(tb.hasTurnover);
    EXPECT_EQ(tb.totals, QStringList{QStringLiteral("401")});
    ASSERT_EQ(tb.rows.size(), 13u);
    EXPECT_EQ(tb.rows[0].account, QStringLiteral("101"));
    EXPECT_EQ(tb.rows[0].closingCredit, 500000);
    EXPECT_EQ(tb.rows[0].line, 3);
    EXPECT_EQ(tb.rows[4].account, QStringLiteral("401.1"));
    EXPECT_EQ(tb.rows[4].closingBalance(), -180020);
}

// A total is told by the account it begins: "401" totals "4011" and
// "401.1"; "401.1" is no total of "401.10", but totals "401.1.2".
TEST(TrialBalance, ATotalIsTheAccountItsAnalyticsBeginWith)
{
    TrialBalance tb;
    const auto error = ReadTrialBalance("Сметка;Дебит;Кредит\n"
                                        "401;;30\n401.1;;10\n401.10;;5\n401.1.2;;10\n"
                                        "4011;;5\n503;20;\n",
                                        QStringLiteral("tb.csv"), tb);
    ASSERT_FALSE(error) << error->message.toStdString();
    QStringList read;
    for (const TrialBalanceRow& row : tb.rows)
        read << row.account;
    EXPECT_EQ(read, (QStringList{"401.10", "401.1.2", "4011", "503"}));
    EXPECT_EQ(tb.totals, (QStringList{"401", "401.1"}));
}

// The full form, tab-separated and in Windows-1251, with English headers for
// a change; and a comma-separated file whose amounts are quoted.
TEST(TrialBalance, ReadsTheFullFormInWindows1251AndQuotedFields)
{
    const QString text = QStringLiteral(
        "Account\tName\tOpening debit\tOpening credit\tTurnover debit\tTurnover credit\t"
        "Closing debit\tClosing credit\r\n"
        "101\tОсновен капитал\t\t5000.00\t\t\t\t5000.00\r\n"
        "503\tРазплащателна сметка\t5000.00\t\t100.00\t40.00\t5060.00\t\r\n"
        "703\tПриходи от услуги\t\t\t\t100.00\t\t100.00\r\n"
        "602\tВъншни услуги\t\t\t40.00\t\t40.00\t\r\n");
    QByteArray bytes;
    for (const QChar c : text)
        bytes.append(char(Cp1251Code(c.unicode())));
    TrialBalance tb;
    auto error = ReadTrialBalance(bytes, QStringLiteral("tb.txt"), tb);
    ASSERT_FALSE(error) << error->message.toStdString();
    EXPECT_TRUE(tb.hasOpening);
    EXPECT_TRUE(tb.hasTurnover);
    ASSERT_EQ(tb.rows.size(), 4u);
    EXPECT_EQ(tb.rows[1].name, QStringLiteral("Разплащателна сметка"));
    EXPECT_EQ(tb.rows[1].turnoverCredit, 4000);
    EXPECT_EQ(tb.rows[1].closingDebit, 506000);

    const QByteArray quoted = "\xEF\xBB\xBF"
                              "\"Сметка\",\"Дебит\",\"Кредит\"\n"
                              "101,,\"1 000,50\"\n"
                              "\"503\",\"1 000,50\",\n";
    error = ReadTrialBalance(quoted, QStringLiteral("tb.csv"), tb);
    ASSERT_FALSE(error) << error->message.toStdString();
    ASSERT_EQ(tb.rows.size(), 2u);
    EXPECT_EQ(tb.rows[1].closingDebit, 100050);
}

TEST(TrialBalance, RefusesWithTheFileTheLineAndHowToMendIt)
{
    const struct
    {
        const char* text;
        const char* message; // the start of the refusal
    } cases[] = {
        {"", "tb.csv: файлът е празен"},
        {"\nСметка;Сума\n101;5\n", "tb.csv:2: първият ред не назовава колоните"},
        {"Сметка;Дебит;Кредит\n101;;5.00\n503;12.5;\n", "tb.csv:3: сумата „12.5“ не може"},
        {"Сметка;Дебит;Кредит\n101;;5000,00\n503;4999,99;\n",
         "tb.csv: в крайните салда дебитът (4\u00a0999,99) не е равен на кредита (5\u00a0000,00), "
         "разлика -0,01"},
        {"Сметка;Нач. салдо Дт;Нач. салдо Кт;Дебит;Кредит\n101;;7;;5\n503;5;;5;\n",
         "tb.csv: в началните салда дебитът (5,00) не е равен на кредита (7,00)"},
    };
    for (const auto& c : cases) {
        TrialBalance tb;
        const auto error = ReadTrialBalance(QByteArray(c.text), QStringLiteral("tb.csv"), tb);
        ASSERT_TRUE(error) << c.text;
        EXPECT_TRUE(error->message.startsWith(QString::fromUtf8(c.message)))
            << error->message.toStdString();
    }
}

} // namespace
