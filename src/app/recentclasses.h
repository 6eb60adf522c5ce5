#pragma once

#include <QDateTime>
#include <QList>
#include <QString>

class AppSettings;

// The last classes opened, newest first, kept in the settings so that "Klasse laden" can
// offer yesterday's class with one click.
class RecentClasses
{
public:
    static constexpr int Limit = 8;

    struct Entry
    {
        QString path;
        QString className;
        QDateTime opened;

        // The file's name without folder and extension.
        QString name() const;
        bool exists() const;
        // One line of the list: name, class, file and date, German.
        QString line() const;
    };

    explicit RecentClasses(AppSettings &settings);

    QList<Entry> entries() const;
    // The class at `path` was opened or saved now; an older entry of it moves to the top.
    void remember(const QString &path, const QString &className, const QDateTime &when);

private:
    AppSettings &m_settings;
};
