#include "testsupport.h"

#include "classdata/classfile.h"
#include "classdata/classgrid.h"
#include "classdata/loadbuffer.h"

#include <QDir>
#include <QFile>
#include <QProcess>
#include <QSettings>
#include <QStandardPaths>
#include <QTemporaryDir>
#include <QtTest>

bool ScriptedPrompts::askYesNo(const QString &question)
{
    questions << question;
    return yesNoAnswers.isEmpty() ? false : yesNoAnswers.takeFirst();
}

UserPrompts::Answer ScriptedPrompts::askYesNoCancel(const QString &question)
{
    if (!answers.isEmpty()) {
        questions << question;
        return answers.takeFirst();
    }
    return askYesNo(question) ? Answer::Yes : Answer::No;
}

void ScriptedPrompts::showMessage(const QString &text)
{
    messages << text;
}

QString ScriptedPrompts::askText(const QString &caption, const QString &prompt,
                                 const QString &proposed)
{
    questions << caption + QLatin1Char('|') + prompt + QLatin1Char('|') + proposed;
    return texts.isEmpty() ? proposed : texts.takeFirst();
}

QString ScriptedPrompts::chooseClassToOpen(const QString &folder)
{
    openFolders << folder;
    return filesToOpen.isEmpty() ? QString() : filesToOpen.takeFirst();
}

QString ScriptedPrompts::chooseSaveFile(const QString &proposedPath)
{
    proposedSaves << proposedPath;
    return filesToSaveTo.isEmpty() ? QString() : filesToSaveTo.takeFirst();
}

QString ScriptedPrompts::choosePicture(const QString &proposedPath)
{
    proposedPictures << proposedPath;
    return pictures.isEmpty() ? QString() : pictures.takeFirst();
}

QString ScriptedPrompts::chooseFolder(const QString &caption, const QString &folder)
{
    Q_UNUSED(folder)
    folderCaptions << caption;
    return folders.isEmpty() ? QString() : folders.takeFirst();
}

int ScriptedPrompts::chooseRecentClass(const QStringList &lines, const QList<bool> &present)
{
    recentLines = lines;
    recentPresent = present;
    return recentChoices.isEmpty() ? OtherClass : recentChoices.takeFirst();
}

QString ScriptedPrompts::chooseFileToOpen(const QString &caption, const QString &filter,
                                          const QString &folder)
{
    Q_UNUSED(filter)
    openCaptions << caption;
    openFolders << folder;
    return filesToOpen.isEmpty() ? QString() : filesToOpen.takeFirst();
}

int ScriptedPrompts::chooseItem(const QString &caption, const QString &label,
                                const QStringList &list)
{
    Q_UNUSED(caption)
    Q_UNUSED(label)
    itemLists << list;
    return items.isEmpty() ? -1 : items.takeFirst();
}

bool ScriptedOpener::canOpenWordDocuments()
{
    ++wordChecks;
    return hasWordProcessor;
}

bool ScriptedOpener::open(const QString &path)
{
    opened << path;
    return !unopenable.contains(path);
}

namespace TestSupport {

void isolateSettings()
{
    static QTemporaryDir settingsDir;
    QStandardPaths::setTestModeEnabled(true);
    QSettings::setDefaultFormat(QSettings::IniFormat);
    QSettings::setPath(QSettings::IniFormat, QSettings::UserScope, settingsDir.path());
    QSettings::setPath(QSettings::NativeFormat, QSettings::UserScope, settingsDir.path());
    QSettings(QStringLiteral("Quillfen"), QStringLiteral("Markwart")).clear();
}

QByteArray readBytes(const QString &path)
{
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly))
        return QByteArray();
    return file.readAll();
}

bool writeBytes(const QString &path, const QByteArray &bytes)
{
    QFile file(path);
    return file.open(QIODevice::WriteOnly) && file.write(bytes) == bytes.size();
}

QString cellOf(const QString &path, int column, int row)
{
    LoadBuffer buffer;
    QString error;
    if (!ClassFile::read(path, buffer, &error))
        return QStringLiteral("<unreadable>");
    return buffer.unscrambledCell(column, row);
}

void writeClass(const QString &path, const QList<std::tuple<int, int, QString>> &cells)
{
    ClassGrid grid;
    for (const auto &[column, row, text] : cells)
        grid.setCell(column, row, text);
    LoadBuffer buffer;
    buffer.scrambleFrom(grid);
    QString error;
    QVERIFY2(ClassFile::write(path, buffer, &error), qPrintable(error));
}

QString firstDifference(const ClassGrid &expected, const std::function<QString(int, int)> &got)
{
    for (int column = 0; column < ClassGrid::Columns; ++column)
        for (int row = 0; row < ClassGrid::Rows; ++row)
            if (const QString text = got(column, row); text != expected.cell(column, row))
                return QStringLiteral("%1/%2: \"%3\" for \"%4\"")
                    .arg(QString::number(column), QString::number(row), text,
                         expected.cell(column, row));
    return QString();
}

} // namespace TestSupport

TestSupport::ToolRun TestSupport::runTool(const QStringList &args, const QByteArray &input,
                                          const QString &temp)
{
    QProcess process;
    if (!temp.isEmpty()) {
        QDir().mkpath(temp);
        QProcessEnvironment environment = QProcessEnvironment::systemEnvironment();
        environment.insert(QStringLiteral("TMPDIR"), temp);
        process.setProcessEnvironment(environment);
    }
    process.start(QStringLiteral(MARKWART_TOOL_PATH), args);
    process.write(input);
    process.closeWriteChannel();
    ToolRun run;
    if (process.waitForFinished(60000) && process.exitStatus() == QProcess::NormalExit)
        run.exitCode = process.exitCode();
    run.out = process.readAllStandardOutput();
    run.err = process.readAllStandardError();
    return run;
}
