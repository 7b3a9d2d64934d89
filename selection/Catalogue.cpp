#include "selection/Catalogue.h"

namespace telm {

namespace {

const std::array<DocType, kDocTypeCount> kCatalogue = {{
    {u"Баланс", "Bal", "P_Bal", "Blanki/testdata_Bal.xml", FormId::frmDocBalance, VariantFlag::None,
     2010},
    {u"Баланс в ликвидация", "BalLiq", "P_BalLiq", "Blanki/testdata_BalLiq.xml",
     FormId::frmDocBalanceLiquid, VariantFlag::BalanceLiquid, 2015},
    {u"Баланс в ликвидация 2", "BalLiq2", "P_BalLiq2", "Blanki/testdata_BalLiq2.xml",
     FormId::frmDocBalanceLiquid, VariantFlag::BalanceLiquid2, 2020},
    {u"Отчет за паричния поток в ликвидация", "OPPLiq", "P_OPPLiq", "Blanki/testdata_MFlowLiq.xml",
     FormId::frmDocMFlowLiquid, VariantFlag::None, 2025},
    {u"Отчет за паричния поток по прекия метод", "OPP", "P_OPP", "Blanki/testdata_OPP.xml",
     FormId::frmDocOPPCur, VariantFlag::None, 2030},
    {u"Отчет за приходи и разходи", "OPR", "P_OPR", "Blanki/testdata_OPR.xml", FormId::frmDocOPR,
     VariantFlag::None, 2035},
    {u"Отчет за приходите и разходите в ликвидация", "OPRLiq", "P_OPRLiq",
     "Blanki/testdata_OPRLiq.xml", FormId::frmDocOPRLiquid, VariantFlag::IncomeLiquid, 2040},
    {u"Отчет за приходите и разходите в ликвидация 2", "OPRLiq2", "P_OPRLiq2",
     "Blanki/testdata_OPRLiq2.xml", FormId::frmDocOPRLiquid, VariantFlag::IncomeLiquid2, 2045},
    {u"Отчет за собствения капитал", "Cap", "P_Cap", "Blanki/testdata_Capital.xml",
     FormId::frmDocCapital, VariantFlag::None, 2050},
    {u"Справка за вземанията", "Take", "P_Take", "Blanki/testdata_Take.xml", FormId::frmDocTake,
     VariantFlag::None, 2055},
    {u"Справка за задълженията", "Liab", "P_Liab", "Blanki/testdata_Liab.xml",
     FormId::frmDocLiability, VariantFlag::None, 2060},
    {u"Справка за провизиите", "Prov", "P_Prov", "Blanki/testdata_Prov.xml",
     FormId::frmDocProvisions, VariantFlag::None, 2065},
    {u"Справка за разходите и приходите от лихви", "OPRInt", "P_OPRInt",
     "Blanki/testdata_OPRInt.xml", FormId::frmDocOPRInterest, VariantFlag::None, 2070},
    {u"Отчет за паричните потоци по косвения метод", "MFlow", "P_MFlow",
     "Blanki/testdata_MFlow.xml", FormId::frmDocMFlow, VariantFlag::None, 2075},
}};

} // namespace

const std::array<DocType, kDocTypeCount>& Catalogue()
{
    return kCatalogue;
}

const DocType* DocTypeAt(int position)
{
    if (position < 0 || position >= kDocTypeCount)
        return nullptr;
    return &kCatalogue[static_cast<std::size_t>(position)];
}

const DocType* DocTypeByTitle(const QString& title)
{
    for (const DocType& type : kCatalogue)
        if (type.titleText() == title)
            return &type;
    return nullptr;
}

QString PaperTitle(const QString& title)
{
    // The official income statement is "Отчет за приходите и разходите".
    if (title == QStringLiteral("Отчет за приходи и разходи"))
        return QStringLiteral("Отчет за приходите и разходите");
    return title;
}

const DocType* DocTypeByCode(const QString& code)
{
    for (const DocType& type : kCatalogue)
        if (QString::fromLatin1(type.code) == code)
            return &type;
    return nullptr;
}

const DocType* DocTypeByTemplateName(const QString& fileName)
{
    for (const DocType& type : kCatalogue) {
        const QString path = QString::fromLatin1(type.templateFile);
        const QString name = path.mid(path.lastIndexOf(u'/') + 1);
        if (name.compare(fileName, Qt::CaseInsensitive) == 0)
            return &type;
    }
    return nullptr;
}

int DocTypePosition(const DocType& type)
{
    return static_cast<int>(&type - kCatalogue.data());
}

} // namespace telm
