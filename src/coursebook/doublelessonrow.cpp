#include "doublelessonrow.h"

#include "coursebooksheet.h"

DoubleLessonRow::DoubleLessonRow(CourseBookSheet &sheet) : m_sheet(sheet)
{
    m_table.resize(Columns, 1);
}

void DoubleLessonRow::edit(int column, int row, const QString &text)
{
    if (!isEditable(column, row))
        return;
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
