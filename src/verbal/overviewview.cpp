#include "overviewview.h"

#include "classdata/classgrid.h"
#include "overviewtable.h"
#include "sheetkit/sheetview.h"

#include <QVBoxLayout>

OverviewView::OverviewView(OverviewTable &table, ClassGrid &grid, QWidget *parent)
    : QWidget(parent), m_table(table), m_view(new SheetView(table, this))
{
    m_view->setObjectName(QStringLiteral("overviewSheet"));
    auto *layout = new QVBoxLayout(this);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->addWidget(m_view);
    // The overview keeps nothing of its own: any change of the class shows at once; a
    // command that changes many cells notifies once.
    const auto follow = [this] {
        if (isVisible())
            refill();
    };
    connect(&grid, &ClassGrid::cellChanged, this, follow);
    connect(&grid, &ClassGrid::cellsChanged, this, follow);
    connect(&grid, &ClassGrid::reset, this, follow);
}

void OverviewView::activate()
{
    refill();
}

void OverviewView::refill()
{
    m_table.refill();
    m_view->refresh();
}
