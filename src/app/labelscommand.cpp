#include "labelscommand.h"

#include "toolsupport.h"

#include "classdata/classgrid.h"
#include "classdata/loadbuffer.h"
#include "reports/labelsheet.h"

namespace LabelsCommand {

namespace {

using namespace ToolSupport;

int usage(const QString &problem)
{
    printError(problem);
    printError(QStringLiteral("Aufruf: ") + Usage.trimmed());
    return BadFile;
}

} // namespace

const QString Usage = QStringLiteral(
    "        markwart-tool labels DATEI --out ETIKETTEN.pdf [--names] [--password PW]");

int run(const QStringList &args)
{
    if (args.isEmpty())
        return usage(QStringLiteral("Es fehlt die Klassendatei."));
    const QString path = args[0];
    QString out;
    QString password;
    bool namesOnly = false;
    for (qsizetype i = 1; i < args.size(); ++i) {
        const QString &option = args[i];
        if (option == QLatin1String("--names")) {
            namesOnly = true;
        } else if ((option == QLatin1String("--out") || option == QLatin1String("--password")) &&
                   i + 1 < args.size()) {
            (option == QLatin1String("--out") ? out : password) = args[++i];
        } else {
            return usage(QStringLiteral("Unbekannte Angabe: \"%1\"").arg(option));
        }
    }
    if (!out.endsWith(QLatin1String(".pdf"), Qt::CaseInsensitive))
        return usage(QStringLiteral("--out erwartet eine Datei, die auf .pdf endet."));

    LoadBuffer buffer;
    ClassGrid grid;
    if (const int loaded = loadClass(path, password, buffer, grid); loaded != Ok)
        return loaded;
    QString error;

    if (!LabelSheet::writePdf(LabelSheet::sheetsOf(grid, namesOnly), out, QPointF(), &error)) {
        printError(error);
        return BadFile;
    }
    return Ok;
}

} // namespace LabelsCommand
