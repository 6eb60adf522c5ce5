// Counting missed lessons, the date proposal and clearing a half-year of the course book.

#include "classdata/classdocument.h"
#include "coursebook/coursebooksheet.h"
#include "testsupport.h"

#include <QLocale>
#include <QtTest>

namespace {

const QDate Today(2026, 12, 6);

QString todayText()
{
    return QLocale::system().toString(Today, QLocale::ShortFormat);
}

} // namespace

class TestCourseBook : public QObject
{
    Q_OBJECT

private slots:
    void countsAbsences_data();
    void countsAbsences();
    void writesBackBothHalvesApart();
    void proposesTodayOnce();
    void doubleLessonMarks();
    void clearingOneHalfKeepsTheOther();
    void olderEntriesInTotalColumns();
    void recountAfterPersonsMoved();
};

void TestCourseBook::countsAbsences_data()
{
    QTest::addColumn<QStringList>("entries"); // lesson columns 3, 4, 5
    QTest::addColumn<bool>("doubleFirst");
    QTest::addColumn<QString>("total");
    QTest::addColumn<QString>("unexcused");
    QTest::newRow("F in a double lesson") << QStringList{"F", "", ""} << true << "2"
                                          << "2";
    QTest::newRow("e in a single lesson") << QStringList{"e", "", ""} << false << "1"
                                          << "";
    QTest::newRow("late and present") << QStringList{"2", "1", ""} << true << ""
                                      << "";
    QTest::newRow("mixed") << QStringList{"f", "E", "F"} << true << "4"
                           << "3";
    QTest::newRow("other text") << QStringList{"FE", "x", "krank"} << false << ""
                                << "";
}

void TestCourseBook::countsAbsences()
{
    QFETCH(QStringList, entries);
    QFETCH(bool, doubleFirst);
    QFETCH(QString, total);
    QFETCH(QString, unexcused);

    ClassDocument document;
    if (doubleFirst)
        document.grid().setCell(3 + 46, 578, QStringLiteral("d"));
    CourseBookSheet sheet(document, 1);
    sheet.show(Today);
    for (int k = 0; k < entries.size(); ++k)
        sheet.edit(3 + k, 2, entries[k]);
    // The totals reach the class with the same key that changed them.
    QCOMPARE(document.grid().cell(47, 16), total);
    QCOMPARE(document.grid().cell(48, 16), unexcused);
    QCOMPARE(sheet.table().cell(1, 2), total);
}

void TestCourseBook::writesBackBothHalvesApart()
{
    ClassDocument document;
    document.grid().setCell(0, 33, QStringLiteral("Bauer, Lina"));
    CourseBookSheet first(document, 1);
    CourseBookSheet second(document, 2);
    first.show(Today);
    second.show(Today);
    QCOMPARE(first.table().cell(0, 3), QStringLiteral("2. Bauer, Lina"));
    QCOMPARE(first.table().cell(0, 2), QString());

    second.edit(10, 3, QStringLiteral("F"));
    second.edit(10, 1, QStringLiteral("Bruchrechnung"));
    QCOMPARE(document.grid().cell(117, 33), QStringLiteral("F"));
    QCOMPARE(document.grid().cell(108, 33), QStringLiteral("1"));
    QCOMPARE(document.grid().cell(117, 599), QStringLiteral("Bruchrechnung"));
    QCOMPARE(document.grid().cell(117, 1), QStringLiteral("Bruchrechnung")); // the copy
    QCOMPARE(document.grid().cell(56, 33), QString());
    QCOMPARE(document.grid().cell(47, 33), QString());
    QCOMPARE(document.grid().cell(107, 598), QStringLiteral(" Datum:"));
}

void TestCourseBook::proposesTodayOnce()
{
    ClassDocument document;
    document.grid().setCell(49, 598, QStringLiteral("01.12.26"));
    CourseBookSheet sheet(document, 1);
    sheet.show(Today);
    QCOMPARE(sheet.table().cell(4, 0), todayText());
    QCOMPARE(sheet.cursor(), QPoint(4, 1));
    sheet.edit(4, 1, QStringLiteral("Thema"));

    // Opened again the same day: no second column for it.
    sheet.show(Today);
    QCOMPARE(sheet.table().cell(5, 0), QString());
    QCOMPARE(sheet.cursor(), QPoint(5, 1));
}

void TestCourseBook::doubleLessonMarks()
{
    ClassDocument document;
    CourseBookSheet sheet(document, 2);
    sheet.show(Today);
    sheet.edit(3, 2, QStringLiteral("F"));
    DoubleLessonRow &doubles = sheet.doubleLessons();
    QVERIFY(!doubles.isEditable(2, 0));
    doubles.edit(3, 0, QStringLiteral("x"));
    // Both halves keep their marks at lesson column + 46, each in its own row.
    QCOMPARE(document.grid().cell(49, 579), QStringLiteral("D"));
    QCOMPARE(document.grid().cell(49, 578), QString());
    QCOMPARE(document.grid().cell(108, 16), QStringLiteral("2"));
    doubles.edit(3, 0, QString());
    QCOMPARE(document.grid().cell(108, 16), QStringLiteral("1"));
}

void TestCourseBook::clearingOneHalfKeepsTheOther()
{
    ClassDocument document;
    ClassGrid &grid = document.grid();
    grid.setCell(50, 578, QStringLiteral("D"));
    grid.setCell(50, 598, QStringLiteral("02.09.26"));
    grid.setCell(50, 16, QStringLiteral("F"));
    grid.setCell(111, 16, QStringLiteral("E"));
    grid.setCell(50, 579, QStringLiteral("D"));
    grid.setCell(0, 16, QStringLiteral("Albrecht, Paul"));
    CourseBookSheet first(document, 1);

    ScriptedPrompts prompts;
    prompts.yesNoAnswers << false << true;
    QVERIFY(!first.clearEntries(prompts, Today));
    QCOMPARE(grid.cell(50, 16), QStringLiteral("F"));
    QVERIFY(first.clearEntries(prompts, Today));
    QCOMPARE(prompts.questions.at(0),
             QStringLiteral("Dies wird die Einträge der ersten Kursliste löschen!\r \rSoll ich die "
                            "Einträge löschen?"));
    QCOMPARE(grid.cell(50, 16), QString());
    QCOMPARE(grid.cell(50, 598), QString());
    QCOMPARE(grid.cell(50, 578), QString());
    QCOMPARE(grid.cell(47, 16), QString());
    QCOMPARE(grid.cell(111, 16), QStringLiteral("E"));
    QCOMPARE(grid.cell(50, 579), QStringLiteral("D"));
    QCOMPARE(grid.cell(0, 16), QStringLiteral("Albrecht, Paul"));
}

void TestCourseBook::olderEntriesInTotalColumns()
{
    ClassDocument document;
    document.grid().setCell(47, 3 * 17 + 16, QStringLiteral("F"));
    CourseBookSheet sheet(document, 1);
    QVERIFY(sheet.show(Today));
    // Until the teacher decides, the old entry is not overwritten by a total.
    QCOMPARE(sheet.table().cell(1, 5), QStringLiteral("F"));
    // "Egal, weg damit": the totals take their place for good.
    sheet.writeBack();
    QCOMPARE(document.grid().cell(47, 3 * 17 + 16), QString());
    QVERIFY(!sheet.show(Today));
}

void TestCourseBook::recountAfterPersonsMoved()
{
    ClassDocument document;
    ClassGrid &grid = document.grid();
    grid.setCell(55, 33, QStringLiteral("F"));
    grid.setCell(55, 578, QStringLiteral("D"));
    grid.setCell(47, 33, QStringLiteral("7")); // stale
    grid.setCell(115, 50, QStringLiteral("e"));
    CourseBookSheet::recountClass(grid);
    QCOMPARE(grid.cell(47, 33), QStringLiteral("2"));
    QCOMPARE(grid.cell(48, 33), QStringLiteral("2"));
    QCOMPARE(grid.cell(108, 50), QStringLiteral("1"));
    QCOMPARE(grid.cell(109, 50), QString());
    QCOMPARE(grid.cell(47, 16), QString());
}

QTEST_GUILESS_MAIN(TestCourseBook)
#include "tst_coursebook.moc"
