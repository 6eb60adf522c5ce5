#pragma once

#include <QPoint>
#include <QString>

#include <cstdint>
#include <utility>
#include <vector>

// The working copy a view keeps of the cells it shows: a table of text addressed
// (column, row) like the ClassGrid. Text copied in from the class is loaded; everything
// else set here is a change the view made and is remembered until the view writes it
// back, so that a view never writes a cell it did not change.
class SheetTable
{
public:
    SheetTable(int columns = 0, int rows = 0) { resize(columns, rows); }

    int columnCount() const { return m_columns; }
    int rowCount() const { return m_rows; }
    void resize(int columns, int rows)
    {
        m_columns = columns;
        m_rows = rows;
        m_cells.assign(size_t(columns) * size_t(rows), QString());
        m_isChanged.assign(m_cells.size(), 0);
        m_changes.clear();
    }

    bool contains(int column, int row) const
    {
        return column >= 0 && column < m_columns && row >= 0 && row < m_rows;
    }
    QString cell(int column, int row) const
    {
        return contains(column, row) ? m_cells[index(column, row)] : QString();
    }
    // A change made in the view.
    void setCell(int column, int row, const QString &text)
    {
        if (!contains(column, row))
            return;
        const size_t i = index(column, row);
        if (m_cells[i] == text)
            return;
        m_cells[i] = text;
        if (!m_isChanged[i]) {
            m_isChanged[i] = 1;
            m_changes.push_back(QPoint(column, row));
        }
    }
    // Text as the class holds it. A change not yet written back wins over it.
    void load(int column, int row, const QString &text)
    {
        if (contains(column, row) && !m_isChanged[index(column, row)])
            m_cells[index(column, row)] = text;
    }
    bool isChanged(int column, int row) const
    {
        return contains(column, row) && m_isChanged[index(column, row)];
    }
    bool hasChanges() const { return !m_changes.empty(); }
    // The changed cells in the order they were first changed; afterwards none is changed.
    std::vector<QPoint> takeChanges()
    {
        for (const QPoint &cell : m_changes)
            m_isChanged[index(cell.x(), cell.y())] = 0;
        return std::exchange(m_changes, {});
    }
    void forgetChanges() { takeChanges(); }
    // Empties every cell and forgets the changes.
    void clear()
    {
        std::fill(m_cells.begin(), m_cells.end(), QString());
        forgetChanges();
    }

private:
    size_t index(int column, int row) const { return size_t(row) * size_t(m_columns) + column; }

    int m_columns = 0;
    int m_rows = 0;
    std::vector<QString> m_cells;
    std::vector<uint8_t> m_isChanged;
    std::vector<QPoint> m_changes;
};
