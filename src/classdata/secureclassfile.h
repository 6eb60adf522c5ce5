#pragma once

#include <QByteArray>
#include <QByteArrayView>
#include <QString>

// Encrypted class files: the scrambled file image of a class, encrypted and authenticated
// under a key derived from the password, behind a line of its own that no scrambled class
// file starts with.
//
// Layout after the first line: a header (salt and limits of the key derivation, the length
// of the image, a key check block and the photo key, each encrypted with the derived key,
// the nonce of the image and a hash of everything before it), then the encrypted image.
// The hash tells a damaged header from a wrong password; the length, authenticated with the
// image, tells a file cut short from a damaged one.
namespace SecureClassFile {

constexpr int PhotoKeyBytes = 32;

// Cost of deriving the key from the password. Kept in every file, so it can be raised later
// without breaking older files.
struct Limits
{
    quint64 operations = 0;
    quint64 memory = 0;

    // About a tenth of a second on a laptop.
    static Limits standard();
    // The cheapest allowed: for tests and measurements only.
    static Limits fastest();
};

enum class Result
{
    Ok,
    WrongPassword,
    Damaged,
    Truncated
};

// Sets up the library once; false when it cannot be used (then nothing is encrypted).
bool initialize();

// Whether the bytes begin as an encrypted class file does.
bool isEncrypted(QByteArrayView fileStart);

// A fresh random photo key.
QByteArray newPhotoKey();

// The encrypted file of a class image. Empty only when the library cannot be used.
QByteArray encrypt(QByteArrayView image, const QString &password, const QByteArray &photoKey,
                   const Limits &limits = Limits::standard());

// Decrypts a file made by encrypt(). On success the image and the photo key are set; on
// failure both are left as they were.
Result decrypt(QByteArrayView file, const QString &password, QByteArray *image,
               QByteArray *photoKey);

// The teacher's message for a failed decryption; `shown` names the file.
QString message(Result result, const QString &shown);

} // namespace SecureClassFile
