#include "appfolders.h"

#include "username.h"

#include <QCoreApplication>
#include <QDir>
#include <QStandardPaths>
#include <QTemporaryFile>

namespace AppFolders {

static bool isWritableFolder(const QString &folder)
{
    // Permission bits can mislead (ACLs, read-only media); trying is reliable.
    QTemporaryFile probe(QDir(folder).filePath(QStringLiteral("markwart-probe-XXXXXX")));
    return probe.open();
}

static bool holdsClasses(const QDir &folder)
{
    // Name filters match regardless of case unless told otherwise.
    return folder.exists(QStringLiteral("portable")) ||
           !folder.entryList({QStringLiteral("*.mwk")}, QDir::Files).isEmpty();
}

QString chooseProgramFolder(const QString &executableFolder, const QString &documentsFolder)
{
    if (!executableFolder.isEmpty() && holdsClasses(QDir(executableFolder)) &&
        isWritableFolder(executableFolder))
        return QDir::cleanPath(executableFolder);
    return QDir::cleanPath(QDir(documentsFolder).filePath(QStringLiteral("Markwart")));
}

QString programFolder()
{
    return chooseProgramFolder(QCoreApplication::applicationDirPath(),
                               QStandardPaths::writableLocation(QStandardPaths::DocumentsLocation));
}

void ensureProgramFolder(const QString &folder)
{
    QDir().mkpath(QDir(folder).filePath(QStringLiteral("Fotos")));
}

QString reportFolder()
{
    // A temporary folder that does not exist reads as "": the reports (and the clear-text
    // photo of the person report) must never land in whatever the current folder is.
    QString base = QDir::tempPath();
    if (base.isEmpty())
        base = QStandardPaths::writableLocation(QStandardPaths::CacheLocation);
    if (base.isEmpty())
        base = QDir::homePath();
    return QDir(base).filePath(QStringLiteral("Markwart-%1").arg(UserName::current()));
}

} // namespace AppFolders
