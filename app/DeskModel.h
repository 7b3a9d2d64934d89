// The desk's table as an item model over a snapshot: filings as parents, their
// statements as children, every text computed when the view asks for it, so
// showing a new snapshot of thousands of files costs one reset.
#pragma once

#include "desk/DeskEntry.h"

#include <QAbstractItemModel>

#include <memory>

namespace telm {

class DeskModel : public QAbstractItemModel
{
    Q_OBJECT

public:
    enum Column {
        colCompany,
        colBulstat,
        colPeriod,
        colDocument,
        colKind,
        colSaved,
        colCheck,
        colControls,
        kColumns
    };
    static constexpr int kPathRole = Qt::UserRole + 1;   // a statement's row: its path
    static constexpr int kFilingRole = Qt::UserRole + 2; // any row: its filing's position
    static constexpr int kFilterRole = Qt::UserRole + 3; // a filing's row: what the filter searches

    using QAbstractItemModel::QAbstractItemModel;

    void setSnapshot(std::shared_ptr<const DeskSnapshot> snapshot);

    // The row of a file (by path); invalid when it is not shown.
    QModelIndex indexOfFile(const QString& path) const;

    QModelIndex index(int row, int column, const QModelIndex& parent = {}) const override;
    QModelIndex parent(const QModelIndex& child) const override;
    int rowCount(const QModelIndex& parent = {}) const override;
    int columnCount(const QModelIndex& parent = {}) const override;
    QVariant data(const QModelIndex& index, int role = Qt::DisplayRole) const override;
    QVariant headerData(int section, Qt::Orientation orientation,
                        int role = Qt::DisplayRole) const override;

private:
    QVariant filingData(std::size_t f, int column, int role) const;
    QVariant fileData(std::size_t f, std::size_t i, int column, int role) const;

    std::shared_ptr<const DeskSnapshot> m_snapshot;
};

} // namespace telm
