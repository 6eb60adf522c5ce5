#include "docxreader.h"

#include "xmlattribute.h"

#include "paragraphjoiner.h"
#include "zipparts.h"

#include <QFileInfo>
#include <QXmlStreamReader>

#include <algorithm>

namespace DocxReader {

namespace {

int number(const QXmlStreamReader &xml)
{
    bool ok = false;
    const int value = XmlAttribute::value(xml, QLatin1String("val")).toInt(&ok);
    // Kept within the grid, so that a claimed span cannot overflow a column count.
    return ok && value > 0 ? std::min(value, int(PreviewGrid::MaxColumns)) : 1;
}

// The cell just started, up to its end: its span and merge marks, and its text.
struct Cell
{
    int span = 1;
    bool continued = false;
    QString text;
};

Cell cell(QXmlStreamReader &xml)
{
    Cell result;
    ParagraphJoiner joiner;
    int depth = 1;
    while (!xml.atEnd() && depth > 0) {
        xml.readNext();
        if (xml.isEndElement()) {
            --depth;
            continue;
        }
        if (!xml.isStartElement())
            continue;
        const QStringView name = xml.name();
        if (depth == 1 && name == QLatin1String("tcPr")) {
            // Only this cell's own properties, not those of a table inside it.
            while (!xml.atEnd()) {
                xml.readNext();
                if (xml.isEndElement() && xml.name() == QLatin1String("tcPr"))
                    break;
                if (!xml.isStartElement())
                    continue;
                if (xml.name() == QLatin1String("gridSpan"))
                    result.span = number(xml);
                else if (xml.name() == QLatin1String("vMerge"))
                    result.continued =
                        XmlAttribute::value(xml, QLatin1String("val")) != QLatin1String("restart");
            }
            continue;
        }
        ++depth;
        if (name == QLatin1String("t")) {
            joiner.append(xml.readElementText(QXmlStreamReader::IncludeChildElements));
            --depth;
        } else if (name == QLatin1String("p") || name == QLatin1String("br") ||
                   name == QLatin1String("cr")) {
            joiner.breakLine();
        } else if (name == QLatin1String("tab")) {
            joiner.append(QStringLiteral(" "));
        }
    }
    result.text = joiner.text(QStringLiteral(" "));
    return result;
}

// The table just started, up to its end.
PreviewGrid table(QXmlStreamReader &xml)
{
    PreviewGrid grid;
    int row = -1;
    int column = 0;
    int depth = 1;
    while (!xml.atEnd() && depth > 0) {
        xml.readNext();
        if (xml.isEndElement()) {
            --depth;
            continue;
        }
        if (!xml.isStartElement())
            continue;
        ++depth;
        const QStringView name = xml.name();
        if (name == QLatin1String("tr")) {
            ++row;
            column = 0;
        } else if (name == QLatin1String("gridBefore")) {
            column = std::min(column + number(xml), int(PreviewGrid::MaxColumns));
        } else if (name == QLatin1String("tc")) {
            const Cell c = cell(xml);
            --depth;
            if (!c.continued)
                grid.setCell(column, row, c.text);
            grid.extend(column + c.span, row + 1);
            column = std::min(column + c.span, int(PreviewGrid::MaxColumns));
        }
    }
    return grid;
}

} // namespace

bool readTables(const QString &path, QList<PreviewGrid> &tables, QString *error)
{
    ZipParts zip;
    QByteArray data;
    if (!zip.open(path, error) || !zip.read(QStringLiteral("word/document.xml"), &data, error))
        return false;
    tables.clear();
    QXmlStreamReader xml(data);
    while (!xml.atEnd()) {
        xml.readNext();
        if (xml.isStartElement() && xml.name() == QLatin1String("tbl"))
            tables.append(table(xml));
    }
    if (xml.hasError()) {
        *error = QStringLiteral("„%1“ ist beschädigt und kann nicht gelesen werden.")
                     .arg(QFileInfo(path).fileName());
        return false;
    }
    return true;
}

} // namespace DocxReader
