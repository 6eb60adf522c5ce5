#pragma once

#include "sheettable.h"

#include <QAbstractTableModel>

class SheetLogic;

// Shows a sheet's table to a view. Edits go to the logic; afterwards only the cells that
// changed are reported, so an open editor is not disturbed by the recomputation.
class SheetModel : public QAbstractTableModel
{
    Q_OBJECT

public:
    explicit SheetModel(SheetLogic &logic, QObject *parent = nullptr);

    SheetLogic &logic() const { return m_logic; }

    int rowCount(const QModelIndex &parent = QModelIndex()) const override;
    int columnCount(const QModelIndex &parent = QModelIndex()) const override;
    QVariant data(const QModelIndex &index, int role = Qt::DisplayRole) const override;
    bool setData(const QModelIndex &index, const QVariant &value, int role = Qt::EditRole) override;
    Qt::ItemFlags flags(const QModelIndex &index) const override;
    QVariant headerData(int section, Qt::Orientation orientation,
                        int role = Qt::DisplayRole) const override;

    // The logic changed its table: report what differs from what the view shows.
    void refresh();
    // The logic refilled its table: the view starts over.
    void reload();

private:
    SheetLogic &m_logic;
    SheetTable m_shown;
};
