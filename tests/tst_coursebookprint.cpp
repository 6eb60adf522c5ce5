#include "classdata/classdocument.h"
#include "classdata/displaylocale.h"
#include "reports/coursebookprint.h"

#include <QtTest>

namespace {

// Names the persons listed, dates the lesson columns listed and marks double lessons, then
// prepares the print; an invalid `shownOn` proposes no date.
CourseBookPrintout print(ClassDocument &document, int halfYear, QList<int> persons,
                         QList<int> dates, QList<int> doubles, bool contentShown = true,
                         QDate shownOn = {})
{
    ClassGrid &grid = document.grid();
    for (int person : persons)
        grid.setCell(0, ClassDocument::dataRow(person), "Anna");
    grid.setCell(1, ClassDocument::dataRow(0), "7b");
    for (int column : dates) {
        grid.setCell(column + (halfYear == 1 ? 46 : 107), 598, "01.09.26");
        grid.setCell(column + (halfYear == 1 ? 46 : 107), 599, "Thema");
    }
    for (int column : doubles)
        grid.setCell(column + 46, halfYear == 1 ? 578 : 579, "D");
    // Attendance beyond the last person and the last date is not printed.
    grid.setCell(150, ClassDocument::dataRow(33), "F");
    CourseBookPrint print(document, halfYear, "Mathe");
    print.setContentRowShown(contentShown);
    print.setShownOn(shownOn);
    return print.prepare();
}

} // namespace

class CourseBookPrintTest : public QObject
{
    Q_OBJECT

private slots:
    void trimsColumnsAndRowsAndSetsMargins()
    {
        auto shape = [](int halfYear, QList<int> persons, QList<int> dates) {
            ClassDocument document;
            const CourseBookPrintout out = print(document, halfYear, persons, dates, {});
            return QString("%1 %2 %3 %4")
                .arg(out.table.columnCount())
                .arg(out.table.rowCount())
                .arg(out.document.page.margins.top)
                .arg(out.document.page.margins.left);
        };
        QCOMPARE(shape(1, {0, 1, 3}, {3, 4, 10}), "11 6 50 50");
        QCOMPARE(shape(2, {}, {}), "3 3 50 50");
        QCOMPARE(shape(1, {26}, {42}), "43 29 30 20");
    }

    void hiddenContentRowOnlyLeavesTheDocument()
    {
        ClassDocument document;
        const CourseBookPrintout out = print(document, 2, {0, 1}, {3}, {}, false);
        QCOMPARE(out.heading.title + " / " + out.documentName, "Kursbuch 2. HJ. / Mathe, 7b");
        QCOMPARE(out.table.cell(3, 1), "Thema");
        const std::vector<int> kept = out.document.table.keptRows();
        QCOMPARE(QList<int>(kept.begin(), kept.end()), QList<int>({0, 2, 3}));
        QVERIFY(print(document, 2, {}, {}, {}).document.table.removedRows.empty());
    }

    void doubleLessonDatesBoldAndUnderlined()
    {
        ClassDocument document;
        // 5 is marked without a date, 6 dated without a mark; row 578 belongs to the 1st half.
        document.grid().setCell(6 + 46, 578, "D");
        const auto table = print(document, 2, {0}, {3, 4, 6, 8}, {4, 5, 8}).document.table;
        QStringList marked;
        for (int column = 0; column < table.grid.columnCount(); ++column) {
            const auto format = table.formatOf(column, 0);
            if (format.bold || format.underline)
                marked << QString("%1%2%3")
                              .arg(column)
                              .arg(format.bold ? "b" : "")
                              .arg(format.underline ? "u" : "");
        }
        QCOMPARE(marked.join(' '), "4bu 8bu");
    }

    void classStaysUntouched()
    {
        ClassDocument document;
        print(document, 1, {0, 1}, {3, 4}, {4});
        document.grid().setCell(4 + 46, ClassDocument::dataRow(1), "E");
        const quint64 revision = document.grid().revision();
        const QDate today(2026, 12, 6);
        const CourseBookPrintout out = print(document, 1, {}, {}, {}, true, today);
        // Printed as on screen: with the proposed date and the counted totals.
        QCOMPARE(out.table.cell(5, 0), DisplayLocale::shortDate(today));
        QCOMPARE(out.table.cell(1, 3), "2");
        QCOMPARE(document.grid().revision(), revision);
    }
};

QTEST_GUILESS_MAIN(CourseBookPrintTest)
#include "tst_coursebookprint.moc"
