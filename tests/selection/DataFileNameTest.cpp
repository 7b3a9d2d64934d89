#include "selection/DataFileName.h"

#include "selection/Catalogue.h"
#include "selection/DocumentContext.h"

#include <gtest/gtest.h>

using namespace telm;

TEST(DataFileName, NamingRuleCases)
{
    struct Case
    {
        int position;
        bool forecast;
        qint16 year;
        const char* month;
        const char* expected;
    } cases[] = {
        {0, false, 2005, "12", "/prog/Data/VELDOR_Bal_123456786_2005_12.xml"},
        {0, true, 2005, "12", "/prog/Data/VELDOR_P_Bal_123456786_2005_12.xml"},
        {0, false, 2005, "3", "/prog/Data/VELDOR_Bal_123456786_2005_3.xml"},
        {0, true, 2005, "3", "/prog/Data/VELDOR_P_Bal_123456786_2005_3.xml"},
        {0, false, 999, "6", "/prog/Data/VELDOR_Bal_123456786_999_6.xml"}, // typed 0999
        {3, false, 2006, "9", "/prog/Data/VELDOR_OPPLiq_123456786_2006_9.xml"},
        {8, true, 2006, "12", "/prog/Data/VELDOR_P_Cap_123456786_2006_12.xml"},
    };
    AppState state;
    state.FilePrefix = QStringLiteral("VELDOR");
    state.programFolder = QStringLiteral("/prog");
    state.company.Bulstat = QStringLiteral("123456786");
    for (const Case& c : cases) {
        state.period.iYear = c.year;
        state.period.sQuarter = QString::fromLatin1(c.month);
        EXPECT_EQ(DataFilePathFor(state, *DocTypeAt(c.position), c.forecast),
                  QString::fromLatin1(c.expected));
    }
    // A data folder of the user's own, when the program folder is read-only.
    state.dataFolder = QStringLiteral("/home/u/.local/share/TELM/telm-transfer/Data");
    EXPECT_EQ(DataFilePathFor(state, *DocTypeAt(0), false),
              state.dataFolder + QStringLiteral("/VELDOR_Bal_123456786_2006_12.xml"));
}

TEST(DataFileName, TemplateAndConditionsUnderProgramFolder)
{
    EXPECT_EQ(TemplatePath(QStringLiteral("/prog"), *DocTypeAt(3)),
              QStringLiteral("/prog/Blanki/testdata_MFlowLiq.xml"));
    EXPECT_EQ(ConditionsPath(QStringLiteral("/prog")),
              QStringLiteral("/prog/Blanki/Conditions.xml"));
}
