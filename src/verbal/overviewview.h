#pragma once

#include <QWidget>

class ClassGrid;
class OverviewTable;
class SheetView;

// The "Ergebnisübersicht" tab: the group's verbal results, always as the class holds them.
class OverviewView : public QWidget
{
    Q_OBJECT

public:
    OverviewView(OverviewTable &table, ClassGrid &grid, QWidget *parent = nullptr);

    SheetView *view() const { return m_view; }
    void activate();

private:
    void refill();

    OverviewTable &m_table;
    SheetView *m_view;
};
