#include "editor/FormProfile.h"

#include "selection/Catalogue.h"

#include <set>

#include <gtest/gtest.h>

using namespace telm;

TEST(FormProfile, CaptionsButtonsAndDepthPerForm)
{
    struct Row
    {
        FormId id;
        const char* caption;
        const char* close;
        const char* sum;       // "" when the form has no Sum button
        int maxLevel;          // the second variant's where the form has two
        int otherVariantLevel; // the first variant's
    } rows[] = {
        {FormId::frmDocBalance, "TELM Transfer - Баланс", "cmdCancel", "", 5, 5},
        {FormId::frmDocBalanceLiquid, "TELM Transfer - Баланс в ликвидация", "cmdCancel",
         "Сумиране", 4, 3},
        {FormId::frmDocOPR, "TELM Transfer - Отчет за приходи и разходи", "cmdExit", "&Сумиране", 5,
         5},
        {FormId::frmDocOPRLiquid, "TELM Transfer - Отчет за приходи и разходи в ликвидация",
         "cmdCancel", "&Сумиране", 4, 4},
        {FormId::frmDocMFlow, "TELM Transfer - Отчет за паричните потоци по косвения метод",
         "cmdExit", "&Сумиране", 3, 3},
        {FormId::frmDocMFlowLiquid, "TELM Transfer - Отчет за паричния поток в ликвидация",
         "cmdExit", "&Сумиране", 3, 3},
        {FormId::frmDocOPPCur, "TELM Transfer - Отчет за паричните потоци по прекия метод",
         "cmdCancel", "Сумиране", 2, 2},
        {FormId::frmDocCapital, "TELM Transfer - Отчет за собствения капитал", "cmdCancel", "", 2,
         2},
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
        EXPECT_EQ(p.sum.caption != nullptr, *row.sum != '\0');
        EXPECT_EQ(QString::fromUtf16(p.sum.caption ? p.sum.caption : u""),
                  QString::fromUtf8(row.sum));
        for (const DocType& type : Catalogue()) {
            if (type.form != row.id)
                continue;
            const bool first = type.variant != VariantFlag::None && !type.secondVariant();
            EXPECT_EQ(MaxLevelFor(p, type), first ? row.otherVariantLevel : row.maxLevel)
                << type.code;
        }
    }
}

TEST(FormProfile, ColumnRolesNeverOverlap)
{
    for (const FormProfile& p : FormProfiles()) {
        SCOPED_TRACE(p.name);
        std::set<int> used{
            0, p.codeColumn, p.idColumn, p.parentColumn, p.manualColumn, p.lockedColumn};
        std::size_t expected = 6;
        int field = 1;
        for (const AmountColumn& a : p.amounts) {
            used.insert(a.column);
            ++expected;
            EXPECT_EQ(QString::fromLatin1(a.field), QStringLiteral("DocDta_Sum%1").arg(field++));
            EXPECT_EQ(a.column, 4 + field - 1); // DocDta_SumN sits at column 4 + N
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
        EXPECT_EQ(*used.rbegin() + 1, static_cast<int>(used.size())); // no gaps
    }
    for (const DocType& type : Catalogue())
        EXPECT_NO_THROW(ProfileFor(type.form));
}

// The values no default can give: every profile must state them.
TEST(FormProfile, EveryProfileStatesItsIdentityColumnsAndDepth)
{
    std::set<FormId> ids;
    for (const FormProfile& p : FormProfiles()) {
        SCOPED_TRACE(p.name);
        EXPECT_TRUE(ids.insert(p.id).second);
        EXPECT_NE(*p.name, '\0');
        EXPECT_FALSE(QString::fromUtf16(p.caption).isEmpty());
        EXPECT_FALSE(QString::fromUtf16(p.nameCaption).isEmpty());
        EXPECT_FALSE(p.amounts.empty());
        EXPECT_GT(p.manualColumn, 3);
        EXPECT_GT(p.lockedColumn, 3);
        EXPECT_GT(p.maxLevel, 0);
        // A shared form serves exactly the two types of its variant.
        int types = 0;
        for (const DocType& type : Catalogue())
            types += type.form == p.id;
        EXPECT_EQ(types, p.variant == FormVariant::None ? 1 : 2);
    }
}
