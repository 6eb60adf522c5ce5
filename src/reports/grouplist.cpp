#include "grouplist.h"

#include "reportbuilder.h"

#include "classdata/classdocument.h"
#include "classdata/classgrid.h"
#include "classdata/documentopener.h"
#include "classdata/userprompts.h"
#include "documents/htmlreportwriter.h"

#include <QDeadlineTimer>
#include <QDir>
#include <QSaveFile>
#include <QThread>

#include <algorithm>

namespace {

const char *const NoticeStart = "Ich generiere eine Liste für den Quillfen Riegenmacher!\r"
                                "Das Programm kann Lerngruppen zufallsgesteuert aufteilen.\r"
                                "Es ist kostenlos auf ";
const char *const NoticeEnd =
    " erhältlich.\r \rViel Erfolg beim Einteilen von Gruppen ohne Streit.";
const char *const DownloadQuestion =
    "Ich kann den Riegenmacher nicht finden!\rVielleicht liegt er in einem anderen "
    "Verzeichnis.\r  \rWillst du den Riegenmacher herunterladen?";
const char *const FileLeftMessage = "Im Ordner vom Markwart liegt jetzt die Datei für den "
                                    "Riegenmacher: ";
const char *const WriteFailedMessage = "Die Datei für den Riegenmacher kann nicht geschrieben "
                                       "werden: ";

const char *const Unnamed = "unbenannt";
const int PollInterval = 200;

} // namespace

const QStringList GroupList::ProgramNames{QStringLiteral("Riegenmacher64.exe"),
                                          QStringLiteral("Riegenmacher32.exe"),
                                          QStringLiteral("Riegenmacher.exe")};
const QString GroupList::Extension = QStringLiteral(".liste");

QString GroupList::fileName(const ClassGrid &grid)
{
    // The class field shows the first person's class after loading.
    QString name = ReportBuilder::fileNamePart(grid.cell(1, ClassDocument::dataRow(0)));
    if (name.isEmpty())
        name = QString::fromLatin1(Unnamed);
    return name + Extension;
}

QByteArray GroupList::contents(const ClassGrid &grid)
{
    QByteArray out;
    for (int person = 0; person < ClassDocument::PersonCount; ++person) {
        // A stray leading blank would otherwise leave the person without a name, and a
        // comma ("Müller, Anna") would add a field to the line.
        const QString name = grid.cell(0, ClassDocument::dataRow(person)).trimmed();
        const QString first = name.section(QLatin1Char(' '), 0, 0).section(QLatin1Char(','), 0, 0);
        out += QByteArray::number(person + 1) + ',' + first.toUtf8() + "\r\n";
    }
    return out;
}

bool GroupList::write(const ClassGrid &grid, const QString &path, QString *error)
{
    QSaveFile file(path);
    if (file.open(QIODevice::WriteOnly) && file.write(contents(grid)) >= 0 && file.commit())
        return true;
    if (error)
        *error = file.errorString();
    return false;
}

bool GroupList::isGroupProgram(const QString &processName)
{
    static const QString Exe = QStringLiteral(".exe");
    for (const QString &name : ProgramNames)
        if (processName.compare(name, Qt::CaseInsensitive) == 0 ||
            processName.compare(name.chopped(Exe.size()), Qt::CaseInsensitive) == 0)
            return true;
    return false;
}

QUrl GroupList::downloadPage()
{
    return QUrl(QString::fromLatin1(HtmlReportWriter::MakerAddress) +
                QStringLiteral("riegenmacher/"));
}

GroupList::GroupList(UserPrompts &prompts, DocumentOpener &opener, Processes &processes,
                     Desktop &desktop)
    : m_prompts(prompts), m_opener(opener), m_processes(processes), m_desktop(desktop)
{}

GroupList::Running GroupList::programRunning()
{
    QStringList names;
    if (!m_processes.names(&names))
        return Running::Unknown;
    for (const QString &name : names)
        if (isGroupProgram(name))
            return Running::Yes;
    return Running::No;
}

GroupList::Running GroupList::waitForProgram()
{
    const QDeadlineTimer deadline(m_startWait);
    for (;;) {
        const Running running = programRunning();
        if (running != Running::No || deadline.hasExpired())
            return running;
        QThread::msleep(std::min<qint64>(PollInterval, deadline.remainingTime()));
    }
}

QString GroupList::run(const ClassGrid &grid, const QString &folder)
{
    m_prompts.showMessage(QString::fromUtf8(NoticeStart) +
                          QString::fromLatin1(HtmlReportWriter::MakerAddress) +
                          QString::fromUtf8(NoticeEnd));

    const QString path = QDir::cleanPath(QDir(folder).absoluteFilePath(fileName(grid)));
    QString error;
    if (!write(grid, path, &error)) {
        m_prompts.showMessage(QString::fromUtf8(WriteFailedMessage) +
                              QDir::toNativeSeparators(path) + QLatin1Char('\r') + error);
        return QString();
    }
    const QString fileLeft = QString::fromUtf8(FileLeftMessage) + QDir::toNativeSeparators(path);

    // An unreadable process list does not stop the program from being started; it only
    // leaves us unable to tell whether it came up.
    if (programRunning() == Running::Yes)
        return path;
    const Running started = m_opener.open(path) ? waitForProgram() : programRunning();
    if (started == Running::Yes)
        return path;
    if (started == Running::Unknown) {
        m_prompts.showMessage(fileLeft);
        return path;
    }

    const bool shown = m_prompts.askYesNo(QString::fromUtf8(DownloadQuestion))
                           ? m_desktop.openWebPage(downloadPage())
                           : m_desktop.showSelected(path);
    if (!shown)
        m_prompts.showMessage(fileLeft);
    return path;
}
