#include "docxwriter.h"

#include <QBuffer>
#include <QDir>
#include <QFileInfo>
#include <QSaveFile>
#include <QXmlStreamWriter>

#include <quazip.h>
#include <quazipfile.h>
#include <quazipnewinfo.h>

#include <algorithm>
#include <cmath>

const char *const DocxWriter::InUseMessage =
    "Es ist noch eine Druckdatei in Benutzung. Dokument bitte schließen!";
const char *const DocxWriter::FailedMessage =
    "Entweder ist schon eine Druckdatei geöffnet oder es gibt kein Standardprogramm für \" "
    "*.doc \", sorry.";

namespace {

const QString W = QStringLiteral("http://schemas.openxmlformats.org/wordprocessingml/2006/main");
const QString R =
    QStringLiteral("http://schemas.openxmlformats.org/officeDocument/2006/relationships");
const QString WP =
    QStringLiteral("http://schemas.openxmlformats.org/drawingml/2006/wordprocessingDrawing");
const QString A = QStringLiteral("http://schemas.openxmlformats.org/drawingml/2006/main");
const QString PIC = QStringLiteral("http://schemas.openxmlformats.org/drawingml/2006/picture");
const QString RelTypes =
    QStringLiteral("http://schemas.openxmlformats.org/officeDocument/2006/relationships/");

// Word draws pictures at 96 pixels per inch; drawings measure in EMU.
constexpr double EmuPerPoint = 12700;
constexpr double EmuPerPixel = 9525;
constexpr int TwipsPerPixel = 15;
// Word's own default cell margins, left and right, which the grid widths do not contain.
constexpr int CellMarginTwips = 108;

using Doc = ReportDocument;

// What a run without a face of its own is set in.
const QString FallbackFace = QStringLiteral("Arial");

int twips(double points)
{
    return int(std::lround(points * 20));
}

QString number(long long value)
{
    return QString::number(value);
}

QString jc(Doc::Alignment alignment)
{
    switch (alignment) {
    case Doc::Alignment::Left:
        return QStringLiteral("left");
    case Doc::Alignment::Center:
        return QStringLiteral("center");
    case Doc::Alignment::Right:
        return QStringLiteral("right");
    }
    return QStringLiteral("left");
}

QString hexColour(const QColor &colour)
{
    return QStringLiteral("%1%2%3")
        .arg(colour.red(), 2, 16, QLatin1Char('0'))
        .arg(colour.green(), 2, 16, QLatin1Char('0'))
        .arg(colour.blue(), 2, 16, QLatin1Char('0'))
        .toUpper();
}

// Word has no table without a cell.
bool hasCells(const Doc::Table &table)
{
    return !table.keptRows().empty() && !table.keptColumns().empty();
}

struct RunStyle
{
    QString face;
    double size = 10;
    bool bold = false;
    bool italic = false;
    bool underline = false;
    QColor colour = Qt::black;
};

struct Embedded
{
    QString relationId;
    QString fileName;
    QByteArray png;
};

class BodyWriter
{
public:
    explicit BodyWriter(const Doc &document) : m_document(document), m_xml(&m_text)
    {
        // Most runs are cells of the main table: its font becomes the document's default,
        // so that those runs need not name it one by one.
        const Doc::Table &table = document.table;
        m_defaultFace = table.fontFace.isEmpty() ? table.grid.font().face : table.fontFace;
        if (m_defaultFace.isEmpty())
            m_defaultFace = FallbackFace;
        m_defaultSize = table.fontSize;
    }

    QString defaultFace() const { return m_defaultFace; }
    double defaultSize() const { return m_defaultSize; }

    QByteArray document();
    QByteArray relationships() const;
    const std::vector<Embedded> &pictures() const { return m_pictures; }

private:
    int textWidth() const;
    void paragraph(const QString &text, Doc::Alignment alignment, const RunStyle &style);
    void emptyParagraph();
    void runs(const QString &text, const RunStyle &style);
    void runProperties(const RunStyle &style);
    // False when the table has nothing to show and was left out.
    bool table(const Doc::Table &table);
    std::vector<int> columnWidths(const Doc::Table &table, const std::vector<int> &kept) const;
    void borders();
    void picture(const Doc::Picture &picture);
    // The run that draws a picture; false (and nothing written) when it cannot be encoded.
    bool drawing(const Doc::Picture &picture);
    void sectionProperties();

    const Doc &m_document;
    // Written into a string, which is twice as fast as through a device, and encoded once.
    QString m_text;
    QXmlStreamWriter m_xml;
    QString m_defaultFace;
    double m_defaultSize = 10;
    std::vector<Embedded> m_pictures;
};

QByteArray BodyWriter::document()
{
    // A string target leaves the encoding out of the declaration: it is written here.
    m_text = QStringLiteral("<?xml version=\"1.0\" encoding=\"UTF-8\" standalone=\"yes\"?>");
    m_xml.writeNamespace(W, QStringLiteral("w"));
    m_xml.writeNamespace(R, QStringLiteral("r"));
    m_xml.writeNamespace(WP, QStringLiteral("wp"));
    m_xml.writeNamespace(A, QStringLiteral("a"));
    m_xml.writeNamespace(PIC, QStringLiteral("pic"));
    m_xml.writeStartElement(QStringLiteral("w:document"));
    m_xml.writeStartElement(QStringLiteral("w:body"));

    if (!m_document.heading.isEmpty()) {
        RunStyle style;
        style.face = m_document.table.fontFace;
        style.size = 14;
        style.bold = true;
        paragraph(m_document.heading, Doc::Alignment::Center, style);
    }
    bool lastWasTable = table(m_document.table);
    for (const Doc::Block &block : m_document.blocks) {
        switch (block.kind) {
        case Doc::Block::Kind::Paragraph: {
            RunStyle style;
            style.size = block.paragraph.fontSize;
            style.bold = block.paragraph.bold;
            paragraph(block.paragraph.text, block.paragraph.alignment, style);
            lastWasTable = false;
            break;
        }
        case Doc::Block::Kind::Table:
            // Two tables that touch become one in Word.
            if (hasCells(block.table) && lastWasTable)
                emptyParagraph();
            lastWasTable = table(block.table) || lastWasTable;
            break;
        case Doc::Block::Kind::Picture:
            picture(block.picture);
            lastWasTable = false;
            break;
        }
    }
    // The body may not end in a table.
    if (lastWasTable)
        emptyParagraph();
    sectionProperties();
    m_xml.writeEndDocument();
    return m_text.toUtf8();
}

QByteArray BodyWriter::relationships() const
{
    QByteArray bytes;
    QXmlStreamWriter xml(&bytes);
    xml.writeStartDocument(QStringLiteral("1.0"), true);
    xml.writeStartElement(QStringLiteral("Relationships"));
    xml.writeDefaultNamespace(
        QStringLiteral("http://schemas.openxmlformats.org/package/2006/relationships"));
    xml.writeStartElement(QStringLiteral("Relationship"));
    xml.writeAttribute(QStringLiteral("Id"), QStringLiteral("rId1"));
    xml.writeAttribute(QStringLiteral("Type"), RelTypes + QStringLiteral("styles"));
    xml.writeAttribute(QStringLiteral("Target"), QStringLiteral("styles.xml"));
    xml.writeEndElement();
    for (const Embedded &picture : m_pictures) {
        xml.writeStartElement(QStringLiteral("Relationship"));
        xml.writeAttribute(QStringLiteral("Id"), picture.relationId);
        xml.writeAttribute(QStringLiteral("Type"), RelTypes + QStringLiteral("image"));
        xml.writeAttribute(QStringLiteral("Target"), QStringLiteral("media/") + picture.fileName);
        xml.writeEndElement();
    }
    xml.writeEndDocument();
    return bytes;
}

int BodyWriter::textWidth() const
{
    const Doc::Margins &margins = m_document.page.margins;
    const int page = m_document.page.orientation == Doc::Orientation::Landscape
                         ? DocxWriter::PageLongSide
                         : DocxWriter::PageShortSide;
    return std::max(page - twips(margins.left) - twips(margins.right), 720);
}

void BodyWriter::paragraph(const QString &text, Doc::Alignment alignment, const RunStyle &style)
{
    m_xml.writeStartElement(QStringLiteral("w:p"));
    m_xml.writeStartElement(QStringLiteral("w:pPr"));
    m_xml.writeEmptyElement(QStringLiteral("w:jc"));
    m_xml.writeAttribute(QStringLiteral("w:val"), jc(alignment));
    // The mark of an empty paragraph sets its height too.
    runProperties(style);
    m_xml.writeEndElement();
    runs(text, style);
    m_xml.writeEndElement();
}

void BodyWriter::emptyParagraph()
{
    m_xml.writeEmptyElement(QStringLiteral("w:p"));
}

void BodyWriter::runs(const QString &text, const RunStyle &style)
{
    if (text.isEmpty())
        return;
    m_xml.writeStartElement(QStringLiteral("w:r"));
    runProperties(style);
    QString lines = text;
    lines.replace(QStringLiteral("\r\n"), QStringLiteral("\n")).replace(QLatin1Char('\r'), '\n');
    const QStringList parts = lines.split(QLatin1Char('\n'));
    for (int i = 0; i < parts.size(); ++i) {
        if (i > 0)
            m_xml.writeEmptyElement(QStringLiteral("w:br"));
        if (parts[i].isEmpty())
            continue;
        m_xml.writeStartElement(QStringLiteral("w:t"));
        m_xml.writeAttribute(QStringLiteral("xml:space"), QStringLiteral("preserve"));
        // The writer drops control characters, which XML cannot hold.
        m_xml.writeCharacters(parts[i]);
        m_xml.writeEndElement();
    }
    m_xml.writeEndElement();
}

void BodyWriter::runProperties(const RunStyle &style)
{
    m_xml.writeStartElement(QStringLiteral("w:rPr"));
    const QString face = style.face.isEmpty() ? FallbackFace : style.face;
    if (face != m_defaultFace) {
        m_xml.writeEmptyElement(QStringLiteral("w:rFonts"));
        m_xml.writeAttribute(QStringLiteral("w:ascii"), face);
        m_xml.writeAttribute(QStringLiteral("w:hAnsi"), face);
        m_xml.writeAttribute(QStringLiteral("w:cs"), face);
    }
    if (style.bold)
        m_xml.writeEmptyElement(QStringLiteral("w:b"));
    if (style.italic)
        m_xml.writeEmptyElement(QStringLiteral("w:i"));
    if (style.colour.isValid() && style.colour != QColor(Qt::black)) {
        m_xml.writeEmptyElement(QStringLiteral("w:color"));
        m_xml.writeAttribute(QStringLiteral("w:val"), hexColour(style.colour));
    }
    if (std::lround(style.size * 2) != std::lround(m_defaultSize * 2)) {
        const QString halfPoints = number(std::lround(style.size * 2));
        m_xml.writeEmptyElement(QStringLiteral("w:sz"));
        m_xml.writeAttribute(QStringLiteral("w:val"), halfPoints);
        m_xml.writeEmptyElement(QStringLiteral("w:szCs"));
        m_xml.writeAttribute(QStringLiteral("w:val"), halfPoints);
    }
    if (style.underline) {
        m_xml.writeEmptyElement(QStringLiteral("w:u"));
        m_xml.writeAttribute(QStringLiteral("w:val"), QStringLiteral("single"));
    }
    m_xml.writeEndElement();
}

std::vector<int> BodyWriter::columnWidths(const Doc::Table &table,
                                          const std::vector<int> &kept) const
{
    // A column the screen shows 0 wide still needs room for its borders.
    std::vector<int> pixels;
    long long total = 0;
    for (const int column : kept) {
        pixels.push_back(std::max(table.grid.columnWidth(column), 4));
        total += pixels.back();
    }
    std::vector<int> widths;
    if (!table.fitToPageWidth) {
        for (const int width : pixels)
            widths.push_back(width * TwipsPerPixel + 2 * CellMarginTwips);
        return widths;
    }
    const int available = textWidth();
    int given = 0;
    for (size_t i = 0; i < pixels.size(); ++i) {
        // The last column takes what rounding left over, so that the sum is the text width.
        const int width =
            i + 1 == pixels.size() ? available - given : int(available * pixels[i] / total);
        widths.push_back(std::max(width, 1));
        given += width;
    }
    return widths;
}

void BodyWriter::borders()
{
    m_xml.writeStartElement(QStringLiteral("w:tblBorders"));
    for (const char *side : {"top", "left", "bottom", "right", "insideH", "insideV"}) {
        m_xml.writeEmptyElement(QStringLiteral("w:") + QLatin1String(side));
        m_xml.writeAttribute(QStringLiteral("w:val"), QStringLiteral("single"));
        m_xml.writeAttribute(QStringLiteral("w:sz"), QStringLiteral("4"));
        m_xml.writeAttribute(QStringLiteral("w:space"), QStringLiteral("0"));
        m_xml.writeAttribute(QStringLiteral("w:color"), QStringLiteral("000000"));
    }
    m_xml.writeEndElement();
}

bool BodyWriter::table(const Doc::Table &table)
{
    if (!hasCells(table))
        return false;
    const std::vector<int> kept = table.keptColumns();
    const std::vector<int> widths = columnWidths(table, kept);
    int totalWidth = 0;
    for (const int width : widths)
        totalWidth += width;

    m_xml.writeStartElement(QStringLiteral("w:tbl"));
    m_xml.writeStartElement(QStringLiteral("w:tblPr"));
    m_xml.writeEmptyElement(QStringLiteral("w:tblW"));
    if (table.fitToPageWidth) {
        m_xml.writeAttribute(QStringLiteral("w:w"), QStringLiteral("5000"));
        m_xml.writeAttribute(QStringLiteral("w:type"), QStringLiteral("pct"));
    } else {
        m_xml.writeAttribute(QStringLiteral("w:w"), number(totalWidth));
        m_xml.writeAttribute(QStringLiteral("w:type"), QStringLiteral("dxa"));
    }
    if (table.placement != Doc::Alignment::Left) {
        m_xml.writeEmptyElement(QStringLiteral("w:jc"));
        m_xml.writeAttribute(QStringLiteral("w:val"), jc(table.placement));
    }
    if (table.borders)
        borders();
    m_xml.writeEmptyElement(QStringLiteral("w:tblLayout"));
    m_xml.writeAttribute(QStringLiteral("w:type"), table.fitToPageWidth ? QStringLiteral("autofit")
                                                                        : QStringLiteral("fixed"));
    m_xml.writeEmptyElement(QStringLiteral("w:tblLook"));
    m_xml.writeAttribute(QStringLiteral("w:val"), QStringLiteral("0000"));
    m_xml.writeEndElement(); // tblPr

    m_xml.writeStartElement(QStringLiteral("w:tblGrid"));
    for (const int width : widths) {
        m_xml.writeEmptyElement(QStringLiteral("w:gridCol"));
        m_xml.writeAttribute(QStringLiteral("w:w"), number(width));
    }
    m_xml.writeEndElement();

    const PrintFont &font = table.grid.font();
    RunStyle base;
    base.face = table.fontFace.isEmpty() ? font.face : table.fontFace;
    base.size = table.fontSize;
    base.bold = font.bold;
    base.italic = font.italic;
    base.underline = font.underline;
    base.colour = font.colour;

    for (const int row : table.keptRows()) {
        m_xml.writeStartElement(QStringLiteral("w:tr"));
        if (const auto height = table.heightOf(row)) {
            m_xml.writeStartElement(QStringLiteral("w:trPr"));
            m_xml.writeEmptyElement(QStringLiteral("w:trHeight"));
            m_xml.writeAttribute(QStringLiteral("w:val"), number(twips(height->points)));
            m_xml.writeAttribute(QStringLiteral("w:hRule"), height->exact
                                                                ? QStringLiteral("exact")
                                                                : QStringLiteral("atLeast"));
            m_xml.writeEndElement();
        }
        for (size_t i = 0; i < kept.size(); ++i) {
            const int column = kept[i];
            const Doc::CellFormat format = table.formatOf(column, row);
            // A spanning cell takes the kept columns it reaches over, and their width.
            const int reach = column + table.spanOf(column, row);
            int width = widths[i];
            size_t last = i;
            while (last + 1 < kept.size() && kept[last + 1] < reach)
                width += widths[++last];
            const size_t spanned = last - i + 1;
            m_xml.writeStartElement(QStringLiteral("w:tc"));
            m_xml.writeStartElement(QStringLiteral("w:tcPr"));
            m_xml.writeEmptyElement(QStringLiteral("w:tcW"));
            m_xml.writeAttribute(QStringLiteral("w:w"), number(width));
            m_xml.writeAttribute(QStringLiteral("w:type"), QStringLiteral("dxa"));
            if (spanned > 1) {
                m_xml.writeEmptyElement(QStringLiteral("w:gridSpan"));
                m_xml.writeAttribute(QStringLiteral("w:val"), number(qint64(spanned)));
            }
            if (format.shading) {
                m_xml.writeEmptyElement(QStringLiteral("w:shd"));
                m_xml.writeAttribute(QStringLiteral("w:val"), QStringLiteral("clear"));
                m_xml.writeAttribute(QStringLiteral("w:color"), QStringLiteral("auto"));
                m_xml.writeAttribute(QStringLiteral("w:fill"), hexColour(*format.shading));
            }
            if (format.turned) {
                m_xml.writeEmptyElement(QStringLiteral("w:textDirection"));
                m_xml.writeAttribute(QStringLiteral("w:val"), QStringLiteral("btLr"));
            }
            m_xml.writeEmptyElement(QStringLiteral("w:vAlign"));
            m_xml.writeAttribute(QStringLiteral("w:val"), QStringLiteral("center"));
            m_xml.writeEndElement(); // tcPr

            RunStyle style = base;
            style.bold = style.bold || format.bold;
            style.underline = style.underline || format.underline;
            style.size = format.fontSize.value_or(base.size);
            const auto picture = table.cellPictures.find({column, row});
            if (picture == table.cellPictures.end()) {
                paragraph(table.grid.cell(column, row), table.alignmentOf(column), style);
            } else {
                m_xml.writeStartElement(QStringLiteral("w:p"));
                m_xml.writeStartElement(QStringLiteral("w:pPr"));
                m_xml.writeEmptyElement(QStringLiteral("w:jc"));
                m_xml.writeAttribute(QStringLiteral("w:val"), jc(table.alignmentOf(column)));
                runProperties(style);
                m_xml.writeEndElement();
                drawing(picture->second);
                runs(table.grid.cell(column, row), style);
                m_xml.writeEndElement();
            }
            m_xml.writeEndElement(); // tc
            i = last;
        }
        m_xml.writeEndElement(); // tr
    }
    m_xml.writeEndElement(); // tbl
    return true;
}

void BodyWriter::picture(const Doc::Picture &picture)
{
    if (picture.image.isNull())
        return;
    m_xml.writeStartElement(QStringLiteral("w:p"));
    m_xml.writeStartElement(QStringLiteral("w:pPr"));
    m_xml.writeEmptyElement(QStringLiteral("w:jc"));
    m_xml.writeAttribute(QStringLiteral("w:val"), jc(picture.alignment));
    m_xml.writeEndElement();
    drawing(picture);
    m_xml.writeEndElement(); // p
}

bool BodyWriter::drawing(const Doc::Picture &picture)
{
    if (picture.image.isNull())
        return false;
    Embedded embedded;
    const int index = int(m_pictures.size()) + 1;
    embedded.relationId = QStringLiteral("rId%1").arg(index + 1);
    embedded.fileName = QStringLiteral("image%1.png").arg(index);
    QBuffer buffer(&embedded.png);
    buffer.open(QIODevice::WriteOnly);
    if (!picture.image.save(&buffer, "PNG"))
        return false;
    m_pictures.push_back(embedded);

    const bool sized = picture.size.width() > 0 && picture.size.height() > 0;
    const qint64 cx = sized ? std::llround(picture.size.width() * EmuPerPoint)
                            : std::llround(picture.image.width() * EmuPerPixel);
    const qint64 cy = sized ? std::llround(picture.size.height() * EmuPerPoint)
                            : std::llround(picture.image.height() * EmuPerPixel);

    m_xml.writeStartElement(QStringLiteral("w:r"));
    m_xml.writeStartElement(QStringLiteral("w:drawing"));
    m_xml.writeStartElement(QStringLiteral("wp:inline"));
    for (const char *distance : {"distT", "distB", "distL", "distR"})
        m_xml.writeAttribute(QString::fromLatin1(distance), QStringLiteral("0"));
    m_xml.writeEmptyElement(QStringLiteral("wp:extent"));
    m_xml.writeAttribute(QStringLiteral("cx"), number(cx));
    m_xml.writeAttribute(QStringLiteral("cy"), number(cy));
    m_xml.writeEmptyElement(QStringLiteral("wp:docPr"));
    m_xml.writeAttribute(QStringLiteral("id"), number(index));
    m_xml.writeAttribute(QStringLiteral("name"), QStringLiteral("Bild %1").arg(index));
    m_xml.writeStartElement(QStringLiteral("wp:cNvGraphicFramePr"));
    m_xml.writeEmptyElement(QStringLiteral("a:graphicFrameLocks"));
    m_xml.writeAttribute(QStringLiteral("noChangeAspect"), QStringLiteral("1"));
    m_xml.writeEndElement();
    m_xml.writeStartElement(QStringLiteral("a:graphic"));
    m_xml.writeStartElement(QStringLiteral("a:graphicData"));
    m_xml.writeAttribute(QStringLiteral("uri"), PIC);
    m_xml.writeStartElement(QStringLiteral("pic:pic"));
    m_xml.writeStartElement(QStringLiteral("pic:nvPicPr"));
    m_xml.writeEmptyElement(QStringLiteral("pic:cNvPr"));
    m_xml.writeAttribute(QStringLiteral("id"), number(index));
    m_xml.writeAttribute(QStringLiteral("name"), embedded.fileName);
    m_xml.writeEmptyElement(QStringLiteral("pic:cNvPicPr"));
    m_xml.writeEndElement();
    m_xml.writeStartElement(QStringLiteral("pic:blipFill"));
    m_xml.writeEmptyElement(QStringLiteral("a:blip"));
    m_xml.writeAttribute(QStringLiteral("r:embed"), embedded.relationId);
    m_xml.writeStartElement(QStringLiteral("a:stretch"));
    m_xml.writeEmptyElement(QStringLiteral("a:fillRect"));
    m_xml.writeEndElement();
    m_xml.writeEndElement(); // blipFill
    m_xml.writeStartElement(QStringLiteral("pic:spPr"));
    m_xml.writeStartElement(QStringLiteral("a:xfrm"));
    m_xml.writeEmptyElement(QStringLiteral("a:off"));
    m_xml.writeAttribute(QStringLiteral("x"), QStringLiteral("0"));
    m_xml.writeAttribute(QStringLiteral("y"), QStringLiteral("0"));
    m_xml.writeEmptyElement(QStringLiteral("a:ext"));
    m_xml.writeAttribute(QStringLiteral("cx"), number(cx));
    m_xml.writeAttribute(QStringLiteral("cy"), number(cy));
    m_xml.writeEndElement(); // xfrm
    m_xml.writeStartElement(QStringLiteral("a:prstGeom"));
    m_xml.writeAttribute(QStringLiteral("prst"), QStringLiteral("rect"));
    m_xml.writeEmptyElement(QStringLiteral("a:avLst"));
    m_xml.writeEndElement();
    m_xml.writeEndElement(); // spPr
    m_xml.writeEndElement(); // pic
    m_xml.writeEndElement(); // graphicData
    m_xml.writeEndElement(); // graphic
    m_xml.writeEndElement(); // inline
    m_xml.writeEndElement(); // drawing
    m_xml.writeEndElement(); // r
    return true;
}

void BodyWriter::sectionProperties()
{
    const bool landscape = m_document.page.orientation == Doc::Orientation::Landscape;
    const Doc::Margins &margins = m_document.page.margins;
    m_xml.writeStartElement(QStringLiteral("w:sectPr"));
    m_xml.writeEmptyElement(QStringLiteral("w:pgSz"));
    m_xml.writeAttribute(QStringLiteral("w:w"),
                         number(landscape ? DocxWriter::PageLongSide : DocxWriter::PageShortSide));
    m_xml.writeAttribute(QStringLiteral("w:h"),
                         number(landscape ? DocxWriter::PageShortSide : DocxWriter::PageLongSide));
    if (landscape)
        m_xml.writeAttribute(QStringLiteral("w:orient"), QStringLiteral("landscape"));
    m_xml.writeEmptyElement(QStringLiteral("w:pgMar"));
    m_xml.writeAttribute(QStringLiteral("w:top"), number(twips(margins.top)));
    m_xml.writeAttribute(QStringLiteral("w:right"), number(twips(margins.right)));
    m_xml.writeAttribute(QStringLiteral("w:bottom"), number(twips(margins.bottom)));
    m_xml.writeAttribute(QStringLiteral("w:left"), number(twips(margins.left)));
    m_xml.writeAttribute(QStringLiteral("w:header"), QStringLiteral("0"));
    m_xml.writeAttribute(QStringLiteral("w:footer"), QStringLiteral("0"));
    m_xml.writeAttribute(QStringLiteral("w:gutter"), QStringLiteral("0"));
    m_xml.writeEndElement();
}

QByteArray styles(const QString &face, double size)
{
    const QByteArray faceBytes = face.toHtmlEscaped().toUtf8();
    const QByteArray halfPoints = QByteArray::number(qlonglong(std::lround(size * 2)));
    // Paragraphs without space around them, as the table cells of the page had none.
    return QByteArrayLiteral(
               "<?xml version=\"1.0\" encoding=\"UTF-8\" standalone=\"yes\"?>\n"
               "<w:styles xmlns:w=\"http://schemas.openxmlformats.org/wordprocessingml/2006/main\">"
               "<w:docDefaults><w:rPrDefault><w:rPr>"
               "<w:rFonts w:ascii=\"") +
           faceBytes + "\" w:hAnsi=\"" + faceBytes + "\" w:cs=\"" + faceBytes + "\" w:eastAsia=\"" +
           faceBytes + "\"/><w:sz w:val=\"" + halfPoints + "\"/><w:szCs w:val=\"" + halfPoints +
           "\"/><w:lang w:val=\"de-DE\"/>" +
           QByteArrayLiteral(
               "</w:rPr></w:rPrDefault>"
               "<w:pPrDefault><w:pPr><w:spacing w:after=\"0\" w:line=\"240\" w:lineRule=\"auto\"/>"
               "</w:pPr></w:pPrDefault></w:docDefaults>"
               "<w:style w:type=\"paragraph\" w:default=\"1\" w:styleId=\"Standard\">"
               "<w:name w:val=\"Normal\"/><w:qFormat/></w:style>"
               "<w:style w:type=\"table\" w:default=\"1\" w:styleId=\"NormaleTabelle\">"
               "<w:name w:val=\"Normal Table\"/><w:uiPriority w:val=\"99\"/><w:semiHidden/>"
               "<w:tblPr><w:tblInd w:w=\"0\" w:type=\"dxa\"/><w:tblCellMar>"
               "<w:top w:w=\"0\" w:type=\"dxa\"/><w:left w:w=\"108\" w:type=\"dxa\"/>"
               "<w:bottom w:w=\"0\" w:type=\"dxa\"/><w:right w:w=\"108\" w:type=\"dxa\"/>"
               "</w:tblCellMar></w:tblPr></w:style>"
               "</w:styles>");
}

QByteArray contentTypes(bool withPictures)
{
    QByteArray types = QByteArrayLiteral(
        "<?xml version=\"1.0\" encoding=\"UTF-8\" standalone=\"yes\"?>\n"
        "<Types xmlns=\"http://schemas.openxmlformats.org/package/2006/content-types\">"
        "<Default Extension=\"rels\" "
        "ContentType=\"application/vnd.openxmlformats-package.relationships+xml\"/>"
        "<Default Extension=\"xml\" ContentType=\"application/xml\"/>");
    if (withPictures)
        types += QByteArrayLiteral("<Default Extension=\"png\" ContentType=\"image/png\"/>");
    types +=
        QByteArrayLiteral("<Override PartName=\"/word/document.xml\" ContentType=\"application/"
                          "vnd.openxmlformats-officedocument.wordprocessingml.document.main+xml\"/>"
                          "<Override PartName=\"/word/styles.xml\" ContentType=\"application/"
                          "vnd.openxmlformats-officedocument.wordprocessingml.styles+xml\"/>"
                          "</Types>");
    return types;
}

QByteArray packageRelationships()
{
    return QByteArrayLiteral(
        "<?xml version=\"1.0\" encoding=\"UTF-8\" standalone=\"yes\"?>\n"
        "<Relationships "
        "xmlns=\"http://schemas.openxmlformats.org/package/2006/relationships\">"
        "<Relationship Id=\"rId1\" Type=\"http://schemas.openxmlformats.org/officeDocument/"
        "2006/relationships/officeDocument\" Target=\"word/document.xml\"/>"
        "</Relationships>");
}

bool addEntry(QuaZip &zip, const QString &name, const QByteArray &bytes)
{
    QuaZipFile file(&zip);
    if (!file.open(QIODevice::WriteOnly, QuaZipNewInfo(name)))
        return false;
    const bool written = file.write(bytes) == bytes.size();
    file.close();
    return written && file.getZipError() == 0;
}

} // namespace

QByteArray DocxWriter::package(const ReportDocument &document)
{
    BodyWriter body(document);
    const QByteArray documentXml = body.document();

    QByteArray bytes;
    QBuffer buffer(&bytes);
    QuaZip zip(&buffer);
    if (!zip.open(QuaZip::mdCreate))
        return {};
    // The content types come first, as Word itself writes them.
    bool ok = addEntry(zip, QStringLiteral("[Content_Types].xml"),
                       contentTypes(!body.pictures().empty())) &&
              addEntry(zip, QStringLiteral("_rels/.rels"), packageRelationships()) &&
              addEntry(zip, QStringLiteral("word/document.xml"), documentXml) &&
              addEntry(zip, QStringLiteral("word/styles.xml"),
                       styles(body.defaultFace(), body.defaultSize())) &&
              addEntry(zip, QStringLiteral("word/_rels/document.xml.rels"), body.relationships());
    for (const Embedded &picture : body.pictures())
        ok = ok && addEntry(zip, QStringLiteral("word/media/") + picture.fileName, picture.png);
    zip.close();
    if (!ok || zip.getZipError() != 0)
        return {};
    return bytes;
}

bool DocxWriter::isHeld(const QString &filePath)
{
    const QFileInfo info(filePath);
    const QString name = info.fileName();
    const QDir folder = info.absoluteDir();
    // Word shortens long names in its owner file by their first one or two letters.
    const QStringList locks = {QStringLiteral("~$") + name, QStringLiteral("~$") + name.mid(1),
                               QStringLiteral("~$") + name.mid(2),
                               QStringLiteral(".~lock.") + name + QLatin1Char('#')};
    for (const QString &lock : locks)
        if (lock.size() > 2 && QFileInfo::exists(folder.filePath(lock)))
            return true;
    return false;
}

bool DocxWriter::fail(const char *message)
{
    m_errorText = QString::fromUtf8(message);
    return false;
}

bool DocxWriter::write(const ReportDocument &document, const QString &filePath)
{
    m_errorText.clear();
    if (isHeld(filePath))
        return fail(InUseMessage);
    const QByteArray bytes = package(document);
    if (bytes.isEmpty())
        return fail(FailedMessage);
    // A file that is there but cannot be replaced is held by some program; anything else
    // means the name or folder cannot take a file.
    const char *refusal = QFileInfo::exists(filePath) ? InUseMessage : FailedMessage;
    QSaveFile file(filePath);
    if (!file.open(QIODevice::WriteOnly))
        return fail(refusal);
    if (file.write(bytes) != bytes.size()) {
        file.cancelWriting();
        file.commit();
        return fail(refusal);
    }
    if (!file.commit())
        return fail(refusal);
    return true;
}
