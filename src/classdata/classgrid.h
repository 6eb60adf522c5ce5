#pragma once

#include "undohistory.h"

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

    // Empties every cell and starts a fresh history.
    void clear();
    // Empties every cell as a change that can be taken back.
    void eraseAll();

    // Replaces the whole grid at once with text decoded by a loader: cell i (column-major)
    // is text.mid(offsets[i], lengths[i]). Much cheaper than 291,720 separate strings.
    // Emits reset() and no cellChanged(); the history starts afresh.
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

    // One action of the teacher: every cell changed while the outermost lives is one step
    // of the history. `typedColumn`, `typedRow` name the grid cell a key was typed into, so
    // that successive keys in it stay one step. Without one, each BulkChange is a step, and
    // so is each single change.
    class UndoStep
    {
    public:
        UndoStep(ClassGrid &grid, const QString &name, int typedColumn = -1, int typedRow = -1);
        ~UndoStep();
        UndoStep(const UndoStep &) = delete;
        UndoStep &operator=(const UndoStep &) = delete;

    private:
        ClassGrid &m_grid;
        bool m_opened;
    };

    // While one lives, changes are not recorded: writes the program makes by itself
    // (stamping before a save, loading, recounting) are nothing to take back.
    class Unrecorded
    {
    public:
        explicit Unrecorded(ClassGrid &grid);
        ~Unrecorded();
        Unrecorded(const Unrecorded &) = delete;
        Unrecorded &operator=(const Unrecorded &) = delete;

    private:
        ClassGrid &m_grid;
    };

    const UndoHistory &history() const { return m_history; }
    // Takes back the last step, or applies the step taken back last again: the changed
    // cells, returned, are reported as one bulk change. Empty when there was none.
    std::vector<UndoHistory::Change> undo();
    std::vector<UndoHistory::Change> redo();
    // The grid as it is now is the saved class.
    void markClean();

signals:
    // What undo() and redo() would do changed.
    void historyChanged();
    void cellChanged(int column, int row);
    // Any number of cells changed at once.
    void cellsChanged();
    void reset();

private:
    static int indexOf(int column, int row) { return column * Rows + row; }
    bool recording() const { return m_unrecordedDepth == 0; }
    void openStep(const QString &name, int typedColumn, int typedRow);
    void closeStep();
    std::vector<UndoHistory::Change> apply(const UndoHistory::Step *step, bool back);

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
    UndoHistory m_history;
    int m_unrecordedDepth = 0;
};
