#include "selection/Catalogue.h"

#include <gtest/gtest.h>

using namespace telm;

namespace {

struct Row
{
    const char* title;
    const char* code;
    const char* forecast;
    const char* templateFile;
    FormId form;
    VariantFlag variant;
    int help;
};

// The catalogue as the official titles read, character for character.
const Row kExpected[] = {
    {"Баланс", "Bal", "P_Bal", "Blanki/testdata_Bal.xml", FormId::frmDocBalance, VariantFlag::None,
     2010},
    {"Баланс в ликвидация", "BalLiq", "P_BalLiq", "Blanki/testdata_BalLiq.xml",
     FormId::frmDocBalanceLiquid, VariantFlag::BalanceLiquid, 2015},
    {"Баланс в ликвидация 2", "BalLiq2", "P_BalLiq2", "Blanki/testdata_BalLiq2.xml",
     FormId::frmDocBalanceLiquid, VariantFlag::BalanceLiquid2, 2020},
    {"Отчет за паричния поток в ликвидация", "OPPLiq", "P_OPPLiq", "Blanki/testdata_MFlowLiq.xml",
     FormId::frmDocMFlowLiquid, VariantFlag::None, 2025},
    {"Отчет за паричния поток по прекия метод", "OPP", "P_OPP", "Blanki/testdata_OPP.xml",
     FormId::frmDocOPPCur, VariantFlag::None, 2030},
    {"Отчет за приходи и разходи", "OPR", "P_OPR", "Blanki/testdata_OPR.xml", FormId::frmDocOPR,
     VariantFlag::None, 2035},
    {"Отчет за приходите и разходите в ликвидация", "OPRLiq", "P_OPRLiq",
     "Blanki/testdata_OPRLiq.xml", FormId::frmDocOPRLiquid, VariantFlag::IncomeLiquid, 2040},
    {"Отчет за приходите и разходите в ликвидация 2", "OPRLiq2", "P_OPRLiq2",
     "Blanki/testdata_OPRLiq2.xml", FormId::frmDocOPRLiquid, VariantFlag::IncomeLiquid2, 2045},
    {"Отчет за собствения капитал", "Cap", "P_Cap", "Blanki/testdata_Capital.xml",
     FormId::frmDocCapital, VariantFlag::None, 2050},
    {"Справка за вземанията", "Take", "P_Take", "Blanki/testdata_Take.xml", FormId::frmDocTake,
     VariantFlag::None, 2055},
    {"Справка за задълженията", "Liab", "P_Liab", "Blanki/testdata_Liab.xml",
     FormId::frmDocLiability, VariantFlag::None, 2060},
    {"Справка за провизиите", "Prov", "P_Prov", "Blanki/testdata_Prov.xml",
     FormId::frmDocProvisions, VariantFlag::None, 2065},
    {"Справка за разходите и приходите от лихви", "OPRInt", "P_OPRInt",
     "Blanki/testdata_OPRInt.xml", FormId::frmDocOPRInterest, VariantFlag::None, 2070},
    {"Отчет за паричните потоци по косвения метод", "MFlow", "P_MFlow", "Blanki/testdata_MFlow.xml",
     FormId::frmDocMFlow, VariantFlag::None, 2075},
};

} // namespace

TEST(Catalogue, EveryPositionHoldsItsRow)
{
    ASSERT_EQ(std::size(kExpected), static_cast<std::size_t>(kDocTypeCount));
    for (int pos = 0; pos < kDocTypeCount; ++pos) {
        SCOPED_TRACE(pos);
        const Row& row = kExpected[pos];
        const DocType* type = DocTypeAt(pos);
        ASSERT_NE(type, nullptr);
        EXPECT_EQ(type->titleText(), QString::fromUtf8(row.title));
        EXPECT_EQ(type->codeFor(false), QString::fromLatin1(row.code));
        EXPECT_EQ(type->codeFor(true), QString::fromLatin1(row.forecast));
        EXPECT_STREQ(type->templateFile, row.templateFile);
        EXPECT_EQ(type->form, row.form);
        EXPECT_EQ(type->variant, row.variant);
        EXPECT_EQ(type->helpTopic, row.help);
        EXPECT_EQ(DocTypeByTitle(type->titleText()), type);
        EXPECT_EQ(DocTypePosition(*type), pos);
    }
    EXPECT_EQ(DocTypeAt(-1), nullptr);
    EXPECT_EQ(DocTypeAt(14), nullptr);
}

TEST(Catalogue, TitleLookupIsExactAndCaseSensitive)
{
    for (const char* title : {"баланс", "Баланс ", " Баланс", "БАЛАНС", ""})
        EXPECT_EQ(DocTypeByTitle(QString::fromUtf8(title)), nullptr) << title;
    EXPECT_EQ(DocTypeByTitle(QStringLiteral("Баланс в ликвидация 2"))->variant,
              VariantFlag::BalanceLiquid2);
}
