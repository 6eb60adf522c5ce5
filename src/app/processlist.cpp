#include "processlist.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QProcess>

#include <algorithm>

#ifdef Q_OS_WIN
#include <windows.h>

#include <tlhelp32.h>
#endif

namespace {

// The last part of a path, whichever separator it uses: a Windows program run through a
// compatibility layer carries its Windows path in its command line.
QString baseName(const QString &path)
{
    const qsizetype slash =
        std::max(path.lastIndexOf(QLatin1Char('/')), path.lastIndexOf(QLatin1Char('\\')));
    return path.mid(slash + 1).trimmed();
}

void add(QStringList *names, const QString &name)
{
    if (!name.isEmpty() && !names->contains(name))
        names->append(name);
}

#ifdef Q_OS_WIN
bool snapshotNames(QStringList *names)
{
    const HANDLE snapshot = CreateToolhelp32Snapshot(TH32CS_SNAPPROCESS, 0);
    if (snapshot == INVALID_HANDLE_VALUE)
        return false;
    PROCESSENTRY32W entry;
    entry.dwSize = sizeof(entry);
    for (BOOL more = Process32FirstW(snapshot, &entry); more;
         more = Process32NextW(snapshot, &entry))
        add(names, QString::fromWCharArray(entry.szExeFile));
    CloseHandle(snapshot);
    return true;
}
#else
// Each process by its short name (cut to 15 characters by the kernel), the program it was
// started as and the file it runs.
bool procNames(QStringList *names)
{
    const QDir proc(QStringLiteral("/proc"));
    const QStringList entries = proc.entryList(QDir::Dirs | QDir::NoDotAndDotDot);
    bool any = false;
    for (const QString &entry : entries) {
        bool isProcess = false;
        entry.toLongLong(&isProcess);
        if (!isProcess)
            continue;
        any = true;
        QFile comm(proc.filePath(entry + QStringLiteral("/comm")));
        if (comm.open(QIODevice::ReadOnly))
            add(names, QString::fromLocal8Bit(comm.readAll()).trimmed());
        QFile cmdline(proc.filePath(entry + QStringLiteral("/cmdline")));
        if (cmdline.open(QIODevice::ReadOnly))
            add(names, baseName(QString::fromLocal8Bit(cmdline.readAll().split('\0').value(0))));
        add(names,
            baseName(QFileInfo(proc.filePath(entry + QStringLiteral("/exe"))).symLinkTarget()));
    }
    return any;
}

bool psNames(QStringList *names)
{
    QProcess ps;
    ps.start(QStringLiteral("ps"),
             {QStringLiteral("-A"), QStringLiteral("-o"), QStringLiteral("comm=")});
    if (!ps.waitForFinished(5000) || ps.exitStatus() != QProcess::NormalExit || ps.exitCode() != 0)
        return false;
    for (const QByteArray &line : ps.readAllStandardOutput().split('\n'))
        add(names, baseName(QString::fromLocal8Bit(line)));
    return true;
}
#endif

} // namespace

bool ProcessList::names(QStringList *names)
{
    names->clear();
#ifdef Q_OS_WIN
    return snapshotNames(names);
#else
    return procNames(names) || psNames(names);
#endif
}
