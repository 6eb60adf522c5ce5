#include "photoscommand.h"

#include "toolsupport.h"

#include "classdata/classgrid.h"
#include "classdata/loadbuffer.h"
#include "photos/imageoperations.h"
#include "photos/photoimport.h"

#include <QFileInfo>

namespace PhotosCommand {

namespace {

using namespace ToolSupport;

int usage()
{
    printError(QStringLiteral("Aufruf: markwart-tool photos DATEI ORDNER [--password PW] "
                              "[--zoom S]"));
    return Usage;
}

} // namespace

int run(const QStringList &args)
{
    if (args.size() < 2)
        return usage();
    const QString path = args[0];
    const QString folder = args[1];
    QString password;
    int zoom = ImageOperations::DefaultZoom;
    for (qsizetype i = 2; i < args.size(); i += 2) {
        if (i + 1 >= args.size())
            return usage();
        if (args[i] == QLatin1String("--password")) {
            password = args[i + 1];
        } else if (args[i] == QLatin1String("--zoom")) {
            bool ok = false;
            zoom = args[i + 1].toInt(&ok);
            if (!ok || zoom < ImageOperations::MinZoom || zoom > ImageOperations::MaxZoom) {
                printError(QStringLiteral("--zoom: eine Zahl von 1 bis 100"));
                return Usage;
            }
        } else {
            return usage();
        }
    }
    if (!QFileInfo(folder).isDir()) {
        printError(QStringLiteral("Kein Ordner: %1").arg(folder));
        return BadFile;
    }

    LoadBuffer buffer;
    ClassGrid grid;
    if (const int loaded = loadClass(path, password, buffer, grid); loaded != Ok)
        return loaded;

    // The photos go below the class file's folder, where the program looks for them once
    // the class is opened from there.
    const QString projectFolder = QFileInfo(path).absolutePath();
    const FileKind kind = kindRead(path);
    const PhotoImport::Result result =
        PhotoImport::run(grid, folder, projectFolder, zoom, QDate::currentDate(),
                         kind.encrypted ? kind.photoKey : QByteArray());
    for (const QString &line : PhotoImport::describe(result, grid))
        printOut(line);
    if (result.stored.isEmpty())
        return Ok;
    return writeClass(path, buffer, grid, kind) ? Ok : BadFile;
}

} // namespace PhotosCommand
