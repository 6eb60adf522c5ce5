#pragma once

#include "previewgrid.h"

#include <QByteArray>
#include <QString>

// Reads a text list (.csv, .txt): separator semicolon, comma or tab, whichever the first
// line uses most; fields in double quotes may hold separators and line breaks. UTF-8 with or
// without byte-order mark, else Windows-1252.
namespace CsvReader {
QString decode(const QByteArray &data);
PreviewGrid parse(const QString &text);
} // namespace CsvReader
