#pragma once

#include <QImage>
#include <QString>

// Pictures placed on report pages.
namespace ReportPicture {
constexpr int PlaceholderWidth = 135;
constexpr int PlaceholderHeight = 180;

// "leerbild2": the calm portrait outline that stands in for a person without a photo.
QImage placeholder();

// Saves a picture as a 24-bit Windows bitmap, whatever its format, creating the folder
// first; false when it cannot be written.
bool saveBitmap(const QImage &picture, const QString &filePath);

// Loads the JPEG picture in the file and saves it as a bitmap beside it, under the same
// name with the extension ".bmp"; false when it cannot be read or written.
bool JpegToBmp(const QString &filePath);
} // namespace ReportPicture
