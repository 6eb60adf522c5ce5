#include "doublelessonrow.h"

#include "classdata/classgrid.h"
#include "coursebooksheet.h"

namespace {
// Both half-years keep their marks from column 46 on.
constexpr int ColumnOffset = 46;
} // namespace

DoubleLessonRow::DoubleLessonRow(CourseBookSheet &sheet, ClassGrid &grid, int classRow)
    : SheetLogic(&grid), m_sheet(sheet), m_grid(grid), m_classRow(classRow)
{
    m_table.resize(Columns, 1);
}

void DoubleLessonRow::setLabels()
{
    m_table.load(0, 0, QStringLiteral(" Doppelstunden: (D)"));
    m_table.load(1, 0, QStringLiteral("/"));
    m_table.load(2, 0, QStringLiteral("/"));
}

void DoubleLessonRow::fill()
{
    for (int c = CourseBookSheet::FirstLesson; c < Columns; ++c)
        m_table.load(c, 0, m_grid.cell(c + ColumnOffset, m_classRow));
    setLabels();
}

void DoubleLessonRow::writeCell(int column, int row, const QString &text)
{
    if (row == 0 && column >= CourseBookSheet::FirstLesson)
        m_grid.setCell(column + ColumnOffset, m_classRow, text);
}

void DoubleLessonRow::edit(int column, int row, const QString &text)
{
    if (!isEditable(column, row))
        return;
    const ClassGrid::UndoStep step(m_grid, QStringLiteral("Doppelstunde im Kursbuch"));
    sync();
    // Whatever is typed marks a double lesson.
    m_table.setCell(column, 0, text.isEmpty() ? QString() : QStringLiteral("D"));
    m_sheet.writeDoubleLessons();
}

bool DoubleLessonRow::isEditable(int column, int row) const
{
    return row == 0 && column >= CourseBookSheet::FirstLesson && column < Columns;
}

int DoubleLessonRow::columnWidth(int column) const
{
    return m_sheet.columnWidth(column);
}
