#pragma once

#include <QColor>
#include <QString>

#include <vector>

// The one font a printed table is set in.
struct PrintFont
{
    QString face = QStringLiteral("MS Sans Serif");
    QColor colour = Qt::black;
    bool bold = false;
    bool italic = false;
    bool underline = false;
};

// A finished table as a report prints it: text cells addressed (column, row), the width
// of every column and the height of every row in pixels as the view would show them, the
// width the view takes on screen, and its font. A cell outside the table reads as "".
class PrintTable
{
public:
    static constexpr int DefaultColumnWidth = 64;
    static constexpr int DefaultRowHeight = 24;

    explicit PrintTable(int columns = 0, int rows = 0);

    int columnCount() const { return m_columns; }
    int rowCount() const { return m_rows; }
    // Cells, widths and heights that stay inside keep their values; new ones are empty
    // and take the default size.
    void setColumnCount(int columns);
    void setRowCount(int rows);

    bool contains(int column, int row) const
    {
        return column >= 0 && column < m_columns && row >= 0 && row < m_rows;
    }
    QString cell(int column, int row) const;
    void setCell(int column, int row, const QString &text);

    // 0 for a column or row outside the table.
    int columnWidth(int column) const;
    void setColumnWidth(int column, int width);
    int rowHeight(int row) const;
    void setRowHeight(int row, int height);
    // Every column (row) takes this size, also those added later.
    void setDefaultColumnWidth(int width);
    void setDefaultRowHeight(int height);

    int controlWidth() const { return m_controlWidth; }
    void setControlWidth(int pixels) { m_controlWidth = pixels; }

    const PrintFont &font() const { return m_font; }
    void setFont(const PrintFont &font) { m_font = font; }

private:
    size_t index(int column, int row) const { return size_t(row) * size_t(m_columns) + column; }

    int m_columns = 0;
    int m_rows = 0;
    std::vector<QString> m_cells;
    std::vector<int> m_widths;
    std::vector<int> m_heights;
    int m_defaultWidth = DefaultColumnWidth;
    int m_defaultHeight = DefaultRowHeight;
    int m_controlWidth = 0;
    PrintFont m_font;
};
