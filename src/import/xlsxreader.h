#pragma once

#include "previewgrid.h"

#include <QString>

// Reads one worksheet of an .xlsx/.xlsm workbook into a preview grid: the used range plus
// two spare rows.
namespace XlsxReader {
// `sheet` counts from 1 in the workbook's order. False with a German message on failure.
bool read(const QString &path, int sheet, PreviewGrid &grid, QString *error);
} // namespace XlsxReader
