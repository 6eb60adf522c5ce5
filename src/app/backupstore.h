#pragma once

#include <QDateTime>
#include <QList>
#include <QString>

#include <functional>

// Earlier versions of class files, kept as they were on disk in a folder "Sicherungen"
// beside them. A save keeps the file it replaces; the last saves and one version per day
// of the last weeks stay, the rest is removed.
class BackupStore
{
public:
    static constexpr int KeptSaves = 20;
    static constexpr int KeptDays = 30;

    struct Backup
    {
        QString path;
        QDateTime time; // when this version was replaced
        qint64 size = 0;
    };

    using Clock = std::function<QDateTime()>;
    explicit BackupStore(Clock clock = Clock());

    static QString folderFor(const QString &classPath);

    // Copies the class file byte for byte into its backups and thins them out. True also
    // when there is no file yet.
    bool keep(const QString &classPath);
    // Moves a file into the backups of a class, dated `time`.
    bool adopt(const QString &file, const QString &classPath, const QDateTime &time);

    // The backups of a class, newest first.
    QList<Backup> list(const QString &classPath) const;
    // Keeps the newest KeptSaves backups, and the newest of each day of the last KeptDays
    // days; removes the others.
    void prune(const QString &classPath);

    // "06.12.2026, 14:30 Uhr  –  12,3 KB"
    static QString describe(const Backup &backup);

private:
    QDateTime now() const;
    QString freeName(const QString &classPath, const QDateTime &time) const;

    Clock m_clock;
};
