#pragma once

#include <QString>
#include <QStringList>

class ClassGrid;

// Free remarks per person, one text line per cell of row 620 + person (151 lines at most).
namespace Remarks {
constexpr int FirstRow = 620;
constexpr int MaxLines = 151;

// The stored lines as the editor shows them: one empty line between paragraphs survives,
// trailing and doubled empty lines are dropped.
QString load(const ClassGrid &grid, int person);
// Stores the text line by line; lines after the 151st are cut. Returns the text as stored.
QString store(ClassGrid &grid, int person, const QString &text);
// The stored cells of a person, one per line.
QStringList cells(const ClassGrid &grid, int person);
// Stores only the lines that differ from `before` (the cells as the editor took them over),
// so that a line changed elsewhere meanwhile survives; `before` follows. Returns the text
// as stored.
QString storeChanges(ClassGrid &grid, int person, const QString &text, QStringList &before);
// Whether the "Bemerkungen" caption is bold: a first line, and a second that is not " ".
bool hasRemarks(const ClassGrid &grid, int person);
// The lines a printout of the remarks shows.
QStringList printLines(const QString &heading, const QString &text);
} // namespace Remarks
