// Fuzz target: any bytes as a template or data file, through the rowset loader
// and the checks that decide whether a document may be opened.
#include "xmlfiles/DocumentChecks.h"
#include "xmlfiles/Rowset.h"
#include "xmlfiles/XmlDocument.h"

#include <QByteArray>

#include <cstddef>
#include <cstdint>

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size)
{
    telm::XmlDocument xml;
    if (!xml.loadBytes(QByteArray(reinterpret_cast<const char*>(data), qsizetype(size))))
        return 0;
    (void)telm::DocumentFault(xml);
    telm::Rowset rowset;
    if (!telm::LoadRowset(xml.doc(), rowset)) {
        for (const telm::RowsetRow& row : rowset.rows)
            if (row.cells.size() != static_cast<std::size_t>(rowset.fields.size()))
                __builtin_trap(); // every row has every field
    }
    return 0;
}
