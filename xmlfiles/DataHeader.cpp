#include "xmlfiles/DataHeader.h"

#include "xmlfiles/XmlAccess.h"
#include "xmlfiles/XmlDocument.h"

namespace telm {

namespace {

const QString kHeaderPath = QStringLiteral("xml/danni");
const QString kForecastKind = QStringLiteral("Прогнозен документ");
const QString kRealKind = QStringLiteral("Реален документ");

} // namespace

bool StoredHeader::forecast() const
{
    return kind == kForecastKind;
}

StoredHeader ReadDataHeader(const XmlDocument& xml)
{
    const pugi::xml_node danni = SelectSingleNode(xml.doc(), kHeaderPath);
    if (!danni)
        return StoredHeader{};
    return StoredHeader{GetChildText(danni, QStringLiteral("period")),
                        GetChildText(danni, QStringLiteral("bulstat")),
                        GetChildText(danni, QStringLiteral("compname")),
                        GetChildText(danni, QStringLiteral("document")),
                        GetChildText(danni, QStringLiteral("documenttype"))};
}

void WriteDataHeader(XmlDocument& xml, const DataHeader& header)
{
    SetChildText(xml.root(), QStringLiteral("danni"), QString());
    const pugi::xml_node danni = SelectSingleNode(xml.doc(), kHeaderPath);
    SetChildText(danni, QStringLiteral("period"), header.periodMonth + u'/' + header.yearText);
    SetChildText(danni, QStringLiteral("bulstat"), header.bulstat);
    SetChildText(danni, QStringLiteral("compname"), header.companyName);
    SetChildText(danni, QStringLiteral("document"), header.documentTitle);
    SetChildText(danni, QStringLiteral("documenttype"),
                 header.forecast ? kForecastKind : kRealKind);
}

} // namespace telm
