// The photo dialog's logic without its widgets: finding and pasting a picture, the zoom, the
// drag rules of the frame, undo, and what "OK, übernehmen" checks and stores.

#include "classdata/classdocument.h"
#include "photos/photoconverter.h"
#include "photos/photoeditor.h"
#include "photos/pictureclipboard.h"
#include "testsupport.h"

#include <QDir>
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

QString pictureFolderSetting()
{
    return QSettings(QStringLiteral("Quillfen"), QStringLiteral("Markwart"))
        .value(QStringLiteral("Bildpfad"))
        .toString();
}

const QString NameAndClassFirst =
    QStringLiteral("Bitte zunächst den Namen und eine Klasse oder Lerngruppe eingeben.");

// Paul of class 7b, with the editor open for him.
struct Bench
{
    QTemporaryDir dir;
    ClassDocument document;
    ScriptedPrompts prompts;
    HeldClipboard clipboard;
    PhotoEditor editor{document, prompts, clipboard};
    const QString project = dir.filePath(QStringLiteral("projekt"));

    Bench()
    {
        editor.setWorkFolder(dir.filePath(QStringLiteral("tmp")));
        document.grid().setCell(0, 16, QStringLiteral("Albrecht, Paul"));
        document.grid().setCell(1, 16, QStringLiteral("7b"));
        document.setSaved(true);
    }
    bool open() { return editor.open(0, QStringLiteral("Albrecht, Paul"), QStringLiteral("7b")); }
    // "Foto suchen" on a picture file of this size.
    void find(int width, int height)
    {
        QDir().mkpath(dir.filePath(QStringLiteral("Bilder")));
        prompts.pictures << dir.filePath(QStringLiteral("Bilder/%1x%2.png").arg(width).arg(height));
        gradient(width, height).save(prompts.pictures.constLast());
        editor.searchPhoto();
    }
};

} // namespace

class PhotoEditorTest : public QObject
{
    Q_OBJECT

private slots:
    void init() { TestSupport::isolateSettings(); }

    void foundPictureIsScaledAndZoomed()
    {
        Bench b;
        QVERIFY(!b.editor.open(0, QString(), QStringLiteral("7b")));
        QVERIFY(!b.editor.open(0, QStringLiteral("Albrecht, Paul"), QString()));
        QCOMPARE(b.prompts.messages, QStringList(2, NameAndClassFirst));
        QVERIFY(b.open());

        b.find(600, 800);
        QCOMPARE(b.editor.picture().size(), QSize(225, 300));
        QCOMPARE(b.clipboard.held.size(), QSize(225, 300));
        QVERIFY(!b.document.isSaved());
        QVERIFY(b.prompts.proposedPictures.value(0).endsWith(QStringLiteral("/test.jpg")));

        // Down to 1 stops where the frame is first filled.
        QCOMPARE(b.editor.setZoom(1), 12);
        QCOMPARE(b.editor.picture().size(), QSize(135, 180));
        QCOMPARE(b.editor.setZoom(30), 30);
        QCOMPARE(b.clipboard.held.size(), QSize(338, 450));

        // Undo takes the source file again, at the present zoom.
        b.editor.rotate();
        b.editor.tintSepia();
        QCOMPARE(b.editor.picture().size(), QSize(450, 338));
        b.editor.undo();
        QCOMPARE(b.editor.picture(),
                 ImageOperations::scaled(gradient(600, 800), 30, ImageOperations::Scaling::Search));
    }

    void draggingKeepsTheFrameCovered()
    {
        Bench b;
        b.open();
        b.find(600, 800); // 225 x 300
        // The picture follows the mouse step by step: the point taken stays under it.
        b.editor.press(QPoint(60, 60));
        for (int step = 1; step <= 6; ++step)
            b.editor.moveTo(QPoint(60 - 5 * step, 60 - 4 * step));
        QCOMPARE(b.editor.offset(), QPoint(-30, -24));
        // Far to the upper left: at most 25 pixels of margin show at the right and bottom.
        b.editor.moveTo(QPoint(-400, -400));
        QCOMPARE(b.editor.offset(), QPoint(135 - 25 - 225, 180 - 25 - 300));
        QCOMPARE(b.editor.frame().pixelColor(134, 179), ImageOperations::FrameBackground);
        // Far to the lower right: never beyond the top-left corner.
        b.editor.moveTo(QPoint(500, 500));
        QCOMPARE(b.editor.offset(), QPoint(0, 0));
        b.editor.release();
        b.editor.moveTo(QPoint(-10, -10));
        QCOMPARE(b.editor.offset(), QPoint(0, 0));

        // A press in the margin beside the picture takes nothing.
        b.editor.press(QPoint(40, 40));
        b.editor.moveTo(QPoint(-400, -400));
        b.editor.release();
        b.editor.press(QPoint(120, 20));
        QVERIFY(!b.editor.dragging());
        // A smaller zoom keeps the place as far as the frame allows.
        b.editor.setZoom(12);
        QCOMPARE(b.editor.offset(), QPoint(-25, -25));
    }

    void acceptStoresWhatTheFrameShows()
    {
        Bench b;
        b.open();
        b.find(600, 800);
        b.editor.press(QPoint(50, 50));
        b.editor.moveTo(QPoint(20, 10));
        const QImage shown = b.editor.frame();
        b.document.setSaved(true);

        QVERIFY(b.editor.accept(b.project));
        const QString expected = QStringLiteral("Fotos\\") +
                                 QDate::currentDate().toString(QStringLiteral("MM_yyyy")) +
                                 QStringLiteral("\\7b\\1.bmp");
        QCOMPARE(b.document.grid().cell(20, 16), expected);
        QCOMPARE(PhotoConverter::loadStoredPhoto(PhotoConverter::resolve(b.project, expected)),
                 shown);
        QVERIFY(!b.document.isSaved());
        QVERIFY(b.editor.picture().isNull() && b.clipboard.held.isNull());
        QVERIFY(b.prompts.messages.isEmpty());

        // The folder of the chosen picture is offered next time.
        QCOMPARE(QDir::fromNativeSeparators(pictureFolderSetting()),
                 b.dir.filePath(QStringLiteral("Bilder/")));
        b.editor.searchPhoto();
        QCOMPARE(QDir::fromNativeSeparators(b.prompts.proposedPictures.value(1)),
                 b.dir.filePath(QStringLiteral("Bilder/test.jpg")));
    }

    void acceptRefusesWhatCannotBeStored()
    {
        Bench b;
        // An empty frame, and a turned 135 x 180 picture (180 x 135) do not fill the frame.
        b.open();
        QVERIFY(!b.editor.accept(b.project));
        b.find(300, 400);
        b.editor.setZoom(12);
        b.editor.rotate();
        QVERIFY(!b.editor.accept(b.project));
        const QString fill =
            QStringLiteral("Das Vorschaufenster bitte komplett ausfüllen, Bild vergrößern!");
        QCOMPARE(b.prompts.messages, QStringList(2, fill));
        QCOMPARE(b.editor.picture().size(), QSize(180, 135));

        // Without a name the dialog closes with the message and stores nothing.
        b.editor.rotate();
        b.document.grid().setCell(0, 16, QString());
        QVERIFY(b.editor.accept(b.project));
        QCOMPARE(b.prompts.messages.value(2), NameAndClassFirst);
        QCOMPARE(b.document.grid().cell(20, 16), QString());
    }

    void pastedPictureWorksFromItsWorkingFile()
    {
        Bench b;
        b.clipboard.held = gradient(800, 600);
        QVERIFY(b.open());
        QCOMPARE(b.editor.picture().size(), QSize(320, 240));
        QCOMPARE(b.editor.sourceFile(), b.editor.workFile());
        QCOMPARE(QImage(b.editor.workFile()).size(), QSize(320, 240));
        QCOMPARE(b.editor.setZoom(20), 20);
        QCOMPARE(b.editor.picture().size(), QSize(480, 360));
        QVERIFY(b.editor.accept(b.project));
        QVERIFY(!QFile::exists(b.editor.workFile()));
        QCOMPARE(pictureFolderSetting(), QString());

        // A found picture waits on the clipboard: cancelled and opened again, it is pasted.
        b.find(600, 800);
        QVERIFY(b.open());
        QCOMPARE(b.editor.picture().size(), QSize(150, 200));
        QVERIFY(QFile::exists(b.editor.workFile()));
        // The working file does not outlive its editor.
        {
            PhotoEditor other(b.document, b.prompts, b.clipboard);
            other.setWorkFolder(b.dir.path());
            QVERIFY(other.open(0, QStringLiteral("Albrecht, Paul"), QStringLiteral("7b")));
            QVERIFY(QFile::exists(b.dir.filePath(QStringLiteral("Bild.bmp"))));
        }
        QVERIFY(!QFile::exists(b.dir.filePath(QStringLiteral("Bild.bmp"))));
    }

    void failuresAreTold()
    {
        Bench b;
        b.open();
        b.editor.sharpen();
        b.editor.undo();
        QCOMPARE(b.editor.setZoom(0), 1); // before a picture was found the slider only moves
        b.find(300, 400);
        // A file that is no picture, then a source that has gone: the picture stays.
        b.prompts.pictures << b.dir.filePath(QStringLiteral("kein-bild.jpg"));
        QFile(b.prompts.pictures.constFirst()).open(QIODevice::WriteOnly);
        b.editor.searchPhoto();
        QVERIFY(QFile::remove(b.editor.sourceFile()));
        b.editor.setZoom(25);
        QCOMPARE(b.editor.picture().size(), QSize(135, 180));
        QCOMPARE(b.prompts.messages,
                 QStringList({"Das Vorschaufenster ist leer, was soll ich schärfen?",
                              "Bitte Foto neu suchen!",
                              "Du kannst auch ein Bild mit deiner Bildbearbeitung in die "
                              "Zwischenablage kopieren. Das erscheint dann automatisch!",
                              "Unbekannter Fehler,\rprobiere es noch einmal!"}));
    }
};

QTEST_GUILESS_MAIN(PhotoEditorTest)
#include "tst_photoeditor.moc"
