#pragma once

#include <QString>
#include <QStringList>

class ClassGrid;

// The class's individual evaluation levels: 21 lines in row 1714.
namespace EvaluationLevels {
constexpr int Row = 1714;
constexpr int Lines = 21;

bool isStored(const ClassGrid &grid);
QString load(const ClassGrid &grid);
// Stores lines 0..20 of the text; further lines are not kept.
void store(ClassGrid &grid, const QString &text);
// The 21 stored cells.
QStringList cells(const ClassGrid &grid);
// Stores only the lines that differ from `before` (the cells as the editor took them over),
// so that a line changed elsewhere meanwhile survives; `before` follows.
void storeChanges(ClassGrid &grid, const QString &text, QStringList &before);
QStringList printLines(const QString &text);
} // namespace EvaluationLevels
