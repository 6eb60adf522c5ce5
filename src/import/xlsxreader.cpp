#include "xlsxreader.h"

#include "xmlattribute.h"

#include "sheetnumbers.h"
#include "zipparts.h"

#include <QFileInfo>
#include <QHash>
#include <QList>
#include <QXmlStreamReader>

namespace XlsxReader {

namespace {

// The text of an <si> or <is> element: its <t>, or the <t> of every run; phonetic hints
// (<rPh>) are no part of the text.
QString stringItem(QXmlStreamReader &xml)
{
    QString text;
    const QString end = xml.name().toString();
    int phonetic = 0;
    while (!xml.atEnd()) {
        xml.readNext();
        if (xml.isStartElement()) {
            if (xml.name() == QLatin1String("rPh"))
                ++phonetic;
            else if (xml.name() == QLatin1String("t") && phonetic == 0)
                text += xml.readElementText(QXmlStreamReader::IncludeChildElements);
        } else if (xml.isEndElement()) {
            if (xml.name() == QLatin1String("rPh"))
                --phonetic;
            else if (xml.name() == end)
                break;
        }
    }
    return text;
}

QStringList sharedStrings(const QByteArray &data)
{
    QStringList strings;
    QXmlStreamReader xml(data);
    while (!xml.atEnd()) {
        xml.readNext();
        if (xml.isStartElement() && xml.name() == QLatin1String("si"))
            strings.append(stringItem(xml));
    }
    return strings;
}

// For each cell style (the s attribute of a cell), its number format code, or "date".
struct Styles
{
    QList<bool> isDate;
    QStringList code;
};

Styles styles(const QByteArray &data)
{
    Styles result;
    QHash<int, QString> custom;
    QXmlStreamReader xml(data);
    bool inCellXfs = false;
    while (!xml.atEnd()) {
        xml.readNext();
        if (xml.isStartElement()) {
            if (xml.name() == QLatin1String("numFmt")) {
                custom.insert(XmlAttribute::value(xml, QLatin1String("numFmtId")).toInt(),
                              XmlAttribute::value(xml, QLatin1String("formatCode")));
            } else if (xml.name() == QLatin1String("cellXfs")) {
                inCellXfs = true;
            } else if (inCellXfs && xml.name() == QLatin1String("xf")) {
                const int id = XmlAttribute::value(xml, QLatin1String("numFmtId")).toInt();
                const QString code = custom.value(id);
                result.isDate.append(SheetNumbers::isDateFormat(id, code));
                result.code.append(code.isEmpty() && id == 1 ? QStringLiteral("0") : code);
            }
        } else if (xml.isEndElement() && xml.name() == QLatin1String("cellXfs")) {
            inCellXfs = false;
        }
    }
    return result;
}

// "BC12" as column 54, row 11 (0-based); false when it is no cell reference.
bool parseReference(const QString &ref, int *column, int *row)
{
    qsizetype i = 0;
    int c = 0;
    while (i < ref.size() && ref[i].isLetter() && i < 4) {
        c = c * 26 + (ref[i].toUpper().unicode() - 'A' + 1);
        ++i;
    }
    bool ok = false;
    const int r = ref.mid(i).toInt(&ok);
    if (i == 0 || !ok || r < 1)
        return false;
    *column = c - 1;
    *row = r - 1;
    return true;
}

struct Workbook
{
    QString sheetPath;
    bool date1904 = false;
    int sheetCount = 0;
};

// The part of the sheet with the given number, through the workbook's relations.
Workbook workbook(ZipParts &zip, int sheet)
{
    Workbook result;
    QByteArray data;
    QString ignored;
    QString relationId;
    if (zip.read(QStringLiteral("xl/workbook.xml"), &data, &ignored)) {
        QXmlStreamReader xml(data);
        while (!xml.atEnd()) {
            xml.readNext();
            if (!xml.isStartElement())
                continue;
            if (xml.name() == QLatin1String("workbookPr")) {
                const QString flag = XmlAttribute::value(xml, QLatin1String("date1904"));
                result.date1904 = flag == QLatin1String("1") || flag == QLatin1String("true");
            } else if (xml.name() == QLatin1String("sheet")) {
                if (++result.sheetCount == sheet)
                    relationId = XmlAttribute::value(xml, QLatin1String("id"));
            }
        }
    }
    if (!relationId.isEmpty() &&
        zip.read(QStringLiteral("xl/_rels/workbook.xml.rels"), &data, &ignored)) {
        QXmlStreamReader xml(data);
        while (!xml.atEnd()) {
            xml.readNext();
            if (xml.isStartElement() && xml.name() == QLatin1String("Relationship") &&
                XmlAttribute::value(xml, QLatin1String("Id")) == relationId) {
                QString target = XmlAttribute::value(xml, QLatin1String("Target"));
                if (target.startsWith(u'/'))
                    target = target.mid(1);
                else
                    target.prepend(QStringLiteral("xl/"));
                result.sheetPath = target;
            }
        }
    }
    if (result.sheetPath.isEmpty() && result.sheetCount == 0)
        result.sheetPath = QStringLiteral("xl/worksheets/sheet%1.xml").arg(sheet);
    return result;
}

} // namespace

bool read(const QString &path, int sheet, PreviewGrid &grid, QString *error)
{
    ZipParts zip;
    if (!zip.open(path, error))
        return false;
    const Workbook book = workbook(zip, sheet);
    if (book.sheetPath.isEmpty() || !zip.contains(book.sheetPath)) {
        *error = book.sheetCount > 0 && sheet > book.sheetCount
                     ? QStringLiteral("Die Tabelle %1 gibt es nicht; die Arbeitsmappe hat %2.")
                           .arg(sheet)
                           .arg(book.sheetCount)
                     : QStringLiteral("„%1“ ist keine lesbare Excel-Arbeitsmappe.")
                           .arg(QFileInfo(path).fileName());
        return false;
    }
    QByteArray data;
    QStringList strings;
    if (zip.contains(QStringLiteral("xl/sharedStrings.xml"))) {
        if (!zip.read(QStringLiteral("xl/sharedStrings.xml"), &data, error))
            return false;
        strings = sharedStrings(data);
    }
    Styles cellStyles;
    if (zip.contains(QStringLiteral("xl/styles.xml"))) {
        if (!zip.read(QStringLiteral("xl/styles.xml"), &data, error))
            return false;
        cellStyles = styles(data);
    }
    if (!zip.read(book.sheetPath, &data, error))
        return false;

    grid = PreviewGrid();
    int lastColumn = -1;
    int lastRow = -1;
    int row = -1;
    int column = -1;
    QXmlStreamReader xml(data);
    while (!xml.atEnd()) {
        xml.readNext();
        if (!xml.isStartElement())
            continue;
        if (xml.name() == QLatin1String("row")) {
            bool ok = false;
            const int r = XmlAttribute::value(xml, QLatin1String("r")).toInt(&ok);
            // Rows beyond the grid are skipped; held there, counting on cannot overflow.
            row = std::min(ok && r > 0 ? r - 1 : row + 1, int(PreviewGrid::MaxRows));
            column = -1;
            continue;
        }
        if (xml.name() != QLatin1String("c"))
            continue;
        int c = column + 1;
        int r = std::max(row, 0);
        parseReference(XmlAttribute::value(xml, QLatin1String("r")), &c, &r);
        column = c;
        if (c >= PreviewGrid::MaxColumns || r >= PreviewGrid::MaxRows)
            continue;
        const QString type = XmlAttribute::value(xml, QLatin1String("t"));
        const int style = XmlAttribute::value(xml, QLatin1String("s")).toInt();
        QString value;
        bool hasValue = false;
        // The cell's children: <f> (formula, ignored), <v> (value), <is> (inline string).
        while (!xml.atEnd()) {
            xml.readNext();
            if (xml.isEndElement() && xml.name() == QLatin1String("c"))
                break;
            if (!xml.isStartElement())
                continue;
            if (xml.name() == QLatin1String("v")) {
                value = xml.readElementText();
                hasValue = true;
            } else if (xml.name() == QLatin1String("is")) {
                value = stringItem(xml);
                hasValue = true;
            }
        }
        // Excel's last cell counts formatted empty cells as well.
        lastColumn = std::max(lastColumn, c);
        lastRow = std::max(lastRow, r);
        if (!hasValue)
            continue;
        QString text;
        if (type == QLatin1String("s")) {
            text = strings.value(value.toInt());
        } else if (type == QLatin1String("inlineStr") || type == QLatin1String("str") ||
                   type == QLatin1String("e")) {
            text = value;
        } else if (type == QLatin1String("b")) {
            text = value == QLatin1String("1") ? QStringLiteral("WAHR") : QStringLiteral("FALSCH");
        } else if (type == QLatin1String("d")) {
            text = SheetNumbers::isoToGermanDate(value);
        } else {
            bool ok = false;
            const double number = value.toDouble(&ok);
            if (!ok)
                text = value;
            else if (cellStyles.isDate.value(style))
                text = SheetNumbers::serialToGermanDate(number, book.date1904);
            else
                text = SheetNumbers::formatNumber(number, cellStyles.code.value(style));
        }
        grid.setCell(c, r, text);
    }
    if (xml.hasError()) {
        *error = QStringLiteral("„%1“ ist beschädigt und kann nicht gelesen werden.")
                     .arg(QFileInfo(path).fileName());
        return false;
    }
    grid.extend(lastColumn + 1, lastRow + 1 + 2);
    return true;
}

} // namespace XlsxReader
