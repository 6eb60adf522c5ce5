#pragma once

#include <QObject>
#include <QString>

#include <cstdint>
#include <vector>

// The in-memory record of one class: 170 columns by 1716 rows of text.
// Every change of class data goes through setCell(); a cell never set reads as "".
class ClassGrid : public QObject
{
    Q_OBJECT

public:
    static constexpr int Columns = 170;
    static constexpr int Rows = 1716;
    static constexpr int CellCount = Columns * Rows;

    explicit ClassGrid(QObject *parent = nullptr);

    QString cell(int column, int row) const;
    // The cell's text without a copy; valid until the grid changes.
    QStringView cellView(int column, int row) const;
    void setCell(int column, int row, const QString &text);

    bool isEmpty(int column, int row) const;
    static bool contains(int column, int row)
    {
        return column >= 0 && column < Columns && row >= 0 && row < Rows;
    }

    // Empties every cell.
    void clear();

    // Replaces the whole grid at once with text decoded by a loader: cell i (column-major)
    // is text.mid(offsets[i], lengths[i]). Much cheaper than 291,720 separate strings.
    // Emits reset() and no cellChanged().
    void replaceAll(QString text, std::vector<uint32_t> offsets, std::vector<uint32_t> lengths);

    // Counts every change; views compare it to know whether they must refill.
    quint64 revision() const { return m_revision; }

    // While one lives, cellChanged() is held back; when the outermost ends after cells
    // changed, cellsChanged() is emitted once, so that views refresh once per command.
    class BulkChange
    {
    public:
        explicit BulkChange(ClassGrid &grid);
        ~BulkChange();
        BulkChange(const BulkChange &) = delete;
        BulkChange &operator=(const BulkChange &) = delete;

    private:
        ClassGrid &m_grid;
    };

signals:
    void cellChanged(int column, int row);
    // Any number of cells changed at once.
    void cellsChanged();
    void reset();

private:
    static int indexOf(int column, int row) { return column * Rows + row; }

    // A cell set after the last load lives in m_cells; otherwise its text is the slice
    // m_loaded[m_offset .. m_offset + m_length) of the text the loader handed over.
    std::vector<QString> m_cells;
    std::vector<int> m_setCells;      // indices of the cells that hold a string of their own
    std::vector<uint8_t> m_isSetCell; // whether an index is listed in m_setCells
    QString m_loaded;
    std::vector<uint32_t> m_offset;
    std::vector<uint32_t> m_length;
    quint64 m_revision = 0;
    int m_bulkDepth = 0;
    bool m_bulkChanged = false;
};
