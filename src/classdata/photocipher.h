#pragma once

#include <QByteArray>
#include <QByteArrayView>

// Photo files of an encrypted class: the picture's bytes encrypted and authenticated with the
// class's photo key. The photo keys of the classes opened in this run are remembered, so
// that every reader of photos can decrypt them without being handed a key.
namespace PhotoCipher {

QByteArray encrypt(QByteArrayView plain, const QByteArray &key);

// The plain bytes, or an empty array when the key does not fit or the file is damaged.
QByteArray decrypt(QByteArrayView file, const QByteArray &key);
// The same with every remembered key.
QByteArray decrypt(QByteArrayView file);

void rememberKey(const QByteArray &key);

} // namespace PhotoCipher
