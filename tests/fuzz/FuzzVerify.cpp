// Fuzz target: the integrity check of a data file, on any bytes.
#include "xmlfiles/DataFile.h"
#include "xmlfiles/XmlDocument.h"

#include <QByteArray>

#include <cstddef>
#include <cstdint>

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size)
{
    telm::XmlDocument xml;
    if (xml.loadBytes(QByteArray(reinterpret_cast<const char*>(data), qsizetype(size))))
        (void)telm::VerifyDataHash(xml);
    return 0;
}
