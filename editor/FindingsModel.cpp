#include "editor/FindingsModel.h"

#include "editor/AmountText.h"

namespace telm {

namespace {

QStandardItem* textItem(const QString& text)
{
    auto* item = new QStandardItem(text);
    item->setEditable(false);
    item->setToolTip(text);
    return item;
}

QStandardItem* amountItem(const QString& text)
{
    QStandardItem* item = textItem(text);
    item->setTextAlignment(Qt::AlignRight | Qt::AlignVCenter);
    return item;
}

QString amountText(const FindingRow& row)
{
    if (!row.amount)
        return QString();
    const QString amount = FormatNumber(static_cast<double>(*row.amount));
    // A subtracted amount with its minus; nothing to subtract is plain 0.
    return row.sign < 0 && *row.amount != 0 ? QStringLiteral("− ") + amount : amount;
}

} // namespace

FindingsModel::FindingsModel(QObject* parent) : QStandardItemModel(0, 2, parent)
{
    setHorizontalHeaderLabels({QStringLiteral("Констатация"), QStringLiteral("Сума")});
}

void FindingsModel::setFindings(std::vector<Finding> findings)
{
    m_findings = std::move(findings);
    removeRows(0, rowCount());
    for (const Finding& finding : m_findings) {
        QStandardItem* top = textItem(finding.text);
        for (const FindingRow& row : finding.rows)
            top->appendRow({textItem(FindingRowText(row)), amountItem(amountText(row))});
        appendRow({top, amountItem(finding.difference ? QStringLiteral("разлика ")
                                                            + FormatNumber(static_cast<double>(
                                                                *finding.difference))
                                                      : QString())});
    }
}

std::optional<RowTarget> FindingsModel::targetAt(const QModelIndex& index) const
{
    if (!index.isValid())
        return std::nullopt;
    const QModelIndex parent = index.parent();
    const int findingRow = parent.isValid() ? parent.row() : index.row();
    if (findingRow < 0 || findingRow >= static_cast<int>(m_findings.size()))
        return std::nullopt;
    const std::vector<FindingRow>& rows = m_findings[static_cast<size_t>(findingRow)].rows;
    if (parent.isValid())
        return index.row() < static_cast<int>(rows.size())
                   ? std::optional<RowTarget>(rows[static_cast<size_t>(index.row())].target)
                   : std::nullopt;
    for (const FindingRow& row : rows)
        if (row.here)
            return row.target;
    return rows.empty() ? std::nullopt : std::optional<RowTarget>(rows.front().target);
}

} // namespace telm
