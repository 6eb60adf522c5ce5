#include "toolsupport.h"

#include "classdata/classfile.h"
#include "classdata/classgrid.h"
#include "classdata/loadbuffer.h"

#include <cstdio>

namespace ToolSupport {

namespace {

void print(FILE *stream, QString text)
{
    text.replace(QLatin1Char('\r'), QLatin1Char('\n'));
    std::fputs(text.toUtf8().constData(), stream);
    std::fputc('\n', stream);
}

} // namespace

void printError(const QString &message)
{
    print(stderr, message);
}

void printOut(const QString &message)
{
    print(stdout, message);
}

int loadClass(const QString &path, const QString &password, LoadBuffer &buffer, ClassGrid &grid)
{
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
    return Ok;
}

} // namespace ToolSupport
