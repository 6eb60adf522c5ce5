#include "secureclassfile.h"

#include <QCoreApplication>
#include <QDir>
#include <QtEndian>

#include <sodium.h>

#include <cstring>

namespace SecureClassFile {

namespace {

const QByteArray Magic = QByteArrayLiteral("Markwart verschluesselt 1\r\n");
// Decrypts with the right key only; its plain text is never secret.
const QByteArray CheckText = QByteArrayLiteral("Markwart-Schluss");

constexpr qsizetype SaltBytes = crypto_pwhash_SALTBYTES;
constexpr qsizetype NonceBytes = crypto_aead_xchacha20poly1305_ietf_NPUBBYTES;
constexpr qsizetype TagBytes = crypto_aead_xchacha20poly1305_ietf_ABYTES;
constexpr qsizetype KeyBytes = crypto_aead_xchacha20poly1305_ietf_KEYBYTES;
constexpr qsizetype HashBytes = crypto_generichash_BYTES;

// Offsets from the end of the first line.
constexpr qsizetype SaltAt = 0;
constexpr qsizetype OperationsAt = SaltAt + SaltBytes;
constexpr qsizetype MemoryAt = OperationsAt + 8;
constexpr qsizetype LengthAt = MemoryAt + 8;
constexpr qsizetype CheckNonceAt = LengthAt + 8;
constexpr qsizetype CheckAt = CheckNonceAt + NonceBytes;
constexpr qsizetype KeyNonceAt = CheckAt + 16 + TagBytes;
constexpr qsizetype KeyAt = KeyNonceAt + NonceBytes;
constexpr qsizetype BodyNonceAt = KeyAt + PhotoKeyBytes + TagBytes;
constexpr qsizetype HashAt = BodyNonceAt + NonceBytes;
constexpr qsizetype HeaderBytes = HashAt + HashBytes;

// No class image comes near this; a larger length can only be damage.
constexpr quint64 MaxImageBytes = quint64(64) * 1024 * 1024;
// Higher limits than this would take minutes or more memory than a school laptop has.
constexpr quint64 MaxMemory = quint64(1) << 30;

QString tr(const char *text)
{
    return QCoreApplication::translate("SecureClassFile", text);
}

// The derived key, wiped when it goes.
class DerivedKey
{
public:
    DerivedKey() { sodium_memzero(m_key, sizeof m_key); }
    ~DerivedKey() { sodium_memzero(m_key, sizeof m_key); }
    DerivedKey(const DerivedKey &) = delete;
    DerivedKey &operator=(const DerivedKey &) = delete;

    bool derive(const QString &password, const unsigned char *salt, const Limits &limits)
    {
        const QByteArray utf8 = password.toUtf8();
        return crypto_pwhash(m_key, sizeof m_key, utf8.constData(), quint64(utf8.size()), salt,
                             limits.operations, size_t(limits.memory),
                             crypto_pwhash_ALG_ARGON2ID13) == 0;
    }
    const unsigned char *data() const { return m_key; }

private:
    unsigned char m_key[KeyBytes];
};

unsigned char *bytesAt(QByteArray &bytes, qsizetype at)
{
    return reinterpret_cast<unsigned char *>(bytes.data()) + at;
}

const unsigned char *bytesAt(QByteArrayView bytes, qsizetype at)
{
    return reinterpret_cast<const unsigned char *>(bytes.data()) + at;
}

void seal(QByteArray &out, qsizetype nonceAt, qsizetype at, QByteArrayView plain,
          QByteArrayView associated, const DerivedKey &key)
{
    randombytes_buf(bytesAt(out, nonceAt), size_t(NonceBytes));
    crypto_aead_xchacha20poly1305_ietf_encrypt(
        bytesAt(out, at), nullptr, bytesAt(plain, 0), quint64(plain.size()), bytesAt(associated, 0),
        quint64(associated.size()), nullptr, bytesAt(out, nonceAt), key.data());
}

bool open(QByteArrayView file, qsizetype nonceAt, qsizetype at, qsizetype plainBytes,
          QByteArrayView associated, const DerivedKey &key, unsigned char *plain)
{
    return crypto_aead_xchacha20poly1305_ietf_decrypt(
               plain, nullptr, nullptr, bytesAt(file, at), quint64(plainBytes + TagBytes),
               bytesAt(associated, 0), quint64(associated.size()), bytesAt(file, nonceAt),
               key.data()) == 0;
}

} // namespace

Limits Limits::standard()
{
    return {crypto_pwhash_OPSLIMIT_INTERACTIVE, crypto_pwhash_MEMLIMIT_INTERACTIVE};
}

Limits Limits::fastest()
{
    return {crypto_pwhash_OPSLIMIT_MIN, crypto_pwhash_MEMLIMIT_MIN};
}

bool initialize()
{
    static const bool ready = sodium_init() >= 0;
    return ready;
}

bool isEncrypted(QByteArrayView fileStart)
{
    return fileStart.startsWith(Magic);
}

QByteArray newPhotoKey()
{
    if (!initialize())
        return QByteArray();
    QByteArray key(PhotoKeyBytes, Qt::Uninitialized);
    randombytes_buf(key.data(), size_t(key.size()));
    return key;
}

QByteArray encrypt(QByteArrayView image, const QString &password, const QByteArray &photoKey,
                   const Limits &limits)
{
    if (!initialize() || photoKey.size() != PhotoKeyBytes)
        return QByteArray();
    const qsizetype start = Magic.size();
    QByteArray out(start + HeaderBytes + image.size() + TagBytes, Qt::Uninitialized);
    std::memcpy(out.data(), Magic.constData(), size_t(start));
    unsigned char *header = bytesAt(out, start);
    randombytes_buf(header + SaltAt, size_t(SaltBytes));
    qToLittleEndian<quint64>(limits.operations, header + OperationsAt);
    qToLittleEndian<quint64>(limits.memory, header + MemoryAt);
    qToLittleEndian<quint64>(quint64(image.size()), header + LengthAt);

    DerivedKey key;
    if (!key.derive(password, header + SaltAt, limits))
        return QByteArray();
    // The check block and the photo key are bound to the salt, the limits and the length.
    const QByteArray settings = out.left(start + CheckNonceAt);
    seal(out, start + CheckNonceAt, start + CheckAt, CheckText, settings, key);
    seal(out, start + KeyNonceAt, start + KeyAt, photoKey, settings, key);

    randombytes_buf(header + BodyNonceAt, size_t(NonceBytes));
    const QByteArray wholeHeader = out.left(start + HashAt);
    crypto_aead_xchacha20poly1305_ietf_encrypt(bytesAt(out, start + HeaderBytes), nullptr,
                                               bytesAt(image, 0), quint64(image.size()),
                                               bytesAt(wholeHeader, 0), quint64(wholeHeader.size()),
                                               nullptr, header + BodyNonceAt, key.data());
    crypto_generichash(header + HashAt, size_t(HashBytes), bytesAt(wholeHeader, 0),
                       quint64(wholeHeader.size()), nullptr, 0);
    return out;
}

Result decrypt(QByteArrayView file, const QString &password, QByteArray *image,
               QByteArray *photoKey)
{
    if (!initialize() || !isEncrypted(file))
        return Result::Damaged;
    const qsizetype start = Magic.size();
    if (file.size() < start + HeaderBytes)
        return Result::Truncated;

    unsigned char hash[HashBytes];
    crypto_generichash(hash, sizeof hash, bytesAt(file, 0), quint64(start + HashAt), nullptr, 0);
    if (sodium_memcmp(hash, bytesAt(file, start + HashAt), sizeof hash) != 0)
        return Result::Damaged;

    const unsigned char *header = bytesAt(file, start);
    Limits limits;
    limits.operations = qFromLittleEndian<quint64>(header + OperationsAt);
    limits.memory = qFromLittleEndian<quint64>(header + MemoryAt);
    const quint64 length = qFromLittleEndian<quint64>(header + LengthAt);
    if (limits.operations < crypto_pwhash_OPSLIMIT_MIN ||
        limits.operations > crypto_pwhash_OPSLIMIT_SENSITIVE * 4 ||
        limits.memory < crypto_pwhash_MEMLIMIT_MIN || limits.memory > MaxMemory ||
        length > MaxImageBytes)
        return Result::Damaged;

    DerivedKey key;
    if (!key.derive(password, header + SaltAt, limits))
        return Result::Damaged;
    const QByteArrayView settings = file.first(start + CheckNonceAt);
    unsigned char check[16];
    if (!open(file, start + CheckNonceAt, start + CheckAt, sizeof check, settings, key, check))
        return Result::WrongPassword;

    const qsizetype expected = start + HeaderBytes + qsizetype(length) + TagBytes;
    if (file.size() < expected)
        return Result::Truncated;
    if (file.size() > expected)
        return Result::Damaged;

    QByteArray key32(PhotoKeyBytes, Qt::Uninitialized);
    if (!open(file, start + KeyNonceAt, start + KeyAt, PhotoKeyBytes, settings, key,
              bytesAt(key32, 0)))
        return Result::Damaged;
    QByteArray plain(qsizetype(length), Qt::Uninitialized);
    if (!open(file, start + BodyNonceAt, start + HeaderBytes, qsizetype(length),
              file.first(start + HashAt), key, bytesAt(plain, 0)))
        return Result::Damaged;
    *image = std::move(plain);
    *photoKey = std::move(key32);
    return Result::Ok;
}

QString message(Result result, const QString &shown)
{
    switch (result) {
    case Result::Ok:
        return QString();
    case Result::WrongPassword:
        return tr("Das Passwort ist falsch!");
    case Result::Truncated:
        return tr("Die verschlüsselte Klassendatei \"%1\" ist unvollständig: Sie endet zu früh "
                  "und kann nicht geladen werden. Die geöffnete Klasse bleibt, wie sie ist.")
            .arg(QDir::toNativeSeparators(shown));
    case Result::Damaged:
        break;
    }
    return tr("Die verschlüsselte Klassendatei \"%1\" ist beschädigt und kann nicht geladen "
              "werden. Die geöffnete Klasse bleibt, wie sie ist.")
        .arg(QDir::toNativeSeparators(shown));
}

} // namespace SecureClassFile
