// markwart-tool: headless access to class files.
//   markwart-tool dump FILE [--password PW]   prints every non-empty cell
//   markwart-tool write FILE [--force] [--password PW] [--encrypt]
//                                             writes a class file from such lines on stdin,
//                                             with that password, encrypted if asked
//   markwart-tool recompute FILE [--password PW]
//                                             recomputes every person's averages and finals
//   markwart-tool report KIND FILE [--password PW] --out PATH [--subject N] [--person P]
//                        [--column C] [--half 1|2] [--subject-name TEXT]
//                                             writes a printed list as .docx or .html page;
//                                             the program's messages go to stdout
//   markwart-tool labels FILE --out PDF [--names] [--password PW]
//                                             the label sheets as the pages of a PDF
//   markwart-tool export FILE --out PATH.xlsx|PATH.csv [--password PW]
//                                             the class for a spreadsheet
//   markwart-tool preview SOURCE [--table K]  prints the preview grid of a class list
//   markwart-tool import SOURCE FILE [--password PW] [--table K] --field KIND=C,R ...
//                                             takes a class list into a class file

#include "app/appfolders.h"
#include "app/exportcommand.h"
#include "app/grouplistcommand.h"
#include "app/importcommand.h"
#include "app/labelscommand.h"
#include "app/listcommand.h"
#include "app/photoscommand.h"
#include "app/previewcommand.h"
#include "app/printedprompts.h"
#include "app/reportcommand.h"
#include "app/toolsupport.h"
#include "classdata/celldump.h"
#include "classdata/classdocument.h"
#include "classdata/classfile.h"
#include "classdata/classgrid.h"
#include "classdata/displaylocale.h"
#include "classdata/loadbuffer.h"
#include "grades/gradewalk.h"

#include <QCoreApplication>
#include <QFile>
#include <QFileInfo>
#include <QGuiApplication>
#include <QStringList>
#include <QTextStream>

#include <cstdio>
#include <memory>

namespace {

using namespace ToolSupport;

// The tool speaks for itself on stderr; Qt's own notes (a missing runtime folder of the
// offscreen platform, say) would only confuse a script reading it.
void quietQtNotes(QtMsgType type, const QMessageLogContext &, const QString &message)
{
    if (type == QtCriticalMsg || type == QtFatalMsg)
        printError(message);
}

int usage()
{
    printError(QStringLiteral("Aufruf: markwart-tool dump DATEI [--password PW]\n"
                              "        markwart-tool write DATEI [--force] [--password PW] "
                              "[--encrypt] < Zellen\n"
                              "        markwart-tool recompute DATEI [--password PW]\n"
                              "        markwart-tool photos DATEI ORDNER [--password PW] [--zoom S]\n"
                              "        markwart-tool grouplist DATEI [--out PFAD] [--password PW]\n") +
               ReportCommand::Usage + u'\n' + LabelsCommand::Usage + u'\n' + ListCommand::Usage +
               u'\n' + PreviewCommand::Usage + u'\n' + ImportCommand::Usage + u'\n' +
               ExportCommand::Usage);
    return Usage;
}

int dump(const QString &path, const QString &password)
{
    LoadBuffer buffer;
    ClassGrid grid;
    const int result = loadClass(path, password, buffer, grid);
    if (result != Ok)
        return result;
    QFile out;
    if (!out.open(stdout, QIODevice::WriteOnly) || !CellDump::write(grid, out))
        return BadFile;
    return Ok;
}

// Recomputes the class as the person page does for every person, with the settings stored
// in the class, and writes it back.
int recompute(const QString &path, const QString &password)
{
    LoadBuffer buffer;
    ClassGrid grid;
    const int result = loadClass(path, password, buffer, grid);
    if (result != Ok)
        return result;
    ResultRow::Settings settings;
    settings.pointsMode = grid.cell(15, 599) == QLatin1String("ja");
    settings.halfDown = grid.cell(25, 599) == QLatin1String("ja");
    bool ok = false;
    const int slider = grid.cell(8, 33).toInt(&ok);
    settings.sliderPosition = ok ? slider : 2;
    GradeWalk::ApplyToAllPersons(grid, settings);
    return writeClass(path, buffer, grid) ? Ok : BadFile;
}

int report(const QStringList &args)
{
    ReportCommand::Options options;
    QString error;
    if (!ReportCommand::parse(args, options, &error)) {
        printError(error);
        usage();
        return BadFile;
    }
    ClassDocument document;
    const int result =
        loadClass(options.classPath, options.password, document.loadBuffer(), document.grid());
    if (result != Ok)
        return result;
    document.readSettingsFromGrid();
    // Reports show German dates and numbers, whatever language the system speaks.
    DisplayLocale::install();

    ReportCommand command(options);
    command.setProjectFolder(QFileInfo(options.classPath).absolutePath());
    command.setReportFolder(AppFolders::reportFolder());
    PrintedPrompts prompts;
    if (!command.run(document, prompts, &error)) {
        std::fflush(stdout);
        printError(error);
        return BadFile;
    }
    return Ok;
}

bool isEmpty(const ClassGrid &grid)
{
    for (int column = 0; column < ClassGrid::Columns; ++column)
        for (int row = 0; row < ClassGrid::Rows; ++row)
            if (!grid.isEmpty(column, row))
                return false;
    return true;
}

struct WriteOptions
{
    bool force = false;
    bool encrypt = false;
    bool setPassword = false;
    QString password;
};

// The photo key of the encrypted class the file holds now, when the password opens it: its
// photos stay readable. Otherwise a new one.
QByteArray photoKeyFor(const QString &path, const QString &password)
{
    LoadBuffer old;
    QByteArray key;
    if (!ClassFile::read(path, old, nullptr) || !old.isSealed() ||
        ClassFile::unseal(old, password, &key, path, nullptr) != SecureClassFile::Result::Ok)
        return SecureClassFile::newPhotoKey();
    return key;
}

int write(const QString &path, const WriteOptions &options)
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
    // An empty listing is more likely a failed pipe than a wish to wipe the class.
    if (!options.force && isEmpty(grid) && QFileInfo::exists(path)) {
        printError(QStringLiteral("Die Eingabe enthält keine Zellen: \"%1\" bleibt, wie es ist. "
                                  "Mit --force wird es durch eine leere Klasse ersetzt.\n"
                                  "The input holds no cells: \"%1\" is left as it is. "
                                  "Use --force to replace it with an empty class.")
                       .arg(path));
        return BadFile;
    }
    if (options.setPassword)
        grid.setCell(17, 599, options.password);
    FileKind kind;
    if (options.encrypt) {
        kind.password = grid.cell(17, 599);
        if (kind.password.isEmpty()) {
            printError(QStringLiteral("--encrypt braucht ein Passwort (--password PW).\n"
                                      "--encrypt needs a password (--password PW)."));
            return Usage;
        }
        kind.encrypted = true;
    }
    if (kind.encrypted)
        kind.photoKey = photoKeyFor(path, kind.password);
    LoadBuffer buffer;
    return writeClass(path, buffer, grid, kind) ? Ok : BadFile;
}

} // namespace

int main(int argc, char *argv[])
{
    // Reports draw text into their charts, which takes the font system of a GUI application.
    // No window is ever shown, so the tool needs no display.
    qInstallMessageHandler(quietQtNotes);
    std::unique_ptr<QCoreApplication> app;
    if (argc > 1 && (qstrcmp(argv[1], "report") == 0 || qstrcmp(argv[1], "labels") == 0)) {
        qputenv("QT_QPA_PLATFORM", "offscreen");
        app = std::make_unique<QGuiApplication>(argc, argv);
    } else {
        app = std::make_unique<QCoreApplication>(argc, argv);
    }
    const QStringList args = QCoreApplication::arguments().mid(1);
    if (!args.isEmpty() && args[0] == QLatin1String("report"))
        return report(args.mid(1));
    if (!args.isEmpty() && args[0] == QLatin1String("export"))
        return ExportCommand::run(args.mid(1));
    if (!args.isEmpty() && args[0] == QLatin1String("grouplist"))
        return GroupListCommand::run(args.mid(1));
    if (!args.isEmpty() && ListCommand::handles(args[0])) {
        PrintedPrompts prompts;
        return ListCommand::run(args, loadClass, prompts);
    }
    if (!args.isEmpty() && args[0] == QLatin1String("preview"))
        return PreviewCommand::run(args.mid(1));
    if (!args.isEmpty() && args[0] == QLatin1String("import"))
        return ImportCommand::run(args.mid(1));
    if (args.size() < 2)
        return usage();

    const QString command = args[0];
    const QString path = args[1];
    if (command == QLatin1String("photos"))
        return PhotosCommand::run(args.mid(1));
    if (command == QLatin1String("labels"))
        return LabelsCommand::run(args.mid(1));
    if (command == QLatin1String("dump") || command == QLatin1String("recompute")) {
        QString password;
        if (args.size() == 4 && args[2] == QLatin1String("--password"))
            password = args[3];
        else if (args.size() != 2)
            return usage();
        return command == QLatin1String("dump") ? dump(path, password) : recompute(path, password);
    }
    if (command == QLatin1String("write")) {
        WriteOptions options;
        for (qsizetype i = 2; i < args.size(); ++i) {
            if (args[i] == QLatin1String("--force")) {
                options.force = true;
            } else if (args[i] == QLatin1String("--encrypt")) {
                options.encrypt = true;
            } else if (args[i] == QLatin1String("--password") && i + 1 < args.size()) {
                options.setPassword = true;
                options.password = args[++i];
            } else {
                return usage();
            }
        }
        return write(path, options);
    }
    return usage();
}
