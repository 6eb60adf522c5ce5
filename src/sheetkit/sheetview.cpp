#include "sheetview.h"

#include "sheetclipboard.h"
#include "sheetdelegate.h"
#include "sheetlogic.h"
#include "sheetmodel.h"

#include "classdata/classgrid.h"

#include <QClipboard>
#include <QGuiApplication>
#include <QHeaderView>
#include <QMenu>
#include <QTimer>

SheetView::SheetView(SheetLogic &logic, QWidget *parent)
    : QTableView(parent), m_logic(logic), m_model(new SheetModel(logic, this)),
      m_delegate(new SheetDelegate(logic, this))
{
    setModel(m_model);
    setItemDelegate(m_delegate);
    horizontalHeader()->hide();
    verticalHeader()->hide();
    horizontalHeader()->setMinimumSectionSize(4);
    verticalHeader()->setMinimumSectionSize(4);
    setSelectionMode(QAbstractItemView::SingleSelection);
    setEditTriggers(QAbstractItemView::AnyKeyPressed | QAbstractItemView::DoubleClicked |
                    QAbstractItemView::EditKeyPressed);
    setHorizontalScrollMode(QAbstractItemView::ScrollPerPixel);
    setVerticalScrollMode(QAbstractItemView::ScrollPerPixel);
    setGridStyle(Qt::SolidLine);
    applySizes();
    if (ClassGrid *grid = logic.sourceGrid()) {
        connect(grid, &ClassGrid::cellChanged, this, &SheetView::scheduleSync);
        connect(grid, &ClassGrid::cellsChanged, this, &SheetView::scheduleSync);
        connect(grid, &ClassGrid::reset, this, &SheetView::scheduleSync);
    }
}

void SheetView::scheduleSync()
{
    if (m_syncQueued)
        return;
    m_syncQueued = true;
    QTimer::singleShot(0, this, &SheetView::syncWithClass);
}

void SheetView::syncWithClass()
{
    m_syncQueued = false;
    // A hidden sheet catches up when it is shown.
    if (!isVisible())
        return;
    m_logic.sync();
    refresh();
}

void SheetView::showEvent(QShowEvent *event)
{
    QTableView::showEvent(event);
    m_logic.sync();
    m_model->refresh();
}

void SheetView::applySizes()
{
    for (int column = 0; column < m_model->columnCount(); ++column)
        setColumnWidth(column, m_logic.columnWidth(column));
    for (int row = 0; row < m_model->rowCount(); ++row)
        setRowHeight(row, m_logic.rowHeight(row));
}

void SheetView::reload()
{
    const QModelIndex current = currentIndex();
    m_model->reload();
    applySizes();
    if (current.isValid())
        setCurrentIndex(m_model->index(current.row(), current.column()));
}

void SheetView::refresh()
{
    m_model->refresh();
    viewport()->update();
}

void SheetView::closeEditor(QWidget *editor, QAbstractItemDelegate::EndEditHint hint)
{
    QTableView::closeEditor(editor, hint);
    if (hint != QAbstractItemDelegate::SubmitModelCache)
        return;
    const QModelIndex below = currentIndex().siblingAtRow(currentIndex().row() + 1);
    if (below.isValid())
        setCurrentIndex(below);
}

void SheetView::currentChanged(const QModelIndex &current, const QModelIndex &previous)
{
    QTableView::currentChanged(current, previous);
    if (!current.isValid())
        return;
    m_logic.select(current.column(), current.row());
    m_model->refresh();
    // The whole current row is coloured, so both rows need repainting.
    viewport()->update();
    emit cellSelected(current.column(), current.row());
}

void SheetView::enableClipboardMenu()
{
    setSelectionMode(QAbstractItemView::ContiguousSelection);
    setContextMenuPolicy(Qt::CustomContextMenu);
    connect(this, &QWidget::customContextMenuRequested, this, [this](const QPoint &position) {
        QMenu menu(this);
        menu.addAction(QStringLiteral("copy"), this, &SheetView::copySelection);
        menu.addAction(QStringLiteral("paste"), this, &SheetView::pasteClipboard);
        menu.exec(viewport()->mapToGlobal(position));
    });
}

void SheetView::copySelection()
{
    QModelIndexList cells = selectedIndexes();
    if (cells.isEmpty() && currentIndex().isValid())
        cells << currentIndex();
    if (cells.isEmpty())
        return;
    int left = cells.first().column(), right = left, top = cells.first().row(), bottom = top;
    for (const QModelIndex &cell : qAsConst(cells)) {
        left = qMin(left, cell.column());
        right = qMax(right, cell.column());
        top = qMin(top, cell.row());
        bottom = qMax(bottom, cell.row());
    }
    QGuiApplication::clipboard()->setText(
        SheetClipboard::copyBlock(m_logic.table(), left, top, right, bottom));
}

void SheetView::pasteClipboard()
{
    QModelIndexList cells = selectedIndexes();
    QModelIndex start = currentIndex();
    for (const QModelIndex &cell : qAsConst(cells))
        if (!start.isValid() || cell.row() < start.row() ||
            (cell.row() == start.row() && cell.column() < start.column()))
            start = cell;
    if (!start.isValid())
        return;
    m_logic.paste(start.column(), start.row(), QGuiApplication::clipboard()->text());
    refresh();
}
