#include "app/DeskModel.h"

#include "selection/Catalogue.h"

#include <QBrush>
#include <QFont>

namespace telm {

namespace {

const QString kTick = QStringLiteral("✓");

// A child's internal id is its filing's position plus one; a filing's is 0.
constexpr quintptr kFilingId = 0;

QString kindText(bool forecast)
{
    return forecast ? QStringLiteral("прогнозен") : QStringLiteral("реален");
}

QString controlsText(int findings)
{
    if (findings < 0)
        return QStringLiteral("…");
    return findings == 0 ? kTick : QString::number(findings);
}

bool headless(const DeskFiling& filing)
{
    return filing.bulstat.isEmpty() && filing.company.isEmpty();
}

} // namespace

void DeskModel::setSnapshot(std::shared_ptr<const DeskSnapshot> snapshot)
{
    beginResetModel();
    m_snapshot = std::move(snapshot);
    endResetModel();
}

QModelIndex DeskModel::indexOfFile(const QString& path) const
{
    if (!m_snapshot)
        return {};
    for (std::size_t f = 0; f < m_snapshot->filings.size(); ++f) {
        const std::vector<std::size_t>& files = m_snapshot->filings[f].files;
        for (std::size_t k = 0; k < files.size(); ++k)
            if (m_snapshot->files[files[k]].path == path)
                return createIndex(int(k), 0, quintptr(f + 1));
    }
    return {};
}

QModelIndex DeskModel::index(int row, int column, const QModelIndex& parent) const
{
    if (!hasIndex(row, column, parent))
        return {};
    return parent.isValid() ? createIndex(row, column, quintptr(parent.row() + 1))
                            : createIndex(row, column, kFilingId);
}

QModelIndex DeskModel::parent(const QModelIndex& child) const
{
    if (!child.isValid() || child.internalId() == kFilingId)
        return {};
    return createIndex(int(child.internalId() - 1), 0, kFilingId);
}

int DeskModel::rowCount(const QModelIndex& parent) const
{
    if (!m_snapshot)
        return 0;
    if (!parent.isValid())
        return int(m_snapshot->filings.size());
    if (parent.internalId() != kFilingId || parent.column() != 0)
        return 0;
    return int(m_snapshot->filings[std::size_t(parent.row())].files.size());
}

int DeskModel::columnCount(const QModelIndex&) const
{
    return kColumns;
}

QVariant DeskModel::headerData(int section, Qt::Orientation orientation, int role) const
{
    static const QStringList captions{QStringLiteral("Предприятие"), QStringLiteral("БУЛСТАТ"),
                                      QStringLiteral("Период"),      QStringLiteral("Документ"),
                                      QStringLiteral("Вид"),         QStringLiteral("Записан"),
                                      QStringLiteral("Проверка"),    QStringLiteral("Контроли")};
    if (orientation == Qt::Horizontal && role == Qt::DisplayRole && section >= 0
        && section < kColumns)
        return captions.at(section);
    return {};
}

QVariant DeskModel::data(const QModelIndex& index, int role) const
{
    if (!m_snapshot || !index.isValid())
        return {};
    if (index.internalId() == kFilingId)
        return filingData(std::size_t(index.row()), index.column(), role);
    const std::size_t f = index.internalId() - 1;
    return fileData(f, m_snapshot->filings[f].files[std::size_t(index.row())], index.column(),
                    role);
}

QVariant DeskModel::filingData(std::size_t f, int column, int role) const
{
    const DeskFiling& filing = m_snapshot->filings[f];
    switch (role) {
    case kFilingRole: return int(f);
    case kFilterRole: return filing.company + u' ' + filing.bulstat + u' ' + filing.period();
    case Qt::FontRole:
        if (column == colCompany) {
            QFont bold;
            bold.setBold(true);
            return bold;
        }
        return {};
    case Qt::ForegroundRole:
        return column == colDocument ? QVariant(QBrush(QColor(0xa0, 0x30, 0x00))) : QVariant();
    case Qt::ToolTipRole:
        if (column == colDocument && !filing.missing.isEmpty())
            return filing.missing.join(u'\n');
        if (column == colControls && !filing.findingTexts.isEmpty())
            return filing.findingTexts.join(u'\n');
        return {};
    case Qt::DisplayRole: break;
    default: return {};
    }
    const bool none = headless(filing);
    int refused = 0;
    for (const std::size_t i : filing.files)
        refused += m_snapshot->files[i].check == FileCheck::Refused;
    switch (column) {
    case colCompany: return none ? QStringLiteral("(без заглавна част)") : filing.company;
    case colBulstat: return filing.bulstat;
    case colPeriod: return none ? QString() : filing.period();
    case colDocument:
        return filing.missing.isEmpty()
                   ? QString()
                   : QStringLiteral("Липсва: ") + filing.missing.join(QStringLiteral("; "));
    case colKind: return none ? QString() : kindText(filing.forecast);
    case colCheck:
        if (refused == 0)
            return m_snapshot->checked ? kTick : QString();
        return refused == 1 ? QStringLiteral("1 променен")
                            : QStringLiteral("%1 променени").arg(refused);
    case colControls: return none ? QString() : controlsText(filing.findings);
    default: return QString();
    }
}

QVariant DeskModel::fileData(std::size_t f, std::size_t i, int column, int role) const
{
    const DeskFiling& filing = m_snapshot->filings[f];
    const DeskFile& file = m_snapshot->files[i];
    switch (role) {
    case kFilingRole: return int(f);
    case kPathRole: return column == colCompany ? QVariant(file.path) : QVariant();
    case kFilterRole: return filingData(f, colCompany, kFilterRole);
    case Qt::ForegroundRole:
        return column == colCheck && file.check == FileCheck::Refused
                   ? QVariant(QBrush(QColor(0xb0, 0x00, 0x00)))
                   : QVariant();
    case Qt::ToolTipRole:
        if (column == colDocument)
            return file.path;
        if (column == colCheck && file.check == FileCheck::Refused)
            return file.fault;
        if (column == colControls && filing.findings > 0)
            return filing.findingTexts.join(u'\n');
        return {};
    case Qt::DisplayRole: break;
    default: return {};
    }
    const bool none = headless(filing);
    // What the filing's row says already is not repeated on its statements'.
    const auto unlessFilings = [none](const QString& own, const QString& filings) {
        return none || own != filings ? own : QString();
    };
    switch (column) {
    case colCompany: return unlessFilings(file.company, filing.company);
    case colBulstat: return unlessFilings(file.bulstat, filing.bulstat);
    case colPeriod:
        return unlessFilings(file.year.isEmpty() ? file.month : file.month + u'/' + file.year,
                             filing.period());
    case colDocument:
        if (file.type)
            return file.type->titleText();
        return file.document.isEmpty() ? file.fileName() : file.document;
    case colKind: return file.document.isEmpty() ? QString() : kindText(file.forecast);
    case colSaved: return file.saved.toString(QStringLiteral("dd.MM.yyyy HH:mm"));
    case colCheck:
        if (file.check == FileCheck::Verified)
            return kTick;
        return file.check == FileCheck::Refused ? QStringLiteral("променен извън програмата")
                                                : QString();
    case colControls: return none ? QString() : controlsText(filing.findings);
    default: return QString();
    }
}

} // namespace telm
