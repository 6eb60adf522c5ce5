// markwart-tool: headless access to class files.
//   markwart-tool dump FILE [--password PW]   prints every non-empty cell
//   markwart-tool write FILE                  writes a class file from such lines on stdin

#include "classdata/celldump.h"
#include "classdata/classfile.h"
#include "classdata/classgrid.h"
#include "classdata/loadbuffer.h"

#include <QCoreApplication>
#include <QFile>
#include <QStringList>
#include <QTextStream>

#include <cstdio>

namespace {

enum ExitCode { Ok = 0, Usage = 1, BadFile = 2, WrongPassword = 3 };

void printError(const QString &message)
{
    QString text = message;
    text.replace(QLatin1Char('\r'), QLatin1Char('\n'));
    std::fputs(text.toUtf8().constData(), stderr);
    std::fputc('\n', stderr);
}

int usage()
{
    printError(QStringLiteral("Aufruf: markwart-tool dump DATEI [--password PW]\n"
                              "        markwart-tool write DATEI < Zellen"));
    return Usage;
}

// Loads a class the way the program does: read, check the password, take over.
int loadClass(const QString &path, const QString &password, LoadBuffer &buffer, ClassGrid &grid)
{
    QString error;
    if (!ClassFile::read(path, buffer, &error)) {
        printError(error);
        return BadFile;
    }
    if (buffer.unscrambledCell(17, 599) != password) {
        printError(QStringLiteral("Das Passwort ist falsch!"));
        return WrongPassword;
    }
    buffer.unscrambleInto(grid);
    return Ok;
}

int dump(const QString &path, const QString &password)
{
    LoadBuffer buffer;
    ClassGrid grid;
    const int result = loadClass(path, password, buffer, grid);
    if (result != Ok)
        return result;
    QFile out;
    if (!out.open(stdout, QIODevice::WriteOnly))
        return BadFile;
    QTextStream stream(&out);
    stream.setEncoding(QStringConverter::Utf8);
    CellDump::write(grid, stream);
    return Ok;
}

int write(const QString &path)
{
    QFile in;
    if (!in.open(stdin, QIODevice::ReadOnly))
        return BadFile;
    QTextStream stream(&in);
    stream.setEncoding(QStringConverter::Utf8);
    ClassGrid grid;
    QString error;
    if (!CellDump::read(stream, grid, &error)) {
        printError(error);
        return BadFile;
    }
    LoadBuffer buffer;
    buffer.scrambleFrom(grid);
    if (!ClassFile::write(path, buffer, &error)) {
        printError(error);
        return BadFile;
    }
    return Ok;
}

} // namespace

int main(int argc, char *argv[])
{
    QCoreApplication app(argc, argv);
    const QStringList args = app.arguments().mid(1);
    if (args.size() < 2)
        return usage();

    const QString command = args[0];
    const QString path = args[1];
    if (command == QLatin1String("dump")) {
        QString password;
        if (args.size() == 4 && args[2] == QLatin1String("--password"))
            password = args[3];
        else if (args.size() != 2)
            return usage();
        return dump(path, password);
    }
    if (command == QLatin1String("write") && args.size() == 2)
        return write(path);
    return usage();
}
