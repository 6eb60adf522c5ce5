#include "classdata/cellscrambler.h"
#include "classdata/classfile.h"
#include "classdata/classgrid.h"
#include "classdata/loadbuffer.h"
#include "testsupport.h"

#include <QDir>
#include <QElapsedTimer>
#include <QFile>
#include <QFileInfo>
#include <QTemporaryDir>
#include <QtTest>

#ifdef Q_OS_UNIX
#include <csignal>
#include <sys/resource.h>
#endif

namespace {

constexpr int FileLines = 2 + ClassGrid::CellCount;

QByteArrayList fileLines(const QByteArray &bytes)
{
    QByteArrayList lines = bytes.split('\n');
    if (!lines.isEmpty() && lines.last().isEmpty())
        lines.removeLast();
    return lines;
}

QByteArray cellLine(const QByteArrayList &lines, int column, int row)
{
    return lines.value(2 + column * ClassGrid::Rows + row).chopped(1); // without the CR
}

QString label(int column, int row)
{
    return QStringLiteral("%1/%2").arg(column).arg(row);
}

} // namespace

class ClassFileTest : public QObject
{
    Q_OBJECT

private slots:
    void writtenFileLayout();
    void cellRoundTrip_data();
    void cellRoundTrip();
    void readsFileGeometry_data();
    void readsFileGeometry();
    void rejectsBadHeader_data();
    void rejectsBadHeader();
    void writeFailureIsReported();
    void failedWriteKeepsOldFile();

private:
    QTemporaryDir m_dir;
};

void ClassFileTest::writtenFileLayout()
{
    const QString path = m_dir.filePath(QStringLiteral("layout.MWk"));
    TestSupport::writeClass(path, {{0, 16, QStringLiteral("Maß")},
                                   {1, 2, QStringLiteral("ä")},
                                   {2, 3, QStringLiteral("abc")},
                                   {169, 1715, QStringLiteral("Ende")}});
    const QByteArray bytes = TestSupport::readBytes(path);

    QVERIFY(bytes.startsWith("170\r\n1716\r\n"));
    QVERIFY(bytes.endsWith("\r\n"));
    QCOMPARE(bytes.count("\r\n"), qsizetype(FileLines));
    QCOMPARE(bytes.count('\n'), qsizetype(FileLines));

    // Umlauts and ß are single Windows-1252 bytes, left as they are.
    const QByteArrayList lines = fileLines(bytes);
    QCOMPARE(cellLine(lines, 1, 2), QByteArray("\xE4"));
    const QByteArray name = cellLine(lines, 0, 16);
    QCOMPARE(name, CellScrambler::scramble("Ma") + "\xDF");
    QCOMPARE(cellLine(lines, 2, 3), CellScrambler::scramble("abc"));
    QVERIFY(!bytes.contains("abc"));
    QCOMPARE(cellLine(lines, 169, 1715), CellScrambler::scramble("Ende"));
}

void ClassFileTest::cellRoundTrip_data()
{
    QTest::addColumn<int>("column");
    QTest::addColumn<int>("row");
    QTest::addColumn<QString>("text");
    QTest::addColumn<QString>("expected");

    const auto add = [](const char *name, int column, int row, const QString &text,
                        const QString &expected = QString()) {
        QTest::newRow(name) << column << row << text << (expected.isNull() ? text : expected);
    };
    add("umlaut name", 0, 237, QStringLiteral("Müller, Jonas"));
    add("name with Ł", 0, 186, QStringLiteral("Kowalczyk, Łukasz"));
    add("name with Ş", 0, 271, QStringLiteral("Şahin, Ayşe"));
    add("euro and dash", 49, 599, QStringLiteral("5 € – „Buch“"));
    add("tab and braces", 3, 620, QStringLiteral("a\tb {x|y} ~"));
    add("6000 characters", 169, 1714, QString(6000, QLatin1Char('k')));
    add("last cell", 169, 1715, QStringLiteral("Ende"));
    add("line breaks", 5, 620, QStringLiteral("eins\r\nzwei\ndrei\r"),
        QStringLiteral("eins  zwei drei "));
    add("line breaks with umlaut", 6, 620, QStringLiteral("Grüße\r\nvon Łukasz"),
        QStringLiteral("Grüße  von Łukasz"));
}

void ClassFileTest::cellRoundTrip()
{
    QFETCH(int, column);
    QFETCH(int, row);
    QFETCH(QString, text);
    QFETCH(QString, expected);

    // The cell below must stay in its place whatever the cell holds.
    const QString sentinel = QStringLiteral("Wächter");
    const QString path = m_dir.filePath(QStringLiteral("roundtrip.MWk"));
    TestSupport::writeClass(path, {{column, row, text}, {column, row + 1, sentinel}});
    QCOMPARE(fileLines(TestSupport::readBytes(path)).size(), FileLines);

    LoadBuffer buffer;
    QString error;
    QVERIFY2(ClassFile::read(path, buffer, &error), qPrintable(error));
    QCOMPARE(buffer.unscrambledCell(column, row), expected);

    ClassGrid grid;
    buffer.unscrambleInto(grid);
    QCOMPARE(grid.cell(column, row), expected);
    if (row + 1 < ClassGrid::Rows)
        QCOMPARE(grid.cell(column, row + 1), sentinel);
}

void ClassFileTest::readsFileGeometry_data()
{
    QTest::addColumn<QByteArray>("header");
    QTest::addColumn<qint64>("rows");      // rows per column as the file lays them out
    QTest::addColumn<qint64>("lineCount"); // cell lines present in the file
    QTest::addColumn<QByteArray>("lineEnd");
    QTest::addColumn<bool>("finalLineEnd");

    const QByteArray crlf = "\r\n";
    QTest::newRow("fewer columns and rows") << QByteArray("3\r\n5\r\n") << 5LL << 15LL << crlf << true;
    QTest::newRow("more rows than the grid") << QByteArray("2\r\n2000\r\n") << 2000LL << 4000LL << crlf << true;
    QTest::newRow("more columns than the grid") << QByteArray("172\r\n3\r\n") << 3LL << 516LL << crlf << true;
    QTest::newRow("huge column count") << QByteArray("999999999999\r\n4\r\n") << 4LL << 20LL << crlf << true;
    QTest::newRow("huge row count") << QByteArray("2\r\n999999999999\r\n") << 999999999999LL << 10LL << crlf << true;
    QTest::newRow("lines missing at the end") << QByteArray("170\r\n1716\r\n") << 1716LL << 2000LL << crlf << true;
    QTest::newRow("bare line feeds") << QByteArray("3\n5\n") << 5LL << 15LL << QByteArray("\n") << true;
    QTest::newRow("no final line end") << QByteArray("3\r\n5\r\n") << 5LL << 15LL << crlf << false;
    QTest::newRow("blanks and words around counts") << QByteArray("  3 \r\n5 Zeilen\r\n") << 5LL << 15LL << crlf << true;
}

void ClassFileTest::readsFileGeometry()
{
    QFETCH(QByteArray, header);
    QFETCH(qint64, rows);
    QFETCH(qint64, lineCount);
    QFETCH(QByteArray, lineEnd);
    QFETCH(bool, finalLineEnd);

    QByteArray bytes = header;
    for (qint64 k = 0; k < lineCount; ++k) {
        bytes += CellScrambler::scramble(label(int(k / rows), int(k % rows)).toLatin1());
        if (k + 1 < lineCount || finalLineEnd)
            bytes += lineEnd;
    }

    // Cells the file does not cover must not keep what the grid held before.
    ClassGrid grid;
    for (int i = 0; i < ClassGrid::CellCount; i += 101)
        grid.setCell(i / ClassGrid::Rows, i % ClassGrid::Rows, QStringLiteral("alt"));

    QElapsedTimer timer;
    timer.start();
    LoadBuffer buffer;
    QString error;
    QVERIFY2(buffer.parse(bytes, &error), qPrintable(error));
    buffer.unscrambleInto(grid);
    QVERIFY2(timer.elapsed() < 3000, "reading a short file must not take long");

    for (int column = 0; column < ClassGrid::Columns; ++column) {
        for (int row = 0; row < ClassGrid::Rows; ++row) {
            const bool covered = row < rows && qint64(column) * rows + row < lineCount;
            const QString expected = covered ? label(column, row) : QString();
            if (grid.cell(column, row) != expected)
                QFAIL(qPrintable(QStringLiteral("cell %1: \"%2\" instead of \"%3\"")
                                     .arg(label(column, row), grid.cell(column, row), expected)));
        }
    }
}

void ClassFileTest::rejectsBadHeader_data()
{
    QTest::addColumn<QByteArray>("bytes");

    QTest::newRow("empty file") << QByteArray();
    QTest::newRow("words") << QByteArray("Klasse 7b\r\nSchuljahr 2024\r\n");
    QTest::newRow("negative columns") << QByteArray("-170\r\n1716\r\n");
    QTest::newRow("negative rows") << QByteArray("170\r\n-1\r\n");
    QTest::newRow("row count missing") << QByteArray("170\r\n");
    QTest::newRow("decimal point") << QByteArray("170\r\n17.5\r\n");
    QTest::newRow("picture file") << QByteArray("BM\x36\x10\0\0\0\0", 8);
}

void ClassFileTest::rejectsBadHeader()
{
    QFETCH(QByteArray, bytes);

    // A buffer still holding an earlier file must not mix it with the bad one.
    LoadBuffer buffer;
    ClassGrid earlier;
    earlier.setCell(0, 0, QStringLiteral("alt"));
    buffer.scrambleFrom(earlier);

    QString error;
    QVERIFY(!buffer.parse(bytes, &error));
    QVERIFY(!error.isEmpty());
    QCOMPARE(buffer.fileColumns(), qint64(0));
    QVERIFY(buffer.unscrambledCell(0, 0).isEmpty());
}

void ClassFileTest::writeFailureIsReported()
{
    QTemporaryDir dir;
    LoadBuffer buffer;
    buffer.scrambleFrom(ClassGrid());
    for (const QString &path : {dir.filePath(QStringLiteral("fehlt/7b.MWk")), dir.path()}) {
        QString error;
        QVERIFY(!ClassFile::write(path, buffer, &error));
        QVERIFY2(!error.isEmpty(), qPrintable(path));
    }
    QVERIFY(!QFileInfo::exists(dir.filePath(QStringLiteral("fehlt"))));
}

void ClassFileTest::failedWriteKeepsOldFile()
{
#ifndef Q_OS_UNIX
    QSKIP("needs POSIX file size limits");
#else
    QTemporaryDir dir;
    const QString path = dir.filePath(QStringLiteral("7b.MWk"));
    TestSupport::writeClass(path, {{0, 16, QStringLiteral("Albrecht, Paul")}});
    const QByteArray old = TestSupport::readBytes(path);

    ClassGrid grid;
    grid.setCell(0, 16, QStringLiteral("Bauer, Lina"));
    LoadBuffer buffer;
    buffer.scrambleFrom(grid);

    // Every write beyond 64 KiB fails, as on a full disk; this binds the superuser too.
    rlimit saved{};
    QCOMPARE(getrlimit(RLIMIT_FSIZE, &saved), 0);
    rlimit small = saved;
    small.rlim_cur = 64 * 1024;
    const auto oldHandler = std::signal(SIGXFSZ, SIG_IGN);
    QCOMPARE(setrlimit(RLIMIT_FSIZE, &small), 0);
    QString error;
    const bool written = ClassFile::write(path, buffer, &error);
    setrlimit(RLIMIT_FSIZE, &saved);
    std::signal(SIGXFSZ, oldHandler);

    QVERIFY(!written);
    QVERIFY(!error.isEmpty());
    QCOMPARE(TestSupport::readBytes(path), old);
    QCOMPARE(QDir(dir.path()).entryList(QDir::Files | QDir::Hidden),
             QStringList{QStringLiteral("7b.MWk")});
#endif
}

QTEST_GUILESS_MAIN(ClassFileTest)
#include "tst_classfile.moc"
