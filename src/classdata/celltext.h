#pragma once

#include <QByteArray>
#include <QByteArrayView>
#include <QString>

// How a cell's text becomes the bytes of one class-file line and back.
// Text is written in Windows-1252, byte for byte; a cell holding a character that
// Windows-1252 cannot represent is written in UTF-8 instead, so no name is lost.
// A line break inside a cell would split the line, so it is written as a blank.
namespace CellText {
QByteArray encode(const QString &text);

// A line is read as UTF-8 when it is valid UTF-8 with a byte of 128 or above,
// otherwise as Windows-1252.
QString decode(QByteArrayView bytes);
void appendDecoded(QString &out, QByteArrayView bytes);
} // namespace CellText
