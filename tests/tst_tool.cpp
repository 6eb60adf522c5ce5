#include "classdata/cellscrambler.h"
#include "classdata/classfile.h"
#include "classdata/loadbuffer.h"
#include "testsupport.h"

#include <QFileInfo>
#include <QProcess>
#include <QTemporaryDir>
#include <QtTest>

namespace {

struct ToolRun
{
    int exitCode = -1; // also when the tool did not start, crashed or hung
    QByteArray out;
    QByteArray err;
};

ToolRun runTool(const QStringList &arguments, const QByteArray &input = QByteArray())
{
    QProcess process;
    process.start(QStringLiteral(MARKWART_TOOL_PATH), arguments);
    process.write(input);
    process.closeWriteChannel();
    ToolRun run;
    if (process.waitForFinished(60000) && process.exitStatus() == QProcess::NormalExit)
        run.exitCode = process.exitCode();
    run.out = process.readAllStandardOutput();
    run.err = process.readAllStandardError();
    return run;
}

QStringList textLines(const QByteArray &utf8)
{
    return QString::fromUtf8(utf8).split(QLatin1Char('\n'), Qt::SkipEmptyParts);
}

} // namespace

class ToolTest : public QObject
{
    Q_OBJECT

private slots:
    void dumpsExampleClass();
    void writeThenDump_data();
    void writeThenDump();
    void umlautsStayWindowsBytes_data();
    void umlautsStayWindowsBytes();
    void dumpChecksPassword_data();
    void dumpChecksPassword();
    void writeRejectsMalformedLine_data();
    void writeRejectsMalformedLine();
    void dumpRejectsNonClassFile_data();
    void dumpRejectsNonClassFile();

private:
    QTemporaryDir m_dir;
};

void ToolTest::dumpsExampleClass()
{
    const QString listing = QFINDTESTDATA("../examples/klasse-7b.txt");
    QVERIFY(!listing.isEmpty());

    const ToolRun run = runTool({QStringLiteral("dump"), QStringLiteral(MARKWART_EXAMPLE_CLASS)});
    QCOMPARE(run.exitCode, 0);
    QStringList dumped = textLines(run.out);
    QVERIFY(dumped.contains(QStringLiteral("0\t186\tKowalczyk, Łukasz")));
    // Every cell of the listing the example was built from, and nothing else.
    QStringList listed = textLines(TestSupport::readBytes(listing));
    dumped.sort();
    listed.sort();
    QCOMPARE(dumped, listed);
}

void ToolTest::writeThenDump_data()
{
    QTest::addColumn<QByteArray>("input");
    QTest::addColumn<QByteArray>("expected");

    const auto same = [](const char *name, const char *lines) {
        QTest::newRow(name) << QByteArray(lines) << QByteArray(lines);
    };
    same("escapes", "0\t0\ta\\\\b\\tc\\\\t\\\\\n");
    same("names", "0\t16\tGünther, Leon\n0\t33\tKowalczyk, Łukasz\n0\t50\tÖztürk, Emir\n");
    same("windows-1252 punctuation", "49\t599\tKurzgeschichte „Das Brot“ – 5 €\n");
    same("last cell", "169\t1715\tEnde\n");
    same("sharp s before an ellipsis", "0\t620\tViel Spaß…\n");
    QTest::newRow("line breaks become blanks")
        << QByteArray("1\t620\tzwei\\r\\nZeilen\n") << QByteArray("1\t620\tzwei  Zeilen\n");
    QTest::newRow("unordered, CR LF, empty lines")
        << QByteArray("5\t7\tb\r\n\r\n0\t1715\ta\r\n") << QByteArray("0\t1715\ta\n5\t7\tb\n");
}

void ToolTest::writeThenDump()
{
    QFETCH(QByteArray, input);
    QFETCH(QByteArray, expected);

    const QString path = m_dir.filePath(QStringLiteral("runde.MWk"));
    const ToolRun written = runTool({QStringLiteral("write"), path}, input);
    QCOMPARE(written.exitCode, 0);

    const ToolRun dumped = runTool({QStringLiteral("dump"), path});
    QCOMPARE(dumped.exitCode, 0);
    QCOMPARE(QString::fromUtf8(dumped.out), QString::fromUtf8(expected));
}

void ToolTest::umlautsStayWindowsBytes_data()
{
    QTest::addColumn<QByteArray>("input");

    QTest::newRow("umlaut only") << QByteArray("0\t1\tMüller, Jonas\n");
    QTest::newRow("after a name outside windows-1252")
        << QByteArray("0\t0\tKowalczyk, Łukasz\n0\t1\tMüller, Jonas\n");
}

void ToolTest::umlautsStayWindowsBytes()
{
    QFETCH(QByteArray, input);

    // Each run is a fresh process, so earlier cells of this one file are all that came before.
    const QString path = m_dir.filePath(QStringLiteral("umlaut.MWk"));
    const ToolRun written = runTool({QStringLiteral("write"), path}, input);
    QCOMPARE(written.exitCode, 0);

    LoadBuffer buffer;
    QString error;
    QVERIFY2(ClassFile::read(path, buffer, &error), qPrintable(error));
    QCOMPARE(CellScrambler::unscramble(buffer.cell(0, 1)), QByteArray("M\xFCller, Jonas"));
}

void ToolTest::dumpChecksPassword_data()
{
    QTest::addColumn<QString>("stored");
    QTest::addColumn<QStringList>("extra");
    QTest::addColumn<int>("exitCode");

    const QString pw = QStringLiteral("--password");
    QTest::newRow("none stored, none given") << QString() << QStringList() << 0;
    QTest::newRow("none stored, one given") << QString() << QStringList{pw, "x"} << 3;
    QTest::newRow("right password") << "Geheim 1" << QStringList{pw, "Geheim 1"} << 0;
    QTest::newRow("case differs") << "Geheim 1" << QStringList{pw, "geheim 1"} << 3;
    QTest::newRow("password missing") << "Geheim 1" << QStringList() << 3;
    QTest::newRow("umlaut password") << "Kürbis" << QStringList{pw, "Kürbis"} << 0;
}

void ToolTest::dumpChecksPassword()
{
    QFETCH(QString, stored);
    QFETCH(QStringList, extra);
    QFETCH(int, exitCode);

    const QString path = m_dir.filePath(QStringLiteral("passwort.MWk"));
    TestSupport::writeClass(path, {{0, 16, QStringLiteral("Albrecht, Paul")}, {17, 599, stored}});

    const ToolRun run = runTool(QStringList{QStringLiteral("dump"), path} + extra);
    QCOMPARE(run.exitCode, exitCode);
    if (exitCode == 3) {
        QVERIFY(run.out.isEmpty());
        QCOMPARE(QString::fromUtf8(run.err).trimmed(), QStringLiteral("Das Passwort ist falsch!"));
    } else {
        QVERIFY(textLines(run.out).contains(QStringLiteral("0\t16\tAlbrecht, Paul")));
    }
}

void ToolTest::writeRejectsMalformedLine_data()
{
    QTest::addColumn<QByteArray>("input");
    QTest::addColumn<int>("badLine");

    QTest::newRow("no tabs") << QByteArray("0\t0\tgut\nkaputt\n") << 2;
    QTest::newRow("column beyond grid") << QByteArray("170\t0\tx\n") << 1;
    QTest::newRow("row beyond grid") << QByteArray("0\t1716\tx\n") << 1;
    QTest::newRow("negative row") << QByteArray("0\t-1\tx\n") << 1;
    QTest::newRow("column not a number") << QByteArray("A\t1\tx\n") << 1;
    QTest::newRow("unknown escape") << QByteArray("0\t0\ta\\qb\n") << 1;
    QTest::newRow("trailing backslash") << QByteArray("0\t0\ta\n0\t1\tb\\\n") << 2;
    QTest::newRow("counted after empty line") << QByteArray("0\t0\ta\n\n0\tx\ty\n") << 3;
}

void ToolTest::writeRejectsMalformedLine()
{
    QFETCH(QByteArray, input);
    QFETCH(int, badLine);

    const QString path = m_dir.filePath(QStringLiteral("kaputt.MWk"));
    QFile::remove(path);
    const ToolRun run = runTool({QStringLiteral("write"), path}, input);
    QCOMPARE(run.exitCode, 2);
    QVERIFY2(QString::fromUtf8(run.err).contains(QStringLiteral("Zeile %1 ").arg(badLine)),
             run.err.constData());
    QVERIFY(!QFileInfo::exists(path));
}

void ToolTest::dumpRejectsNonClassFile_data()
{
    QTest::addColumn<QByteArray>("content"); // null: no file at all

    QTest::newRow("text file") << QByteArray("Hallo Welt\r\nzweite Zeile\r\n");
    QTest::newRow("empty file") << QByteArray("");
    QTest::newRow("missing file") << QByteArray();
}

void ToolTest::dumpRejectsNonClassFile()
{
    QFETCH(QByteArray, content);

    const QString path = m_dir.filePath(QStringLiteral("fremd.MWk"));
    QFile::remove(path);
    if (!content.isNull()) {
        QFile file(path);
        QVERIFY(file.open(QIODevice::WriteOnly));
        file.write(content);
    }
    const ToolRun run = runTool({QStringLiteral("dump"), path});
    QCOMPARE(run.exitCode, 2);
    QVERIFY(run.out.isEmpty());
    QVERIFY(!run.err.trimmed().isEmpty());
}

QTEST_GUILESS_MAIN(ToolTest)
#include "tst_tool.moc"
