#pragma once

#include "previewgrid.h"

#include <QList>
#include <QString>

// Reads the tables of OpenDocument files: a sheet of an .ods spreadsheet (repeated rows and
// columns expanded, covered cells empty, two spare rows), or every table of an .odt text.
namespace OdfReader {
// `sheet` counts from 1. False with a German message on failure.
bool readSheet(const QString &path, int sheet, PreviewGrid &grid, QString *error);
// Every table of the text, in document order; tables inside a cell count as its text.
bool readTables(const QString &path, QList<PreviewGrid> &tables, QString *error);
} // namespace OdfReader
