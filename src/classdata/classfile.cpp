#include "classfile.h"

#include "diskfull.h"
#include "loadbuffer.h"

#include <QCoreApplication>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QSaveFile>

namespace {

QString tr(const char *text)
{
    return QCoreApplication::translate("ClassFile", text);
}

bool fail(QString *errorMessage, const QString &message, LoadBuffer *emptied = nullptr)
{
    if (emptied)
        emptied->clear();
    if (errorMessage)
        *errorMessage = message;
    return false;
}

} // namespace

namespace ClassFile {

bool read(const QString &path, LoadBuffer &buffer, QString *errorMessage)
{
    const QString shown = QDir::toNativeSeparators(path);
    const QString tooLarge = tr("Die Datei \"%1\" ist zu groß für eine Klassendatei "
                                "(höchstens 64 MB) und wird nicht geladen.")
                                 .arg(shown);
    const QString notAFile =
        tr("\"%1\" ist keine gewöhnliche Datei und kann nicht als Klasse geladen werden.")
            .arg(shown);
    // Checked before opening: opening a FIFO waits for a writer, and a device never ends.
    const QFileInfo info(path);
    if (info.exists() && !info.isFile())
        return fail(errorMessage, notAFile, &buffer);
    if (info.size() > MaxSize)
        return fail(errorMessage, tooLarge, &buffer);

    QFile file(path);
    if (!file.open(QIODevice::ReadOnly))
        return fail(
            errorMessage,
            tr("Die Datei \"%1\" kann nicht geöffnet werden:\r%2").arg(shown, file.errorString()),
            &buffer);
    // The path may lead elsewhere by now; the open file is what counts.
    if (file.isSequential())
        return fail(errorMessage, notAFile, &buffer);
    if (file.size() > MaxSize)
        return fail(errorMessage, tooLarge, &buffer);
    QByteArray bytes = file.readAll();
    if (file.error() != QFile::NoError)
        return fail(
            errorMessage,
            tr("Die Datei \"%1\" kann nicht gelesen werden:\r%2").arg(shown, file.errorString()),
            &buffer);
    if (bytes.size() > MaxSize)
        return fail(errorMessage, tooLarge, &buffer);
    if (SecureClassFile::isEncrypted(bytes)) {
        buffer.clear();
        buffer.setSealed(std::move(bytes));
        return true;
    }
    QString reason;
    if (!buffer.parse(std::move(bytes), &reason))
        return fail(errorMessage, tr("\"%1\" kann nicht geladen werden.\r%2").arg(shown, reason));
    return true;
}

SecureClassFile::Result unseal(LoadBuffer &buffer, const QString &password, QByteArray *photoKey,
                               const QString &path, QString *errorMessage)
{
    QByteArray image;
    QByteArray key;
    SecureClassFile::Result result =
        SecureClassFile::decrypt(buffer.sealedBytes(), password, &image, &key);
    if (result == SecureClassFile::Result::Ok) {
        const QByteArray sealed = buffer.sealedBytes();
        if (buffer.parse(std::move(image), nullptr)) {
            if (photoKey)
                *photoKey = key;
            return result;
        }
        // Authentic but not a class: nothing a teacher can mend either.
        buffer.clear();
        buffer.setSealed(sealed);
        result = SecureClassFile::Result::Damaged;
    }
    fail(errorMessage, SecureClassFile::message(result, path));
    return result;
}

bool seal(LoadBuffer &buffer, const QString &password, const QByteArray &photoKey,
          QString *errorMessage, const SecureClassFile::Limits &limits)
{
    QByteArray sealed = SecureClassFile::encrypt(buffer.fileBytes(), password, photoKey, limits);
    if (sealed.isEmpty())
        return fail(errorMessage, tr("Die Klasse kann nicht verschlüsselt werden: Die "
                                     "Verschlüsselung steht auf diesem Rechner nicht bereit."));
    buffer.setSealed(std::move(sealed));
    return true;
}

bool writeTo(QFileDevice &file, const QString &path, const LoadBuffer &buffer,
             QString *errorMessage)
{
    const QByteArray &bytes = buffer.bytesToWrite();
    bool written = file.open(QIODevice::WriteOnly) && file.write(bytes) == bytes.size();
    if (auto *saveFile = qobject_cast<QSaveFile *>(&file))
        written = written && saveFile->commit();
    else
        written = written && file.flush();
    if (written)
        return true;
    if (DiskFull::explains(file))
        return fail(errorMessage,
                    tr("Der Datenträger ist voll. Die Klasse wurde nicht gespeichert. Bitte "
                       "Platz schaffen oder an einem anderen Ort speichern."));
    return fail(errorMessage, tr("Die Klasse konnte nicht in \"%1\" gespeichert werden:\r%2")
                                  .arg(QDir::toNativeSeparators(path), file.errorString()));
}

bool write(const QString &path, const LoadBuffer &buffer, QString *errorMessage)
{
    QSaveFile file(path);
    return writeTo(file, path, buffer, errorMessage);
}

} // namespace ClassFile
