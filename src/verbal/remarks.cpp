#include "remarks.h"

#include "classdata/classgrid.h"

namespace {
// The lines of an editor's text; an empty text has none.
QStringList linesOf(const QString &text)
{
    return text.isEmpty() ? QStringList() : text.split(u'\n');
}

const QString Indent = QStringLiteral("      ");
} // namespace

namespace Remarks {

QString load(const ClassGrid &grid, int person)
{
    const int row = FirstRow + person;
    QStringList lines;
    for (int k = 0; k < MaxLines; ++k) {
        if (!grid.isEmpty(k, row))
            lines << grid.cell(k, row);
        else if (k + 1 < MaxLines && !grid.isEmpty(k + 1, row))
            lines << QString();
    }
    return lines.join(u'\n');
}

QString store(ClassGrid &grid, int person, const QString &text)
{
    const ClassGrid::UndoStep step(grid,
                                   QStringLiteral("Bemerkungen zu Person %1").arg(person + 1));
    const QStringList lines = linesOf(text).mid(0, MaxLines);
    for (int k = 0; k < MaxLines; ++k)
        grid.setCell(k, FirstRow + person, lines.value(k));
    return lines.join(u'\n');
}

QStringList cells(const ClassGrid &grid, int person)
{
    QStringList out;
    for (int k = 0; k < MaxLines; ++k)
        out << grid.cell(k, FirstRow + person);
    return out;
}

QString storeChanges(ClassGrid &grid, int person, const QString &text, QStringList &before)
{
    // Typing on in the same remarks stays one step.
    const ClassGrid::UndoStep step(grid, QStringLiteral("Bemerkungen zu Person %1").arg(person + 1),
                                   0, FirstRow + person);
    const QStringList lines = linesOf(text).mid(0, MaxLines);
    for (int k = 0; k < MaxLines; ++k) {
        if (lines.value(k) == before.value(k))
            continue;
        grid.setCell(k, FirstRow + person, lines.value(k));
        if (k < before.size())
            before[k] = lines.value(k);
    }
    return lines.join(u'\n');
}

bool hasRemarks(const ClassGrid &grid, int person)
{
    const int row = FirstRow + person;
    return !grid.isEmpty(0, row) && grid.cell(1, row) != QLatin1String(" ");
}

QStringList printLines(const QString &heading, const QString &text)
{
    QStringList out{QStringLiteral("  "), Indent + heading};
    for (const QString &line : linesOf(text))
        out << Indent + line;
    return out;
}

} // namespace Remarks
