#include "listpagewriter.h"

#include "htmlreportwriter.h"

#include <QUrl>

namespace {

const QStringList Head = {
    QStringLiteral("<html>"),
    QStringLiteral("<head>"),
    QStringLiteral(R"(<style type="text/css">)"),
    QStringLiteral(".white-space {nowrap} "),
    QStringLiteral(".unten   { vertical-align:bottom} "),
    QStringLiteral(".meinbild { height: 80px;} "),
    QStringLiteral("</style>"),
    QStringLiteral("</head>"),
    QStringLiteral("<body>"),
};
const QString Table = QStringLiteral(
    R"( <table border= 1 style= border-collapse:collapse;border:none;mso-border-alt:solid windowtext .5pt;mso-yfti-tbllook:480;mso-padding-alt:0,9cm 5.4pt 0,9cm 5.4pt;mso-border-insideh:.5pt solid windowtext;mso-border-insidev:.5pt solid windowtext")");
const QString Height = QStringLiteral(R"(" height=")");
const QString ColumnGroup = QStringLiteral(R"("> <colgroup ></colgroup>)");
const QString TagEnd = QStringLiteral(R"(">)");
const QString RowOpen = QStringLiteral("  <tr>");
const QString RowClose = QStringLiteral("  </tr>");
const QString RowShaded = QStringLiteral("  <tr style=background:#cae1ff>");
const QString RowPlain = QStringLiteral("  <tr >");
const QString CellStart = QStringLiteral(R"(<td nowrap class="unten" + width=")");
const QString CellColour = QStringLiteral(R"("><div align="left"><font color="#)");
const QString CellFace = QStringLiteral(R"(" face=")");
const QString CellEnd = QStringLiteral("</font></div></td>");
const QStringList Tail = {QStringLiteral("  </table>"), QStringLiteral("</body>"),
                          QStringLiteral("</html>")};

// The picture tags end where the file address begins; it follows as a proper URL.
const QString ListPictureStart = QStringLiteral(R"( <img border="0" style="height: 55px"  src=")");
const QString ListPictureEnd =
    QStringLiteral(R"( "  class="meinbild" alt = "Leider kein Foto hinterlegt!"  >)");
const QString LargePictureStart =
    QStringLiteral(R"( <img border="0"style="height:180px" style="width:135px"src=")");
const QString PictureStart = QStringLiteral(R"( <img border="0"src=")");
const QString CompactPictureEnd = QStringLiteral(R"("  class="meinbild"   >)");

constexpr int NameColumnWidth = 180;
constexpr int OtherColumnWidth = 20;

enum class Kind
{
    Selection,
    Compact
};

void write(Kind kind, PrintTable &grid, QStringList &lines, int n)
{
    lines.clear();
    lines << Head;
    lines << Table + QString::number(n) + Height + QString::number(grid.controlWidth()) +
                 ColumnGroup;
    const PrintFont &font = grid.font();
    QString open, close;
    if (font.bold)
        open += QLatin1String("<b>"), close += QLatin1String("</b>");
    if (font.italic)
        open += QLatin1String("<i>"), close += QLatin1String("</i>");
    if (font.underline)
        open += QLatin1String("<u>"), close += QLatin1String("</u>");
    const QString colour = HtmlReportWriter::colourDigits(font.colour);
    for (int row = 0; row < grid.rowCount(); ++row) {
        const bool even = row % 2 == 0;
        if (kind == Kind::Selection)
            lines << (even ? RowShaded : RowPlain);
        else
            lines << (even ? RowPlain : RowOpen);
        for (int column = 0; column < grid.columnCount(); ++column) {
            grid.setColumnWidth(column, column == 1 ? NameColumnWidth : OtherColumnWidth);
            lines << CellStart + QString::number(grid.columnWidth(column)) + Height +
                         QString::number(grid.rowHeight(row)) + CellColour + colour + CellFace +
                         font.face + TagEnd + open + grid.cell(column, row) + close + CellEnd;
        }
        lines << RowClose;
    }
    lines << Tail;
}

} // namespace

namespace ListPageWriter {

void WriteSelectionListHtml(PrintTable &grid, QStringList &lines, int n)
{
    write(Kind::Selection, grid, lines, n);
}

void WriteCompactListHtml(PrintTable &grid, QStringList &lines, int n)
{
    write(Kind::Compact, grid, lines, n);
}

QString credit()
{
    return QStringLiteral(R"(&copy Layout by <a href="%1">Quillfen</a>)")
        .arg(QLatin1String(HtmlReportWriter::MakerAddress));
}

QString fileUrl(const QString &filePath)
{
    // "file:///" before an absolute path of this system would give four slashes.
    return QString::fromUtf8(QUrl::fromLocalFile(filePath).toEncoded()).toHtmlEscaped();
}

QString listPicture(const QString &filePath)
{
    return ListPictureStart + fileUrl(filePath) + ListPictureEnd;
}

QString compactPicture(const QString &filePath, bool large)
{
    return (large ? LargePictureStart : PictureStart) + fileUrl(filePath) + CompactPictureEnd;
}

} // namespace ListPageWriter
