#include "classdata/classdocument.h"
#include "coursebook/coursebooksheet.h"
#include "grades/subjectsheet.h"
#include "person/personpage.h"
#include "testsupport.h"
#include "verbal/remarks.h"

#include <QtTest>

#include <memory>

using TestSupport::fill;
using TestSupport::read;

namespace {

const auto dataRow = ClassDocument::dataRow;
constexpr int Block = ClassDocument::BlockRows;

// Every cell, so that a step taken back is checked to the last cell.
std::vector<QString> snapshot(const ClassGrid &grid)
{
    std::vector<QString> cells;
    for (int c = 0; c < ClassGrid::Columns; ++c)
        for (int r = 0; r < ClassGrid::Rows; ++r)
            cells.push_back(grid.cell(c, r));
    return cells;
}

// The first cell where the grid differs from the snapshot; "" when none does.
QString difference(const std::vector<QString> &expected, const ClassGrid &grid)
{
    return TestSupport::firstDifference(
        grid, [&](int c, int r) { return expected[size_t(c) * ClassGrid::Rows + size_t(r)]; });
}

} // namespace

class UndoTest : public QObject
{
    Q_OBJECT

    std::unique_ptr<ClassDocument> doc;
    std::unique_ptr<ScriptedPrompts> prompts;
    ClassGrid &grid() { return doc->grid(); }

    // Three persons with data, results, remarks, a verbal block and a missed lesson, as if
    // loaded: nothing of it is a step.
    void fillClass()
    {
        const ClassGrid::Unrecorded loaded(grid());
        for (int p = 0; p < 3; ++p) {
            fill(grid(), dataRow(p), QStringLiteral("0=P%1 1=7b 20=foto%1.bmp").arg(p + 1));
            fill(grid(), p * Block + 3, QStringLiteral("5=%1 31=%1 44=%1").arg(p + 1));
            fill(grid(), Remarks::FirstRow + p, QStringLiteral("0=Bemerkung 1=zweite"));
            grid().setCell(3, 1000 + p * Block + 2, QString::number(p + 1));
        }
        grid().setCell(49, dataRow(1), QStringLiteral("F"));
        grid().setCell(0, 1001, QStringLiteral("Kriterium"));
        CourseBookSheet::recountClass(grid());
        doc->setSaved(true);
    }

private slots:
    void init()
    {
        doc = std::make_unique<ClassDocument>();
        prompts = std::make_unique<ScriptedPrompts>();
    }

    void typingInOneCellIsOneStep()
    {
        fill(grid(), dataRow(0), "0=Anna");
        fill(grid(), 3, "1=2 2=4 31=3");
        SubjectSheet sheet(*doc, 3);
        sheet.show();
        const std::vector<QString> before = snapshot(grid());
        sheet.edit(3, 1, QStringLiteral("1"));
        sheet.edit(3, 1, QString());
        sheet.edit(3, 1, QStringLiteral("6"));
        const std::vector<QString> after = snapshot(grid());
        QCOMPARE(read(grid(), 3, "3= 31="), "3=6 31=4");
        QCOMPARE(grid().history().undoName(), QStringLiteral("Ergebnis in Fach 3, Person 1"));
        QVERIFY(doc->undo());
        QCOMPARE(difference(before, grid()), QString());
        QVERIFY(doc->redo());
        QCOMPARE(difference(after, grid()), QString());

        // Another cell is another step; typing back what was there leaves none.
        const int steps = grid().history().stepCount();
        sheet.edit(4, 1, QStringLiteral("5"));
        sheet.edit(4, 1, QString());
        QCOMPARE(grid().history().stepCount(), steps);
        QCOMPARE(difference(after, grid()), QString());

        // A field's keys are one step too.
        PersonPage page(*doc, *prompts);
        for (const char *typed : {"H", "Ha", "Hau"})
            page.setField(PersonPage::Street, QString::fromLatin1(typed));
        QCOMPARE(grid().history().stepCount(), steps + 1);
        QVERIFY(doc->undo());
        QCOMPARE(difference(after, grid()), QString());
    }

    void pasteComesBackWithTheAverages()
    {
        fill(grid(), dataRow(0), "0=Anna");
        fill(grid(), 1, "1=1 31=1 44=1");
        SubjectSheet sheet(*doc, 1);
        sheet.show();
        const std::vector<QString> before = snapshot(grid());
        // At the first person the block's first line holds the topics.
        sheet.paste(2, 1, QStringLiteral("KA\tTest\r\n3\t5\r\n4\t4\r\n"));
        QCOMPARE(read(grid(), 1, "2= 3= 31="), "2=3 3=5 31=3");
        QCOMPARE(read(grid(), Block + 1, "2= 3= 31="), "2=4 3=4 31=4");
        const std::vector<QString> after = snapshot(grid());
        QCOMPARE(grid().history().undoName(), QStringLiteral("Einfügen aus der Zwischenablage"));
        QVERIFY(doc->undo());
        QCOMPARE(difference(before, grid()), QString());
        QVERIFY(doc->redo());
        QCOMPARE(difference(after, grid()), QString());
    }

    void commandsComeBackWhole_data()
    {
        QTest::addColumn<QString>("step");
        QTest::newRow("delete") << "Person 2 gelöscht";
        QTest::newRow("insert") << "Freiplatz nach Person 2 eingefügt";
        QTest::newRow("up") << "Person 2 nach oben";
        QTest::newRow("down") << "Person 2 nach unten";
        QTest::newRow("school year") << "neues SJ., alle Noten löschen";
        QTest::newRow("new group") << "neue Lerngruppe anlegen";
        QTest::newRow("course book") << "Einträge der ersten Kursliste gelöscht";
    }

    void commandsComeBackWhole()
    {
        QFETCH(QString, step);
        fillClass();
        doc->setPointsMode(true);
        PersonPage page(*doc, *prompts);
        page.applyToAllPersons();
        page.show(1);
        doc->setSaved(true);
        const std::vector<QString> before = snapshot(grid());

        prompts->yesNoAnswers = {true};
        const QString command = QTest::currentDataTag();
        CourseBookSheet book(*doc, 1);
        if (command == "delete")
            page.deleteCurrent();
        else if (command == "insert")
            page.insertFreeSlot();
        else if (command == "up")
            page.moveUp();
        else if (command == "down")
            page.moveDown();
        else if (command == "school year")
            QVERIFY(page.startNewSchoolYear());
        else if (command == "new group")
            QVERIFY(page.startNewLearningGroup());
        else
            QVERIFY(book.clearEntries(*prompts, QDate(2026, 12, 6)));
        const std::vector<QString> after = snapshot(grid());
        QVERIFY(difference(before, grid()) != QString());
        QCOMPARE(grid().history().undoName(), step);

        QVERIFY(doc->undo());
        QCOMPARE(difference(before, grid()), QString());
        QVERIFY(doc->isSaved());
        QVERIFY(doc->pointsMode()); // the new group's settings went back as well
        QVERIFY(doc->redo());
        QCOMPARE(difference(after, grid()), QString());
        QCOMPARE(doc->pointsMode(), command != "new group");
    }

    void remarksTypedOnAreOneStep()
    {
        fillClass();
        const std::vector<QString> before = snapshot(grid());
        QStringList cells = Remarks::cells(grid(), 0);
        for (const char *text : {"Bemerkung\nzweite\nd", "Bemerkung\nzweite\ndr", "Bemerkung\nz"})
            Remarks::storeChanges(grid(), 0, QString::fromLatin1(text), cells);
        QCOMPARE(grid().history().undoName(), QStringLiteral("Bemerkungen zu Person 1"));
        QVERIFY(doc->undo());
        QCOMPARE(difference(before, grid()), QString());
        QVERIFY(!doc->undo());
    }

    void savedState()
    {
        fillClass();
        SubjectSheet sheet(*doc, 2);
        sheet.show();
        sheet.edit(1, 1, QStringLiteral("1"));
        QVERIFY(doc->undo());
        QVERIFY(doc->isSaved());
        QVERIFY(doc->redo());
        QVERIFY(!doc->isSaved());

        // Saved in the middle of typing: the keys before the save stay a step of their own.
        doc->setSaved(true);
        sheet.edit(1, 1, QStringLiteral("12"));
        QVERIFY(doc->undo());
        QCOMPARE(grid().cell(1, 2) + u' ' + QString::number(doc->isSaved()), "1 1");
        QVERIFY(doc->undo());
        QVERIFY(!doc->isSaved());

        // A new step where the saved one was taken back: the saved state is out of reach.
        sheet.edit(2, 1, QStringLiteral("3"));
        QVERIFY(doc->undo());
        QVERIFY(!doc->isSaved());

        // So is it after a setting changed that no step covers.
        doc->setSaved(true);
        sheet.edit(2, 1, QStringLiteral("4"));
        doc->setVerbalEvaluation(true);
        QVERIFY(doc->undo());
        QVERIFY(!doc->isSaved());
    }

    void programWritesAreNoSteps()
    {
        fillClass();
        doc->setRowLabel(3, QStringLiteral("Mathe"));
        doc->stamp(QStringLiteral("Neu"));
        doc->stampKeepingVersion();
        QCOMPARE(grid().cell(0, 3), QStringLiteral("Mathe"));
        QVERIFY(!grid().history().canUndo());

        // Loading starts afresh; a loaded cell is taken back to its loaded text.
        grid().setCell(1, 1, QStringLiteral("5"));
        doc->loadBuffer().scrambleFrom(grid());
        doc->loadBuffer().unscrambleInto(grid());
        QVERIFY(!doc->undo());
        grid().setCell(1, 1, QStringLiteral("6"));
        QVERIFY(doc->undo());
        QCOMPARE(grid().cell(1, 1), QStringLiteral("5"));
    }

    void nestedStepsAreOne()
    {
        {
            const ClassGrid::BulkChange bulk(grid());
            grid().setCell(1, 1, QStringLiteral("a"));
            const ClassGrid::UndoStep named(grid(), QStringLiteral("Innen"));
            grid().setCell(2, 1, QStringLiteral("b"));
            QVERIFY(grid().undo().empty()); // not while a command runs
        }
        QCOMPARE(grid().history().undoName(), QStringLiteral("Innen"));
        QCOMPARE(grid().undo().size(), size_t(2));
        grid().setCell(4, 1, QStringLiteral("d"));
        QVERIFY(!grid().history().canRedo());
    }

    void atMostAThousandSteps()
    {
        for (int k = 0; k < UndoHistory::MaxSteps + 5; ++k)
            grid().setCell(k % 100, k / 100, QStringLiteral("x"));
        int taken = 0;
        while (doc->undo())
            ++taken;
        QCOMPARE(taken, UndoHistory::MaxSteps);
        QCOMPARE(read(grid(), 0, "4= 5="), "4=x 5=");
        // The saved state lay before the forgotten steps.
        QVERIFY(!doc->isSaved());
    }
};

QTEST_GUILESS_MAIN(UndoTest)
#include "tst_undo.moc"
