#include "documents/docxwriter.h"
#include "documents/reportdocument.h"
#include "testsupport.h"

#include <QBuffer>
#include <QProcess>
#include <QStandardPaths>
#include <QTemporaryDir>
#include <QXmlStreamReader>
#include <QtTest>

#include <quazip.h>
#include <quazipfile.h>

#include <map>

namespace {

using Doc = ReportDocument;

// The parts of a package by name.
std::map<QString, QByteArray> unzip(const QByteArray &bytes)
{
    std::map<QString, QByteArray> parts;
    QByteArray copy = bytes;
    QBuffer buffer(&copy);
    QuaZip zip(&buffer);
    if (!zip.open(QuaZip::mdUnzip))
        return parts;
    for (bool more = zip.goToFirstFile(); more; more = zip.goToNextFile()) {
        QuaZipFile file(&zip);
        if (file.open(QIODevice::ReadOnly))
            parts[zip.getCurrentFileName()] = file.readAll();
    }
    return parts;
}

struct Cell
{
    QString text, fill, jc;
    bool turned = false, bold = false, underline = false;
};
struct Row
{
    QString height, rule;
    QList<Cell> cells;
};
struct Table
{
    QString widthType, jc;
    bool borders = false;
    QList<int> gridCols;
    QList<Row> rows;
};

// What the body says, element by element: "table", "p:<jc>:<text>", "picture:<rId>".
struct Body
{
    QStringList order;
    QList<Table> tables;
    QMap<QString, QString> pgSz, pgMar;
    QStringList extents;
};

QMap<QString, QString> attributes(const QXmlStreamReader &xml)
{
    QMap<QString, QString> result;
    for (const QXmlStreamAttribute &a : xml.attributes())
        result[a.name().toString()] = a.value().toString();
    return result;
}

Body parse(const QByteArray &documentXml)
{
    Body body;
    QXmlStreamReader xml(documentXml);
    int depth = 0; // of tables
    QString text, jc, embed;
    Cell *cell = nullptr;
    while (!xml.atEnd()) {
        xml.readNext();
        const QString name = xml.name().toString();
        const auto at = attributes(xml);
        if (xml.isStartElement()) {
            if (name == "tbl" && depth++ == 0) {
                body.tables.append(Table());
                body.order << "table";
            } else if (name == "tblW" && depth == 1)
                body.tables.last().widthType = at["type"];
            else if (name == "jc" && depth == 1 && !cell)
                body.tables.last().jc = at["val"];
            else if (name == "tblBorders")
                body.tables.last().borders = true;
            else if (name == "gridCol")
                body.tables.last().gridCols << at["w"].toInt();
            else if (name == "tr")
                body.tables.last().rows.append(Row());
            else if (name == "trHeight")
                body.tables.last().rows.last().height = at["val"],
                body.tables.last().rows.last().rule = at["hRule"];
            else if (name == "tc") {
                body.tables.last().rows.last().cells.append(Cell());
                cell = &body.tables.last().rows.last().cells.last();
            } else if (name == "shd" && cell)
                cell->fill = at["fill"];
            else if (name == "textDirection" && cell)
                cell->turned = at["val"] == "btLr";
            else if (name == "b" && cell)
                cell->bold = true;
            else if (name == "u" && cell)
                cell->underline = at["val"] == "single";
            else if (name == "p")
                text.clear(), jc.clear(), embed.clear();
            else if (name == "jc")
                jc = at["val"];
            else if (name == "t")
                text += xml.readElementText();
            else if (name == "br")
                text += "\n";
            else if (name == "blip")
                embed = at["embed"];
            else if (name == "extent")
                body.extents << at["cx"] + "x" + at["cy"];
            else if (name == "pgSz")
                body.pgSz = at;
            else if (name == "pgMar")
                body.pgMar = at;
        } else if (xml.isEndElement()) {
            if (name == "tbl")
                --depth;
            else if (name == "tc")
                cell = nullptr;
            else if (name == "p" && cell)
                cell->text = text, cell->jc = jc;
            else if (name == "p" && depth == 0)
                body.order << (embed.isEmpty() ? "p:" + jc + ":" + text : "picture:" + embed);
        }
    }
    if (xml.hasError())
        qWarning() << xml.errorString();
    return body;
}

Body bodyOf(const Doc &document)
{
    return parse(unzip(DocxWriter::package(document))["word/document.xml"]);
}

QStringList texts(const Table &table, int row)
{
    QStringList result;
    for (const Cell &cell : table.rows.value(row).cells)
        result << cell.text;
    return result;
}

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
    void blocksFollowTheTable();
    void heldOrUnwritableFilesStayAsTheyAre();
    void convertsWithOffice();
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
    QXmlStreamReader rels(parts["word/_rels/document.xml.rels"]);
    QMap<QString, QString> targets;
    while (!rels.atEnd())
        if (rels.readNext() == QXmlStreamReader::StartElement &&
            rels.name() == QLatin1String("Relationship"))
            targets[attributes(rels)["Id"]] = attributes(rels)["Target"];
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
    QCOMPARE(texts(table, 0), QStringList({"0/0", "1/0", "3/0"}));
    QCOMPARE(texts(table, 1), QStringList({"Łukasz Müßig", "Ø mdl.\n<2> & 3", "3/1"}));
    QCOMPARE(texts(table, 2), QStringList({"0/2", "ab", ""}));
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
    QCOMPARE(texts(body.tables[1], 1).value(7), QString("7/1"));
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
        QFile marker(dir.filePath(lock));
        QVERIFY(marker.open(QIODevice::WriteOnly));
        marker.close();
        QVERIFY2(!writer.write(Doc(grid(5, 5)), path), qPrintable(lock));
        QCOMPARE(writer.errorText(),
                 QString("Es ist noch eine Druckdatei in Benutzung. Dokument bitte schließen!"));
        QCOMPARE(TestSupport::readBytes(path), first);
        QVERIFY(QFile::remove(dir.filePath(lock)));
    }
    // Another file's lock does not hold this one.
    QFile other(dir.filePath("~$Person.docx"));
    QVERIFY(other.open(QIODevice::WriteOnly));
    other.close();
    QVERIFY(writer.write(Doc(grid(5, 5)), path));
    QVERIFY(TestSupport::readBytes(path) != first);

    QVERIFY(!writer.write(Doc(grid(1, 1)), dir.filePath("fehlt/Bericht.docx")));
    QCOMPARE(writer.errorText(), QString("Entweder ist schon eine Druckdatei geöffnet oder es gibt "
                                         "kein Standardprogramm für \" *.doc \", sorry."));
    QVERIFY(!QFile::exists(dir.filePath("fehlt")));
}

void DocxTest::convertsWithOffice()
{
    QString office = QStandardPaths::findExecutable("soffice");
    if (office.isEmpty())
        office = QStandardPaths::findExecutable("libreoffice");
    if (office.isEmpty())
        QSKIP("no office suite to open the document");
    QTemporaryDir dir;
    Doc document(grid(6, 12));
    document.page.orientation = Doc::Orientation::Landscape;
    document.table.setRowTurned(0);
    document.table.setShading(1, 1, Qt::red);
    document.addPicture(QImage(20, 20, QImage::Format_RGB32));
    document.addParagraph("Łukasz", Doc::Alignment::Right);
    QVERIFY(DocxWriter().write(document, dir.filePath("Bericht.docx")));
    QProcess process;
    process.start(office,
                  {"--headless", "-env:UserInstallation=file://" + dir.filePath("profile"),
                   "--convert-to", "pdf", "--outdir", dir.path(), dir.filePath("Bericht.docx")});
    QVERIFY(process.waitForFinished(120000));
    QVERIFY(TestSupport::readBytes(dir.filePath("Bericht.pdf")).startsWith("%PDF"));
}

QTEST_GUILESS_MAIN(DocxTest)
#include "tst_docx.moc"
