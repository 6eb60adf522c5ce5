#pragma once

#include <QString>

class LoadBuffer;

// Reading and writing class files ("*.MWk") through the LoadBuffer.
namespace ClassFile {
// Reads a file into the buffer. On failure the buffer is empty and the message says why.
bool read(const QString &path, LoadBuffer &buffer, QString *errorMessage);

// Writes the buffer's file image. The old file is replaced only once the new one is
// complete, so a failed write never leaves a half-written class file behind.
bool write(const QString &path, const LoadBuffer &buffer, QString *errorMessage);
} // namespace ClassFile
