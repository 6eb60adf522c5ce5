#include "sessioncontroller.h"

#include "appsettings.h"
#include "classdata/classdocument.h"
#include "classdata/classfile.h"
#include "classdata/userprompts.h"
#include "photos/photoconverter.h"
#include "photos/photostore.h"
#include "tempreportfiles.h"

#include <QDateTime>
#include <QDir>
#include <QFile>
#include <QFileInfo>

#include <utility>

namespace {

const QString SaveMark = QStringLiteral("Neu");

QString closeMark()
{
    return QString::number(ClassDocument::ProgramVersion);
}

const char *const OlderVersionMessage =
    "Diese Datei wurde mit einer älteren Version erstellt!\rSollten schon Noten oder Pkt. "
    "vorhanden sein, erscheinen in Spalte 21 die Durchschnittswerte der alten Version.  \rDiese "
    "Werte in Notenspalte 21 einfach löschen, der Durchschnitt erscheint jetzt in Spalte 31.\rSind "
    "sogar schon Werte im Bereich zwischen 22 und 30 eingetragen, so waren das schriftliche "
    "Ergebnisse.\rDiese Werte müssen leider von Hand umgetragen werden, am einfachsten in der "
    "jeweiligen Fachansicht.\rSorry, aber es lohnt sich.\r\rWem das zu kompliziert ist, darf "
    "jetzt nicht speichern und muss weiterhin die alte Version verwenden.";

const char *const ConvertPhotosQuestion =
    "Diese Datei enthält noch unverschlüsselte Fotos!\rSollen Fotos und Datei in das neue Format "
    "konvertiert werden?  \rDie Konvertierung wird empfohlen.";

} // namespace

SessionController::SessionController(ClassDocument &document, AppSettings &settings,
                                     UserPrompts &prompts, SessionView &view,
                                     const QString &programFolder, const QString &reportFolder,
                                     QObject *parent)
    : QObject(parent), m_document(document), m_settings(settings), m_prompts(prompts), m_view(view),
      m_programFolder(programFolder), m_projectFolder(programFolder), m_reportFolder(reportFolder),
      m_recent(settings), m_recovery(programFolder)
{
    connect(&m_document, &ClassDocument::savedChanged, this, &SessionController::updateStartHint);
    connect(&m_recoveryTimer, &QTimer::timeout, this, &SessionController::writeRecoveryCopy);
}

void SessionController::setUp(const QString &commandLineFile, const QDate &today)
{
    m_commandLineFile = commandLineFile;
    m_settings.initialize(ClassDocument::ProgramVersion);
    const QString last = m_settings.last();
    m_autoLoadLast = !last.isEmpty();
    m_fileToOpen = last;
    m_popArt = m_settings.backgroundColour() == 1;
    if (today.day() == 1 &&
        m_prompts.askYesNo(QStringLiteral("Heute könnte man nach Updates schauen, willst du?")))
        m_view.showHelpPanel();
}

void SessionController::onPaint()
{
    if (!m_paintHandling)
        return;
    m_autoFocusArmed = true;
    if (!m_commandLineFile.isEmpty())
        m_fileToOpen = m_commandLineFile;
    const bool firstPaint = !m_firstPaintDone;
    m_firstPaintDone = true;
    if (firstPaint && offerRecovery()) {
        m_paintHandling = false;
        updateStartHint();
        return;
    }

    if (!m_fileToOpen.isEmpty()) {
        m_paintHandling = false;
        loadAtStart(m_fileToOpen, !m_commandLineFile.isEmpty());
    } else if (firstPaint && m_commandLineFile.isEmpty() && !m_autoLoadLast &&
               !QDir(m_projectFolder).entryList({QStringLiteral("*.MWk")}, QDir::Files).isEmpty()) {
        loadClass();
    }
    updateStartHint();
}

void SessionController::loadAtStart(const QString &path, bool fromCommandLine)
{
    QString error;
    if (!ClassFile::read(path, m_document.loadBuffer(), &error)) {
        // A remembered class that has gone is skipped quietly; a file the user named is not.
        if (fromCommandLine)
            m_prompts.showMessage(error);
        return;
    }
    m_pending = Pending::Load;
    m_pendingLoadPath = path;
    m_pendingLoadAtStart = true;
    m_pendingIsCopy = false;
    // The teacher sees which class is coming while the password is asked for.
    m_captionBeforeLoad = m_caption;
    setCaption(QStringLiteral("Markwart arbeitet mit ") + QFileInfo(path).fileName());
    m_view.showPasswordDialog(SessionView::PasswordMode::Load, QString(),
                              QFileInfo(path).fileName());
}

void SessionController::loadClass()
{
    openClass(QString());
}

void SessionController::openClass(const QString &path)
{
    // Kept until the class is chosen: a save asked for first may come in between.
    m_requestedPath = path;
    if (!m_document.isSaved()) {
        switch (m_prompts.askYesNoCancel(
            QStringLiteral("Änderungen der aktuellen Datei zunächst speichern?"))) {
        case UserPrompts::Answer::Cancel:
            m_requestedPath.clear();
            return;
        case UserPrompts::Answer::Yes:
            // Saved at once, or the load goes on once the save dialogs are done.
            if (!saveBeforeLeaving(AfterSave::Load))
                return;
            break;
        case UserPrompts::Answer::No:
            break;
        }
        m_autoFocusArmed = true;
    }
    chooseAndReadClass();
}

void SessionController::chooseAndReadClass()
{
    QString path = std::exchange(m_requestedPath, QString());
    if (path.isEmpty()) {
        // Yesterday's class is one click away; any other through the file dialog.
        const QList<RecentClasses::Entry> recent = m_recent.entries();
        int choice = UserPrompts::OtherClass;
        if (!recent.isEmpty()) {
            QStringList lines;
            QList<bool> present;
            for (const RecentClasses::Entry &entry : recent) {
                lines << entry.line();
                present << entry.exists();
            }
            choice = m_prompts.chooseRecentClass(lines, present);
        }
        if (choice >= 0 && choice < recent.size())
            path = recent[choice].path;
        else if (choice == UserPrompts::OtherClass)
            path = m_prompts.chooseClassToOpen(m_projectFolder);
    }
    if (path.isEmpty())
        return;
    dropPendingLoad();
    QString error;
    if (!ClassFile::read(path, m_document.loadBuffer(), &error)) {
        m_prompts.showMessage(error);
        return;
    }
    m_pending = Pending::Load;
    m_pendingLoadPath = QFileInfo(path).absoluteFilePath();
    m_pendingLoadAtStart = false;
    m_pendingIsCopy = false;
    m_view.showPasswordDialog(SessionView::PasswordMode::Load, QString(),
                              QStringLiteral("Passwortdialog"));
    updateStartHint();
}

bool SessionController::autoFocusMatch(const QString &typed)
{
    if (!m_autoFocusArmed || m_pending != Pending::Load || m_document.loadBuffer().isSealed())
        return false;
    if (typed != m_document.loadBuffer().unscrambledCell(17, 599))
        return false;
    m_autoFocusArmed = false;
    return true;
}

bool SessionController::confirmLoad(const QString &password)
{
    if (m_pending != Pending::Load)
        return false;
    m_pendingEncrypted = m_document.loadBuffer().isSealed();
    if (m_pendingEncrypted) {
        QString error;
        const auto result = ClassFile::unseal(m_document.loadBuffer(), password, &m_pendingPhotoKey,
                                              m_pendingLoadPath, &error);
        if (result == SecureClassFile::Result::Ok) {
            takeOver();
            return true;
        }
        // Another password may be tried; a damaged file stays damaged.
        if (result != SecureClassFile::Result::WrongPassword)
            dropPendingLoad();
        m_prompts.showMessage(error);
        return false;
    }
    if (password != m_document.loadBuffer().unscrambledCell(17, 599)) {
        m_prompts.showMessage(QStringLiteral("Das Passwort ist falsch!"));
        return false;
    }
    takeOver();
    return true;
}

void SessionController::takeOver()
{
    const bool copy = m_pendingIsCopy;
    const QString path = copy ? m_pendingTarget : QFileInfo(m_pendingLoadPath).absoluteFilePath();
    m_pending = Pending::None;
    ClassGrid &grid = m_document.grid();
    // A file that ends early is loaded as far as it goes; the teacher hears of it.
    const QString incomplete = m_document.loadBuffer().warning();
    // Loading is nothing the teacher could take back.
    const ClassGrid::Unrecorded loading(grid);

    m_document.loadBuffer().unscrambleInto(grid);
    grid.setCell(18, 599, QDir::toNativeSeparators(path));
    m_saveTarget = path;
    if (!path.isEmpty())
        m_projectFolder = QFileInfo(path).absolutePath();
    m_document.setEncrypted(m_pendingEncrypted);
    m_document.setPhotoKey(m_pendingEncrypted ? m_pendingPhotoKey : QByteArray());
    m_pendingPhotoKey.clear();
    m_document.readSettingsFromGrid();
    m_document.setSaved(!copy);
    m_targetOnDisk = FileFingerprint::of(path);
    m_replacesCurrentVersion = copy && m_pendingIsBackup;
    // Changes given up for another class need no recovery; a restored copy keeps it until
    // the next one is written.
    if (!copy)
        m_recovery.remove();
    if (!path.isEmpty())
        rememberRecent(path);

    m_view.hidePasswordDialog();
    if (path.isEmpty())
        setCaption(QStringLiteral("Markwart"));
    else
        setCaption(
            QStringLiteral("Markwart arbeitet mit ") +
            (m_pendingLoadAtStart ? QFileInfo(path).fileName() : QDir::toNativeSeparators(path)));
    m_view.showLoadedClass();
    updateStartHint();
    if (!incomplete.isEmpty())
        m_prompts.showMessage(incomplete);

    const QString photo = grid.cell(20, ClassDocument::dataRow(m_document.currentPerson()));
    // A copy is converted with its first save, which asks before it replaces anything.
    if (!copy && !photo.isEmpty() && !photo.endsWith(QLatin1String(".bmp")) &&
        !PhotoStore::isEncryptedPhoto(photo) &&
        m_prompts.askYesNo(QString::fromUtf8(ConvertPhotosQuestion))) {
        PhotoConverter::convertClass(grid, m_projectFolder);
        m_document.stampKeepingVersion();
        if (writeClass(path)) {
            rememberSavedFile(path);
            m_document.setSaved(true);
        }
        m_view.showLoadedClass();
    }

    if (m_document.versionMark().isEmpty())
        m_prompts.showMessage(QString::fromUtf8(OlderVersionMessage));
}

QString SessionController::proposedSavePath() const
{
    if (!m_saveTarget.isEmpty())
        return m_saveTarget;
    const QString className =
        m_document.grid().cell(1, ClassDocument::dataRow(m_document.currentPerson()));
    return QDir(m_programFolder).filePath(className + QStringLiteral(".MWk"));
}

void SessionController::saveClass()
{
    startSave(SaveMark);
}

void SessionController::startSave(const QString &versionMark)
{
    m_planAvailable = true;
    m_saveVersionMark = versionMark;
    m_document.stamp(versionMark);
    m_autoFocusArmed = true;
    m_pending = Pending::Save;
    m_view.showPasswordDialog(SessionView::PasswordMode::Save, m_document.password(),
                              QStringLiteral("Passwortdialog"));
}

bool SessionController::encryptByDefault() const
{
    return m_document.isEncrypted() || m_saveTarget.isEmpty();
}

bool SessionController::confirmSave(const QString &password, bool encrypt)
{
    if (m_pending != Pending::Save)
        return false;
    encrypt = encrypt && !password.isEmpty();
    {
        const ClassGrid::Unrecorded saving(m_document.grid());
        m_document.grid().setCell(17, 599, password);
    }

    QString path = m_prompts.chooseSaveFile(proposedSavePath());
    if (path.isEmpty()) {
        abandonSave();
        return false;
    }
    if (!path.endsWith(QLatin1String(".MWk"), Qt::CaseInsensitive))
        path += QLatin1String(".MWk");
    path = confirmOverwrite(QFileInfo(path).absoluteFilePath());
    if (path.isEmpty()) {
        abandonSave();
        return false;
    }

    if (encrypt != m_document.isEncrypted())
        recodePhotos(encrypt);
    m_document.stamp(m_saveVersionMark);
    if (!writeClass(path)) {
        m_afterSave = AfterSave::Nothing;
        return false;
    }
    rememberSavedFile(path);
    rememberRecent(path);
    m_saveTarget = path;
    m_pending = Pending::None;
    setCaption(QStringLiteral("Markwart - ") + QDir::toNativeSeparators(path));
    m_view.hidePasswordDialog();
    m_document.setSaved(true);
    updateStartHint();
    continueAfterSave();
    return true;
}

void SessionController::abandonSave()
{
    // Cancelling the save dialog abandons the save, and whatever was waiting for it.
    m_pending = Pending::None;
    m_afterSave = AfterSave::Nothing;
    m_view.hidePasswordDialog();
}

void SessionController::continueAfterSave()
{
    const AfterSave then = m_afterSave;
    m_afterSave = AfterSave::Nothing;
    if (then == AfterSave::Close) {
        m_view.closeMainWindow();
    } else if (then == AfterSave::Load) {
        m_autoFocusArmed = true;
        chooseAndReadClass();
    }
}

void SessionController::dropPendingLoad()
{
    if (m_pending != Pending::Load)
        return;
    // A load that was not accepted leaves the caption as it was.
    if (m_pendingLoadAtStart)
        setCaption(m_captionBeforeLoad);
    m_pending = Pending::None;
    m_view.hidePasswordDialog();
}

void SessionController::passwordDialogClosed()
{
    if (m_pending == Pending::Load && m_pendingLoadAtStart)
        setCaption(m_captionBeforeLoad);
    m_pending = Pending::None;
    m_afterSave = AfterSave::Nothing;
    updateStartHint();
}

bool SessionController::writeClass(const QString &path)
{
    LoadBuffer &buffer = m_document.loadBuffer();
    buffer.scrambleFrom(m_document.grid());
    // A backup that cannot be made must not stop the save the teacher asked for.
    m_backups.keep(path);
    QString error;
    if (m_document.isEncrypted() &&
        !ClassFile::seal(buffer, m_document.password(), m_document.photoKey(), &error)) {
        m_prompts.showMessage(error);
        return false;
    }
    if (!ClassFile::write(path, buffer, &error)) {
        m_prompts.showMessage(error);
        return false;
    }
    return true;
}

void SessionController::rememberRecent(const QString &path)
{
    m_recent.remember(path, m_document.grid().cell(1, ClassDocument::dataRow(0)),
                      QDateTime::currentDateTime());
}

void SessionController::recodePhotos(bool encrypt)
{
    if (encrypt && m_document.photoKey().isEmpty())
        m_document.setPhotoKey(SecureClassFile::newPhotoKey());
    m_document.setEncrypted(encrypt);
    const QStringList old = PhotoStore::recodeClass(m_document.grid(), m_projectFolder,
                                                    encrypt ? m_document.photoKey() : QByteArray());
    if (!old.isEmpty() &&
        m_prompts.askYesNo(QStringLiteral(
            "Die alten Fotodateien löschen? Andere Klassen oder Sicherungen, die sie noch "
            "benutzen, zeigen dann kein Foto mehr.")))
        for (const QString &file : old)
            QFile::remove(file);
}

void SessionController::rememberSavedFile(const QString &path)
{
    m_settings.setLast(m_autoLoadLast ? QDir::toNativeSeparators(path) : QString());
    m_settings.setBackgroundColour(m_popArt ? 1 : 0);
    m_targetOnDisk = FileFingerprint::of(path);
    m_replacesCurrentVersion = false;
    m_recovery.remove();
}

void SessionController::setCaption(const QString &caption)
{
    m_caption = caption;
    m_view.setCaption(caption);
}

void SessionController::updateStartHint()
{
    // Only while nothing is there yet: no class opened, saved or typed, no load under way.
    const bool nothingYet = m_firstPaintDone && m_pending != Pending::Load &&
                            m_saveTarget.isEmpty() && m_document.isSaved() &&
                            m_document.grid().cell(0, ClassDocument::dataRow(0)).isEmpty();
    m_view.showStartHint(nothingYet);
}

bool SessionController::requestClose()
{
    m_planAvailable = true;
    TempReportFiles::removeAll(m_reportFolder);
    if (m_document.isSaved()) {
        m_recovery.remove();
        return true;
    }
    switch (m_prompts.askYesNoCancel(QStringLiteral("Änderungen speichern?"))) {
    case UserPrompts::Answer::No:
        m_recovery.remove();
        return true;
    case UserPrompts::Answer::Cancel:
        return false;
    case UserPrompts::Answer::Yes:
        break;
    }
    return saveBeforeLeaving(AfterSave::Close);
}

bool SessionController::saveBeforeLeaving(AfterSave then)
{
    m_afterSave = then;
    m_document.stamp(closeMark());
    if (m_saveTarget.isEmpty()) {
        startSave(closeMark());
        return false;
    }
    m_afterSave = AfterSave::Nothing;
    const QString path = confirmOverwrite(m_saveTarget);
    if (path.isEmpty() || !writeClass(path))
        return false;
    if (path != m_saveTarget)
        setCaption(QStringLiteral("Markwart - ") + QDir::toNativeSeparators(path));
    m_saveTarget = path;
    rememberSavedFile(path);
    m_document.setSaved(true);
    return true;
}

void SessionController::forgetLoadedClass()
{
    m_saveTarget.clear();
    m_projectFolder = m_programFolder;
    setAutoLoadLast(false);
    setCaption(QStringLiteral("Markwart"));
    updateStartHint();
}

void SessionController::setAutoLoadLast(bool on)
{
    m_autoLoadLast = on;
    if (!on)
        m_settings.clearLast();
}

bool SessionController::offerRecovery()
{
    if (!m_recovery.exists())
        return false;
    // Older than its class file: the class was saved after it, nothing is missing.
    if (!m_recovery.isNewerThanClass()) {
        m_recovery.keepAsBackup(m_backups);
        return false;
    }
    const QString when = m_recovery.writtenAt().toString(QStringLiteral("dd.MM.yyyy, HH:mm"));
    if (!m_prompts.askYesNo(QStringLiteral("Markwart wurde nicht ordnungsgemäß beendet. "
                                           "Ungespeicherte Änderungen vom %1 Uhr "
                                           "wiederherstellen?")
                                .arg(when))) {
        m_recovery.keepAsBackup(m_backups);
        return false;
    }
    if (readCopy(m_recovery.copyPath(), m_recovery.classPath(), false))
        return true;
    m_recovery.keepAsBackup(m_backups);
    return false;
}

bool SessionController::readCopy(const QString &copy, const QString &target, bool fromBackup)
{
    dropPendingLoad();
    QString error;
    if (!ClassFile::read(copy, m_document.loadBuffer(), &error)) {
        m_prompts.showMessage(error);
        return false;
    }
    m_pending = Pending::Load;
    m_pendingLoadPath = copy;
    m_pendingLoadAtStart = !fromBackup;
    m_pendingIsCopy = true;
    m_pendingIsBackup = fromBackup;
    m_pendingTarget = target.isEmpty() ? QString() : QFileInfo(target).absoluteFilePath();
    m_captionBeforeLoad = m_caption;
    m_view.showPasswordDialog(SessionView::PasswordMode::Load, QString(),
                              QStringLiteral("Passwortdialog"));
    updateStartHint();
    return true;
}

void SessionController::loadBackup()
{
    if (m_saveTarget.isEmpty()) {
        m_prompts.showMessage(
            QStringLiteral("Sicherungen gibt es erst, wenn die Klasse gespeichert worden ist."));
        return;
    }
    const QString target = m_saveTarget;
    if (m_backups.list(target).isEmpty()) {
        m_prompts.showMessage(QStringLiteral("Von „%1“ gibt es noch keine Sicherung.")
                                  .arg(QFileInfo(target).fileName()));
        return;
    }
    if (!m_document.isSaved()) {
        switch (m_prompts.askYesNoCancel(
            QStringLiteral("Änderungen der aktuellen Datei zunächst speichern?"))) {
        case UserPrompts::Answer::Cancel:
            return;
        case UserPrompts::Answer::Yes:
            if (!saveBeforeLeaving(AfterSave::Nothing))
                return;
            break;
        case UserPrompts::Answer::No:
            break;
        }
    }
    // Read again: the save just made added one.
    const QList<BackupStore::Backup> backups = m_backups.list(target);
    QStringList items;
    for (const BackupStore::Backup &backup : backups)
        items << BackupStore::describe(backup);
    const int chosen =
        m_prompts.chooseItem(QStringLiteral("Sicherung laden"),
                             QStringLiteral("Sicherungen von „%1“, die neueste zuerst:")
                                 .arg(QFileInfo(target).fileName()),
                             items);
    if (chosen < 0 || chosen >= backups.size())
        return;
    m_autoFocusArmed = true;
    readCopy(backups.at(chosen).path, target, true);
}

QString SessionController::confirmOverwrite(const QString &path)
{
    if (path != m_saveTarget)
        return path;
    const QString name = QFileInfo(path).fileName();
    QString reason;
    if (m_replacesCurrentVersion)
        reason = QStringLiteral("Die geladene Sicherung ersetzt beim Speichern die aktuelle "
                                "Fassung von „%1“.")
                     .arg(name);
    else if (m_targetOnDisk.changedOnDisk(path))
        reason = QStringLiteral("„%1“ wurde seit dem Laden oder letzten Speichern von außen "
                                "geändert (auf einem anderen Rechner oder in einem zweiten "
                                "Markwart).")
                     .arg(name);
    else
        return path;
    switch (
        m_prompts.askYesNoCancel(reason + QStringLiteral("\rDie Datei überschreiben?\r\r„Nein“ "
                                                         "speichert unter einem anderen Namen."))) {
    case UserPrompts::Answer::Yes:
        return path;
    case UserPrompts::Answer::Cancel:
        return QString();
    case UserPrompts::Answer::No:
        break;
    }
    const QFileInfo info(path);
    QString other = m_prompts.chooseSaveFile(
        info.absoluteDir().filePath(info.completeBaseName() + QStringLiteral(" (Kopie).MWk")));
    if (other.isEmpty())
        return QString();
    if (!other.endsWith(QLatin1String(".MWk"), Qt::CaseInsensitive))
        other += QLatin1String(".MWk");
    // The save dialog has asked about replacing whatever file was chosen.
    return QFileInfo(other).absoluteFilePath();
}

void SessionController::setRecoveryInterval(int msec)
{
    if (msec <= 0) {
        m_recoveryTimer.stop();
        return;
    }
    m_recoveryTimer.start(msec);
}

void SessionController::writeRecoveryCopy()
{
    if (m_document.isSaved())
        return;
    const QByteArray image = RecoveryStore::stampedImage(m_document, closeMark());
    if (!image.isEmpty())
        m_recovery.write(image, m_saveTarget);
}
