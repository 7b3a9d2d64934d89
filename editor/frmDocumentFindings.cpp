// The findings in the document form: "Проверка" and F9, the panel under the
// grid, and the way from a finding to its row, here or in another statement.
#include "editor/FindingsModel.h"
#include "editor/FindingsPanel.h"
#include "editor/frmDocument.h"
#include "grid/GridWidget.h"
#include "platform/MessageBoxes.h"

#include <QDir>
#include <QFrame>
#include <QPushButton>
#include <QShortcut>
#include <QTreeView>

namespace telm {

void frmDocument::buildFindings()
{
    m_cmdCheck = new QPushButton(QStringLiteral("Про&верка"), m_frmCommands);
    m_cmdCheck->setObjectName(QStringLiteral("cmdCheck"));
    m_cmdCheck->setAutoDefault(false);
    m_cmdCheck->setToolTip(QStringLiteral("Проверка с контролите, без запис (F9)"));
    m_cmdCheck->setAccessibleDescription(
        QStringLiteral("Проверява документа с контролите за съгласуваност, без да го записва"));
    connect(m_cmdCheck, &QPushButton::clicked, this, [this] { cmdCheck_Click(); });
    auto* key = new QShortcut(QKeySequence(Qt::Key_F9), this);
    connect(key, &QShortcut::activated, this, [this] { cmdCheck_Click(); });

    m_findings = new FindingsPanel(this);
    m_findings->hide();
    connect(m_findings, &FindingsPanel::rowChosen, this,
            [this](const RowTarget& target) { findingChosen(target); });
    // Esc in the panel is "back to the grid", never "close the form".
    connect(m_findings, &FindingsPanel::leaveRequested, this, [this] { m_grid->setFocus(); });
    connect(m_findings->cmdHide(), &QPushButton::clicked, this, [this] {
        Form_Resize();
        m_grid->setFocus();
    });
}

void frmDocument::cmdCheck_Click()
{
    if (!m_loaded || !txtEdit_LostFocus())
        return;
    showFindings(m_engine.check());
    if (m_findings->model()->rowCount() > 0)
        m_findings->view()->setFocus();
    else
        m_grid->setFocus();
}

void frmDocument::showFindings(std::vector<Finding> findings)
{
    m_findings->setFindings(std::move(findings));
    m_findings->show();
    Form_Resize();
}

void frmDocument::findingChosen(const RowTarget& target)
{
    if (target.path.isEmpty()) {
        goToRow(target);
        return;
    }
    if (!txtEdit_LostFocus())
        return;
    if (!m_openStatement) {
        platform::ShowMessage(
            this, QStringLiteral("Внимание!"),
            QStringLiteral("Отворете документа %1 през „Корекция на документ“.").arg(target.path),
            platform::MsgIcon::Information);
        return;
    }
    m_openStatement(this, target);
    // What was mended there shows here at once.
    cmdCheck_Click();
}

bool frmDocument::goToRow(const RowTarget& target)
{
    if (!m_loaded || !txtEdit_LostFocus())
        return false;
    GridModel& grid = m_engine.grid();
    const int idColumn = m_engine.profile().idColumn;
    for (int row = grid.FixedRows(); row < grid.Rows(); ++row) {
        if (grid.band(row) != target.level - 1 || grid.TextMatrix(row, idColumn) != target.id)
            continue;
        for (int up = grid.parentRow(row); up >= grid.FixedRows(); up = grid.parentRow(up))
            if (grid.isCollapsed(up))
                grid.setCollapsed(up, false);
        int col = target.field.isEmpty() ? target.column : m_engine.columnOfField(target.field);
        if (col < 0 || grid.ColWidth(col, grid.band(row)) == 0)
            col = m_engine.amountColumns().empty() ? grid.Col() : m_engine.amountColumns().front();
        m_grid->setFocus();
        grid.setCurrentCell(row, col);
        m_grid->ensureCellVisible(row, col);
        return true;
    }
    return false;
}

} // namespace telm
