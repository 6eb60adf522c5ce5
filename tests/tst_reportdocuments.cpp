#include "classdata/classdocument.h"
#include "documents/distributionchart.h"
#include "documents/docxwriter.h"
#include "documents/reportpicture.h"
#include "docxreadback.h"
#include "reports/reportdocuments.h"
#include "testsupport.h"

#include <QProcess>
#include <QStandardPaths>
#include <QTemporaryDir>
#include <QtTest>

using namespace DocxReadback;
using Doc = ReportDocument;

namespace {

// A report of the given size whose cell (c, r) holds "c/r".
GradeReport report(int columns, int rows)
{
    GradeReport report{PrintTable(columns, rows), {}};
    for (int r = 0; r < rows; ++r)
        for (int c = 0; c < columns; ++c)
            report.table.setCell(c, r, QStringLiteral("%1/%2").arg(c).arg(r));
    report.heading.title = "Englisch";
    report.heading.className = "7b";
    return report;
}

// Read back from a written file, as the teacher's word processor gets it.
std::map<QString, QByteArray> written(const Doc &document)
{
    QTemporaryDir dir;
    const QString path = dir.filePath("Bericht.docx");
    DocxWriter writer;
    if (!writer.write(document, path))
        qWarning() << writer.errorText();
    return unzip(TestSupport::readBytes(path));
}

Body bodyOfFile(const Doc &document)
{
    return parse(written(document)["word/document.xml"]);
}

// "height rule" of every row, the height in points.
QStringList rowHeights(const Table &table)
{
    QStringList heights;
    for (const Row &row : table.rows)
        heights << QString::number(row.height.toInt() / 20.0) + " " + row.rule;
    return heights;
}

// The distinct row heights from the second row on, which all body rows share.
QString bodyRowHeight(const Table &table)
{
    QStringList heights = rowHeights(table).mid(1);
    heights.removeDuplicates();
    return heights.join('|');
}

QString margins(const Body &body)
{
    return QStringList{body.pgMar["left"], body.pgMar["right"], body.pgMar["top"],
                       body.pgMar["bottom"]}
        .join(' ');
}

// Person i gets result i of the '|'-separated list in written column 32 of subject 1.
ExamFailureResult exam(const QString &list, bool points, int extraPersons = 0)
{
    const QStringList results = list.split('|');
    ClassDocument document;
    document.setPointsMode(points);
    for (int i = 0; i < results.size() + extraPersons; ++i) {
        document.grid().setCell(0, ClassDocument::dataRow(i), QStringLiteral("Person %1").arg(i));
        document.grid().setCell(32, i * 17 + 1, results.value(i));
        document.grid().setCell(43, i * 17 + 1, "3");
    }
    ExamFailureReport evaluation(document, 1, 32);
    evaluation.setCreated(QDateTime(QDate(2026, 12, 6), QTime(8, 5, 9)));
    return evaluation.compute();
}

// "column:fill" of every shaded cell of a table, row by row.
QStringList fills(const Table &table)
{
    QStringList result;
    for (int r = 0; r < table.rows.size(); ++r) {
        QStringList row;
        for (int c = 0; c < table.rows[r].cells.size(); ++c)
            if (!table.rows[r].cells[c].fill.isEmpty())
                row << QStringLiteral("%1:%2").arg(c).arg(table.rows[r].cells[c].fill);
        result << row.join(' ');
    }
    return result;
}

struct Bar
{
    int height = 0;
    QRgb colour = 0;
};

// The bars of a chart, left to right: runs of columns holding bar colours.
QList<Bar> barsOf(const QImage &chart)
{
    const QRgb plain = DistributionChart::BarColour.rgb();
    const QRgb failing = DistributionChart::FailingColour.rgb();
    QList<Bar> bars;
    bool inBar = false;
    for (int x = 0; x < chart.width(); ++x) {
        Bar column;
        for (int y = 0; y < chart.height(); ++y) {
            const QRgb pixel = chart.pixel(x, y) | 0xFF000000;
            if (pixel == plain || pixel == failing) {
                ++column.height;
                column.colour = pixel;
            }
        }
        if (column.height > 0 && !inBar)
            bars << column;
        else if (column.height > 0)
            bars.last().height = std::max(bars.last().height, column.height);
        inBar = column.height > 0;
    }
    return bars;
}

bool holdsColour(const QImage &image, const QColor &colour)
{
    for (int y = 0; y < image.height(); ++y)
        for (int x = 0; x < image.width(); ++x)
            if ((image.pixel(x, y) | 0xFF000000) == colour.rgb())
                return true;
    return false;
}

} // namespace

class ReportDocumentsTest : public QObject
{
    Q_OBJECT

private slots:
    void resultListRowsAtTheBoundary_data();
    void resultListRowsAtTheBoundary();
    void verbalListTurnsItsHeadingRow();
    void completeListCutsHeadingsAndDropsEmptyColumns();
    void completeListRowHeights();
    void personReportCarriesPhotoOrPlaceholder();
    void examReportInPointMode();
    void examReportInGradeMode();
    void examReportPageFitsLongLists();
    void chartDrawsBarsToScale();
    void convertsWithOffice();
};

void ReportDocumentsTest::resultListRowsAtTheBoundary_data()
{
    QTest::addColumn<int>("rows");
    QTest::addColumn<QString>("height");
    QTest::addColumn<QString>("nameAlignment");
    QTest::newRow("9 rows") << 9 << "18 exact"
                            << "center";
    QTest::newRow("10 rows") << 10 << "58 exact"
                             << "left"; // 700 / 12
    QTest::newRow("35 rows") << 35 << "18 exact"
                             << "left"; // 700 / 37
}

void ReportDocumentsTest::resultListRowsAtTheBoundary()
{
    QFETCH(int, rows);
    QFETCH(QString, height);
    QFETCH(QString, nameAlignment);
    const GradeReport list = report(46, rows);
    const Body body = bodyOfFile(ReportDocuments::resultList(list));

    QCOMPARE(body.order.value(0), "p:center:Englisch, 7b");
    QCOMPARE(body.pgSz["orient"], QString());
    QCOMPARE(margins(body), "1200 1200 1000 200");
    const Table &table = body.tables.value(0);
    QCOMPARE(table.widthType, "pct");
    QCOMPARE(table.rows.size(), rows);
    QCOMPARE(table.texts(rows - 1), QStringList({"0/%1", "1/%1", "2/%1", "3/%1", "4/%1"})
                                        .replaceInStrings("%1", QString::number(rows - 1)));
    QCOMPARE(rowHeights(table).value(0), height);
    QCOMPARE(bodyRowHeight(table), height);
    QCOMPARE(table.rows[1].cells[0].jc, nameAlignment);
    QCOMPARE(table.rows[1].cells[1].jc, "center");
    QCOMPARE(list.table.columnCount(), 46);
}

void ReportDocumentsTest::verbalListTurnsItsHeadingRow()
{
    for (const int rows : {9, 10}) {
        const Table table =
            bodyOfFile(ReportDocuments::verbalResultList(report(17, rows))).tables.value(0);
        const QString body = rows == 9 ? "13 exact" : "50 exact"; // 600 / 12
        QCOMPARE(rowHeights(table).value(0), "125 exact");
        QCOMPARE(bodyRowHeight(table), body);
        QCOMPARE(table.rows[1].cells[0].jc, "left");
        QCOMPARE(table.rows[0].cells.size(), 17);
        for (const Cell &cell : table.rows[0].cells)
            QVERIFY(cell.turned);
        QVERIFY(!table.rows[1].cells[3].turned);
    }
    const Body body = bodyOfFile(ReportDocuments::verbalResultList(report(17, 3)));
    QCOMPARE(margins(body), "1200 1200 480 200");
}

void ReportDocumentsTest::completeListCutsHeadingsAndDropsEmptyColumns()
{
    GradeReport list = report(46, 4);
    PrintTable &grid = list.table;
    const QStringList headings = {
        "Klausur 1", "Vokabeltest", "Vokabeltest2", "Lektion 4 bis 7 Test", "Ø mdl.", ""};
    for (int i = 0; i < headings.size(); ++i)
        grid.setCell(1 + i, 0, headings[i]);
    // 7: a heading without entries stays; 8: entries without a heading stay; 9 and 10 are
    // blank; 42 is the last column that may go, 43 and 44 always stay.
    for (int row = 1; row < 4; ++row)
        for (int column : {7, 9, 10, 42, 43, 44})
            grid.setCell(column, row, row == 2 && column == 9 ? "  " : "");
    grid.setCell(7, 0, "Test");
    grid.setCell(8, 0, "");
    for (int column : {9, 10, 42, 43, 44})
        grid.setCell(column, 0, "");
    grid.setCell(10, 0, " ");

    const Body body = bodyOfFile(ReportDocuments::completeList(list));
    QCOMPARE(body.pgSz["orient"], "landscape");
    QCOMPARE(body.pgSz["w"], "16838");
    QCOMPARE(margins(body), "600 500 400 200");
    const Table &table = body.tables.value(0);
    const QStringList heading = table.texts(0);
    QCOMPARE(heading.mid(0, 9), QStringList({"0/0", "Klausur 1", "Vokabeltest", "Vokabeltest",
                                             "Lektion 4 b", "Ø mdl.", "", "Test", ""}));
    QCOMPARE(heading.size(), 46 - 3);
    QCOMPARE(heading.mid(heading.size() - 3), QStringList({"", "", "45/0"}));
    QCOMPARE(table.texts(1).value(8), "8/1");
    QCOMPARE(table.texts(1).value(9), "11/1");
    for (const Cell &cell : table.rows[0].cells) {
        QVERIFY(cell.turned);
        QCOMPARE(cell.fontSize, 8.0);
    }
    QCOMPARE(table.rows[1].cells[1].fontSize, 10.0);
    QVERIFY(!table.rows[1].cells[1].turned);
    QCOMPARE(table.rows[1].cells[0].jc, "left");
    // The table the page is written from keeps its headings.
    QCOMPARE(list.table.cell(4, 0), "Lektion 4 bis 7 Test");

    QCOMPARE(ReportDocuments::shortHeading("Abcdefghijk"), "Abcdefghijk");
    QCOMPARE(ReportDocuments::shortHeading("Abcdefghijkl"), "Abcdefghijk");
    QCOMPARE(ReportDocuments::shortHeading("Ab"), "Ab");
}

void ReportDocumentsTest::completeListRowHeights()
{
    const QStringList expected = {"18 exact", "37 exact", "12 exact"}; // 450/12, 450/37
    const QList<int> rowCounts = {9, 10, 35};
    for (int i = 0; i < rowCounts.size(); ++i) {
        const Table table =
            bodyOfFile(ReportDocuments::completeList(report(46, rowCounts[i]))).tables.value(0);
        QCOMPARE(table.rows.size(), rowCounts[i]);
        QCOMPARE(rowHeights(table).value(0), "64 exact");
        QCOMPARE(bodyRowHeight(table), expected[i]);
    }
}

void ReportDocumentsTest::personReportCarriesPhotoOrPlaceholder()
{
    GradeReport person = report(46, 15);
    person.heading.personName = "Anna Berg";
    QImage photo(135, 180, QImage::Format_RGB32);
    photo.fill(QColor(10, 120, 200));

    const auto pictureOf = [&](const QString &path, const QImage &image) {
        person.heading.photoPath = path;
        person.heading.photo = image;
        auto parts = written(ReportDocuments::personReport(person));
        const Body body = parse(parts["word/document.xml"]);
        const QString id = body.order.value(body.order.size() - 1).section(':', 1);
        return QImage::fromData(parts["word/" + relationTargets(parts).value(id)])
            .convertToFormat(QImage::Format_RGB32);
    };
    const QImage placeholder = ReportPicture::placeholder().convertToFormat(QImage::Format_RGB32);
    QCOMPARE(pictureOf("Fotos/12_2026/7b/1.bmp", photo), photo);
    QCOMPARE(pictureOf("", photo), placeholder);
    QCOMPARE(pictureOf("Fotos/12_2026/7b/1.bmp", QImage()), placeholder);

    const Body body = bodyOfFile(ReportDocuments::personReport(person));
    QCOMPARE(body.order, QStringList({"p:center:Anna Berg", "table", "picture:rId2"}));
    QCOMPARE(body.extents, QStringList({"1285875x1714500"})); // 135 x 180 pixels
    QCOMPARE(body.pgSz["orient"], "landscape");
    QCOMPARE(margins(body), "800 800 600 200");
    const Table &table = body.tables.value(0);
    QCOMPARE(table.rows.size(), 15);
    QCOMPARE(table.rows[0].cells.size(), 46);
    QCOMPARE(bodyRowHeight(table), "18 exact");
    QCOMPARE(table.rows[3].cells[0].jc, "left");
}

void ReportDocumentsTest::examReportInPointMode()
{
    const ExamFailureResult result = exam("15|10|3|0", true);
    auto parts = written(ReportDocuments::examReport(result));
    const Body body = parse(parts["word/document.xml"]);

    QCOMPARE(body.order, QStringList({"p:center:Fach 1", "table", "p:left:", "table",
                                      "p:right:" + result.resultLine, "picture:rId2"}));
    QVERIFY(result.resultLine.startsWith("Der Durchschnitt liegt bei 7"));
    QCOMPARE(margins(body), "1200 1200 1000 200");
    const Table &names = body.tables.value(0);
    QCOMPARE(names.rows.size(), 5);
    QCOMPARE(names.texts(1), QStringList({"1. Person 0", "15"}));
    QCOMPARE(names.texts(4), QStringList({"4. Person 3", "0"}));
    QCOMPARE(names.rows[1].cells[0].jc, "left");
    QCOMPARE(bodyRowHeight(names), "18 exact");

    // One table of three rows: the grades over three point cells each.
    const Table &points = body.tables.value(1);
    QCOMPARE(points.jc, "center");
    QVERIFY(points.borders);
    QCOMPARE(points.gridCols.size(), 18);
    QCOMPARE(points.texts(0), QStringList({"1", "2", "3", "4", "5", "6"}));
    for (const Cell &cell : points.rows[0].cells)
        QCOMPARE(cell.span, 3);
    QCOMPARE(points.texts(1).join(' '), "15 14 13 12 11 10 9 8 7 6 5 4 3 2 1  0 ");
    QCOMPARE(points.texts(2).join(' '), "1 0 0 0 0 1 0 0 0 0 0 0 1 0 0  1 (2)");
    QCOMPARE(fills(points),
             QStringList({"", "", "12:FF5050 13:FF5050 14:FF5050 16:FF5050 17:FF1111"}));

    // The chart shows failing results in red beside the others.
    const QImage chart = QImage::fromData(parts["word/" + relationTargets(parts).value("rId2")]);
    QVERIFY(holdsColour(chart, DistributionChart::FailingColour));
    QVERIFY(holdsColour(chart, DistributionChart::BarColour));
    const QStringList extent = body.extents.value(0).split('x');
    QCOMPARE(qRound(extent.value(0).toDouble() / extent.value(1).toDouble() * 10), 25);

    // Fewer failing: no red cells, no count in brackets.
    const Body calm = bodyOfFile(ReportDocuments::examReport(exam("15|10|9|0", true)));
    QCOMPARE(fills(calm.tables.value(1)), QStringList({"", "", ""}));
    QCOMPARE(calm.tables.value(1).texts(2).value(17), "");
}

void ReportDocumentsTest::examReportInGradeMode()
{
    const Body failing = bodyOfFile(ReportDocuments::examReport(exam("5|1|5|2|2|3|5|3|4", false)));
    const Table &grades = failing.tables.value(1);
    QCOMPARE(grades.rows.size(), 2);
    QCOMPARE(grades.texts(0).join('|'), "Ü 1 / 1|Ü 2 / 2|Ü 3 / 3|Ü 4 / 4|Ü 5 / 5|Ü 6 / 6|Ü7|Ü8");
    QCOMPARE(grades.texts(1).join(' '), "1 2 2 1 3 0 0 0");
    QCOMPARE(fills(grades), QStringList({"", "4:FF5050 5:FF5050 6:FF5050 7:FF5050"}));
    QCOMPARE(grades.jc, "center");
    QVERIFY(grades.borders);
    for (const Cell &cell : grades.rows[0].cells)
        QCOMPARE(cell.span, 1);
    QCOMPARE(failing.order.value(4).section(':', 0, 1), "p:right");

    const Body passing = bodyOfFile(ReportDocuments::examReport(exam("5|6|1|2|3|3|4", false)));
    QCOMPARE(fills(passing.tables.value(1)), QStringList({"", ""}));
}

void ReportDocumentsTest::examReportPageFitsLongLists()
{
    // Grid rows: the heading row and one per person.
    const QList<int> persons = {8, 9, 27, 28};
    const QStringList tops = {"1000", "1000", "1000", "340"};
    const QStringList heights = {"18 exact", "53 exact", "22 exact", "21 exact"};
    for (int i = 0; i < persons.size(); ++i) {
        const ExamFailureResult result = exam("3", true, persons[i] - 1);
        QCOMPARE(result.table.rowCount(), persons[i] + 1);
        const Body body = bodyOfFile(ReportDocuments::examReport(result));
        QCOMPARE(body.pgMar["top"], tops[i]);
        QCOMPARE(bodyRowHeight(body.tables.value(0)), heights[i]);
        QCOMPARE(body.tables.value(0).rows.value(0).cells.size(), 2);
    }
}

void ReportDocumentsTest::chartDrawsBarsToScale()
{
    const QImage chart = DistributionChart::draw({"1", "2", "3", "4", "5", "6"}, {4, 2, 0, 1, 3},
                                                 {false, false, false, true, true}, {600, 240});
    QCOMPARE(chart.size(), QSize(600, 240));
    const QList<Bar> bars = barsOf(chart);
    QCOMPARE(bars.size(), 4); // the zero counts draw no bar
    const QRgb plain = DistributionChart::BarColour.rgb();
    const QRgb red = DistributionChart::FailingColour.rgb();
    QCOMPARE((QList<QRgb>{bars[0].colour, bars[1].colour, bars[2].colour, bars[3].colour}),
             (QList<QRgb>{plain, plain, red, red}));
    const double unit = bars[0].height / 4.0;
    QVERIFY(unit > 10);
    QVERIFY(qAbs(bars[1].height - 2 * unit) <= 1.5);
    QVERIFY(qAbs(bars[2].height - unit) <= 1.5);
    QVERIFY(qAbs(bars[3].height - 3 * unit) <= 1.5);

    QVERIFY(barsOf(DistributionChart::draw({"1", "2"}, {0, 0}, {}, {300, 120})).isEmpty());
    QVERIFY(DistributionChart::draw({"1"}, {1}, {}, {0, 100}).isNull());
}

void ReportDocumentsTest::convertsWithOffice()
{
    QString office = QStandardPaths::findExecutable("soffice");
    if (office.isEmpty())
        office = QStandardPaths::findExecutable("libreoffice");
    if (office.isEmpty())
        QSKIP("no office suite to open the documents");
    GradeReport person = report(46, 15);
    person.heading.personName = "Anna Berg";
    const QList<std::pair<QString, Doc>> documents = {
        {"Ergebnisliste", ReportDocuments::resultList(report(46, 12))},
        {"Verbal", ReportDocuments::verbalResultList(report(17, 12))},
        {"Komplettliste", ReportDocuments::completeList(report(46, 12))},
        {"Person", ReportDocuments::personReport(person)},
        {"Punkte", ReportDocuments::examReport(exam("15|10|3|0", true))},
        {"Noten", ReportDocuments::examReport(exam("1|2|5|6", false))},
    };
    QTemporaryDir dir;
    for (const auto &[name, document] : documents) {
        const QString path = dir.filePath(name + ".docx");
        QVERIFY(DocxWriter().write(document, path));
        QProcess process;
        process.start(office, {"--headless", "-env:UserInstallation=file://" + dir.filePath("p"),
                               "--convert-to", "pdf", "--outdir", dir.path(), path});
        QVERIFY(process.waitForFinished(120000));
        QVERIFY2(TestSupport::readBytes(dir.filePath(name + ".pdf")).startsWith("%PDF"),
                 qPrintable(name));
    }
}

QTEST_MAIN(ReportDocumentsTest)
#include "tst_reportdocuments.moc"
