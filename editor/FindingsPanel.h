// The findings panel: the controls' findings listed under a heading, each
// with the rows it compared; a double click or Enter on one asks to go to its
// row, Esc asks to go back to what the findings are about. A widget of its own, so that any window
// that runs the controls can show their findings the same way.
#pragma once

#include "editor/Findings.h"

#include <QFrame>
#include <QString>

class QLabel;
class QPushButton;
class QTreeView;

namespace telm {

class FindingsModel;

class FindingsPanel : public QFrame
{
    Q_OBJECT

public:
    explicit FindingsPanel(QWidget* parent = nullptr);

    // Lists the findings; none says that the controls found nothing.
    void setFindings(std::vector<Finding> findings);

    FindingsModel* model() const { return m_model; }
    bool hasFindings() const;
    QTreeView* view() const { return m_view; }
    QLabel* summary() const { return m_summary; }
    QPushButton* cmdHide() const { return m_cmdHide; }

    // The document changed after the check: the amounts listed may be old.
    // Said in the summary until the next check.
    void markOutdated();

    // Goes where the item points (a double click or Enter on it).
    void choose(const QModelIndex& index);

signals:
    void rowChosen(const telm::RowTarget& target);
    // Esc in the list: back to the document, without going anywhere.
    void leaveRequested();

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    FindingsModel* m_model = nullptr;
    QLabel* m_heading = nullptr;
    QLabel* m_summary = nullptr;
    QPushButton* m_cmdHide = nullptr;
    QTreeView* m_view = nullptr;
    QString m_checked; // the summary of the last check
};

} // namespace telm
