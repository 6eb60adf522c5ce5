#pragma once

#include <QByteArray>
#include <QString>
#include <QStringList>

#include <initializer_list>
#include <utility>

class ClassGrid;
class LoadBuffer;

// What every command of markwart-tool shares: its exit codes, how it speaks, and how it
// loads a class.
namespace ToolSupport {

enum ExitCode
{
    Ok = 0,
    Usage = 1,
    BadFile = 2,
    WrongPassword = 3
};

// One message and a line end; a "\r" in it is a line break.
void printError(const QString &message);
void printOut(const QString &message);

// Whether the path ends so, whatever the case of its letters.
bool endsWith(const QString &path, const char *ending);
// Reads "--name value" pairs from args[from..] into the strings named in `options`. False for
// an unknown name, a name without its value, or an empty value other than a password's.
bool readValueOptions(const QStringList &args, qsizetype from,
                      std::initializer_list<std::pair<const char *, QString *>> options);
// An option's whole number from first to last; false with a German message otherwise.
bool readNumber(const QString &option, const QString &text, int first, int last, int &number,
                QString *error);
// The output of a printed list: a Word document or a page; false with a message otherwise.
bool checkDocumentOrPage(const QString &outPath, QString *error);

// How a class file was read, so that it is written back as the same kind.
struct FileKind
{
    bool encrypted = false;
    QString password;
    QByteArray photoKey;
};

// Loads a class the way the program does: read, check the password (or decrypt), take over.
// A file that ends early is loaded as far as it goes, with a note on stderr. Returns the
// exit code. The kind of the file is remembered for writeClass().
int loadClass(const QString &path, const QString &password, LoadBuffer &buffer, ClassGrid &grid);

// The kind the file was last loaded as; scrambled when it was not loaded.
FileKind kindRead(const QString &path);

// Writes the grid to the file as the kind it was read; false with a message on stderr.
bool writeClass(const QString &path, LoadBuffer &buffer, const ClassGrid &grid);
bool writeClass(const QString &path, LoadBuffer &buffer, const ClassGrid &grid,
                const FileKind &kind);

} // namespace ToolSupport
