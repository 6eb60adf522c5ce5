#include "photoeditor.h"

#include "classdata/classdocument.h"
#include "classdata/userprompts.h"
#include "photostore.h"
#include "pictureclipboard.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QSettings>
#include <QStandardPaths>

#include <algorithm>

namespace {

const char *const HelpText =
    "Ich erstelle Fotos mit sehr kleinen Dateigrößen und speichere diese im Projekt\r"
    "[Fotos] [Monat_Jahr] [Klasse]. Das Originalfoto bleibt dabei unverändert erhalten! \r"
    "Um ein fertiges Portraitbild einzufügen, wähle [Foto suchen]. \r"
    "\r"
    "Ist das Bild noch nicht geeignet, so kann es jetzt bearbeitet werden. \r"
    "Zur Verfügung stehen: Drehen, Helligkeits- und Größenanpassungen, die Sepiafärbung und "
    "das Schärfen. \r"
    "Wurde ein Bildausschnitt mit der Tastenkombination [Strg] und gleichzeitig [c] in die "
    "Zwischenablage \r"
    "kopiert, so gelangt es automatisch ins Vorschaufenster. \r"
    "Es kann jetzt ebenfalls optimiert werden, genauso wie ein selbst geöffnetes Foto. \r"
    "Einfach probieren, ist kinderleicht!";

const char *const InstructionLines[] = {
    "1. Es war ein Bildausschnitt in der Zwischenablage und füllt jetzt das Vorschaufenster.",
    "    Weiter bei 3.",
    "2. Das Vorschaufenster ist noch leer, du suchst dir ein Foto, dann weiter bei 3.",
    "",
    "3. Das Vorschaubild kann jetzt durch Verschieben mit der Maus, Verkleinern und",
    "   Vergrößern mit dem Schieberegler und nicht zuletzt durch Anpassen der Helligkeit",
    "   optimal eingestellt werden. Mit Übernehmen gelangst du zurück zur Personenseite.",
    " ",
};

const char *const NameAndClassFirst =
    "Bitte zunächst den Namen und eine Klasse oder Lerngruppe eingeben.";
const char *const NotAPicture = "Du kannst auch ein Bild mit deiner Bildbearbeitung in die "
                                "Zwischenablage kopieren. Das erscheint dann automatisch!";
const char *const ZoomFailed = "Unbekannter Fehler,\rprobiere es noch einmal!";
const char *const UndoFailed = "Bitte Foto neu suchen!";
const char *const NothingToSharpen = "Das Vorschaufenster ist leer, was soll ich schärfen?";
const char *const FillTheFrame = "Das Vorschaufenster bitte komplett ausfüllen, Bild vergrößern!";

constexpr int BrightnessStep = 5;

// The folder of the last photo chosen, kept beside the program's other settings.
const QString PictureFolderKey = QStringLiteral("Bildpfad");

QSettings programSettings()
{
    return QSettings(QStringLiteral("Quillfen"), QStringLiteral("Markwart"));
}

QString message(const char *text)
{
    return QString::fromUtf8(text);
}

// Where a picture of `size` may lie on one axis of a frame of `frame` pixels: never beyond
// the frame's top-left corner, and leaving at most the margin free at the far side.
int clampedPlace(int place, int size, int frame)
{
    return std::clamp(place, std::min(frame - ImageOperations::FrameMargin - size, 0), 0);
}

} // namespace

PhotoEditor::PhotoEditor(ClassDocument &document, UserPrompts &prompts, PictureClipboard &clipboard)
    : m_document(document), m_prompts(prompts), m_clipboard(clipboard)
{}

PhotoEditor::~PhotoEditor()
{
    if (!m_workFolder.isEmpty())
        QFile::remove(workFile());
}

QString PhotoEditor::caption()
{
    return QStringLiteral("Foto laden oder einfügen.");
}

QStringList PhotoEditor::instructionLines()
{
    QStringList lines;
    for (const char *line : InstructionLines)
        lines << QString::fromUtf8(line);
    return lines;
}

QString PhotoEditor::workFile() const
{
    return QDir(m_workFolder).filePath(QStringLiteral("Bild.bmp"));
}

bool PhotoEditor::open(int person, const QString &name, const QString &className)
{
    if (name.isEmpty() || className.isEmpty()) {
        m_prompts.showMessage(message(NameAndClassFirst));
        return false;
    }
    m_person = person;
    m_name = name;
    m_dragging = false;
    const QImage pasted = m_clipboard.picture();
    if (pasted.isNull())
        return true;
    const QImage picture = ImageOperations::scaled(pasted, m_zoom, ImageOperations::Scaling::Paste);
    // Zoom and undo start again from this file.
    if (!m_workFolder.isEmpty() && QDir().mkpath(m_workFolder) && picture.save(workFile(), "BMP"))
        m_source = workFile();
    else
        m_source.clear();
    m_fileChosen = false;
    showPicture(picture, false);
    return true;
}

void PhotoEditor::searchPhoto()
{
    QString folder = programSettings().value(PictureFolderKey).toString();
    if (folder.isEmpty())
        folder = QStandardPaths::writableLocation(QStandardPaths::PicturesLocation) + u'/';
    const QString chosen = m_prompts.choosePicture(folder + QStringLiteral("test.jpg"));
    if (chosen.isEmpty())
        return;
    m_clipboard.clear();
    const QImage source = ImageOperations::loadPicture(chosen);
    if (source.isNull()) {
        m_prompts.showMessage(message(NotAPicture));
        return;
    }
    m_source = chosen;
    m_fileChosen = true;
    m_zoom = ImageOperations::fillingZoom(source.size(), m_zoom);
    const QImage picture =
        ImageOperations::scaled(source, m_zoom, ImageOperations::Scaling::Search);
    m_clipboard.setPicture(picture);
    showPicture(picture, false);
    m_document.setSaved(false);
}

bool PhotoEditor::rescaleSource(bool stepUp)
{
    const QImage source = m_source.isEmpty() ? QImage() : ImageOperations::loadPicture(m_source);
    if (source.isNull())
        return false;
    if (stepUp)
        m_zoom = ImageOperations::fillingZoom(source.size(), m_zoom);
    const QImage picture =
        ImageOperations::scaled(source, m_zoom, ImageOperations::Scaling::Search);
    // The picture waits on the clipboard, as after "Foto suchen".
    m_clipboard.setPicture(picture);
    showPicture(picture, true);
    return true;
}

int PhotoEditor::setZoom(int zoom)
{
    m_zoom = std::clamp(zoom, ImageOperations::MinZoom, ImageOperations::MaxZoom);
    // Before a picture was found or pasted the slider only takes its place.
    if (m_source.isEmpty())
        return m_zoom;
    if (!rescaleSource(true))
        m_prompts.showMessage(message(ZoomFailed));
    return m_zoom;
}

void PhotoEditor::undo()
{
    if (!rescaleSource(true))
        m_prompts.showMessage(message(UndoFailed));
}

void PhotoEditor::brighten()
{
    if (!m_picture.isNull())
        m_picture = ImageOperations::brightened(m_picture, BrightnessStep);
}

void PhotoEditor::darken()
{
    if (!m_picture.isNull())
        m_picture = ImageOperations::brightened(m_picture, -BrightnessStep);
}

void PhotoEditor::rotate()
{
    if (!m_picture.isNull())
        showPicture(ImageOperations::rotated(m_picture), true);
}

void PhotoEditor::tintSepia()
{
    if (!m_picture.isNull())
        m_picture = ImageOperations::sepia(m_picture);
}

void PhotoEditor::sharpen()
{
    const QImage sharp = ImageOperations::sharpened(m_picture);
    if (sharp.isNull()) {
        m_prompts.showMessage(message(NothingToSharpen));
        return;
    }
    m_picture = sharp;
}

void PhotoEditor::showHelp()
{
    m_prompts.showMessage(message(HelpText));
}

void PhotoEditor::press(const QPoint &at)
{
    const QPoint inPicture = at - m_offset;
    if (m_picture.isNull() || !m_picture.rect().contains(inPicture))
        return;
    m_dragging = true;
    m_pressed = m_last = inPicture;
}

void PhotoEditor::moveTo(const QPoint &at)
{
    if (!m_dragging)
        return;
    // Positions in the picture's own coordinates: the picture moves by how far the mouse has
    // left the point where it took hold, in the direction the mouse is going.
    const QPoint p = at - m_offset;
    const int width = m_picture.width();
    const int height = m_picture.height();
    int left = m_offset.x();
    int top = m_offset.y();
    using namespace ImageOperations;
    if ((p.x() < m_last.x() && left + width + FrameMargin > FrameWidth) ||
        (p.x() > m_last.x() && left < 0))
        left = clampedPlace(left + p.x() - m_pressed.x(), width, FrameWidth);
    if ((p.y() < m_last.y() && top + height + FrameMargin > FrameHeight) ||
        (p.y() > m_last.y() && top < 0))
        top = clampedPlace(top + p.y() - m_pressed.y(), height, FrameHeight);
    m_offset = QPoint(left, top);
    m_last = p;
}

bool PhotoEditor::accept(const QString &projectFolder)
{
    m_storedPath.clear();
    if (m_fileChosen && !m_source.isEmpty()) {
        const QString folder = QDir::toNativeSeparators(QFileInfo(m_source).absolutePath());
        programSettings().setValue(PictureFolderKey, folder + QDir::separator());
    }
    if (!ImageOperations::fillsFrame(m_picture.size())) {
        m_prompts.showMessage(message(FillTheFrame));
        return false;
    }
    const QImage photo = frame();
    if (!m_workFolder.isEmpty())
        QFile::remove(workFile());
    clearPicture();
    m_document.setSaved(false);
    m_fileChosen = false;

    const int row = ClassDocument::dataRow(m_person);
    const QString name = m_document.grid().cell(0, row);
    const QString className = m_document.grid().cell(1, row);
    if (name.isEmpty() || className.isEmpty()) {
        m_prompts.showMessage(message(NameAndClassFirst));
        return true;
    }
    m_storedPath = PhotoStore::store(m_document.grid(), m_person, className, photo, projectFolder,
                                     QDate::currentDate(), m_document.photoKeyForStoring());
    m_clipboard.clear();
    return true;
}

void PhotoEditor::showPicture(const QImage &picture, bool keepPlace)
{
    m_picture = picture;
    m_dragging = false;
    if (!keepPlace)
        m_offset = QPoint();
    m_offset = QPoint(clampedPlace(m_offset.x(), picture.width(), ImageOperations::FrameWidth),
                      clampedPlace(m_offset.y(), picture.height(), ImageOperations::FrameHeight));
}

void PhotoEditor::clearPicture()
{
    m_picture = QImage();
    m_offset = QPoint();
    m_dragging = false;
}
