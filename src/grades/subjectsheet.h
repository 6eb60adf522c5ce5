#pragma once

#include "sheetkit/sheetlogic.h"

#include <QPoint>

class ClassDocument;

// Subject sheet k: the results of all 34 persons in one subject, one person per row, the
// topics of the result columns in the heading row. A copy of the class, refilled when
// shown; after every key the cells that key changed (and the averages it moved) go back.
class SubjectSheet : public SheetLogic
{
public:
    static constexpr int Columns = 46;
    static constexpr int Rows = 36; // heading, 34 persons, the end-of-list row

    SubjectSheet(ClassDocument &document, int subject);

    int subject() const { return m_subject; }
    ClassDocument &document() const { return m_document; }

    // Fills the sheet from the class; the cursor goes to the first heading without a topic.
    void show();
    QPoint cursor() const { return m_cursor; }

    // Recomputes the row being edited and writes the changed cells into the class.
    void commit(int currentRow);

    void edit(int column, int row, const QString &text) override;
    void select(int column, int row) override;
    void markListEnd();

    bool isEditable(int column, int row) const override;
    bool takesDigitsOnly(int column, int row) const override;
    int columnWidth(int column) const override;
    int rowHeight(int row) const override;
    bool thickRightEdge(int column) const override;
    bool thickBottomEdge(int row) const override;
    bool isRotated(int column, int row) const override;
    QColor foreground(int column, int row) const override;

    int selectedColumn() const { return m_selectedColumn; }

protected:
    bool isDataRow(int row) const override { return row >= 1 && row <= 34; }
    void afterPaste(int firstRow, int lastRow) override;
    void fill() override;
    void writeCell(int column, int row, const QString &text) override;

private:
    int gridRow(int sheetRow) const;

    ClassDocument &m_document;
    int m_subject;
    QPoint m_cursor;
    int m_selectedColumn = 1;
};
