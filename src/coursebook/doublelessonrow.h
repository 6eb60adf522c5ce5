#pragma once

#include "sheetkit/sheetlogic.h"

class ClassGrid;
class CourseBookSheet;

// The row above a course book that marks double lessons with "D".
class DoubleLessonRow : public SheetLogic
{
public:
    static constexpr int Columns = 60;

    // classRow: the row of the class that keeps the marks of this half-year.
    DoubleLessonRow(CourseBookSheet &sheet, ClassGrid &grid, int classRow);

    // Starts over from the class, as showing the course book does.
    void reloadFromClass() { refill(); }
    void setLabels();
    // Writes the marks changed here into the class.
    void writeBack() { writeChanges(); }

    void edit(int column, int row, const QString &text) override;
    bool isEditable(int column, int row) const override;
    bool takesDigitsOnly(int, int) const override { return false; }
    int columnWidth(int column) const override;
    int rowHeight(int) const override { return 20; }
    bool thickRightEdge(int column) const override { return column == 2; }
    bool thickBottomEdge(int) const override { return false; }
    bool isRotated(int, int) const override { return false; }

protected:
    void fill() override;
    void writeCell(int column, int row, const QString &text) override;

private:
    CourseBookSheet &m_sheet;
    ClassGrid &m_grid;
    int m_classRow;
};
