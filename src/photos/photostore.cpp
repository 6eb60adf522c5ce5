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

// A free name in `folder`: the base name with as many leading "a" as needed.
QString freeName(const QString &projectFolder, const QString &folder, const QString &base,
                 const QString &extension)
{
    QString name = base + extension;
    while (QFileInfo::exists(PhotoConverter::resolve(projectFolder, folder + name)))
        name.prepend(QLatin1Char('a'));
    return folder + name;
}

QString extensionFor(bool encrypted)
{
    return encrypted ? QStringLiteral(".mwp") : QStringLiteral(".bmp");
}

} // namespace

bool isEncryptedPhoto(const QString &storedPath)
{
    return storedPath.endsWith(QLatin1String(".mwp"), Qt::CaseInsensitive);
}

QString nextPath(const QString &projectFolder, const QString &className, int number,
                 const QDate &day, bool encrypted)
{
    return freeName(projectFolder, folderOf(className, day), QString::number(number),
                    extensionFor(encrypted));
}

QStringList recodeClass(ClassGrid &grid, const QString &projectFolder, const QByteArray &photoKey)
{
    const bool encrypt = !photoKey.isEmpty();
    QStringList old;
    const ClassGrid::BulkChange bulk(grid);
    for (int person = 0; person < ClassDocument::PersonCount; ++person) {
        const int row = ClassDocument::dataRow(person);
        const QString stored = grid.cell(PhotoColumn, row);
        if (stored.isEmpty() || isEncryptedPhoto(stored) == encrypt)
            continue;
        const QString oldFile = PhotoConverter::resolve(projectFolder, stored);
        const QImage photo = PhotoConverter::loadStoredPhoto(oldFile);
        if (photo.isNull())
            continue;
        // Backslashes or slashes: what comes after the last one is the file's name.
        const qsizetype slash =
            qMax(stored.lastIndexOf(QLatin1Char('\\')), stored.lastIndexOf(QLatin1Char('/')));
        const QString folder = stored.left(slash + 1);
        const QString base = QFileInfo(stored.mid(slash + 1)).completeBaseName();
        const QString relative =
            freeName(projectFolder, folder, base.isEmpty() ? QStringLiteral("0") : base,
                     extensionFor(encrypt));
        const QString file = PhotoConverter::resolve(projectFolder, relative);
        const bool written = encrypt ? PhotoConverter::saveEncryptedPhoto(photo, file, photoKey)
                                     : PhotoConverter::saveStoredPhoto(photo, file);
        if (!written)
            continue;
        grid.setCell(PhotoColumn, row, relative);
        old << oldFile;
    }
    return old;
}

QString store(ClassGrid &grid, int person, const QString &className, const QImage &frame,
              const QString &projectFolder, const QDate &day, const QByteArray &photoKey)
{
    if (className.isEmpty() || frame.isNull())
        return QString();
    const bool encrypt = !photoKey.isEmpty();
    const QString relative = nextPath(projectFolder, className, person + 1, day, encrypt);
    const QString file = PhotoConverter::resolve(projectFolder, relative);
    if (!QDir().mkpath(QFileInfo(file).absolutePath()))
        return QString();
    QImage photo = frame;
    if (photo.size() != QSize(ImageOperations::FrameWidth, ImageOperations::FrameHeight))
        photo = ImageOperations::framed(frame, QPoint());
    if (encrypt ? !PhotoConverter::saveEncryptedPhoto(photo, file, photoKey)
                : !PhotoConverter::saveStoredPhoto(photo, file))
        return QString();
    const ClassGrid::UndoStep step(grid, QStringLiteral("Foto von Person %1").arg(person + 1));
    grid.setCell(PhotoColumn, ClassDocument::dataRow(person), relative);
    return relative;
}

} // namespace PhotoStore
