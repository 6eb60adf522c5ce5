#include "classdata/classdocument.h"
#include "classdata/displaylocale.h"
#include "reports/coursebookprint.h"
#include "testsupport.h"

#include <QtTest>

namespace {

// Where the class keeps the course book of each half-year.
int offset(int halfYear)
{
    return halfYear == 1 ? 46 : 107;
}
int doubleRow(int halfYear)
{
    return halfYear == 1 ? 578 : 579;
}

// Persons by the '|'-separated names (an empty name leaves a gap), dates in the given
// lesson columns ("column=date ..."), double-lesson marks in the given columns.
void fillClass(ClassDocument &document, int halfYear, const QString &names, const QString &dates,
               const QList<int> &doubles = {})
{
    ClassGrid &grid = document.grid();
    const QStringList list = names.split('|');
    for (int i = 0; i < list.size(); ++i)
        grid.setCell(0, ClassDocument::dataRow(i), list[i]);
    grid.setCell(1, ClassDocument::dataRow(0), "7b");
    for (const QString &pair : dates.split(' ', Qt::SkipEmptyParts)) {
        const int column = pair.section('=', 0, 0).toInt();
        grid.setCell(column + offset(halfYear), 598, pair.section('=', 1));
        grid.setCell(column + offset(halfYear), 599, QString("Thema %1").arg(column));
    }
    for (int column : doubles)
        grid.setCell(column + 46, doubleRow(halfYear), "D");
}

CourseBookPrintout print(ClassDocument &document, int halfYear, bool contentShown = true)
{
    CourseBookPrint print(document, halfYear, "Mathe");
    print.setContentRowShown(contentShown);
    print.setShownOn(QDate());
    return print.prepare();
}

QString boldUnderlined(const ReportDocument::Table &table)
{
    QStringList columns;
    for (int column = 0; column < table.grid.columnCount(); ++column) {
        const auto format = table.formatOf(column, 0);
        if (format.bold || format.underline)
            columns << QString("%1%2%3")
                           .arg(column)
                           .arg(format.bold ? "b" : "")
                           .arg(format.underline ? "u" : "");
    }
    return columns.join(' ');
}

} // namespace

class CourseBookPrintTest : public QObject
{
    Q_OBJECT

private slots:
    void trimsTrailingColumnsAndRows_data();
    void trimsTrailingColumnsAndRows();
    void headingAndFixedTexts();
    void marginsFollowTheTableSize();
    void hiddenContentRowLeavesOnlyTheDocument();
    void doubleLessonDatesBoldAndUnderlined();
    void classStaysUntouched();
};

void CourseBookPrintTest::trimsTrailingColumnsAndRows_data()
{
    QTest::addColumn<int>("halfYear");
    QTest::addColumn<QString>("names");
    QTest::addColumn<QString>("dates");
    QTest::addColumn<int>("columns");
    QTest::addColumn<int>("rows");

    QTest::newRow("dates 3..10, gaps inside stay")
        << 1 << "Anna|Ben||Dora"
        << "3=01.09.26 4=02.09.26 7=08.09.26 10=15.09.26" << 11 << 6;
    QTest::newRow("second half-year") << 2 << "Anna"
                                      << "3=01.02.27 5=03.02.27" << 6 << 3;
    QTest::newRow("nothing entered keeps three") << 1 << ""
                                                 << "" << 3 << 3;
    QTest::newRow("last lesson column") << 1 << QString("x|").repeated(33) + "Zoe"
                                        << "59=20.01.27" << 60 << 36;
}

void CourseBookPrintTest::trimsTrailingColumnsAndRows()
{
    QFETCH(int, halfYear);
    QFETCH(QString, names);
    QFETCH(QString, dates);
    QFETCH(int, columns);
    QFETCH(int, rows);

    ClassDocument document;
    fillClass(document, halfYear, names, dates);
    // Attendance after the last named person and after the last date is not printed.
    document.grid().setCell(40 + offset(halfYear), ClassDocument::dataRow(34), "F");
    const CourseBookPrintout out = print(document, halfYear);

    QCOMPARE(out.table.columnCount(), columns);
    QCOMPARE(out.table.rowCount(), rows);
    QCOMPARE(out.document.table.grid.columnCount(), columns);
    QCOMPARE(out.document.table.grid.rowCount(), rows);
    // Still the sheet's cells, not a copy of something else.
    const QStringList firstDate = dates.section(' ', 0, 0).split('=');
    if (firstDate.size() == 2)
        QCOMPARE(out.table.cell(firstDate[0].toInt(), 0), firstDate[1]);
    if (!names.section('|', 0, 0).isEmpty())
        QCOMPARE(out.table.cell(0, 2), "1. " + names.section('|', 0, 0));
    QCOMPARE(out.table.columnWidth(columns - 1) > 0, true);
}

void CourseBookPrintTest::headingAndFixedTexts()
{
    ClassDocument document;
    fillClass(document, 2, "Anna", "3=01.02.27");
    CourseBookPrintout out = print(document, 2);
    QCOMPARE(out.heading.title, "Kursbuch 2. HJ.");
    QCOMPARE(out.heading.className, "7b");
    QCOMPARE(out.documentName, "Mathe, 7b");
    QCOMPARE(out.document.heading, "Mathe, 7b");
    QCOMPARE(print(document, 1).heading.title, "Kursbuch 1.HJ.");

    // The page keeps the sheet's labels; the document replaces them.
    QCOMPARE(out.table.cell(0, 0), " Datum:");
    const PrintTable &grid = out.document.table.grid;
    QCOMPARE(grid.cell(0, 0), CourseBookPrint::DateLegend);
    QCOMPARE(TestSupport::read(grid, 0, "1= 2="), "1=gesamt ()-:) 2=unentschgt.");
    QCOMPARE(TestSupport::read(grid, 1, "1= 2= 3="), "1=Fehlzeiten, 2=davon 3=Thema 3");

    const ReportDocument::Table &t = out.document.table;
    QCOMPARE(t.fontFace, "Arial");
    QCOMPARE(t.fontSize, 8.0);
    QVERIFY(t.formatOf(0, 0).turned && t.formatOf(3, 1).turned);
    QVERIFY(!t.formatOf(0, 2).turned && !t.formatOf(3, 2).turned);
    QVERIFY(t.alignmentOf(0) == ReportDocument::Alignment::Left);
    QVERIFY(t.fitToPageWidth);
    QVERIFY(out.document.page.orientation == ReportDocument::Orientation::Landscape);
}

void CourseBookPrintTest::marginsFollowTheTableSize()
{
    // 28 rows and 42 columns still count as small; one more of either narrows its margins.
    auto margins = [](int persons, int lastColumn) {
        ClassDocument document;
        fillClass(document, 1, QString("x|").repeated(persons - 1) + "y",
                  QString("%1=01.09.26").arg(lastColumn));
        const auto m = print(document, 1).document.page.margins;
        return QString("%1 %2 %3 %4").arg(m.top).arg(m.bottom).arg(m.left).arg(m.right);
    };
    QCOMPARE(margins(26, 41), "50 10 50 40");
    QCOMPARE(margins(27, 41), "30 10 50 40");
    QCOMPARE(margins(26, 42), "50 10 20 10");
}

void CourseBookPrintTest::hiddenContentRowLeavesOnlyTheDocument()
{
    ClassDocument document;
    fillClass(document, 1, "Anna|Ben", "3=01.09.26 4=02.09.26");

    const CourseBookPrintout hidden = print(document, 1, false);
    QCOMPARE(hidden.table.rowCount(), 4);
    QCOMPARE(hidden.table.cell(3, 1), "Thema 3");
    const std::vector<int> kept = hidden.document.table.keptRows();
    QCOMPARE(QList<int>(kept.begin(), kept.end()), QList<int>({0, 2, 3}));

    const CourseBookPrintout shown = print(document, 1, true);
    QVERIFY(shown.document.table.removedRows.empty());
    QCOMPARE(shown.table.rowHeight(1) > hidden.table.rowHeight(1), true);
}

void CourseBookPrintTest::doubleLessonDatesBoldAndUnderlined()
{
    ClassDocument document;
    // Column 5 is a double lesson without a date; 7 has a date and no mark.
    fillClass(document, 1, "Anna", "3=01.09.26 4=02.09.26 6=04.09.26 7=07.09.26 8=08.09.26",
              {4, 5, 8});
    QCOMPARE(boldUnderlined(print(document, 1).document.table), "4bu 8bu");

    // The second half-year reads its own marks.
    ClassDocument second;
    fillClass(second, 2, "Anna", "3=01.02.27 4=02.02.27", {3});
    second.grid().setCell(4 + 46, 578, "D");
    QCOMPARE(boldUnderlined(print(second, 2).document.table), "3bu");
}

void CourseBookPrintTest::classStaysUntouched()
{
    ClassDocument document, reference;
    for (ClassDocument *d : {&document, &reference}) {
        fillClass(*d, 1, "Anna|Ben", "3=01.09.26 4=02.09.26", {4});
        d->grid().setCell(4 + 46, ClassDocument::dataRow(1), "E");
    }
    const quint64 revision = document.grid().revision();

    CourseBookPrint print(document, 1, "Mathe");
    print.setShownOn(QDate(2026, 12, 6));
    const CourseBookPrintout out = print.prepare();
    // The sheet as on screen: the proposed date and the counted totals are printed.
    QCOMPARE(out.table.columnCount(), 6);
    QCOMPARE(out.table.cell(5, 0), DisplayLocale::shortDate(QDate(2026, 12, 6)));
    QCOMPARE(TestSupport::read(out.table, 3, "1= 2="), "1=2 2=");

    QCOMPARE(document.grid().revision(), revision);
    QCOMPARE(TestSupport::firstDifference(reference.grid(),
                                          [&](int c, int r) { return document.grid().cell(c, r); }),
             QString());
}

QTEST_GUILESS_MAIN(CourseBookPrintTest)
#include "tst_coursebookprint.moc"
