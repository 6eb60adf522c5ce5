#pragma once

#include "sheetkit/sheetlogic.h"

class CourseBookSheet;

// The row above a course book that marks double lessons with "D".
class DoubleLessonRow : public SheetLogic
{
public:
    static constexpr int Columns = 60;

    explicit DoubleLessonRow(CourseBookSheet &sheet);

    SheetTable &cells() { return m_table; }

    void edit(int column, int row, const QString &text) override;
    bool isEditable(int column, int row) const override;
    bool takesDigitsOnly(int, int) const override { return false; }
    int columnWidth(int column) const override;
    int rowHeight(int) const override { return 20; }
    bool thickRightEdge(int column) const override { return column == 2; }
    bool thickBottomEdge(int) const override { return false; }
    bool isRotated(int, int) const override { return false; }

private:
    CourseBookSheet &m_sheet;
};
