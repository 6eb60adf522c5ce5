#pragma once

#include <QTableView>

class SheetDelegate;
class SheetLogic;
class SheetModel;

// A sheet on screen: the logic's table without separate headers (row 0 and column 0 of the
// table are the headings), with the logic's column widths and row heights.
class SheetView : public QTableView
{
    Q_OBJECT

public:
    explicit SheetView(SheetLogic &logic, QWidget *parent = nullptr);

    SheetLogic &logic() const { return m_logic; }
    SheetModel *sheetModel() const { return m_model; }

    // After the logic refilled its table.
    void reload();
    // After the logic changed cells on its own.
    void refresh();
    void applySizes();
    // An editor is open on a cell.
    bool isEditing() const { return state() == EditingState; }

    // Offers "copy" and "paste" on the right mouse button.
    void enableClipboardMenu();
    void copySelection();
    void pasteClipboard();

signals:
    void cellSelected(int column, int row);

protected:
    void showEvent(QShowEvent *event) override;
    // Enter takes the teacher to the next person, the way the results of a test are typed.
    void closeEditor(QWidget *editor, QAbstractItemDelegate::EndEditHint hint) override;
    void currentChanged(const QModelIndex &current, const QModelIndex &previous) override;

private:
    // The class changed: the table follows once the current event is done, so that a
    // command changing many cells costs one refresh.
    void scheduleSync();
    void syncWithClass();

    bool m_syncQueued = false;
    SheetLogic &m_logic;
    SheetModel *m_model;
    SheetDelegate *m_delegate;
};
