#pragma once

#include "doublelessonrow.h"
#include "sheetkit/sheetlogic.h"

#include <QDate>
#include <QPoint>

class ClassDocument;
class ClassGrid;
class UserPrompts;

// One half-year of the course book: dates and contents of up to 57 lessons, the attendance
// of every person in them, and the missed lessons counted from it. A copy of the class,
// refilled when shown; after every key the cells that changed go back.
class CourseBookSheet : public SheetLogic
{
public:
    static constexpr int Columns = 60;
    static constexpr int Rows = 36; // date, content, 34 persons
    static constexpr int FirstLesson = 3;
    static constexpr int FirstPersonRow = 2;

    static const QString Legend;

    CourseBookSheet(ClassDocument &document, int halfYear);

    int halfYear() const { return m_halfYear; }
    DoubleLessonRow &doubleLessons() { return m_doubles; }

    // Fills the sheet and proposes today's date in the first free lesson column, unless the
    // column before already has it. True when old-style entries were found (see below).
    bool show(const QDate &today);
    QPoint cursor() const { return m_cursor; }

    // Older versions kept attendance in the two columns that now hold the totals.
    bool hasOlderEntries() const;

    // Counts the missed lessons of every person: E and F, double lessons twice.
    void recount();
    // Recounts, then writes the changed cells into the class.
    void writeBack();
    void writeDoubleLessons();

    // "Einträge löschen": false when the teacher said no.
    bool clearEntries(UserPrompts &prompts, const QDate &today);

    bool contentRowShown() const { return m_contentRowShown; }
    void setContentRowShown(bool shown) { m_contentRowShown = shown; }

    // Recounts both half-years of a class straight in the grid, after persons moved.
    static void recountClass(ClassGrid &grid);

    void edit(int column, int row, const QString &text) override;
    void select(int column, int row) override;
    bool isEditable(int column, int row) const override;
    bool takesDigitsOnly(int, int) const override { return false; }
    int columnWidth(int column) const override;
    int rowHeight(int row) const override;
    bool thickRightEdge(int column) const override { return column == 0 || column == 2; }
    bool thickBottomEdge(int row) const override { return row == 1; }
    bool isRotated(int column, int row) const override { return row <= 1 && column >= 1; }
    QColor background(int column, int row, bool selected, int currentRow) const override;

    static const QColor Absent;

protected:
    bool isDataRow(int row) const override { return row >= FirstPersonRow; }
    void afterPaste(int, int) override { writeBack(); }
    void fill() override;
    void writeCell(int column, int row, const QString &text) override;

private:
    int offset() const { return m_halfYear == 1 ? 46 : 107; }
    int doubleLessonRow() const { return m_halfYear == 1 ? 578 : 579; }
    void setLabels();

    ClassDocument &m_document;
    int m_halfYear;
    DoubleLessonRow m_doubles;
    QPoint m_cursor;
    int m_currentColumn = -1;
    bool m_contentRowShown = true;
};
