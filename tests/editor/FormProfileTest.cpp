#include "selection/Catalogue.h"
#include "editor/FormProfile.h"

#include <gtest/gtest.h>

#include <set>

using namespace telm;

TEST(FormProfile, CaptionsButtonsAndDepthPerForm)
{
    struct Row
    {
        FormId id;
        const char* caption;
        const char* close;
        const char* sum;        // "" when the form has no Sum button
        int maxLevel;
        int otherVariantLevel;
    } rows[] = {
        {FormId::frmDocBalance, "TELM Transfer - Баланс", "cmdCancel", "", 5, 5},
        {FormId::frmDocBalanceLiquid, "TELM Transfer - Баланс в ликвидация", "cmdCancel", "Сумиране", 4, 3},
        {FormId::frmDocOPR, "TELM Transfer - Отчет за приходи и разходи", "cmdExit", "&Сумиране", 5, 5},
        {FormId::frmDocOPRLiquid, "TELM Transfer - Отчет за приходи и разходи в ликвидация", "cmdCancel",
         "&Сумиране", 4, 4},
        {FormId::frmDocMFlow, "TELM Transfer - Отчет за паричните потоци по косвения метод", "cmdExit",
         "&Сумиране", 3, 3},
        {FormId::frmDocMFlowLiquid, "TELM Transfer - Отчет за паричния поток в ликвидация", "cmdExit",
         "&Сумиране", 3, 3},
        {FormId::frmDocOPPCur, "TELM Transfer - Отчет за паричните потоци по прекия метод", "cmdCancel",
         "Сумиране", 2, 2},
        {FormId::frmDocCapital, "TELM Transfer - Отчет за собствения капитал", "cmdCancel", "", 2, 2},
        {FormId::frmDocTake, "TELM Transfer - Справка за  вземанията", "cmdCancel", "", 4, 4},
        {FormId::frmDocLiability, "TELM Transfer - Справка за задълженията", "cmdCancel", "", 4, 4},
        {FormId::frmDocProvisions, "TELM Transfer - Справка за провизиите", "cmdCancel", "", 2, 2},
        {FormId::frmDocOPRInterest, "TELM Transfer - Справка за разходите и приходите от лихви",
         "cmdCancel", "", 3, 3},
    };
    ASSERT_EQ(FormProfiles().size(), std::size(rows));
    for (const Row& row : rows) {
        const FormProfile& p = ProfileFor(row.id);
        SCOPED_TRACE(p.name);
        EXPECT_EQ(QString::fromUtf16(p.caption), QString::fromUtf8(row.caption));
        EXPECT_STREQ(p.closeButtonName, row.close);
        EXPECT_EQ(p.sumButton != SumButton::None, *row.sum != '\0');
        EXPECT_EQ(QString::fromUtf16(p.sumCaption), QString::fromUtf8(row.sum));
        EXPECT_EQ(MaxLevelFor(p, true), row.maxLevel);
        EXPECT_EQ(MaxLevelFor(p, false), row.otherVariantLevel);
    }
}

TEST(FormProfile, ColumnRolesNeverOverlap)
{
    for (const FormProfile& p : FormProfiles()) {
        SCOPED_TRACE(p.name);
        std::set<int> used{0, p.codeColumn, p.idColumn, p.parentColumn, p.manualColumn, p.lockedColumn};
        std::size_t expected = 6;
        int field = 1;
        for (const AmountColumn& a : p.amounts) {
            used.insert(a.column);
            ++expected;
            EXPECT_EQ(QString::fromLatin1(a.field), QStringLiteral("DocDta_Sum%1").arg(field++));
            EXPECT_EQ(a.column, 4 + field - 1);   // DocDta_SumN sits at column 4 + N
        }
        for (const CaptionedColumn& c : p.previousYear) {
            used.insert(c.column);
            ++expected;
        }
        for (int c : p.hiddenColumns) {
            used.insert(c);
            ++expected;
        }
        EXPECT_EQ(used.size(), expected);
        EXPECT_EQ(*used.rbegin() + 1, static_cast<int>(used.size()));   // no gaps
    }
    for (const DocType& type : Catalogue())
        EXPECT_NO_THROW(ProfileFor(type.form));
}
