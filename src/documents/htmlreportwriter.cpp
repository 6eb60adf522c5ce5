#include "htmlreportwriter.h"

#include "reportpage.h"
#include "reportpicture.h"

#include "classdata/displaylocale.h"
#include "classdata/userprompts.h"

#include <QDir>
#include <QFileInfo>
#include <QLocale>

#include <utility>

// The fixed pieces of the page. The word processor that formats the page further reads
// its table settings from the style attributes, so the pieces stay exactly as they are.
namespace {

const QString Html = QStringLiteral("<html>");
const QString Body = QStringLiteral("<body>");
const QString TableWide = QStringLiteral(
    R"( <table  border= 1 style= border-collapse:collapse;border:none;mso-border-alt:solid windowtext .5pt;mso-yfti-tbllook:480;mso-padding-alt:0,9cm 5.4pt 0,9cm 5.4pt;mso-border-insideh:.5pt solid windowtext;mso-border-insidev:.5pt solid windowtext")");
const QString Table = QStringLiteral(
    R"( <table border= 1 style= border-collapse:collapse;border:none;mso-border-alt:solid windowtext .5pt;mso-yfti-tbllook:480;mso-padding-alt:0,9cm 5.4pt 0,9cm 5.4pt;mso-border-insideh:.5pt solid windowtext;mso-border-insidev:.5pt solid windowtext")");
const QString TableWidth = QStringLiteral(R"(" width=98%")");
const QString Height = QStringLiteral(R"(" height=")");
const QString TagEnd = QStringLiteral(R"(">)");
const QString RowOpen = QStringLiteral("  <tr>");
const QString RowClose = QStringLiteral("  </tr>");
const QString RowShaded = QStringLiteral("  <tr style=background:#cae1ff>");
const QString RowPlain = QStringLiteral("  <tr >");

const QString HeadA = QStringLiteral(
    R"(<td   BORDERCOLOR=black style = white-space:nowrap height="18"><div align="left"><font color="#000000" face="MS Sans Serif"><b>)");
const QString HeadEnd = QStringLiteral("</b></font></div></td> ");
const QString HeadARight = QStringLiteral(
    R"(<td   BORDERCOLOR=black width="8" height="18"><div align="right"><font color="#000000" face="MS Sans Serif"><b> </b></font></div></td> )");
const QString HeadB = QStringLiteral(
    R"(<td  BORDERCOLOR= grey style = white-space:nowrap height="20"><div align="left"><font color="#000000" face="MS Sans Serif"><b>)");
const QString HeadBRight = QStringLiteral(
    R"(<td  BORDERCOLOR= grey height="20"><div align="right"><font color="#000000" face="MS Sans Serif"><b> &copy</b></font></div></td> )");
const QString HeadC = QStringLiteral(
    R"(<td  height="20"><div align="left"><font color="#000000" face="MS Sans Serif"><b>)");
const QString HeadCEmpty = QStringLiteral(
    R"(<td  height="20"><div align="center"><font color="#000000" face="MS Sans Serif"><b></b></font></div></td> )");
const QString HeadCCredit = QStringLiteral(
    R"(<td  height="20"><div align="center"><font color="#000000" face="MS Sans Serif"><b>&copy Layout by )");

const QString CellA =
    QStringLiteral(R"(<td style = white-space:nowrap BORDERCOLOR=black height =")");
const QString CellB = QStringLiteral(R"(<td BORDERCOLOR= grey  width=")");
const QString CellC = QStringLiteral(R"(<td style = white-space:nowrap height=")");
const QString CellColour = QStringLiteral(R"("><div align="center"><font color="#)");
const QString CellFace = QStringLiteral(R"(" face=")");
const QString CellEnd = QStringLiteral("</font></div></td>");

const QString TableEnd = QStringLiteral("  </table>");
const QString CreditBy = QStringLiteral("<b>&copy Layout by ");
const QString CreditDate = QStringLiteral("</b>  ...Erstelldatum: ");
const QString CourseCreditBy = QStringLiteral(R"(<FONT SIZE="2"><b>&copy Layout by )");
const QString CourseCreditDate = QStringLiteral("</b>  ...Erstelldatum des Kursbuches: ");
const QString CourseCreditEnd = QStringLiteral("</FONT>");
const QString BodyEnd = QStringLiteral("</body>");
const QString HtmlEnd = QStringLiteral("</html>");
const QString Comma = QStringLiteral(", ");
const QString Blank = QStringLiteral(" ");

const QString PictureStart = QStringLiteral(
    R"(<td  height="20"><div align="left"><font color="#000000" face="MS Sans Serif"><b><img src= ")");
const QString PictureAlt = QStringLiteral(R"(" alt="Finde kein Bild!" >)");
const QString PictureEnd = QStringLiteral(
    R"(<div align="center"><font color="#000000" face="MS Sans Serif"></font></div></td> </b></font></div></td> )");

const QString PhotoNotice =
    QStringLiteral("Aus datenschutzrechtlichen Gründen ist das Fotos nur temporär. Übersicht bitte "
                   "sofort drucken.");

} // namespace

const char *const HtmlReportWriter::MakerAddress = "https://www.quillfen.de/";

HtmlReportWriter::HtmlReportWriter(ReportHeading heading, QString reportFolder,
                                   UserPrompts *prompts)
    : m_heading(std::move(heading)), m_reportFolder(std::move(reportFolder)), m_prompts(prompts)
{}

void HtmlReportWriter::WriteGridHtml(PrintTable &grid, QStringList &lines, int n) const
{
    write(Kind::Grid, grid, lines, n);
}

void HtmlReportWriter::WriteCourseBookHtml(PrintTable &grid, QStringList &lines, int n) const
{
    write(Kind::CourseBook, grid, lines, n);
}

bool HtmlReportWriter::WritePersonHtml(PrintTable &grid, QStringList &lines, int n) const
{
    write(Kind::Person, grid, lines, n);
    return writePicture();
}

void HtmlReportWriter::WriteExamFailureHtml(PrintTable &grid, QStringList &lines, int n) const
{
    write(Kind::ExamFailure, grid, lines, n);
}

void HtmlReportWriter::WriteResultListHtml(PrintTable &grid, QStringList &lines, int n) const
{
    write(Kind::ResultList, grid, lines, n);
}

void HtmlReportWriter::WriteOverviewHtml(PrintTable &grid, QStringList &lines, int n) const
{
    write(Kind::Overview, grid, lines, n);
}

void HtmlReportWriter::write(Kind kind, PrintTable &grid, QStringList &lines, int n) const
{
    const bool wide = kind == Kind::Grid || kind == Kind::CourseBook;
    const QString title = escaped(m_heading.title) + Comma + escaped(m_heading.className);

    lines.clear();
    lines << Html << Body;
    if (kind == Kind::Overview)
        lines << title;
    const QString width = QString::number(grid.controlWidth());
    lines << (wide ? TableWide : Table) + QString::number(n) + TableWidth + width + Height + width +
                 TagEnd;

    if (kind != Kind::Overview) {
        lines << RowOpen;
        switch (kind) {
        case Kind::Grid:
        case Kind::CourseBook:
            lines << HeadA + title + HeadEnd << HeadARight;
            break;
        case Kind::Person:
            lines << HeadB + escaped(m_heading.personName) + HeadEnd << HeadBRight;
            break;
        case Kind::ResultList:
            lines << HeadC + title + HeadEnd << HeadCEmpty;
            break;
        default:
            lines << HeadC + title + HeadEnd << HeadCCredit + makerLink() + HeadEnd;
            break;
        }
        lines << RowClose;
    }

    int columns = grid.columnCount();
    if (kind == Kind::ExamFailure)
        columns = 2;
    else if (kind == Kind::ResultList)
        columns = 5;
    else if (kind == Kind::Overview)
        columns = 17;
    for (int row = 0; row < grid.rowCount(); ++row) {
        lines << (row % 2 == 0 ? RowShaded : wide ? RowPlain : RowOpen);
        for (int column = 0; column < columns; ++column)
            lines << cellLine(kind, grid, column, row);
        lines << RowClose;
    }

    if (kind == Kind::Person)
        lines << PictureStart + QDir::toNativeSeparators(picturePath()) + PictureAlt + PictureEnd;
    lines << TableEnd;
    if (kind == Kind::CourseBook)
        lines << CourseCreditBy + makerLink() + CourseCreditDate + createdText() + CourseCreditEnd;
    else if (kind != Kind::ExamFailure)
        lines << CreditBy + makerLink() + CreditDate + createdText();
    lines << BodyEnd << HtmlEnd;
}

QString HtmlReportWriter::cellLine(Kind kind, PrintTable &grid, int column, int row) const
{
    const PrintFont &font = grid.font();
    QString open, close;
    if (font.bold) {
        open += QLatin1String("<b>");
        close += QLatin1String("</b>");
    }
    if (font.italic) {
        open += QLatin1String("<i>");
        close += QLatin1String("</i>");
    }
    if (font.underline) {
        open += QLatin1String("<u>");
        close += QLatin1String("</u>");
    }

    // Cells are written as they are: a table may hold a link or a picture on purpose.
    QString text = grid.cell(column, row);
    QString start;
    switch (kind) {
    case Kind::Grid:
    case Kind::CourseBook:
        if (text.isEmpty())
            grid.setColumnWidth(column, 0);
        start = CellA + QString::number(kind == Kind::CourseBook ? 16 : grid.rowHeight(row));
        break;
    case Kind::Person:
        if (text.isEmpty())
            grid.setColumnWidth(column, 10);
        start = CellB + QString::number(grid.columnWidth(column)) + Height +
                QString::number(grid.rowHeight(row));
        break;
    default:
        if (text.isEmpty())
            text = Blank;
        start = CellC + QString::number(grid.rowHeight(row));
        break;
    }
    return start + CellColour + colourDigits(font.colour) + CellFace + font.face + TagEnd + open +
           text + close + CellEnd;
}

QString HtmlReportWriter::escaped(const QString &text)
{
    return text.toHtmlEscaped();
}

QString HtmlReportWriter::colourDigits(const QColor &colour)
{
    // Browsers and word processors read the digits red first; blue first would turn red text blue.
    return colour.toRgb().name().mid(1).toUpper();
}

QString HtmlReportWriter::makerLink() const
{
    return QStringLiteral(R"(<a href="%1">Quillfen</a>)").arg(QLatin1String(MakerAddress));
}

QString HtmlReportWriter::createdText() const
{
    const QDateTime created = m_created.isValid() ? m_created : QDateTime::currentDateTime();
    // The long time format, without the time zone a report has no use for.
    QString timeFormat = QLocale().timeFormat(QLocale::LongFormat);
    timeFormat.remove(QLatin1Char('t'));
    return DisplayLocale::shortDate(created.date()) + Comma +
           QLocale().toString(created.time(), timeFormat.trimmed()) + Blank;
}

QString HtmlReportWriter::picturePath() const
{
    return QFileInfo(ReportPage::photoPath(m_reportFolder)).absoluteFilePath();
}

bool HtmlReportWriter::writePicture() const
{
    QImage picture;
    if (!m_heading.photoPath.isEmpty()) {
        if (m_prompts)
            m_prompts->showMessage(PhotoNotice);
        picture = m_heading.photo;
    }
    // A photo that could not be read is left out like a missing one.
    if (picture.isNull())
        picture = ReportPicture::placeholder();
    return ReportPicture::saveBitmap(picture, picturePath());
}
