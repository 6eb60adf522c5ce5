#include "subjectsheet.h"

#include "classdata/classdocument.h"
#include "gradesettings.h"
#include "resultrow.h"

namespace {
constexpr int TopicRowBase = 600;
constexpr int LastTopicColumn = 42;
} // namespace

SubjectSheet::SubjectSheet(ClassDocument &document, int subject)
    : SheetLogic(&document.grid()), m_document(document), m_subject(subject)
{
    m_table.resize(Columns, Rows);
}

int SubjectSheet::gridRow(int sheetRow) const
{
    return (sheetRow - 1) * ClassDocument::BlockRows + m_subject;
}

void SubjectSheet::show()
{
    refill();
    int column = 1;
    while (column < Columns - 1 && !m_table.cell(column, 0).isEmpty())
        ++column;
    m_cursor = QPoint(column, 0);
}

void SubjectSheet::fill()
{
    const ClassGrid &grid = m_document.grid();
    for (int p = 1; p <= ClassDocument::PersonCount; ++p) {
        for (int c = 1; c < Columns; ++c)
            m_table.load(c, p, grid.cell(c, gridRow(p)));
        const QString name = grid.cell(0, ClassDocument::dataRow(p - 1));
        m_table.load(0, p, name.isEmpty() ? QString() : QStringLiteral("%1. %2").arg(p).arg(name));
    }
    m_table.load(0, 0, QStringLiteral("Thema:"));
    for (int c = 1; c < Columns; ++c)
        m_table.load(c, 0, grid.cell(c, TopicRowBase + m_subject));
    const bool points = m_document.pointsMode();
    m_table.load(44, 0, points ? QStringLiteral("Punkte") : QStringLiteral("Note"));
    m_table.load(45, 0, points ? QStringLiteral("Note") : QStringLiteral("Notensyst."));
    markListEnd();
}

void SubjectSheet::markListEnd()
{
    m_table.load(0, 35, QStringLiteral("Listenende!"));
}

void SubjectSheet::commit(int currentRow)
{
    sync();
    if (currentRow >= 1 && currentRow <= ClassDocument::PersonCount)
        ResultRow::RecomputeRow(m_table, currentRow, Grades::Screen::SubjectSheet,
                                gradeSettingsOf(m_document));
    writeChanges();
}

void SubjectSheet::writeCell(int column, int row, const QString &text)
{
    ClassGrid &grid = m_document.grid();
    if (row >= 1 && row <= ClassDocument::PersonCount && column >= 1 && column < Columns)
        grid.setCell(column, gridRow(row), text);
    else if (row == 0 && column >= 1 && column <= LastTopicColumn)
        grid.setCell(column, TopicRowBase + m_subject, text);
}

void SubjectSheet::edit(int column, int row, const QString &text)
{
    if (!isEditable(column, row))
        return;
    const QString name =
        row == 0 ? QStringLiteral("Thema in Fach %1").arg(m_subject)
                 : QStringLiteral("Ergebnis in Fach %1, Person %2").arg(m_subject).arg(row);
    const int typedRow = row == 0 ? TopicRowBase + m_subject : gridRow(row);
    const ClassGrid::UndoStep step(m_document.grid(), name, column, typedRow);
    sync();
    m_table.setCell(column, row, text);
    commit(row);
}

void SubjectSheet::select(int column, int row)
{
    Q_UNUSED(row)
    m_selectedColumn = column;
    // A written test on sheets 2..14 usually gets a level column beside it.
    if (m_subject >= 2 && column >= 32 && column <= 40 && column % 2 == 0 &&
        m_table.cell(column + 1, 0).isEmpty())
        m_table.setCell(column + 1, 0, QStringLiteral("Niveau?"));
}

bool SubjectSheet::isEditable(int column, int row) const
{
    return column >= 1 && column < Columns && row >= 0 && row <= ClassDocument::PersonCount;
}

bool SubjectSheet::takesDigitsOnly(int column, int row) const
{
    if (row < 1)
        return false;
    if (column >= 1 && column <= 32)
        return true;
    return column >= 34 && column <= 44 && column % 2 == 0;
}

int SubjectSheet::columnWidth(int column) const
{
    switch (column) {
    case 0:
        return 145;
    case 31:
    case 43:
        return 27;
    case 44:
        return 56;
    case 45:
        return 44;
    default:
        return 18;
    }
}

int SubjectSheet::rowHeight(int row) const
{
    return row == 0 ? 60 : 18;
}

bool SubjectSheet::thickRightEdge(int column) const
{
    return column == 0 || column == 30 || column == 31 || column == 42 || column == 43 ||
           column == 44 || column == 45;
}

bool SubjectSheet::thickBottomEdge(int row) const
{
    return row == 0;
}

bool SubjectSheet::isRotated(int column, int row) const
{
    return row == 0 && column >= 1;
}

QColor SubjectSheet::foreground(int column, int row) const
{
    if (row >= 1 && row <= ClassDocument::PersonCount &&
        ResultRow::IsUncountedResult(column, m_table.cell(column, row)))
        return Uncounted;
    return SheetLogic::foreground(column, row);
}

void SubjectSheet::afterPaste(int firstRow, int lastRow)
{
    // Pasted results are counted at once, so the class never keeps stale averages.
    const auto settings = gradeSettingsOf(m_document);
    for (int row = qMax(1, firstRow); row <= qMin(lastRow, int(ClassDocument::PersonCount)); ++row)
        ResultRow::RecomputeRow(m_table, row, Grades::Screen::SubjectSheet, settings);
    writeChanges();
}
