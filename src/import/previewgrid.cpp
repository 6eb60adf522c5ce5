#include "previewgrid.h"

#include <algorithm>

QString PreviewGrid::cell(int column, int row) const
{
    if (row < 0 || row >= rows() || column < 0)
        return QString();
    return m_rows[size_t(row)].value(column);
}

bool PreviewGrid::setCell(int column, int row, const QString &text)
{
    if (column < 0 || row < 0 || column >= MaxColumns || row >= MaxRows)
        return false;
    extend(column + 1, row + 1);
    QStringList &line = m_rows[size_t(row)];
    while (line.size() <= column)
        line.append(QString());
    line[column] = text;
    return true;
}

void PreviewGrid::extend(int columns, int rows)
{
    m_columns = std::max(m_columns, std::min(columns, int(MaxColumns)));
    const int wanted = std::min(rows, int(MaxRows));
    if (wanted > this->rows())
        m_rows.resize(size_t(wanted));
}

void PreviewGrid::trim()
{
    int lastColumn = -1;
    int lastRow = -1;
    for (int r = 0; r < rows(); ++r) {
        const QStringList &line = m_rows[size_t(r)];
        for (int c = int(line.size()) - 1; c >= 0; --c) {
            if (!line[c].isEmpty()) {
                lastColumn = std::max(lastColumn, c);
                lastRow = r;
                break;
            }
        }
    }
    m_rows.resize(size_t(lastRow + 1));
    m_columns = lastColumn + 1;
    for (QStringList &line : m_rows)
        if (line.size() > m_columns)
            line.resize(m_columns);
}

bool PreviewGrid::isEmpty() const
{
    for (const QStringList &line : m_rows)
        for (const QString &text : line)
            if (!text.isEmpty())
                return false;
    return true;
}

bool PreviewGrid::operator==(const PreviewGrid &other) const
{
    if (m_columns != other.m_columns || rows() != other.rows())
        return false;
    for (int r = 0; r < rows(); ++r)
        for (int c = 0; c < m_columns; ++c)
            if (cell(c, r) != other.cell(c, r))
                return false;
    return true;
}
