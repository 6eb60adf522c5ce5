#include "sheetclipboard.h"

#include "sheettable.h"

#include <QStringView>

#include <algorithm>
#include <utility>

namespace SheetClipboard {

QString copyBlock(const SheetTable &table, int left, int top, int right, int bottom)
{
    if (right < left)
        std::swap(left, right);
    if (bottom < top)
        std::swap(top, bottom);
    QString text;
    for (int r = top; r <= bottom; ++r) {
        for (int c = left; c <= right; ++c) {
            if (c > left)
                text += u'\t';
            text += table.cell(c, r);
        }
        text += QLatin1String("\r\n");
    }
    return text;
}

PasteResult pasteBlock(SheetTable &table, int column, int row, const QString &text, PasteMode mode)
{
    PasteResult result;
    if (mode == PasteMode::Sheet) {
        // Row labels in column 0 are never overwritten.
        column = std::max(column, 1);
        row = std::max(row, 1);
    }
    result.column = column;
    result.row = row;
    int target = (mode == PasteMode::Sheet && row == 1) ? 0 : row;

    const QStringView all(text);
    qsizetype pos = 0;
    for (int pasted = 0; pasted < MaxRows; ++pasted, ++target) {
        qsizetype end = pos;
        while (end < all.size() && all[end] != u'\r' && all[end] != u'\n')
            ++end;
        if (end == all.size())
            break; // no line end: the rest is an unfinished row
        const QStringView line = all.mid(pos, end - pos);
        pos = end + 1;
        if (all[end] == u'\r' && pos < all.size() && all[pos] == u'\n')
            ++pos;

        if (target >= table.rowCount())
            break;
        if (target < 0)
            continue;
        qsizetype start = 0;
        for (int cell = 0; cell < MaxCells; ++cell) {
            qsizetype tab = line.indexOf(u'\t', start);
            const bool last = tab < 0;
            if (last)
                tab = line.size();
            const int c = column + cell;
            if (c >= table.columnCount())
                break;
            if (c >= 0) {
                table.setCell(c, target, line.mid(start, tab - start).toString());
                if (result.firstRow < 0)
                    result.firstRow = target;
                result.lastRow = target;
            }
            if (last)
                break;
            start = tab + 1;
        }
    }
    return result;
}

} // namespace SheetClipboard
