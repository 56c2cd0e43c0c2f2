#include "controls/TreeGridItemModel.h"

#include <QSize>

TreeGridItemModel::TreeGridItemModel(TreeGridModel* rows, QObject* parent) : QAbstractTableModel(parent), m_rows(rows)
{
}

void TreeGridItemModel::detach()
{
    beginResetModel();
    m_rows = nullptr;
    endResetModel();
}

void TreeGridItemModel::setRowHeight(int height)
{
    if (height == m_rowHeight)
        return;
    m_rowHeight = height;
    if (rowCount() > 0)
        emit dataChanged(index(0, 0), index(rowCount() - 1, qMax(columnCount() - 1, 0)), {Qt::SizeHintRole});
    emit layoutChanged();
}

int TreeGridItemModel::insertColumn(int column, const Column& description)
{
    column = qBound(0, column, columns());
    beginInsertColumns(QModelIndex(), column, column);
    m_columns.insert(m_columns.begin() + column, description);
    endInsertColumns();
    return column;
}

const TreeGridItemModel::Column* TreeGridItemModel::column(int column) const
{
    return column >= 0 && column < columns() ? &m_columns[size_t(column)] : nullptr;
}

int TreeGridItemModel::rowCount(const QModelIndex& parent) const
{
    return parent.isValid() || !m_rows ? 0 : m_rows->GetItemCount();
}

int TreeGridItemModel::columnCount(const QModelIndex& parent) const
{
    return parent.isValid() ? 0 : columns();
}

QVariant TreeGridItemModel::data(const QModelIndex& index, int role) const
{
    if (!m_rows || !index.isValid())
        return {};
    switch (role) {
    case Qt::DisplayRole:
    case Qt::AccessibleTextRole:
        return m_rows->GetItemText(index.row(), index.column());
    case Qt::SizeHintRole:
        return QSize(-1, m_rowHeight);
    default:
        return {};
    }
}

QVariant TreeGridItemModel::headerData(int section, Qt::Orientation orientation, int role) const
{
    const Column* c = orientation == Qt::Horizontal ? column(section) : nullptr;
    if (!c)
        return {};
    if (role == Qt::DisplayRole)
        return c->heading;
    if (role == Qt::TextAlignmentRole) {
        const Qt::Alignment horizontal = c->format == LVCFMT_RIGHT    ? Qt::AlignRight
                                         : c->format == LVCFMT_CENTER ? Qt::AlignHCenter
                                                                      : Qt::AlignLeft;
        return QVariant::fromValue(horizontal | Qt::AlignVCenter);
    }
    return {};
}

Qt::ItemFlags TreeGridItemModel::flags(const QModelIndex& index) const
{
    return index.isValid() ? Qt::ItemIsEnabled : Qt::NoItemFlags;
}

void TreeGridItemModel::rowsAboutToBeInserted(int first, int last)
{
    beginInsertRows(QModelIndex(), first, last);
}

void TreeGridItemModel::rowsInserted()
{
    endInsertRows();
}

void TreeGridItemModel::rowsAboutToBeRemoved(int first, int last)
{
    beginRemoveRows(QModelIndex(), first, last);
}

void TreeGridItemModel::rowsRemoved()
{
    endRemoveRows();
}

void TreeGridItemModel::rowsChanged(int first, int last)
{
    if (columnCount() > 0)
        emit dataChanged(index(first, 0), index(last, columnCount() - 1));
}
