#pragma once

#include "exportsheet.h"

#include <QList>
#include <QString>

// Writes sheets as an Excel workbook through libxlsxwriter: headings in bold, the heading row
// and the first two columns frozen, numbers as numbers. Only the helper program markwart-xlsx
// links it: libxlsxwriter's zip library and the one of the class-list readers export the same
// symbol names, and one process can hold only one of them.
namespace XlsxBookWriter {

// The sheet names must already suit a workbook. False with the library's reason otherwise.
bool write(const QList<ExportSheet> &sheets, const QString &path, QString *error);

} // namespace XlsxBookWriter
