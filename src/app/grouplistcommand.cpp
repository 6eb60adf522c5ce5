#include "grouplistcommand.h"

#include "classdata/classfile.h"
#include "classdata/classgrid.h"
#include "classdata/loadbuffer.h"
#include "reports/grouplist.h"

#include <QDir>
#include <QFileInfo>

#include <cstdio>

namespace GroupListCommand {

namespace {

// The tool's exit codes.
enum ExitCode
{
    Ok = 0,
    BadFile = 2,
    WrongPassword = 3
};

void print(FILE *stream, QString text)
{
    text.replace(QLatin1Char('\r'), QLatin1Char('\n'));
    std::fputs(text.toUtf8().constData(), stream);
    std::fputc('\n', stream);
}

int usage()
{
    print(stderr, QStringLiteral("Aufruf: markwart-tool grouplist DATEI [--out PFAD] "
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
    for (qsizetype i = 1; i < args.size(); i += 2) {
        if (i + 1 >= args.size())
            return usage();
        if (args[i] == QLatin1String("--password"))
            password = args[i + 1];
        else if (args[i] == QLatin1String("--out") && !args[i + 1].isEmpty())
            out = args[i + 1];
        else
            return usage();
    }

    LoadBuffer buffer;
    QString error;
    if (!ClassFile::read(classPath, buffer, &error)) {
        print(stderr, error);
        return BadFile;
    }
    if (!buffer.warning().isEmpty())
        print(stderr, buffer.warning());
    if (buffer.unscrambledCell(17, 599) != password) {
        print(stderr, QStringLiteral("Das Passwort ist falsch!"));
        return WrongPassword;
    }
    ClassGrid grid;
    buffer.unscrambleInto(grid);

    if (out.isEmpty())
        out = QFileInfo(classPath).absolutePath();
    const QString path =
        QFileInfo(out).isDir() ? QDir(out).filePath(GroupList::fileName(grid)) : out;
    if (!GroupList::write(grid, path, &error)) {
        print(stderr, QStringLiteral("%1: %2").arg(QDir::toNativeSeparators(path), error));
        return BadFile;
    }
    print(stdout, QDir::toNativeSeparators(QFileInfo(path).absoluteFilePath()));
    return Ok;
}

} // namespace GroupListCommand
