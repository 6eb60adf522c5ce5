#include "photoconverter.h"

#include "classdata/classgrid.h"
#include "classdata/photocipher.h"
#include "classdata/photoscrambler.h"

#include <QBuffer>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QImage>
#include <QSaveFile>

namespace PhotoConverter {

QString resolve(const QString &projectFolder, const QString &storedPath)
{
    QString path = storedPath;
    path.replace(QLatin1Char('\\'), QLatin1Char('/'));
    if (QDir::isAbsolutePath(path))
        return path;
    return QDir(projectFolder).filePath(path);
}

bool isConvertibleJpeg(const QString &storedPath)
{
    return storedPath.endsWith(QLatin1String(".jpg")) ||
           storedPath.endsWith(QLatin1String(".JPG")) || storedPath.endsWith(QLatin1String(".Jpg"));
}

QImage loadStoredPhoto(const QString &filePath)
{
    if (filePath.endsWith(QLatin1String(".mwp"), Qt::CaseInsensitive)) {
        QFile file(filePath);
        if (!file.open(QIODevice::ReadOnly))
            return QImage();
        return QImage::fromData(PhotoCipher::decrypt(file.readAll()));
    }
    QImage image(filePath);
    if (image.isNull())
        return image;
    if (filePath.endsWith(QLatin1String(".bmp"), Qt::CaseInsensitive))
        PhotoScrambler::apply(image);
    return image;
}

bool saveStoredPhoto(const QImage &photo, const QString &filePath)
{
    QImage image = photo.convertToFormat(QImage::Format_BGR888);
    if (!PhotoScrambler::apply(image))
        return false;
    return image.save(filePath, "BMP");
}

bool saveEncryptedPhoto(const QImage &photo, const QString &filePath, const QByteArray &key)
{
    QByteArray plain;
    QBuffer buffer(&plain);
    if (!buffer.open(QIODevice::WriteOnly) || !photo.save(&buffer, "PNG"))
        return false;
    const QByteArray sealed = PhotoCipher::encrypt(plain, key);
    if (sealed.isEmpty())
        return false;
    QSaveFile file(filePath);
    return file.open(QIODevice::WriteOnly) && file.write(sealed) == sealed.size() && file.commit();
}

int convertClass(ClassGrid &grid, const QString &projectFolder)
{
    int converted = 0;
    for (int person = 0; person < 34; ++person) {
        const int row = person * 17 + 16;
        const QString stored = grid.cell(20, row);
        if (!isConvertibleJpeg(stored))
            continue;
        const QString jpegPath = resolve(projectFolder, stored);
        if (!QFileInfo::exists(jpegPath))
            continue;
        const QImage jpeg(jpegPath);
        if (jpeg.isNull())
            continue;
        const QString bitmapStored = stored.left(stored.size() - 4) + QLatin1String(".bmp");
        const QString bitmapPath = resolve(projectFolder, bitmapStored);
        if (!saveStoredPhoto(jpeg, bitmapPath))
            continue;
        QFile::remove(jpegPath);
        grid.setCell(20, row, bitmapStored);
        ++converted;
    }
    return converted;
}

} // namespace PhotoConverter
