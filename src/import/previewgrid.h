#pragma once

#include <QString>
#include <QStringList>

#include <vector>

// A class list as read from a file: cell (c, r) holds the source's row r + 1, column c + 1.
// The grid grows when a cell beyond it is set; cells never set read as "".
class PreviewGrid
{
public:
    // Readers stop here, so that a sheet claiming a million rows cannot exhaust memory.
    static constexpr int MaxRows = 10000;
    static constexpr int MaxColumns = 256;

    int columns() const { return m_columns; }
    int rows() const { return int(m_rows.size()); }
    QString cell(int column, int row) const;
    // False (and nothing stored) outside the limits.
    bool setCell(int column, int row, const QString &text);
    // Makes the grid at least this large, within the limits.
    void extend(int columns, int rows);
    // Leaves out empty rows at the end and empty columns at the right.
    void trim();
    bool isEmpty() const;

    bool operator==(const PreviewGrid &other) const;

private:
    int m_columns = 0;
    std::vector<QStringList> m_rows;
};
