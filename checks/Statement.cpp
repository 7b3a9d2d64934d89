#include "checks/Statement.h"

#include "selection/Catalogue.h"
#include "selection/YearText.h"
#include "xmlfiles/DataHeader.h"
#include "xmlfiles/Rowset.h"
#include "xmlfiles/XmlDocument.h"

namespace telm {

namespace {

StatementFault missing(const QString& detail)
{
    return StatementFault{std::nullopt, detail};
}

} // namespace

std::optional<qint64> Statement::amount(int id, const QString& field) const
{
    const auto row = rowById.find(id);
    if (row == rowById.end())
        return std::nullopt;
    qsizetype column = amountFields.indexOf(field);
    if (column < 0 && (column = previousFields.indexOf(field)) >= 0)
        column += amountFields.size();
    // An amount field of a form that an older file lacks reads as empty.
    if (column < 0)
        return field.startsWith(QLatin1String("DocDta_Sum"))
                       || field.startsWith(QLatin1String("DocDta_Prev"))
                   ? std::optional<qint64>(0)
                   : std::nullopt;
    const QString& text = rows[row->second].amounts.at(column);
    if (text.isEmpty())
        return 0;
    bool ok = false;
    const qint64 value = text.toLongLong(&ok);
    return ok ? std::optional<qint64>(value) : std::nullopt;
}

bool Statement::sameFiling(const Statement& other) const
{
    return bulstat == other.bulstat && year == other.year && month == other.month
           && forecast == other.forecast;
}

void ReadRows(const Rowset& rowset, Statement& out)
{
    out.amountFields.clear();
    out.previousFields.clear();
    out.rows.clear();
    out.rowById.clear();
    // By name: the schema may list the fields in any order.
    const qsizetype idColumn = NamedColumn(rowset, QStringLiteral("DocStr_ID"), 2);
    const qsizetype codeColumn = NamedColumn(rowset, QStringLiteral("DocStr_Code"), 1);
    const qsizetype titleColumn = NamedColumn(rowset, QStringLiteral("DocStr_Name"), 0);
    std::vector<qsizetype> amountColumns;
    for (const int col : AmountColumnsByNumber(rowset)) {
        amountColumns.push_back(col);
        out.amountFields.push_back(rowset.fields.at(col));
    }
    for (const int col : PreviousYearColumns(rowset)) {
        amountColumns.push_back(col);
        out.previousFields.push_back(rowset.fields.at(col));
    }
    const auto cell = [](const RowsetRow& row, qsizetype col) {
        return col < static_cast<qsizetype>(row.cells.size()) ? row.cells[static_cast<size_t>(col)]
                                                              : QString();
    };
    out.rows.reserve(rowset.rows.size());
    for (const RowsetRow& row : rowset.rows) {
        StatementRow r;
        r.level = row.band + 1;
        r.id = cell(row, idColumn);
        r.code = cell(row, codeColumn);
        r.title = cell(row, titleColumn);
        for (const qsizetype col : amountColumns)
            r.amounts.push_back(cell(row, col));
        bool numeric = false;
        const int id = r.id.toInt(&numeric);
        if (numeric)
            out.rowById.emplace(id, out.rows.size()); // the first row of an identifier
        out.rows.push_back(std::move(r));
    }
}

std::optional<StatementFault> ReadStatement(const QString& path, Statement& out)
{
    out = Statement{};
    XmlDocument xml;
    if (std::optional<DataFileFault> fault = OpenVerifiedDataFile(path, xml))
        return StatementFault{std::move(fault), QString()};

    const StoredHeader header = ReadDataHeader(xml);
    const DocType* type = DocTypeByTitle(header.document);
    if (!type)
        return missing(
            QStringLiteral("INVALID: not a known document type (\"%1\")").arg(header.document));
    const std::optional<PeriodText> period = PeriodFromText(header.period);
    if (!period)
        return missing(
            QStringLiteral("INVALID: the period \"%1\" is not month/year").arg(header.period));

    Rowset rowset;
    if (const std::optional<RowsetError> error = LoadRowset(xml.doc(), rowset))
        return missing(QStringLiteral("INVALID: %1").arg(error->message));
    Statement s;
    ReadRows(rowset, s);
    s.path = path;
    s.type = type;
    s.forecast = header.forecast();
    s.bulstat = header.bulstat;
    s.company = header.company;
    s.year = QString::number(period->year);
    s.month = period->month;
    out = std::move(s);
    return std::nullopt;
}

QString StatementFaultText(const StatementFault& fault)
{
    return fault.file ? FaultVerdict(*fault.file) : fault.detail;
}

} // namespace telm
