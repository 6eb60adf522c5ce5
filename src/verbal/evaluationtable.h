#pragma once

#include "sheetkit/sheetlogic.h"

#include <QPoint>
#include <QString>

class ClassDocument;
class UserPrompts;

// The verbal evaluation of the shown person: one row per criterion, up to 34 marks (digits
// 1 to 9 or letters a to m), the teacher's own judgement and the tendency computed from the
// marks. The criteria are the same for every person of the class.
class EvaluationTable : public SheetLogic
{
public:
    static constexpr int Columns = 37;
    static constexpr int Rows = 17; // header, 16 criteria
    static constexpr int FirstMark = 1;
    static constexpr int LastMark = 34;
    static constexpr int LastShownMark = 30;
    static constexpr int Judgement = 35;
    static constexpr int Tendency = 36;
    static constexpr int BlockBase = 1000;

    static const QColor YellowField;

    EvaluationTable(ClassDocument &document, UserPrompts &prompts);

    // Loads the current person's block; the cursor goes to the first free mark of row 1.
    void load();
    QPoint cursor() const;

    // The value of a mark, or -1 when the text is no mark (empty, blanks, capitals, ...).
    static int markValue(const QString &mark);
    // The letter for a tendency t (a..m).
    static QString letterFor(double tendency);
    // Recomputes every row's tendency and writes the changed cells into the class.
    void recompute();

    // "einfügen - paste": the first cell of each clipboard row becomes a criterion. False
    // when the teacher chose to keep existing criteria.
    bool pasteCriteria(const QString &text);

    // The hint for the table: how to get criteria in, or what the yellow field does.
    QString hint() const;

    void edit(int column, int row, const QString &text) override;
    bool isEditable(int column, int row) const override;
    bool takesDigitsOnly(int, int) const override { return false; }
    int columnWidth(int column) const override;
    int rowHeight(int) const override { return 20; }
    bool thickRightEdge(int column) const override
    {
        return column == 0 || column == 34 || column == 35;
    }
    bool thickBottomEdge(int row) const override { return row == 0; }
    bool isRotated(int, int) const override { return false; }
    QColor background(int column, int row, bool selected, int currentRow) const override;

protected:
    void fill() override;
    void writeCell(int column, int row, const QString &text) override;

private:
    int blockRow(int person, int row) const { return BlockBase + person * 17 + row; }
    void setHeaders();
    void writeBack();

    ClassDocument &m_document;
    UserPrompts &m_prompts;
};
