#include "documents/docxwriter.h"
#include "documents/reportdocument.h"
#include "docxreadback.h"
#include "testsupport.h"

#include <QTemporaryDir>
#include <QtTest>

namespace {

using Doc = ReportDocument;

using namespace DocxReadback;

// Columns x rows, cell (c, r) holding "c/r".
PrintTable grid(int columns, int rows)
{
    PrintTable table(columns, rows);
    for (int r = 0; r < rows; ++r)
        for (int c = 0; c < columns; ++c)
            table.setCell(c, r, QStringLiteral("%1/%2").arg(c).arg(r));
    return table;
}

} // namespace

class DocxTest : public QObject
{
    Q_OBJECT

private slots:
    void packageHangsTogether();
    void pageSizeAndMargins_data();
    void pageSizeAndMargins();
    void cellTextsAndColumns();
    void cellFormatting();
    void spanningCellsAndFontSizes();
    void blocksFollowTheTable();
    void heldOrUnwritableFilesStayAsTheyAre();
};

void DocxTest::packageHangsTogether()
{
    QImage photo(30, 40, QImage::Format_RGB32);
    photo.fill(Qt::red);
    Doc document(grid(2, 2));
    document.addPicture(photo);
    document.addPicture(photo, QSizeF(90, 120));
    auto parts = unzip(DocxWriter::package(document));

    QVERIFY(parts.count("[Content_Types].xml"));
    const QString types = parts["[Content_Types].xml"];
    QVERIFY(types.contains("PartName=\"/word/document.xml\" ContentType=\"application/"
                           "vnd.openxmlformats-officedocument.wordprocessingml.document.main"));
    QVERIFY(types.contains("/word/styles.xml"));
    QVERIFY(types.contains("Extension=\"png\""));
    QVERIFY(QString(parts["_rels/.rels"]).contains("Target=\"word/document.xml\""));
    QVERIFY(parts.count("word/styles.xml"));

    // Every picture the body names is a relationship to a part that holds it.
    const Body body = bodyOf(document);
    QCOMPARE(body.order, QStringList({"table", "picture:rId2", "picture:rId3"}));
    QCOMPARE(body.extents, QStringList({"285750x381000", "1143000x1524000"}));
    const QMap<QString, QString> targets = relationTargets(parts);
    QCOMPARE(targets.value("rId1"), QString("styles.xml"));
    for (const QString id : {"rId2", "rId3"}) {
        QVERIFY2(parts.count("word/" + targets.value(id)), qPrintable(id));
        QCOMPARE(QImage::fromData(parts["word/" + targets.value(id)]).size(), QSize(30, 40));
    }
}

void DocxTest::pageSizeAndMargins_data()
{
    QTest::addColumn<bool>("landscape");
    QTest::addColumn<QList<double>>("margins"); // left, right, top, bottom
    QTest::addColumn<QStringList>("expected");  // w, h, orient, left, right, top, bottom
    QTest::newRow("portrait") << false << QList<double>{60, 60, 50, 10}
                              << QStringList{"11906", "16838", "", "1200", "1200", "1000", "200"};
    QTest::newRow("landscape") << true << QList<double>{30, 25, 20, 10}
                               << QStringList{"16838", "11906", "landscape", "600",
                                              "500",   "400",   "200"};
    QTest::newRow("fractions") << true << QList<double>{12.5, 0.05, 0, 17}
                               << QStringList{"16838", "11906", "landscape", "250",
                                              "1",     "0",     "340"};
}

void DocxTest::pageSizeAndMargins()
{
    QFETCH(bool, landscape);
    QFETCH(QList<double>, margins);
    QFETCH(QStringList, expected);
    Doc document(grid(3, 2));
    document.page.orientation =
        landscape ? Doc::Orientation::Landscape : Doc::Orientation::Portrait;
    document.page.margins = {margins[0], margins[1], margins[2], margins[3]};
    const Body body = bodyOf(document);
    QCOMPARE(QStringList({body.pgSz["w"], body.pgSz["h"], body.pgSz["orient"], body.pgMar["left"],
                          body.pgMar["right"], body.pgMar["top"], body.pgMar["bottom"]}),
             expected);
    // Fit to the page: the columns share the width between the margins.
    const Table &table = body.tables.value(0);
    QCOMPARE(table.widthType, QString("pct"));
    int sum = 0;
    for (const int width : table.gridCols)
        sum += width;
    QCOMPARE(sum, expected[0].toInt() - expected[3].toInt() - expected[4].toInt());
}

void DocxTest::cellTextsAndColumns()
{
    PrintTable names = grid(4, 3);
    names.setCell(0, 1, "Łukasz Müßig");
    names.setCell(1, 1, "Ø mdl.\r\n<2> & 3");
    names.setCell(3, 2, "");
    names.setCell(1, 2, QString("a") + QChar(0x0B) + "b");
    names.setColumnWidth(0, 150);
    names.setColumnWidth(1, 0); // an empty column the screen hides
    names.setColumnWidth(3, 50);
    Doc document(names);
    document.table.removedColumns = {2, 7};
    document.table.columnAlignment[0] = Doc::Alignment::Left;
    document.table.removedRows = {1};
    document.table.setShading(3, 2, Qt::yellow);
    QCOMPARE(bodyOf(document).tables.value(0).rows.size(), 2);
    QCOMPARE(bodyOf(document).tables.value(0).rows.value(1).cells.value(2).fill, QString("FFFF00"));
    document.table.removedRows.clear();
    const Table table = bodyOf(document).tables.value(0);

    QCOMPARE(table.rows.size(), 3);
    QCOMPARE(table.texts(0), QStringList({"0/0", "1/0", "3/0"}));
    QCOMPARE(table.texts(1), QStringList({"Łukasz Müßig", "Ø mdl.\n<2> & 3", "3/1"}));
    QCOMPARE(table.texts(2), QStringList({"0/2", "ab", ""}));
    QCOMPARE(table.rows[1].cells[0].jc, QString("left"));
    QCOMPARE(table.rows[1].cells[1].jc, QString("center"));
    // Widths in the ratio of the screen; the hidden column keeps a sliver.
    QCOMPARE(table.gridCols.size(), 3);
    QVERIFY(table.gridCols[1] > 0);
    QVERIFY2(
        qAbs(table.gridCols[0] - 3 * table.gridCols[2]) <= 12,
        qPrintable(QString::number(table.gridCols[0]) + " " + QString::number(table.gridCols[2])));

    // Not fitted: the pixel widths as they are.
    document.table.fitToPageWidth = false;
    const Table fixed = bodyOf(document).tables.value(0);
    QCOMPARE(fixed.widthType, QString("dxa"));
    QCOMPARE(fixed.gridCols[0] - fixed.gridCols[2], (150 - 50) * 15);
}

void DocxTest::cellFormatting()
{
    Doc document(grid(3, 4));
    Doc::Table &t = document.table;
    t.setRowTurned(1);
    t.format(2, 2).turned = true;
    t.setShading(1, 3, QColor(255, 80, 80));
    t.setShading(2, 3, QColor(0x11, 0x11, 0xFF));
    t.format(1, 1).bold = true;
    t.format(1, 1).underline = true;
    t.setAllRowsHeight(18);
    t.setRowHeight(0, 125);
    t.setRowHeight(3, 12.5, false);
    const Table table = bodyOf(document).tables.value(0);

    QStringList turned, fills, marked, heights;
    for (int r = 0; r < table.rows.size(); ++r) {
        heights << table.rows[r].height + " " + table.rows[r].rule;
        for (int c = 0; c < table.rows[r].cells.size(); ++c) {
            const Cell &cell = table.rows[r].cells[c];
            const QString at = QStringLiteral("%1/%2").arg(c).arg(r);
            if (cell.turned)
                turned << at;
            if (!cell.fill.isEmpty())
                fills << at + " " + cell.fill;
            if (cell.bold || cell.underline)
                marked << at + (cell.bold ? " b" : "") + (cell.underline ? " u" : "");
        }
    }
    QCOMPARE(turned, QStringList({"0/1", "1/1", "2/1", "2/2"}));
    QCOMPARE(fills, QStringList({"1/3 FF5050", "2/3 1111FF"}));
    QCOMPARE(marked, QStringList({"1/1 b u"}));
    QCOMPARE(heights, QStringList({"2500 exact", "360 exact", "360 exact", "250 atLeast"}));

    // Without a height the rows take what their text needs.
    const Table free = bodyOf(Doc(grid(1, 2))).tables.value(0);
    QCOMPARE(free.rows[1].height, QString());
}

void DocxTest::spanningCellsAndFontSizes()
{
    Doc document(grid(6, 3));
    Doc::Table &t = document.table;
    t.setColumnSpan(0, 0, 3);
    t.setColumnSpan(3, 0, 3); // over a left-out column
    t.setColumnSpan(5, 1, 4); // beyond the last column
    t.setColumnSpan(1, 2, 2);
    t.setColumnSpan(1, 2, 1); // taken back
    t.removedColumns = {4};
    t.setRowFontSize(0, 8);
    t.format(2, 1).fontSize = 12.5;
    const Table table = bodyOf(document).tables.value(0);

    QCOMPARE(table.texts(0), QStringList({"0/0", "3/0"}));
    QCOMPARE(table.rows[0].cells[0].span, 3);
    QCOMPARE(table.rows[0].cells[1].span, 2);
    QCOMPARE(table.texts(1), QStringList({"0/1", "1/1", "2/1", "3/1", "5/1"}));
    QCOMPARE(table.texts(2), table.texts(1).replaceInStrings("/1", "/2"));
    QStringList spans, sizes;
    for (const Row &row : table.rows) {
        QStringList rowSpans, rowSizes;
        for (const Cell &cell : row.cells)
            rowSpans << QString::number(cell.span), rowSizes << QString::number(cell.fontSize);
        spans << rowSpans.join(' ');
        sizes << rowSizes.join(' ');
    }
    QCOMPARE(spans, QStringList({"3 2", "1 1 1 1 1", "1 1 1 1 1"}));
    QCOMPARE(sizes, QStringList({"8 8", "10 10 12.5 10 10", "10 10 10 10 10"}));
    // A spanning cell is as wide as the columns it covers.
    QCOMPARE(table.gridCols.size(), 5);
    const auto &g = table.gridCols;
    QCOMPARE(table.rows[0].cells[0].width, g[0] + g[1] + g[2]);
    QCOMPARE(table.rows[0].cells[1].width, g[3] + g[4]);
    QCOMPARE(table.rows[1].cells[4].width, g[4]);
}

void DocxTest::blocksFollowTheTable()
{
    Doc document(grid(2, 2));
    document.heading = "Klausurergebnis 7b";
    Doc::Table &marks = document.addTable(grid(8, 2));
    marks.placement = Doc::Alignment::Center;
    document.addTable(grid(18, 3)).borders = false;
    document.addParagraph("Der Durchschnitt liegt bei 2,45", Doc::Alignment::Right);
    document.addTable(grid(1, 0)); // nothing to show
    const Body body = bodyOf(document);

    // Tables that would touch are kept apart; the body never ends in a table.
    QCOMPARE(body.order, QStringList({"p:center:Klausurergebnis 7b", "table", "p::", "table",
                                      "p::", "table", "p:right:Der Durchschnitt liegt bei 2,45"}));
    QCOMPARE(body.tables.size(), 3);
    QCOMPARE(body.tables[0].jc, QString());
    QCOMPARE(body.tables[1].jc, QString("center"));
    QCOMPARE(body.tables[1].texts(1).value(7), QString("7/1"));
    QVERIFY(body.tables[1].borders);
    QVERIFY(!body.tables[2].borders);
    QCOMPARE(body.tables[2].rows.size(), 3);

    Doc last(grid(1, 1));
    last.addTable(grid(1, 1));
    QCOMPARE(bodyOf(last).order, QStringList({"table", "p::", "table", "p::"}));
}

void DocxTest::heldOrUnwritableFilesStayAsTheyAre()
{
    QTemporaryDir dir;
    const QString path = dir.filePath("Fachergebnisse Mathe 7b.docx");
    DocxWriter writer;
    QVERIFY(writer.write(Doc(grid(2, 2)), path));
    QVERIFY(writer.errorText().isEmpty());
    QVERIFY(unzip(TestSupport::readBytes(path)).count("word/document.xml"));
    const QByteArray first = TestSupport::readBytes(path);

    const QStringList locks = {"~$Fachergebnisse Mathe 7b.docx", "~$chergebnisse Mathe 7b.docx",
                               ".~lock.Fachergebnisse Mathe 7b.docx#"};
    for (const QString &lock : locks) {
        QVERIFY(TestSupport::writeBytes(dir.filePath(lock)));
        QVERIFY2(!writer.write(Doc(grid(5, 5)), path), qPrintable(lock));
        QCOMPARE(writer.errorText(),
                 QString("Es ist noch eine Druckdatei in Benutzung. Dokument bitte schließen!"));
        QCOMPARE(TestSupport::readBytes(path), first);
        QVERIFY(QFile::remove(dir.filePath(lock)));
    }
    // Another file's lock does not hold this one.
    QVERIFY(TestSupport::writeBytes(dir.filePath("~$Person.docx")));
    QVERIFY(writer.write(Doc(grid(5, 5)), path));
    QVERIFY(TestSupport::readBytes(path) != first);

    QVERIFY(!writer.write(Doc(grid(1, 1)), dir.filePath("fehlt/Bericht.docx")));
    QCOMPARE(writer.errorText(), QString("Entweder ist schon eine Druckdatei geöffnet oder es gibt "
                                         "kein Standardprogramm für \" *.doc \", sorry."));
    QVERIFY(!QFile::exists(dir.filePath("fehlt")));
}

QTEST_GUILESS_MAIN(DocxTest)
#include "tst_docx.moc"
