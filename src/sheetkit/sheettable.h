#pragma once

#include <QString>

#include <vector>

// The working copy a view keeps of the cells it shows: a table of text addressed
// (column, row) like the ClassGrid. Views fill it from the grid, edit it, and write it back.
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
    }

    bool contains(int column, int row) const
    {
        return column >= 0 && column < m_columns && row >= 0 && row < m_rows;
    }
    QString cell(int column, int row) const
    {
        return contains(column, row) ? m_cells[index(column, row)] : QString();
    }
    void setCell(int column, int row, const QString &text)
    {
        if (contains(column, row))
            m_cells[index(column, row)] = text;
    }
    void clear() { std::fill(m_cells.begin(), m_cells.end(), QString()); }

private:
    size_t index(int column, int row) const { return size_t(row) * size_t(m_columns) + column; }

    int m_columns = 0;
    int m_rows = 0;
    std::vector<QString> m_cells;
};
