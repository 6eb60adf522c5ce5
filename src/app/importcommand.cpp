#include "importcommand.h"

#include "printedprompts.h"
#include "toolsupport.h"

#include "classdata/classdocument.h"
#include "import/classlistimport.h"
#include "import/classlistreader.h"
#include "import/previewgrid.h"

#include <QFileInfo>

#include <utility>
#include <vector>

namespace ImportCommand {

const QString Usage = QStringLiteral(
    "        markwart-tool import QUELLE KLASSENDATEI [--password PW] [--table K]\n"
    "                      --field ART=S,Z [--field ...]\n"
    "          ART: name, first, street, postcode, town, phone, email, mobile, class, "
    "birthday");

namespace {

using namespace ToolSupport;

// Goes on past a row jump and, without names, imports the other kinds: the teacher who
// calls the tool has already said which cells to take.
class ImportAnswers : public PrintedPrompts
{
public:
    bool askYesNo(const QString &question) override
    {
        const bool yes = question == ClassListImport::RowCheckQuestion;
        printOut(question + (yes ? QStringLiteral(" -> Ja") : QStringLiteral(" -> Nein")));
        return yes;
    }
    QString askText(const QString &caption, const QString &, const QString &proposed) override
    {
        printError(caption + QStringLiteral(" gelesen wird Tabelle ") + proposed +
                   QStringLiteral(" (eine andere mit --table K)."));
        return proposed;
    }
};

int usage()
{
    printError(QStringLiteral("Aufruf:") + Usage.mid(7));
    return BadFile;
}

struct Choice
{
    ClassListImport::Field field;
    int column;
    int row;
};

bool parseField(const QString &text, Choice &choice)
{
    const qsizetype equals = text.indexOf(QLatin1Char('='));
    if (equals < 0 || !ClassListImport::fieldFromKey(text.left(equals), choice.field))
        return false;
    const QStringList numbers = text.mid(equals + 1).split(QLatin1Char(','));
    if (numbers.size() != 2)
        return false;
    bool columnOk = false;
    bool rowOk = false;
    choice.column = numbers[0].toInt(&columnOk);
    choice.row = numbers[1].toInt(&rowOk);
    return columnOk && rowOk && choice.column >= 0 && choice.row >= 0;
}

} // namespace

int run(const QStringList &args)
{
    if (args.size() < 2)
        return usage();
    const QString source = args[0];
    const QString classPath = args[1];
    QString password;
    int table = 0;
    std::vector<Choice> choices;
    for (qsizetype i = 2; i < args.size(); i += 2) {
        if (i + 1 >= args.size())
            return usage();
        const QString &value = args[i + 1];
        if (args[i] == QLatin1String("--password")) {
            password = value;
        } else if (args[i] == QLatin1String("--table")) {
            QString error;
            if (!readNumber(args[i], value, 1, 1000, table, &error)) {
                printError(error);
                return BadFile;
            }
        } else if (args[i] == QLatin1String("--field")) {
            Choice choice{};
            if (!parseField(value, choice)) {
                printError(QStringLiteral("--field: ART=S,Z erwartet, nicht %1").arg(value));
                return usage();
            }
            choices.push_back(choice);
        } else {
            return usage();
        }
    }
    if (choices.empty())
        return usage();

    PreviewGrid preview;
    QString error;
    ImportAnswers prompts;
    const bool read = table > 0 ? ClassListReader::read(source, table, preview, &error)
                                : ClassListReader::read(source, prompts, preview, &error);
    if (!read) {
        printError(error);
        return BadFile;
    }
    for (const Choice &choice : choices) {
        if (choice.column >= preview.columns() || choice.row >= preview.rows()) {
            printError(QStringLiteral("--field: %1,%2 liegt außerhalb der Tabelle (%3 Spalten, "
                                      "%4 Zeilen)")
                           .arg(choice.column)
                           .arg(choice.row)
                           .arg(preview.columns())
                           .arg(preview.rows()));
            return BadFile;
        }
    }

    ClassDocument document;
    if (QFileInfo::exists(classPath)) {
        const int loaded = loadClass(classPath, password, document.loadBuffer(), document.grid());
        if (loaded != Ok)
            return loaded;
    } else {
        document.reset();
        document.stamp(QStringLiteral("Neu"));
        document.grid().setCell(17, 599, password);
    }

    ClassListImport import(preview, document.grid());
    for (const Choice &choice : choices)
        import.setPosition(choice.field, choice.column, choice.row);
    const ClassListImport::Result result = import.apply(prompts);
    if (!result.imported)
        return Ok;
    if (import.isChosen(ClassListImport::Field::Name) ||
        import.isChosen(ClassListImport::Field::FirstName))
        printOut(QStringLiteral("%1 Namen übernommen.").arg(result.namedPersons));
    else
        printOut(QStringLiteral("Ohne Namen übernommen."));

    if (!writeClass(classPath, document.loadBuffer(), document.grid()))
        return BadFile;
    return Ok;
}

} // namespace ImportCommand
