#include "evaluationlevels.h"

#include "classdata/classgrid.h"

namespace {
const QString Indent = QStringLiteral("      ");

QStringList linesOf(const QString &text)
{
    return text.isEmpty() ? QStringList() : text.split(u'\n');
}
} // namespace

namespace EvaluationLevels {

bool isStored(const ClassGrid &grid)
{
    for (int c = 0; c < Lines; ++c)
        if (!grid.isEmpty(c, Row))
            return true;
    return false;
}

QString load(const ClassGrid &grid)
{
    QStringList lines;
    for (int c = 0; c < Lines; ++c)
        lines << grid.cell(c, Row);
    // Trailing empty cells would only put the caret far below the text.
    while (!lines.isEmpty() && lines.last().isEmpty())
        lines.removeLast();
    return lines.join(u'\n');
}

void store(ClassGrid &grid, const QString &text)
{
    const QStringList lines = linesOf(text);
    for (int c = 0; c < Lines; ++c)
        grid.setCell(c, Row, lines.value(c));
}

QStringList cells(const ClassGrid &grid)
{
    QStringList out;
    for (int c = 0; c < Lines; ++c)
        out << grid.cell(c, Row);
    return out;
}

void storeChanges(ClassGrid &grid, const QString &text, QStringList &before)
{
    const ClassGrid::UndoStep step(grid, QStringLiteral("Beurteilungsstufen"), 0, Row);
    const QStringList lines = linesOf(text);
    for (int c = 0; c < Lines; ++c) {
        if (lines.value(c) == before.value(c))
            continue;
        grid.setCell(c, Row, lines.value(c));
        if (c < before.size())
            before[c] = lines.value(c);
    }
}

QStringList printLines(const QString &text)
{
    QStringList out{Indent};
    for (const QString &line : linesOf(text))
        out << Indent + line;
    return out;
}

} // namespace EvaluationLevels
