#include "selection/YearText.h"

#include <gtest/gtest.h>

using telm::PeriodFromText;
using telm::YearFromText;

TEST(YearText, FourAsciiDigitsAreAYear)
{
    EXPECT_EQ(YearFromText(QStringLiteral("2005")), 2005);
    EXPECT_EQ(YearFromText(QStringLiteral("1900")), 1900);
    EXPECT_EQ(YearFromText(QStringLiteral("0999")), 999);
    EXPECT_EQ(YearFromText(QStringLiteral("9999")), 9999);
}

TEST(YearText, AnythingElseIsRefused)
{
    const char16_t* refused[] = {
        u"",
        u"05",
        u"20055",
        u"-005",
        u"+200",
        u"1e10",
        u" 200",
        u"200 ",
        u"2,05",
        u"2.05",
        u"0x10",
        u"２００５" /* full-width digits */,
        u"٢٠٠٥" /* Arabic-Indic digits */,
    };
    for (const char16_t* text : refused)
        EXPECT_FALSE(YearFromText(QString::fromUtf16(text)))
            << QString::fromUtf16(text).toStdString();
}

TEST(YearText, PeriodSplitsAtTheSlash)
{
    const struct
    {
        const char* text;
        const char* month;
        int year;
    } cases[] = {
        {"12/2005", "12", 2005},
        {"3/2005", "3", 2005},
        {"6/999", "6", 999},
        {"9/0999", "9", 999},
        {"3/0", "3", 0}, // a year typed as 0000 is written so
        // Any month of the year, not only a quarter's end.
        {"4/2005", "4", 2005},
        {"1/2005", "1", 2005},
        {"11/2005", "11", 2005},
        {"03/2005", "3", 2005},
    };
    for (const auto& c : cases) {
        const auto period = PeriodFromText(QString::fromLatin1(c.text));
        ASSERT_TRUE(period) << c.text;
        EXPECT_EQ(period->month, QString::fromLatin1(c.month)) << c.text;
        EXPECT_EQ(period->year, c.year) << c.text;
    }
}

TEST(YearText, PeriodsTheProgramNeverWritesAreRefused)
{
    const char* refused[] = {
        "",          "2005",     "12",       "12/",      "/2005",   "12/abcd", "12/-5",
        "12/+5",     "12/20055", "12/ 2005", "12/2005 ", "13/2005", "0/2005",  " 3/2005",
        "12/2005/1", "00/2005",  "012/2005", "+3/2005",  "3 /2005",
    };
    for (const char* text : refused)
        EXPECT_FALSE(PeriodFromText(QString::fromLatin1(text))) << text;
}
