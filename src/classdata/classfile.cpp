#include "classfile.h"

#include "loadbuffer.h"

#include <QCoreApplication>
#include <QDir>
#include <QFile>
#include <QSaveFile>

namespace {

QString tr(const char *text)
{
    return QCoreApplication::translate("ClassFile", text);
}

} // namespace

namespace ClassFile {

bool read(const QString &path, LoadBuffer &buffer, QString *errorMessage)
{
    buffer.clear();
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly)) {
        if (errorMessage)
            *errorMessage = tr("Die Datei \"%1\" kann nicht geöffnet werden:\r%2")
                                .arg(QDir::toNativeSeparators(path), file.errorString());
        return false;
    }
    QByteArray bytes = file.readAll();
    if (file.error() != QFile::NoError) {
        if (errorMessage)
            *errorMessage = tr("Die Datei \"%1\" kann nicht gelesen werden:\r%2")
                                .arg(QDir::toNativeSeparators(path), file.errorString());
        return false;
    }
    QString reason;
    if (!buffer.parse(std::move(bytes), &reason)) {
        if (errorMessage)
            *errorMessage = tr("\"%1\" kann nicht geladen werden.\r%2")
                                .arg(QDir::toNativeSeparators(path), reason);
        return false;
    }
    return true;
}

bool write(const QString &path, const LoadBuffer &buffer, QString *errorMessage)
{
    QSaveFile file(path);
    const QByteArray &bytes = buffer.fileBytes();
    if (!file.open(QIODevice::WriteOnly) || file.write(bytes) != bytes.size() || !file.commit()) {
        if (errorMessage)
            *errorMessage = tr("Die Klasse konnte nicht in \"%1\" gespeichert werden:\r%2")
                                .arg(QDir::toNativeSeparators(path), file.errorString());
        return false;
    }
    return true;
}

} // namespace ClassFile
