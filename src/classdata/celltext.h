#pragma once

#include <QByteArray>
#include <QByteArrayView>
#include <QString>
#include <QStringView>

// How a cell's text becomes the bytes of one class-file line and back.
//
// Class files of other programs hold Windows-1252, where "ß“" (DF 93) also happens to be
// valid UTF-8 for a letter nobody writes in a gradebook. So a line reads as
// - UTF-8 after the marker EF BB BF, which is not part of the text;
// - UTF-8 when it is valid UTF-8 with a byte of 128 or above and the text holds no C1
//   control (U+0080..U+009F) and nothing from U+0700..U+07FF;
// - Windows-1252 otherwise.
// The writer picks the first form that reads back unchanged: Windows-1252, UTF-8, marker
// and UTF-8. A line break inside a cell would split the line, so it is written as a blank.
namespace CellText {
QByteArray encode(QStringView text);
void appendEncoded(QByteArray &out, QStringView text);

QString decode(QByteArrayView bytes);
// Decodes into room for bytes.size() UTF-16 units (never more are needed); returns the
// number written.
qsizetype decodeTo(QByteArrayView bytes, char16_t *out);
} // namespace CellText
