// Fuzz target: any bytes as the conditions file, for one of the titles.
#include "xmlfiles/Conditions.h"
#include "xmlfiles/XmlDocument.h"

#include <QByteArray>
#include <QString>

#include <cstddef>
#include <cstdint>

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size)
{
    telm::XmlDocument xml;
    if (xml.loadBytes(QByteArray(reinterpret_cast<const char*>(data), qsizetype(size))))
        (void)telm::ConditionsOf(xml, QStringLiteral("Отчет за приходи и разходи"));
    return 0;
}
