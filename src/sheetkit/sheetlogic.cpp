#include "sheetlogic.h"

#include "sheetclipboard.h"

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
    const SheetClipboard::PasteResult result =
        SheetClipboard::pasteBlock(m_table, column, row, text, SheetClipboard::PasteMode::Sheet);
    if (result.changed())
        afterPaste(result.firstRow, result.lastRow);
}
