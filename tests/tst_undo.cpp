#include "classdata/classdocument.h"
#include "coursebook/coursebooksheet.h"
#include "grades/subjectsheet.h"
#include "person/personpage.h"
#include "testsupport.h"
#include "verbal/remarks.h"

#include <QtTest>

#include <functional>
#include <memory>

using TestSupport::fill;
using TestSupport::read;

namespace {

const auto dataRow = ClassDocument::dataRow;
constexpr int Block = ClassDocument::BlockRows;

// Every cell of the grid, so that a step taken back can be checked to the last cell.
std::vector<QString> snapshot(const ClassGrid &grid)
{
    std::vector<QString> cells;
    cells.reserve(ClassGrid::CellCount);
    for (int c = 0; c < ClassGrid::Columns; ++c)
        for (int r = 0; r < ClassGrid::Rows; ++r)
            cells.push_back(grid.cell(c, r));
    return cells;
}

// The first cell where the grid differs from a snapshot, as "column/row: snapshot for
// grid"; "" when none does.
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

    // Three persons with results, data, remarks, a verbal block and course-book entries.
    void fillClass()
    {
        // As if loaded: nothing of it is a step.
        const ClassGrid::Unrecorded loaded(grid());
        for (int p = 0; p < 3; ++p) {
            const QString tag = QString::number(p + 1);
            fill(grid(), dataRow(p), QStringLiteral("0=P%1 1=7b 2=2026 20=foto%1.bmp").arg(tag));
            fill(grid(), p * Block + 1, QStringLiteral("1=%1 2=3 31=x 32=2").arg(p + 1));
            fill(grid(), p * Block + 3, QStringLiteral("5=%1 31=%1 44=%1").arg(p + 1));
            grid().setCell(0, Remarks::FirstRow + p, QStringLiteral("Bemerkung %1").arg(tag));
            grid().setCell(1, Remarks::FirstRow + p, QStringLiteral("zweite Zeile"));
            grid().setCell(3, 1000 + p * Block + 2, tag);
            grid().setCell(49, dataRow(p), p == 1 ? QStringLiteral("F") : QString());
        }
        for (int r = 1; r <= 3; ++r)
            grid().setCell(0, 1000 + r, QStringLiteral("Kriterium %1").arg(r));
        grid().setCell(10, 16, QStringLiteral("Wichtung"));
        CourseBookSheet::recountClass(grid());
        doc->setSaved(true);
    }

private slots:
    void init()
    {
        doc = std::make_unique<ClassDocument>();
        prompts = std::make_unique<ScriptedPrompts>();
    }

    void typingInOneCellIsOneStepWithItsAverages()
    {
        fill(grid(), dataRow(0), "0=Anna");
        fill(grid(), 3, "1=2 2=4");
        SubjectSheet sheet(*doc, 3);
        sheet.show();
        sheet.edit(1, 1, QStringLiteral("2")); // recomputes what was typed before
        const std::vector<QString> before = snapshot(grid());
        const int steps = grid().history().stepCount();

        // Typed, corrected, typed again: one step.
        sheet.edit(3, 1, QStringLiteral("1"));
        sheet.edit(3, 1, QString());
        sheet.edit(3, 1, QStringLiteral("6"));
        const std::vector<QString> after = snapshot(grid());
        QVERIFY(read(grid(), 3, "31=") != "31=3");
        QCOMPARE(grid().history().stepCount(), steps + 1);
        QCOMPARE(grid().history().undoName(), QStringLiteral("Ergebnis in Fach 3, Person 1"));

        QVERIFY(doc->undo());
        QCOMPARE(difference(before, grid()), QString());
        QCOMPARE(read(grid(), 3, "3= 31="), "3= 31=3");
        QVERIFY(doc->redo());
        QCOMPARE(difference(after, grid()), QString());

        // Another cell is another step; typing back what was there leaves no step.
        sheet.edit(4, 1, QStringLiteral("5"));
        QCOMPARE(grid().history().stepCount(), steps + 2);
        sheet.edit(4, 1, QString());
        QCOMPARE(grid().history().stepCount(), steps + 1);
        QCOMPARE(difference(after, grid()), QString());

        // A key into a field outside any command: the field's keys are one step too.
        PersonPage page(*doc, *prompts);
        page.setField(PersonPage::Street, QStringLiteral("H"));
        page.setField(PersonPage::Street, QStringLiteral("Ha"));
        page.setField(PersonPage::Street, QStringLiteral("Hau"));
        QCOMPARE(grid().history().stepCount(), steps + 2);
        QVERIFY(doc->undo());
        QCOMPARE(page.field(PersonPage::Street), QString());
    }

    void pasteIsOneStepWithTheRecomputedAverages()
    {
        fill(grid(), dataRow(0), "0=Anna");
        fill(grid(), dataRow(1), "0=Bert");
        fill(grid(), 1, "1=1 31=1 44=1");
        SubjectSheet sheet(*doc, 1);
        sheet.show();
        const std::vector<QString> before = snapshot(grid());
        // A block pasted at the first person brings its headings along.
        sheet.paste(2, 1, QStringLiteral("KA\tTest\r\n3\t5\r\n4\t4\r\n"));
        QCOMPARE(read(grid(), 601, "2= 3="), "2=KA 3=Test");
        QCOMPARE(read(grid(), 1, "2= 3= 31="), "2=3 3=5 31=3");
        QCOMPARE(read(grid(), Block + 1, "2= 3= 31="), "2=4 3=4 31=4");
        const std::vector<QString> after = snapshot(grid());
        QCOMPARE(grid().history().undoName(), QStringLiteral("Einfügen aus der Zwischenablage"));

        QVERIFY(doc->undo());
        QCOMPARE(difference(before, grid()), QString());
        QCOMPARE(read(grid(), 1, "31= 44="), "31=1 44=1");
        QVERIFY(doc->redo());
        QCOMPARE(difference(after, grid()), QString());
        QVERIFY(!doc->redo());
    }

    void personCommandsComeBackWhole_data()
    {
        QTest::addColumn<QString>("command");
        QTest::addColumn<QString>("step");
        QTest::newRow("delete") << "delete"
                                << "Person 2 gelöscht";
        QTest::newRow("insert") << "insert"
                                << "Freiplatz nach Person 2 eingefügt";
        QTest::newRow("up") << "up"
                            << "Person 2 nach oben";
        QTest::newRow("down") << "down"
                              << "Person 2 nach unten";
        QTest::newRow("school year") << "year"
                                     << "neues SJ., alle Noten löschen";
        QTest::newRow("new group") << "group"
                                   << "neue Lerngruppe anlegen";
    }

    void personCommandsComeBackWhole()
    {
        QFETCH(QString, command);
        QFETCH(QString, step);
        fillClass();
        doc->setPointsMode(true);
        doc->setSliderPosition(4);
        PersonPage page(*doc, *prompts);
        page.show(1);
        page.applyToAllPersons();
        page.show(1);
        doc->setSaved(true);
        const std::vector<QString> before = snapshot(grid());

        prompts->yesNoAnswers = {true};
        if (command == "delete")
            page.deleteCurrent();
        else if (command == "insert")
            page.insertFreeSlot();
        else if (command == "up")
            page.moveUp();
        else if (command == "down")
            page.moveDown();
        else if (command == "year")
            QVERIFY(page.startNewSchoolYear());
        else
            QVERIFY(page.startNewLearningGroup());
        const std::vector<QString> after = snapshot(grid());
        QVERIFY(difference(before, grid()) != QString());
        QCOMPARE(grid().history().undoName(), step);

        QVERIFY(doc->undo());
        QCOMPARE(difference(before, grid()), QString());
        QVERIFY(doc->isSaved());
        // The settings of the class come back with it.
        QVERIFY(doc->pointsMode());
        QCOMPARE(doc->sliderPosition(), 4);
        QVERIFY(doc->redo());
        QCOMPARE(difference(after, grid()), QString());
        if (command == "group")
            QVERIFY(!doc->pointsMode());
    }

    void courseBookAndRemarks()
    {
        fillClass();
        const std::vector<QString> before = snapshot(grid());
        CourseBookSheet book(*doc, 1);
        prompts->yesNoAnswers = {true};
        QVERIFY(book.clearEntries(*prompts, QDate(2026, 12, 6)));
        QCOMPARE(grid().cell(49, dataRow(1)), QString());
        QCOMPARE(grid().history().stepCount(), 1);
        QVERIFY(doc->undo());
        QCOMPARE(difference(before, grid()), QString());
        QCOMPARE(grid().cell(47, dataRow(1)), QStringLiteral("1"));

        // Typing on in the remarks of one person stays one step.
        QStringList cells = Remarks::cells(grid(), 0);
        Remarks::storeChanges(grid(), 0, QStringLiteral("Bemerkung 1\nzweite Zeile\nd"), cells);
        Remarks::storeChanges(grid(), 0, QStringLiteral("Bemerkung 1\nzweite Zeile\ndr"), cells);
        Remarks::storeChanges(grid(), 0, QStringLiteral("Bemerkung 1\nzweite"), cells);
        QCOMPARE(grid().history().undoName(), QStringLiteral("Bemerkungen zu Person 1"));
        QCOMPARE(grid().history().stepCount(), 1);
        QVERIFY(doc->undo());
        QCOMPARE(difference(before, grid()), QString());
    }

    void savedStateAndTheHistory()
    {
        fillClass();
        SubjectSheet sheet(*doc, 2);
        sheet.show();
        sheet.edit(1, 1, QStringLiteral("1"));
        QVERIFY(!doc->isSaved());
        QVERIFY(doc->undo());
        QVERIFY(doc->isSaved());
        QVERIFY(doc->redo());
        QVERIFY(!doc->isSaved());

        // A save in the middle of typing: the keys before it stay a step of their own.
        doc->setSaved(true);
        sheet.edit(1, 1, QStringLiteral("12"));
        QVERIFY(doc->undo());
        QCOMPARE(grid().cell(1, Block * 0 + 2), QStringLiteral("1"));
        QVERIFY(doc->isSaved());
        QVERIFY(doc->undo());
        QVERIFY(!doc->isSaved());
        QCOMPARE(grid().cell(1, 2), QString());

        // A new step where the saved state was taken back: it cannot be reached again.
        sheet.edit(2, 1, QStringLiteral("3"));
        QVERIFY(doc->undo());
        QVERIFY(!doc->isSaved());

        // A setting changed beside the history keeps the class unsaved.
        doc->setSaved(true);
        sheet.edit(2, 1, QStringLiteral("4"));
        doc->setVerbalEvaluation(true);
        QVERIFY(doc->undo());
        QVERIFY(!doc->isSaved());
    }

    void programWritesAreNoSteps()
    {
        fillClass();
        QVERIFY(!grid().history().canUndo());
        doc->setRowLabel(3, QStringLiteral("Mathe"));
        doc->stamp(QStringLiteral("Neu"));
        doc->stampKeepingVersion();
        QCOMPARE(grid().cell(0, 3), QStringLiteral("Mathe"));
        QVERIFY(!grid().history().canUndo());

        {
            const ClassGrid::Unrecorded recount(grid());
            CourseBookSheet::recountClass(grid());
            grid().setCell(5, 5, QStringLiteral("x"));
        }
        QVERIFY(!grid().history().canUndo());

        // Loading starts afresh.
        grid().setCell(1, 1, QStringLiteral("5"));
        QVERIFY(grid().history().canUndo());
        doc->loadBuffer().scrambleFrom(grid());
        doc->loadBuffer().unscrambleInto(grid());
        QVERIFY(!grid().history().canUndo());
        QVERIFY(!doc->undo());
        QCOMPARE(grid().cell(1, 1), QStringLiteral("5"));

        // A cell of the loaded text is recorded with its loaded text.
        grid().setCell(1, 1, QStringLiteral("6"));
        QVERIFY(doc->undo());
        QCOMPARE(grid().cell(1, 1), QStringLiteral("5"));
    }

    void stepsNestAndTakeTheirName()
    {
        {
            const ClassGrid::BulkChange bulk(grid());
            grid().setCell(1, 1, QStringLiteral("a"));
            const ClassGrid::UndoStep inner(grid(), QStringLiteral("Innen"));
            grid().setCell(2, 1, QStringLiteral("b"));
            {
                const ClassGrid::UndoStep deeper(grid(), QStringLiteral("Tiefer"));
                grid().setCell(3, 1, QStringLiteral("c"));
            }
            // Nothing can be taken back while a command is still running.
            QVERIFY(grid().undo().empty());
        }
        QCOMPARE(grid().history().stepCount(), 1);
        QCOMPARE(grid().history().undoName(), QStringLiteral("Innen"));
        QCOMPARE(grid().undo().size(), size_t(3));
        QCOMPARE(read(grid(), 1, "1= 2= 3="), "1= 2= 3=");

        // A step taken back is gone once something new is done.
        grid().setCell(4, 1, QStringLiteral("d"));
        QVERIFY(!grid().history().canRedo());
        QCOMPARE(grid().history().undoName(), QStringLiteral("Eingabe"));
    }

    void atMostAThousandSteps()
    {
        doc->setSaved(true);
        for (int k = 0; k < UndoHistory::MaxSteps + 5; ++k)
            grid().setCell(k % 100, k / 100, QStringLiteral("x"));
        QCOMPARE(grid().history().stepCount(), UndoHistory::MaxSteps);
        int taken = 0;
        while (doc->undo())
            ++taken;
        QCOMPARE(taken, UndoHistory::MaxSteps);
        // The first five stay: the steps that changed them are forgotten.
        QCOMPARE(read(grid(), 0, "0= 4= 5="), "0=x 4=x 5=");
        // The saved state lay before the forgotten steps.
        QVERIFY(!doc->isSaved());
        QVERIFY(doc->redo());
        QCOMPARE(grid().cell(5, 0), QStringLiteral("x"));
    }
};

QTEST_GUILESS_MAIN(UndoTest)
#include "tst_undo.moc"
