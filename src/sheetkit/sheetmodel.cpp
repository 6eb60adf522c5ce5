#include "sheetmodel.h"

#include "sheetlogic.h"

SheetModel::SheetModel(SheetLogic &logic, QObject *parent)
    : QAbstractTableModel(parent), m_logic(logic), m_shown(logic.table())
{}

int SheetModel::rowCount(const QModelIndex &parent) const
{
    return parent.isValid() ? 0 : m_shown.rowCount();
}

int SheetModel::columnCount(const QModelIndex &parent) const
{
    return parent.isValid() ? 0 : m_shown.columnCount();
}

QVariant SheetModel::data(const QModelIndex &index, int role) const
{
    if (!index.isValid() || (role != Qt::DisplayRole && role != Qt::EditRole))
        return QVariant();
    return m_shown.cell(index.column(), index.row());
}

bool SheetModel::setData(const QModelIndex &index, const QVariant &value, int role)
{
    if (!index.isValid() || role != Qt::EditRole)
        return false;
    m_logic.edit(index.column(), index.row(), value.toString());
    refresh();
    return true;
}

Qt::ItemFlags SheetModel::flags(const QModelIndex &index) const
{
    Qt::ItemFlags flags = Qt::ItemIsEnabled | Qt::ItemIsSelectable;
    if (index.isValid() && m_logic.isEditable(index.column(), index.row()))
        flags |= Qt::ItemIsEditable;
    return flags;
}

QVariant SheetModel::headerData(int section, Qt::Orientation orientation, int role) const
{
    if (orientation == Qt::Horizontal && role == Qt::DisplayRole)
        return m_logic.columnHeading(section);
    return QVariant();
}

void SheetModel::refresh()
{
    const SheetTable &table = m_logic.table();
    if (table.columnCount() != m_shown.columnCount() || table.rowCount() != m_shown.rowCount()) {
        reload();
        return;
    }
    for (int row = 0; row < table.rowCount(); ++row) {
        for (int column = 0; column < table.columnCount(); ++column) {
            const QString text = table.cell(column, row);
            if (text != m_shown.cell(column, row)) {
                m_shown.setCell(column, row, text);
                const QModelIndex changed = index(row, column);
                emit dataChanged(changed, changed);
            }
        }
    }
}

void SheetModel::reload()
{
    beginResetModel();
    m_shown = m_logic.table();
    endResetModel();
}
