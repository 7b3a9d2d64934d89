// The header of a data file, the `danni` element after the rows: period,
// BULSTAT, company, document title and kind. Written by the writer for a new
// document and read by everything that names a file's company, period or type;
// the element names and the kind texts live here only.
#pragma once

#include <QString>

namespace telm {

class XmlDocument;

// What the writer puts into the header of a new document.
struct DataHeader
{
    QString periodMonth;
    QString yearText;
    QString bulstat;
    QString companyName;
    QString documentTitle;
    bool forecast = false;
};

// The header's texts as a file holds them; all empty when it has none.
struct StoredHeader
{
    QString period; // "<month>/<year>" as written, e.g. "12/2005"
    QString bulstat;
    QString company;  // compname
    QString document; // the type's title: what tells a data file from a template
    QString kind; // documenttype: "Прогнозен документ" or "Реален документ"

    bool forecast() const;
};

// The header of the loaded document (its `xml/danni`).
StoredHeader ReadDataHeader(const XmlDocument& xml);

// Writes the header after the rows (the root element's last child), or over the
// one the document has. Sets no checksum.
void WriteDataHeader(XmlDocument& xml, const DataHeader& header);

} // namespace telm
