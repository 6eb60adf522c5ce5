#pragma once

#include <QImage>
#include <QString>

// The picture of the room that "Sitzplan drucken" prints, kept in the report folder until
// the program ends.
namespace PlanPicture {
QString bitmapPath(const QString &reportFolder);
QString jpegPath(const QString &reportFolder);

// Writes "Sitzplan.bmp" (24 bits per pixel) and "Sitzplan.jpg", overwriting older ones;
// false when either cannot be written.
bool write(const QImage &room, const QString &reportFolder);
} // namespace PlanPicture
