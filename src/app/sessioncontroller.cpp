#include "sessioncontroller.h"

#include "appsettings.h"
#include "classdata/classdocument.h"
#include "classdata/classfile.h"
#include "classdata/userprompts.h"
#include "photos/photoconverter.h"
#include "tempreportfiles.h"

#include <QDir>
#include <QFileInfo>

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
      m_programFolder(programFolder), m_projectFolder(programFolder), m_reportFolder(reportFolder)
{
    connect(&m_document, &ClassDocument::savedChanged, this, &SessionController::updateStartHint);
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
    // The teacher sees which class is coming while the password is asked for.
    m_captionBeforeLoad = m_caption;
    setCaption(QStringLiteral("Markwart arbeitet mit ") + QFileInfo(path).fileName());
    m_view.showPasswordDialog(SessionView::PasswordMode::Load, QString(),
                              QFileInfo(path).fileName());
}

void SessionController::loadClass()
{
    if (!m_document.isSaved()) {
        switch (m_prompts.askYesNoCancel(
            QStringLiteral("Änderungen der aktuellen Datei zunächst speichern?"))) {
        case UserPrompts::Answer::Cancel:
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
    const QString path = m_prompts.chooseClassToOpen(m_projectFolder);
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
    m_view.showPasswordDialog(SessionView::PasswordMode::Load, QString(),
                              QStringLiteral("Passwortdialog"));
    updateStartHint();
}

bool SessionController::autoFocusMatch(const QString &typed)
{
    if (!m_autoFocusArmed || m_pending != Pending::Load)
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
    if (password != m_document.loadBuffer().unscrambledCell(17, 599)) {
        m_prompts.showMessage(QStringLiteral("Das Passwort ist falsch!"));
        return false;
    }
    takeOver();
    return true;
}

void SessionController::takeOver()
{
    const QString path = QFileInfo(m_pendingLoadPath).absoluteFilePath();
    m_pending = Pending::None;
    ClassGrid &grid = m_document.grid();
    // A file that ends early is loaded as far as it goes; the teacher hears of it.
    const QString incomplete = m_document.loadBuffer().warning();
    // Loading is nothing the teacher could take back.
    const ClassGrid::Unrecorded loading(grid);

    m_document.loadBuffer().unscrambleInto(grid);
    grid.setCell(18, 599, QDir::toNativeSeparators(path));
    m_saveTarget = path;
    m_projectFolder = QFileInfo(path).absolutePath();
    m_document.readSettingsFromGrid();
    m_document.setSaved(true);

    m_view.hidePasswordDialog();
    setCaption(QStringLiteral("Markwart arbeitet mit ") + (m_pendingLoadAtStart
                                                               ? QFileInfo(path).fileName()
                                                               : QDir::toNativeSeparators(path)));
    m_view.showLoadedClass();
    updateStartHint();
    if (!incomplete.isEmpty())
        m_prompts.showMessage(incomplete);

    const QString photo = grid.cell(20, ClassDocument::dataRow(m_document.currentPerson()));
    if (!photo.isEmpty() && !photo.endsWith(QLatin1String(".bmp")) &&
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

bool SessionController::confirmSave(const QString &password)
{
    if (m_pending != Pending::Save)
        return false;
    {
        const ClassGrid::Unrecorded saving(m_document.grid());
        m_document.grid().setCell(17, 599, password);
    }

    QString path = m_prompts.chooseSaveFile(proposedSavePath());
    if (path.isEmpty()) {
        // Cancelling the save dialog abandons the save, and whatever was waiting for it.
        m_pending = Pending::None;
        m_afterSave = AfterSave::Nothing;
        m_view.hidePasswordDialog();
        return false;
    }
    if (!path.endsWith(QLatin1String(".MWk"), Qt::CaseInsensitive))
        path += QLatin1String(".MWk");
    path = QFileInfo(path).absoluteFilePath();

    m_document.stamp(m_saveVersionMark);
    if (!writeClass(path)) {
        m_afterSave = AfterSave::Nothing;
        return false;
    }
    rememberSavedFile(path);
    m_saveTarget = path;
    m_pending = Pending::None;
    setCaption(QStringLiteral("Markwart - ") + QDir::toNativeSeparators(path));
    m_view.hidePasswordDialog();
    m_document.setSaved(true);
    updateStartHint();
    continueAfterSave();
    return true;
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
    m_document.loadBuffer().scrambleFrom(m_document.grid());
    QString error;
    if (!ClassFile::write(path, m_document.loadBuffer(), &error)) {
        m_prompts.showMessage(error);
        return false;
    }
    return true;
}

void SessionController::rememberSavedFile(const QString &path)
{
    m_settings.setLast(m_autoLoadLast ? QDir::toNativeSeparators(path) : QString());
    m_settings.setBackgroundColour(m_popArt ? 1 : 0);
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
    if (m_document.isSaved())
        return true;
    switch (m_prompts.askYesNoCancel(QStringLiteral("Änderungen speichern?"))) {
    case UserPrompts::Answer::No:
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
    if (!writeClass(m_saveTarget))
        return false;
    rememberSavedFile(m_saveTarget);
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
