#include "selection/Bulstat.h"

#include <gtest/gtest.h>

using telm::CheckBulstat;

TEST(Bulstat, CheckDigitCases)
{
    struct Case
    {
        const char* text;
        bool valid;
    } cases[] = {
        {"123456786", true},                        // first sum gives the check digit
        {"123456789", false},  {"100000086", true}, // first sum 10, second sum decides
        {"100000550", true},                        // both sums 10: check digit 0
        {"100000551", false},  {"12345678", false}, // too short
        {"1234567861", false},                      // too long
        {"12345678a", false},  {" 12345678", false},
        {"", false},           {"١٢٣٤٥٦٧٨٦", false}, // Arabic-Indic digits are not BULSTAT digits
    };
    for (const Case& c : cases)
        EXPECT_EQ(CheckBulstat(QString::fromUtf8(c.text)), c.valid) << c.text;
}
