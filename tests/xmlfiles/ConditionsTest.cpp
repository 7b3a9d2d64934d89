#include "xmlfiles/Conditions.h"

#include "tests/support/TestFiles.h"
#include "xmlfiles/XmlDocument.h"

#include <QTemporaryDir>

#include <gtest/gtest.h>

using namespace telm;

TEST(LoadConditions, EntriesOfOneTitleInFileOrder)
{
    XmlDocument xml;
    const ConditionsTable table = LoadConditions(xml, test::fixture("conditions.xml"),
                                                 QString::fromUtf8("Отчет за приходи и разходи"));
    // Other titles, other letter case, other spacing and nested rows are left out.
    ASSERT_EQ(table.size(), 3u);
    const char* const expected[][5] = {
        {"Отчет за приходи и разходи", "40", "10", "1", "3"},
        {"Отчет за приходи и разходи", "40", "20", "-1", "1"},
        {"Отчет за приходи и разходи", "42", "40", "", "2"}, // no DocCond_Sign
    };
    for (size_t i = 0; i < table.size(); ++i) {
        const ConditionEntry& e = table[i];
        const QString got[] = {e.DocType_Name, e.DocStr_ID, e.DocStr_IDSum, e.DocCond_Sign,
                               e.DocCond_Order};
        for (int k = 0; k < 5; ++k)
            EXPECT_EQ(got[k], QString::fromUtf8(expected[i][k])) << i << " " << k;
    }
    EXPECT_FALSE(xml.isEmpty());
}

TEST(LoadConditions, TitleWithApostropheAndEmptyCases)
{
    XmlDocument xml;
    const ConditionsTable quoted = LoadConditions(xml, test::fixture("conditions.xml"),
                                                  QString::fromUtf8("Отчет на д'Артанян"));
    ASSERT_EQ(quoted.size(), 1u);
    EXPECT_EQ(quoted[0].DocStr_ID, "60");

    EXPECT_TRUE(LoadConditions(xml, test::fixture("conditions.xml"), "Unknown").empty());

    QTemporaryDir dir;
    ASSERT_TRUE(xml.load(test::fixture("conditions.xml")));
    EXPECT_TRUE(
        LoadConditions(xml, dir.filePath("Conditions.xml"), QString::fromUtf8("Баланс")).empty());
    EXPECT_TRUE(xml.isEmpty());
}
