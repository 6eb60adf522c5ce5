#include "gradelists.h"

#include "classdata/classdocument.h"
#include "grades/subjectsheet.h"
#include "verbal/overviewtable.h"

#include <initializer_list>

namespace {

const QString OralAverageHeading = QStringLiteral("Ø mdl.");
const QString WrittenAverageHeading = QStringLiteral("Ø schr.");

constexpr int OralAverage = 31;
constexpr int WrittenAverage = 43;
constexpr int FinalValue = 44;
constexpr int GradeText = 45;
// The complete list keeps a row for an entry in this result column too.
constexpr int CompleteListResult = 21;

constexpr int PhotoColumn = 20;
constexpr int PersonRows = 15;     // header and 14 subjects
constexpr int EvaluationRows = 14; // header and 13 criteria
constexpr int OverviewRows = 35;   // header and 34 persons

bool hasEntry(const PrintTable &table, int row, std::initializer_list<int> columns)
{
    for (int column : columns)
        if (!table.cell(column, row).isEmpty())
            return true;
    return false;
}

// Drops rows from the end while the last one has no entry in any of `columns`; the
// heading row always stays.
void trimEmptyRows(PrintTable &table, std::initializer_list<int> columns)
{
    int rows = table.rowCount();
    while (rows > 1 && !hasEntry(table, rows - 1, columns))
        --rows;
    table.setRowCount(rows);
}

void setAverageHeadings(PrintTable &table)
{
    table.setCell(OralAverage, 0, OralAverageHeading);
    table.setCell(WrittenAverage, 0, WrittenAverageHeading);
}

} // namespace

GradeLists::GradeLists(ClassDocument &document) : m_document(document) {}

ReportHeading GradeLists::heading(const QString &title) const
{
    const ClassGrid &grid = m_document.grid();
    const int dataRow = ClassDocument::dataRow(m_document.currentPerson());
    ReportHeading heading;
    heading.title = title;
    heading.className = grid.cell(1, dataRow);
    heading.personName = grid.cell(0, dataRow);
    heading.photoPath = grid.cell(PhotoColumn, dataRow);
    return heading;
}

GradeReport GradeLists::fromSheet(SheetLogic &sheet, const QString &title) const
{
    sheet.sync();
    const SheetTable &cells = sheet.table();
    GradeReport report{PrintTable(cells.columnCount(), cells.rowCount()), heading(title)};
    PrintTable &table = report.table;
    int width = 0;
    for (int column = 0; column < cells.columnCount(); ++column) {
        table.setColumnWidth(column, sheet.columnWidth(column));
        width += sheet.columnWidth(column);
    }
    for (int row = 0; row < cells.rowCount(); ++row) {
        table.setRowHeight(row, sheet.rowHeight(row));
        for (int column = 0; column < cells.columnCount(); ++column)
            table.setCell(column, row, cells.cell(column, row));
    }
    table.setControlWidth(m_controlWidth > 0 ? m_controlWidth : width);
    return report;
}

GradeReport GradeLists::subjectResultList(int subject, const QString &title) const
{
    SubjectSheet sheet(m_document, subject);
    sheet.show();
    GradeReport report = fromSheet(sheet, title);
    PrintTable &table = report.table;
    setAverageHeadings(table);
    trimEmptyRows(table, {OralAverage, WrittenAverage, FinalValue, GradeText});
    moveColumn(table, OralAverage, 1);
    moveColumn(table, WrittenAverage, 2);
    moveColumn(table, FinalValue, 3);
    moveColumn(table, GradeText, 4);
    return report;
}

GradeReport GradeLists::completeSubjectList(int subject, const QString &title) const
{
    SubjectSheet sheet(m_document, subject);
    sheet.show();
    GradeReport report = fromSheet(sheet, title);
    setAverageHeadings(report.table);
    trimEmptyRows(report.table, {CompleteListResult, WrittenAverage, FinalValue});
    return report;
}

GradeReport GradeLists::verbalResultList(const QString &title) const
{
    OverviewTable overview(m_document);
    overview.refill();
    GradeReport report = fromSheet(overview, title);
    report.table.setRowCount(OverviewRows);
    trimEmptyRows(report.table, {0});
    return report;
}

GradeReport GradeLists::personReport(SheetLogic &personSheet) const
{
    GradeReport report = fromSheet(personSheet, QString());
    report.table.setRowCount(m_document.verbalEvaluation() ? EvaluationRows : PersonRows);
    return report;
}

void GradeLists::moveColumn(PrintTable &table, int from, int to)
{
    if (!table.contains(from, 0) || !table.contains(to, 0) || from == to)
        return;
    const int step = from < to ? 1 : -1;
    const int width = table.columnWidth(from);
    for (int row = 0; row < table.rowCount(); ++row) {
        const QString moved = table.cell(from, row);
        for (int column = from; column != to; column += step)
            table.setCell(column, row, table.cell(column + step, row));
        table.setCell(to, row, moved);
    }
    for (int column = from; column != to; column += step)
        table.setColumnWidth(column, table.columnWidth(column + step));
    table.setColumnWidth(to, width);
}
