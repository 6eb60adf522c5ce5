#include "classdata/celldump.h"
#include "classdata/cellscrambler.h"
#include "classdata/celltext.h"
#include "classdata/classgrid.h"
#include "classdata/loadbuffer.h"
#include "testsupport.h"

#include <QBuffer>
#include <QRandomGenerator>
#include <QStringDecoder>
#include <QStringEncoder>
#include <QtTest>

namespace {

// How a line is meant to read, written with Qt's own converters.
QString referenceDecode(const QByteArray &bytes)
{
    // Each line is read on its own: a sequence cut off at its end is an error.
    QStringDecoder utf8(QStringConverter::Utf8, QStringConverter::Flag::ConvertInitialBom |
                                                    QStringConverter::Flag::Stateless);
    if (bytes.startsWith("\xEF\xBB\xBF"))
        return utf8.decode(bytes.mid(3));
    const QString text = utf8.decode(bytes);
    const bool high = std::any_of(bytes.begin(), bytes.end(), [](char c) { return c & 0x80; });
    const bool foreign = std::any_of(text.begin(), text.end(), [](QChar c) {
        return (c.unicode() >= 0x80 && c.unicode() <= 0x9F) ||
               (c.unicode() >= 0x700 && c.unicode() <= 0x7FF);
    });
    if (high && !utf8.hasError() && !foreign)
        return text;
    QStringDecoder windows("windows-1252");
    return windows.decode(bytes);
}

const auto hex = QByteArray::fromHex;

// Up to maxLength characters of the pool; one outside the BMP comes with both of its halves.
QString randomText(QRandomGenerator &random, const QString &pool, int maxLength)
{
    QString text;
    for (int k = random.bounded(maxLength); k > 0; --k) {
        const int at = random.bounded(int(pool.size()));
        text += pool[at].isSurrogate() ? pool.mid(pool[at].isHighSurrogate() ? at : at - 1, 2)
                                       : QString(pool[at]);
    }
    return text;
}

} // namespace

class CellTextTest : public QObject
{
    Q_OBJECT

private slots:
    void readsEachForm_data();
    void readsEachForm();
    void readerFollowsItsRuleOnRandomBytes();
    void writerPicksFirstFormThatReadsBack_data();
    void writerPicksFirstFormThatReadsBack();
    void randomTextsSurviveTheClassFile();
    void fileOfAnotherProgramReadsRight();
    void listingReadsBackUnchanged();
};

void CellTextTest::readsEachForm_data()
{
    QTest::addColumn<QByteArray>("bytes");
    QTest::addColumn<QString>("text");
    const QString nko = QString(QChar(0x07D3));
    QTest::newRow("windows umlaut") << hex("4DFC6C6C6572") << QStringLiteral("Müller");
    QTest::newRow("ß and quote") << hex("537061DF93") << QStringLiteral("Spaß“");
    QTest::newRow("ß and ellipsis") << hex("4675DF85") << QStringLiteral("Fuß…");
    QTest::newRow("Ü and dash") << hex("4752DC96") << QStringLiteral("GRÜ–");
    // How the writer before this one kept "ß“" apart from a letter of N'Ko.
    QTest::newRow("ß and quote in utf-8") << hex("C39FE2809C") << QStringLiteral("ß“");
    QTest::newRow("C1 control in utf-8") << hex("C285") << QStringLiteral("Â…");
    // Also the letter Ė of Lithuanian or Polish names: stays UTF-8.
    QTest::newRow("Ä and dash") << hex("C496") << QStringLiteral("Ė");
    QTest::newRow("marker") << hex("EFBBBF4675DF93") << QStringLiteral("Fu") + nko;
    QTest::newRow("marker twice") << hex("EFBBBFEFBBBF61") << QStringLiteral("\uFEFFa");
    QTest::newRow("broken after marker") << hex("EFBBBF61FF") << QStringLiteral("a\uFFFD");
    QTest::newRow("undefined bytes")
        << hex("818D8F909D") << QStringLiteral("\u0081\u008D\u008F\u0090\u009D");
}

void CellTextTest::readsEachForm()
{
    QFETCH(QByteArray, bytes);
    QFETCH(QString, text);
    QCOMPARE(CellText::decode(bytes), text);
}

void CellTextTest::readerFollowsItsRuleOnRandomBytes()
{
    // Bytes drawn so that valid and nearly valid UTF-8, markers and Windows-1252 all turn up.
    const QByteArray pieces[] = {"a",       "Z ",      hex("C3A4"),   hex("DF"), hex("93"),
                                 hex("85"), hex("C2"), hex("E282AC"), hex("E2"), hex("82"),
                                 hex("F0"), hex("9F"), hex("EFBBBF"), hex("ED"), hex("A0"),
                                 hex("F4"), hex("90"), hex("DFBF"),   hex("C0"), hex("FF")};
    QRandomGenerator random(1206);
    for (int n = 0; n < 50000; ++n) {
        QByteArray bytes;
        for (int k = random.bounded(7); k >= 0; --k)
            bytes += pieces[random.bounded(int(std::size(pieces)))];
        const QString read = QString::fromLatin1(bytes.toHex(' ')) + QStringLiteral(" reads ");
        QCOMPARE(read + CellText::decode(bytes), read + referenceDecode(bytes));
    }
    // Every Windows-1252 byte on its own is what the code page says.
    for (int b = 0x80; b <= 0xFF; ++b)
        QCOMPARE(CellText::decode(QByteArray(1, char(b))), referenceDecode(QByteArray(1, char(b))));
}

void CellTextTest::writerPicksFirstFormThatReadsBack_data()
{
    QTest::addColumn<QString>("text");
    QTest::addColumn<QByteArray>("bytes");
    QTest::newRow("umlauts") << QStringLiteral("Größe") << hex("4772F6DF65");
    // Read as UTF-8 this would be a letter of N'Ko, which is not taken as UTF-8.
    QTest::newRow("ß and quote") << QStringLiteral("Spaß“") << hex("537061DF93");
    QTest::newRow("Ä and dash") << QStringLiteral("Ä–") << hex("C384E28093");
    QTest::newRow("Polish") << QStringLiteral("Łukasz") << hex("C581756B61737A");
    QTest::newRow("N'Ko") << QString(QChar(0x07D3)) << hex("EFBBBFDF93");
    QTest::newRow("C1 control") << QString(QChar(0x0085)) << hex("EFBBBFC285");
    QTest::newRow("leading U+FEFF") << QStringLiteral("\uFEFFx") << hex("EFBBBFEFBBBF78");
    QTest::newRow("line breaks") << QStringLiteral("a\r\nb\nä") << hex("6120206220E4");
}

void CellTextTest::writerPicksFirstFormThatReadsBack()
{
    QFETCH(QString, text);
    QFETCH(QByteArray, bytes);
    QCOMPARE(CellText::encode(text).toHex(' '), bytes.toHex(' '));
}

void CellTextTest::randomTextsSurviveTheClassFile()
{
    // What Windows-1252 puts at 80..9F, the five C1 controls it leaves in place among them.
    const QString punctuation = QStringDecoder("windows-1252")
                                    .decode(hex("808182838485868788898A8B8C8D8E8F"
                                                "909192939495969798999A9B9C9D9E9F"));
    // Latin, Polish, Turkish, Arabic, N'Ko, signs outside the BMP and the code page's own.
    const QString pool = QStringLiteral("abcxyzABC 0123,.;-/()äöüÄÖÜßąćęłńóśźżĄĆĘŁŃÓŚŹŻçğıöşüÇĞİÖŞÜ"
                                        "مرحبا بالعالم߀߁ߊߋߌߓߚߪ߲߫ߵ€™—😀") +
                         punctuation;
    ClassGrid grid;
    int i = 0;
    // ß, Ä, Ö and Ü before every punctuation mark of the code page, at the start and inside.
    for (QChar mark : punctuation)
        for (QChar letter : QStringLiteral("ßÄÖÜ")) {
            grid.setCell(0, i, QString(letter) + mark);
            grid.setCell(1, i++, QStringLiteral("Fu") + letter + mark + QStringLiteral("x"));
        }
    QRandomGenerator random(20261206);
    for (i = 2 * ClassGrid::Rows; i < 40000; ++i)
        grid.setCell(i / ClassGrid::Rows, i % ClassGrid::Rows,
                     (random.bounded(10) ? QString() : QStringLiteral("\uFEFF")) +
                         randomText(random, pool, 12));

    // Through the whole file: encoded, scrambled, split into lines, unscrambled, decoded.
    LoadBuffer written;
    written.scrambleFrom(grid);
    LoadBuffer read;
    QString error;
    QVERIFY2(read.parse(written.fileBytes(), &error), qPrintable(error));
    QVERIFY(read.warning().isEmpty());
    ClassGrid loaded;
    read.unscrambleInto(loaded);
    QCOMPARE(TestSupport::firstDifference(grid, [&](int c, int r) { return loaded.cell(c, r); }),
             QString());
    QCOMPARE(TestSupport::firstDifference(grid,
                                          [&](int c, int r) { return read.unscrambledCell(c, r); }),
             QString());
}

void CellTextTest::fileOfAnotherProgramReadsRight()
{
    // Another program writes every cell in Windows-1252, scrambled, one per CR LF line.
    ClassGrid grid;
    TestSupport::fill(grid, 16, "0=Fuß“ 1=Spaß… 2=GRÜ– 3=Müller,Jörg 4=„Brot“5€ 5=Fuß");
    grid.setCell(49, 599, QStringLiteral("Grüße – bis Mittwoch‰"));
    grid.setCell(169, 1715, QStringLiteral("ß›"));
    QStringEncoder windows("windows-1252");
    QByteArrayList lines;
    for (int i = 0; i < ClassGrid::CellCount; ++i)
        lines << CellScrambler::scramble(
            QByteArray(windows.encode(grid.cell(i / ClassGrid::Rows, i % ClassGrid::Rows))));
    const QByteArray file = "170\r\n1716\r\n" + lines.join("\r\n") + "\r\n";
    QVERIFY(!windows.hasError());

    LoadBuffer buffer;
    QString error;
    QVERIFY2(buffer.parse(file, &error), qPrintable(error));
    ClassGrid loaded;
    buffer.unscrambleInto(loaded);
    QCOMPARE(TestSupport::firstDifference(grid, [&](int c, int r) { return loaded.cell(c, r); }),
             QString());
    QCOMPARE(buffer.unscrambledCell(0, 16), QStringLiteral("Fuß“"));
    // And written again, the class is the same file, byte for byte.
    LoadBuffer again;
    again.scrambleFrom(loaded);
    QCOMPARE(again.fileBytes(), file);
}

void CellTextTest::listingReadsBackUnchanged()
{
    // Escapes, controls and characters of every UTF-8 length, at every place of a word.
    const QString pool = QStringLiteral("ab \\\t\r\n\x01\x1f\x7f\u0080äß€😀\\t");
    QRandomGenerator random(7);
    ClassGrid grid;
    for (int i = 0; i < 20000; ++i)
        grid.setCell(i % 17, i / 17, randomText(random, pool, 14));
    grid.setCell(169, 1715, QStringLiteral("Ende"));

    QBuffer listing;
    QVERIFY(listing.open(QIODevice::WriteOnly));
    QVERIFY(CellDump::write(grid, listing));
    listing.close();
    QVERIFY(listing.open(QIODevice::ReadOnly));
    QTextStream in(&listing);
    in.setEncoding(QStringConverter::Utf8);
    ClassGrid read;
    QString error;
    QVERIFY2(CellDump::read(in, read, &error), qPrintable(error));
    QCOMPARE(TestSupport::firstDifference(grid, [&](int c, int r) { return read.cell(c, r); }),
             QString());
}

QTEST_GUILESS_MAIN(CellTextTest)
#include "tst_celltext.moc"
