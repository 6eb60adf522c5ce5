#include "odfreader.h"

#include "xmlattribute.h"

#include "paragraphjoiner.h"
#include "sheetnumbers.h"
#include "zipparts.h"

#include <QFileInfo>
#include <QXmlStreamReader>

#include <algorithm>

namespace OdfReader {

namespace {

int repeat(const QXmlStreamReader &xml, QLatin1StringView name)
{
    bool ok = false;
    const int count = XmlAttribute::value(xml, name).toInt(&ok);
    return ok && count > 0 ? count : 1;
}

// The text of the element just started, up to its end: paragraphs, line breaks, spaces;
// comments and notes left out.
QString elementText(QXmlStreamReader &xml, const QString &separator)
{
    ParagraphJoiner joiner;
    int depth = 1;
    while (!xml.atEnd() && depth > 0) {
        xml.readNext();
        if (xml.isStartElement()) {
            const QStringView name = xml.name();
            if (name == QLatin1String("annotation") || name == QLatin1String("note")) {
                xml.skipCurrentElement();
                continue;
            }
            ++depth;
            if (name == QLatin1String("p") || name == QLatin1String("h") ||
                name == QLatin1String("line-break"))
                joiner.breakLine();
            else if (name == QLatin1String("s"))
                // A run of blanks, kept short whatever the file claims.
                joiner.append(QString(std::min(repeat(xml, QLatin1String("c")), 100), u' '));
            else if (name == QLatin1String("tab"))
                joiner.append(QStringLiteral(" "));
        } else if (xml.isEndElement()) {
            --depth;
        } else if (xml.isCharacters()) {
            joiner.append(xml.text().toString());
        }
    }
    return joiner.text(separator);
}

QString sheetValue(const QXmlStreamAttributes &xml, const QString &shown)
{
    const QString type = XmlAttribute::value(xml, QLatin1String("value-type"));
    if (type == QLatin1String("date"))
        return SheetNumbers::isoToGermanDate(XmlAttribute::value(xml, QLatin1String("date-value")));
    // Percentages and amounts only make sense as shown.
    if (type == QLatin1String("float")) {
        // Digits as shown keep the leading zeros that the cell's format gives them.
        bool digits = !shown.isEmpty();
        for (const QChar c : shown)
            digits = digits && c.isDigit();
        bool ok = false;
        const double value = XmlAttribute::value(xml, QLatin1String("value")).toDouble(&ok);
        if (digits || !ok)
            return shown;
        return SheetNumbers::formatNumber(value);
    }
    return shown;
}

// How many cells repeats may add to the grids of one file: a grid's worth. Each table is cut
// at the grid's limits, but a text may hold any number of tables.
constexpr qint64 RepeatBudget = qint64(PreviewGrid::MaxRows) * PreviewGrid::MaxColumns;

// The table just started, up to its end. Repeated rows use up `budget`; once it is spent,
// a row is kept once however often it claims to repeat.
PreviewGrid table(QXmlStreamReader &xml, bool sheet, qint64 &budget)
{
    const QString separator = sheet ? QStringLiteral("\n") : QStringLiteral(" ");
    PreviewGrid grid;
    int row = 0;
    int lastRow = -1;
    int lastColumn = -1;
    int rowRepeat = 1;
    int column = 0;
    QList<QPair<int, QString>> cells;
    while (!xml.atEnd()) {
        xml.readNext();
        if (xml.isEndElement()) {
            if (xml.name() == QLatin1String("table"))
                break;
            if (xml.name() != QLatin1String("table-row"))
                continue;
            // A row with content is repeated as often as it says; empty ones only count.
            if (!cells.isEmpty()) {
                for (int k = 0; k < rowRepeat && row + k < PreviewGrid::MaxRows; ++k) {
                    if (k > 0) {
                        if (budget < cells.size())
                            break;
                        budget -= cells.size();
                    }
                    for (const auto &cell : cells)
                        grid.setCell(cell.first, row + k, cell.second);
                    lastRow = row + k;
                }
            }
            row = int(std::min<qint64>(qint64(row) + rowRepeat, PreviewGrid::MaxRows));
            continue;
        }
        if (!xml.isStartElement())
            continue;
        if (xml.name() == QLatin1String("table-row")) {
            rowRepeat = repeat(xml, QLatin1String("number-rows-repeated"));
            column = 0;
            cells.clear();
        } else if (xml.name() == QLatin1String("table-cell") ||
                   xml.name() == QLatin1String("covered-table-cell")) {
            const bool covered = xml.name() == QLatin1String("covered-table-cell");
            const int count = repeat(xml, QLatin1String("number-columns-repeated"));
            const QXmlStreamAttributes attributes = xml.attributes();
            QString text = elementText(xml, separator);
            if (covered) {
                text.clear();
            } else if (sheet) {
                text = sheetValue(attributes, text);
            }
            if (!text.isEmpty()) {
                for (int k = 0; k < count && column + k < PreviewGrid::MaxColumns; ++k) {
                    cells.append({column + k, text});
                    lastColumn = std::max(lastColumn, column + k);
                }
            }
            column = int(std::min<qint64>(qint64(column) + count, PreviewGrid::MaxColumns));
        }
    }
    grid.extend(lastColumn + 1, lastRow + 1 + (sheet ? 2 : 0));
    return grid;
}

bool content(const QString &path, QByteArray *data, QString *error)
{
    ZipParts zip;
    return zip.open(path, error) && zip.read(QStringLiteral("content.xml"), data, error);
}

QString damaged(const QString &path)
{
    return QStringLiteral("„%1“ ist beschädigt und kann nicht gelesen werden.")
        .arg(QFileInfo(path).fileName());
}

} // namespace

bool readSheet(const QString &path, int sheet, PreviewGrid &grid, QString *error)
{
    QByteArray data;
    if (!content(path, &data, error))
        return false;
    QXmlStreamReader xml(data);
    qint64 budget = RepeatBudget;
    int count = 0;
    while (!xml.atEnd()) {
        xml.readNext();
        if (xml.isStartElement() && xml.name() == QLatin1String("table") && ++count == sheet) {
            grid = table(xml, true, budget);
            if (xml.hasError()) {
                *error = damaged(path);
                return false;
            }
            return true;
        }
    }
    *error = xml.hasError() ? damaged(path)
                            : QStringLiteral("Die Tabelle %1 gibt es nicht; die Datei hat %2.")
                                  .arg(sheet)
                                  .arg(count);
    return false;
}

bool readTables(const QString &path, QList<PreviewGrid> &tables, QString *error)
{
    QByteArray data;
    if (!content(path, &data, error))
        return false;
    tables.clear();
    QXmlStreamReader xml(data);
    qint64 budget = RepeatBudget;
    while (!xml.atEnd()) {
        xml.readNext();
        if (xml.isStartElement() && xml.name() == QLatin1String("table"))
            tables.append(table(xml, false, budget));
    }
    if (xml.hasError()) {
        *error = damaged(path);
        return false;
    }
    return true;
}

} // namespace OdfReader
