#include "classdata/secureclassfile.h"

#include <QByteArray>
#include <QString>

#include <cstddef>
#include <cstdint>

// The encrypted class file as loading takes it. An input that begins like an encrypted file is
// decrypted as it is. Any other input is a damage done to one valid file: pairs of a position
// (two bytes) and a byte to put there, and a first byte that may cut the file short. A mutated
// file rarely keeps a valid header; this way the fuzzer also reaches the key check and the
// content behind it, with the cheapest key derivation.
extern "C" int LLVMFuzzerTestOneInput(const uint8_t *data, size_t size)
{
    static const QString password = QStringLiteral("geheim");
    static const QByteArray valid =
        SecureClassFile::encrypt(QByteArray("Name\r\nMüller, Jonas\r\n7b\r\n"), password,
                                 QByteArray(32, 'k'), SecureClassFile::Limits::fastest());
    if (valid.isEmpty())
        qFatal("The library cannot be used");

    const QByteArray input(reinterpret_cast<const char *>(data), qsizetype(size));
    QByteArray file = input;
    if (!SecureClassFile::isEncrypted(input)) {
        file = valid;
        if (size > 0 && data[0] < valid.size() && (data[0] & 1))
            file.truncate(data[0]);
        for (size_t i = 1; i + 2 < size; i += 3) {
            const int at = (data[i] << 8 | data[i + 1]) % (file.size() + 1);
            if (at < file.size())
                file[at] = char(data[i + 2]);
        }
    }

    QByteArray image;
    QByteArray photoKey;
    const SecureClassFile::Result result =
        SecureClassFile::decrypt(file, password, &image, &photoKey);
    if (result == SecureClassFile::Result::Ok && photoKey.size() != SecureClassFile::PhotoKeyBytes)
        qFatal("An opened file must give its photo key");
    if (result != SecureClassFile::Result::Ok && (!image.isEmpty() || !photoKey.isEmpty()))
        qFatal("A refused file must leave image and key alone");
    if (SecureClassFile::message(result, QStringLiteral("x.MWk")).isEmpty() &&
        result != SecureClassFile::Result::Ok)
        qFatal("A refused file must say why");
    return 0;
}
