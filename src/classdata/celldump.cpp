#include "celldump.h"

#include "classgrid.h"

#include <QCoreApplication>
#include <QTextStream>

namespace CellDump {

QString escape(const QString &text)
{
    QString out;
    out.reserve(text.size());
    for (QChar c : text) {
        switch (c.unicode()) {
        case '\\':
            out += QLatin1String("\\\\");
            break;
        case '\t':
            out += QLatin1String("\\t");
            break;
        case '\r':
            out += QLatin1String("\\r");
            break;
        case '\n':
            out += QLatin1String("\\n");
            break;
        default:
            out += c;
        }
    }
    return out;
}

static bool unescape(QStringView text, QString *out)
{
    out->clear();
    for (qsizetype i = 0; i < text.size(); ++i) {
        const QChar c = text[i];
        if (c != QLatin1Char('\\')) {
            out->append(c);
            continue;
        }
        if (++i == text.size())
            return false;
        switch (text[i].unicode()) {
        case '\\':
            out->append(QLatin1Char('\\'));
            break;
        case 't':
            out->append(QLatin1Char('\t'));
            break;
        case 'r':
            out->append(QLatin1Char('\r'));
            break;
        case 'n':
            out->append(QLatin1Char('\n'));
            break;
        default:
            return false;
        }
    }
    return true;
}

void write(const ClassGrid &grid, QTextStream &out)
{
    for (int column = 0; column < ClassGrid::Columns; ++column)
        for (int row = 0; row < ClassGrid::Rows; ++row)
            if (!grid.isEmpty(column, row))
                out << column << '\t' << row << '\t' << escape(grid.cell(column, row)) << '\n';
}

bool parseLine(const QString &line, int *column, int *row, QString *text)
{
    const qsizetype first = line.indexOf(QLatin1Char('\t'));
    const qsizetype second = first < 0 ? -1 : line.indexOf(QLatin1Char('\t'), first + 1);
    if (second < 0)
        return false;
    bool okColumn = false, okRow = false;
    *column = QStringView(line).left(first).toInt(&okColumn);
    *row = QStringView(line).mid(first + 1, second - first - 1).toInt(&okRow);
    if (!okColumn || !okRow || !ClassGrid::contains(*column, *row))
        return false;
    return unescape(QStringView(line).mid(second + 1), text);
}

bool read(QTextStream &in, ClassGrid &grid, QString *errorMessage)
{
    int lineNumber = 0;
    QString line, text;
    while (in.readLineInto(&line)) {
        ++lineNumber;
        if (line.endsWith(QLatin1Char('\r')))
            line.chop(1);
        if (line.isEmpty())
            continue;
        int column = 0, row = 0;
        if (!parseLine(line, &column, &row, &text)) {
            if (errorMessage)
                *errorMessage = QCoreApplication::translate(
                                    "CellDump", "Zeile %1 ist keine Zelle (Spalte TAB Zeile TAB "
                                                "Text, Spalte 0..169, Zeile 0..1715): %2")
                                    .arg(lineNumber)
                                    .arg(line.left(80));
            return false;
        }
        grid.setCell(column, row, text);
    }
    return true;
}

} // namespace CellDump
