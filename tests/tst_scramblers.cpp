#include "classdata/cellscrambler.h"
#include "classdata/photoscrambler.h"
#include "classdata/scrambleseeds.h"
#include "photos/photoconverter.h"
#include "testsupport.h"

#include <QImage>
#include <QRandomGenerator>
#include <QTemporaryDir>
#include <QtEndian>
#include <QtTest>

#include <algorithm>
#include <vector>

namespace {

// The generator written out once more, independently of the program's own.
struct ReferenceRandom
{
    quint32 state;
    quint32 next(quint32 n)
    {
        state = state * 134775813u + 1u;
        return quint32((quint64(state) * n) >> 32);
    }
};

QByteArray referenceScramble(QByteArray text)
{
    ReferenceRandom random{ScrambleSeeds::Cell};
    for (char &byte : text) {
        if (uchar(byte) >= 32 && uchar(byte) <= 122) {
            const int n = uchar(byte) - int(random.next(90));
            byte = char(n < 32 ? n + 91 : n);
        }
    }
    return text;
}

// Every byte of the image, fill bytes at the row ends included.
QByteArray rawBytes(const QImage &image)
{
    return QByteArray(reinterpret_cast<const char *>(image.constBits()), image.sizeInBytes());
}

QImage patternImage(int width, int height)
{
    QImage image(width, height, QImage::Format_BGR888);
    for (qsizetype i = 0; i < image.sizeInBytes(); ++i)
        image.bits()[i] = uchar(i * 7 + 3);
    return image;
}

} // namespace

class ScramblersTest : public QObject
{
    Q_OBJECT

private slots:
    void cellScrambler();
    void directPathsAgreeWithReference();
    void photoScrambler();
    void storedPhotoIsScrambled24BitBitmap();
};

void ScramblersTest::cellScrambler()
{
    // Every class file ever written was scrambled like this.
    QCOMPARE(CellScrambler::scramble("Markwart"), QByteArray("#_ >vZxp"));

    QByteArray allBytes; // every byte value, 20 times over
    for (int i = 0; i < 20 * 256; ++i)
        allBytes.append(char(i + i / 256));
    // A cell longer than any real one among them.
    const QByteArray longCell = QByteArray(70000, 'k') + "M\xFCller";
    for (const QByteArray &text :
         {allBytes, QByteArray(), longCell, QByteArray("Albrecht, Paul {2|3} ~\t\x7F")}) {
        const QByteArray scrambled = CellScrambler::scramble(text);
        QCOMPARE(scrambled, referenceScramble(text));
        QCOMPARE(CellScrambler::unscramble(scrambled), text);
        QCOMPARE(CellScrambler::scramble(CellScrambler::unscramble(text)), text);
    }
}

void ScramblersTest::directPathsAgreeWithReference()
{
    // The direct paths over a long plain cell, in both directions.
    const QString longText = QString(70001, QLatin1Char('k'));
    const QByteArray longScrambled = referenceScramble(longText.toLatin1());
    QByteArray longOut(longText.size(), Qt::Uninitialized);
    QVERIFY(CellScrambler::scrambleAsciiTo(reinterpret_cast<const char16_t *>(longText.constData()),
                                           longText.size(), longOut.data()));
    QCOMPARE(longOut, longScrambled);
    std::vector<char16_t> longBack(size_t(longText.size()));
    QVERIFY(CellScrambler::unscrambleAsciiTo(longScrambled.constData(), longScrambled.size(),
                                             longBack.data()));
    QVERIFY(std::all_of(longBack.begin(), longBack.end(), [](char16_t c) { return c == u'k'; }));

    // The writer and the loader take whole words of plain text at once; every length around
    // a word's size, the range's borders, and one byte outside it at every place.
    const char borders[] = {' ', '!', 'y', 'z', 'A', '0'};
    const uchar outside[] = {0, '\t', '\r', 31, 123, '~', 127, 128, 0xDF, 0xFF};
    QRandomGenerator random(53);
    for (int length = 0; length <= 40; ++length) {
        for (int variant = -1; variant < length * int(std::size(outside)); ++variant) {
            QByteArray text(length, Qt::Uninitialized);
            for (char &c : text)
                c = random.bounded(3) ? char(32 + random.bounded(91))
                                      : borders[random.bounded(int(std::size(borders)))];
            if (variant >= 0)
                text[variant / int(std::size(outside))] =
                    char(outside[variant % int(std::size(outside))]);
            const bool ascii =
                std::none_of(text.begin(), text.end(), [](char c) { return c & 0x80; });
            const QByteArray scrambled = referenceScramble(text);

            // The file around the cell: the padded path reads past its end.
            const QByteArray line = scrambled + "\r\n" + QByteArray(8, 'q');
            std::vector<char16_t> plain(size_t(length) + 8, u'#'), padded(plain);
            QCOMPARE(CellScrambler::unscrambleAsciiTo(scrambled.constData(), length, plain.data()),
                     ascii);
            const bool inRange =
                std::all_of(text.begin(), text.end(), [](char c) { return c >= 32 && c <= 122; });
            QCOMPARE(
                CellScrambler::unscramblePlainPaddedTo(line.constData(), length, padded.data()),
                inRange);
            for (int i = 0; ascii && i < length; ++i) {
                QCOMPARE(int(plain[size_t(i)]), int(uchar(text[i])));
                if (inRange)
                    QCOMPARE(int(padded[size_t(i)]), int(uchar(text[i])));
            }
            QCOMPARE(int(plain[size_t(length)]), int(u'#')); // nothing written past the end

            const QString wide = QString::fromLatin1(text);
            QByteArray out(length + 1, '#');
            QCOMPARE(CellScrambler::scrambleAsciiTo(
                         reinterpret_cast<const char16_t *>(wide.constData()), length, out.data()),
                     ascii);
            if (ascii && !text.contains('\r') && !text.contains('\n'))
                QCOMPARE(out.left(length), scrambled);
            QCOMPARE(out[length], '#');
        }
    }
}

void ScramblersTest::photoScrambler()
{
    // 135 pixels leave 3 fill bytes at each row's end, 136 none; a single row is left alone.
    for (const QSize size : {QSize(135, 4), QSize(136, 3), QSize(1, 2), QSize(135, 1)}) {
        QImage image = patternImage(size.width(), size.height());
        const QByteArray before = rawBytes(image);
        const bool scrambles = size.height() > 1;
        QCOMPARE(PhotoScrambler::apply(image), scrambles);

        // Every byte of every row, fill bytes included, XORed with the stream, row after row.
        ReferenceRandom random{ScrambleSeeds::Photo};
        const QByteArray after = rawBytes(image);
        QCOMPARE(after.size(), before.size());
        for (qsizetype i = 0; i < before.size(); ++i)
            QCOMPARE(uchar(after[i]), uchar(uchar(before[i]) ^ (scrambles ? random.next(256) : 0)));

        QCOMPARE(PhotoScrambler::apply(image), scrambles);
        QCOMPARE(rawBytes(image), before);
    }
}

void ScramblersTest::storedPhotoIsScrambled24BitBitmap()
{
    QTemporaryDir dir;
    const QString path = dir.filePath(QStringLiteral("3.bmp"));

    // A photo as the photo dialog hands it over: 32-bit, not yet in bitmap byte order.
    const QImage original = patternImage(135, 180).convertToFormat(QImage::Format_RGB32);
    QVERIFY(PhotoConverter::saveStoredPhoto(original, path));

    const QByteArray bytes = TestSupport::readBytes(path);
    QVERIFY(bytes.startsWith("BM") && bytes.size() > 54);
    QCOMPARE(qFromLittleEndian<quint16>(bytes.constData() + 28), quint16(24));

    // Read plainly, the file shows scrambled pixels; the program's own loader restores them.
    QVERIFY(QImage(path).convertToFormat(QImage::Format_RGB32) != original);
    QCOMPARE(PhotoConverter::loadStoredPhoto(path).convertToFormat(QImage::Format_RGB32), original);
}

QTEST_GUILESS_MAIN(ScramblersTest)
#include "tst_scramblers.moc"
