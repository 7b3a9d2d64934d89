// telmtool show: the header and the rows of a template or data file.
#include "tools/Telmtool.h"
#include "xmlfiles/Rowset.h"
#include "xmlfiles/XmlAccess.h"
#include "xmlfiles/XmlDocument.h"

namespace telm::tool {

namespace {

// One TSV field: tabs and line ends would break the columns.
QString field(QString text)
{
    for (QChar& c : text) {
        if (c == u'\t' || c == u'\n' || c == u'\r')
            c = u' ';
    }
    return text;
}

} // namespace

int RunShow(const QStringList& args, std::ostream& out, std::ostream& err)
{
    CommandLine line("show");
    if (!line.parse(args, err))
        return kExitUsage;
    if (line.positional().size() != 1)
        return line.usage(err, QStringLiteral("expected one FILE"));
    const QString path = line.positional().first();
    Rowset rowset;
    if (const auto error = LoadRowset(path, rowset)) {
        err << "telmtool show: " << error->message << "\n";
        return kExitFailed;
    }
    XmlDocument xml;
    xml.load(path);
    const pugi::xml_node danni = SelectSingleNode(xml.doc(), QStringLiteral("xml/danni"));
    const std::pair<const char*, const char*> header[] = {
        {"period", "period"},     {"bulstat", "BULSTAT"},   {"compname", "company"},
        {"document", "document"}, {"documenttype", "kind"},
    };
    for (const auto& [element, label] : header)
        out << label << ": " << field(GetChildText(danni, QString::fromLatin1(element))) << "\n";
    out << "\n";

    // Title, code, identifier by position as the forms show them; DocStr_ID by name when declared.
    const int idColumn = rowset.fields.contains(QStringLiteral("DocStr_ID"))
                             ? static_cast<int>(rowset.fields.indexOf(QStringLiteral("DocStr_ID")))
                             : 2;
    std::vector<int> amountColumns;
    out << "level\tidentifier\tcode\ttitle";
    for (int col = 0; col < rowset.fields.size(); ++col) {
        if (rowset.fields.at(col).startsWith(QLatin1String("DocDta_Sum"))) {
            amountColumns.push_back(col);
            out << "\t" << rowset.fields.at(col);
        }
    }
    out << "\n";
    const auto cell = [](const RowsetRow& row, int col) {
        return col < static_cast<int>(row.cells.size()) ? field(row.cells[static_cast<size_t>(col)])
                                                        : QString();
    };
    for (const RowsetRow& row : rowset.rows) {
        out << row.band + 1 << "\t" << cell(row, idColumn) << "\t" << cell(row, 1) << "\t"
            << cell(row, 0);
        for (const int col : amountColumns)
            out << "\t" << cell(row, col);
        out << "\n";
    }
    return kExitOk;
}

} // namespace telm::tool
