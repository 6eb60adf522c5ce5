#pragma once

#include "previewgrid.h"

#include <QList>
#include <QString>

// Reads every table of a .docx/.docm document. A merged cell's text stands in its first
// cell, the cells it covers stay empty.
namespace DocxReader {
// In document order; tables inside a cell count as its text. False with a German message.
bool readTables(const QString &path, QList<PreviewGrid> &tables, QString *error);
} // namespace DocxReader
