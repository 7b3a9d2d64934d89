// The findings as a two-level item model: each finding a row (its text and
// the difference), the rows it compared under it (statement, title and code,
// column, the amount with the sign it counts with). The findings panel shows
// it; a double click asks it where to go.
#pragma once

#include "editor/Findings.h"

#include <QStandardItemModel>

namespace telm {

class FindingsModel : public QStandardItemModel
{
    Q_OBJECT

public:
    explicit FindingsModel(QObject* parent = nullptr);

    void setFindings(std::vector<Finding> findings);
    const std::vector<Finding>& findings() const { return m_findings; }

    // Where a double click on the item goes: a compared row to its row; a
    // finding to its first row in the document on screen, else its first row.
    // Nothing for a finding that names no row.
    std::optional<RowTarget> targetAt(const QModelIndex& index) const;

private:
    std::vector<Finding> m_findings;
};

} // namespace telm
