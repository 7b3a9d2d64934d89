// telmtool show: the header and the rows of a template or data file.
#include "tools/Telmtool.h"
#include "xmlfiles/DataHeader.h"
#include "xmlfiles/Rowset.h"
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
    const StoredHeader stored = ReadDataHeader(xml);
    const std::pair<const char*, const QString&> header[] = {
        {"period", stored.period},     {"BULSTAT", stored.bulstat}, {"company", stored.company},
        {"document", stored.document}, {"kind", stored.kind},
    };
    for (const auto& [label, text] : header)
        out << label << ": " << field(text) << "\n";
    out << "\n";

    // By name: the schema may list the fields in any order. Title, code and
    // identifier where the forms have them when the file does not name them.
    const int idColumn = NamedColumn(rowset, QStringLiteral("DocStr_ID"), 2);
    const int codeColumn = NamedColumn(rowset, QStringLiteral("DocStr_Code"), 1);
    const int titleColumn = NamedColumn(rowset, QStringLiteral("DocStr_Name"), 0);
    std::vector<int> amountColumns = AmountColumnsByNumber(rowset);
    for (const int col : PreviousYearColumns(rowset))
        amountColumns.push_back(col);
    out << "level\tidentifier\tcode\ttitle";
    for (const int col : amountColumns)
        out << "\t" << rowset.fields.at(col);
    out << "\n";
    const auto cell = [](const RowsetRow& row, int col) {
        return col < static_cast<int>(row.cells.size()) ? field(row.cells[static_cast<size_t>(col)])
                                                        : QString();
    };
    for (const RowsetRow& row : rowset.rows) {
        out << row.band + 1 << "\t" << cell(row, idColumn) << "\t" << cell(row, codeColumn) << "\t"
            << cell(row, titleColumn);
        for (const int col : amountColumns)
            out << "\t" << cell(row, col);
        out << "\n";
    }
    return kExitOk;
}

} // namespace telm::tool
