#pragma once

#include <QString>

class SheetTable;

// Exchange of cell blocks with other programs as clipboard text: cells separated by TAB,
// rows ended by CR LF. The widget layer moves the text to and from the system clipboard.
namespace SheetClipboard {

enum class PasteMode
{
    // Subject sheets and course book: never into column 0; the cursor in row 1 pastes
    // from the heading row 0 on.
    Sheet,
    // Criteria of the verbal evaluation: the caller has placed the cursor; the first
    // clipboard row goes into the cursor's row.
    Criteria,
};

struct PasteResult
{
    // The cursor after the paste moved it out of column 0 or row 0.
    int column = 0;
    int row = 0;
    // The table rows that received cells; -1 when nothing was pasted.
    int firstRow = -1;
    int lastRow = -1;

    bool changed() const { return firstRow >= 0; }
};

// Clipboard rows and cells per row beyond these are dropped.
constexpr int MaxRows = 255;
constexpr int MaxCells = 255;

// The cells of columns left..right of rows top..bottom, both ends included.
QString copyBlock(const SheetTable &table, int left, int top, int right, int bottom);

// Writes clipboard text into the table from (column, row) on. A row counts only with its
// line end ("\r", "\r\n" or "\n"), so a last row without one is not pasted; cells that
// land outside the table are skipped.
PasteResult pasteBlock(SheetTable &table, int column, int row, const QString &text, PasteMode mode);

} // namespace SheetClipboard
