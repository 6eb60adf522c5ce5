// The photo dialog driven through the person page: opened by a click on the photo, a picture
// found, dragged in the frame and taken over; a pasted picture; a folder of portraits.

#include "app/sessioncontroller.h"
#include "guishell.h"
#include "person/personpageview.h"
#include "photos/imageoperations.h"
#include "photos/photoconverter.h"
#include "photos/photodialog.h"

namespace {

// Blocks of colour, so that every place in the picture can be told apart.
QImage checkered(int width, int height)
{
    QImage image(width, height, QImage::Format_RGB32);
    for (int y = 0; y < height; ++y)
        for (int x = 0; x < width; ++x)
            image.setPixel(x, y, qRgb((x / 20) * 25 % 256, (y / 20) * 25 % 256, (x + y) % 256));
    return image;
}

QString storedFile(int number)
{
    return QStringLiteral("Fotos\\%1\\7b\\%2.bmp")
        .arg(QDate::currentDate().toString(QStringLiteral("MM_yyyy")))
        .arg(number);
}

QImage rgb32(const QImage &image)
{
    return image.convertToFormat(QImage::Format_RGB32);
}

} // namespace

class PhotoGuiTest : public QObject
{
    Q_OBJECT

private slots:
    void init() { TestSupport::isolateSettings(); }

    void photoIsFoundDraggedAndTaken()
    {
        GuiShell shell;
        PersonPageView *page = shell.person();
        shell.show(page);

        // Person 3 has no name yet: the dialog stays closed.
        click(child<QPushButton>(page, "forwardButton"));
        click(child<QPushButton>(page, "forwardButton"));
        click(page->photo());
        QCOMPARE(shell.prompts.messages,
                 QStringList{"Bitte zunächst den Namen und eine Klasse oder Lerngruppe eingeben."});
        QVERIFY(shell.window->controller().planAvailable());

        click(child<QPushButton>(page, "backButton"));
        click(child<QPushButton>(page, "backButton"));
        click(page->photo());
        PhotoDialog *dialog = page->photoDialog();
        QTRY_VERIFY(dialog && dialog->isVisible());
        QCOMPARE(child<QLabel>(dialog, "photoName")->text(), QStringLiteral("Albrecht, Paul"));
        QVERIFY(!shell.window->controller().planAvailable());

        const QImage original = checkered(600, 800);
        shell.prompts.pictures << shell.dir.filePath(QStringLiteral("portrait.png"));
        QVERIFY(original.save(shell.prompts.pictures.constFirst()));
        click(child<QPushButton>(dialog, "searchPhotoButton"));

        // The mouse takes the picture at (60, 60) and moves it 30 pixels up and left.
        QWidget *preview = dialog->preview();
        QTest::mousePress(preview, Qt::LeftButton, {}, QPoint(60, 60));
        for (int step = 1; step <= 6; ++step) {
            QTest::mouseMove(preview, QPoint(60 - 5 * step, 60 - 5 * step));
            QTest::qWait(20);
        }
        QTest::mouseRelease(preview, Qt::LeftButton, {}, QPoint(30, 30));
        const QImage expected = ImageOperations::framed(
            ImageOperations::scaled(original, 20, ImageOperations::Scaling::Search),
            QPoint(-30, -30));
        QTRY_COMPARE(rgb32(preview->grab().toImage()), rgb32(expected));

        click(child<QPushButton>(dialog, "acceptPhotoButton"));
        QTRY_VERIFY(!dialog->isVisible());
        QCOMPARE(shell.cell(20, 16), storedFile(1));
        QVERIFY(!shell.document.isSaved());
        const QString file =
            PhotoConverter::resolve(shell.window->controller().projectFolder(), storedFile(1));
        QCOMPARE(PhotoConverter::loadStoredPhoto(file), expected);
        // The page shows it at once.
        QTRY_COMPARE(rgb32(page->photo()->pixmap().toImage()), rgb32(expected));

        // Opened again and left with Esc: nothing changes.
        click(page->photo());
        QTRY_VERIFY(dialog->isVisible());
        QTest::keyClick(dialog, Qt::Key_Escape);
        QTRY_VERIFY(!dialog->isVisible());
        QCOMPARE(shell.cell(20, 16), storedFile(1));
        QCOMPARE(shell.prompts.messages.size(), 1);
    }

    void pastedPictureAndFolderOfPortraits()
    {
        GuiShell shell;
        PersonPageView *page = shell.person();
        shell.show(page);
        QGuiApplication::clipboard()->setImage(checkered(800, 600));
        click(page->photo());
        PhotoDialog *dialog = page->photoDialog();
        QTRY_VERIFY(dialog->isVisible());
        const QString work = QDir(shell.options.reportFolder).filePath("Bild.bmp");
        QVERIFY(QFile::exists(work));
        // The slider pulled to its left end stops where the picture still fills the frame:
        // the pasted 320 x 240 at 10 (240 x 180).
        QSlider *slider = dialog->zoomSlider();
        slider->setFocus();
        QTest::keyClick(slider, Qt::Key_Home);
        QTRY_COMPARE(slider->value(), 10);
        const QImage pasted = QImage(work);
        QCOMPARE(pasted.size(), QSize(320, 240));
        QCOMPARE(
            rgb32(dialog->preview()->grab().toImage()),
            rgb32(ImageOperations::framed(
                ImageOperations::scaled(pasted, 10, ImageOperations::Scaling::Search), QPoint())));
        click(child<QPushButton>(dialog, "acceptPhotoButton"));
        QTRY_VERIFY(!dialog->isVisible());
        QCOMPARE(shell.cell(20, 16), storedFile(1));
        QVERIFY(!QFile::exists(work));

        // A folder: Lina gets her picture, Paul his second one.
        QTemporaryDir folder;
        for (const char *name : {"lina_bauer.jpg", "Paul Albrecht.png", "Klassenfoto.jpg"})
            QVERIFY(checkered(300, 400).save(folder.filePath(QLatin1String(name))));
        shell.prompts.folders << folder.path();
        click(child<QPushButton>(page, "photoFolderButton"));
        QCOMPARE(shell.cells({{20, 16}, {20, 33}}),
                 storedFile(1).replace("\\1.bmp", "\\a1.bmp") + '|' + storedFile(2));
        QVERIFY(shell.prompts.messages.value(0).endsWith(
            QStringLiteral("Keiner Person zugeordnet:\r  Klassenfoto.jpg")));
        QTRY_COMPARE(
            rgb32(page->photo()->pixmap().toImage()),
            rgb32(ImageOperations::framed(
                ImageOperations::scaled(checkered(300, 400), 20, ImageOperations::Scaling::Search),
                QPoint(-45, 0))));
    }
};

QTEST_MAIN(PhotoGuiTest)
#include "tst_gui_photo.moc"
