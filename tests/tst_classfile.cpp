#include "classdata/cellscrambler.h"
#include "classdata/classfile.h"
#include "classdata/classgrid.h"
#include "classdata/loadbuffer.h"
#include "testsupport.h"

#include <QDir>
#include <QElapsedTimer>
#include <QFileInfo>
#include <QTemporaryDir>
#include <QtTest>

#ifdef Q_OS_UNIX
#include <QThread>

#include <csignal>
#include <fcntl.h>
#include <sys/resource.h>
#include <sys/stat.h>
#include <thread>
#include <unistd.h>
#endif

class ClassFileTest : public QObject
{
    Q_OBJECT

private slots:
    void writeAndRead();
    void readsFileGeometry();
    void rejectsBadHeader();
    void refusesWhatIsNoClassFile();
    void cutOffFileLoadsWithNotice();
    void failedWriteKeepsOldFile();
};

void ClassFileTest::writeAndRead()
{
    // The "ä" follows cells written as UTF-8.
    const QList<std::tuple<int, int, QString>> cells = {
        {0, 16, "Maß"},
        {0, 186, "Kowalczyk, Łukasz"},
        {0, 271, "Şahin, Ayşe"},
        {1, 2, "ä"},
        {5, 620, "eins\r\nzwei\ndrei\r"},
        {6, 620, "Grüße\r\nvon Łukasz"},
        {49, 599, "5 € – „Buch“ {x|y}\t~"},
        {169, 1714, QString(6000, QLatin1Char('k'))},
        {169, 1715, "Ende"}};
    QTemporaryDir dir;
    const QString path = dir.filePath(QStringLiteral("7b.MWk"));
    TestSupport::writeClass(path, cells);

    // 291,722 lines, each ended by CR LF; line breaks in cells became blanks.
    const QByteArray bytes = TestSupport::readBytes(path);
    QVERIFY(bytes.startsWith("170\r\n1716\r\n") && bytes.endsWith("\r\n"));
    for (const char *end : {"\r\n", "\r", "\n"})
        QCOMPARE(bytes.count(end), qsizetype(2 + ClassGrid::CellCount));

    // Umlauts and ß are single Windows-1252 bytes, left as they are by the scrambler.
    const QByteArrayList lines = bytes.split('\n');
    QCOMPARE(lines.value(2 + ClassGrid::Rows + 2), QByteArray("\xE4\r"));
    QCOMPARE(lines.value(2 + 16), CellScrambler::scramble("Ma") + "\xDF\r");

    LoadBuffer buffer;
    QString error;
    QVERIFY2(ClassFile::read(path, buffer, &error), qPrintable(error));
    ClassGrid grid, expected;
    buffer.unscrambleInto(grid);
    for (const auto &[column, row, text] : cells)
        expected.setCell(column, row, QString(text).replace(u'\r', u' ').replace(u'\n', u' '));
    QCOMPARE(TestSupport::firstDifference(expected, [&](int c, int r) { return grid.cell(c, r); }),
             QString());
    QCOMPARE(TestSupport::firstDifference(
                 expected, [&](int c, int r) { return buffer.unscrambledCell(c, r); }),
             QString());
}

void ClassFileTest::readsFileGeometry()
{
    const struct
    {
        const char *header;
        qint64 rows, lines; // rows per column as the file lays them out; cell lines present
        bool whole;         // as many cell lines as the counts promise
    } files[] = {
        {"3\r\n5\r\n", 5, 13, false},            // fewer lines than cells
        {" 3 \n5 Zeilen\n", 5, 15, true},        // line feeds alone, blanks and words at counts
        {"2\r\n2000\r\n", 2000, 4000, true},     // more rows than the grid
        {"172\r\n3\r\n", 3, 516, true},          // more columns than the grid
        {"172\r\n3\r\n", 3, 515, false},         // ... and one line short of them
        {"999999999999\r\n4\r\n", 4, 20, false}, // huge counts stay bounded
        {"2\r\n999999999999\r\n", 999999999999, 10, false},
    };
    for (const auto &f : files) {
        const QByteArray lineEnd = QByteArray(f.header).contains('\r') ? "\r\n" : "\n";
        QByteArray bytes = f.header;
        ClassGrid expected;
        for (qint64 k = 0; k < f.lines; ++k) {
            const int column = int(k / f.rows), row = int(k % f.rows);
            const QString label = QStringLiteral("%1/%2").arg(column).arg(row);
            bytes += CellScrambler::scramble(label.toLatin1()) + lineEnd;
            if (ClassGrid::contains(column, row))
                expected.setCell(column, row, label);
        }
        if (f.lines % 2) // odd counts end without a final line end
            bytes.chop(lineEnd.size());

        // Cells the file does not cover must not keep what the grid held before.
        ClassGrid grid;
        for (int i = 0; i < ClassGrid::CellCount; i += 101)
            grid.setCell(i / ClassGrid::Rows, i % ClassGrid::Rows, QStringLiteral("alt"));

        QElapsedTimer timer;
        timer.start();
        LoadBuffer buffer;
        QString error;
        QVERIFY2(buffer.parse(bytes, &error), f.header);
        QCOMPARE(buffer.warning().isEmpty(), f.whole);
        buffer.unscrambleInto(grid);
        QVERIFY2(timer.elapsed() < 3000, "reading a short file must not take long");
        QCOMPARE(
            TestSupport::firstDifference(expected, [&](int c, int r) { return grid.cell(c, r); }),
            QString());
    }
}

void ClassFileTest::rejectsBadHeader()
{
    // A buffer still holding an earlier file must not mix it with the bad one.
    ClassGrid earlier;
    earlier.setCell(0, 0, QStringLiteral("alt"));
    LoadBuffer buffer;
    for (const char *bytes :
         {"", "Klasse 7b\r\nSchuljahr 2024\r\n", "170\r\n-1\r\n", "170\r\n", "170\r\n17.5\r\n"}) {
        buffer.scrambleFrom(earlier);
        QString error;
        QVERIFY2(!buffer.parse(bytes, &error), bytes);
        QVERIFY(!error.isEmpty());
        QCOMPARE(buffer.fileColumns(), qint64(0));
        QVERIFY(buffer.unscrambledCell(0, 0).isEmpty());
    }
}

void ClassFileTest::refusesWhatIsNoClassFile()
{
    QTemporaryDir dir;
    const QString path = dir.filePath(QStringLiteral("riesig.MWk"));
    LoadBuffer buffer;
    QString error;
    const auto refused = [&](const QString &what, const QString &message) {
        buffer.scrambleFrom(ClassGrid()); // what an earlier load left behind
        const bool read = ClassFile::read(what, buffer, &error);
        return !read && error.contains(message) && buffer.fileColumns() == 0;
    };

    // Up to 64 MB is a class file (one with very long cells); one byte more is not.
    QFile file(path);
    QVERIFY(file.open(QIODevice::WriteOnly) && file.write("170\r\n1716\r\nx\r\n") > 0);
    QVERIFY(file.resize(ClassFile::MaxSize));
    file.close();
    QVERIFY2(ClassFile::read(path, buffer, &error), qPrintable(error));
    QVERIFY(QFile::resize(path, ClassFile::MaxSize + 1));
    QVERIFY(refused(path, QStringLiteral("zu groß")));

    QVERIFY(refused(dir.path(), QStringLiteral("keine gewöhnliche Datei")));
#ifdef Q_OS_UNIX
    QVERIFY(refused(QStringLiteral("/dev/zero"), QStringLiteral("keine gewöhnliche Datei")));
    // Opening a FIFO would wait for a writer; should the reader ever try, this one comes along
    // after a while, and the load fails the wrong way instead of hanging.
    const QString fifo = dir.filePath(QStringLiteral("fifo.MWk"));
    QCOMPARE(mkfifo(QFile::encodeName(fifo).constData(), 0600), 0);
    std::thread writer([&] {
        QThread::msleep(300);
        const int fd = ::open(QFile::encodeName(fifo).constData(), O_RDWR);
        if (fd >= 0)
            ::close(fd);
    });
    QVERIFY(refused(fifo, QStringLiteral("keine gewöhnliche Datei")));
    writer.join();
#endif
}

void ClassFileTest::cutOffFileLoadsWithNotice()
{
    QTemporaryDir dir;
    const QString path = dir.filePath(QStringLiteral("7b.MWk"));
    TestSupport::writeClass(path, {{0, 16, QStringLiteral("Albrecht, Paul")},
                                   {1, 16, QStringLiteral("7b")},
                                   {169, 1715, QStringLiteral("Ende")}});
    const QByteArray whole = TestSupport::readBytes(path);
    // Up to the end of the line of cell (1, 16): the header, column 0, 17 lines of column 1.
    const QByteArray cut = whole.split('\n').mid(0, 2 + ClassGrid::Rows + 17).join('\n') + '\n';

    const struct
    {
        QByteArray bytes;
        QString notice, name, classLabel, last; // notice: what it must say; empty: none
    } files[] = {
        {whole, {}, "Albrecht, Paul", "7b", "Ende"},
        // Only the last line end is missing: every cell is there.
        {whole.chopped(2), {}, "Albrecht, Paul", "7b", "Ende"},
        {cut, "nach 1.733 von 291.720 Zellen", "Albrecht, Paul", "7b", {}},
        {cut.chopped(3), "nach 1.733 von 291.720 Zellen", "Albrecht, Paul", "7", {}},
        {whole.left(11), "nach 0 von 291.720 Zellen", {}, {}, {}},
    };
    for (const auto &f : files) {
        QVERIFY(TestSupport::writeBytes(path, f.bytes));
        LoadBuffer buffer;
        QString error;
        QVERIFY2(ClassFile::read(path, buffer, &error), qPrintable(error));
        QVERIFY2(buffer.warning().contains(f.notice), qPrintable(buffer.warning()));
        QCOMPARE(buffer.warning().isEmpty(), f.notice.isEmpty());
        // Loaded as far as it goes.
        QCOMPARE(buffer.unscrambledCell(0, 16), f.name);
        QCOMPARE(buffer.unscrambledCell(1, 16), f.classLabel);
        QCOMPARE(buffer.unscrambledCell(169, 1715), f.last);
    }
}

void ClassFileTest::failedWriteKeepsOldFile()
{
    QTemporaryDir dir;
    const QString path = dir.filePath(QStringLiteral("7b.MWk"));
    TestSupport::writeClass(path, {{0, 16, QStringLiteral("Albrecht, Paul")}});
    const QByteArray old = TestSupport::readBytes(path);

    LoadBuffer buffer;
    buffer.scrambleFrom(ClassGrid()); // an empty class in place of the old one
    QString error;
    for (const QString &bad : {dir.filePath(QStringLiteral("fehlt/7b.MWk")), dir.path()}) {
        QVERIFY(!ClassFile::write(bad, buffer, &error));
        QVERIFY2(!error.isEmpty(), qPrintable(bad));
        error.clear();
    }
    QVERIFY(!QFileInfo::exists(dir.filePath(QStringLiteral("fehlt"))));

#ifdef Q_OS_UNIX
    // Every write beyond 64 KiB fails, as on a full disk; this binds the superuser too.
    rlimit saved{};
    QCOMPARE(getrlimit(RLIMIT_FSIZE, &saved), 0);
    rlimit small = saved;
    small.rlim_cur = 64 * 1024;
    const auto oldHandler = std::signal(SIGXFSZ, SIG_IGN);
    QCOMPARE(setrlimit(RLIMIT_FSIZE, &small), 0);
    const bool written = ClassFile::write(path, buffer, &error);
    setrlimit(RLIMIT_FSIZE, &saved);
    std::signal(SIGXFSZ, oldHandler);

    QVERIFY(!written);
    // A file too large for the limit is no full disk.
    QVERIFY(error.contains(QDir::toNativeSeparators(path)));
    QCOMPARE(TestSupport::readBytes(path), old);
    QCOMPARE(QDir(dir.path()).entryList(QDir::Files | QDir::Hidden), QStringList{"7b.MWk"});

    // A full disk says so.
    QFile full(QStringLiteral("/dev/full"));
    if (!full.exists())
        QSKIP("no /dev/full here");
    QVERIFY(!ClassFile::writeTo(full, path, buffer, &error));
    QCOMPARE(error, QStringLiteral("Der Datenträger ist voll. Die Klasse wurde nicht gespeichert. "
                                   "Bitte Platz schaffen oder an einem anderen Ort speichern."));
#endif
}

QTEST_GUILESS_MAIN(ClassFileTest)
#include "tst_classfile.moc"
