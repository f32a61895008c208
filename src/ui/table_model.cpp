// SPDX-License-Identifier: GPL-3.0-or-later
#include "ui/table_model.h"

#include <QBrush>
#include <QColor>
#include <QFont>

namespace zantor {

namespace {

const Column& columnAt(int c) {
    return tableColumns()[static_cast<std::size_t>(c)];
}

QString shown(const std::string& text) {
    return QString::fromUtf8(text.data(), static_cast<qsizetype>(text.size()));
}

// A header without the caption's colon: "Price:" heads a column as "Price".
QString headerText(std::string_view label) {
    if (label.ends_with(':'))
        label.remove_suffix(1);
    return QString::fromUtf8(label.data(), static_cast<qsizetype>(label.size()));
}

} // namespace

FolderTableModel::FolderTableModel(FolderTable& table, QObject* parent)
    : QAbstractTableModel(parent), m_table(table) {}

int FolderTableModel::rowCount(const QModelIndex& parent) const {
    return parent.isValid() ? 0 : static_cast<int>(m_table.rowCount());
}

int FolderTableModel::columnCount(const QModelIndex& parent) const {
    return parent.isValid() ? 0 : static_cast<int>(tableColumns().size());
}

QVariant FolderTableModel::data(const QModelIndex& index, int role) const {
    if (!index.isValid())
        return {};
    const auto r = static_cast<std::size_t>(index.row());
    const int c = index.column();
    switch (role) {
    case Qt::DisplayRole:
    case Qt::EditRole:
    case Qt::AccessibleTextRole:
        return shown(m_table.cell(r, c));
    case SortRole:
        if (const auto n = m_table.sortNumber(r, c))
            return QVariant::fromValue<qint64>(*n);
        return shown(m_table.cell(r, c));
    case Qt::BackgroundRole:
        if (m_table.isChanged(r, c))
            return QBrush(QColor(255, 236, 150));
        if (!columnAt(c).appliesTo(m_table.row(r).record.typeName()))
            return QBrush(QColor(224, 224, 224));
        return {};
    case Qt::FontRole:
        if (m_table.isChanged(r, c)) {
            QFont bold;
            bold.setBold(true);
            return bold;
        }
        return {};
    case Qt::ToolTipRole:
        if (m_table.isChanged(r, c))
            return QStringLiteral("Changed; was: %1").arg(shown(m_table.shownCell(r, c)));
        return {};
    default:
        return {};
    }
}

QVariant FolderTableModel::headerData(int section, Qt::Orientation orientation, int role) const {
    if (orientation == Qt::Vertical)
        return role == Qt::DisplayRole ? QVariant(section + 1) : QVariant();
    if (section < 0 || section >= columnCount())
        return {};
    const Column& c = columnAt(section);
    if (role == Qt::DisplayRole)
        return headerText(c.label);
    if (role == Qt::ToolTipRole)
        return QString::fromUtf8(c.key.data(), static_cast<qsizetype>(c.key.size()));
    return {};
}

Qt::ItemFlags FolderTableModel::flags(const QModelIndex& index) const {
    Qt::ItemFlags f = QAbstractTableModel::flags(index);
    if (index.isValid() && m_table.editable(static_cast<std::size_t>(index.row()), index.column()))
        f |= Qt::ItemIsEditable;
    return f;
}

bool FolderTableModel::setData(const QModelIndex& index, const QVariant& value, int role) {
    if (role != Qt::EditRole || !editCells)
        return false;
    return editCells({index}, value.toString());
}

void FolderTableModel::rowsChanged(const std::vector<std::size_t>& rows) {
    for (const std::size_t r : rows)
        emit dataChanged(index(static_cast<int>(r), 0),
                         index(static_cast<int>(r), columnCount() - 1));
}

void FolderTableModel::allChanged() {
    if (rowCount() > 0)
        emit dataChanged(index(0, 0), index(rowCount() - 1, columnCount() - 1));
}

FolderTableProxy::FolderTableProxy(QObject* parent) : QSortFilterProxyModel(parent) {
    setSortRole(FolderTableModel::SortRole);
}

void FolderTableProxy::setFilterText(const QString& text) {
    m_filter = text.trimmed();
    invalidateFilter();
}

void FolderTableProxy::sort(int column, Qt::SortOrder order) {
    m_keys.clear();
    if (column >= 0 && sourceModel()) {
        const int rows = sourceModel()->rowCount();
        m_keys.resize(static_cast<std::size_t>(rows));
        for (int r = 0; r < rows; ++r) {
            const QVariant v = sourceModel()->index(r, column).data(sortRole());
            Key& k = m_keys[static_cast<std::size_t>(r)];
            k.isNumber = v.typeId() == QMetaType::LongLong;
            if (k.isNumber)
                k.number = v.toLongLong();
            else
                k.text = v.toString().toCaseFolded();
        }
    }
    QSortFilterProxyModel::sort(column, order);
}

bool FolderTableProxy::filterAcceptsRow(int sourceRow, const QModelIndex&) const {
    if (m_filter.isEmpty())
        return true;
    const auto* model = static_cast<const FolderTableModel*>(sourceModel());
    const FolderTable& table = model->table();
    const auto r = static_cast<std::size_t>(sourceRow);
    static const int columns[] = {columnIndex("nameField"), columnIndex("file"),
                                  columnIndex("itemIDfield")};
    for (const int c : columns) {
        if (shown(table.cell(r, c)).contains(m_filter, Qt::CaseInsensitive))
            return true;
    }
    return false;
}

bool FolderTableProxy::lessThan(const QModelIndex& left, const QModelIndex& right) const {
    const auto l = static_cast<std::size_t>(left.row());
    const auto r = static_cast<std::size_t>(right.row());
    if (l >= m_keys.size() || r >= m_keys.size())
        return QSortFilterProxyModel::lessThan(left, right);
    const Key& a = m_keys[l];
    const Key& b = m_keys[r];
    // Numbers before text and empty cells, so a column's values stand together.
    if (a.isNumber != b.isNumber)
        return a.isNumber;
    if (a.isNumber)
        return a.number < b.number;
    return a.text < b.text;
}

} // namespace zantor
