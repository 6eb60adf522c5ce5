#pragma once

#include <QString>

class LoadBuffer;
class QFileDevice;

// Reading and writing class files ("*.MWk") through the LoadBuffer.
namespace ClassFile {
// No class comes near this; anything larger is refused before it is read.
constexpr qint64 MaxSize = qint64(64) * 1024 * 1024;

// Reads a file into the buffer. On failure the buffer is empty and the message says why.
// A file that loads but is not whole leaves a notice in buffer.warning().
bool read(const QString &path, LoadBuffer &buffer, QString *errorMessage);

// Writes the buffer's file image. The old file is replaced only once the new one is
// complete, so a failed write never leaves a half-written class file behind.
bool write(const QString &path, const LoadBuffer &buffer, QString *errorMessage);

// The same into a device not yet open (a QSaveFile is committed); path names it in messages.
bool writeTo(QFileDevice &file, const QString &path, const LoadBuffer &buffer,
             QString *errorMessage);
} // namespace ClassFile
