// What a filing is expected to hold and the order of its statements.
#include "desk/FilingOrder.h"

#include "selection/Catalogue.h"

#include <gtest/gtest.h>

using namespace telm;

namespace {

std::vector<const DocType*> types(std::initializer_list<const char*> codes)
{
    std::vector<const DocType*> out;
    for (const char* code : codes)
        out.push_back(DocTypeByCode(QString::fromLatin1(code)));
    return out;
}

} // namespace

TEST(FilingOrder, StatementsInTheOrderAFilingIsHandedOver)
{
    const char* const order[] = {"Bal",     "OPR",    "OPP",     "MFlow",  "Cap",
                                 "Take",    "Liab",   "Prov",    "OPRInt", "BalLiq",
                                 "BalLiq2", "OPRLiq", "OPRLiq2", "OPPLiq"};
    for (std::size_t i = 1; i < std::size(order); ++i)
        EXPECT_LT(FilingRank(DocTypeByCode(QString::fromLatin1(order[i - 1]))),
                  FilingRank(DocTypeByCode(QString::fromLatin1(order[i]))))
            << order[i];
    EXPECT_GT(FilingRank(nullptr), FilingRank(DocTypeByCode(QStringLiteral("OPPLiq"))));
}

TEST(FilingOrder, MissingStatements)
{
    const QString cashFlow =
        QStringLiteral("Отчет за паричния поток (по прекия или косвения метод)");
    const struct
    {
        std::vector<const DocType*> present;
        QStringList missing;
    } cases[] = {
        {types({"Bal", "OPR", "MFlow", "Cap"}), {}},
        {types({"Bal", "OPR", "OPP", "Cap", "Take"}), {}},
        {types({"Take"}),
         {QStringLiteral("Баланс"), QStringLiteral("Отчет за приходи и разходи"), cashFlow,
          QStringLiteral("Отчет за собствения капитал")}},
        {types({"Bal", "OPR"}), {cashFlow, QStringLiteral("Отчет за собствения капитал")}},
        // In liquidation the liquidation forms are expected, either variant.
        {types({"BalLiq2", "OPRLiq"}), {QStringLiteral("Отчет за паричния поток в ликвидация")}},
        {types({"OPPLiq"}),
         {QStringLiteral("Баланс в ликвидация"),
          QStringLiteral("Отчет за приходите и разходите в ликвидация")}},
    };
    for (const auto& c : cases)
        EXPECT_EQ(MissingStatements(c.present), c.missing) << c.missing.join(u',').toStdString();
}
