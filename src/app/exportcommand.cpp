#include "exportcommand.h"

#include "toolsupport.h"

#include "classdata/classgrid.h"
#include "classdata/loadbuffer.h"
#include "export/classexport.h"

namespace ExportCommand {

const QString Usage =
    QStringLiteral("        markwart-tool export DATEI --out PFAD.xlsx|PFAD.csv [--password PW]");

namespace {

using namespace ToolSupport;

int usage(const QString &message = QString())
{
    if (!message.isEmpty())
        printError(message);
    printError(QStringLiteral("Aufruf:") + Usage.mid(7));
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
    if (!endsWith(out, ".xlsx") && !endsWith(out, ".csv"))
        return usage(
            out.isEmpty()
                ? QStringLiteral("Es fehlt --out mit der Ausgabedatei (.xlsx oder .csv).")
                : QStringLiteral("Die Ausgabedatei muss auf .xlsx oder .csv enden: \"%1\".")
                      .arg(out));

    LoadBuffer buffer;
    ClassGrid grid;
    if (const int loaded = loadClass(classPath, password, buffer, grid); loaded != Ok)
        return loaded;
    QString error;
    if (!ClassExport(grid).write(out, &error)) {
        printError(error);
        return BadFile;
    }
    return Ok;
}

} // namespace ExportCommand
