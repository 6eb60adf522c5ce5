#pragma once

#include <QByteArray>
#include <QDate>
#include <QString>
#include <QStringList>

class ClassGrid;
class QImage;

// Where a person's photo is kept: "Fotos\MM_YYYY\<class>\n.bmp" below the project folder, a
// scrambled 24-bit bitmap of the frame. An older photo of the person is never overwritten:
// the new file gets as many leading "a" as needed (3.bmp, a3.bmp, aa3.bmp). An encrypted
// class keeps its photos encrypted with its photo key instead, as "n.mwp".
namespace PhotoStore {

constexpr int PhotoColumn = 20;

// Whether a stored path names an encrypted photo.
bool isEncryptedPhoto(const QString &storedPath);

// The relative path (backslashes, as class files keep it) the next photo of person `number`
// (list position) of `className` gets when stored on `day`; encrypted when `encrypted`.
QString nextPath(const QString &projectFolder, const QString &className, int number,
                 const QDate &day, bool encrypted = false);

// Stores the frame for person `person` (index) and records its path in the person's data row;
// with a photo key, encrypted. Returns the relative path, or "" when the file could not be
// written (the cell then keeps the photo it had).
QString store(ClassGrid &grid, int person, const QString &className, const QImage &frame,
              const QString &projectFolder, const QDate &day = QDate::currentDate(),
              const QByteArray &photoKey = QByteArray());

// Writes every photo of the class anew beside its old file: encrypted with the photo key, or
// as a scrambled bitmap when the key is empty, and points the cells at the new files in one
// change. Photos already of that kind are left alone. Returns the old files now unused by
// this class (other classes or backups may still use them).
QStringList recodeClass(ClassGrid &grid, const QString &projectFolder, const QByteArray &photoKey);

} // namespace PhotoStore
