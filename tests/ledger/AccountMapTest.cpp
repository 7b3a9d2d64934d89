// The account map: its reading (each fault named with file and line), the
// placing of analytic accounts by the longest prefix, a company's map over the
// shipped one, and every shipped line against the shipped templates.
#include "ledger/AccountMap.h"

#include "selection/Catalogue.h"
#include "tests/support/TestFiles.h"
#include "xmlfiles/Rowset.h"

#include <algorithm>

#include <gtest/gtest.h>

using namespace telm;

namespace {

AccountMap parsed(const char* text)
{
    AccountMap map;
    const auto error = ParseAccountMap(QString::fromUtf8(text), QStringLiteral("A.txt"), map);
    EXPECT_FALSE(error) << (error ? error->message.toStdString() : std::string());
    return map;
}

struct BadMap
{
    const char* text;
    const char* message; // the start of the error
};

TEST(AccountMap, NamesTheFileAndLineOfABadEntry)
{
    const BadMap cases[] = {
        {"# c\n501 | debit\n", "A.txt:2: очаква се „сметка | правило | цел“"},
        {"501 | owed | Bal[510].DocDta_Sum3\n", "A.txt:1: непознато правило „owed“"},
        {"801 | debit | Bal[510].DocDta_Sum3\n", "A.txt:1: „801“ не е сметка от класове 1 до 7"},
        {"50a | debit | Bal[510].DocDta_Sum3\n", "A.txt:1: „50a“ не е сметка"},
        {"501 | debit | Bal[510].DocDta_Sum3 | Bal[520].DocDta_Sum3\n",
         "A.txt:1: правилото debit иска една цел"},
        {"401 | side | Bal[400].DocDta_Sum3\n", "A.txt:1: правилото side иска две цели"},
        {"501 | debit | Bal[510]\n", "A.txt:1: целта „Bal[510]“ не може да се прочете"},
        {"501 | debit | Xyz[510].DocDta_Sum3\n", "A.txt:1: непознат код на документ „Xyz“"},
        {"501 | debit | Bal[99999].DocDta_Sum3\n", "A.txt:1: „99999“ не е идентификатор на ред"},
        {"501 | result | Bal[750].DocDta_Sum3 | Bal[760].DocDta_Sum3\n",
         "A.txt:1: правилото result е само за реда result"},
        {"result | side | Bal[750].DocDta_Sum3 | Bal[760].DocDta_Sum3\n",
         "A.txt:1: правилото result е само за реда result"},
        {"501 | debit | Bal[510].DocDta_Sum3\n\n501 | debit | Bal[520].DocDta_Sum3\n",
         "A.txt:3: сметка 501 е посочена два пъти"},
        {"1231 | credit | Bal[750].DocDta_Sum3\n", "A.txt:1: сметка 1231 не се посочва"},
    };
    for (const BadMap& c : cases) {
        AccountMap map;
        const auto error = ParseAccountMap(QString::fromUtf8(c.text), QStringLiteral("A.txt"), map);
        ASSERT_TRUE(error) << c.text;
        EXPECT_TRUE(error->message.startsWith(QString::fromUtf8(c.message)))
            << c.text << " -> " << error->message.toStdString();
    }
}

TEST(AccountMap, PlacesAnAccountByItsLongestPrefix)
{
    const AccountMap map =
        parsed("241 | contra | Bal[50].DocDta_Sum3 | Bal[50].DocDta_Sum2\n"
               "2412 | contra | Bal[60].DocDta_Sum3 | Bal[60].DocDta_Sum2\n"
               "40 | side | Bal[400].DocDta_Sum3 | Bal[900].DocDta_Sum3\n"
               "result | result | Bal[750].DocDta_Sum3 | Bal[760].DocDta_Sum3\n");
    const struct
    {
        const char* account;
        const char* line; // nullptr: not placed
    } cases[] = {
        {"241", "241"},  {"2411", "241"},  {"2412", "2412"}, {"24125", "2412"}, {"241.2", "2412"},
        {"401.1", "40"}, {"401-17", "40"}, {"24", nullptr},  {"503", nullptr},  {"result", nullptr},
    };
    for (const auto& c : cases) {
        const AccountLine* line = map.place(QString::fromUtf8(c.account));
        const QString placed = line ? line->account : QString();
        EXPECT_EQ(placed, c.line ? QString::fromUtf8(c.line) : QString()) << c.account;
    }
    ASSERT_NE(map.result(), nullptr);
    EXPECT_EQ(map.result()->targets[1].row, 760);
}

TEST(AccountMap, ACompanysMapReplacesLinesAccountByAccount)
{
    AccountMap map = parsed("241 | contra | Bal[50].DocDta_Sum3 | Bal[50].DocDta_Sum2\n"
                            "501 | debit | Bal[510].DocDta_Sum3\n");
    map.overrideWith(parsed("241 | contra | Bal[60].DocDta_Sum3 | Bal[60].DocDta_Sum2\n"
                            "2411 | contra | Bal[50].DocDta_Sum3 | Bal[50].DocDta_Sum2\n"));
    ASSERT_EQ(map.lines.size(), 3u);
    EXPECT_EQ(map.place(QStringLiteral("241"))->targets[0].row, 60);
    EXPECT_EQ(map.place(QStringLiteral("2411"))->targets[0].row, 50);
    EXPECT_EQ(map.place(QStringLiteral("501"))->targets[0].row, 510);
}

// Every target of the shipped map is a row of the shipped template with that
// amount field; the map names a result line and places the accounts an import
// most often meets.
TEST(AccountMap, ShippedMapFeedsRowsOfTheShippedTemplates)
{
    AccountMap map;
    const auto error = LoadAccountMap(test::sourceData(QStringLiteral("Blanki/Accounts.txt")), map);
    ASSERT_FALSE(error) << error->message.toStdString();
    ASSERT_NE(map.result(), nullptr);
    for (const AccountLine& line : map.lines) {
        for (const AccountTarget& target : line.targets) {
            const DocType* type = DocTypeByCode(target.code);
            ASSERT_NE(type, nullptr);
            Rowset rowset;
            ASSERT_FALSE(
                LoadRowset(test::sourceData(QString::fromLatin1(type->templateFile)), rowset));
            const int id = rowset.column(QStringLiteral("DocStr_ID"));
            const int field = rowset.column(target.field);
            EXPECT_GE(field, 0) << "line " << line.line << ": " << target.field.toStdString();
            const bool found =
                std::any_of(rowset.rows.begin(), rowset.rows.end(), [&](const RowsetRow& row) {
                    return row.cells[id] == QString::number(target.row);
                });
            EXPECT_TRUE(found) << "line " << line.line << ": " << target.code.toStdString() << "["
                               << target.row << "]";
        }
    }
    for (const char* account :
         {"101", "203", "2411", "304", "401", "411", "453", "503", "601", "702", "703"})
        EXPECT_NE(map.place(QString::fromLatin1(account)), nullptr) << account;
}

} // namespace
