#include "backupstore.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QLocale>
#include <QRegularExpression>
#include <QSet>

#include <algorithm>

namespace {

const QString Folder = QStringLiteral("Sicherungen");
const QString StampFormat = QStringLiteral("yyyyMMdd-HHmmss");

// "<name>_<yyyyMMdd-HHmmss>[-n].<suffix>": a number is added when two saves share a second.
QRegularExpression namePattern(const QFileInfo &classFile)
{
    return QRegularExpression(QStringLiteral("^") +
                              QRegularExpression::escape(classFile.completeBaseName()) +
                              QStringLiteral("_(\\d{8}-\\d{6})(?:-(\\d+))?\\.") +
                              QRegularExpression::escape(classFile.suffix()) + QStringLiteral("$"));
}

} // namespace

BackupStore::BackupStore(Clock clock) : m_clock(std::move(clock)) {}

QDateTime BackupStore::now() const
{
    return m_clock ? m_clock() : QDateTime::currentDateTime();
}

QString BackupStore::folderFor(const QString &classPath)
{
    return QFileInfo(classPath).absoluteDir().filePath(Folder);
}

QString BackupStore::freeName(const QString &classPath, const QDateTime &time) const
{
    const QFileInfo info(classPath);
    const QDir folder(folderFor(classPath));
    const QString stem = info.completeBaseName() + u'_' + time.toString(StampFormat);
    QString name = stem + u'.' + info.suffix();
    for (int n = 2; folder.exists(name); ++n)
        name = stem + u'-' + QString::number(n) + u'.' + info.suffix();
    return folder.filePath(name);
}

bool BackupStore::keep(const QString &classPath)
{
    const QFileInfo info(classPath);
    if (!info.isFile())
        return true;
    if (!QDir().mkpath(folderFor(classPath)))
        return false;
    const bool copied = QFile::copy(classPath, freeName(classPath, now()));
    prune(classPath);
    return copied;
}

bool BackupStore::adopt(const QString &file, const QString &classPath, const QDateTime &time)
{
    if (!QDir().mkpath(folderFor(classPath)))
        return false;
    const QString target = freeName(classPath, time);
    // Another drive cannot take a rename; then the file is copied.
    const bool moved =
        QFile::rename(file, target) || (QFile::copy(file, target) && QFile::remove(file));
    prune(classPath);
    return moved;
}

QList<BackupStore::Backup> BackupStore::list(const QString &classPath) const
{
    const QRegularExpression pattern = namePattern(QFileInfo(classPath));
    struct Found
    {
        Backup backup;
        int number;
    };
    QList<Found> found;
    const QFileInfoList files = QDir(folderFor(classPath)).entryInfoList(QDir::Files);
    for (const QFileInfo &file : files) {
        const QRegularExpressionMatch match = pattern.match(file.fileName());
        if (!match.hasMatch())
            continue;
        const QDateTime time = QDateTime::fromString(match.captured(1), StampFormat);
        if (!time.isValid())
            continue;
        found.append({{file.absoluteFilePath(), time, file.size()},
                      match.captured(2).isEmpty() ? 1 : match.captured(2).toInt()});
    }
    std::sort(found.begin(), found.end(), [](const Found &a, const Found &b) {
        if (a.backup.time != b.backup.time)
            return a.backup.time > b.backup.time;
        return a.number > b.number;
    });
    QList<Backup> backups;
    for (const Found &f : qAsConst(found))
        backups.append(f.backup);
    return backups;
}

void BackupStore::prune(const QString &classPath)
{
    const QList<Backup> backups = list(classPath);
    const QDateTime limit = now().addDays(-KeptDays);
    QSet<QDate> daysKept;
    for (int i = 0; i < backups.size(); ++i) {
        const Backup &backup = backups.at(i);
        const QDate day = backup.time.date();
        // The newest saves stay whatever their age: a class left alone over the holidays
        // still has its last versions.
        const bool kept = i < KeptSaves || (backup.time >= limit && !daysKept.contains(day));
        if (kept)
            daysKept.insert(day);
        else
            QFile::remove(backup.path);
    }
}

QString BackupStore::describe(const Backup &backup)
{
    const QLocale locale;
    QString size;
    if (backup.size < 1024)
        size = locale.toString(backup.size) + QStringLiteral(" Bytes");
    else if (backup.size < 1024 * 1024)
        size = locale.toString(backup.size / 1024.0, 'f', 1) + QStringLiteral(" KB");
    else
        size = locale.toString(backup.size / (1024.0 * 1024.0), 'f', 1) + QStringLiteral(" MB");
    return backup.time.toString(QStringLiteral("dd.MM.yyyy, HH:mm:ss")) +
           QStringLiteral(" Uhr  –  ") + size;
}
