#include "planpicture.h"

#include "documents/reportpicture.h"

#include <QDir>

namespace PlanPicture {

QString bitmapPath(const QString &reportFolder)
{
    return QDir(reportFolder).filePath(QStringLiteral("Sitzplan.bmp"));
}

QString jpegPath(const QString &reportFolder)
{
    return QDir(reportFolder).filePath(QStringLiteral("Sitzplan.jpg"));
}

bool write(const QImage &room, const QString &reportFolder)
{
    if (!ReportPicture::saveBitmap(room, bitmapPath(reportFolder)))
        return false;
    // The library's default quality, as for every other picture handed to the desktop.
    return room.convertToFormat(QImage::Format_RGB888).save(jpegPath(reportFolder), "JPEG");
}

} // namespace PlanPicture
