#pragma once

#include "secureclassfile.h"

#include <QString>

class LoadBuffer;
class QFileDevice;

// Reading and writing class files ("*.MWk") through the LoadBuffer.
namespace ClassFile {
// No class comes near this; anything larger is refused before it is read.
constexpr qint64 MaxSize = qint64(64) * 1024 * 1024;

// Reads a file into the buffer. On failure the buffer is empty and the message says why.
// A file that loads but is not whole leaves a notice in buffer.warning(). An encrypted file
// stays sealed in the buffer until unseal() opens it.
bool read(const QString &path, LoadBuffer &buffer, QString *errorMessage);

// Decrypts a sealed buffer with the password and parses the image as read() would. On
// failure the buffer stays sealed (another password may be tried) and the message says why.
SecureClassFile::Result unseal(LoadBuffer &buffer, const QString &password, QByteArray *photoKey,
                               const QString &path, QString *errorMessage);

// Encrypts the buffer's image, so that writing it writes an encrypted class file.
bool seal(LoadBuffer &buffer, const QString &password, const QByteArray &photoKey,
          QString *errorMessage,
          const SecureClassFile::Limits &limits = SecureClassFile::Limits::standard());

// Writes the buffer's file image (the encrypted one when the buffer is sealed). The old file is
// replaced only once the new one is complete, so a failed write never leaves a half-written class
// file behind.
bool write(const QString &path, const LoadBuffer &buffer, QString *errorMessage);

// The same into a device not yet open (a QSaveFile is committed); path names it in messages.
bool writeTo(QFileDevice &file, const QString &path, const LoadBuffer &buffer,
             QString *errorMessage);
} // namespace ClassFile
