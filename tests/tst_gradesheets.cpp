#include "classdata/classdocument.h"
#include "grades/personpage.h"
#include "grades/subjectsheet.h"
#include "testsupport.h"

#include <QtTest>

#include <memory>

namespace {

constexpr int Block = ClassDocument::BlockRows;

const auto dataRow = ClassDocument::dataRow;

// "c=text c=text ..." into one grid row.
void fill(ClassGrid &grid, int row, const QString &cells)
{
    for (const QString &pair : cells.split(u' ', Qt::SkipEmptyParts)) {
        const qsizetype eq = pair.indexOf(u'=');
        grid.setCell(pair.left(eq).toInt(), row, pair.mid(eq + 1));
    }
}

// The columns named in `cells`, read back from the grid in the same form.
QString read(const ClassGrid &grid, int row, const QString &cells)
{
    QStringList out;
    for (const QString &pair : cells.split(u' ', Qt::SkipEmptyParts)) {
        const QString column = pair.left(pair.indexOf(u'='));
        out << column + u'=' + grid.cell(column.toInt(), row);
    }
    return out.join(u' ');
}

// Names "P1".."Pn" in the first n slots.
void addPersons(ClassDocument &doc, int count)
{
    for (int i = 0; i < count; ++i)
        doc.grid().setCell(0, dataRow(i), QStringLiteral("P%1").arg(i + 1));
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

    void sheetShowsClass()
    {
        doc->setPointsMode(true);
        fill(grid(), dataRow(0), "0=Anna");
        fill(grid(), dataRow(2), "0=Carl");
        fill(grid(), 2 * Block + 14, "7=4 45=Ü8");
        fill(grid(), 1 * Block + 14, "3=5"); // a free slot may hold results
        fill(grid(), 2 * Block + 15, "8=9");
        fill(grid(), 614, "1=KA");
        fill(grid(), 613, "2=other");
        SubjectSheet sheet(*doc, 14);
        sheet.show();
        const SheetTable &t = sheet.table();
        QCOMPARE(QStringList({t.cell(0, 0), t.cell(0, 1), t.cell(0, 2), t.cell(0, 3), t.cell(0, 35)}),
                 QStringList({"Thema:", "1. Anna", "", "3. Carl", "Listenende!"}));
        QCOMPARE(QStringList({t.cell(7, 3), t.cell(45, 3), t.cell(3, 2), t.cell(8, 3), t.cell(1, 0), t.cell(2, 0)}),
                 QStringList({"4", "Ü8", "5", "", "KA", ""}));
        QCOMPARE(t.cell(44, 0) + u'|' + t.cell(45, 0), "Punkte|Note");
    }

    void sheetCursor()
    {
        for (int c = 1; c <= 42; ++c)
            grid().setCell(c, 605, c == 3 ? QString() : QStringLiteral("T"));
        SubjectSheet sheet(*doc, 5);
        sheet.show();
        QCOMPARE(sheet.cursor(), QPoint(3, 0));
        grid().setCell(3, 605, QStringLiteral("T"));
        sheet.show();
        QCOMPARE(sheet.cursor(), QPoint(43, 0));
    }

    void sheetStoresTypedResult()
    {
        SubjectSheet sheet(*doc, 4);
        sheet.show();
        QVERIFY(doc->isSaved());
        sheet.edit(5, 2, QStringLiteral("3"));
        QVERIFY(!doc->isSaved());
        QCOMPARE(read(grid(), 21, "5= 31= 43= 44="), "5=3 31=3 43= 44=");
        // Neither the neighbouring subject nor the neighbouring persons get it.
        QCOMPARE(grid().cell(5, 20) + grid().cell(5, 38) + grid().cell(5, 4), QString());
        sheet.edit(5, 2, QString());
        QCOMPARE(read(grid(), 21, "5= 31="), "5= 31=");
    }

    void sheetStoresTopicsOnly()
    {
        SubjectSheet sheet(*doc, 6);
        sheet.show();
        for (int c : {1, 42, 43, 44, 45})
            sheet.edit(c, 0, QStringLiteral("T"));
        QCOMPARE(read(grid(), 606, "1= 42= 43= 44= 45="), "1=T 42=T 43= 44= 45=");
        QCOMPARE(sheet.table().cell(43, 0), "T");
        sheet.show();
        const SheetTable &t = sheet.table();
        QCOMPARE(QStringList({t.cell(42, 0), t.cell(43, 0), t.cell(44, 0), t.cell(45, 0)}),
                 QStringList({"T", "", "Note", "Notensyst."}));
    }

    void levelHeadingDefault()
    {
        fill(grid(), 614, "37=E-Kurs");
        SubjectSheet first(*doc, 1);
        SubjectSheet last(*doc, 14);
        first.show();
        last.show();
        for (int c : {30, 32, 33, 36, 40, 42}) {
            first.select(c, 3);
            last.select(c, 3);
        }
        // The next key in the sheet stores the defaults.
        first.edit(1, 0, QStringLiteral("KA"));
        last.edit(1, 0, QStringLiteral("KA"));
        const QString levels = QStringLiteral("31= 33= 34= 35= 37= 39= 41=");
        QCOMPARE(read(grid(), 601, levels), levels);
        QCOMPARE(read(grid(), 614, levels), "31= 33=Niveau? 34= 35= 37=E-Kurs 39= 41=Niveau?");
        QCOMPARE(last.table().cell(43, 0), QString());
    }

    void keyFilter_data()
    {
        QTest::addColumn<bool>("page");
        QTest::addColumn<int>("row");
        QTest::addColumn<QString>("keys");
        // Per column 0..45: '-' not editable, 'd' digits only, 'a' any key.
        const QString results = QString(32, u'd') + QStringLiteral("ad").repeated(6) + u'a';
        QTest::newRow("sheet: heading") << false << 0 << u'-' + QString(45, u'a');
        QTest::newRow("sheet: person") << false << 34 << u'-' + results;
        QTest::newRow("sheet: end row") << false << 35 << QString(46, u'-');
        QTest::newRow("page: weights") << true << 0 << u'-' + results;
        QTest::newRow("page: subject") << true << 14 << u'a' + results;
        QTest::newRow("page: carried row") << true << 15 << QString(46, u'-');
    }
    void keyFilter()
    {
        QFETCH(bool, page);
        QFETCH(int, row);
        SubjectSheet sheet(*doc, 2);
        PersonPage personPage(*doc, *prompts);
        const SheetLogic &logic = page ? static_cast<const SheetLogic &>(personPage) : sheet;
        QString keys;
        for (int c = 0; c < 46; ++c)
            keys += !logic.isEditable(c, row) ? u'-' : logic.takesDigitsOnly(c, row) ? u'd' : u'a';
        QTEST(keys, "keys");
    }

    void uncountedColour()
    {
        fill(grid(), 2, "2=2 3=x 33=G 34=2- 45=Ü8"); // as if pasted
        fill(grid(), 602, "3=x");
        SubjectSheet sheet(*doc, 2);
        sheet.show();
        QStringList marked;
        for (int c = 0; c < 46; ++c)
            if (sheet.foreground(c, 1) == SheetLogic::Uncounted)
                marked << QString::number(c);
        QCOMPARE(marked, QStringList({"3", "34"}));
        QCOMPARE(sheet.foreground(3, 0), QColor(Qt::black));
    }

    void halfDownFinalOnBothScreens()
    {
        // Grade mode with half-down at 50:50, oral shown 2 and written 3: the final 2.5 is
        // kept down on both screens, so whichever computed last, the class holds "2".
        doc->setHalfDown(true);
        doc->setSliderPosition(0);
        addPersons(*doc, 1);
        SubjectSheet sheet(*doc, 3);
        sheet.show();
        sheet.edit(1, 1, QStringLiteral("2"));
        sheet.edit(32, 1, QStringLiteral("3"));
        QCOMPARE(read(grid(), 3, "31= 43="), "31=2 43=3");
        QCOMPARE(grid().cell(44, 3), "2");
        PersonPage page(*doc, *prompts);
        page.show(0);
        page.commit();
        QCOMPARE(grid().cell(44, 3), "2");
    }

    void classField()
    {
        PersonPage page(*doc, *prompts);
        page.show(3);
        QCOMPARE(page.setField(PersonPage::Class, QStringLiteral("8a")), "8a");
        QVERIFY(prompts->messages.isEmpty());
        QVERIFY(!doc->isSaved());
        QCOMPARE(page.setField(PersonPage::Class, QStringLiteral("7/b?")), "7b");
        QCOMPARE(page.setField(PersonPage::Class, QStringLiteral("a.b\\c:d")), "abcd");
        QCOMPARE(grid().cell(1, dataRow(3)), "abcd");
        QCOMPARE(prompts->messages, QStringList(2, QStringLiteral("Keine Sonderzeichen, bitte!")));
    }

    void forwardCarriesClassAndYear()
    {
        fill(grid(), dataRow(4), "1=7b 2=2024/25");
        fill(grid(), dataRow(6), "1=8a 2=2019/20");
        PersonPage page(*doc, *prompts);
        page.show(4);
        page.forward();
        page.forward();
        QCOMPARE(page.listPosition(), 7);
        QCOMPARE(read(grid(), dataRow(5), "1= 2="), "1=7b 2=2024/25");
        QCOMPARE(read(grid(), dataRow(6), "1= 2="), "1=8a 2=2024/25");
    }

    void navigationAndMoves()
    {
        addPersons(*doc, 34);
        fill(grid(), dataRow(33), "1=7b 2=2024/25");
        fill(grid(), 5 * Block + 2, "7=4");
        PersonPage page(*doc, *prompts);
        const quint64 revision = grid().revision();
        page.show(33);
        page.forward();
        page.moveDown();
        QCOMPARE(page.field(PersonPage::Name), "P34");
        page.show(0);
        page.back();
        page.moveUp();
        QCOMPARE(page.field(PersonPage::Name), "P1");
        QCOMPARE(grid().revision(), revision); // nothing moved at the ends
        page.show(5);
        page.moveUp();
        QCOMPARE(page.current(), 4);
        QCOMPARE(page.field(PersonPage::Name) + page.table().cell(7, 2), "P64");
        QCOMPARE(grid().cell(0, dataRow(5)), "P5");
        page.moveDown();
        QCOMPARE(page.current(), 5);
        QCOMPARE(grid().cell(0, dataRow(4)) + grid().cell(0, dataRow(5)), "P5P6");
    }

    void pageEditsReachTheClass()
    {
        addPersons(*doc, 6);
        PersonPage page(*doc, *prompts);
        page.show(4);
        QCOMPARE(page.subjectCaption(3), "Fach 3");
        page.edit(0, 3, QStringLiteral("Mathe"));
        QCOMPARE(page.subjectCaption(3), "Mathe");
        QCOMPARE(page.subjectCaption(4), "Fach 4");
        QCOMPARE(doc->rowLabels().value(3), "Mathe");
        QVERIFY(!page.noticeRequested());
        page.edit(2, 0, QStringLiteral("3")); // a weight, typed while person 5 is shown
        QVERIFY(page.noticeRequested());
        for (int n = 0; n < ClassDocument::PersonCount; ++n)
            QCOMPARE(grid().cell(2, n * Block), "3");
        page.show(2); // the subject names stay with the page, not with the person
        QCOMPARE(page.subjectCaption(3), "Mathe");
    }

    void deleteAndInsertKeepClassCells()
    {
        addPersons(*doc, 5);
        fill(grid(), 16, "10=Wichtung");
        fill(grid(), 33, "8=4");
        doc->setSaved(true);
        const auto names = [this] {
            QStringList names;
            for (int i = 0; i < 6; ++i)
                names << grid().cell(0, dataRow(i));
            return names.join(u',');
        };
        PersonPage page(*doc, *prompts);
        page.show(0);
        page.select(3, 5);
        page.deleteCurrent();
        QVERIFY(!doc->isSaved());
        QCOMPARE(page.field(PersonPage::Name), "P2");
        QCOMPARE(page.cursor(), QPoint(1, 5));
        page.show(2);
        page.deleteCurrent();
        QCOMPARE(page.current(), 1);
        QCOMPARE(names(), "P2,P3,P5,,,");
        page.insertFreeSlot();
        QCOMPARE(page.current(), 2);
        QCOMPARE(page.field(PersonPage::Name), QString());
        QCOMPARE(page.cursor(), QPoint(1, 1));
        QCOMPARE(names(), "P2,P3,,P5,,");
        QCOMPARE(grid().cell(10, 16) + grid().cell(8, 33), "Wichtung4");
    }

    void weightingSwitchOff_data()
    {
        QTest::addColumn<QString>("weights");
        QTest::addColumn<bool>("answer");
        QTest::addColumn<QString>("after");
        QTest::addColumn<bool>("active");
        QTest::newRow("yes: 0 and above 1 become 1") << "1=0 2=2 3=10 4=05 5=1 6= 33=G 44=9"
            << true << "1=1 2=1 3=1 4=05 5=1 6= 33=1 44=9" << true;
        QTest::newRow("yes: all back to 1") << "1=0 2=7 32=1" << true << "1=1 2=1 32=1" << false;
        QTest::newRow("no keeps them") << "1=0 2=2 3=10" << false << "1=0 2=2 3=10" << true;
    }
    void weightingSwitchOff()
    {
        QFETCH(QString, weights);
        QFETCH(bool, answer);
        QFETCH(QString, after);
        addPersons(*doc, 2);
        for (int n = 0; n < ClassDocument::PersonCount; ++n)
            fill(grid(), n * Block, weights);
        PersonPage page(*doc, *prompts);
        page.show(0);
        page.setWeightingSwitch(true);
        QCOMPARE(grid().cell(10, 16), "Wichtung");
        QVERIFY(prompts->questions.isEmpty());
        prompts->yesNoAnswers = {answer};
        page.setWeightingSwitch(false);
        QCOMPARE(prompts->questions,
                 QStringList{QStringLiteral("Sollen evtl. vorhandene Einzelgewichtungen gelöscht werden?")});
        QCOMPARE(grid().cell(10, 16), QString());
        QCOMPARE(read(grid(), 0, weights), after);
        QCOMPARE(read(grid(), 33 * Block, weights), after);
        QTEST(page.weightsActive(), "active");
    }

    void newSchoolYearDeclined()
    {
        addPersons(*doc, 2);
        fill(grid(), dataRow(1), "1=7b");
        fill(grid(), Block + 3, "5=2");
        PersonPage page(*doc, *prompts);
        page.show(1);
        doc->setSaved(true);
        const quint64 revision = grid().revision();
        prompts->yesNoAnswers = {false};
        QVERIFY(!page.startNewSchoolYear());
        QCOMPARE(prompts->questions.size(), 1);
        QVERIFY(doc->isSaved());
        QCOMPARE(grid().revision(), revision);
    }

    void newLearningGroup_data()
    {
        QTest::addColumn<bool>("unsaved");
        QTest::addColumn<bool>("answer");
        QTest::addColumn<bool>("started");
        QTest::newRow("unsaved, save first") << true << true << false;
        QTest::newRow("unsaved, discard") << true << false << true;
        QTest::newRow("saved") << false << true << true;
    }
    void newLearningGroup()
    {
        QFETCH(bool, unsaved);
        QFETCH(bool, answer);
        QFETCH(bool, started);
        addPersons(*doc, 3);
        PersonPage page(*doc, *prompts);
        page.setSliderPosition(4);
        page.show(2);
        page.clearNotice();
        doc->setSaved(!unsaved);
        prompts->yesNoAnswers = {answer};
        QCOMPARE(page.startNewLearningGroup(), started);
        QCOMPARE(prompts->questions.size(), unsaved ? 1 : 0);
        if (unsaved)
            QCOMPARE(prompts->questions.first(), "Sollen die Änderungen an der aktuellen Datei gespeichert werden?");
        QCOMPARE(grid().cell(0, dataRow(0)), started ? "" : "P1");
        QCOMPARE(page.current(), started ? 0 : 2);
        QCOMPARE(doc->isSaved(), started || !unsaved);
        QCOMPARE(doc->sliderPosition(), started ? 2 : 4);
        QCOMPARE(page.noticeRequested(), started);
    }
};

QTEST_GUILESS_MAIN(GradeSheetsTest)
#include "tst_gradesheets.moc"
