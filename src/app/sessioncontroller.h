#pragma once

#include "backupstore.h"
#include "filefingerprint.h"
#include "recentclasses.h"
#include "recoverystore.h"
#include "sessionview.h"

#include <QDate>
#include <QObject>
#include <QString>
#include <QTimer>

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
    // A class file handed over by a second start: offers to save the changes, then reads
    // it as "Klasse laden" does after its file dialog.
    void openClass(const QString &path);
    // The load OK of the password dialog: true when the class was taken over.
    bool confirmLoad(const QString &password);

    // "speichern"
    void saveClass();
    // The save OK of the password dialog: true when the class was written. `encrypt` is the
    // tick box "sicher verschlüsseln"; it needs a password.
    bool confirmSave(const QString &password, bool encrypt = false);
    // Whether that tick box starts ticked: for a new class and for an encrypted one.
    bool encryptByDefault() const;

    // The password dialog was closed without OK.
    void passwordDialogClosed();

    // Automatic focus: true once, when the typed text first matches the file's password.
    bool autoFocusMatch(const QString &typed);

    // The close sequence: true when the window may close now.
    bool requestClose();

    // "Sicherung laden": one of the open class's backups, taken over unsaved; saving it
    // asks first, since it replaces the current version.
    void loadBackup();
    BackupStore &backups() { return m_backups; }

    // While the class has unsaved changes, a recovery copy is written this often; 0 stops it.
    void setRecoveryInterval(int msec);
    void writeRecoveryCopy();
    const RecoveryStore &recovery() const { return m_recovery; }

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
    QString saveTarget() const { return m_saveTarget; }

    // A new learning group was started: saving proposes a new file, and closing never
    // writes over the old class.
    void forgetLoadedClass();

private:
    // What waits for a save that leaving the class asked for.
    enum class AfterSave
    {
        Nothing,
        Close,
        Load
    };

    void loadAtStart(const QString &path, bool fromCommandLine);
    // A recovery copy left by a crash: offered at start. True when it is being loaded.
    bool offerRecovery();
    // Reads a backup or recovery copy that is taken over unsaved and saved to `target`.
    bool readCopy(const QString &copy, const QString &target, bool fromBackup);
    // Where a save to `path` really goes once the teacher was asked about replacing a
    // backup's current version or a file changed by someone else; "" when cancelled.
    QString confirmOverwrite(const QString &path);
    void abandonSave();
    void chooseAndReadClass();
    // Another file is read while a load waits for its password: that load is given up.
    void dropPendingLoad();
    void takeOver();
    void startSave(const QString &versionMark);
    // Saves before the class is left; true when the class was written at once, false when
    // the save dialogs are open (then `then` follows the save) or the save failed.
    bool saveBeforeLeaving(AfterSave then);
    void continueAfterSave();
    bool writeClass(const QString &path);
    // The photos follow the class into or out of encryption.
    void recodePhotos(bool encrypt);
    void rememberSavedFile(const QString &path);
    void rememberRecent(const QString &path);
    void setCaption(const QString &caption);
    void updateStartHint();

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
    RecentClasses m_recent;
    QString m_pendingLoadPath;
    // The class to open instead of asking for one, when a second start handed it over.
    QString m_requestedPath;
    bool m_pendingEncrypted = false;
    QByteArray m_pendingPhotoKey;
    bool m_pendingLoadAtStart = false;
    // A backup or recovery copy being loaded: the class file it belongs to.
    bool m_pendingIsCopy = false;
    bool m_pendingIsBackup = false;
    QString m_pendingTarget;
    QString m_saveVersionMark;
    AfterSave m_afterSave = AfterSave::Nothing;

    // The file of the last accepted load or the last successful save: where the save on
    // close writes. Empty until one of them happened.
    QString m_saveTarget;
    // The save target as it was on disk after the last load or save.
    FileFingerprint m_targetOnDisk;
    // A backup was loaded: the next save over its class file asks first.
    bool m_replacesCurrentVersion = false;
    BackupStore m_backups;
    RecoveryStore m_recovery;
    QTimer m_recoveryTimer;
    QString m_caption = QStringLiteral("Markwart");
    QString m_captionBeforeLoad;
    bool m_autoLoadLast = false;
    bool m_popArt = false;
    bool m_planAvailable = true;
};
