#include "listprint.h"

#include "classdata/classgrid.h"
#include "documents/reportpicture.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QPainter>

namespace ListPrintKit {

QString photoFolder(const QString &reportFolder)
{
    return QDir(reportFolder).filePath(QStringLiteral("Druck"));
}

QString personFolder(const QString &photoFolder, int person)
{
    return QDir(photoFolder).filePath(QString::number(person));
}

QString className(const ClassGrid &grid)
{
    return grid.cell(1, 16);
}

bool isListed(const QString &name)
{
    return !name.isEmpty() && name != QLatin1String(" ");
}

bool isStoredBitmap(const QString &storedPath)
{
    return storedPath.endsWith(QLatin1String(".bmp"), Qt::CaseInsensitive);
}

QString fileName(const QString &storedPath)
{
    QString path = storedPath;
    path.replace(QLatin1Char('\\'), QLatin1Char('/'));
    return path.section(QLatin1Char('/'), -1);
}

QImage letterbox(const QImage &picture, const QSize &size)
{
    QImage box(size, QImage::Format_RGB32);
    box.fill(QColor(238, 236, 225));
    if (picture.isNull() || size.isEmpty())
        return box;
    const QImage scaled = picture.scaled(size, Qt::KeepAspectRatio, Qt::SmoothTransformation);
    QPainter painter(&box);
    painter.drawImage((size.width() - scaled.width()) / 2, (size.height() - scaled.height()) / 2,
                      scaled);
    return box;
}

bool writePhotos(const std::vector<ListPhotoFile> &files)
{
    bool written = true;
    for (const ListPhotoFile &file : files) {
        QDir().mkpath(QFileInfo(file.path).absolutePath());
        if (!file.image.isNull()) {
            written = ReportPicture::saveBitmap(file.image, file.path) && written;
        } else {
            QFile::remove(file.path);
            written = QFile::copy(file.copyFrom, file.path) && written;
        }
    }
    return written;
}

} // namespace ListPrintKit
