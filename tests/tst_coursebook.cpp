// Counting missed lessons, the date proposal and clearing a half-year of the course book.

#include "classdata/classdocument.h"
#include "classdata/displaylocale.h"
#include "coursebook/coursebooksheet.h"
#include "person/personpage.h"
#include "testsupport.h"

#include <QLocale>
#include <QtTest>

namespace {

const QDate Today(2026, 12, 6);

// The given cells of one grid row, joined by '|'.
QString cells(const ClassGrid &grid, int row, std::initializer_list<int> columns)
{
    QStringList out;
    for (int c : columns)
        out << grid.cell(c, row);
    return out.join(u'|');
}

} // namespace

class TestCourseBook : public QObject
{
    Q_OBJECT

private slots:
    void initTestCase() { DisplayLocale::install(QLocale(QStringLiteral("en_GB"))); }

    void countsAbsences_data()
    {
        QTest::addColumn<QStringList>("entries"); // lesson columns 3, 4, 5
        QTest::addColumn<bool>("doubleFirst");
        QTest::addColumn<QString>("totals"); // all missed | unexcused
        QTest::newRow("F in a double lesson") << QStringList{"F", "", ""} << true << "2|2";
        QTest::newRow("e in a single lesson") << QStringList{"e", "", ""} << false << "1|";
        QTest::newRow("late and present") << QStringList{"2", "1", ""} << true << "|";
        QTest::newRow("mixed") << QStringList{"f", "E", "F"} << true << "4|3";
        QTest::newRow("other text") << QStringList{"FE", "x", "krank"} << false << "|";
    }

    void countsAbsences()
    {
        QFETCH(QStringList, entries);
        QFETCH(bool, doubleFirst);
        QFETCH(QString, totals);
        ClassDocument document;
        if (doubleFirst)
            document.grid().setCell(3 + 46, 578, QStringLiteral("d"));
        CourseBookSheet sheet(document, 1);
        sheet.show(Today);
        for (int k = 0; k < entries.size(); ++k)
            sheet.edit(3 + k, 2, entries[k]);
        // The totals reach the class with the same key that changed them.
        QCOMPARE(cells(document.grid(), 16, {47, 48}), totals);
        QCOMPARE(sheet.table().cell(1, 2), totals.section(u'|', 0, 0));
    }

    void bothHalvesApartAndTodayProposedOnce()
    {
        ClassDocument document;
        const ClassGrid &grid = document.grid();
        document.grid().setCell(0, 33, QStringLiteral("Bauer, Lina"));
        document.grid().setCell(49, 598, QStringLiteral("01.12.26"));
        CourseBookSheet first(document, 1), second(document, 2);
        first.show(Today);
        second.show(Today);
        QCOMPARE(first.table().cell(0, 2) + u'|' + first.table().cell(0, 3), "|2. Bauer, Lina");
        QCOMPARE(first.table().cell(4, 0), DisplayLocale::shortDate(Today));
        QCOMPARE(first.cursor(), QPoint(4, 1));
        first.edit(4, 1, QStringLiteral("Thema"));
        // Opened again the same day, however its date was written: no second column for it.
        document.grid().setCell(50, 598, QStringLiteral(" 6.12.26"));
        first.show(Today);
        QCOMPARE(first.table().cell(5, 0), QString());
        QCOMPARE(first.cursor(), QPoint(5, 1));

        second.edit(10, 3, QStringLiteral("F"));
        second.edit(10, 1, QStringLiteral("Bruchrechnung"));
        QCOMPARE(cells(grid, 33, {117, 108, 56, 47}), "F|1||");
        QCOMPARE(grid.cell(117, 599) + u'|' + grid.cell(117, 1), "Bruchrechnung|Bruchrechnung");
        QCOMPARE(grid.cell(107, 598), " Datum:");
    }

    void doubleLessonMarks()
    {
        ClassDocument document;
        CourseBookSheet sheet(document, 2);
        sheet.show(Today);
        sheet.edit(3, 2, QStringLiteral("F"));
        DoubleLessonRow &doubles = sheet.doubleLessons();
        QVERIFY(!doubles.isEditable(2, 0));
        doubles.edit(3, 0, QStringLiteral("x"));
        // Both halves keep their marks at lesson column + 46, each in its own row.
        QCOMPARE(document.grid().cell(49, 579) + u'|' + document.grid().cell(49, 578), "D|");
        const QString doubled = document.grid().cell(108, 16);
        doubles.edit(3, 0, QString());
        QCOMPARE(doubled + u'|' + document.grid().cell(108, 16), "2|1");
    }

    void clearingOneHalfKeepsTheOther()
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
        QCOMPARE(grid.cell(50, 16), "F");
        QVERIFY(first.clearEntries(prompts, Today));
        QCOMPARE(prompts.questions.at(0), "Dies wird die Einträge der ersten Kursliste löschen!\r "
                                          "\rSoll ich die Einträge löschen?");
        QCOMPARE(cells(grid, 16, {50, 47, 111, 0}), "||E|Albrecht, Paul");
        QCOMPARE(grid.cell(50, 598) + grid.cell(50, 578) + u'|' + grid.cell(50, 579), "|D");
    }

    void olderEntriesInTotalColumns()
    {
        ClassDocument document;
        document.grid().setCell(47, 3 * 17 + 16, QStringLiteral("F"));
        CourseBookSheet sheet(document, 1);
        QVERIFY(sheet.show(Today));
        // Until the teacher decides, the old entry is not overwritten by a total.
        QCOMPARE(sheet.table().cell(1, 5), "F");
        sheet.writeBack(); // "Egal, weg damit": the totals take their place for good
        QCOMPARE(document.grid().cell(47, 3 * 17 + 16), QString());
        QVERIFY(!sheet.show(Today));
    }

    void recountAfterDeleteAndInsert()
    {
        ClassDocument document;
        ScriptedPrompts prompts;
        ClassGrid &grid = document.grid();
        for (int i = 0; i < 3; ++i)
            grid.setCell(0, ClassDocument::dataRow(i), QStringLiteral("P%1").arg(i + 1));
        grid.setCell(49, 579, QStringLiteral("D")); // lesson column 3 of the second half
        grid.setCell(110, ClassDocument::dataRow(1), QStringLiteral("F"));
        grid.setCell(111, ClassDocument::dataRow(1), QStringLiteral("e"));
        grid.setCell(110, ClassDocument::dataRow(2), QStringLiteral("F"));
        grid.setCell(55, 578, QStringLiteral("D")); // and one of the first half
        grid.setCell(55, ClassDocument::dataRow(1), QStringLiteral("F"));
        grid.setCell(47, ClassDocument::dataRow(1), QStringLiteral("7")); // stale
        PersonPage page(document, prompts);
        page.deleteCurrent(); // P2 and P3 move up one place
        QCOMPARE(cells(grid, ClassDocument::dataRow(0), {47, 48, 108, 109}), "2|2|3|2");
        QCOMPARE(cells(grid, ClassDocument::dataRow(1), {47, 48, 108, 109}), "||2|2");
        page.insertFreeSlot(); // a gap after P2; P3 moves down again
        QCOMPARE(grid.cell(0, ClassDocument::dataRow(2)), QStringLiteral("P3"));
        QCOMPARE(cells(grid, ClassDocument::dataRow(2), {47, 48, 108, 109}), "||2|2");
        QCOMPARE(cells(grid, ClassDocument::dataRow(1), {47, 48, 108, 109}), "|||");
    }
};

QTEST_GUILESS_MAIN(TestCourseBook)
#include "tst_coursebook.moc"
