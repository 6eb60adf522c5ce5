#include "classgrid.h"

ClassGrid::ClassGrid(QObject *parent)
    : QObject(parent), m_cells(CellCount), m_isSetCell(CellCount, 0), m_offset(CellCount, 0),
      m_length(CellCount, 0)
{}

QString ClassGrid::cell(int column, int row) const
{
    if (!contains(column, row))
        return QString();
    const int i = indexOf(column, row);
    if (m_length[i] == 0)
        return m_cells[i];
    return QString(m_loaded.constData() + m_offset[i], qsizetype(m_length[i]));
}

QStringView ClassGrid::cellView(int column, int row) const
{
    if (!contains(column, row))
        return QStringView();
    const int i = indexOf(column, row);
    if (m_length[i] == 0)
        return m_cells[i];
    return QStringView(m_loaded.constData() + m_offset[i], qsizetype(m_length[i]));
}

bool ClassGrid::isEmpty(int column, int row) const
{
    if (!contains(column, row))
        return true;
    const int i = indexOf(column, row);
    return m_length[i] == 0 && m_cells[i].isEmpty();
}

void ClassGrid::setCell(int column, int row, const QString &text)
{
    if (!contains(column, row))
        return;
    const int i = indexOf(column, row);
    if (m_length[i] != 0) {
        const QStringView loaded(m_loaded.constData() + m_offset[i], qsizetype(m_length[i]));
        if (loaded == text)
            return;
        if (recording())
            m_history.record(column, row, loaded.toString(), text);
        m_length[i] = 0;
    } else if (m_cells[i] == text) {
        return;
    } else if (recording()) {
        m_history.record(column, row, m_cells[i], text);
    }
    if (recording() && !m_history.isOpen())
        emit historyChanged();
    if (!m_isSetCell[i]) {
        m_isSetCell[i] = 1;
        m_setCells.push_back(i);
    }
    m_cells[i] = text;
    ++m_revision;
    if (m_bulkDepth > 0)
        m_bulkChanged = true;
    else
        emit cellChanged(column, row);
}

ClassGrid::BulkChange::BulkChange(ClassGrid &grid) : m_grid(grid)
{
    ++m_grid.m_bulkDepth;
    m_grid.openStep(QString(), -1, -1);
}

ClassGrid::BulkChange::~BulkChange()
{
    m_grid.closeStep();
    if (--m_grid.m_bulkDepth > 0 || !m_grid.m_bulkChanged)
        return;
    m_grid.m_bulkChanged = false;
    emit m_grid.cellsChanged();
}

ClassGrid::UndoStep::UndoStep(ClassGrid &grid, const QString &name, int typedColumn, int typedRow)
    : m_grid(grid), m_opened(grid.recording())
{
    if (m_opened)
        m_grid.m_history.open(name, typedColumn, typedRow);
}

ClassGrid::UndoStep::~UndoStep()
{
    if (m_opened)
        m_grid.closeStep();
}

ClassGrid::Unrecorded::Unrecorded(ClassGrid &grid) : m_grid(grid)
{
    ++m_grid.m_unrecordedDepth;
}

ClassGrid::Unrecorded::~Unrecorded()
{
    --m_grid.m_unrecordedDepth;
}

void ClassGrid::openStep(const QString &name, int typedColumn, int typedRow)
{
    m_history.open(name, typedColumn, typedRow);
}

void ClassGrid::closeStep()
{
    const bool wasOpen = m_history.isOpen();
    m_history.close();
    if (wasOpen && !m_history.isOpen())
        emit historyChanged();
}

std::vector<UndoHistory::Change> ClassGrid::apply(const UndoHistory::Step *step, bool back)
{
    if (!step)
        return {};
    // Copied first: a view that follows the signals may not see the history mid-change.
    std::vector<UndoHistory::Change> changes = step->changes;
    {
        const Unrecorded unrecorded(*this);
        const BulkChange bulk(*this);
        if (back) {
            for (auto it = changes.rbegin(); it != changes.rend(); ++it)
                setCell(it->column, it->row, it->before);
        } else {
            for (const UndoHistory::Change &change : changes)
                setCell(change.column, change.row, change.after);
        }
    }
    emit historyChanged();
    return changes;
}

std::vector<UndoHistory::Change> ClassGrid::undo()
{
    if (m_history.isOpen())
        return {};
    return apply(m_history.takeUndo(), true);
}

std::vector<UndoHistory::Change> ClassGrid::redo()
{
    if (m_history.isOpen())
        return {};
    return apply(m_history.takeRedo(), false);
}

void ClassGrid::markClean()
{
    m_history.markClean();
    emit historyChanged();
}

void ClassGrid::eraseAll()
{
    const BulkChange bulk(*this);
    for (int column = 0; column < Columns; ++column)
        for (int row = 0; row < Rows; ++row)
            if (!isEmpty(column, row))
                setCell(column, row, QString());
}

void ClassGrid::clear()
{
    replaceAll(QString(), std::vector<uint32_t>(CellCount, 0), std::vector<uint32_t>(CellCount, 0));
}

void ClassGrid::replaceAll(QString text, std::vector<uint32_t> offsets,
                           std::vector<uint32_t> lengths)
{
    Q_ASSERT(offsets.size() == size_t(CellCount) && lengths.size() == size_t(CellCount));
    // Only cells set since the last load hold strings of their own.
    for (int i : m_setCells) {
        m_cells[i] = QString();
        m_isSetCell[i] = 0;
    }
    m_setCells.clear();
    m_loaded = std::move(text);
    m_offset = std::move(offsets);
    m_length = std::move(lengths);
    ++m_revision;
    m_history.clear();
    emit reset();
    emit historyChanged();
}
