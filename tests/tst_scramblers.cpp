#include "classdata/cellscrambler.h"
#include "classdata/photoconverter.h"
#include "classdata/photoscrambler.h"
#include "classdata/scrambleseeds.h"
#include "testsupport.h"

#include <QImage>
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

QByteArray referenceScramble(const QByteArray &text)
{
    ReferenceRandom random{ScrambleSeeds::Cell};
    QByteArray out = text;
    for (char &byte : out) {
        const int c = uchar(byte);
        if (c < 32 || c > 122)
            continue;
        int n = c - int(random.next(90));
        if (n < 32)
            n += 91;
        byte = char(n);
    }
    return out;
}

QByteArray allByteValues(int repeat)
{
    QByteArray bytes;
    for (int k = 0; k < repeat; ++k)
        for (int b = 0; b < 256; ++b)
            bytes.append(char((b + k) % 256));
    return bytes;
}

// Every byte of the image, fill bytes at the row ends included.
QByteArray rawBytes(const QImage &image)
{
    return QByteArray(reinterpret_cast<const char *>(image.constBits()), image.sizeInBytes());
}

QImage patternImage(int width, int height)
{
    QImage image(width, height, QImage::Format_BGR888);
    uchar *bits = image.bits();
    for (qsizetype i = 0; i < image.sizeInBytes(); ++i)
        bits[i] = uchar(i * 7 + 3);
    return image;
}

} // namespace

class ScramblersTest : public QObject
{
    Q_OBJECT

private slots:
    void cellRoundTrip_data();
    void cellRoundTrip();
    void cellScrambleIsStable();
    void photoTwiceRestores_data();
    void photoTwiceRestores();
    void photoNeedsTwoRows();
    void storedPhotoIsScrambled24BitBitmap();
};

void ScramblersTest::cellRoundTrip_data()
{
    QTest::addColumn<QByteArray>("text");

    QTest::newRow("empty") << QByteArray();
    QTest::newRow("name") << QByteArray("Albrecht, Paul");
    QTest::newRow("umlauts windows-1252") << QByteArray("\xE4\xF6\xFC\xC4\xD6\xDC\xDF");
    QTest::newRow("braces and tilde") << QByteArray("{}|~");
    QTest::newRow("mixed out of range") << QByteArray("M\xFCller {2} \t\x7F" "ab\x80z");
    QTest::newRow("all byte values") << allByteValues(1);
    QTest::newRow("all byte values, 5120 bytes") << allByteValues(20);
    QTest::newRow("9000 letters") << QByteArray(9000, 'q');
}

void ScramblersTest::cellRoundTrip()
{
    QFETCH(QByteArray, text);

    const QByteArray scrambled = CellScrambler::scramble(text);
    QCOMPARE(scrambled.size(), text.size());
    QCOMPARE(scrambled, referenceScramble(text));
    QCOMPARE(CellScrambler::unscramble(scrambled), text);
    QCOMPARE(CellScrambler::scramble(CellScrambler::unscramble(text)), text);

    // The loader's direct path must agree with unscramble and tell non-ASCII cells apart.
    std::vector<char16_t> direct(size_t(text.size()) + 1);
    const bool ascii = CellScrambler::unscrambleAsciiTo(scrambled.constData(), scrambled.size(),
                                                        direct.data());
    const bool expectAscii = std::none_of(text.cbegin(), text.cend(),
                                          [](char c) { return uchar(c) >= 128; });
    QCOMPARE(ascii, expectAscii);
    if (ascii) {
        for (qsizetype i = 0; i < text.size(); ++i)
            QCOMPARE(int(direct[size_t(i)]), int(uchar(text[i])));
    }
}

void ScramblersTest::cellScrambleIsStable()
{
    // Every class file ever written was scrambled like this.
    QCOMPARE(CellScrambler::scramble("Markwart"), QByteArray("#_ >vZxp"));

    const QByteArray text = "Kurzgeschichte \x84" "Das Brot\x93, Diktat: s, ss, \xDF";
    const QByteArray whole = CellScrambler::scramble(text);
    for (qsizetype length = 0; length <= text.size(); ++length)
        QVERIFY(whole.startsWith(CellScrambler::scramble(text.left(length))));

    // A long cell in between must not disturb the shifts of later cells.
    CellScrambler::scramble(QByteArray(20000, 'x'));
    QCOMPARE(CellScrambler::scramble(text), whole);
}

void ScramblersTest::photoTwiceRestores_data()
{
    QTest::addColumn<int>("width");
    QTest::addColumn<int>("height");
    QTest::addColumn<int>("stride");

    QTest::newRow("135 wide, row fill") << 135 << 4 << 408;
    QTest::newRow("136 wide, no fill") << 136 << 3 << 408;
    QTest::newRow("1 wide, two rows") << 1 << 2 << 4;
}

void ScramblersTest::photoTwiceRestores()
{
    QFETCH(int, width);
    QFETCH(int, height);
    QFETCH(int, stride);

    const QImage original = patternImage(width, height);
    QCOMPARE(int(original.bytesPerLine()), stride);

    QImage image = original;
    QVERIFY(PhotoScrambler::apply(image));
    QCOMPARE(image.format(), QImage::Format_BGR888);
    QCOMPARE(image.size(), original.size());

    // Every byte of every row, fill bytes included, XORed with the stream, row after row.
    ReferenceRandom random{ScrambleSeeds::Photo};
    const QByteArray before = rawBytes(original);
    const QByteArray after = rawBytes(image);
    for (qsizetype i = 0; i < before.size(); ++i)
        QCOMPARE(uchar(after[i]), uchar(uchar(before[i]) ^ random.next(256)));

    QVERIFY(PhotoScrambler::apply(image));
    QCOMPARE(rawBytes(image), before);
}

void ScramblersTest::photoNeedsTwoRows()
{
    QImage single = patternImage(135, 1);
    const QByteArray before = rawBytes(single);
    QVERIFY(!PhotoScrambler::apply(single));
    QCOMPARE(rawBytes(single), before);
}

void ScramblersTest::storedPhotoIsScrambled24BitBitmap()
{
    QTemporaryDir dir;
    QVERIFY(dir.isValid());
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
