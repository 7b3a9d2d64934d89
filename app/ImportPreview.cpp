#include "app/ImportPreview.h"

#include "checks/Statement.h"
#include "editor/AmountText.h"
#include "editor/Findings.h"
#include "editor/SaveControls.h"
#include "ledger/FilingImport.h"
#include "selection/Catalogue.h"
#include "selection/DataFileName.h"
#include "xmlfiles/Rowset.h"

#include <map>

namespace telm {

namespace {

// The rows of the statements' templates, read once per statement.
class TemplateRows
{
public:
    explicit TemplateRows(const QString& programFolder) : m_folder(programFolder) {}

    // The cell as a finding names it; without its template, as the map writes it.
    FindingRow row(const AccountTarget& target)
    {
        const Statement& statement = templateOf(target.code);
        FindingRow out;
        out.here = false;
        out.target = RowTarget{QString(), 1, QString::number(target.row), target.field};
        const auto found = statement.rowById.find(target.row);
        if (!statement.type || found == statement.rowById.end()) {
            out.document = target.code;
            out.title = QStringLiteral("%1[%2]").arg(target.code).arg(target.row);
            out.column = target.field;
            return out;
        }
        const StatementRow& row = statement.rows[found->second];
        out.document = PaperTitle(statement.type->titleText());
        out.code = row.code;
        out.title = row.title;
        out.column = FormColumnHeading(statement, target.field);
        out.target.level = row.level;
        return out;
    }

    QString statementTitle(const QString& code)
    {
        const DocType* type = DocTypeByCode(code);
        return type ? PaperTitle(type->titleText()) : code;
    }

private:
    const Statement& templateOf(const QString& code)
    {
        const auto known = m_read.find(code);
        if (known != m_read.end())
            return known->second;
        Statement& statement = m_read[code];
        if (const DocType* type = DocTypeByCode(code)) {
            Rowset rowset;
            if (!LoadRowset(TemplatePath(m_folder, *type), rowset)) {
                ReadRows(rowset, statement);
                statement.type = type;
            }
        }
        return statement;
    }

    QString m_folder;
    std::map<QString, Statement> m_read;
};

} // namespace

QString BalanceText(qint64 stotinki)
{
    return stotinki < 0 ? LedgerAmountText(-stotinki) + QStringLiteral(" Кт")
                        : LedgerAmountText(stotinki) + QStringLiteral(" Дт");
}

ImportPreview PreviewImport(const ImportPlan& plan, const QString& programFolder)
{
    ImportPreview preview;
    TemplateRows rows(programFolder);
    for (const AccountPlacement& placement : plan.amounts.placements) {
        ImportPreviewAccount account;
        account.account = placement.row.account;
        account.name = placement.row.name;
        account.balance = BalanceText(placement.stotinki);
        account.placed = !placement.targets.empty();
        QStringList places;
        for (const AccountTarget& target : placement.targets)
            places << FindingRowText(rows.row(target));
        account.places =
            account.placed ? places.join(QStringLiteral("; ")) : QString::fromUtf16(kUnplacedText);
        preview.accounts.push_back(std::move(account));
    }
    preview.unplaced = static_cast<int>(plan.amounts.unplaced.size());

    qint64 debit = 0;
    qint64 credit = 0;
    for (const TrialBalanceRow& row : plan.trialBalance.rows) {
        debit += row.closingDebit;
        credit += row.closingCredit;
    }
    preview.debit = LedgerAmountText(debit);
    preview.credit = LedgerAmountText(credit);

    for (const StatementAmount& cell : plan.amounts.cells) {
        const FindingRow row = rows.row(cell.target);
        preview.cells.push_back(ImportPreviewCell{row.document, RowName(row), row.column,
                                                  FormatNumber(static_cast<double>(cell.leva)),
                                                  cell.accounts.join(QStringLiteral(", "))});
    }
    for (const QString& code : plan.codes())
        preview.statements << rows.statementTitle(code);
    return preview;
}

} // namespace telm
