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

#include <optional>

namespace {

const QString Download = QStringLiteral("Ich kann den Riegenmacher nicht finden!\r"
                                        "Vielleicht liegt er in einem anderen Verzeichnis.\r  \r"
                                        "Willst du den Riegenmacher herunterladen?");
const QString FileLeft = QStringLiteral("Im Ordner vom Markwart liegt jetzt die Datei für den "
                                        "Riegenmacher: ");

void setPerson(ClassGrid &grid, int person, const QString &name, const QString &className = {})
{
    grid.setCell(0, ClassDocument::dataRow(person), name);
    grid.setCell(1, ClassDocument::dataRow(person), className);
}

// One scripted process list per look, the last repeated; nullopt for an unreadable list.
class ScriptedProcesses : public GroupList::Processes
{
public:
    QList<std::optional<QStringList>> lists{QStringList{QStringLiteral("init")}};
    int looks = 0;

    bool names(QStringList *names) override
    {
        const std::optional<QStringList> list =
            lists.value(std::min<qsizetype>(looks, lists.size() - 1));
        ++looks;
        if (list)
            *names = *list;
        return list.has_value();
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

struct ToolRun
{
    int exitCode = -1;
    QByteArray out, err;
};

ToolRun runTool(const QStringList &args)
{
    QProcess process;
    process.start(QStringLiteral(MARKWART_TOOL_PATH),
                  QStringList{QStringLiteral("grouplist")} + args);
    ToolRun run;
    if (process.waitForFinished(60000) && process.exitStatus() == QProcess::NormalExit)
        run.exitCode = process.exitCode();
    run.out = process.readAllStandardOutput();
    run.err = process.readAllStandardError();
    return run;
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
    void runningProgramIsLeftAlone();
    void programStartedByTheFileEndsTheCommand();
    void missingProgramLeadsToDownloadOrFileManager();
    void failuresEndWithWhereTheFileIs();
    void unwritableFolderIsReported();
    void toolWritesTheFile();
    void toolRefusesWhatItCannotUse();

private:
    QTemporaryDir m_dir;
};

void GroupListTest::fileHoldsOneLinePerPlaceInUtf8()
{
    ClassGrid grid;
    setPerson(grid, 0, QStringLiteral("Zoë"));
    setPerson(grid, 2, QStringLiteral("Müller Anna"));
    setPerson(grid, 3, QStringLiteral("von Bergen Jan"));
    setPerson(grid, 4, QStringLiteral(" "));           // a name emptied to one blank
    setPerson(grid, 5, QStringLiteral(" Schulz Ida")); // a stray blank before the name
    setPerson(grid, 33, QStringLiteral("Öztürk Ali"));

    const QByteArray bytes = GroupList::contents(grid);
    QVERIFY(bytes.endsWith("\r\n"));
    const QList<QByteArray> lines = bytes.chopped(2).split('\n');
    QCOMPARE(lines.size(), 34);
    for (qsizetype i = 0; i < lines.size(); ++i)
        QVERIFY2(lines[i].endsWith('\r') || i == lines.size() - 1, lines[i].constData());
    QVERIFY(!bytes.chopped(2).contains("\r\r") && bytes.count('\r') == 34);

    QCOMPARE(lines[0], QByteArray("1,Zo\xc3\xab\r"));
    QCOMPARE(lines[1], QByteArray("2,\r"));
    QCOMPARE(lines[2], QByteArray("3,M\xc3\xbcller\r"));
    QCOMPARE(lines[3], QByteArray("4,von\r"));
    QCOMPARE(lines[4], QByteArray("5,\r"));
    QCOMPARE(lines[5], QByteArray("6,Schulz\r"));
    QCOMPARE(lines[33], QByteArray("34,\xc3\x96zt\xc3\xbcrk"));
}

void GroupListTest::fileIsNamedAfterTheFirstPersonsClass_data()
{
    QTest::addColumn<QString>("firstClass");
    QTest::addColumn<QString>("fileName");
    QTest::newRow("class") << "7b"
                           << "7b.liste";
    QTest::newRow("umlaut") << "Förderkurs"
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
    QTest::newRow("32") << "Riegenmacher32.exe" << true;
    QTest::newRow("plain") << "Riegenmacher.exe" << true;
    QTest::newRow("upper") << "RIEGENMACHER64.EXE" << true;
    QTest::newRow("lower, no ending") << "riegenmacher32" << true;
    QTest::newRow("no ending") << "Riegenmacher" << true;
    QTest::newRow("other bits") << "Riegenmacher16.exe" << false;
    QTest::newRow("longer") << "Riegenmacher.exe.bak" << false;
    QTest::newRow("prefix") << "XRiegenmacher.exe" << false;
    QTest::newRow("cut ending") << "Riegenmacher64.ex" << false;
    QTest::newRow("empty") << "" << false;
}

void GroupListTest::programIsKnownByItsThreeNames()
{
    QFETCH(QString, process);
    QFETCH(bool, known);
    QCOMPARE(GroupList::isGroupProgram(process), known);
}

void GroupListTest::processListShowsThisTest()
{
    ProcessList list;
    QStringList names;
    QVERIFY(list.names(&names));
    QVERIFY2(names.contains(QFileInfo(QCoreApplication::applicationFilePath()).fileName()),
             qPrintable(names.join(u' ')));
}

void GroupListTest::runningProgramIsLeftAlone()
{
    ClassGrid grid;
    setPerson(grid, 2, QStringLiteral("Müller Anna"), QString());
    ScriptedPrompts prompts;
    ScriptedOpener opener;
    ScriptedProcesses processes;
    processes.lists = {QStringList{QStringLiteral("bash"), QStringLiteral("riegenmacher64.EXE")}};
    ScriptedDesktop desktop;
    GroupList command(prompts, opener, processes, desktop);

    const QString path = command.run(grid, m_dir.path());
    QCOMPARE(path, m_dir.filePath(QStringLiteral("unbenannt.liste")));
    QCOMPARE(TestSupport::readBytes(path), GroupList::contents(grid));
    QCOMPARE(prompts.messages,
             QStringList{QStringLiteral(
                 "Ich generiere eine Liste für den Quillfen Riegenmacher!\rDas Programm kann "
                 "Lerngruppen zufallsgesteuert aufteilen.\rEs ist kostenlos auf "
                 "https://www.quillfen.de/ erhältlich.\r \rViel Erfolg beim Einteilen von Gruppen "
                 "ohne Streit.")});
    QVERIFY(opener.opened.isEmpty());
    QVERIFY(prompts.questions.isEmpty());
}

void GroupListTest::programStartedByTheFileEndsTheCommand()
{
    ClassGrid grid;
    setPerson(grid, 0, QStringLiteral("Abel Udo"), QStringLiteral("7b"));
    const QString expected = m_dir.filePath(QStringLiteral("7b.liste"));

    // Found at once after the file was opened.
    {
        ScriptedPrompts prompts;
        ScriptedOpener opener;
        ScriptedProcesses processes;
        processes.lists = {QStringList{}, QStringList{QStringLiteral("Riegenmacher.exe")}};
        ScriptedDesktop desktop;
        GroupList command(prompts, opener, processes, desktop);
        command.setStartWait(0);
        QCOMPARE(command.run(grid, m_dir.path()), expected);
        QCOMPARE(opener.opened, QStringList{expected});
        QVERIFY(prompts.questions.isEmpty());
        QCOMPARE(prompts.messages.size(), 1);
    }
    // Coming up a little later, as a program started in the background does.
    {
        ScriptedPrompts prompts;
        ScriptedOpener opener;
        ScriptedProcesses processes;
        processes.lists = {QStringList{}, QStringList{}, QStringList{},
                           QStringList{QStringLiteral("Riegenmacher32")}};
        ScriptedDesktop desktop;
        GroupList command(prompts, opener, processes, desktop);
        command.setStartWait(5000);
        QCOMPARE(command.run(grid, m_dir.path()), expected);
        QCOMPARE(processes.looks, 4);
        QVERIFY(prompts.questions.isEmpty());
    }
}

void GroupListTest::missingProgramLeadsToDownloadOrFileManager()
{
    ClassGrid grid;
    setPerson(grid, 0, QStringLiteral("Abel Udo"), QStringLiteral("7b"));
    const QString expected = m_dir.filePath(QStringLiteral("7b.liste"));

    for (const bool download : {true, false}) {
        ScriptedPrompts prompts;
        prompts.yesNoAnswers = {download};
        ScriptedOpener opener;
        ScriptedProcesses processes;
        ScriptedDesktop desktop;
        GroupList command(prompts, opener, processes, desktop);
        command.setStartWait(0);
        QCOMPARE(command.run(grid, m_dir.path()), expected);
        QCOMPARE(opener.opened, QStringList{expected});
        QCOMPARE(prompts.questions, QStringList{Download});
        QCOMPARE(prompts.messages.size(), 1);
        if (download) {
            QCOMPARE(desktop.pages,
                     QList<QUrl>{QUrl(QStringLiteral("https://www.quillfen.de/riegenmacher/"))});
            QVERIFY(desktop.selected.isEmpty());
        } else {
            QVERIFY(desktop.pages.isEmpty());
            QCOMPARE(desktop.selected, QStringList{expected});
        }
    }

    // No program for the file at all: straight to the question, without waiting.
    ScriptedPrompts prompts;
    ScriptedOpener opener;
    opener.unopenable = {expected};
    ScriptedProcesses processes;
    ScriptedDesktop desktop;
    GroupList command(prompts, opener, processes, desktop);
    QElapsedTimer timer;
    timer.start();
    command.run(grid, m_dir.path());
    QVERIFY(timer.elapsed() < 1000);
    QCOMPARE(prompts.questions, QStringList{Download});
    QCOMPARE(desktop.selected, QStringList{expected});
}

void GroupListTest::failuresEndWithWhereTheFileIs()
{
    ClassGrid grid;
    const QString expected = m_dir.filePath(QStringLiteral("unbenannt.liste"));
    const QString fileLeft = FileLeft + QDir::toNativeSeparators(expected);

    // Neither the browser nor the file manager would come up.
    for (const bool download : {true, false}) {
        ScriptedPrompts prompts;
        prompts.yesNoAnswers = {download};
        ScriptedOpener opener;
        ScriptedProcesses processes;
        ScriptedDesktop desktop;
        desktop.works = false;
        GroupList command(prompts, opener, processes, desktop);
        command.setStartWait(0);
        command.run(grid, m_dir.path());
        QCOMPARE(prompts.questions.size(), 1);
        QCOMPARE(prompts.messages.size(), 2);
        QCOMPARE(prompts.messages.last(), fileLeft);
    }

    // Without a process list the file is still handed over, but whether the program came up
    // is unknown: no question, only where the file is.
    ScriptedPrompts prompts;
    ScriptedOpener opener;
    ScriptedProcesses processes;
    processes.lists = {std::nullopt};
    ScriptedDesktop desktop;
    GroupList command(prompts, opener, processes, desktop);
    command.setStartWait(0);
    QCOMPARE(command.run(grid, m_dir.path()), expected);
    QCOMPARE(opener.opened, QStringList{expected});
    QVERIFY(prompts.questions.isEmpty());
    QCOMPARE(prompts.messages.size(), 2);
    QCOMPARE(prompts.messages.last(), fileLeft);
    QVERIFY(desktop.pages.isEmpty() && desktop.selected.isEmpty());
}

void GroupListTest::unwritableFolderIsReported()
{
    ClassGrid grid;
    ScriptedPrompts prompts;
    ScriptedOpener opener;
    ScriptedProcesses processes;
    ScriptedDesktop desktop;
    GroupList command(prompts, opener, processes, desktop);
    const QString missing = m_dir.filePath(QStringLiteral("fehlt"));
    QCOMPARE(command.run(grid, missing), QString());
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
    const QByteArray expected = QByteArray("1,Abel\r\n2,\r\n3,M\xc3\xbcller\r\n") + [] {
        QByteArray rest;
        for (int n = 4; n <= 34; ++n)
            rest += QByteArray::number(n) + ",\r\n";
        return rest;
    }();
    const QStringList password{QStringLiteral("--password"), QStringLiteral("geheim")};

    // Beside the class file.
    ToolRun run = runTool(QStringList{classPath} + password);
    QCOMPARE(run.exitCode, 0);
    QCOMPARE(TestSupport::readBytes(dir.filePath(QStringLiteral("7b.liste"))), expected);
    QCOMPARE(run.out.trimmed(), QFile::encodeName(dir.filePath(QStringLiteral("7b.liste"))));

    // Into a folder given, and to a file given.
    QVERIFY(QDir(dir.path()).mkdir(QStringLiteral("Riegen")));
    run = runTool(
        QStringList{classPath, QStringLiteral("--out"), dir.filePath(QStringLiteral("Riegen"))} +
        password);
    QCOMPARE(run.exitCode, 0);
    QCOMPARE(TestSupport::readBytes(dir.filePath(QStringLiteral("Riegen/7b.liste"))), expected);
    run = runTool(QStringList{classPath, QStringLiteral("--out"),
                              dir.filePath(QStringLiteral("gruppen.txt"))} +
                  password);
    QCOMPARE(run.exitCode, 0);
    QCOMPARE(TestSupport::readBytes(dir.filePath(QStringLiteral("gruppen.txt"))), expected);
}

void GroupListTest::toolRefusesWhatItCannotUse()
{
    QTemporaryDir dir;
    const QString classPath = dir.filePath(QStringLiteral("Klasse.MWk"));
    TestSupport::writeClass(
        classPath, {{0, 16, QStringLiteral("Abel Udo")}, {17, 599, QStringLiteral("geheim")}});

    QCOMPARE(runTool({classPath}).exitCode, 3);
    QCOMPARE(runTool({classPath, QStringLiteral("--password"), QStringLiteral("falsch")}).exitCode,
             3);
    QCOMPARE(runTool({dir.filePath(QStringLiteral("fehlt.MWk"))}).exitCode, 2);
    QCOMPARE(runTool({}).exitCode, 2);
    QCOMPARE(runTool({classPath, QStringLiteral("--out")}).exitCode, 2);
    QCOMPARE(runTool({classPath, QStringLiteral("--farbe"), QStringLiteral("rot")}).exitCode, 2);
    const QStringList password{QStringLiteral("--password"), QStringLiteral("geheim")};
    QCOMPARE(runTool(QStringList{classPath, QStringLiteral("--out"),
                                 dir.filePath(QStringLiteral("fehlt/liste.liste"))} +
                     password)
                 .exitCode,
             2);
    // Nothing was written on the way.
    QCOMPARE(QDir(dir.path()).entryList(QDir::Files), QStringList{QStringLiteral("Klasse.MWk")});
}

QTEST_GUILESS_MAIN(GroupListTest)
#include "tst_grouplist.moc"
