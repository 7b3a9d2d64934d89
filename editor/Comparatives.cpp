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

namespace {

// A row of the document on screen as a finding names it, in one column.
FindingRow rowHere(const FormProfile& profile, const GridModel& grid, int row, int column,
                   const char16_t* caption)
{
    return FindingRow{QString(),
                      true,
                      grid.TextMatrix(row, profile.codeColumn),
                      grid.TextMatrix(row, 0),
                      QString::fromUtf16(caption),
                      1,
                      std::llround(AmountOrZero(grid.TextMatrix(row, column))),
                      RowTarget{QString(), grid.band(row) + 1,
                                grid.TextMatrix(row, profile.idColumn), QString(), column}};
}

} // namespace

std::vector<Finding> ComparativeFindingList(const FormProfile& profile, const GridModel& grid,
                                            const Rowset* lastYear)
{
    std::vector<Finding> findings;
    for (const CaptionedColumn& c : profile.previousYear) {
        if (c.carriedFrom < 0 || !profile.balanceCheck
            || !BalanceCheckDiffers(profile, grid, c.column))
            continue;
        Finding finding{QStringLiteral("В колоната „%1“: %2")
                            .arg(QString::fromUtf16(c.caption),
                                 QString::fromUtf16(profile.balanceCheck->message)),
                        {},
                        std::nullopt};
        const auto [first, last] = BalanceCheckRows(profile, grid);
        for (const int row : {first, last})
            if (row >= 0)
                finding.rows.push_back(rowHere(profile, grid, row, c.column, c.caption));
        if (finding.rows.size() == 2)
            finding.difference = *finding.rows[0].amount - *finding.rows[1].amount;
        findings.push_back(std::move(finding));
    }
    if (!lastYear)
        return findings;
    const RowIndex index = indexRows(*lastYear, profile.idColumn);
    const auto differs = [](const QString& shown, const QString& stored) {
        return AmountOrZero(shown) != AmountOrZero(stored);
    };
    for (int r = grid.FixedRows(); r < grid.Rows(); ++r) {
        const RowsetRow* last = find(index, grid.band(r), grid.TextMatrix(r, profile.idColumn));
        if (!last)
            continue;
        for (const CaptionedColumn& c : profile.previousYear)
            if (c.carriedFrom >= 0
                && differs(grid.TextMatrix(r, c.column), cell(*last, c.carriedFrom)))
                findings.push_back(
                    Finding{QStringLiteral("Ред %1 „%2“, колона „%3“: %4 се различава от сумата "
                                           "за текущата година в миналогодишния файл: %5")
                                .arg(grid.TextMatrix(r, profile.idColumn), grid.TextMatrix(r, 0),
                                     QString::fromUtf16(c.caption),
                                     FormatAmount(grid.TextMatrix(r, c.column)),
                                     FormatAmount(cell(*last, c.carriedFrom))),
                            {rowHere(profile, grid, r, c.column, c.caption)},
                            std::nullopt});
    }
    if (const std::optional<CarriedRow>& opening = profile.carriedOpening) {
        const RowsetRow* closing = find(index, 0, QString::number(opening->fromRow));
        for (int r = grid.FixedRows(); r < grid.Rows() && closing; ++r) {
            if (grid.band(r) != 0 || grid.TextMatrix(r, profile.idColumn).toInt() != opening->row)
                continue;
            for (const AmountColumn& a : profile.amounts)
                if (differs(grid.TextMatrix(r, a.column), cell(*closing, a.column)))
                    findings.push_back(
                        Finding{QStringLiteral("„%1“, колона „%2“: %3 не е равно на "
                                               "преизчисления собствен капитал в края на "
                                               "миналата година: %4")
                                    .arg(grid.TextMatrix(r, 0), QString::fromUtf16(a.caption),
                                         FormatAmount(grid.TextMatrix(r, a.column)),
                                         FormatAmount(cell(*closing, a.column))),
                                {rowHere(profile, grid, r, a.column, a.caption)},
                                std::nullopt});
        }
    }
    return findings;
}

QStringList ComparativeFindings(const FormProfile& profile, const GridModel& grid,
                                const Rowset* lastYear)
{
    return FindingTexts(ComparativeFindingList(profile, grid, lastYear));
}

QString PreviousYearFaultText(const PreviousYearFile& file)
{
    return QStringLiteral("Сравнителните данни не са взети от файла %1: %2. Данните за "
                          "предходната година могат да се въведат ръчно.")
        .arg(QDir::toNativeSeparators(file.path), file.fault.value_or(QString()));
}

} // namespace telm
