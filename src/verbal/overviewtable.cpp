#include "overviewtable.h"

#include "classdata/classdocument.h"
#include "evaluationtable.h"

OverviewTable::OverviewTable(ClassDocument &document) : m_document(document)
{
    m_table.resize(Columns, Rows);
}

void OverviewTable::refill()
{
    const ClassGrid &grid = m_document.grid();
    const auto verbalRow = [](int person, int row) {
        return EvaluationTable::BlockBase + person * ClassDocument::BlockRows + row;
    };
    m_table.clear();
    m_table.setCell(0, 0, QStringLiteral("Beurteilungskriterium"));
    // Every block holds the same criteria.
    const int current = m_document.currentPerson();
    for (int c = 1; c < Columns; ++c)
        m_table.setCell(c, 0, grid.cell(0, verbalRow(current, c)));
    for (int p = 1; p <= ClassDocument::PersonCount; ++p) {
        m_table.setCell(0, p, grid.cell(0, ClassDocument::dataRow(p - 1)));
        for (int c = 1; c < Columns; ++c) {
            const int row = verbalRow(p - 1, c);
            const QString judgement = grid.cell(EvaluationTable::Judgement, row);
            m_table.setCell(
                c, p, judgement.isEmpty() ? grid.cell(EvaluationTable::Tendency, row) : judgement);
        }
    }
    m_table.setCell(0, Rows - 1, QStringLiteral("Listenende!"));
}
