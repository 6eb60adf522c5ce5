#include "docxreadback.h"

#include "documents/docxwriter.h"
#include "documents/reportdocument.h"

#include <QBuffer>
#include <QDebug>

#include <quazip.h>
#include <quazipfile.h>

namespace DocxReadback {

QStringList Table::texts(int row) const
{
    QStringList result;
    for (const Cell &cell : rows.value(row).cells)
        result << cell.text;
    return result;
}

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
            } else if (name == "tcW" && cell)
                cell->width = at["w"].toInt();
            else if (name == "gridSpan" && cell)
                cell->span = at["val"].toInt();
            else if (name == "shd" && cell)
                cell->fill = at["fill"];
            else if (name == "textDirection" && cell)
                cell->turned = at["val"] == "btLr";
            else if (name == "b" && cell)
                cell->bold = true;
            else if (name == "u" && cell)
                cell->underline = at["val"] == "single";
            else if (name == "sz" && cell && cell->fontSize == 0)
                cell->fontSize = at["val"].toInt() / 2.0;
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

Body read(const std::map<QString, QByteArray> &parts)
{
    auto part = [&parts](const char *name) {
        const auto found = parts.find(QLatin1String(name));
        return found == parts.end() ? QByteArray() : found->second;
    };
    Body body = parse(part("word/document.xml"));
    // A run without a size of its own has the document's default size.
    double defaultSize = 0;
    QXmlStreamReader styles(part("word/styles.xml"));
    bool inDefaults = false;
    while (!styles.atEnd() && defaultSize == 0) {
        styles.readNext();
        if (styles.isStartElement() && styles.name() == QLatin1String("rPrDefault"))
            inDefaults = true;
        else if (inDefaults && styles.isStartElement() && styles.name() == QLatin1String("sz"))
            defaultSize = attributes(styles)["val"].toInt() / 2.0;
    }
    for (Table &table : body.tables)
        for (Row &row : table.rows)
            for (Cell &cell : row.cells)
                if (cell.fontSize == 0)
                    cell.fontSize = defaultSize;
    return body;
}

Body bodyOf(const ReportDocument &document)
{
    return read(unzip(DocxWriter::package(document)));
}

QMap<QString, QString> relationTargets(const std::map<QString, QByteArray> &parts)
{
    QMap<QString, QString> targets;
    const auto found = parts.find("word/_rels/document.xml.rels");
    if (found == parts.end())
        return targets;
    QXmlStreamReader rels(found->second);
    while (!rels.atEnd())
        if (rels.readNext() == QXmlStreamReader::StartElement &&
            rels.name() == QLatin1String("Relationship"))
            targets[attributes(rels)["Id"]] = attributes(rels)["Target"];
    return targets;
}

} // namespace DocxReadback
