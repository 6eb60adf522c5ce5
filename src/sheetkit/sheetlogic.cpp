#include "sheetlogic.h"

#include "sheetclipboard.h"

#include "classdata/classgrid.h"

#include <optional>

const QColor SheetLogic::EvenRow(0xD8, 0xE9, 0xFC);
const QColor SheetLogic::EvenRowPopArt(0xFE, 0xC5, 0xF9);
const QColor SheetLogic::OddRow(Qt::white);
const QColor SheetLogic::Selected(0x99, 0xCC, 0xFF);
const QColor SheetLogic::CurrentRow(0xA3, 0xF4, 0x7B);
const QColor SheetLogic::Uncounted(0xD0, 0x00, 0x00);

QColor SheetLogic::background(int column, int row, bool selected, int currentRow) const
{
    Q_UNUSED(column)
    if (row == currentRow && isDataRow(row))
        return CurrentRow;
    if (selected)
        return Selected;
    if (row % 2 == 0)
        return m_popArt ? EvenRowPopArt : EvenRow;
    return OddRow;
}

QColor SheetLogic::foreground(int column, int row) const
{
    Q_UNUSED(column)
    Q_UNUSED(row)
    return Qt::black;
}

void SheetLogic::paste(int column, int row, const QString &text)
{
    std::optional<ClassGrid::UndoStep> step;
    if (m_grid)
        step.emplace(*m_grid, QStringLiteral("Einfügen aus der Zwischenablage"));
    sync();
    const SheetClipboard::PasteResult result =
        SheetClipboard::pasteBlock(m_table, column, row, text, SheetClipboard::PasteMode::Sheet);
    if (result.changed())
        afterPaste(result.firstRow, result.lastRow);
}

void SheetLogic::sync()
{
    if (!m_grid || m_grid->revision() == m_filledRevision)
        return;
    fill();
    m_filledRevision = m_grid->revision();
}

void SheetLogic::refill()
{
    m_table.forgetChanges();
    fill();
    if (m_grid)
        m_filledRevision = m_grid->revision();
}

void SheetLogic::writeChanges()
{
    if (!m_grid) {
        m_table.forgetChanges();
        return;
    }
    // The copy may only count as current again if it was current before these writes.
    const bool wasCurrent = m_grid->revision() == m_filledRevision;
    {
        const ClassGrid::BulkChange bulk(*m_grid);
        for (const QPoint &cell : m_table.takeChanges())
            writeCell(cell.x(), cell.y(), m_table.cell(cell.x(), cell.y()));
    }
    if (wasCurrent)
        m_filledRevision = m_grid->revision();
}
