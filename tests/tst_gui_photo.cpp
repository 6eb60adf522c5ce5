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

QString storedFolder()
{
    return QStringLiteral("Fotos\\") + QDate::currentDate().toString(QStringLiteral("MM_yyyy")) +
           QStringLiteral("\\7b\\");
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
        QCOMPARE(page->fieldEdit(PersonPage::Name)->text(), QString());
        click(page->photo());
        QCOMPARE(shell.prompts.messages,
                 QStringList{"Bitte zunächst den Namen und eine Klasse oder Lerngruppe eingeben."});
        QVERIFY(!page->photoDialog() || !page->photoDialog()->isVisible());
        QVERIFY(shell.window->controller().planAvailable());

        click(child<QPushButton>(page, "backButton"));
        click(child<QPushButton>(page, "backButton"));
        click(page->photo());
        PhotoDialog *dialog = page->photoDialog();
        QVERIFY(dialog);
        QTRY_VERIFY(dialog->isVisible());
        QCOMPARE(dialog->windowTitle(), QStringLiteral("Foto laden oder einfügen."));
        QCOMPARE(child<QLabel>(dialog, "photoName")->text(), QStringLiteral("Albrecht, Paul"));
        QVERIFY(!shell.window->controller().planAvailable());

        const QImage original = checkered(600, 800);
        const QString file = shell.dir.filePath(QStringLiteral("portrait.png"));
        QVERIFY(original.save(file));
        shell.prompts.pictures << file;
        click(child<QPushButton>(dialog, "searchPhotoButton"));
        QCOMPARE(dialog->zoomSlider()->value(), 20);

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
        QTRY_COMPARE(preview->grab().toImage().convertToFormat(QImage::Format_RGB32),
                     expected.convertToFormat(QImage::Format_RGB32));

        click(child<QPushButton>(dialog, "acceptPhotoButton"));
        QTRY_VERIFY(!dialog->isVisible());
        QVERIFY(shell.prompts.messages.size() == 1);
        const QString stored = shell.cell(20, 16);
        QCOMPARE(stored, storedFolder() + QStringLiteral("1.bmp"));
        QVERIFY(!shell.document.isSaved());
        const QImage photo = PhotoConverter::loadStoredPhoto(
            PhotoConverter::resolve(shell.window->controller().projectFolder(), stored));
        QCOMPARE(photo, expected);
        // The page shows it at once.
        QTRY_COMPARE(page->photo()->pixmap().toImage().convertToFormat(QImage::Format_RGB32),
                     expected.convertToFormat(QImage::Format_RGB32));

        // Opened again and left with Esc: nothing changes.
        click(page->photo());
        QTRY_VERIFY(dialog->isVisible());
        QTest::keyClick(dialog, Qt::Key_Escape);
        QTRY_VERIFY(!dialog->isVisible());
        QCOMPARE(shell.cell(20, 16), stored);
    }

    void pastedPictureAndZoom()
    {
        GuiShell shell;
        PersonPageView *page = shell.person();
        shell.show(page);
        QGuiApplication::clipboard()->setImage(checkered(800, 600));
        click(page->photo());
        PhotoDialog *dialog = page->photoDialog();
        QTRY_VERIFY(dialog->isVisible());
        // 800 x 600 pasted at 20 is 320 x 240; it fills the frame from its corner.
        const QImage pasted =
            checkered(800, 600).scaled(320, 240, Qt::IgnoreAspectRatio, Qt::SmoothTransformation);
        QCOMPARE(preview(dialog),
                 ImageOperations::framed(pasted, QPoint()).convertToFormat(QImage::Format_RGB32));
        QVERIFY(QFile::exists(QDir(shell.options.reportFolder).filePath("Bild.bmp")));

        // The slider pulled to its left end stops where the picture still fills the frame.
        QSlider *slider = dialog->zoomSlider();
        slider->setFocus();
        QTest::keyClick(slider, Qt::Key_Home);
        // The working file's 320 x 240 first fills 135 x 180 at 10 (240 x 180).
        QTRY_COMPARE(slider->value(), 10);
        QCOMPARE(
            preview(dialog),
            ImageOperations::framed(
                ImageOperations::scaled(pasted, 10, ImageOperations::Scaling::Search), QPoint())
                .convertToFormat(QImage::Format_RGB32));
        click(child<QPushButton>(dialog, "acceptPhotoButton"));
        QTRY_VERIFY(!dialog->isVisible());
        QCOMPARE(shell.cell(20, 16), storedFolder() + QStringLiteral("1.bmp"));
        QVERIFY(!QFile::exists(QDir(shell.options.reportFolder).filePath("Bild.bmp")));
    }

    void folderOfPortraits()
    {
        GuiShell shell;
        PersonPageView *page = shell.person();
        shell.show(page);
        QTemporaryDir folder;
        QVERIFY(checkered(300, 400).save(folder.filePath(QStringLiteral("lina_bauer.jpg"))));
        QVERIFY(checkered(300, 400).save(folder.filePath(QStringLiteral("Paul Albrecht.png"))));
        QVERIFY(checkered(300, 400).save(folder.filePath(QStringLiteral("Klassenfoto.jpg"))));
        shell.prompts.folders << folder.path();
        click(child<QPushButton>(page, "photoFolderButton"));
        QCOMPARE(shell.cell(20, 16), storedFolder() + QStringLiteral("1.bmp"));
        QCOMPARE(shell.cell(20, 33), storedFolder() + QStringLiteral("2.bmp"));
        QCOMPARE(shell.prompts.messages.size(), 1);
        QVERIFY(shell.prompts.messages[0].contains(QStringLiteral("Keiner Person zugeordnet:\r  "
                                                                  "Klassenfoto.jpg")));
        QVERIFY(!shell.document.isSaved());
        QTRY_VERIFY(!page->photo()->pixmap().isNull());
    }

private:
    static QImage preview(PhotoDialog *dialog)
    {
        return dialog->preview()->grab().toImage().convertToFormat(QImage::Format_RGB32);
    }
};

QTEST_MAIN(PhotoGuiTest)
#include "tst_gui_photo.moc"
