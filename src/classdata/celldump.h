#pragma once

#include <QString>

class ClassGrid;
class QIODevice;
class QTextStream;

// A readable listing of a class: one non-empty cell per line, column-major,
// "column TAB row TAB text", with backslash, TAB, CR and LF written as \\, \t, \r and \n.
namespace CellDump {
// Writes the listing in UTF-8; false when the device takes not all of it.
bool write(const ClassGrid &grid, QIODevice &out);

// Reads such a listing into the grid. On a malformed line, returns false with a German
// message naming the line; the grid may then hold the lines before it.
bool read(QTextStream &in, ClassGrid &grid, QString *errorMessage);

// Parses one line; false when it is not "column TAB row TAB text" inside the grid.
bool parseLine(const QString &line, int *column, int *row, QString *text);
} // namespace CellDump
