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
        if (QStringView(m_loaded.constData() + m_offset[i], qsizetype(m_length[i])) == text)
            return;
        m_length[i] = 0;
    } else if (m_cells[i] == text) {
        return;
    }
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
}

ClassGrid::BulkChange::~BulkChange()
{
    if (--m_grid.m_bulkDepth > 0 || !m_grid.m_bulkChanged)
        return;
    m_grid.m_bulkChanged = false;
    emit m_grid.cellsChanged();
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
    emit reset();
}
