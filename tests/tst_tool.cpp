#include "testsupport.h"

#include "classdata/classdocument.h"
#include "classdata/classfile.h"
#include "photos/photoconverter.h"
#include "reports/reportbuilder.h"

#include <QDirIterator>
#include <QFileInfo>
#include <QImage>
#include <QProcess>
#include <QStandardPaths>
#include <QTemporaryDir>
#include <QtTest>

#include <quazip.h>
#include <quazipfile.h>

namespace {

using TestSupport::ToolRun;

ToolRun runTool(const char *command, const QString &path, const QByteArray &input = {},
                const QStringList &extra = {})
{
    return TestSupport::runTool(QStringList{QString::fromLatin1(command), path} + extra, input);
}

ToolRun runReport(const QStringList &args, const QString &temp)
{
    return TestSupport::runTool(QStringList{QStringLiteral("report")} + args, {}, temp);
}

QByteArray documentXml(const QString &docxPath)
{
    QuaZip zip(docxPath);
    if (!zip.open(QuaZip::mdUnzip) || !zip.setCurrentFile(QStringLiteral("word/document.xml")))
        return {};
    QuaZipFile file(&zip);
    return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray();
}

// The first line of the page the program builds for the example class.
QString firstPageLine(const QString &kind)
{
    ClassDocument document;
    QString error;
    if (!ClassFile::read(QStringLiteral(MARKWART_EXAMPLE_CLASS), document.loadBuffer(), &error))
        return error;
    document.loadBuffer().unscrambleInto(document.grid());
    document.readSettingsFromGrid();
    ReportBuilder builder(document, QDir::tempPath());
    if (kind == QLatin1String("coursebook"))
        return builder.courseBook(1, QStringLiteral("Deutsch"), true).page.value(0);
    return builder.resultList(1, QStringLiteral("Deutsch")).page.value(0);
}

// Three persons of 7b; two of them failed the first written test of subject 1.
void writeExamClass(const QString &path, const QList<std::tuple<int, int, QString>> &more = {})
{
    QList<std::tuple<int, int, QString>> cells{{0, 1, QStringLiteral("Deutsch")}};
    const QStringList names{"Anna", "Ben", "Cem"}, results{"5", "5", "2"};
    for (int i = 0; i < names.size(); ++i) {
        cells << std::tuple(0, ClassDocument::dataRow(i), names[i])
              << std::tuple(1, ClassDocument::dataRow(i), QStringLiteral("7b"))
              << std::tuple(32, i * 17 + 1, results[i]) << std::tuple(43, i * 17 + 1, results[i]);
    }
    TestSupport::writeClass(path, cells + more);
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
    void reportWritesEveryKind();
    void reportRefusesBadArguments();
    void reportPrintsWhatTheProgramShows();
    void reportPhotoComesFromClassFolder();
    void reportDocumentsOpenInOffice();

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
        QVERIFY(!exists || TestSupport::writeBytes(path, "Hallo Welt\r\n"));
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
    QVERIFY(
        TestSupport::writeBytes(path, whole.split('\n').mid(0, 2 + 2 * 1716).join('\n') + '\n'));

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

void ToolTest::reportWritesEveryKind()
{
    const QString example = QStringLiteral(MARKWART_EXAMPLE_CLASS);
    const QString temp = m_dir.filePath(QStringLiteral("tmp-alle"));
    const QStringList kinds{"result-list", "complete-list", "person", "exam", "coursebook"};
    for (const QString &kind : kinds) {
        for (const QString &ending : {QStringLiteral("docx"), QStringLiteral("html")}) {
            const QString out = m_dir.filePath(kind + u'.' + ending);
            // Günther, Leon is the sixth person: the person report is his.
            const ToolRun run = runReport(
                {kind, example, "--out", out, "--person", "6", "--subject-name", "Deutsch"}, temp);
            QVERIFY2(run.exitCode == 0, qPrintable(kind + u' ' + QString::fromUtf8(run.err)));
            const QByteArray bytes = TestSupport::readBytes(out);
            if (ending == QLatin1String("docx")) {
                QVERIFY2(
                    documentXml(out).contains("Albrecht") ||
                        (kind == QLatin1String("person") && documentXml(out).contains("Deutsch")),
                    qPrintable(kind));
                continue;
            }
            // The page as the word processor gets it: Windows-1252, CR LF, names that the
            // code page lacks as character references.
            const QString first = firstPageLine(kind);
            QVERIFY(!first.isEmpty());
            QVERIFY2(bytes.startsWith(first.toLatin1() + "\r\n"), qPrintable(kind));
            QCOMPARE(bytes.count('\n'), bytes.count("\r\n"));
            QVERIFY2(bytes.contains("G\xfcnther, Leon"), qPrintable(kind));
            // German dates whatever the system speaks (the tests run in the C locale).
            if (kind == QLatin1String("result-list"))
                QVERIFY(
                    QRegularExpression(QStringLiteral("Erstelldatum: \\d\\d\\.\\d\\d\\.20\\d\\d,"))
                        .match(QString::fromLatin1(bytes))
                        .hasMatch());
            if (kind != QLatin1String("person"))
                QVERIFY2(bytes.contains("Kowalczyk, &#321;ukasz"), qPrintable(kind));
        }
    }

    // The subject, the half-year and the course book's subject reach the report.
    const QString out = m_dir.filePath(QStringLiteral("wahl.html"));
    QCOMPARE(runReport({"result-list", example, "--out", out, "--subject", "2"}, temp).exitCode, 0);
    QVERIFY(TestSupport::readBytes(out).contains("Mathematik, 7b"));
    for (const char *kind : {"complete-list", "exam"}) {
        const QStringList args{QString::fromLatin1(kind), example, "--out", out, "--subject", "2"};
        QCOMPARE(runReport(args + QStringList{"--column", "32"}, temp).exitCode, 0);
        QVERIFY2(TestSupport::readBytes(out).contains("Klassenarbeit 1 (Terme)"), kind);
    }
    const QString book = m_dir.filePath(QStringLiteral("wahl.docx"));
    QCOMPARE(runReport({"coursebook", example, "--out", book}, temp).exitCode, 0);
    QVERIFY(documentXml(book).contains("Deutsch, 7b"));
    QVERIFY(documentXml(book).contains("Kennenlernen, Klassenregeln"));
    QCOMPARE(runReport({"coursebook", example, "--out", book, "--half", "2", "--subject-name",
                        "Erdkunde"},
                       temp)
                 .exitCode,
             0);
    QVERIFY(documentXml(book).contains("Erdkunde, 7b"));
    QVERIFY(!documentXml(book).contains("Kennenlernen, Klassenregeln"));
}

void ToolTest::reportRefusesBadArguments()
{
    const QString example = QStringLiteral(MARKWART_EXAMPLE_CLASS);
    const QString temp = m_dir.filePath(QStringLiteral("tmp-falsch"));
    const QString out = m_dir.filePath(QStringLiteral("falsch.docx"));
    const QStringList toOut{"--out", out};
    const QList<QStringList> cases{
        {"zeugnis", example, "--out", out},
        {"result-list", example},                        // no --out
        {"result-list", example, "--out", out + ".pdf"}, // neither .docx nor .html
        {"result-list", example, "--out", out, "--subject", "0"},
        {"result-list", example, "--out", out, "--subject", "15"},
        {"result-list", example, "--out", out, "--subject", "zwei"},
        {"person", example, "--out", out, "--person", "35"},
        {"coursebook", example, "--out", out, "--half", "3"},
        {"exam", example, "--out", out, "--column", "0"},
        {"exam", example, "--out", out, "--spalte", "3"},
        {"exam", example, "--out", out, "--column"},   // no value
        {"exam", example, "--out", out, "--out", out}, // given twice
        {"exam", m_dir.filePath(QStringLiteral("fehlt.MWk")), "--out", out},
        {"person", example, "--out", m_dir.filePath(QStringLiteral("fehlt/x.docx"))},
        {"result-list"},
    };
    for (const QStringList &args : cases) {
        const ToolRun run = runReport(args, temp);
        QVERIFY2(run.exitCode == 2, qPrintable(args.join(u' ')));
        QVERIFY(!run.err.trimmed().isEmpty());
        QVERIFY(!QFileInfo::exists(out));
    }

    const QString locked = m_dir.filePath(QStringLiteral("geschuetzt.MWk"));
    writeExamClass(locked, {{17, 599, QStringLiteral("Kürbis")}});
    for (const QStringList &password : {QStringList(), QStringList{"--password", "kürbis"}}) {
        const ToolRun run = runReport(QStringList{"exam", locked} + toOut + password, temp);
        QCOMPARE(run.exitCode, 3);
        QCOMPARE(QString::fromUtf8(run.err).trimmed(), QStringLiteral("Das Passwort ist falsch!"));
        QVERIFY(!QFileInfo::exists(out));
    }
    QCOMPARE(runReport(QStringList{"exam", locked, "--password", "Kürbis"} + toOut, temp).exitCode,
             0);
    QVERIFY(QFileInfo::exists(out));
}

void ToolTest::reportPrintsWhatTheProgramShows()
{
    const QString temp = m_dir.filePath(QStringLiteral("tmp-meldungen"));
    const QString path = m_dir.filePath(QStringLiteral("klausur.MWk"));
    writeExamClass(path);

    // The warning speaks of the Word document's red cells: the page goes without it.
    const QString docx = m_dir.filePath(QStringLiteral("klausur.docx"));
    ToolRun run = runReport({"exam", path, "--out", docx, "--column", "32"}, temp);
    QCOMPARE(run.exitCode, 0);
    QVERIFY2(run.out.contains("mit 66 % unter dem Strich."), run.out);
    const QString html = m_dir.filePath(QStringLiteral("klausur.html"));
    run = runReport({"exam", path, "--out", html, "--column", "32"}, temp);
    QCOMPARE(run.exitCode, 0);
    QVERIFY2(!run.out.contains("unter dem Strich"), run.out);
    // An exam column without results is written all the same, with the program's notice.
    run = runReport({"exam", path, "--out", html, "--column", "34"}, temp);
    QCOMPARE(run.exitCode, 0);
    QVERIFY(run.out.contains("Du musst ein beliebiges Feld der gewünschten Klausur markieren!"));

    // Verbal evaluation hides the subject sheets: the list is the group overview, and the
    // lists of one subject sheet cannot be made.
    const QString verbal = m_dir.filePath(QStringLiteral("verbal.MWk"));
    writeExamClass(verbal, {{0, 1715, QStringLiteral("ja")}});
    const QString overview = m_dir.filePath(QStringLiteral("uebersicht.html"));
    run = runReport({"result-list", verbal, "--out", overview, "--subject", "3"}, temp);
    QCOMPARE(run.exitCode, 0);
    QVERIFY(TestSupport::readBytes(overview).contains("Ergebnis\xfc"
                                                      "bersicht"));
    for (const char *kind : {"complete-list", "exam"}) {
        const QString out = m_dir.filePath(QString::fromLatin1(kind) + "-verbal.docx");
        run = runReport({QString::fromLatin1(kind), verbal, "--out", out}, temp);
        QCOMPARE(run.exitCode, 2);
        QVERIFY2(run.out.startsWith("Bitte zun\xc3\xa4"
                                    "chst"),
                 run.out);
        QVERIFY(!run.err.isEmpty());
        QVERIFY(!QFileInfo::exists(out));
    }
}

void ToolTest::reportPhotoComesFromClassFolder()
{
    // The class lies in a folder of its own, with the photo stored below it.
    const QString project = m_dir.filePath(QStringLiteral("projekt"));
    QImage photo(30, 40, QImage::Format_RGB32);
    photo.fill(QColor(10, 200, 30));
    QVERIFY(QDir().mkpath(project + QStringLiteral("/Fotos/7b")));
    QVERIFY(PhotoConverter::saveStoredPhoto(photo, project + QStringLiteral("/Fotos/7b/2.bmp")));
    const QString path = project + QStringLiteral("/foto.MWk");
    writeExamClass(path, {{20, ClassDocument::dataRow(1), QStringLiteral("Fotos\\7b\\2.bmp")}});

    const QString temp = m_dir.filePath(QStringLiteral("tmp-foto"));
    const QString out = m_dir.filePath(QStringLiteral("ben.docx"));
    const ToolRun run = runReport({"person", path, "--out", out, "--person", "2"}, temp);
    QCOMPARE(run.exitCode, 0);
    QVERIFY2(run.out.contains("Aus datenschutzrechtlichen Gr\xc3\xbcnden"), run.out);

    // The picture goes into the report folder below the temporary folder, unscrambled.
    QStringList pictures;
    QDirIterator it(temp, {QStringLiteral("*.bmp")}, QDir::Files, QDirIterator::Subdirectories);
    while (it.hasNext())
        pictures << it.next();
    QCOMPARE(pictures.size(), 1);
    const QImage picture(pictures.first());
    QCOMPARE(picture.size(), photo.size());
    QCOMPARE(picture.pixelColor(15, 20), QColor(10, 200, 30));
}

void ToolTest::reportDocumentsOpenInOffice()
{
    QString office = QStandardPaths::findExecutable("soffice");
    if (office.isEmpty())
        office = QStandardPaths::findExecutable("libreoffice");
    if (office.isEmpty())
        QSKIP("no office suite to open the documents");
    const QString temp = m_dir.filePath(QStringLiteral("tmp-office"));
    const QString folder = m_dir.filePath(QStringLiteral("office"));
    QVERIFY(QDir().mkpath(folder));
    for (const char *kind : {"result-list", "complete-list", "person", "exam", "coursebook"}) {
        const QString name = QString::fromLatin1(kind);
        const QString docx = QDir(folder).filePath(name + ".docx");
        QCOMPARE(
            runReport({name, QStringLiteral(MARKWART_EXAMPLE_CLASS), "--out", docx}, temp).exitCode,
            0);
        QProcess process;
        process.start(office, {"--headless", "-env:UserInstallation=file://" + folder + "/profil",
                               "--convert-to", "pdf", "--outdir", folder, docx});
        QVERIFY(process.waitForFinished(120000));
        QVERIFY2(TestSupport::readBytes(QDir(folder).filePath(name + ".pdf")).startsWith("%PDF"),
                 kind);
    }
}

QTEST_GUILESS_MAIN(ToolTest)
#include "tst_tool.moc"
