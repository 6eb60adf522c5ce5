#pragma once

#include "exportsheet.h"

#include <QByteArray>
#include <QString>

// A table as Excel and LibreOffice open it with a double-click in a German setting: UTF-8
// with a byte-order mark, fields separated by semicolons, rows ended by CR LF.
namespace CsvExport {

QByteArray bytes(const ExportSheet &table);
// Replaces the file only once it is written whole; false with a German message otherwise.
bool write(const ExportSheet &table, const QString &path, QString *error);

} // namespace CsvExport
