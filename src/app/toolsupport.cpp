#include "toolsupport.h"

#include "classdata/classfile.h"
#include "classdata/classgrid.h"
#include "classdata/loadbuffer.h"
#include "classdata/photocipher.h"

#include <QFileInfo>
#include <QHash>

#include <cstdio>

namespace ToolSupport {

namespace {

void print(FILE *stream, QString text)
{
    text.replace(QLatin1Char('\r'), QLatin1Char('\n'));
    std::fputs(text.toUtf8().constData(), stream);
    std::fputc('\n', stream);
}

QHash<QString, FileKind> &kinds()
{
    static QHash<QString, FileKind> read;
    return read;
}

QString keyOf(const QString &path)
{
    return QFileInfo(path).absoluteFilePath();
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

bool endsWith(const QString &path, const char *ending)
{
    return path.endsWith(QLatin1String(ending), Qt::CaseInsensitive);
}

bool readValueOptions(const QStringList &args, qsizetype from,
                      std::initializer_list<std::pair<const char *, QString *>> options)
{
    for (qsizetype i = from; i < args.size(); i += 2) {
        if (i + 1 >= args.size())
            return false;
        bool known = false;
        for (const auto &[name, target] : options) {
            if (args[i] != QLatin1String(name))
                continue;
            // No password is an empty one; any other option wants its value.
            if (args[i + 1].isEmpty() && args[i] != QLatin1String("--password"))
                return false;
            *target = args[i + 1];
            known = true;
        }
        if (!known)
            return false;
    }
    return true;
}

bool readNumber(const QString &option, const QString &text, int first, int last, int &number,
                QString *error)
{
    bool ok = false;
    const int value = text.toInt(&ok);
    if (!ok || value < first || value > last) {
        *error = QStringLiteral("%1 erwartet eine Zahl von %2 bis %3, nicht \"%4\".")
                     .arg(option)
                     .arg(first)
                     .arg(last)
                     .arg(text);
        return false;
    }
    number = value;
    return true;
}

bool checkDocumentOrPage(const QString &outPath, QString *error)
{
    if (outPath.isEmpty()) {
        *error = QStringLiteral("Es fehlt --out mit der Ausgabedatei (.docx oder .html).");
        return false;
    }
    if (!endsWith(outPath, ".docx") && !endsWith(outPath, ".html")) {
        *error = QStringLiteral("Die Ausgabedatei muss auf .docx oder .html enden: \"%1\".")
                     .arg(outPath);
        return false;
    }
    return true;
}

int loadClass(const QString &path, const QString &password, LoadBuffer &buffer, ClassGrid &grid)
{
    QString error;
    if (!ClassFile::read(path, buffer, &error)) {
        printError(error);
        return BadFile;
    }
    FileKind kind;
    if (buffer.isSealed()) {
        const auto result = ClassFile::unseal(buffer, password, &kind.photoKey, path, &error);
        if (result != SecureClassFile::Result::Ok) {
            printError(error);
            return result == SecureClassFile::Result::WrongPassword ? WrongPassword : BadFile;
        }
        kind.encrypted = true;
        kind.password = password;
        PhotoCipher::rememberKey(kind.photoKey);
    }
    if (!buffer.warning().isEmpty())
        printError(buffer.warning());
    if (!kind.encrypted && buffer.unscrambledCell(17, 599) != password) {
        printError(QStringLiteral("Das Passwort ist falsch!"));
        return WrongPassword;
    }
    buffer.unscrambleInto(grid);
    kinds().insert(keyOf(path), kind);
    return Ok;
}

FileKind kindRead(const QString &path)
{
    return kinds().value(keyOf(path));
}

bool writeClass(const QString &path, LoadBuffer &buffer, const ClassGrid &grid)
{
    return writeClass(path, buffer, grid, kindRead(path));
}

bool writeClass(const QString &path, LoadBuffer &buffer, const ClassGrid &grid,
                const FileKind &kind)
{
    buffer.scrambleFrom(grid);
    QString error;
    // The password the file was opened with, even when a cell now says otherwise: it is the
    // one the teacher knows.
    if (kind.encrypted && !ClassFile::seal(buffer, kind.password, kind.photoKey, &error)) {
        printError(error);
        return false;
    }
    if (!ClassFile::write(path, buffer, &error)) {
        printError(error);
        return false;
    }
    return true;
}

} // namespace ToolSupport
