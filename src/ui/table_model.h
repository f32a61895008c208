// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "table/folder_table.h"

#include <QAbstractTableModel>
#include <QSortFilterProxyModel>
#include <functional>
#include <vector>

namespace zantor {

// The folder table as a Qt model: one row per item, one column per table column.
// Edits are handed to `editCells`, which checks and applies them (with undo).
class FolderTableModel final : public QAbstractTableModel {
    Q_OBJECT
public:
    // The role that gives a cell's sort key: a number for number columns, else text.
    static constexpr int SortRole = Qt::UserRole + 1;

    FolderTableModel(FolderTable& table, QObject* parent = nullptr);

    FolderTable& table() const { return m_table; }
    int rowCount(const QModelIndex& parent = {}) const override;
    int columnCount(const QModelIndex& parent = {}) const override;
    QVariant data(const QModelIndex& index, int role = Qt::DisplayRole) const override;
    QVariant headerData(int section, Qt::Orientation orientation,
                        int role = Qt::DisplayRole) const override;
    Qt::ItemFlags flags(const QModelIndex& index) const override;
    bool setData(const QModelIndex& index, const QVariant& value, int role = Qt::EditRole) override;

    /// Sets cells as typed; false (nothing set) when any is refused.
    std::function<bool(const QModelIndexList& cells, const QString& text)> editCells;
    /// Tells the views that rows changed outside the model.
    void rowsChanged(const std::vector<std::size_t>& rows);
    /// Tells the views that every row may have changed.
    void allChanged();

private:
    FolderTable& m_table;
};

// Sorting (numbers as numbers) and the filter box (name, file name, item ID).
class FolderTableProxy final : public QSortFilterProxyModel {
    Q_OBJECT
public:
    explicit FolderTableProxy(QObject* parent = nullptr);
    void setFilterText(const QString& text);
    void sort(int column, Qt::SortOrder order = Qt::AscendingOrder) override;

protected:
    bool filterAcceptsRow(int sourceRow, const QModelIndex& sourceParent) const override;
    bool lessThan(const QModelIndex& left, const QModelIndex& right) const override;

private:
    // The sort keys of the sorted column, taken once per sort.
    struct Key {
        bool isNumber = false;
        qint64 number = 0;
        QString text;
    };
    std::vector<Key> m_keys;
    QString m_filter;
};

} // namespace zantor
