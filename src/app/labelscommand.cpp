#include "labelscommand.h"

#include "classdata/classfile.h"
#include "classdata/classgrid.h"
#include "classdata/loadbuffer.h"
#include "reports/labelsheet.h"

#include <cstdio>

namespace LabelsCommand {

namespace {

// The tool's exit codes.
enum ExitCode
{
    Ok = 0,
    BadFile = 2,
    WrongPassword = 3
};

void printError(QString text)
{
    text.replace(QLatin1Char('\r'), QLatin1Char('\n'));
    std::fputs(text.toUtf8().constData(), stderr);
    std::fputc('\n', stderr);
}

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
    QString error;
    if (!ClassFile::read(path, buffer, &error)) {
        printError(error);
        return BadFile;
    }
    if (!buffer.warning().isEmpty())
        printError(buffer.warning());
    if (buffer.unscrambledCell(17, 599) != password) {
        printError(QStringLiteral("Das Passwort ist falsch!"));
        return WrongPassword;
    }
    buffer.unscrambleInto(grid);

    if (!LabelSheet::writePdf(LabelSheet::sheetsOf(grid, namesOnly), out, QPointF(), &error)) {
        printError(error);
        return BadFile;
    }
    return Ok;
}

} // namespace LabelsCommand
