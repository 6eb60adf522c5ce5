#pragma once

#include <QByteArray>
#include <QDateTime>
#include <QString>

class BackupStore;
class ClassDocument;

// The copy of unsaved changes that outlives a crash: one class file in the folder
// "Wiederherstellung" of the program folder, beside a note naming the class file it
// belongs to (none for a class that was never saved).
class RecoveryStore
{
public:
    explicit RecoveryStore(const QString &programFolder);

    QString copyPath() const;
    bool exists() const;
    // The class file the copy belongs to, "" when the class had none.
    QString classPath() const;
    QDateTime writtenAt() const;
    // True when the copy holds changes its class file lacks: it was written after it.
    bool isNewerThanClass() const;

    // Replaces the copy; both files are written whole or not at all.
    bool write(const QByteArray &fileBytes, const QString &classPath);
    void remove();
    // Moves the copy into the backups of its class (the program folder's for a class
    // without a file).
    bool keepAsBackup(BackupStore &backups);

    // The file image of the class as a save would stamp it, made from a copy so that the
    // open class, its views and its saved flag stay as they are. An encrypted class gives
    // its encrypted image; "" when that cannot be made.
    static QByteArray stampedImage(const ClassDocument &document, const QString &versionMark);

private:
    QString notePath() const;

    QString m_programFolder;
    QString m_folder;
};
