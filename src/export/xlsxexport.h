#pragma once

#include "exportsheet.h"

#include <QList>
#include <QString>

// Writes sheets as an Excel workbook (.xlsx) through the helper program markwart-xlsx, which
// lies beside the program (or where MARKWART_XLSX names it).
namespace XlsxExport {

// Where the helper is; "" when there is none.
QString helperPath();

// Replaces the file only once it is written whole; false with a German message otherwise.
// The sheet names must already suit a workbook.
bool write(const QList<ExportSheet> &sheets, const QString &path, QString *error);

} // namespace XlsxExport
