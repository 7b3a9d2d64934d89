// The import dialog's preview: the accounts and cells of the plan in their
// tables, the totals, and what keeps "Импорт" disabled.
#include "app/ImportPreview.h"
#include "app/frmImport.h"

#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QStandardItemModel>
#include <QTabWidget>
#include <QTableView>

namespace telm {

namespace {

QStandardItem* cell(const QString& text, bool amount = false)
{
    auto* item = new QStandardItem(text);
    item->setEditable(false);
    item->setToolTip(text);
    if (amount)
        item->setTextAlignment(Qt::AlignRight | Qt::AlignVCenter);
    return item;
}

} // namespace

void frmImport::showPlan()
{
    m_accounts->removeRows(0, m_accounts->rowCount());
    m_cells->removeRows(0, m_cells->rowCount());
    const bool chosen = !m_txtTrialBalance->text().trimmed().isEmpty();
    if (!chosen || !m_plan.readable()) {
        m_lblTotals->setText(chosen ? QString()
                                    : QStringLiteral("Изберете файла на оборотната ведомост."));
        m_lblRefusal->setText(
            chosen ? QStringLiteral("Импортът не е възможен: %1").arg(m_plan.refusal) : QString());
        m_lblRefusal->setVisible(chosen);
        m_cmdImport->setEnabled(false);
        return;
    }

    const ImportPreview preview = PreviewImport(m_plan, m_state.programFolder);
    QFont bold = font();
    bold.setBold(true);
    for (const ImportPreviewAccount& account : preview.accounts) {
        QList<QStandardItem*> row{cell(account.account), cell(account.name),
                                  cell(account.balance, true), cell(account.places)};
        if (!account.placed) {
            for (QStandardItem* item : row) {
                item->setForeground(QColor(kUnplacedInk));
                item->setBackground(QColor(kUnplacedPaper));
                item->setFont(bold);
            }
        }
        m_accounts->appendRow(row);
    }
    for (const ImportPreviewCell& c : preview.cells)
        m_cells->appendRow({cell(c.statement), cell(c.row), cell(c.column), cell(c.amount, true),
                            cell(c.accounts)});
    fitColumns(m_tabs->currentIndex());

    QString totals = QStringLiteral("Крайни салда: дебит %1, кредит %2. Сметки със салдо: %3")
                         .arg(preview.debit, preview.credit)
                         .arg(preview.accounts.size());
    if (preview.unplaced > 0)
        totals += QStringLiteral(", от тях без място в сметкоплана: %1").arg(preview.unplaced);
    totals += QStringLiteral(".\nЩе бъдат попълнени: %1 (%2 суми).")
                  .arg(preview.statements.join(QStringLiteral(", ")))
                  .arg(preview.cells.size());
    m_lblTotals->setText(totals);
    m_lblRefusal->setText(preview.unplaced > 0
                              ? QStringLiteral("Сметките без място (в червено) няма да бъдат "
                                               "импортирани: добавете ги в сметкоплана на "
                                               "предприятието или импортирайте останалите.")
                              : QString());
    m_lblRefusal->setVisible(preview.unplaced > 0);
    m_cmdImport->setEnabled(!preview.cells.empty());
}

void frmImport::fitColumns(int tab)
{
    // A hidden table measures no rows: each is fitted when it is shown.
    auto* view = qobject_cast<QTableView*>(m_tabs->widget(tab));
    if (!view)
        return;
    // The titles may be long: the last column takes the rest, no column the whole width.
    for (int c = 0; c + 1 < view->model()->columnCount(); ++c) {
        view->resizeColumnToContents(c);
        view->setColumnWidth(c, std::min(view->columnWidth(c), width() / 3));
    }
}

} // namespace telm
