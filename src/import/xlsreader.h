#pragma once

#include "previewgrid.h"

#include <QString>

// Reads one worksheet of an Excel 97-2003 workbook (.xls) into a preview grid, with two
// spare rows after it.
namespace XlsReader {
// `sheet` counts from 1. False with a German message on failure.
bool read(const QString &path, int sheet, PreviewGrid &grid, QString *error);
} // namespace XlsReader
