#include "editor/Comparatives.h"

#include "editor/AmountText.h"
#include "editor/EditRules.h"
#include "editor/FormProfile.h"
#include "grid/GridModel.h"
#include "xmlfiles/DataHeader.h"
#include "xmlfiles/VerifiedDataFile.h"
#include "xmlfiles/XmlDocument.h"

#include <QDir>
#include <QFileInfo>

#include <array>
#include <cmath>
#include <unordered_map>

namespace telm {

namespace {

constexpr int kLevels = 6;

// Last year's rows by level and identifier.
using RowIndex = std::array<std::unordered_map<QString, const RowsetRow*>, kLevels>;

QString cell(const RowsetRow& row, int col)
{
    return col >= 0 && col < static_cast<int>(row.cells.size())
               ? row.cells[static_cast<std::size_t>(col)]
               : QString();
}

RowIndex indexRows(const Rowset& rowset, int idColumn)
{
    RowIndex index;
    for (const RowsetRow& row : rowset.rows)
        if (row.band >= 0 && row.band < kLevels)
            index[static_cast<std::size_t>(row.band)].try_emplace(cell(row, idColumn), &row);
    return index;
}

const RowsetRow* find(const RowIndex& index, int band, const QString& id)
{
    if (band < 0 || band >= kLevels)
        return nullptr;
    const auto& level = index[static_cast<std::size_t>(band)];
    const auto found = level.find(id);
    return found == level.end() ? nullptr : found->second;
}

QString faultText(const DataFileFault& fault)
{
    switch (fault.kind) {
    case DataFileFault::Kind::NotADataFile:
    case DataFileFault::Kind::NoChecksum: return QStringLiteral("не е файл с данни");
    case DataFileFault::Kind::Tampered:
        return QStringLiteral("файлът е бил променен неоторизирано");
    case DataFileFault::Kind::NotWellFormed:
        return QStringLiteral("файлът не е XML (%1)").arg(fault.detail);
    case DataFileFault::Kind::Unreadable:
    case DataFileFault::Kind::Ambiguous: break;
    }
    return fault.detail;
}

std::optional<QString> headerFault(const StoredHeader& header, const Filing& filing)
{
    if (header.bulstat != filing.bulstat)
        return QStringLiteral("файлът е на друго предприятие (БУЛСТАТ %1)").arg(header.bulstat);
    if (header.document != filing.title)
        return QStringLiteral("файлът е на друг документ (%1)").arg(header.document);
    if (header.forecast() != filing.forecast)
        return QStringLiteral("файлът е от друг вид (%1)").arg(header.kind);
    if (header.period.section(u'/', 0, 0) != filing.month)
        return QStringLiteral("файлът е за друг период (%1)").arg(header.period);
    return std::nullopt;
}

// An amount as a data file holds it: empty, or a whole number.
} // namespace

bool CarriesFromLastYear(const FormProfile& profile)
{
    if (profile.carriedOpening)
        return true;
    for (const CaptionedColumn& c : profile.previousYear)
        if (c.carriedFrom >= 0)
            return true;
    return false;
}

PreviousYearFile ReadPreviousYear(const QString& path, const QStringList& formFields,
                                  const Filing& filing)
{
    PreviousYearFile file;
    file.path = path;
    if (path.isEmpty() || !QFileInfo::exists(path))
        return file;
    file.found = true;
    XmlDocument xml;
    if (const std::optional<DataFileFault> fault = OpenVerifiedDataFile(path, xml)) {
        file.fault = faultText(*fault);
        return file;
    }
    if (const std::optional<QString> fault = headerFault(ReadDataHeader(xml), filing)) {
        file.fault = fault;
        return file;
    }
    if (const std::optional<RowsetError> error = LoadRowset(xml.doc(), file.rowset, formFields)) {
        file.fault = error->message;
        file.rowset = Rowset();
        return file;
    }
    return file;
}

void CarryComparatives(const FormProfile& profile, const Rowset& previous, GridModel& grid)
{
    const RowIndex index = indexRows(previous, profile.idColumn);
    for (int r = grid.FixedRows(); r < grid.Rows(); ++r) {
        const QString id = grid.TextMatrix(r, profile.idColumn);
        const RowsetRow* last = find(index, grid.band(r), id);
        for (const CaptionedColumn& c : profile.previousYear) {
            if (c.carriedFrom < 0)
                continue;
            const QString text = last ? cell(*last, c.carriedFrom) : QString();
            grid.setTextMatrix(r, c.column, FormatAmount(text));
        }
    }
    if (const std::optional<CarriedRow>& opening = profile.carriedOpening) {
        const RowsetRow* closing = find(index, 0, QString::number(opening->fromRow));
        for (int r = grid.FixedRows(); r < grid.Rows() && closing; ++r) {
            if (grid.band(r) != 0 || grid.TextMatrix(r, profile.idColumn).toInt() != opening->row)
                continue;
            for (const AmountColumn& a : profile.amounts) {
                const QString text = cell(*closing, a.column);
                grid.setTextMatrix(r, a.column, FormatAmount(text));
            }
        }
    }
}

QString PreviousYearFaultText(const PreviousYearFile& file)
{
    return QStringLiteral("Сравнителните данни не са взети от файла %1: %2. Данните за "
                          "предходната година могат да се въведат ръчно.")
        .arg(QDir::toNativeSeparators(file.path), file.fault.value_or(QString()));
}

} // namespace telm
