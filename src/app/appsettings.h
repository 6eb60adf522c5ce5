#pragma once

#include <QPointF>
#include <QString>
#include <QStringList>

class QSettings;

// The few values Markwart keeps outside its class files, in QSettings("Quillfen", "Markwart")
// (on Windows the registry key HKEY_CURRENT_USER\Software\Quillfen\Markwart).
// A settings store that cannot be written leaves the defaults in force.
class AppSettings
{
public:
    AppSettings();
    ~AppSettings();

    // Writes "version" and creates "backgr", "last" and "bgc" with their defaults when missing.
    void initialize(int programVersion);

    QString last() const;
    void setLast(const QString &path);
    void clearLast();

    // The classes opened last, newest first, as RecentClasses keeps them.
    QStringList recentClasses() const;
    void setRecentClasses(const QStringList &entries);

    int backgroundColour() const; // "bgc": 1 = pop art
    void setBackgroundColour(int value);

    int seatingBackground() const; // "backgr"
    void setSeatingBackground(int value);

    int version() const;

    // How far (mm, right and down) labels are moved on the sheet for this printer.
    QPointF labelOffset() const;
    void setLabelOffset(QPointF offset);

private:
    QSettings *m_settings;
};
