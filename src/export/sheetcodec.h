#pragma once

#include "exportsheet.h"

#include <QByteArray>
#include <QList>

// Sheets as JSON, the way they travel to the workbook writer markwart-xlsx: a cell is a
// string, or a number when it is one.
namespace SheetCodec {

QByteArray encode(const QList<ExportSheet> &sheets);
// False for anything that is not such a list.
bool decode(const QByteArray &json, QList<ExportSheet> *sheets);

} // namespace SheetCodec
