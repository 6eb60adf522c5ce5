#include "classdata/displaylocale.h"
#include "documents/htmlreportwriter.h"
#include "documents/printtable.h"
#include "documents/reportpage.h"
#include "documents/reportpicture.h"
#include "testsupport.h"

#include <QDir>
#include <QImageWriter>
#include <QTemporaryDir>
#include <QtEndian>
#include <QtTest>

namespace {

// The pieces of a page as the word processor expects them, written out once more.
const QString TableTag =
    "<table border= 1 style= border-collapse:collapse;border:none;mso-border-alt:solid windowtext "
    ".5pt;mso-yfti-tbllook:480;mso-padding-alt:0,9cm 5.4pt 0,9cm 5.4pt;mso-border-insideh:.5pt "
    "solid windowtext;mso-border-insidev:.5pt solid windowtext\"";
const QString Link = "<a href=\"https://www.quillfen.de/\">Quillfen</a>";
const QString Created = "06.12.2026, 08:05:09 ";
const QString Credit = "<b>&copy Layout by " + Link + "</b>  ...Erstelldatum: " + Created;
const QString Font = "\"><div align=\"center\"><font color=\"#000000\" face=\"MS Sans Serif\">";

QString cellA(int height, const QString &text)
{
    return "<td style = white-space:nowrap BORDERCOLOR=black height =\"" + QString::number(height) +
           Font + text + "</font></div></td>";
}

QString cellC(int height, const QString &text)
{
    return "<td style = white-space:nowrap height=\"" + QString::number(height) + Font + text +
           "</font></div></td>";
}

// Columns x rows, cell (c, r) holding "c/r" unless listed as empty ("c/r" pairs).
PrintTable table(int columns, int rows, const QStringList &empty = {})
{
    PrintTable grid(columns, rows);
    for (int r = 0; r < rows; ++r)
        for (int c = 0; c < columns; ++c) {
            const QString name = QStringLiteral("%1/%2").arg(c).arg(r);
            grid.setCell(c, r, empty.contains(name) ? QString() : name);
        }
    grid.setControlWidth(700);
    return grid;
}

HtmlReportWriter writer(const QString &folder = {}, UserPrompts *prompts = nullptr)
{
    ReportHeading heading;
    heading.title = "Mathe";
    heading.className = "7b";
    heading.personName = "Łukasz Nowak";
    HtmlReportWriter result(heading, folder, prompts);
    result.setCreated(QDateTime(QDate(2026, 12, 6), QTime(8, 5, 9)));
    return result;
}

// Width, height and bits per pixel from a bitmap file's header.
struct BitmapHeader
{
    int width = 0, height = 0, bits = 0;
    qsizetype size = 0;
};

BitmapHeader bitmapHeader(const QString &path)
{
    const QByteArray bytes = TestSupport::readBytes(path);
    if (bytes.size() < 54 || !bytes.startsWith("BM"))
        return {};
    const auto *data = reinterpret_cast<const uchar *>(bytes.constData());
    return {qFromLittleEndian<qint32>(data + 18), qFromLittleEndian<qint32>(data + 22),
            qFromLittleEndian<quint16>(data + 28), bytes.size()};
}

} // namespace

class HtmlReportTest : public QObject
{
    Q_OBJECT

private slots:
    void initTestCase();
    void gridPageAndItsEmptyColumns();
    void courseBookRowsAndCredit();
    void personReportWidthsAndPicture();
    void personPhotoIsWrittenInTheClear();
    void fixedColumnWriters();
    void styleTagsAndColour();
    void pageBytes();
    void printTableResizing();
    void jpegBecomesBitmap();
};

void HtmlReportTest::initTestCase()
{
    DisplayLocale::install(QLocale(QLocale::English, QLocale::UnitedStates));
}

void HtmlReportTest::gridPageAndItsEmptyColumns()
{
    PrintTable grid = table(2, 3, {"1/1"});
    grid.setRowHeight(1, 30);
    grid.setColumnWidth(0, 40);
    QStringList lines{"left over from the last report"};
    writer().WriteGridHtml(grid, lines, 1);

    const QStringList expected{
        "<html>",
        "<body>",
        " " + QString(TableTag).replace("<table ", "<table  ") +
            "1\" width=98%\"700\" height=\"700\">",
        "  <tr>",
        "<td   BORDERCOLOR=black style = white-space:nowrap height=\"18\"><div "
        "align=\"left\"><font color=\"#000000\" face=\"MS Sans Serif\"><b>Mathe, "
        "7b</b></font></div></td> ",
        "<td   BORDERCOLOR=black width=\"8\" height=\"18\"><div align=\"right\"><font "
        "color=\"#000000\" face=\"MS Sans Serif\"><b> </b></font></div></td> ",
        "  </tr>",
        "  <tr style=background:#cae1ff>",
        cellA(24, "0/0"),
        cellA(24, "1/0"),
        "  </tr>",
        "  <tr >",
        cellA(30, "0/1"),
        cellA(30, ""),
        "  </tr>",
        "  <tr style=background:#cae1ff>",
        cellA(24, "0/2"),
        cellA(24, "1/2"),
        "  </tr>",
        "  </table>",
        Credit,
        "</body>",
        "</html>"};
    QCOMPARE(lines, expected);
    // An empty cell anywhere closes its column; the page itself carries no widths.
    QCOMPARE(grid.columnWidth(0), 40);
    QCOMPARE(grid.columnWidth(1), 0);

    // Only the header row: heading, one shaded row, credit.
    PrintTable header = table(2, 1);
    writer().WriteGridHtml(header, lines, 1);
    QCOMPARE(lines.size(), 15);
    QCOMPARE(lines.count("  <tr style=background:#cae1ff>"), 1);
    QCOMPARE(lines[12], Credit);
}

void HtmlReportTest::courseBookRowsAndCredit()
{
    PrintTable grid = table(3, 2, {"2/0"});
    grid.setRowHeight(0, 40);
    grid.setRowHeight(1, 12);
    QStringList lines;
    writer().WriteCourseBookHtml(grid, lines, 3);

    QVERIFY(lines[2].startsWith(" <table  border= 1 style="));
    QVERIFY(lines[2].endsWith("windowtext\"3\" width=98%\"700\" height=\"700\">"));
    QCOMPARE(lines.mid(8, 9),
             QStringList({cellA(16, "0/0"), cellA(16, "1/0"), cellA(16, ""), "  </tr>", "  <tr >",
                          cellA(16, "0/1"), cellA(16, "1/1"), cellA(16, "2/1"), "  </tr>"}));
    QCOMPARE(grid.columnWidth(2), 0);
    QCOMPARE(lines.mid(17),
             QStringList({"  </table>",
                          "<FONT SIZE=\"2\"><b>&copy Layout by " + Link +
                              "</b>  ...Erstelldatum des Kursbuches: " + Created + "</FONT>",
                          "</body>", "</html>"}));
}

void HtmlReportTest::personReportWidthsAndPicture()
{
    QTemporaryDir folder;
    ScriptedPrompts prompts;
    PrintTable grid = table(2, 3, {"1/1"});
    grid.setColumnWidth(0, 90);
    grid.setColumnWidth(1, 50);
    grid.setRowHeight(2, 33);
    QStringList lines;
    QVERIFY(writer(folder.path(), &prompts).WritePersonHtml(grid, lines, 1));

    QCOMPARE(lines[2], " " + TableTag + "1\" width=98%\"700\" height=\"700\">");
    QCOMPARE(
        lines.mid(3, 4),
        QStringList({"  <tr>",
                     "<td  BORDERCOLOR= grey style = white-space:nowrap height=\"20\"><div "
                     "align=\"left\"><font color=\"#000000\" face=\"MS Sans Serif\"><b>Łukasz "
                     "Nowak</b></font></div></td> ",
                     "<td  BORDERCOLOR= grey height=\"20\"><div align=\"right\"><font "
                     "color=\"#000000\" face=\"MS Sans Serif\"><b> &copy</b></font></div></td> ",
                     "  </tr>"}));
    // The width is read after an empty cell narrowed its column, for that row and the rest.
    auto cellB = [](int width, int height, const QString &text) {
        return QStringLiteral("<td BORDERCOLOR= grey  width=\"%1\" height=\"%2")
                   .arg(width)
                   .arg(height) +
               Font + text + "</font></div></td>";
    };
    QCOMPARE(lines[8], cellB(90, 24, "0/0"));
    QCOMPARE(lines[9], cellB(50, 24, "1/0"));
    QCOMPARE(lines[11], "  <tr>");
    QCOMPARE(lines[13], cellB(10, 24, ""));
    QCOMPARE(lines[17], cellB(10, 33, "1/2"));

    const QString picture =
        QDir::toNativeSeparators(QDir(folder.path()).absoluteFilePath("Druck/druck.bmp"));
    QCOMPARE(lines.mid(19),
             QStringList(
                 {"<td  height=\"20\"><div align=\"left\"><font color=\"#000000\" face=\"MS Sans "
                  "Serif\"><b><img src= \"" +
                      picture +
                      "\" alt=\"Finde kein Bild!\" ><div align=\"center\"><font color=\"#000000\" "
                      "face=\"MS Sans Serif\"></font></div></td> </b></font></div></td> ",
                  "  </table>", Credit, "</body>", "</html>"}));

    // Without a photo the placeholder stands in, silently.
    QVERIFY(prompts.messages.isEmpty());
    const BitmapHeader header = bitmapHeader(picture);
    QCOMPARE(header.bits, 24);
    QCOMPARE(header.width, 135);
    QCOMPARE(header.height, 180);
    QCOMPARE(header.size, 54 + 408 * 180);
    const QImage placeholder(picture);
    QVERIFY(placeholder.pixelColor(67, 70) != placeholder.pixelColor(5, 5)); // not blank
}

void HtmlReportTest::personPhotoIsWrittenInTheClear()
{
    QTemporaryDir folder;
    const QString picture = QDir(folder.path()).filePath("Druck/druck.bmp");
    QImage photo(7, 9, QImage::Format_Indexed8);
    photo.setColorTable({qRgb(10, 20, 30), qRgb(200, 100, 50)});
    photo.fill(0);
    photo.setPixel(3, 4, 1);

    for (const bool readable : {true, false}) {
        ScriptedPrompts prompts;
        ReportHeading heading;
        heading.photoPath = "Fotos\\03_2026\\7b\\4.bmp";
        if (readable)
            heading.photo = photo;
        HtmlReportWriter person(heading, folder.path(), &prompts);
        PrintTable grid = table(1, 1);
        QStringList lines;
        QVERIFY(person.WritePersonHtml(grid, lines, 1));
        QCOMPARE(prompts.messages,
                 QStringList("Aus datenschutzrechtlichen Gründen ist das Fotos nur temporär. "
                             "Übersicht bitte sofort drucken."));
        const BitmapHeader header = bitmapHeader(picture);
        QCOMPARE(header.bits, 24);
        QCOMPARE(header.width, readable ? 7 : 135);
        if (readable) {
            const QImage written(picture);
            QCOMPARE(written.pixelColor(3, 4), QColor(200, 100, 50));
            QCOMPARE(written.pixelColor(0, 0), QColor(10, 20, 30));
        }
    }

    // A folder that cannot be made fails the picture, not the page.
    const QString blocker = QDir(folder.path()).filePath("blocked");
    QVERIFY(TestSupport::writeBytes(blocker));
    PrintTable grid = table(1, 1);
    QStringList lines;
    QVERIFY(!HtmlReportWriter({}, blocker).WritePersonHtml(grid, lines, 1));
    QCOMPARE(lines.last(), "</html>");
}

void HtmlReportTest::fixedColumnWriters()
{
    QStringList lines;
    PrintTable narrow = table(3, 2, {"0/1"});
    narrow.setRowHeight(1, 19);
    writer().WriteResultListHtml(narrow, lines, 1);
    QCOMPARE(lines[2], " " + TableTag + "1\" width=98%\"700\" height=\"700\">");
    QCOMPARE(lines.mid(3, 4),
             QStringList({"  <tr>",
                          "<td  height=\"20\"><div align=\"left\"><font color=\"#000000\" "
                          "face=\"MS Sans Serif\"><b>Mathe, 7b</b></font></div></td> ",
                          "<td  height=\"20\"><div align=\"center\"><font color=\"#000000\" "
                          "face=\"MS Sans Serif\"><b></b></font></div></td> ",
                          "  </tr>"}));
    // Five cells a row whatever the table has; empty and missing ones show a blank.
    QCOMPARE(lines.mid(7, 14),
             QStringList({"  <tr style=background:#cae1ff>", cellC(24, "0/0"), cellC(24, "1/0"),
                          cellC(24, "2/0"), cellC(24, " "), cellC(24, " "), "  </tr>", "  <tr>",
                          cellC(19, " "), cellC(19, "1/1"), cellC(19, "2/1"), cellC(19, " "),
                          cellC(19, " "), "  </tr>"}));
    QCOMPARE(lines.mid(21), QStringList({"  </table>", Credit, "</body>", "</html>"}));
    QCOMPARE(narrow.columnWidth(0), PrintTable::DefaultColumnWidth);

    // Two columns, the credit in the heading and none below the table.
    PrintTable wide = table(4, 1);
    writer().WriteExamFailureHtml(wide, lines, 1);
    QCOMPARE(lines[5], "<td  height=\"20\"><div align=\"center\"><font color=\"#000000\" face=\"MS "
                       "Sans Serif\"><b>&copy Layout by " +
                           Link + "</b></font></div></td> ");
    QCOMPARE(lines.mid(7),
             QStringList({"  <tr style=background:#cae1ff>", cellC(24, "0/0"), cellC(24, "1/0"),
                          "  </tr>", "  </table>", "</body>", "</html>"}));

    // A title line instead of a heading row, then 17 cells a row.
    PrintTable overview = table(20, 2);
    writer().WriteOverviewHtml(overview, lines, 1);
    QCOMPARE(lines.mid(0, 4),
             QStringList({"<html>", "<body>", "Mathe, 7b",
                          " " + TableTag + "1\" width=98%\"700\" height=\"700\">"}));
    QCOMPARE(lines[4], "  <tr style=background:#cae1ff>");
    QCOMPARE(lines[21], cellC(24, "16/0"));
    QCOMPARE(lines[22], "  </tr>");
    QCOMPARE(lines[23], "  <tr>");
    QCOMPARE(lines.size(), 4 + 2 * 19 + 4);
    QCOMPARE(lines[lines.size() - 3], Credit);
}

void HtmlReportTest::styleTagsAndColour()
{
    PrintTable grid = table(2, 1, {"1/0"});
    PrintFont font;
    font.face = "Arial";
    font.colour = QColor(0x12, 0x34, 0x56);
    font.bold = font.italic = font.underline = true;
    grid.setFont(font);
    QStringList lines;
    writer().WriteGridHtml(grid, lines, 1);
    // Colour red first; closing tags in the order they were opened.
    const QString tail = "\"><div align=\"center\"><font color=\"#123456\" face=\"Arial\">";
    QCOMPARE(lines[8], "<td style = white-space:nowrap BORDERCOLOR=black height =\"24" + tail +
                           "<b><i><u>0/0</b></i></u></font></div></td>");
    QVERIFY(lines[9].endsWith(tail + "<b><i><u></b></i></u></font></div></td>"));

    font.bold = false;
    font.underline = false;
    font.colour = QColor(0xFF, 0xAA, 0x01);
    grid.setFont(font);
    writer().WriteResultListHtml(grid, lines, 1);
    QVERIFY(
        lines[8].endsWith("<font color=\"#FFAA01\" face=\"Arial\"><i>0/0</i></font></div></td>"));
    QVERIFY(lines[9].endsWith("<i> </i></font></div></td>"));

    // The heading is text: markup in a title or a name is shown, not obeyed.
    ReportHeading heading;
    heading.title = "Bio & Chemie";
    heading.className = "<7b>";
    HtmlReportWriter escaping(heading);
    escaping.WriteOverviewHtml(grid, lines, 1);
    QCOMPARE(lines[2], "Bio &amp; Chemie, &lt;7b&gt;");
}

void HtmlReportTest::pageBytes()
{
    const QStringList lines{"Müller, Jürgen – Straße €", "Łukasz 😀", "", "a\nb\r\nc"};
    const QByteArray expected = "M\xFCller, J\xFCrgen \x96 Stra\xDF"
                                "e \x80\r\n"
                                "&#321;ukasz &#128512;\r\n"
                                "\r\n"
                                "a\r\nb\r\nc\r\n";
    QCOMPARE(ReportPage::encode(lines), expected);

    QTemporaryDir folder;
    QVERIFY(ReportPage::save(lines, ReportPage::docPath(folder.path())));
    QCOMPARE(TestSupport::readBytes(QDir(folder.path()).filePath("Druck.doc")), expected);
    QVERIFY(ReportPage::save({"x"}, ReportPage::docPath(folder.path())));
    QCOMPARE(TestSupport::readBytes(ReportPage::docPath(folder.path())), QByteArray("x\r\n"));
    QVERIFY(ReportPage::htmlPath(folder.path()).endsWith("/Druck.html"));
    QVERIFY(!ReportPage::save(lines, QDir(folder.path()).filePath("missing/Druck.doc")));
}

void HtmlReportTest::printTableResizing()
{
    PrintTable grid = table(3, 3);
    grid.setColumnWidth(1, 77);
    grid.setColumnCount(2);
    grid.setColumnCount(4);
    grid.setRowCount(1);
    grid.setRowCount(2);
    QCOMPARE(TestSupport::read(grid, 0, "0= 1= 2= 3="), "0=0/0 1=1/0 2= 3=");
    QCOMPARE(grid.cell(0, 1), QString());
    QCOMPARE(grid.columnWidth(1), 77);
    QCOMPARE(grid.columnWidth(3), PrintTable::DefaultColumnWidth);

    // Setting the default width again is how a command gives every column its width back.
    grid.setDefaultColumnWidth(18);
    grid.setColumnCount(5);
    QCOMPARE(grid.columnWidth(1), 18);
    QCOMPARE(grid.columnWidth(4), 18);
}

void HtmlReportTest::jpegBecomesBitmap()
{
    if (!QImageWriter::supportedImageFormats().contains("jpeg"))
        QSKIP("no JPEG support in this Qt");
    QTemporaryDir folder;
    const QString jpeg = QDir(folder.path()).filePath("4.jpeg");
    QImage image(20, 10, QImage::Format_RGB32);
    image.fill(QColor(0, 0, 200));
    QVERIFY(image.save(jpeg, "JPEG"));
    QVERIFY(ReportPicture::JpegToBmp(jpeg));
    const BitmapHeader header = bitmapHeader(QDir(folder.path()).filePath("4.bmp"));
    QCOMPARE(header.bits, 24);
    QCOMPARE(header.width, 20);
    QVERIFY(!ReportPicture::JpegToBmp(QDir(folder.path()).filePath("none.jpg")));
}

QTEST_GUILESS_MAIN(HtmlReportTest)
#include "tst_htmlreport.moc"
