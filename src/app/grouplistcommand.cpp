#include "grouplistcommand.h"

#include "toolsupport.h"

#include "classdata/classgrid.h"
#include "classdata/loadbuffer.h"
#include "reports/grouplist.h"

#include <QDir>
#include <QFileInfo>

namespace GroupListCommand {

namespace {

using namespace ToolSupport;

int usage()
{
    printError(QStringLiteral("Aufruf: markwart-tool grouplist DATEI [--out PFAD] "
                              "[--password PW]"));
    return BadFile;
}

} // namespace

int run(const QStringList &args)
{
    if (args.isEmpty() || args[0].startsWith(QLatin1String("--")))
        return usage();
    const QString classPath = args[0];
    QString password;
    QString out;
    if (!readValueOptions(args, 1, {{"--password", &password}, {"--out", &out}}))
        return usage();

    LoadBuffer buffer;
    ClassGrid grid;
    if (const int loaded = loadClass(classPath, password, buffer, grid); loaded != Ok)
        return loaded;
    QString error;

    if (out.isEmpty())
        out = QFileInfo(classPath).absolutePath();
    const QString path =
        QFileInfo(out).isDir() ? QDir(out).filePath(GroupList::fileName(grid)) : out;
    if (!GroupList::write(grid, path, &error)) {
        printError(QStringLiteral("%1: %2").arg(QDir::toNativeSeparators(path), error));
        return BadFile;
    }
    printOut(QDir::toNativeSeparators(QFileInfo(path).absoluteFilePath()));
    return Ok;
}

} // namespace GroupListCommand
