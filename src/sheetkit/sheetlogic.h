#pragma once

#include "sheettable.h"

#include <QColor>

class ClassGrid;

// The behaviour of one sheet (what it shows, which keys a cell takes, what an edit does),
// kept apart from the widget so that tests can drive it without one. The widget renders
// table() and forwards edits and selections here.
class SheetLogic
{
public:
    static const QColor EvenRow;
    static const QColor EvenRowPopArt;
    static const QColor OddRow;
    static const QColor Selected;
    static const QColor CurrentRow;
    static const QColor Uncounted;

    explicit SheetLogic(ClassGrid *grid = nullptr) : m_grid(grid) {}
    virtual ~SheetLogic() = default;

    const SheetTable &table() const { return m_table; }

    // The class the table copies; its views follow its changes. None for a table that
    // shows nothing of the class.
    ClassGrid *sourceGrid() const { return m_grid; }
    // Brings the table in line with the class when the class changed since the last fill.
    // Changes not yet written back are kept.
    void sync();

    // A key was released in the cell: the cell holds the editor's text now.
    virtual void edit(int column, int row, const QString &text) = 0;
    virtual void select(int column, int row)
    {
        Q_UNUSED(column)
        Q_UNUSED(row)
    }

    // Pastes tab-separated text with its top left at the cell; the sheet commits at once.
    void paste(int column, int row, const QString &text);

    virtual bool isEditable(int column, int row) const = 0;
    // Result cells take digits only.
    virtual bool takesDigitsOnly(int column, int row) const = 0;

    virtual int columnWidth(int column) const = 0;
    virtual int rowHeight(int row) const = 0;
    virtual bool thickRightEdge(int column) const = 0;
    virtual bool thickBottomEdge(int row) const = 0;
    // Heading texts are drawn turned by 90 degrees.
    virtual bool isRotated(int column, int row) const = 0;

    // The caption above a column, for sheets that show one; empty when there is none.
    virtual QString columnHeading(int column) const
    {
        Q_UNUSED(column)
        return QString();
    }

    // The cell's background: even rows light blue (pink in pop art), odd rows white,
    // selected cells blue, the whole row being edited green.
    virtual QColor background(int column, int row, bool selected, int currentRow) const;
    virtual QColor foreground(int column, int row) const;

    bool popArt() const { return m_popArt; }
    void setPopArt(bool on) { m_popArt = on; }

protected:
    // Copies the shown cells out of the class, with SheetTable::load.
    virtual void fill() {}
    // Stores one changed cell in the class; cells that are only shown are not stored.
    virtual void writeCell(int column, int row, const QString &text)
    {
        Q_UNUSED(column)
        Q_UNUSED(row)
        Q_UNUSED(text)
    }
    // Writes the cells changed since the last write-back, and no other: the class may
    // hold newer text than this copy anywhere else.
    void writeChanges();
    // Starts over from the class, dropping changes not written back.
    void refill();

    // Rows first..last received pasted cells.
    virtual void afterPaste(int firstRow, int lastRow)
    {
        Q_UNUSED(firstRow)
        Q_UNUSED(lastRow)
    }
    // Rows that take part in the current-row colour.
    virtual bool isDataRow(int row) const { return row >= 1; }

    SheetTable m_table;
    bool m_popArt = false;

private:
    ClassGrid *m_grid;
    quint64 m_filledRevision = ~quint64(0);
};
