#include "coursebookprint.h"

#include "classdata/classdocument.h"
#include "coursebook/coursebooksheet.h"

namespace {

constexpr int DateRow = 0;
constexpr int ContentRow = 1;
constexpr int KeptColumns = 3; // labels and the two totals
constexpr int KeptRows = 3;    // dates, contents and the first person

// Long tables get narrower margins so that they still fit on one landscape page.
constexpr int ManyRows = 29;
constexpr int ManyColumns = 43;

const QString Comma = QStringLiteral(", ");

bool isDouble(const QString &mark)
{
    return mark == QLatin1String("D") || mark == QLatin1String("d");
}

} // namespace

const QString CourseBookPrint::FirstHalfTitle = QStringLiteral("Kursbuch 1.HJ.");
const QString CourseBookPrint::SecondHalfTitle = QStringLiteral("Kursbuch 2. HJ.");
// The spaces break the legend into lines in the narrow turned cell.
const QString CourseBookPrint::DateLegend =
    QStringLiteral("Datum,        Doppel-       stunden           sind fett und           "
                   "unterstr.");

CourseBookPrint::CourseBookPrint(ClassDocument &document, int halfYear, QString subject)
    : m_document(document), m_halfYear(halfYear == 2 ? 2 : 1), m_subject(std::move(subject))
{}

void CourseBookPrint::trim(PrintTable &table)
{
    int columns = table.columnCount();
    while (columns > KeptColumns && table.cell(columns - 1, DateRow).isEmpty())
        --columns;
    int rows = table.rowCount();
    while (rows > KeptRows && table.cell(0, rows - 1).isEmpty())
        --rows;
    table.setColumnCount(columns);
    table.setRowCount(rows);
}

CourseBookPrintout CourseBookPrint::prepare() const
{
    CourseBookPrintout out;
    out.subject = m_subject;
    out.heading.title = m_halfYear == 1 ? FirstHalfTitle : SecondHalfTitle;
    out.heading.className =
        m_document.grid().cell(1, ClassDocument::dataRow(m_document.currentPerson()));
    out.documentName = m_subject + Comma + out.heading.className;

    // A sheet of our own, filled as the screen fills it; it is never written back.
    CourseBookSheet sheet(m_document, m_halfYear);
    sheet.setContentRowShown(m_contentRowShown);
    sheet.show(m_shownOnSet ? m_shownOn : QDate::currentDate());
    const SheetTable &cells = sheet.table();

    PrintTable &table = out.table;
    table = PrintTable(cells.columnCount(), cells.rowCount());
    for (int row = 0; row < cells.rowCount(); ++row)
        for (int column = 0; column < cells.columnCount(); ++column)
            table.setCell(column, row, cells.cell(column, row));
    trim(table);

    int width = 0;
    for (int column = 0; column < table.columnCount(); ++column) {
        table.setColumnWidth(column, sheet.columnWidth(column));
        width += sheet.columnWidth(column);
    }
    for (int row = 0; row < table.rowCount(); ++row)
        table.setRowHeight(row, sheet.rowHeight(row));
    table.setControlWidth(m_controlWidth > 0 ? m_controlWidth : width);

    const SheetTable &doubles = sheet.doubleLessons().table();
    QStringList marks;
    for (int column = 0; column < table.columnCount(); ++column)
        marks << doubles.cell(column, 0);
    out.document = makeDocument(table, marks, out.documentName);
    return out;
}

ReportDocument CourseBookPrint::makeDocument(const PrintTable &table,
                                             const QStringList &doubleMarks,
                                             const QString &title) const
{
    ReportDocument doc(table);
    doc.page.orientation = ReportDocument::Orientation::Landscape;
    auto &margins = doc.page.margins;
    const bool manyRows = table.rowCount() >= ManyRows;
    margins.top = manyRows ? 30 : 50;
    margins.bottom = 10;
    const bool manyColumns = table.columnCount() >= ManyColumns;
    margins.left = manyColumns ? 20 : 50;
    margins.right = manyColumns ? 10 : 40;
    doc.heading = title;

    ReportDocument::Table &t = doc.table;
    PrintTable &grid = t.grid;
    grid.setCell(0, DateRow, DateLegend);
    grid.setCell(1, ContentRow, QStringLiteral("Fehlzeiten,"));
    grid.setCell(2, ContentRow, QStringLiteral("davon"));
    grid.setCell(2, DateRow, QStringLiteral("unentschgt."));
    grid.setCell(1, DateRow, QStringLiteral("gesamt ()-:)"));

    t.fitToPageWidth = true;
    t.columnAlignment[0] = ReportDocument::Alignment::Left;
    t.fontFace = QStringLiteral("Arial");
    t.fontSize = 8;
    // The page's rows are 16 pixels high; the turned heading rows grow with their text.
    t.setAllRowsHeight(12, false);
    t.setRowTurned(DateRow);
    t.setRowTurned(ContentRow);

    for (int column = CourseBookSheet::FirstLesson; column < grid.columnCount(); ++column) {
        if (!isDouble(doubleMarks.value(column)) || grid.cell(column, DateRow).isEmpty())
            continue;
        ReportDocument::CellFormat &format = t.format(column, DateRow);
        format.bold = true;
        format.underline = true;
    }

    if (!m_contentRowShown)
        t.removedRows.insert(ContentRow);
    return doc;
}
