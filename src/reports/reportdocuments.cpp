#include "reportdocuments.h"

#include "documents/distributionchart.h"
#include "documents/reportpicture.h"

#include <QGuiApplication>

#include <algorithm>

namespace {

using Doc = ReportDocument;

// Lists with up to this many rows keep the standard row height.
constexpr int FewRows = 9;
constexpr double RowHeight = 18;

// Grid columns the writers print; the complete list and the person report print all.
constexpr int ResultListColumns = 5;
constexpr int OverviewColumns = 17;
constexpr int ExamColumns = 2;

// Complete list: heading texts are cut to this length so that the turned heading row
// keeps its height; result columns 1..42 without any entry are left out.
constexpr int HeadingLength = 11;
constexpr int FirstRemovableColumn = 1;
constexpr int LastRemovableColumn = 42;

// Exam report: long lists get a narrow top margin so that they stay on one page.
constexpr int ExamManyRows = 28;

// The person report shows the photo at the size the person page shows it, in pixels at
// 96 per inch.
constexpr double PointsPerPixel = 0.75;

QString titleLine(const ReportHeading &heading)
{
    QStringList parts;
    for (const QString &part : {heading.title, heading.className})
        if (!part.isEmpty())
            parts << part;
    return parts.join(QStringLiteral(", "));
}

void setMargins(Doc &doc, double left, double right, double top, double bottom)
{
    doc.page.margins = {left, right, top, bottom};
}

// The document shows the first `count` columns, as the page does: blanks where the grid
// has fewer.
void keepFirstColumns(Doc::Table &table, int count)
{
    if (table.grid.columnCount() < count)
        table.grid.setColumnCount(count);
    for (int column = count; column < table.grid.columnCount(); ++column)
        table.removedColumns.insert(column);
}

// Rows of `standard` points; longer lists share `total` points between their rows and
// `extra` more, which leaves room for what follows the table. Every height is a least
// height, as Word takes a height given without a rule: a cell whose text needs more grows.
void setRowHeights(Doc::Table &table, double standard, int total, int extra)
{
    const int rows = table.grid.rowCount();
    table.setAllRowsHeight(rows > FewRows ? total / (rows + extra) : standard, false);
}

void setHeadingRowHeight(Doc::Table &table, double points)
{
    table.setRowHeight(0, points, false);
}

bool isBlank(const QString &text)
{
    return text.trimmed().isEmpty();
}

void removeEmptyColumns(Doc::Table &table)
{
    const PrintTable &grid = table.grid;
    const int last = std::min(LastRemovableColumn, grid.columnCount() - 1);
    for (int column = FirstRemovableColumn; column <= last; ++column) {
        bool empty = true;
        for (int row = 0; row < grid.rowCount() && empty; ++row)
            empty = isBlank(grid.cell(column, row));
        if (empty)
            table.removedColumns.insert(column);
    }
}

// The distribution rows as one table: a row with fewer cells spreads them evenly over
// the columns of the longest row.
Doc::Table distributionTable(const ExamDistributionTable &distribution)
{
    int columns = 0;
    for (const QStringList &row : distribution.rows)
        columns = std::max(columns, int(row.size()));
    Doc::Table table(PrintTable(columns, int(distribution.rows.size())));
    std::vector<int> spans;
    for (int row = 0; row < distribution.rows.size(); ++row) {
        const QStringList &cells = distribution.rows[row];
        const int span =
            !cells.isEmpty() && columns % cells.size() == 0 ? columns / int(cells.size()) : 1;
        spans.push_back(span);
        for (int i = 0; i < cells.size(); ++i) {
            table.grid.setCell(i * span, row, cells[i]);
            table.setColumnSpan(i * span, row, span);
        }
    }
    for (const ExamDistributionTable::Mark &mark : distribution.marks)
        if (mark.row >= 0 && mark.row < int(spans.size()))
            table.setShading(mark.column * spans[size_t(mark.row)], mark.row, mark.background);
    table.borders = true;
    table.fitToPageWidth = true;
    table.placement = Doc::Alignment::Center;
    table.cellAlignment = Doc::Alignment::Center;
    return table;
}

struct ChartBars
{
    QStringList labels;
    QList<int> counts;
    QList<bool> failing;

    void add(int value, bool fails, const ExamFailureResult &result)
    {
        labels << QString::number(value);
        counts << result.counters[size_t(value)];
        failing << fails;
    }
};

// Best results on the left, as in the distribution table; the bars of failing results
// are red whether or not they reach the share that needs approval.
ChartBars chartBars(const ExamFailureResult &result)
{
    ChartBars bars;
    if (result.pointsMode) {
        for (int points = 15; points >= 0; --points)
            bars.add(points, points < 4, result);
        return bars;
    }
    // Grades 7 and 8 belong to the eight-step scale only.
    const int worst = result.counters[7] + result.counters[8] > 0 ? 8 : 6;
    for (int grade = 1; grade <= worst; ++grade)
        bars.add(grade, grade >= 5, result);
    return bars;
}

// Points. Short lists leave room for the chart on the first page; from 10 rows on the
// list fills that page, and the chart follows on the next at the same size.
constexpr double ChartHeight = 170;

} // namespace

ReportDocument ReportDocuments::resultList(const GradeReport &report)
{
    Doc doc(report.table);
    doc.heading = titleLine(report.heading);
    setMargins(doc, 60, 60, 50, 10);
    Doc::Table &table = doc.table;
    keepFirstColumns(table, ResultListColumns);
    table.fitToPageWidth = true;
    setRowHeights(table, RowHeight, 700, 2);
    // A short list keeps its names centred as on the page.
    if (table.grid.rowCount() > FewRows)
        table.columnAlignment[0] = Doc::Alignment::Left;
    return doc;
}

ReportDocument ReportDocuments::verbalResultList(const GradeReport &report)
{
    Doc doc(report.table);
    doc.heading = titleLine(report.heading);
    setMargins(doc, 60, 60, 24, 10);
    Doc::Table &table = doc.table;
    keepFirstColumns(table, OverviewColumns);
    table.fitToPageWidth = true;
    table.setRowTurned(0);
    setRowHeights(table, 13, 600, 2);
    setHeadingRowHeight(table, 125);
    table.columnAlignment[0] = Doc::Alignment::Left;
    return doc;
}

ReportDocument ReportDocuments::completeList(const GradeReport &report)
{
    Doc doc(report.table);
    doc.heading = titleLine(report.heading);
    doc.page.orientation = Doc::Orientation::Landscape;
    setMargins(doc, 30, 25, 20, 10);
    Doc::Table &table = doc.table;
    table.fitToPageWidth = true;
    for (int column = 0; column < table.grid.columnCount(); ++column)
        table.grid.setCell(column, 0, shortHeading(table.grid.cell(column, 0)));
    table.setRowTurned(0);
    table.setRowFontSize(0, 8);
    setRowHeights(table, RowHeight, 450, 2);
    setHeadingRowHeight(table, 64);
    table.columnAlignment[0] = Doc::Alignment::Left;
    removeEmptyColumns(table);
    return doc;
}

ReportDocument ReportDocuments::personReport(const GradeReport &report)
{
    Doc doc(report.table);
    doc.heading = report.heading.personName;
    doc.page.orientation = Doc::Orientation::Landscape;
    setMargins(doc, 40, 40, 30, 10);
    Doc::Table &table = doc.table;
    table.fitToPageWidth = true;
    table.setAllRowsHeight(RowHeight, false);
    table.columnAlignment[0] = Doc::Alignment::Left;

    // The same picture as on the page: the photo of a person who has one and whose photo
    // could be read, otherwise the outline.
    QImage photo;
    if (!report.heading.photoPath.isEmpty())
        photo = report.heading.photo;
    if (photo.isNull())
        photo = ReportPicture::placeholder();
    doc.addPicture(photo, QSizeF(ReportPicture::PlaceholderWidth * PointsPerPixel,
                                 ReportPicture::PlaceholderHeight * PointsPerPixel));
    return doc;
}

ReportDocument ReportDocuments::examReport(const ExamFailureResult &result)
{
    Doc doc(result.table);
    doc.heading = titleLine(result.heading);
    const int rows = result.table.rowCount();
    setMargins(doc, 60, 60, rows > ExamManyRows ? 17 : 50, 10);
    Doc::Table &table = doc.table;
    keepFirstColumns(table, ExamColumns);
    table.fitToPageWidth = true;
    setRowHeights(table, RowHeight, 700, 3);
    table.columnAlignment[0] = Doc::Alignment::Left;
    if (!result.valid)
        return doc;

    doc.addParagraph(QString());
    doc.addTable(PrintTable()) = distributionTable(result.distribution);
    doc.addParagraph(result.resultLine, Doc::Alignment::Right);

    // Labels need the font system, which only a GUI application has; without it the
    // tables say it all.
    if (!qobject_cast<QGuiApplication *>(QCoreApplication::instance()))
        return doc;
    const ChartBars bars = chartBars(result);
    const QImage chart = DistributionChart::draw(bars.labels, bars.counts, bars.failing);
    const double ratio = double(chart.width()) / std::max(1, chart.height());
    doc.addPicture(chart, QSizeF(ChartHeight * ratio, ChartHeight)).alignment =
        Doc::Alignment::Center;
    return doc;
}

QString ReportDocuments::shortHeading(const QString &text)
{
    // Word reads a cell with its two-character end mark and cuts what is longer than 12
    // characters in all to the first 11: texts of 11 characters or fewer stay whole.
    return text.left(HeadingLength);
}
