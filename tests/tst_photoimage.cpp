// The photo dialog's image arithmetic: sizes to the pixel, the table steps, turning, sepia,
// the fixed-point sharpening, and what the frame shows.

#include "photos/imageoperations.h"

#include <QImage>
#include <QRandomGenerator>
#include <QtTest>

using namespace ImageOperations;

namespace {

QImage noise(int width, int height)
{
    QImage image(width, height, QImage::Format_RGB32);
    QRandomGenerator random(7);
    for (int y = 0; y < height; ++y)
        for (int x = 0; x < width; ++x)
            image.setPixel(x, y, 0xFF000000u | (random.generate() & 0xFFFFFFu));
    return image;
}

QImage filled(int width, int height, const QColor &colour)
{
    QImage image(width, height, QImage::Format_RGB32);
    image.fill(colour);
    return image;
}

QString rgb(const QImage &image, int x, int y)
{
    const QRgb p = image.pixel(x, y);
    return QStringLiteral("%1,%2,%3").arg(qRed(p)).arg(qGreen(p)).arg(qBlue(p));
}

// A picture of two pixels.
QImage pixels(QRgb first, QRgb second)
{
    QImage image(2, 1, QImage::Format_RGB32);
    image.setPixel(0, 0, first);
    image.setPixel(1, 0, second);
    return image;
}

} // namespace

class PhotoImageTest : public QObject
{
    Q_OBJECT

private slots:
    void scalingSizes_data()
    {
        QTest::addColumn<QSize>("source");
        QTest::addColumn<int>("zoom");
        QTest::addColumn<bool>("paste");
        QTest::addColumn<QSize>("expected");
        QTest::newRow("portrait found") << QSize(600, 800) << 20 << false << QSize(225, 300);
        QTest::newRow("landscape found") << QSize(800, 600) << 20 << false << QSize(480, 360);
        QTest::newRow("portrait pasted") << QSize(600, 800) << 20 << true << QSize(150, 200);
        QTest::newRow("landscape pasted") << QSize(800, 600) << 20 << true << QSize(320, 240);
        // 15 * 2 / 4 = 7.5 and 15 * 6 / 4 = 22.5: halves go to the even neighbour.
        QTest::newRow("7.5 up to 8") << QSize(1, 4) << 2 << false << QSize(8, 30);
        QTest::newRow("22.5 down to 22") << QSize(1, 4) << 6 << false << QSize(22, 90);
        QTest::newRow("never empty") << QSize(5000, 10) << 1 << false << QSize(24, 1);
    }

    void scalingSizes()
    {
        QFETCH(QSize, source);
        QFETCH(int, zoom);
        QFETCH(bool, paste);
        QFETCH(QSize, expected);
        const Scaling scaling = paste ? Scaling::Paste : Scaling::Search;
        QCOMPARE(scaled(filled(source.width(), source.height(), Qt::red), zoom, scaling).size(),
                 expected);
    }

    void zoomStepsUpUntilTheFrameIsFilled()
    {
        // Slider pulled down to 1 on a 600 x 800 picture: 12 gives exactly 135 x 180.
        QCOMPARE(fillingZoom(QSize(600, 800), 1), 12);
        QCOMPARE(fillingZoom(QSize(600, 800), 30), 30);
        // A flat landscape picture is held by its height: at 3:1 it takes 23 (552 x 184).
        QCOMPARE(fillingZoom(QSize(900, 300), 1), 23);
        // A panorama too flat for the frame ends at the top of the slider.
        QCOMPARE(fillingZoom(QSize(3000, 100), 1), MaxZoom);
    }

    void pixelOperations()
    {
        const QImage image = pixels(qRgb(252, 3, 100), qRgb(255, 0, 5));
        const QImage lighter = brightened(image, 5);
        QCOMPARE(lighter.depth(), 24);
        QCOMPARE(rgb(lighter, 0, 0) + ' ' + rgb(lighter, 1, 0),
                 QStringLiteral("255,8,105 255,5,10"));
        const QImage darker = brightened(image, -5);
        QCOMPARE(rgb(darker, 0, 0) + ' ' + rgb(darker, 1, 0), QStringLiteral("247,0,95 250,0,0"));

        // Sepia: white stays white, black becomes 70, 35, 0; (31 + 60 + 90) div 3 = 60.
        const QImage toned = sepia(pixels(qRgb(255, 255, 255), qRgb(0, 0, 0)));
        QCOMPARE(rgb(toned, 0, 0) + ' ' + rgb(toned, 1, 0), QStringLiteral("255,255,255 70,35,0"));
        QCOMPARE(rgb(sepia(pixels(qRgb(31, 60, 90), 0)), 0, 0), QStringLiteral("130,95,60"));

        // Turning clockwise: the bottom-left corner goes to the top left, the top row to the
        // right-hand column.
        QImage portrait = filled(135, 180, Qt::white);
        portrait.setPixel(0, 179, qRgb(255, 0, 0));
        portrait.setPixel(5, 0, qRgb(0, 0, 255));
        const QImage turned = rotated(portrait);
        QCOMPARE(turned.size(), QSize(180, 135));
        QCOMPARE(rgb(turned, 0, 0) + ' ' + rgb(turned, 179, 5), QStringLiteral("255,0,0 0,0,255"));
    }

    void sharpening()
    {
        // A flat picture stays as it is, whatever its colour.
        for (const QColor &colour : {QColor(255, 255, 255), QColor(17, 128, 254)}) {
            const QImage flat = filled(9, 7, colour);
            QCOMPARE(sharpened(flat).convertToFormat(QImage::Format_RGB32), flat);
        }

        // The border rows and columns are copied, the inner pixels change.
        const QImage picture = noise(12, 10);
        const QImage sharp = sharpened(picture).convertToFormat(QImage::Format_RGB32);
        for (int x = 0; x < 12; ++x)
            QVERIFY(sharp.pixel(x, 0) == picture.pixel(x, 0) &&
                    sharp.pixel(x, 9) == picture.pixel(x, 9));
        for (int y = 0; y < 10; ++y)
            QVERIFY(sharp.pixel(0, y) == picture.pixel(0, y) &&
                    sharp.pixel(11, y) == picture.pixel(11, y));
        QVERIFY(sharp != picture);

        // One pixel worked out by hand (16.16 fixed point, A = 131072, B = 13107): red
        // 200 - 60; green 0 - 204 and blue 510 - 51 are held at 0 and 255.
        QImage plus = filled(3, 3, QColor(50, 255, 0));
        plus.setPixel(1, 1, qRgb(100, 0, 255));
        QCOMPARE(rgb(sharpened(plus), 1, 1), QStringLiteral("140,0,255"));

        QVERIFY(sharpened(filled(2, 5, Qt::red)).isNull());
    }

    void frameShowsThePictureFromItsOffset()
    {
        const QImage picture = noise(200, 250);
        const QImage frame = framed(picture, QPoint(-10, -20));
        QCOMPARE(frame.size(), QSize(135, 180));
        QCOMPARE(frame.depth(), 24);
        QCOMPARE(frame.pixel(0, 0), picture.pixel(10, 20));
        QCOMPARE(frame.pixel(134, 179), picture.pixel(144, 199));
        // Where the picture does not reach, the frame shows its background.
        const QImage narrow = framed(filled(120, 170, Qt::black), QPoint());
        QCOMPARE(narrow.pixelColor(119, 169), QColor(Qt::black));
        QCOMPARE(narrow.pixelColor(120, 0), FrameBackground);
        QCOMPARE(narrow.pixelColor(0, 170), FrameBackground);
    }
};

QTEST_GUILESS_MAIN(PhotoImageTest)
#include "tst_photoimage.moc"
