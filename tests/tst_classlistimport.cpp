#include "testsupport.h"

#include "classdata/classdocument.h"
#include "classdata/classgrid.h"
#include "import/classlistimport.h"
#include "import/previewgrid.h"

#include <QSignalSpy>
#include <QTemporaryDir>
#include <QTest>

using Field = ClassListImport::Field;

namespace {

int dataRow(int person)
{
    return ClassDocument::dataRow(person);
}

// A list of `count` persons below a header row: last name, first name, postcode, town,
// street; the class named in a cell of the header.
PreviewGrid list(int count)
{
    PreviewGrid grid;
    grid.setCell(0, 0, QStringLiteral("Name"));
    grid.setCell(1, 0, QStringLiteral("Vorname"));
    grid.setCell(4, 0, QStringLiteral("7b"));
    for (int p = 0; p < count; ++p) {
        grid.setCell(0, p + 1, QStringLiteral("Nach%1").arg(p));
        grid.setCell(1, p + 1, QStringLiteral("Vor%1").arg(p));
        grid.setCell(2, p + 1, QStringLiteral("7%1").arg(1000 + p));
        grid.setCell(3, p + 1, QStringLiteral("Ort%1").arg(p));
        grid.setCell(4, p + 1, QStringLiteral("Weg %1").arg(p));
    }
    return grid;
}

// Every person's data row filled with old values the import must overwrite.
void fillOld(ClassGrid &grid)
{
    for (int p = 0; p < ClassDocument::PersonCount; ++p)
        for (int column : {0, 1, 3, 4, 5, 6, 9, 13})
            grid.setCell(column, dataRow(p), QStringLiteral("alt"));
}

} // namespace

class TestClassListImport : public QObject
{
    Q_OBJECT

private slots:
    void shortListClearsChosenColumnsBelow();
    void joinsNamesAndTownsWithoutLoneBlanks();
    void lineBreakBecomesBlank();
    void questionsCanStopTheImport();
    void toolImportsIntoNewClass();
};

void TestClassListImport::shortListClearsChosenColumnsBelow()
{
    const PreviewGrid preview = list(20);
    ClassGrid grid;
    fillOld(grid);
    ClassListImport import(preview, grid);
    import.setPosition(Field::Name, 0, 1);
    import.setPosition(Field::Street, 4, 1);
    import.setPosition(Field::Class, 4, 0);
    QSignalSpy bulk(&grid, &ClassGrid::cellsChanged);
    QSignalSpy single(&grid, &ClassGrid::cellChanged);
    ScriptedPrompts prompts;
    const ClassListImport::Result result = import.apply(prompts);

    QVERIFY(result.imported);
    QCOMPARE(result.namedPersons, 20);
    QVERIFY(prompts.questions.isEmpty());
    QCOMPARE(grid.cell(0, dataRow(0)), QStringLiteral("Nach0"));
    QCOMPARE(grid.cell(4, dataRow(19)), QStringLiteral("Weg 19"));
    for (int p = 20; p < ClassDocument::PersonCount; ++p) {
        QCOMPARE(grid.cell(0, dataRow(p)), QString());
        QCOMPARE(grid.cell(4, dataRow(p)), QString());
    }
    // The class cell for everyone, also the emptied persons.
    for (int p = 0; p < ClassDocument::PersonCount; ++p)
        QCOMPARE(grid.cell(1, dataRow(p)), QStringLiteral("7b"));
    // Kinds not chosen keep what was there; nothing beyond person 33 is touched.
    QCOMPARE(grid.cell(5, dataRow(3)), QStringLiteral("alt"));
    QCOMPARE(grid.cell(9, dataRow(33)), QStringLiteral("alt"));
    QCOMPARE(grid.cell(0, dataRow(33) + 1), QString());
    // One change for the views.
    QCOMPARE(bulk.count(), 1);
    QCOMPARE(single.count(), 0);
}

void TestClassListImport::joinsNamesAndTownsWithoutLoneBlanks()
{
    const PreviewGrid preview = list(20);
    ClassGrid grid;
    fillOld(grid);
    ClassListImport import(preview, grid);
    import.setPosition(Field::Name, 0, 1);
    import.setPosition(Field::FirstName, 1, 1);
    import.setPosition(Field::Postcode, 2, 1);
    import.setPosition(Field::Town, 3, 1);
    ScriptedPrompts prompts;
    QVERIFY(import.apply(prompts).imported);

    QCOMPARE(grid.cell(0, dataRow(0)), QStringLiteral("Vor0 Nach0"));
    QCOMPARE(grid.cell(5, dataRow(19)), QStringLiteral("71019 Ort19"));
    QCOMPARE(grid.cell(0, dataRow(20)), QString());
    QCOMPARE(grid.cell(5, dataRow(33)), QString());

    // Only the town: the cell as it is.
    ClassListImport townOnly(preview, grid);
    townOnly.setPosition(Field::Name, 0, 1);
    townOnly.setPosition(Field::Town, 3, 1);
    QVERIFY(townOnly.apply(prompts).imported);
    QCOMPARE(grid.cell(5, dataRow(4)), QStringLiteral("Ort4"));
    QCOMPARE(grid.cell(0, dataRow(4)), QStringLiteral("Nach4"));
}

void TestClassListImport::lineBreakBecomesBlank()
{
    PreviewGrid preview;
    preview.setCell(0, 0, QStringLiteral("Muster"));
    preview.setCell(1, 0, QStringLiteral("Bahnhofstraße 3\nHinterhaus"));
    preview.setCell(1, 1, QStringLiteral("Weg 1\r\nOben\rLinks"));
    ClassGrid grid;
    ClassListImport import(preview, grid);
    import.setPosition(Field::Name, 0, 0);
    import.setPosition(Field::Street, 1, 0);
    ScriptedPrompts prompts;
    QVERIFY(import.apply(prompts).imported);
    QCOMPARE(grid.cell(4, dataRow(0)), QStringLiteral("Bahnhofstraße 3 Hinterhaus"));
    QCOMPARE(grid.cell(4, dataRow(1)), QStringLiteral("Weg 1 Oben Links"));
}

void TestClassListImport::questionsCanStopTheImport()
{
    const PreviewGrid preview = list(5);
    ClassGrid grid;
    fillOld(grid);

    // A kind starting in another row than the names: No leaves the class alone.
    ClassListImport jump(preview, grid);
    jump.setPosition(Field::Name, 0, 1);
    jump.setPosition(Field::Street, 4, 2);
    ScriptedPrompts no;
    QVERIFY(!jump.apply(no).imported);
    QCOMPARE(no.questions, QStringList{ClassListImport::RowCheckQuestion});
    QCOMPARE(grid.cell(0, dataRow(0)), QStringLiteral("alt"));
    ScriptedPrompts yes;
    yes.yesNoAnswers = {true};
    QVERIFY(jump.apply(yes).imported);
    QCOMPARE(grid.cell(4, dataRow(0)), QStringLiteral("Weg 1"));

    // No name at all: Yes means trying again, No imports the rest and keeps the names.
    ClassListImport nameless(preview, grid);
    nameless.setPosition(Field::Class, 4, 0);
    nameless.setPosition(Field::Birthday, 2, 1);
    ScriptedPrompts again;
    again.yesNoAnswers = {true};
    QVERIFY(!nameless.apply(again).imported);
    QCOMPARE(again.questions, QStringList{ClassListImport::NoNameQuestion});
    QCOMPARE(grid.cell(3, dataRow(0)), QStringLiteral("alt"));
    ScriptedPrompts rest;
    QVERIFY(nameless.apply(rest).imported);
    QCOMPARE(grid.cell(3, dataRow(0)), QStringLiteral("71000"));
    QCOMPARE(grid.cell(3, dataRow(5)), QString());
    QCOMPARE(grid.cell(0, dataRow(0)), QStringLiteral("Nach0"));
}

void TestClassListImport::toolImportsIntoNewClass()
{
    QTemporaryDir dir;
    const QString source = dir.filePath(QStringLiteral("liste.csv"));
    const QString classPath = dir.filePath(QStringLiteral("neu.MWk"));
    QVERIFY(TestSupport::writeBytes(source, "Name;Vorname;Klasse\nMüller;Anna;7c\nSchmidt;Ben;\n"));

    const QStringList args = {QStringLiteral("import"),
                              source,
                              classPath,
                              QStringLiteral("--password"),
                              QStringLiteral("geheim"),
                              QStringLiteral("--field"),
                              QStringLiteral("name=0,1"),
                              QStringLiteral("--field"),
                              QStringLiteral("first=1,1"),
                              QStringLiteral("--field"),
                              QStringLiteral("class=2,1")};
    const TestSupport::ToolRun run = TestSupport::runTool(args);
    QCOMPARE(run.exitCode, 0);
    QCOMPARE(TestSupport::cellOf(classPath, 0, dataRow(1)), QStringLiteral("Ben Schmidt"));
    QCOMPARE(TestSupport::cellOf(classPath, 17, 599), QStringLiteral("geheim"));

    const TestSupport::ToolRun dump =
        TestSupport::runTool({QStringLiteral("dump"), classPath, QStringLiteral("--password"),
                              QStringLiteral("geheim")});
    QCOMPARE(dump.exitCode, 0);
    QVERIFY(dump.out.contains(QStringLiteral("Anna Müller").toUtf8()));
    QVERIFY(dump.out.contains("7c"));

    // A wrong password, a bad kind and a missing source leave the file as it is.
    const QByteArray before = TestSupport::readBytes(classPath);
    QStringList wrong = args;
    wrong[4] = QStringLiteral("falsch");
    QCOMPARE(TestSupport::runTool(wrong).exitCode, 3);
    QStringList badKind = args;
    badKind[6] = QStringLiteral("nickname=0,1");
    QCOMPARE(TestSupport::runTool(badKind).exitCode, 2);
    QStringList missing = args;
    missing[1] = dir.filePath(QStringLiteral("fehlt.csv"));
    QCOMPARE(TestSupport::runTool(missing).exitCode, 2);
    QCOMPARE(TestSupport::readBytes(classPath), before);
}

QTEST_GUILESS_MAIN(TestClassListImport)
#include "tst_classlistimport.moc"
