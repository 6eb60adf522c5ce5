#pragma once

#include "sheetkit/sheetlogic.h"

class ClassDocument;

// The verbal results of the whole group: one row per person, one column per criterion,
// the teacher's own judgement before the computed tendency. Refilled from the class every
// time it is drawn; nothing typed here is ever stored.
class OverviewTable : public SheetLogic
{
public:
    static constexpr int Columns = 17;
    static constexpr int Rows = 36;

    explicit OverviewTable(ClassDocument &document);

    void refill();

    void edit(int, int, const QString &) override {}
    bool isEditable(int, int) const override { return false; }
    bool takesDigitsOnly(int, int) const override { return false; }
    int columnWidth(int column) const override { return column == 0 ? 145 : 17; }
    int rowHeight(int row) const override { return row == 0 ? 145 : 18; }
    bool thickRightEdge(int column) const override { return column == 0; }
    bool thickBottomEdge(int row) const override { return row == 0; }
    bool isRotated(int column, int row) const override { return row == 0 && column >= 1; }

private:
    ClassDocument &m_document;
};
