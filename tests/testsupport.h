#pragma once

#include "classdata/documentopener.h"
#include "classdata/userprompts.h"

#include <QByteArray>
#include <QList>
#include <QString>
#include <QStringList>

#include <functional>

class ClassGrid;

// Answers the program's questions from a script and records what it was asked.
class ScriptedPrompts : public UserPrompts
{
public:
    QList<bool> yesNoAnswers; // taken from the front; "No" when empty
    // Three-way questions take these first, then yesNoAnswers; "No" when both are empty.
    QList<Answer> answers;
    QStringList filesToOpen;   // taken from the front; cancelled when empty
    QStringList filesToSaveTo; // taken from the front; cancelled when empty
    QStringList texts;         // taken from the front; cancelled when empty
    QStringList pictures;      // taken from the front; cancelled when empty
    QStringList folders;       // taken from the front; cancelled when empty
    QList<int> items;          // taken from the front; cancelled when empty

    QStringList questions;
    QStringList messages;
    QStringList openFolders;
    QStringList proposedSaves;
    QStringList proposedPictures;
    QStringList folderCaptions;
    QStringList openCaptions;
    QList<int> recentChoices; // taken from the front; "another class" when empty
    QStringList recentLines;  // the lines last offered
    QList<bool> recentPresent;
    QList<QStringList> itemLists;

    bool askYesNo(const QString &question) override;
    Answer askYesNoCancel(const QString &question) override;
    void showMessage(const QString &text) override;
    QString askText(const QString &caption, const QString &prompt,
                    const QString &proposed) override;
    QString chooseClassToOpen(const QString &folder) override;
    QString chooseSaveFile(const QString &proposedPath) override;
    QString choosePicture(const QString &proposedPath) override;
    QString chooseFolder(const QString &caption, const QString &folder) override;
    int chooseRecentClass(const QStringList &lines, const QList<bool> &present) override;
    // Takes its answers from filesToOpen, like chooseClassToOpen.
    QString chooseFileToOpen(const QString &caption, const QString &filter,
                             const QString &folder) override;
    int chooseItem(const QString &caption, const QString &label, const QStringList &items) override;
};

// Stands in for the desktop: records what it was asked to open.
class ScriptedOpener : public DocumentOpener
{
public:
    bool hasWordProcessor = true;
    QStringList unopenable; // paths whose program fails to start

    QStringList opened; // every path asked for, in order, whether it opened or not
    int wordChecks = 0;

    bool canOpenWordDocuments() override;
    bool open(const QString &path) override;
};

namespace TestSupport {
struct ToolRun
{
    int exitCode = -1; // also when the tool did not start, crashed or hung
    QByteArray out, err;
};
// markwart-tool with these arguments and this input; with `temp`, that is its temporary folder.
ToolRun runTool(const QStringList &args, const QByteArray &input = {}, const QString &temp = {});
// Points QSettings at an empty store of this test run's own.
void isolateSettings();
QByteArray readBytes(const QString &path);
// Creates or replaces the file with these bytes; false when it cannot be written.
bool writeBytes(const QString &path, const QByteArray &bytes = {});
// One cell of a class file on disk, unscrambled; "<unreadable>" when the file is not a class.
QString cellOf(const QString &path, int column, int row);
// Writes a class file holding the given cells (column, row, text).
void writeClass(const QString &path, const QList<std::tuple<int, int, QString>> &cells);
// The first cell where `got` differs from the grid, as "column/row: got for expected"; "" if none.
QString firstDifference(const ClassGrid &expected, const std::function<QString(int, int)> &got);

// "column=text column=text ..." into one row of a grid or table.
template <class Table> void fill(Table &table, int row, const QString &cells)
{
    for (const QString &pair : cells.split(u' ', Qt::SkipEmptyParts))
        table.setCell(pair.section(u'=', 0, 0).toInt(), row, pair.section(u'=', 1));
}

// The columns named in `cells` ("column= ..."), read back in the same form.
template <class Table> QString read(const Table &table, int row, const QString &cells)
{
    QStringList out;
    for (const QString &pair : cells.split(u' ', Qt::SkipEmptyParts)) {
        const QString column = pair.section(u'=', 0, 0);
        out << column + u'=' + table.cell(column.toInt(), row);
    }
    return out.join(u' ');
}
} // namespace TestSupport
