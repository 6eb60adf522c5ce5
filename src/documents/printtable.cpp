#include "printtable.h"

#include <algorithm>

PrintTable::PrintTable(int columns, int rows)
{
    setColumnCount(columns);
    setRowCount(rows);
}

void PrintTable::setColumnCount(int columns)
{
    columns = std::max(columns, 0);
    if (columns == m_columns)
        return;
    std::vector<QString> cells(size_t(columns) * size_t(m_rows));
    const int kept = std::min(columns, m_columns);
    for (int row = 0; row < m_rows; ++row)
        for (int column = 0; column < kept; ++column)
            cells[size_t(row) * size_t(columns) + column] = std::move(m_cells[index(column, row)]);
    m_cells = std::move(cells);
    m_columns = columns;
    m_widths.resize(size_t(columns), m_defaultWidth);
}

void PrintTable::setRowCount(int rows)
{
    rows = std::max(rows, 0);
    m_rows = rows;
    m_cells.resize(size_t(m_columns) * size_t(rows));
    m_heights.resize(size_t(rows), m_defaultHeight);
}

QString PrintTable::cell(int column, int row) const
{
    return contains(column, row) ? m_cells[index(column, row)] : QString();
}

void PrintTable::setCell(int column, int row, const QString &text)
{
    if (contains(column, row))
        m_cells[index(column, row)] = text;
}

int PrintTable::columnWidth(int column) const
{
    return column >= 0 && column < m_columns ? m_widths[size_t(column)] : 0;
}

void PrintTable::setColumnWidth(int column, int width)
{
    if (column >= 0 && column < m_columns)
        m_widths[size_t(column)] = width;
}

int PrintTable::rowHeight(int row) const
{
    return row >= 0 && row < m_rows ? m_heights[size_t(row)] : 0;
}

void PrintTable::setRowHeight(int row, int height)
{
    if (row >= 0 && row < m_rows)
        m_heights[size_t(row)] = height;
}

void PrintTable::setDefaultColumnWidth(int width)
{
    m_defaultWidth = width;
    std::fill(m_widths.begin(), m_widths.end(), width);
}

void PrintTable::setDefaultRowHeight(int height)
{
    m_defaultHeight = height;
    std::fill(m_heights.begin(), m_heights.end(), height);
}
