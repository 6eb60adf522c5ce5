// The photo dialog's logic without its widgets: finding and pasting a picture, the zoom, the
// drag rules of the frame, undo, and what "OK, übernehmen" checks and stores.

#include "classdata/classdocument.h"
#include "photos/imageoperations.h"
#include "photos/photoconverter.h"
#include "photos/photoeditor.h"
#include "photos/pictureclipboard.h"
#include "testsupport.h"

#include <QDir>
#include <QImage>
#include <QSettings>
#include <QTemporaryDir>
#include <QtTest>

namespace {

class HeldClipboard : public PictureClipboard
{
public:
    QImage held;
    QImage picture() const override { return held; }
    void setPicture(const QImage &picture) override { held = picture; }
    void clear() override { held = QImage(); }
};

QImage gradient(int width, int height)
{
    QImage image(width, height, QImage::Format_RGB32);
    for (int y = 0; y < height; ++y)
        for (int x = 0; x < width; ++x)
            image.setPixel(x, y, qRgb(x * 255 / width, y * 255 / height, (x + y) % 256));
    return image;
}

const char *const FillTheFrame = "Das Vorschaufenster bitte komplett ausfüllen, Bild vergrößern!";
const char *const NameAndClassFirst =
    "Bitte zunächst den Namen und eine Klasse oder Lerngruppe eingeben.";

struct Bench
{
    QTemporaryDir dir;
    ClassDocument document;
    ScriptedPrompts prompts;
    HeldClipboard clipboard;
    PhotoEditor editor{document, prompts, clipboard};

    Bench()
    {
        editor.setWorkFolder(dir.filePath(QStringLiteral("tmp")));
        document.grid().setCell(0, 16, QStringLiteral("Albrecht, Paul"));
        document.grid().setCell(1, 16, QStringLiteral("7b"));
        document.setSaved(true);
    }
    QString picture(const QImage &image, const QString &name = QStringLiteral("bild.png"))
    {
        QDir().mkpath(dir.filePath(QStringLiteral("Bilder")));
        const QString path = dir.filePath(QStringLiteral("Bilder/") + name);
        image.save(path);
        return path;
    }
    // Opens the editor for Paul and finds a picture of the given size.
    void find(int width, int height)
    {
        QVERIFY(editor.open(0, QStringLiteral("Albrecht, Paul"), QStringLiteral("7b")));
        prompts.pictures << picture(gradient(width, height));
        editor.searchPhoto();
    }
    QString project() const { return dir.filePath(QStringLiteral("projekt")); }
};

} // namespace

class PhotoEditorTest : public QObject
{
    Q_OBJECT

private slots:
    void init() { TestSupport::isolateSettings(); }

    void openingNeedsNameAndClass()
    {
        Bench b;
        QVERIFY(!b.editor.open(0, QString(), QStringLiteral("7b")));
        QVERIFY(!b.editor.open(0, QStringLiteral("Albrecht, Paul"), QString()));
        QCOMPARE(b.prompts.messages, QStringList(2, QString::fromUtf8(NameAndClassFirst)));
        QVERIFY(b.editor.open(0, QStringLiteral("Albrecht, Paul"), QStringLiteral("7b")));
        QCOMPARE(b.editor.name(), QStringLiteral("Albrecht, Paul"));
        QCOMPARE(b.prompts.messages.size(), 2);
    }

    void foundPictureIsScaledAndZoomed()
    {
        Bench b;
        b.find(600, 800);
        QCOMPARE(b.editor.picture().size(), QSize(225, 300));
        QCOMPARE(b.editor.zoom(), 20);
        QVERIFY(b.editor.fileChosen());
        QCOMPARE(b.clipboard.held.size(), QSize(225, 300));
        QVERIFY(!b.document.isSaved());
        QVERIFY(b.prompts.proposedPictures.value(0).endsWith(QStringLiteral("/test.jpg")));

        // Down to 1 stops where the frame is first filled.
        QCOMPARE(b.editor.setZoom(1), 12);
        QCOMPARE(b.editor.picture().size(), QSize(135, 180));
        QCOMPARE(b.editor.setZoom(30), 30);
        QCOMPARE(b.editor.picture().size(), QSize(338, 450));
        QCOMPARE(b.clipboard.held.size(), QSize(338, 450));

        // Undo takes the source file again, at the present zoom.
        b.editor.rotate();
        b.editor.tintSepia();
        QCOMPARE(b.editor.picture().size(), QSize(450, 338));
        b.editor.undo();
        QCOMPARE(b.editor.picture(),
                 ImageOperations::scaled(gradient(600, 800), 30, ImageOperations::Scaling::Search)
                     .convertToFormat(b.editor.picture().format()));

        // A file that is no picture leaves everything as it was.
        const QString before = b.editor.sourceFile();
        b.prompts.pictures << b.picture(QImage(), QStringLiteral("kaputt.jpg"));
        QFile(b.prompts.pictures.constFirst()).open(QIODevice::WriteOnly);
        b.editor.searchPhoto();
        QCOMPARE(b.prompts.messages.value(0),
                 QStringLiteral("Du kannst auch ein Bild mit deiner Bildbearbeitung in die "
                                "Zwischenablage kopieren. Das erscheint dann automatisch!"));
        QCOMPARE(b.editor.sourceFile(), before);
        QCOMPARE(b.editor.picture().size(), QSize(338, 450));
    }

    void draggingKeepsTheFrameCovered()
    {
        Bench b;
        b.find(600, 800); // 225 x 300
        b.editor.press(QPoint(50, 50));
        QVERIFY(b.editor.dragging());
        b.editor.moveTo(QPoint(45, 48));
        QCOMPARE(b.editor.offset(), QPoint(-5, -2));
        // Far to the upper left: at most 25 pixels of margin show at the right and bottom.
        b.editor.moveTo(QPoint(-400, -400));
        QCOMPARE(b.editor.offset(), QPoint(135 - 25 - 225, 180 - 25 - 300));
        const QImage frame = b.editor.frame();
        QCOMPARE(frame.pixelColor(134, 10), ImageOperations::FrameBackground);
        QCOMPARE(frame.pixelColor(10, 179), ImageOperations::FrameBackground);
        QVERIFY(frame.pixelColor(109, 154) != ImageOperations::FrameBackground);
        // Far to the lower right: never beyond the top-left corner.
        b.editor.moveTo(QPoint(500, 500));
        QCOMPARE(b.editor.offset(), QPoint(0, 0));
        b.editor.release();
        b.editor.moveTo(QPoint(10, 10));
        QCOMPARE(b.editor.offset(), QPoint(0, 0));

        // The picture follows the mouse step by step: the point taken stays under it.
        b.editor.press(QPoint(60, 60));
        for (int step = 1; step <= 6; ++step)
            b.editor.moveTo(QPoint(60 - 5 * step, 60 - 4 * step));
        b.editor.release();
        QCOMPARE(b.editor.offset(), QPoint(-30, -24));

        // A press beside the picture takes nothing.
        b.editor.press(QPoint(40, 40));
        b.editor.moveTo(QPoint(-400, -400));
        b.editor.release();
        b.editor.press(QPoint(120, 20)); // in the margin, right of the picture
        QVERIFY(!b.editor.dragging());

        // A smaller zoom keeps the place as far as the frame allows.
        b.editor.setZoom(12);
        QCOMPARE(b.editor.picture().size(), QSize(135, 180));
        QCOMPARE(b.editor.offset(), QPoint(-25, -25));
    }

    void acceptStoresWhatTheFrameShows()
    {
        Bench b;
        b.find(600, 800);
        b.editor.press(QPoint(50, 50));
        b.editor.moveTo(QPoint(20, 10));
        b.editor.release();
        const QImage shown = b.editor.frame();
        b.document.setSaved(true);

        QVERIFY(b.editor.accept(b.project()));
        const QString expected = QStringLiteral("Fotos\\") +
                                 QDate::currentDate().toString(QStringLiteral("MM_yyyy")) +
                                 QStringLiteral("\\7b\\1.bmp");
        QCOMPARE(b.editor.storedPath(), expected);
        QCOMPARE(b.document.grid().cell(20, 16), expected);
        QCOMPARE(PhotoConverter::loadStoredPhoto(PhotoConverter::resolve(b.project(), expected)),
                 shown);
        QVERIFY(!b.document.isSaved());
        QVERIFY(b.editor.picture().isNull());
        QVERIFY(b.clipboard.held.isNull());
        QVERIFY(!b.editor.fileChosen());
        QVERIFY(b.prompts.messages.isEmpty());

        // The folder of the chosen picture is offered next time.
        const QString folder = QSettings(QStringLiteral("Quillfen"), QStringLiteral("Markwart"))
                                   .value(QStringLiteral("Bildpfad"))
                                   .toString();
        QCOMPARE(QDir::fromNativeSeparators(folder), b.dir.filePath(QStringLiteral("Bilder/")));
        b.editor.searchPhoto();
        QCOMPARE(QDir::fromNativeSeparators(b.prompts.proposedPictures.value(1)),
                 b.dir.filePath(QStringLiteral("Bilder/test.jpg")));
    }

    void acceptRefusesWhatCannotBeStored()
    {
        Bench b;
        // An empty frame, and a turned 135 x 180 picture (180 x 135) do not fill the frame.
        QVERIFY(b.editor.open(0, QStringLiteral("Albrecht, Paul"), QStringLiteral("7b")));
        QVERIFY(!b.editor.accept(b.project()));
        b.find(300, 400);
        QVERIFY(b.editor.setZoom(12) == 12);
        b.editor.rotate();
        QVERIFY(!b.editor.accept(b.project()));
        QCOMPARE(b.prompts.messages, QStringList(2, QString::fromUtf8(FillTheFrame)));
        QVERIFY(b.editor.fileChosen());
        QCOMPARE(b.editor.picture().size(), QSize(180, 135));

        // Without a name the dialog closes with the message and stores nothing.
        b.editor.rotate();
        b.document.grid().setCell(0, 16, QString());
        QVERIFY(b.editor.accept(b.project()));
        QCOMPARE(b.prompts.messages.value(2), QString::fromUtf8(NameAndClassFirst));
        QCOMPARE(b.document.grid().cell(20, 16), QString());
        QVERIFY(!QDir(b.project()).exists(QStringLiteral("Fotos")));
    }

    void pastedPictureWorksFromItsWorkingFile()
    {
        Bench b;
        b.clipboard.held = gradient(800, 600);
        QVERIFY(b.editor.open(0, QStringLiteral("Albrecht, Paul"), QStringLiteral("7b")));
        QCOMPARE(b.editor.picture().size(), QSize(320, 240));
        QCOMPARE(b.editor.sourceFile(), b.editor.workFile());
        QCOMPARE(QImage(b.editor.workFile()).size(), QSize(320, 240));
        QVERIFY(!b.editor.fileChosen());
        // The zoom starts from the working file.
        QCOMPARE(b.editor.setZoom(20), 20);
        QCOMPARE(b.editor.picture().size(), QSize(480, 360));

        QVERIFY(b.editor.accept(b.project()));
        QVERIFY(!QFile::exists(b.editor.workFile()));
        QVERIFY(!QSettings(QStringLiteral("Quillfen"), QStringLiteral("Markwart"))
                     .contains(QStringLiteral("Bildpfad")));

        // A found picture waits on the clipboard; cancelled and opened again, it is pasted.
        b.find(600, 800);
        QVERIFY(b.editor.open(0, QStringLiteral("Albrecht, Paul"), QStringLiteral("7b")));
        QCOMPARE(b.editor.picture().size(), QSize(150, 200));
        QCOMPARE(b.editor.sourceFile(), b.editor.workFile());
    }

    void workingFileEndsWithTheEditor()
    {
        QTemporaryDir dir;
        ClassDocument document;
        ScriptedPrompts prompts;
        HeldClipboard clipboard;
        clipboard.held = gradient(300, 400);
        const QString work = dir.filePath(QStringLiteral("Bild.bmp"));
        {
            PhotoEditor editor(document, prompts, clipboard);
            editor.setWorkFolder(dir.path());
            QVERIFY(editor.open(0, QStringLiteral("Paul"), QStringLiteral("7b")));
            QVERIFY(QFile::exists(work));
        }
        QVERIFY(!QFile::exists(work));
    }

    void failuresAreTold()
    {
        Bench b;
        QVERIFY(b.editor.open(0, QStringLiteral("Albrecht, Paul"), QStringLiteral("7b")));
        b.editor.sharpen();
        b.editor.undo();
        // Before a picture was found the slider only moves.
        QCOMPARE(b.editor.setZoom(0), 1);
        b.find(300, 400);
        QVERIFY(QFile::remove(b.editor.sourceFile()));
        b.editor.setZoom(25);
        b.editor.showHelp();
        QCOMPARE(b.prompts.messages.mid(0, 3),
                 QStringList({"Das Vorschaufenster ist leer, was soll ich schärfen?",
                              "Bitte Foto neu suchen!",
                              "Unbekannter Fehler,\rprobiere es noch einmal!"}));
        QVERIFY(b.prompts.messages.value(3).startsWith(
            QStringLiteral("Ich erstelle Fotos mit sehr kleinen Dateigrößen und speichere diese "
                           "im Projekt\r[Fotos] [Monat_Jahr] [Klasse].")));
        QVERIFY(b.prompts.messages.value(3).endsWith(
            QStringLiteral("\rEinfach probieren, ist kinderleicht!")));
    }
};

QTEST_GUILESS_MAIN(PhotoEditorTest)
#include "tst_photoeditor.moc"
