#include "photostore.h"

#include "classdata/classdocument.h"
#include "classdata/classgrid.h"
#include "imageoperations.h"
#include "photoconverter.h"

#include <QDir>
#include <QFileInfo>
#include <QImage>

namespace PhotoStore {

namespace {

QString folderOf(const QString &className, const QDate &day)
{
    return QStringLiteral("Fotos\\") + day.toString(QStringLiteral("MM_yyyy")) + QLatin1Char('\\') +
           className + QLatin1Char('\\');
}

} // namespace

QString nextPath(const QString &projectFolder, const QString &className, int number,
                 const QDate &day)
{
    const QString folder = folderOf(className, day);
    QString name = QString::number(number) + QStringLiteral(".bmp");
    while (QFileInfo::exists(PhotoConverter::resolve(projectFolder, folder + name)))
        name.prepend(QLatin1Char('a'));
    return folder + name;
}

QString store(ClassGrid &grid, int person, const QString &className, const QImage &frame,
              const QString &projectFolder, const QDate &day)
{
    if (className.isEmpty() || frame.isNull())
        return QString();
    const QString relative = nextPath(projectFolder, className, person + 1, day);
    const QString file = PhotoConverter::resolve(projectFolder, relative);
    if (!QDir().mkpath(QFileInfo(file).absolutePath()))
        return QString();
    QImage photo = frame;
    if (photo.size() != QSize(ImageOperations::FrameWidth, ImageOperations::FrameHeight))
        photo = ImageOperations::framed(frame, QPoint());
    if (!PhotoConverter::saveStoredPhoto(photo, file))
        return QString();
    const ClassGrid::UndoStep step(grid, QStringLiteral("Foto von Person %1").arg(person + 1));
    grid.setCell(PhotoColumn, ClassDocument::dataRow(person), relative);
    return relative;
}

} // namespace PhotoStore
