#pragma once

#include <QByteArray>
#include <QString>

class ClassGrid;
class QImage;

// Photos of older classes were stored as plain JPEG files. They are turned into
// scrambled 24-bit bitmaps beside them, and the class records the new paths.
namespace PhotoConverter {
// A stored photo path ("Fotos\03_2024\7b\3.bmp") as a file path below the project folder.
QString resolve(const QString &projectFolder, const QString &storedPath);

// True for the three spellings of the JPEG extension that older versions wrote.
bool isConvertibleJpeg(const QString &storedPath);

// Converts the photos of all persons; returns how many were converted. A photo whose
// bitmap cannot be written keeps its JPEG file and its path.
int convertClass(ClassGrid &grid, const QString &projectFolder);

// Reads a stored photo and unscrambles or decrypts it for display, in memory; a null image
// when there is none or its class's key is not known.
QImage loadStoredPhoto(const QString &filePath);
// Scrambles a photo and stores it as a 24-bit bitmap.
bool saveStoredPhoto(const QImage &photo, const QString &filePath);
// Encrypts a photo with the photo key of its class and stores it.
bool saveEncryptedPhoto(const QImage &photo, const QString &filePath, const QByteArray &key);
} // namespace PhotoConverter
