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
{}

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
        return;
    }
    if (firstPaint && m_commandLineFile.isEmpty() && !m_autoLoadLast &&
        !QDir(m_projectFolder).entryList({QStringLiteral("*.MWk")}, QDir::Files).isEmpty())
        loadClass();
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
    m_view.showPasswordDialog(SessionView::PasswordMode::Load, QString(),
                              QFileInfo(path).fileName());
}

void SessionController::loadClass()
{
    if (!m_document.isSaved()) {
        if (m_prompts.askYesNo(
                QStringLiteral("Änderungen der aktuellen Datei zunächst speichern?")))
            return;
        m_autoFocusArmed = true;
    }
    const QString path = m_prompts.chooseClassToOpen(m_projectFolder);
    if (path.isEmpty())
        return;
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
    m_classLoadedInRun = true;
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

    m_document.loadBuffer().unscrambleInto(grid);
    grid.setCell(18, 599, QDir::toNativeSeparators(path));
    m_lastLoadedPath = path;
    m_projectFolder = QFileInfo(path).absolutePath();
    m_document.readSettingsFromGrid();
    m_document.setSaved(true);

    m_view.hidePasswordDialog();
    m_view.setCaption(
        QStringLiteral("Markwart arbeitet mit ") +
        (m_pendingLoadAtStart ? QFileInfo(path).fileName() : QDir::toNativeSeparators(path)));
    m_view.showLoadedClass();

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
    if (m_classLoadedInRun && !m_lastLoadedPath.isEmpty())
        return m_lastLoadedPath;
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
    m_document.grid().setCell(17, 599, password);

    QString path = m_prompts.chooseSaveFile(proposedSavePath());
    if (path.isEmpty()) {
        // Cancelling the save dialog abandons the save, and a close waiting for it.
        m_pending = Pending::None;
        m_closeAfterSave = false;
        m_view.hidePasswordDialog();
        return false;
    }
    if (!path.endsWith(QLatin1String(".MWk"), Qt::CaseInsensitive))
        path += QLatin1String(".MWk");

    m_document.stamp(m_saveVersionMark);
    if (!writeClass(path)) {
        m_closeAfterSave = false;
        return false;
    }
    rememberSavedFile(path);
    m_pending = Pending::None;
    m_view.setCaption(QStringLiteral("Markwart - ") + QDir::toNativeSeparators(path));
    m_view.hidePasswordDialog();
    m_document.setSaved(true);
    if (m_closeAfterSave)
        m_view.closeMainWindow();
    return true;
}

void SessionController::passwordDialogClosed()
{
    m_pending = Pending::None;
    m_closeAfterSave = false;
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

bool SessionController::requestClose()
{
    m_planAvailable = true;
    TempReportFiles::removeAll(m_reportFolder);
    if (m_document.isSaved())
        return true;
    if (!m_prompts.askYesNo(QStringLiteral("Änderungen speichern?")))
        return true;

    m_closeAfterSave = true;
    m_document.stamp(closeMark());
    const QString path = m_document.loadedPath();
    if (path.isEmpty()) {
        startSave(closeMark());
        return false;
    }
    if (!writeClass(QDir::fromNativeSeparators(path))) {
        m_closeAfterSave = false;
        return false;
    }
    rememberSavedFile(QDir::fromNativeSeparators(path));
    m_document.setSaved(true);
    return true;
}

void SessionController::forgetLoadedClass()
{
    m_classLoadedInRun = false;
    m_lastLoadedPath.clear();
    m_projectFolder = m_programFolder;
    setAutoLoadLast(false);
}

void SessionController::setAutoLoadLast(bool on)
{
    m_autoLoadLast = on;
    if (!on)
        m_settings.clearLast();
}
