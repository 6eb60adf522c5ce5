#include "testsupport.h"

#include "app/processlist.h"
#include "classdata/classdocument.h"
#include "classdata/classgrid.h"
#include "reports/grouplist.h"

#include <QCoreApplication>
#include <QDir>
#include <QElapsedTimer>
#include <QFileInfo>
#include <QProcess>
#include <QTemporaryDir>
#include <QtTest>

namespace {

void setPerson(ClassGrid &grid, int person, const QString &name, const QString &className = {})
{
    grid.setCell(0, ClassDocument::dataRow(person), name);
    grid.setCell(1, ClassDocument::dataRow(person), className);
}

// One list per look, the last one repeated: names split by blanks, "?" for a list that
// cannot be read.
class ScriptedProcesses : public GroupList::Processes
{
public:
    QStringList lists{QString()};
    int looks = 0;

    bool names(QStringList *names) override
    {
        const QString list = lists.value(std::min<qsizetype>(looks++, lists.size() - 1));
        *names = list.split(u' ', Qt::SkipEmptyParts);
        return list != QLatin1String("?");
    }
};

class ScriptedDesktop : public GroupList::Desktop
{
public:
    bool works = true;
    QList<QUrl> pages;
    QStringList selected;

    bool openWebPage(const QUrl &url) override
    {
        pages << url;
        return works;
    }
    bool showSelected(const QString &path) override
    {
        selected << path;
        return works;
    }
};

// The tool's exit code; its output goes to `out`.
int runTool(const QStringList &args, QByteArray *out = nullptr)
{
    const TestSupport::ToolRun run =
        TestSupport::runTool(QStringList{QStringLiteral("grouplist")} + args);
    if (out)
        *out = run.out;
    return run.exitCode;
}

} // namespace

class GroupListTest : public QObject
{
    Q_OBJECT

private slots:
    void fileHoldsOneLinePerPlaceInUtf8();
    void fileIsNamedAfterTheFirstPersonsClass_data();
    void fileIsNamedAfterTheFirstPersonsClass();
    void programIsKnownByItsThreeNames_data();
    void programIsKnownByItsThreeNames();
    void processListShowsThisTest();
    void commandFindsStartsOrOffersTheProgram_data();
    void commandFindsStartsOrOffersTheProgram();
    void unwritableFolderIsReported();
    void toolWritesTheFile();

private:
    QTemporaryDir m_dir;
};

void GroupListTest::fileHoldsOneLinePerPlaceInUtf8()
{
    ClassGrid grid;
    setPerson(grid, 0, QStringLiteral("Zoë"));
    setPerson(grid, 1, QStringLiteral("Albrecht, Paul"));
    setPerson(grid, 2, QStringLiteral("Müller Anna"));
    setPerson(grid, 3, QStringLiteral("von Bergen Jan"));
    setPerson(grid, 4, QStringLiteral(" "));           // a name emptied to one blank
    setPerson(grid, 5, QStringLiteral(" Schulz Ida")); // a stray blank before the name
    setPerson(grid, 33, QStringLiteral("Öztürk Ali"));

    QByteArray expected =
        "1,Zo\xc3\xab\r\n2,Albrecht\r\n3,M\xc3\xbcller\r\n4,von\r\n5,\r\n6,Schulz\r\n";
    for (int number = 7; number < 34; ++number)
        expected += QByteArray::number(number) + ",\r\n";
    expected += "34,\xc3\x96zt\xc3\xbcrk\r\n";
    QCOMPARE(GroupList::contents(grid), expected);
}

void GroupListTest::fileIsNamedAfterTheFirstPersonsClass_data()
{
    QTest::addColumn<QString>("firstClass");
    QTest::addColumn<QString>("fileName");
    QTest::newRow("class") << "Förderkurs"
                           << "Förderkurs.liste";
    QTest::newRow("empty") << ""
                           << "unbenannt.liste";
    QTest::newRow("blank") << " "
                           << "unbenannt.liste";
    QTest::newRow("slash") << "7/8b"
                           << "7-8b.liste";
    QTest::newRow("dots") << ".."
                          << "unbenannt.liste";
}

void GroupListTest::fileIsNamedAfterTheFirstPersonsClass()
{
    QFETCH(QString, firstClass);
    QFETCH(QString, fileName);
    ClassGrid grid;
    setPerson(grid, 0, QStringLiteral("Abel Udo"), firstClass);
    setPerson(grid, 1, QStringLiteral("Beck Eva"), QStringLiteral("9a"));
    QCOMPARE(GroupList::fileName(grid), fileName);
}

void GroupListTest::programIsKnownByItsThreeNames_data()
{
    QTest::addColumn<QString>("process");
    QTest::addColumn<bool>("known");
    QTest::newRow("64") << "Riegenmacher64.exe" << true;
    QTest::newRow("upper") << "RIEGENMACHER64.EXE" << true;
    QTest::newRow("no ending") << "riegenmacher32" << true;
    QTest::newRow("other bits") << "Riegenmacher16.exe" << false;
    QTest::newRow("longer") << "Riegenmacher.exe.bak" << false;
    QTest::newRow("prefix") << "XRiegenmacher.exe" << false;
    QTest::newRow("cut ending") << "Riegenmacher64.ex" << false;
}

void GroupListTest::programIsKnownByItsThreeNames()
{
    QFETCH(QString, process);
    QFETCH(bool, known);
    QCOMPARE(GroupList::isGroupProgram(process), known);
}

void GroupListTest::processListShowsThisTest()
{
    // A name longer than the kernel's short process names, as the program's are.
    const QString sleeper = m_dir.filePath(QStringLiteral("Riegenmacher64.exe"));
    if (!QFile::copy(QStringLiteral("/bin/sleep"), sleeper))
        QSKIP("no program to run under the group program's name");
    QProcess running;
    running.start(sleeper, {QStringLiteral("30")});
    QVERIFY(running.waitForStarted());

    ProcessList list;
    QStringList names;
    QVERIFY(list.names(&names));
    running.kill();
    running.waitForFinished();
    QVERIFY2(names.contains(QFileInfo(QCoreApplication::applicationFilePath()).fileName()),
             qPrintable(names.join(u' ')));
    QVERIFY2(std::any_of(names.cbegin(), names.cend(), GroupList::isGroupProgram),
             qPrintable(names.join(u' ')));
}

void GroupListTest::commandFindsStartsOrOffersTheProgram_data()
{
    QTest::addColumn<QStringList>("processLists");
    QTest::addColumn<bool>("fileOpens");
    QTest::addColumn<bool>("download");
    QTest::addColumn<bool>("desktopWorks");
    QTest::addColumn<QString>("steps"); // what the command did, in order

    const QStringList none{QString()};
    QTest::newRow("running") << QStringList{"bash riegenmacher64.EXE"} << true << false << true
                             << "";
    QTest::newRow("started") << QStringList{"", "Riegenmacher.exe"} << true << false << true
                             << "open";
    // A program started in the background comes up a little later.
    QTest::newRow("started late") << QStringList{"", "", "", "Riegenmacher32"} << true << false
                                  << true << "open";
    QTest::newRow("download") << none << true << true << true << "open ask page";
    QTest::newRow("file manager") << none << true << false << true << "open ask select";
    QTest::newRow("nothing for the file") << none << false << false << true << "open ask select";
    QTest::newRow("no browser") << none << true << true << false << "open ask page left";
    QTest::newRow("no file manager") << none << true << false << false << "open ask select left";
    // Whether the program came up cannot be told: only where the file is.
    QTest::newRow("no process list") << QStringList{"?"} << true << false << true << "open left";
}

void GroupListTest::commandFindsStartsOrOffersTheProgram()
{
    QFETCH(QStringList, processLists);
    QFETCH(bool, fileOpens);
    QFETCH(bool, download);
    QFETCH(bool, desktopWorks);
    QFETCH(QString, steps);

    ClassGrid grid;
    setPerson(grid, 0, QStringLiteral("Abel Udo"), QStringLiteral("7b"));
    const QString path = m_dir.filePath(QStringLiteral("7b.liste"));
    QFile::remove(path);
    ScriptedPrompts prompts;
    prompts.yesNoAnswers = {download};
    ScriptedOpener opener;
    if (!fileOpens)
        opener.unopenable = {path};
    ScriptedProcesses processes;
    processes.lists = processLists;
    ScriptedDesktop desktop;
    desktop.works = desktopWorks;
    GroupList command(prompts, opener, processes, desktop);
    // A program that does not come up is looked for until the wait ends; nothing else waits.
    command.setStartWait(fileOpens && steps.contains(QLatin1String("ask")) ? 0 : 3000);

    QElapsedTimer timer;
    timer.start();
    QCOMPARE(command.run(grid, m_dir.path()), path);
    QVERIFY(timer.elapsed() < 2000);
    QCOMPARE(TestSupport::readBytes(path), GroupList::contents(grid));

    QStringList done;
    if (!opener.opened.isEmpty())
        done << QStringLiteral("open");
    if (!prompts.questions.isEmpty())
        done << QStringLiteral("ask");
    if (!desktop.pages.isEmpty())
        done << QStringLiteral("page");
    if (!desktop.selected.isEmpty())
        done << QStringLiteral("select");
    if (prompts.messages.size() > 1)
        done << QStringLiteral("left");
    QCOMPARE(done.join(u' '), steps);

    QCOMPARE(prompts.messages.first(),
             QStringLiteral("Ich generiere eine Liste für den Quillfen Riegenmacher!\rDas Programm "
                            "kann Lerngruppen zufallsgesteuert aufteilen.\rEs ist kostenlos auf "
                            "https://www.quillfen.de/ erhältlich.\r \rViel Erfolg beim Einteilen "
                            "von Gruppen ohne Streit."));
    QCOMPARE(opener.opened, QStringList(opener.opened.size(), path));
    QCOMPARE(prompts.questions,
             QStringList(prompts.questions.size(),
                         QStringLiteral("Ich kann den Riegenmacher nicht finden!\r"
                                        "Vielleicht liegt er in einem anderen "
                                        "Verzeichnis.\r  \rWillst du den "
                                        "Riegenmacher herunterladen?")));
    QCOMPARE(desktop.pages,
             QList<QUrl>(desktop.pages.size(),
                         QUrl(QStringLiteral("https://www.quillfen.de/riegenmacher/"))));
    QCOMPARE(desktop.selected, QStringList(desktop.selected.size(), path));
    QCOMPARE(prompts.messages.mid(1),
             QStringList(prompts.messages.size() - 1,
                         QStringLiteral("Im Ordner vom Markwart liegt jetzt die Datei für den "
                                        "Riegenmacher: ") +
                             QDir::toNativeSeparators(path)));
}

void GroupListTest::unwritableFolderIsReported()
{
    ScriptedPrompts prompts;
    ScriptedOpener opener;
    ScriptedProcesses processes;
    ScriptedDesktop desktop;
    GroupList command(prompts, opener, processes, desktop);
    const QString missing = m_dir.filePath(QStringLiteral("fehlt"));
    QCOMPARE(command.run(ClassGrid(), missing), QString());
    QCOMPARE(prompts.messages.size(), 2);
    QVERIFY2(prompts.messages.last().startsWith(
                 QStringLiteral("Die Datei für den Riegenmacher kann nicht geschrieben werden: ") +
                 QDir::toNativeSeparators(missing)),
             qPrintable(prompts.messages.last()));
    QVERIFY(opener.opened.isEmpty() && prompts.questions.isEmpty() && processes.looks == 0);
}

void GroupListTest::toolWritesTheFile()
{
    QTemporaryDir dir;
    const QString classPath = dir.filePath(QStringLiteral("Klasse.MWk"));
    TestSupport::writeClass(classPath, {{0, 16, QStringLiteral("Abel Udo")},
                                        {1, 16, QStringLiteral("7b")},
                                        {0, 50, QStringLiteral("Müller Anna")},
                                        {17, 599, QStringLiteral("geheim")}});
    ClassGrid grid;
    setPerson(grid, 0, QStringLiteral("Abel Udo"));
    setPerson(grid, 2, QStringLiteral("Müller Anna"));
    const QByteArray expected = GroupList::contents(grid);
    const QStringList password{QStringLiteral("--password"), QStringLiteral("geheim")};
    const QString out = QStringLiteral("--out");

    // Beside the class file, into a folder given, to a file given.
    QByteArray printed;
    QCOMPARE(runTool(QStringList{classPath} + password, &printed), 0);
    QCOMPARE(printed, QFile::encodeName(dir.filePath(QStringLiteral("7b.liste"))) + '\n');
    QCOMPARE(TestSupport::readBytes(dir.filePath(QStringLiteral("7b.liste"))), expected);
    QVERIFY(QDir(dir.path()).mkdir(QStringLiteral("Riegen")));
    QCOMPARE(
        runTool(QStringList{classPath, out, dir.filePath(QStringLiteral("Riegen"))} + password), 0);
    QCOMPARE(TestSupport::readBytes(dir.filePath(QStringLiteral("Riegen/7b.liste"))), expected);
    const QString file = dir.filePath(QStringLiteral("gruppen.txt"));
    QCOMPARE(runTool(password + QStringList{classPath, out, file}), 2); // the class file first
    QCOMPARE(runTool(QStringList{classPath, out, file} + password), 0);
    QCOMPARE(TestSupport::readBytes(file), expected);

    // Refused: wrong password, no class, wrong arguments, a folder that is not there.
    QDir(dir.path()).removeRecursively();
    QVERIFY(QDir().mkpath(dir.path()));
    TestSupport::writeClass(classPath, {{17, 599, QStringLiteral("geheim")}});
    QCOMPARE(runTool({classPath}), 3);
    QCOMPARE(runTool({classPath, QStringLiteral("--password"), QStringLiteral("falsch")}), 3);
    QCOMPARE(runTool({dir.filePath(QStringLiteral("fehlt.MWk"))}), 2);
    QCOMPARE(runTool({}), 2);
    QCOMPARE(runTool(QStringList{classPath, out} + password), 2);
    QCOMPARE(runTool(QStringList{classPath, QStringLiteral("--farbe"), QStringLiteral("rot")}), 2);
    QCOMPARE(runTool(QStringList{classPath, out, dir.filePath(QStringLiteral("fehlt/a.liste"))} +
                     password),
             2);
    QCOMPARE(QDir(dir.path()).entryList(QDir::Files), QStringList{QStringLiteral("Klasse.MWk")});
}

QTEST_GUILESS_MAIN(GroupListTest)
#include "tst_grouplist.moc"
