#include "classdata/classdocument.h"
#include "documents/distributionchart.h"
#include "documents/docxwriter.h"
#include "documents/reportpicture.h"
#include "docxreadback.h"
#include "reports/reportdocuments.h"
#include "testsupport.h"

#include <QTemporaryDir>
#include <QtTest>

using namespace DocxReadback;
using Doc = ReportDocument;

namespace {

// A report whose cell (c, r) holds "c/r".
GradeReport report(int columns, int rows)
{
    GradeReport report{PrintTable(columns, rows), {"Englisch", "7b", "Anna Berg", {}, {}}};
    for (int r = 0; r < rows; ++r)
        for (int c = 0; c < columns; ++c)
            report.table.setCell(c, r, QStringLiteral("%1/%2").arg(c).arg(r));
    return report;
}

Doc documentOf(const QString &kind, const GradeReport &report)
{
    if (kind == "result")
        return ReportDocuments::resultList(report);
    if (kind == "verbal")
        return ReportDocuments::verbalResultList(report);
    if (kind == "complete")
        return ReportDocuments::completeList(report);
    return ReportDocuments::personReport(report);
}

// The package as written to a file, part by part.
std::map<QString, QByteArray> written(const Doc &document)
{
    QTemporaryDir dir;
    const QString path = dir.filePath("Bericht.docx");
    DocxWriter().write(document, path);
    return unzip(TestSupport::readBytes(path));
}

Body bodyOfFile(const Doc &document)
{
    return read(written(document));
}

// "first row|other rows" in points, e.g. "64 atLeast|18 atLeast"; other rows that differ show
// up as more entries.
QString heights(const Table &table)
{
    QStringList list;
    for (const Row &row : table.rows)
        list << QString::number(row.height.toInt() / 20.0) + " " + row.rule;
    list.removeDuplicates();
    return list.join('|');
}

// Orientation and the margins left, right, top, bottom in twips.
QString page(const Body &body)
{
    return QStringList{body.pgSz["orient"], body.pgMar["left"], body.pgMar["right"],
                       body.pgMar["top"], body.pgMar["bottom"]}
        .join(' ');
}

// Person i gets result i of the '|'-separated list in written column 32 of subject 1;
// `more` persons follow without one.
ExamFailureResult exam(const QString &list, bool points, int more = 0)
{
    const QStringList results = list.split('|');
    ClassDocument document;
    document.setPointsMode(points);
    for (int i = 0; i < results.size() + more; ++i) {
        document.grid().setCell(0, ClassDocument::dataRow(i), QStringLiteral("Person %1").arg(i));
        document.grid().setCell(32, i * 17 + 1, results.value(i));
        document.grid().setCell(43, i * 17 + 1, "3");
    }
    return ExamFailureReport(document, 1, 32).compute();
}

// "column:fill" of the shaded cells, row by row.
QStringList fills(const Table &table)
{
    QStringList result;
    for (const Row &row : table.rows) {
        QStringList cells;
        for (int c = 0; c < row.cells.size(); ++c)
            if (!row.cells[c].fill.isEmpty())
                cells << QStringLiteral("%1:%2").arg(c).arg(row.cells[c].fill);
        result << cells.join(' ');
    }
    return result;
}

// Height and colour of each bar, left to right: runs of columns holding bar colours.
QList<std::pair<int, QRgb>> barsOf(const QImage &chart)
{
    QList<std::pair<int, QRgb>> bars;
    int previous = 0;
    for (int x = 0; x < chart.width(); ++x) {
        int height = 0;
        QRgb colour = 0;
        for (int y = 0; y < chart.height(); ++y) {
            const QRgb pixel = chart.pixel(x, y) | 0xFF000000;
            if (pixel == DistributionChart::BarColour.rgb() ||
                pixel == DistributionChart::FailingColour.rgb())
                ++height, colour = pixel;
        }
        if (height > 0 && previous == 0)
            bars.append({height, colour});
        else if (height > 0)
            bars.last().first = std::max(bars.last().first, height);
        previous = height;
    }
    return bars;
}

} // namespace

class ReportDocumentsTest : public QObject
{
    Q_OBJECT

private slots:
    void pagesAndRows_data();
    void pagesAndRows();
    void completeListCutsHeadingsAndDropsEmptyColumns();
    void personReportCarriesPhotoOrPlaceholder();
    void examReportInPointMode();
    void examReportInGradeMode();
    void examReportFitsLongLists();
    void chartDrawsBarsToScale();
};

void ReportDocumentsTest::pagesAndRows_data()
{
    QTest::addColumn<QString>("kind");
    QTest::addColumn<int>("rows");
    QTest::addColumn<QString>("pageSetup");
    QTest::addColumn<QString>("rowHeights");
    QTest::addColumn<int>("columns");
    QTest::addColumn<QString>("names"); // alignment of column 0
    const auto row = [](const char *kind, int rows, const char *page, const char *heights,
                        int columns, const char *names) {
        QTest::addRow("%s %d", kind, rows) << kind << rows << page << heights << columns << names;
    };
    const char *result = " 1200 1200 1000 200", *verbal = " 1200 1200 480 200",
               *complete = "landscape 600 500 400 200";
    // Up to 9 rows the standard height; from 10 on the rows share the page.
    row("result", 9, result, "18 atLeast", 5, "center");
    row("result", 10, result, "58 atLeast", 5, "left");
    row("result", 35, result, "18 atLeast", 5, "left");
    row("verbal", 9, verbal, "125 atLeast|13 atLeast", 17, "left");
    row("verbal", 10, verbal, "125 atLeast|50 atLeast", 17, "left");
    row("complete", 9, complete, "64 atLeast|18 atLeast", 46, "left");
    row("complete", 10, complete, "64 atLeast|37 atLeast", 46, "left");
    row("complete", 35, complete, "64 atLeast|12 atLeast", 46, "left");
    row("person", 15, "landscape 800 800 600 200", "18 atLeast", 46, "left");
}

void ReportDocumentsTest::pagesAndRows()
{
    QFETCH(QString, kind);
    QFETCH(int, rows);
    QFETCH(QString, pageSetup);
    QFETCH(QString, rowHeights);
    QFETCH(int, columns);
    QFETCH(QString, names);
    const Body body = bodyOfFile(documentOf(kind, report(46, rows)));
    QCOMPARE(body.order.value(0),
             kind == "person" ? "p:center:Anna Berg" : "p:center:Englisch, 7b");
    QCOMPARE(page(body), pageSetup);
    const Table &table = body.tables.value(0);
    QCOMPARE(table.widthType, "pct");
    QCOMPARE(table.rows.size(), rows);
    QCOMPARE(table.texts(rows - 1).size(), columns);
    QCOMPARE(table.texts(rows - 1).last(), QStringLiteral("%1/%2").arg(columns - 1).arg(rows - 1));
    QCOMPARE(heights(table), rowHeights);
    QCOMPARE(table.rows[1].cells[0].jc, names);
    QCOMPARE(table.rows[1].cells[1].jc, "center");
    // The heading row reads upward where it is turned.
    const bool turned = kind == "verbal" || kind == "complete";
    QCOMPARE(table.rows[0].cells[2].turned, turned);
    QCOMPARE(table.rows[1].cells[2].turned, false);
}

void ReportDocumentsTest::completeListCutsHeadingsAndDropsEmptyColumns()
{
    GradeReport list = report(46, 4);
    TestSupport::fill(list.table, 0, "1=Vokabeltest 2=Vokabeltest2 3=Lektion_4_bis_7 4=Test");
    // 4: a heading without entries stays; 5: entries without a heading stay; 6 (spaces)
    // and 42 are empty and go; 43 and 44 always stay.
    for (int row = 0; row < 4; ++row)
        for (int column : {6, 42, 43, 44})
            list.table.setCell(column, row, row == 2 ? "  " : "");
    for (int row = 1; row < 4; ++row)
        list.table.setCell(4, row, "");
    list.table.setCell(5, 0, "");

    const Table table = bodyOfFile(ReportDocuments::completeList(list)).tables.value(0);
    const QStringList heading = table.texts(0);
    QCOMPARE(heading.mid(0, 7),
             QStringList({"0/0", "Vokabeltest", "Vokabeltest", "Lektion_4_b", "Test", "", "7/0"}));
    QCOMPARE(heading.mid(heading.size() - 4), QStringList({"41/0", "", "", "45/0"}));
    QCOMPARE(heading.size(), 44);
    QCOMPARE(table.texts(1).value(5), "5/1");
    QCOMPARE(table.rows[0].cells[1].fontSize, 8.0);
    QCOMPARE(table.rows[1].cells[1].fontSize, 10.0);
    // The table the page is written from keeps its headings.
    QCOMPARE(list.table.cell(3, 0), "Lektion_4_bis_7");
}

void ReportDocumentsTest::personReportCarriesPhotoOrPlaceholder()
{
    GradeReport person = report(46, 15);
    QImage photo(135, 180, QImage::Format_RGB32);
    photo.fill(QColor(10, 120, 200));
    const auto pictureOf = [&](const QString &path, const QImage &image) {
        person.heading.photoPath = path;
        person.heading.photo = image;
        auto parts = written(ReportDocuments::personReport(person));
        return QImage::fromData(parts["word/media/image1.png"])
            .convertToFormat(QImage::Format_RGB32);
    };
    const Body body = bodyOfFile(ReportDocuments::personReport(person));
    QCOMPARE(body.order.mid(1), QStringList({"table", "picture:rId2"}));
    QCOMPARE(body.extents, QStringList({"1285875x1714500"})); // 135 x 180 pixels
    const QImage placeholder = ReportPicture::placeholder().convertToFormat(QImage::Format_RGB32);
    QCOMPARE(pictureOf("Fotos/12_2026/7b/1.bmp", photo), photo);
    QCOMPARE(pictureOf("", photo), placeholder);
    QCOMPARE(pictureOf("Fotos/12_2026/7b/1.bmp", QImage()), placeholder);
}

void ReportDocumentsTest::examReportInPointMode()
{
    const ExamFailureResult result = exam("15|10|3|0", true);
    auto parts = written(ReportDocuments::examReport(result));
    const Body body = parse(parts["word/document.xml"]);
    QCOMPARE(body.order, QStringList({"p:center:Fach 1", "table", "p:left:", "table",
                                      "p:right:" + result.resultLine, "picture:rId2"}));
    QVERIFY(result.resultLine.startsWith("Der Durchschnitt liegt bei 7"));
    const Table &names = body.tables.value(0);
    QCOMPARE(names.texts(4), QStringList({"4. Person 3", "0"}));
    QCOMPARE(names.rows[1].cells[0].jc, "left");

    // One table of three rows: each grade over three point cells.
    const Table &points = body.tables.value(1);
    QCOMPARE(points.jc, "center");
    QVERIFY(points.borders);
    QCOMPARE(points.gridCols.size(), 18);
    QCOMPARE(points.texts(0), QStringList({"1", "2", "3", "4", "5", "6"}));
    QCOMPARE(points.rows[0].cells[5].span, 3);
    QCOMPARE(points.texts(1).join(' '), "15 14 13 12 11 10 9 8 7 6 5 4 3 2 1  0 ");
    QCOMPARE(points.texts(2).join(' '), "1 0 0 0 0 1 0 0 0 0 0 0 1 0 0  1 (2)");
    QCOMPARE(fills(points),
             QStringList({"", "", "12:FF5050 13:FF5050 14:FF5050 16:FF5050 17:FF1111"}));

    // The chart shows the failing results in red beside the others.
    const QImage chart = QImage::fromData(parts["word/" + relationTargets(parts).value("rId2")]);
    QList<QRgb> colours;
    for (const auto &bar : barsOf(chart))
        colours << bar.second;
    const QRgb plain = DistributionChart::BarColour.rgb(),
               red = DistributionChart::FailingColour.rgb();
    QCOMPARE(colours, (QList<QRgb>{plain, plain, red, red})); // 15, 10, 3 and 0 points

    const Table calm = bodyOfFile(ReportDocuments::examReport(exam("15|10|9|0", true))).tables[1];
    QCOMPARE(fills(calm), QStringList({"", "", ""}));
    QCOMPARE(calm.texts(2).value(17), "");
}

void ReportDocumentsTest::examReportInGradeMode()
{
    const Body failing = bodyOfFile(ReportDocuments::examReport(exam("5|1|5|2|2|3|5|3|4", false)));
    const Table &grades = failing.tables.value(1);
    QCOMPARE(grades.texts(0).join('|'), "Ü 1 / 1|Ü 2 / 2|Ü 3 / 3|Ü 4 / 4|Ü 5 / 5|Ü 6 / 6|Ü7|Ü8");
    QCOMPARE(grades.texts(1).join(' '), "1 2 2 1 3 0 0 0");
    QCOMPARE(grades.rows.size(), 2);
    QCOMPARE(grades.rows[0].cells[0].span, 1);
    QCOMPARE(fills(grades), QStringList({"", "4:FF5050 5:FF5050 6:FF5050 7:FF5050"}));
    QCOMPARE(failing.order.value(4).section(':', 0, 1), "p:right");

    const Body passing = bodyOfFile(ReportDocuments::examReport(exam("5|6|1|2|3|3|4", false)));
    QCOMPARE(fills(passing.tables.value(1)), QStringList({"", ""}));
}

void ReportDocumentsTest::examReportFitsLongLists()
{
    // Grid rows are the heading row and one per person: 9, 10, 28, 29.
    const QList<int> persons = {8, 9, 27, 28};
    const QStringList expected = {"1000 18 atLeast", "1000 53 atLeast", "1000 22 atLeast",
                                  "340 21 atLeast"};
    for (int i = 0; i < persons.size(); ++i) {
        const Body body = bodyOfFile(ReportDocuments::examReport(exam("3", true, persons[i] - 1)));
        QCOMPARE(body.pgMar["top"] + " " + heights(body.tables.value(0)), expected[i]);
        QCOMPARE(body.tables.value(0).rows.size(), persons[i] + 1);
    }
}

void ReportDocumentsTest::chartDrawsBarsToScale()
{
    const QImage chart = DistributionChart::draw({"1", "2", "3", "4", "5", "6"}, {4, 2, 0, 1, 3},
                                                 {false, false, false, true, true}, {600, 240});
    QCOMPARE(chart.size(), QSize(600, 240));
    const auto bars = barsOf(chart); // zero counts draw no bar
    const QRgb plain = DistributionChart::BarColour.rgb(),
               red = DistributionChart::FailingColour.rgb();
    QCOMPARE(bars.size(), 4);
    QCOMPARE((QList<QRgb>{bars[0].second, bars[1].second, bars[2].second, bars[3].second}),
             (QList<QRgb>{plain, plain, red, red}));
    const double unit = bars[0].first / 4.0;
    QVERIFY(unit > 10);
    QVERIFY(qAbs(bars[1].first - 2 * unit) <= 1.5);
    QVERIFY(qAbs(bars[2].first - unit) <= 1.5);
    QVERIFY(qAbs(bars[3].first - 3 * unit) <= 1.5);

    QVERIFY(barsOf(DistributionChart::draw({"1", "2"}, {0, 0}, {}, {300, 120})).isEmpty());
    QVERIFY(DistributionChart::draw({"1"}, {1}, {}, {0, 100}).isNull());
}

QTEST_MAIN(ReportDocumentsTest)
#include "tst_reportdocuments.moc"
