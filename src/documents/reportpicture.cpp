#include "reportpicture.h"

#include <QDir>
#include <QFileInfo>
#include <QImageReader>
#include <QPainter>
#include <QPainterPath>

namespace ReportPicture {

QImage placeholder()
{
    QImage picture(PlaceholderWidth, PlaceholderHeight, QImage::Format_RGB32);
    picture.fill(QColor(0xEE, 0xEF, 0xF1));
    QPainter painter(&picture);
    painter.setRenderHint(QPainter::Antialiasing);
    painter.setPen(Qt::NoPen);
    painter.setBrush(QColor(0xC4, 0xC8, 0xCE));

    // Shoulders, cut off by the lower edge like a passport photo.
    QPainterPath shoulders;
    shoulders.moveTo(14, PlaceholderHeight);
    shoulders.cubicTo(14, 138, 40, 122, 67.5, 122);
    shoulders.cubicTo(95, 122, 121, 138, 121, PlaceholderHeight);
    shoulders.closeSubpath();
    painter.drawPath(shoulders);
    painter.drawRect(QRectF(55.5, 100, 24, 26)); // neck
    painter.drawEllipse(QRectF(37, 40, 61, 70));

    painter.setBrush(Qt::NoBrush);
    painter.setPen(QPen(QColor(0xB0, 0xB4, 0xBA), 2));
    painter.drawRect(QRectF(1, 1, PlaceholderWidth - 2, PlaceholderHeight - 2));
    painter.end();
    return picture.convertToFormat(QImage::Format_RGB888);
}

bool saveBitmap(const QImage &picture, const QString &filePath)
{
    if (picture.isNull())
        return false;
    QDir().mkpath(QFileInfo(filePath).absolutePath());
    // Bitmaps of palette images would be written with 4 or 8 bits, of alpha images with
    // 32; three bytes per pixel is what every reader takes.
    return picture.convertToFormat(QImage::Format_RGB888).save(filePath, "BMP");
}

bool JpegToBmp(const QString &filePath)
{
    QImageReader reader(filePath, "JPEG");
    const QImage picture = reader.read();
    if (picture.isNull())
        return false;
    const QFileInfo info(filePath);
    return saveBitmap(picture,
                      info.dir().filePath(info.completeBaseName() + QStringLiteral(".bmp")));
}

} // namespace ReportPicture
