#include "testsupport.h"

#include <QFileInfo>
#include <QProcess>
#include <QTemporaryDir>
#include <QtTest>

namespace {

struct ToolRun
{
    int exitCode = -1; // also when the tool did not start, crashed or hung
    QByteArray out, err;
};

ToolRun runTool(const char *command, const QString &path, const QByteArray &input = {},
                const QStringList &extra = {})
{
    QProcess process;
    process.start(QStringLiteral(MARKWART_TOOL_PATH),
                  QStringList{QString::fromLatin1(command), path} + extra);
    process.write(input);
    process.closeWriteChannel();
    ToolRun run;
    if (process.waitForFinished(60000) && process.exitStatus() == QProcess::NormalExit)
        run.exitCode = process.exitCode();
    run.out = process.readAllStandardOutput();
    run.err = process.readAllStandardError();
    return run;
}

} // namespace

class ToolTest : public QObject
{
    Q_OBJECT

private slots:
    void dumpsExampleClass();
    void writeThenDump();
    void dumpChecksPassword();
    void writeRejectsMalformedLine();
    void dumpRejectsNonClassFile();
    void dumpTellsOfCutOffFile();
    void writeKeepsClassFromEmptyInput();

private:
    QTemporaryDir m_dir;
};

void ToolTest::dumpsExampleClass()
{
    const QString listing = QFINDTESTDATA("../examples/klasse-7b.txt");
    QVERIFY(!listing.isEmpty());

    const ToolRun run = runTool("dump", QStringLiteral(MARKWART_EXAMPLE_CLASS));
    QCOMPARE(run.exitCode, 0);
    // Every cell of the listing the example was built from, and nothing else.
    QStringList dumped = QString::fromUtf8(run.out).split(u'\n', Qt::SkipEmptyParts);
    QStringList listed =
        QString::fromUtf8(TestSupport::readBytes(listing)).split(u'\n', Qt::SkipEmptyParts);
    dumped.sort();
    listed.sort();
    QCOMPARE(dumped, listed);
}

void ToolTest::writeThenDump()
{
    // Listed in the order the dump gives them; each run is a fresh process.
    const QByteArray cells = "0\t0\tKowalczyk, Łukasz\n0\t1\tMüller, Jonas\n"
                             "0\t2\ta\\\\b\\tc\\\\t\\\\\n0\t620\tViel Spaß…\n"
                             "49\t599\tKurzgeschichte „Das Brot“ – 5 €\n169\t1715\tEnde\n";
    const QString path = m_dir.filePath(QStringLiteral("runde.MWk"));
    QCOMPARE(runTool("write", path, cells).exitCode, 0);
    ToolRun dumped = runTool("dump", path);
    QCOMPARE(dumped.exitCode, 0);
    QCOMPARE(QString::fromUtf8(dumped.out), QString::fromUtf8(cells));

    // Unordered lines, CR LF, empty lines; line breaks become blanks; earlier cells are gone.
    const QByteArray input = "5\t7\tb\r\n\r\n1\t620\tzwei\\r\\nZeilen\r\n0\t1715\ta\r\n";
    QCOMPARE(runTool("write", path, input).exitCode, 0);
    dumped = runTool("dump", path);
    QCOMPARE(QString::fromUtf8(dumped.out),
             QStringLiteral("0\t1715\ta\n1\t620\tzwei  Zeilen\n5\t7\tb\n"));
}

void ToolTest::dumpChecksPassword()
{
    const QString path = m_dir.filePath(QStringLiteral("passwort.MWk"));
    const QString pw = QStringLiteral("--password"), right = QStringLiteral("Kürbis 1");
    const std::tuple<QString, QStringList, int> cases[] = {
        {QString(), {pw, "x"}, 3}, // none stored, one given
        {right, {pw, right}, 0},
        {right, {pw, "kürbis 1"}, 3},
        {right, {}, 3},
    };
    for (const auto &[stored, extra, exitCode] : cases) {
        TestSupport::writeClass(path,
                                {{0, 16, QStringLiteral("Albrecht, Paul")}, {17, 599, stored}});
        const ToolRun run = runTool("dump", path, {}, extra);
        QCOMPARE(run.exitCode, exitCode);
        QCOMPARE(QString::fromUtf8(run.err).trimmed(),
                 exitCode ? QStringLiteral("Das Passwort ist falsch!") : QString());
        QVERIFY(exitCode ? run.out.isEmpty() : run.out.contains("0\t16\tAlbrecht, Paul\n"));
    }
}

void ToolTest::writeRejectsMalformedLine()
{
    const QString path = m_dir.filePath(QStringLiteral("kaputt.MWk"));
    const std::pair<const char *, int> cases[] = {
        // the input and the line the message must name
        {"0\t0\ta\n\nkaputt\n", 3},  // no tabs; the empty line counts
        {"0\t0\ta\nA\t1\tx\n", 2},   // column not a number
        {"170\t0\tx\n", 1},          // column beyond the grid
        {"0\t1716\tx\n", 1},         // row beyond the grid
        {"0\t0\ta\\qb\n", 1},        // unknown escape
        {"0\t0\ta\n0\t1\tb\\\n", 2}, // trailing backslash
    };
    for (const auto &[input, badLine] : cases) {
        const ToolRun run = runTool("write", path, input);
        const QString err = QString::fromUtf8(run.err);
        QVERIFY2(run.exitCode == 2 && err.contains(QStringLiteral("Zeile %1 ").arg(badLine)),
                 qPrintable(QString::fromUtf8(input) + QStringLiteral(" -> ") + err));
        QVERIFY(!QFileInfo::exists(path));
    }
}

void ToolTest::dumpRejectsNonClassFile()
{
    const QString path = m_dir.filePath(QStringLiteral("fremd.MWk"));
    for (const bool exists : {false, true}) {
        QFile file(path);
        QVERIFY(!exists || (file.open(QIODevice::WriteOnly) && file.write("Hallo Welt\r\n") > 0));
        file.close();
        const ToolRun run = runTool("dump", path);
        QCOMPARE(run.exitCode, 2);
        QVERIFY(run.out.isEmpty());
        QVERIFY(!run.err.trimmed().isEmpty());
    }
}

void ToolTest::dumpTellsOfCutOffFile()
{
    const QString path = m_dir.filePath(QStringLiteral("halb.MWk"));
    QCOMPARE(runTool("write", path, "0\t16\tAlbrecht, Paul\n3\t16\tKlasse 7b\n").exitCode, 0);
    // Cut off after column 1: the name is there, the class is not.
    const QByteArray whole = TestSupport::readBytes(path);
    QFile file(path);
    QVERIFY(file.open(QIODevice::WriteOnly));
    file.write(whole.split('\n').mid(0, 2 + 2 * 1716).join('\n') + '\n');
    file.close();

    const ToolRun run = runTool("dump", path);
    QCOMPARE(run.exitCode, 0);
    QCOMPARE(run.out, QByteArray("0\t16\tAlbrecht, Paul\n"));
    QVERIFY2(QString::fromUtf8(run.err).contains(QStringLiteral("unvollständig")), run.err);
}

void ToolTest::writeKeepsClassFromEmptyInput()
{
    const QString path = m_dir.filePath(QStringLiteral("leer.MWk"));
    QCOMPARE(runTool("write", path, "0\t16\tAlbrecht, Paul\n").exitCode, 0);
    const QByteArray before = TestSupport::readBytes(path);

    // Nothing, blank lines, cells without text: the class stays as it is.
    for (const QByteArray &input : {QByteArray(), QByteArray("\n\r\n"), QByteArray("0\t16\t\n")}) {
        const ToolRun run = runTool("write", path, input);
        QCOMPARE(run.exitCode, 2);
        QVERIFY(run.err.contains("--force"));
        QCOMPARE(TestSupport::readBytes(path), before);
    }
    QCOMPARE(runTool("write", path, {}, {"--fest"}).exitCode, 1);
    QCOMPARE(TestSupport::readBytes(path), before);

    // Asked for, or where there is no class yet, an empty class is written.
    QCOMPARE(runTool("write", path, {}, {"--force"}).exitCode, 0);
    const QString fresh = m_dir.filePath(QStringLiteral("neu.MWk"));
    QCOMPARE(runTool("write", fresh).exitCode, 0);
    for (const QString &written : {path, fresh}) {
        const ToolRun dumped = runTool("dump", written);
        QCOMPARE(dumped.exitCode, 0);
        QVERIFY(dumped.out.isEmpty());
    }
}

QTEST_GUILESS_MAIN(ToolTest)
#include "tst_tool.moc"
