// The photo dialog's image arithmetic: sizes to the byte, the table steps, turning, sepia and
// the fixed-point sharpening, and what the frame shows.

#include "photos/imageoperations.h"

#include <QImage>
#include <QRandomGenerator>
#include <QtTest>

using namespace ImageOperations;

namespace {

QImage noise(int width, int height, quint32 seed)
{
    QImage image(width, height, QImage::Format_RGB32);
    QRandomGenerator random(seed);
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
        QTest::newRow("square counts as landscape")
            << QSize(90, 90) << 20 << false << QSize(480, 480);
        QTest::newRow("portrait pasted") << QSize(600, 800) << 20 << true << QSize(150, 200);
        QTest::newRow("landscape pasted") << QSize(800, 600) << 20 << true << QSize(320, 240);
        // 15 * 2 / 4 = 7.5 and 15 * 6 / 4 = 22.5: halves go to the even neighbour.
        QTest::newRow("7.5 up to 8") << QSize(1, 4) << 2 << false << QSize(8, 30);
        QTest::newRow("22.5 down to 22") << QSize(1, 4) << 6 << false << QSize(22, 90);
        QTest::newRow("1.5 up to 2") << QSize(16, 1) << 1 << false << QSize(24, 2);
        QTest::newRow("4.5 down to 4") << QSize(16, 1) << 3 << false << QSize(72, 4);
        QTest::newRow("never empty") << QSize(5000, 10) << 1 << false << QSize(24, 1);
    }

    void scalingSizes()
    {
        QFETCH(QSize, source);
        QFETCH(int, zoom);
        QFETCH(bool, paste);
        QFETCH(QSize, expected);
        QCOMPARE(scaledSize(source, zoom, paste ? Scaling::Paste : Scaling::Search), expected);
        QCOMPARE(scaled(filled(source.width(), source.height(), Qt::red), zoom,
                        paste ? Scaling::Paste : Scaling::Search)
                     .size(),
                 expected);
    }

    void zoomStepsUpUntilTheFrameIsFilled()
    {
        // Slider pulled down to 1 on a 600 x 800 picture: 12 is the first that fills 135 x 180.
        QCOMPARE(fillingZoom(QSize(600, 800), 1), 12);
        QCOMPARE(scaledSize(QSize(600, 800), 12, Scaling::Search), QSize(135, 180));
        QCOMPARE(fillingZoom(QSize(600, 800), 30), 30);
        // A flat landscape picture is limited by its height: at 3:1 it takes 23 (552 x 184).
        QCOMPARE(fillingZoom(QSize(900, 300), 1), 23);
        // A panorama too flat for the frame ends at the top of the slider.
        QCOMPARE(fillingZoom(QSize(3000, 100), 1), MaxZoom);
    }

    void brightnessSteps()
    {
        QImage image(2, 1, QImage::Format_RGB32);
        image.setPixel(0, 0, qRgb(252, 3, 100));
        image.setPixel(1, 0, qRgb(255, 0, 5));
        const QImage lighter = brightened(image, 5);
        const QImage darker = brightened(image, -5);
        QCOMPARE(lighter.depth(), 24);
        QCOMPARE(darker.depth(), 24);
        QCOMPARE(rgb(lighter, 0, 0), QStringLiteral("255,8,105"));
        QCOMPARE(rgb(lighter, 1, 0), QStringLiteral("255,5,10"));
        QCOMPARE(rgb(darker, 0, 0), QStringLiteral("247,0,95"));
        QCOMPARE(rgb(darker, 1, 0), QStringLiteral("250,0,0"));
    }

    void sepiaTones()
    {
        QImage image(3, 1, QImage::Format_RGB32);
        image.setPixel(0, 0, qRgb(255, 255, 255));
        image.setPixel(1, 0, qRgb(0, 0, 0));
        image.setPixel(2, 0, qRgb(31, 60, 90)); // grey 181 / 3 = 60
        const QImage toned = sepia(image);
        QCOMPARE(rgb(toned, 0, 0), QStringLiteral("255,255,255"));
        QCOMPARE(rgb(toned, 1, 0), QStringLiteral("70,35,0"));
        QCOMPARE(rgb(toned, 2, 0), QStringLiteral("130,95,60"));
        QCOMPARE(rgb(sepia(image.convertToFormat(QImage::Format_BGR888)), 1, 0),
                 QStringLiteral("70,35,0"));
    }

    void rotationIsClockwise()
    {
        QImage image = filled(135, 180, Qt::white);
        image.setPixel(0, 179, qRgb(255, 0, 0)); // bottom left
        image.setPixel(5, 0, qRgb(0, 0, 255));   // top row
        const QImage turned = rotated(image);
        QCOMPARE(turned.size(), QSize(180, 135));
        QCOMPARE(turned.depth(), 32);
        QCOMPARE(rgb(turned, 0, 0), QStringLiteral("255,0,0"));
        QCOMPARE(rgb(turned, 179, 5), QStringLiteral("0,0,255"));
        // Four turns give the picture back.
        const QImage picture = noise(7, 4, 3);
        QCOMPARE(rotated(rotated(rotated(rotated(picture)))), picture);
    }

    void sharpening()
    {
        // A flat picture stays as it is, whatever its colour.
        for (const QColor &colour :
             {QColor(0, 0, 0), QColor(255, 255, 255), QColor(17, 128, 254)}) {
            const QImage flat = filled(9, 7, colour);
            QCOMPARE(sharpened(flat).convertToFormat(QImage::Format_RGB32), flat);
        }

        // The border rows and columns are copied, the inner pixels computed from the original.
        const QImage picture = noise(12, 10, 7);
        const QImage sharp = sharpened(picture).convertToFormat(QImage::Format_RGB32);
        QCOMPARE(sharp.size(), picture.size());
        for (int x = 0; x < 12; ++x) {
            QCOMPARE(sharp.pixel(x, 0), picture.pixel(x, 0));
            QCOMPARE(sharp.pixel(x, 9), picture.pixel(x, 9));
        }
        for (int y = 0; y < 10; ++y) {
            QCOMPARE(sharp.pixel(0, y), picture.pixel(0, y));
            QCOMPARE(sharp.pixel(11, y), picture.pixel(11, y));
        }
        QVERIFY(sharp != picture);

        // One pixel worked out by hand: 16.16 fixed point with A = 131072, B = 13107.
        QImage plus = filled(3, 3, QColor(50, 255, 0));
        plus.setPixel(1, 1, qRgb(100, 0, 255));
        // red: (100 A + 32767) >> 16 = 200, (300 B + 32767) >> 16 = 60; green 0 - 204 and
        // blue 510 - 51 are held at 0 and 255.
        QCOMPARE(rgb(sharpened(plus), 1, 1), QStringLiteral("140,0,255"));

        QVERIFY(sharpened(filled(2, 5, Qt::red)).isNull());
        QVERIFY(sharpened(QImage()).isNull());
        QVERIFY(sharpened(filled(5, 5, Qt::red), 6.0).isNull());
    }

    void frameShowsThePictureFromItsOffset()
    {
        const QImage picture = noise(200, 250, 11);
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
