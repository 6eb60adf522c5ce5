#include "photocipher.h"

#include "secureclassfile.h"

#include <QList>
#include <QMutex>

#include <sodium.h>

#include <cstring>

namespace PhotoCipher {

namespace {

const QByteArray Magic = QByteArrayLiteral("MWP1");
constexpr qsizetype NonceBytes = crypto_aead_xchacha20poly1305_ietf_NPUBBYTES;
constexpr qsizetype TagBytes = crypto_aead_xchacha20poly1305_ietf_ABYTES;

QMutex keysMutex;
QList<QByteArray> &keys()
{
    static QList<QByteArray> remembered;
    return remembered;
}

const unsigned char *bytes(QByteArrayView view)
{
    return reinterpret_cast<const unsigned char *>(view.data());
}

} // namespace

QByteArray encrypt(QByteArrayView plain, const QByteArray &key)
{
    if (!SecureClassFile::initialize() || key.size() != crypto_aead_xchacha20poly1305_ietf_KEYBYTES)
        return QByteArray();
    QByteArray out(Magic.size() + NonceBytes + plain.size() + TagBytes, Qt::Uninitialized);
    auto *data = reinterpret_cast<unsigned char *>(out.data());
    std::memcpy(data, Magic.constData(), size_t(Magic.size()));
    unsigned char *nonce = data + Magic.size();
    randombytes_buf(nonce, size_t(NonceBytes));
    crypto_aead_xchacha20poly1305_ietf_encrypt(nonce + NonceBytes, nullptr, bytes(plain),
                                               quint64(plain.size()), bytes(Magic),
                                               quint64(Magic.size()), nullptr, nonce, bytes(key));
    return out;
}

QByteArray decrypt(QByteArrayView file, const QByteArray &key)
{
    const qsizetype header = Magic.size() + NonceBytes;
    if (!SecureClassFile::initialize() ||
        key.size() != crypto_aead_xchacha20poly1305_ietf_KEYBYTES ||
        file.size() < header + TagBytes || !file.startsWith(Magic))
        return QByteArray();
    QByteArray plain(file.size() - header - TagBytes, Qt::Uninitialized);
    if (crypto_aead_xchacha20poly1305_ietf_decrypt(
            reinterpret_cast<unsigned char *>(plain.data()), nullptr, nullptr, bytes(file) + header,
            quint64(file.size() - header), bytes(Magic), quint64(Magic.size()),
            bytes(file) + Magic.size(), bytes(key)) != 0)
        return QByteArray();
    return plain;
}

QByteArray decrypt(QByteArrayView file)
{
    QList<QByteArray> known;
    {
        const QMutexLocker lock(&keysMutex);
        known = keys();
    }
    // The newest key first: it is the open class's.
    for (auto key = known.crbegin(); key != known.crend(); ++key) {
        QByteArray plain = decrypt(file, *key);
        if (!plain.isEmpty())
            return plain;
    }
    return QByteArray();
}

void rememberKey(const QByteArray &key)
{
    if (key.isEmpty())
        return;
    const QMutexLocker lock(&keysMutex);
    keys().removeAll(key);
    keys().append(key);
}

} // namespace PhotoCipher
