#pragma once

#include "sessionview.h"

#include <QDate>
#include <QObject>
#include <QString>

class AppSettings;
class ClassDocument;
class UserPrompts;

// Loading, saving and closing a class, and what happens at start-up. The main window
// forwards its buttons, paints and close requests here; questions and file dialogs go
// through UserPrompts, so tests can answer them.
class SessionController : public QObject
{
    Q_OBJECT

public:
    SessionController(ClassDocument &document, AppSettings &settings, UserPrompts &prompts,
                      SessionView &view, const QString &programFolder, const QString &reportFolder,
                      QObject *parent = nullptr);

    // Start-up: settings with their defaults, the file to open at start and the question
    // on the first day of a month.
    void setUp(const QString &commandLineFile, const QDate &today);

    // Called on every paint of the main window until a class named at start-up was loaded.
    void onPaint();
    bool paintHandlingActive() const { return m_paintHandling; }

    // "Klasse laden"
    void loadClass();
    // The load OK of the password dialog: true when the class was taken over.
    bool confirmLoad(const QString &password);

    // "speichern"
    void saveClass();
    // The save OK of the password dialog: true when the class was written.
    bool confirmSave(const QString &password);

    // The password dialog was closed without OK.
    void passwordDialogClosed();

    // Automatic focus: true once, when the typed text first matches the file's password.
    bool autoFocusMatch(const QString &typed);

    // The close sequence: true when the window may close now.
    bool requestClose();

    bool autoLoadLast() const { return m_autoLoadLast; }
    void setAutoLoadLast(bool on);
    bool popArt() const { return m_popArt; }
    void setPopArt(bool on) { m_popArt = on; }
    bool planAvailable() const { return m_planAvailable; }
    void setPlanAvailable(bool available) { m_planAvailable = available; }

    QString programFolder() const { return m_programFolder; }
    QString projectFolder() const { return m_projectFolder; }
    QString proposedSavePath() const;
    QString fileToOpenAtStart() const { return m_fileToOpen; }

    // A new learning group was started: saving proposes a new file, not the old class.
    void forgetLoadedClass();

private:
    void loadAtStart(const QString &path, bool fromCommandLine);
    void takeOver();
    void startSave(const QString &versionMark);
    bool writeClass(const QString &path);
    void rememberSavedFile(const QString &path);

    ClassDocument &m_document;
    AppSettings &m_settings;
    UserPrompts &m_prompts;
    SessionView &m_view;
    QString m_programFolder;
    QString m_projectFolder;
    QString m_reportFolder;

    QString m_commandLineFile;
    QString m_fileToOpen;
    bool m_paintHandling = true;
    bool m_firstPaintDone = false;
    bool m_autoFocusArmed = false;

    enum class Pending
    {
        None,
        Load,
        Save
    };
    Pending m_pending = Pending::None;
    QString m_pendingLoadPath;
    bool m_pendingLoadAtStart = false;
    QString m_saveVersionMark;
    bool m_closeAfterSave = false;

    bool m_classLoadedInRun = false;
    QString m_lastLoadedPath;
    bool m_autoLoadLast = false;
    bool m_popArt = false;
    bool m_planAvailable = true;
};
