#pragma once

#include <QDate>
#include <QString>

class ClassGrid;
class QImage;

// Where a person's photo is kept: "Fotos\MM_YYYY\<class>\n.bmp" below the project folder, a
// scrambled 24-bit bitmap of the frame. An older photo of the person is never overwritten:
// the new file gets as many leading "a" as needed (3.bmp, a3.bmp, aa3.bmp).
namespace PhotoStore {

constexpr int PhotoColumn = 20;

// The relative path (backslashes, as class files keep it) the next photo of person `number`
// (list position) of `className` gets when stored on `day`.
QString nextPath(const QString &projectFolder, const QString &className, int number,
                 const QDate &day);

// Stores the frame for person `person` (index) and records its path in the person's data row.
// Returns the relative path, or "" when the file could not be written (the cell then keeps
// the photo it had).
QString store(ClassGrid &grid, int person, const QString &className, const QImage &frame,
              const QString &projectFolder, const QDate &day = QDate::currentDate());

} // namespace PhotoStore
