#pragma once

#include <QByteArray>
#include <QString>
#include <QStringList>
#include <QUrl>

class ClassGrid;
class DocumentOpener;
class UserPrompts;

// Hands the class to the maker's separate group program: writes its list file (one line
// "number,first name" per person) and starts the program through the file's association.
class GroupList
{
public:
    // The running processes, by their image names.
    class Processes
    {
    public:
        virtual ~Processes() = default;
        // False when the list could not be read.
        virtual bool names(QStringList *names) = 0;
    };

    // The parts of the desktop the command needs besides opening a file.
    class Desktop
    {
    public:
        virtual ~Desktop() = default;
        virtual bool openWebPage(const QUrl &url) = 0;
        // Shows the file selected in the file manager; false when nothing could be shown.
        virtual bool showSelected(const QString &path) = 0;
    };

    static const QStringList ProgramNames;
    static const QString Extension; // ".liste"

    // "<class>.liste" after the first person's class, "unbenannt.liste" without one.
    static QString fileName(const ClassGrid &grid);
    // The 34 lines, ended by CR LF, in UTF-8.
    static QByteArray contents(const ClassGrid &grid);
    static bool write(const ClassGrid &grid, const QString &path, QString *error);
    // Whether a process image name is one of the group program's, whatever the case, also
    // without ".exe" (a native build or a launcher under another system).
    static bool isGroupProgram(const QString &processName);
    static QUrl downloadPage();

    GroupList(UserPrompts &prompts, DocumentOpener &opener, Processes &processes, Desktop &desktop);

    // How long to look for the program after its file was handed to the desktop, which
    // starts it in the background.
    void setStartWait(int milliseconds) { m_startWait = milliseconds; }

    // The whole command: the notice, the file in `folder`, then the program, the download
    // question or the file manager. Returns the file written, "" when it could not be.
    QString run(const ClassGrid &grid, const QString &folder);

private:
    enum class Running
    {
        Yes,
        No,
        Unknown
    };
    Running programRunning();
    Running waitForProgram();

    UserPrompts &m_prompts;
    DocumentOpener &m_opener;
    Processes &m_processes;
    Desktop &m_desktop;
    int m_startWait = 2000;
};
