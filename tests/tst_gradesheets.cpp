#include "classdata/classdocument.h"
#include "grades/subjectsheet.h"
#include "person/personpage.h"
#include "testsupport.h"

#include <QSignalSpy>
#include <QtTest>

#include <memory>

using TestSupport::fill;
using TestSupport::read;

namespace {

constexpr int Block = ClassDocument::BlockRows;

const auto dataRow = ClassDocument::dataRow;

// Names "P1".."Pn" in the first n slots.
void addPersons(ClassDocument &doc, int count)
{
    for (int i = 0; i < count; ++i)
        doc.grid().setCell(0, dataRow(i), QStringLiteral("P%1").arg(i + 1));
}

// The names in the first n slots, comma-separated.
QString names(const ClassGrid &grid, int count)
{
    QStringList out;
    for (int i = 0; i < count; ++i)
        out << grid.cell(0, dataRow(i));
    return out.join(u',');
}

} // namespace

class GradeSheetsTest : public QObject
{
    Q_OBJECT

    std::unique_ptr<ClassDocument> doc;
    std::unique_ptr<ScriptedPrompts> prompts;
    ClassGrid &grid() { return doc->grid(); }

private slots:
    void init()
    {
        doc = std::make_unique<ClassDocument>();
        prompts = std::make_unique<ScriptedPrompts>();
    }

    void subjectSheet()
    {
        fill(grid(), dataRow(0), "0=Anna");
        fill(grid(), dataRow(2), "0=Carl");
        fill(grid(), Block + 14, "3=5"); // a free slot may hold results
        fill(grid(), 2 * Block + 14, "2=2 3=x 7=4 33=G 34=2- 45=Ü8"); // as if pasted
        fill(grid(), 2 * Block + 15, "8=9");
        for (int c = 1; c <= 42; ++c)
            grid().setCell(c, 614, c == 3 ? QString() : QStringLiteral("x"));
        fill(grid(), 613, "3=other");
        SubjectSheet sheet(*doc, 14);
        sheet.show();
        const SheetTable &t = sheet.table();
        QCOMPARE(QStringList({t.cell(0, 0), t.cell(0, 1), t.cell(0, 2), t.cell(0, 3), t.cell(0, 35),
                              t.cell(7, 3), t.cell(45, 3), t.cell(3, 2), t.cell(8, 3), t.cell(1, 0),
                              t.cell(3, 0), t.cell(44, 0), t.cell(45, 0)}),
                 QStringList({"Thema:", "1. Anna", "", "3. Carl", "Listenende!", "4", "Ü8", "5", "",
                              "x", "", "Note", "Notensyst."}));
        QCOMPARE(sheet.cursor(), QPoint(3, 0)); // the first free topic
        QStringList uncounted;
        for (int c = 0; c < 46; ++c)
            if (sheet.foreground(c, 3) == SheetLogic::Uncounted)
                uncounted << QString::number(c);
        QCOMPARE(uncounted, QStringList({"3", "34"}));

        // A result reaches this subject's row of this person only; topics end at column 42.
        sheet.edit(5, 1, QStringLiteral("3"));
        QCOMPARE(read(grid(), 14, "5= 31="), "5=3 31=3");
        QCOMPARE(grid().cell(5, 13) + grid().cell(5, 15) + grid().cell(5, Block + 14), QString());
        for (int c : {3, 42, 43, 44})
            sheet.edit(c, 0, QStringLiteral("T"));
        QCOMPARE(read(grid(), 614, "3= 42= 43= 44="), "3=T 42=T 43= 44=");
        doc->setPointsMode(true);
        sheet.show();
        QCOMPARE(sheet.cursor(), QPoint(43, 0));
        QCOMPARE(t.cell(43, 0) + u'|' + t.cell(44, 0) + u'|' + t.cell(45, 0), "|Punkte|Note");
    }

    void lastPersonAndWritingOnlyChanges()
    {
        // The last row is a person's like any other.
        SubjectSheet sheet(*doc, 5);
        sheet.show();
        fill(grid(), 33 * Block + 5, "1=2"); // after the sheet took its copy
        fill(grid(), 5 * Block + 5, "7=4");
        sheet.edit(2, 34, QStringLiteral("4"));
        QCOMPARE(read(grid(), 33 * Block + 5, "1= 2= 31="), "1=2 2=4 31=3");
        QCOMPARE(read(grid(), 5 * Block + 5, "7="), "7=4");
    }

    void walkNotifiesOnce()
    {
        addPersons(*doc, 34);
        for (int i = 0; i < 34; ++i)
            fill(grid(), i * Block + 2, "1=3 32=2");
        doc->setPointsMode(true);
        PersonPage page(*doc, *prompts);
        QSignalSpy single(&grid(), &ClassGrid::cellChanged);
        QSignalSpy bulk(&grid(), &ClassGrid::cellsChanged);
        int signalsDuringWalk = 0;
        page.applyToAllPersons([&](int) {
            signalsDuringWalk = qMax(signalsDuringWalk, int(single.count() + bulk.count()));
        });
        QCOMPARE(grid().cell(45, 33 * Block + 2).isEmpty(), false);
        QCOMPARE(single.count(), 0);
        QVERIFY(bulk.count() >= 1 && bulk.count() <= 2); // the shown person, then the walk
        QVERIFY(signalsDuringWalk <= 1);
    }

    void levelHeadingDefault()
    {
        // From sheet 2 on, a selected written result (even column 32..40) gets "Niveau?" beside
        // it unless a heading is there; the next key stores it.
        fill(grid(), 614, "37=E-Kurs");
        SubjectSheet first(*doc, 1), last(*doc, 14);
        for (SubjectSheet *sheet : {&first, &last}) {
            sheet->show();
            for (int c : {30, 32, 33, 36, 40, 42})
                sheet->select(c, 3);
            sheet->edit(1, 0, QStringLiteral("KA"));
        }
        const QString levels = QStringLiteral("31= 33= 34= 35= 37= 39= 41=");
        QCOMPARE(read(grid(), 601, levels), levels);
        QCOMPARE(read(grid(), 614, levels), "31= 33=Niveau? 34= 35= 37=E-Kurs 39= 41=Niveau?");
        QCOMPARE(last.table().cell(43, 0), QString());
    }

    void keyFilterAndHalfDownFinal()
    {
        // Per column 0..45: '-' not editable, 'd' digits only, 'a' any key.
        const auto keys = [](const SheetLogic &logic, int row) {
            QString keys;
            for (int c = 0; c < 46; ++c)
                keys +=
                    logic.isEditable(c, row) ? (logic.takesDigitsOnly(c, row) ? u'd' : u'a') : u'-';
            return keys;
        };
        const QString results = QString(32, u'd') + QStringLiteral("ad").repeated(6) + u'a';
        SubjectSheet sheet(*doc, 3);
        PersonPage page(*doc, *prompts);
        QCOMPARE(keys(sheet, 0), u'-' + QString(45, u'a')); // topics
        QCOMPARE(keys(sheet, 34), u'-' + results);
        QCOMPARE(keys(sheet, 35), QString(46, u'-')); // end of list
        QCOMPARE(keys(page, 0), u'-' + results);      // weights
        QCOMPARE(keys(page, 14), u'a' + results);
        QCOMPARE(keys(page, 15), QString(46, u'-')); // carried row

        // Half-down at 50:50, oral 2 and written 3: both screens keep the final 2.5 down.
        doc->setHalfDown(true);
        doc->setSliderPosition(0);
        sheet.show();
        sheet.edit(1, 1, QStringLiteral("2"));
        sheet.edit(32, 1, QStringLiteral("3"));
        QCOMPARE(read(grid(), 3, "31= 43= 44="), "31=2 43=3 44=2");
        PersonPage(*doc, *prompts).commit();
        QCOMPARE(grid().cell(44, 3), "2");
    }

    void fieldsAndSubjects()
    {
        PersonPage page(*doc, *prompts);
        const QString typed = page.setField(PersonPage::Class, QStringLiteral("a.b\\c:d/e?"));
        QCOMPARE(typed + u'|' + grid().cell(1, dataRow(0)), "abcde|abcde");
        page.edit(0, 3, QStringLiteral("Mathe"));
        QVERIFY(!page.noticeRequested());
        page.edit(2, 0, QStringLiteral("3")); // a weight, typed while person 1 is shown
        QVERIFY(page.noticeRequested());
        for (int n = 0; n < ClassDocument::PersonCount; ++n)
            QCOMPARE(grid().cell(2, n * Block), "3");
        page.show(2); // the subject names stay with the page, not with the person
        QCOMPARE(page.subjectCaption(3) + u'|' + page.subjectCaption(4), "Mathe|Fach 4");
    }

    void navigationAndMoves()
    {
        addPersons(*doc, 34);
        fill(grid(), dataRow(4), "1=7b 2=2024/25");
        fill(grid(), dataRow(33), "1=7b 2=2024/25");
        fill(grid(), dataRow(6), "1=8a 2=2019/20");
        fill(grid(), 6 * Block + 2, "7=4");
        PersonPage page(*doc, *prompts);
        const quint64 revision = grid().revision();
        page.show(33);
        page.forward();
        page.moveDown();
        page.show(0);
        page.moveUp();
        QCOMPARE(grid().revision(), revision); // nothing moves at the ends

        // Going forward hands on the school year, and the class where none is set.
        page.show(4);
        page.forward();
        page.forward();
        QCOMPARE(page.listPosition(), 7);
        QCOMPARE(read(grid(), dataRow(5), "1= 2=") + u' ' + read(grid(), dataRow(6), "1= 2="),
                 "1=7b 2=2024/25 1=8a 2=2024/25");
        page.moveUp();
        QCOMPARE(page.field(PersonPage::Name) + page.table().cell(7, 2), "P74");
        QCOMPARE(names(grid(), 8), "P1,P2,P3,P4,P5,P7,P6,P8");
        page.moveDown();
        QCOMPARE(page.current(), 6);
        QCOMPARE(names(grid(), 8), "P1,P2,P3,P4,P5,P6,P7,P8");

        doc->setSaved(true);
        page.select(3, 5);
        page.deleteCurrent();
        QVERIFY(!doc->isSaved());
        QCOMPARE(std::pair(page.current(), page.cursor()), std::pair(5, QPoint(1, 5)));
        QCOMPARE(names(grid(), 8), "P1,P2,P3,P4,P5,P6,P8,P9");
        page.insertFreeSlot();
        QCOMPARE(std::pair(page.current(), page.cursor()), std::pair(6, QPoint(1, 1)));
        QCOMPARE(names(grid(), 8), "P1,P2,P3,P4,P5,P6,,P8");
    }

    void weightingSwitchOff()
    {
        const QString weights = QStringLiteral("1=0 2=2 3=10 4=05 5=1 6= 33=G 44=9");
        for (int n = 0; n < ClassDocument::PersonCount; ++n)
            fill(grid(), n * Block, weights);
        PersonPage page(*doc, *prompts);
        page.setWeightingSwitch(true);
        QCOMPARE(grid().cell(10, 16), "Wichtung");
        prompts->yesNoAnswers = {false, true};
        page.setWeightingSwitch(false); // "no" keeps the weights
        QCOMPARE(grid().cell(10, 16) + read(grid(), 33 * Block, weights), weights);
        page.setWeightingSwitch(true);
        page.setWeightingSwitch(false); // "yes": "0" and all above "1" in text order become 1
        QCOMPARE(prompts->questions,
                 QStringList(2, "Sollen evtl. vorhandene Einzelgewichtungen gelöscht werden?"));
        QCOMPARE(read(grid(), 33 * Block, weights), "1=1 2=1 3=1 4=05 5=1 6= 33=1 44=9");
        QVERIFY(page.weightsActive());
        page.edit(4, 0, QStringLiteral("1"));
        QVERIFY(!page.weightsActive());
    }

    void newSchoolYearAndLearningGroup()
    {
        addPersons(*doc, 3);
        fill(grid(), Block + 3, "5=2");
        PersonPage page(*doc, *prompts);
        page.setSliderPosition(4);
        page.show(1);
        page.clearNotice();
        doc->setSaved(true);
        const quint64 revision = grid().revision();
        prompts->yesNoAnswers = {false, true, true, false};
        QVERIFY(!page.startNewSchoolYear());
        QCOMPARE(grid().revision(), revision);
        QVERIFY(page.startNewSchoolYear());
        QVERIFY(!doc->isSaved());
        QCOMPARE(grid().cell(5, Block + 3) + page.table().cell(5, 3), QString());

        // The class is unsaved now: a new learning group first offers to save it.
        QVERIFY(!page.startNewLearningGroup());
        QCOMPARE(names(grid(), 1) + QString::number(page.current()), "P11");
        QVERIFY(!page.noticeRequested());
        QVERIFY(page.startNewLearningGroup()); // changes discarded
        QCOMPARE(
            prompts->questions.mid(2),
            QStringList(2, "Sollen die Änderungen an der aktuellen Datei gespeichert werden?"));
        QCOMPARE(names(grid(), 1) + QString::number(page.current()), "0");
        QVERIFY(doc->isSaved() && page.noticeRequested());
        QCOMPARE(doc->sliderPosition(), 2);
        QVERIFY(page.startNewLearningGroup()); // a saved class is not asked about
        QCOMPARE(prompts->questions.size(), 4);
    }
};

QTEST_GUILESS_MAIN(GradeSheetsTest)
#include "tst_gradesheets.moc"
