#include "classdata/classdocument.h"
#include "classdata/displaylocale.h"
#include "reports/examfailurereport.h"

#include <QtTest>

namespace {

const QDateTime Created(QDate(2026, 12, 6), QTime(8, 5, 9));
const QString CreatedPart = "Erstelldatum: 06.12.2026, 08:05:09";
const int Exam = 32;

// Person i gets results[i] in the exam column of subject 1, beside a written average.
ExamFailureResult evaluate(const QStringList &results, bool points, int subject = 1)
{
    ClassDocument document;
    document.setPointsMode(points);
    for (int i = 0; i < results.size(); ++i) {
        document.grid().setCell(0, ClassDocument::dataRow(i), QString("Person %1").arg(i));
        document.grid().setCell(Exam, i * 17 + subject, results[i]);
        document.grid().setCell(43, i * 17 + subject, "3");
    }
    ExamFailureReport report(document, subject, Exam);
    report.setCreated(Created);
    return report.compute();
}

QStringList repeated(const QString &text, int n)
{
    QStringList list;
    for (int i = 0; i < n; ++i)
        list << text;
    return list;
}

} // namespace

class ExamReportTest : public QObject
{
    Q_OBJECT

private slots:
    void initTestCase() { DisplayLocale::install(QLocale(QLocale::English)); }

    void pointsModeMarksFailingCellsAndWarns()
    {
        const ExamFailureResult r = evaluate({"15", "10", "3", "0"}, true);
        QVERIFY(r.valid);
        QCOMPARE(r.total, 4);
        QCOMPARE(r.average, "7,00");
        QCOMPARE(r.resultLine, "Der Durchschnitt liegt bei 7,00" + QString(24, ' ') + "***" +
                                   QString(22, ' ') + CreatedPart);
        QCOMPARE(r.failing, 2);
        QCOMPARE(r.failingPercent, 50);

        const QList<QStringList> rows = r.distribution.rows;
        QCOMPARE(rows.size(), 3);
        QCOMPARE(rows[0], QStringList({"1", "2", "3", "4", "5", "6"}));
        QCOMPARE(rows[1], QStringList({"15", "14", "13", "12", "11", "10", "9", "8", "7", "6", "5",
                                       "4", "3", "2", "1", "", "0", ""}));
        QCOMPARE(rows[2], QStringList({"1", "0", "0", "0", "0", "1", "0", "0", "0", "0", "0", "0",
                                       "1", "0", "0", "", "1", "(2)"}));
        QList<int> red;
        for (const auto &mark : r.distribution.marks) {
            QCOMPARE(mark.row, 2);
            QCOMPARE(mark.background,
                     mark.column == 17 ? QColor(255, 17, 17) : QColor(255, 80, 80));
            red << mark.column;
        }
        QCOMPARE(red, QList<int>({16, 14, 13, 12, 17}));

        const QString warning =
            "Sorry, hast du die roten Felder bemerkt? Die Klausur ist leider mit 50 % unter dem "
            "Strich.\rSchleswig-Holstein:\rRunderlass des Ministeriums für Bildung und Frauen vom "
            "31. August 2009 mit Änderungen vom 27. Juli 2010 – III 316 \rWenn ein Drittel oder "
            "mehr der Klassenarbeiten einer Klasse mit weniger als vier Punkten bewertet werden "
            "soll,\rist die Genehmigung der Schulleiterin bzw. des Schulleiters erforderlich. Dazu "
            "müssen die unterrichtende Lehrkraft\rund die Klassensprecherin oder der "
            "Klassensprecher gehört werden. ";
        QCOMPARE(r.warning, warning);
        QCOMPARE(r.messages, QStringList{warning});
    }

    void failingShareUsesIntegerDivision_data()
    {
        QTest::addColumn<QStringList>("results");
        QTest::addColumn<bool>("points");
        QTest::addColumn<int>("percent");
        QTest::addColumn<QString>("warning");
        const QString grades = "Sorry, die Arbeit ist leider mit 33 % unter dem Strich.";
        QTest::newRow("three 5s among nine grades")
            << QStringList{"5", "1", "5", "2", "2", "3", "5", "3", "4"} << false << 33 << grades;
        QTest::newRow("a 5 and a 6 among seven grades")
            << QStringList{"5", "6", "1", "2", "3", "3", "4"} << false << 28 << QString();
        // 0, 7 and 8 are outside the six grades: three of nine, not of twelve.
        QTest::newRow("0, 7 and 8 stay out of the grade base")
            << QStringList{"5", "5", "5", "1", "2", "2", "3", "3", "4", "0", "7", "8"} << false
            << 33 << grades;
        QTest::newRow("one of four in points")
            << QStringList{"3", "4", "9", "12"} << true << 25 << QString();
        QTest::newRow("every counted value is the points base")
            << QStringList{"1", "2", "4", "5", "6", "7", "8", "9", "0"} << true << 33 << QString();
    }
    void failingShareUsesIntegerDivision()
    {
        QFETCH(QStringList, results);
        QFETCH(bool, points);
        QFETCH(int, percent);
        QFETCH(QString, warning);
        const ExamFailureResult r = evaluate(results, points);
        QCOMPARE(r.failingPercent, percent);
        QCOMPARE(r.tooManyFailing, percent >= 33);
        if (!points)
            QCOMPARE(r.warning, warning);
        QCOMPARE(r.messages.isEmpty(), percent < 33);
        QCOMPARE(r.distribution.marks.isEmpty(), percent < 33);
        if (!points && percent >= 33) {
            for (const auto &mark : r.distribution.marks)
                QCOMPARE(mark.row, 1);
            QCOMPARE(r.distribution.marks.first().column, 4);
            QCOMPARE(r.distribution.marks.last().column, 7);
        }
    }

    void gradeTableCountsEightSteps()
    {
        const ExamFailureResult r = evaluate({"1", "1", "2", "7", "8", "8", "0"}, false);
        QCOMPARE(r.distribution.rows.size(), 2);
        QCOMPARE(r.distribution.rows[0], QStringList({"Ü 1 / 1", "Ü 2 / 2", "Ü 3 / 3", "Ü 4 / 4",
                                                      "Ü 5 / 5", "Ü 6 / 6", "Ü7", "Ü8"}));
        QCOMPARE(r.distribution.rows[1], QStringList({"2", "1", "0", "0", "0", "0", "1", "2"}));
        // The 0 counts in the total (and so the average), but adds nothing.
        QCOMPARE(r.total, 7);
        QCOMPARE(r.average, "3,86"); // 27 / 7
    }

    void onlyPlainValuesCount()
    {
        const ExamFailureResult r =
            evaluate({"16", "-1", "2-", "07", " 3", "a", "", "4", "2", "15,0"}, true);
        QCOMPARE(r.total, 2);
        QCOMPARE(r.counters[4], 1);
        QCOMPARE(r.counters[2], 1);
        QCOMPARE(r.average, "3,00");
    }

    void nothingCountedStillGivesReport()
    {
        const ExamFailureResult r = evaluate({"2-", "3+", ""}, false);
        QVERIFY(r.valid);
        QCOMPARE(r.messages,
                 QStringList{"Du musst ein beliebiges Feld der gewünschten Klausur markieren!"});
        QVERIFY(r.average.isEmpty());
        QCOMPARE(r.resultLine, CreatedPart);
        QCOMPARE(r.failingPercent, 0);
        QCOMPARE(r.table.cell(1, 1), "2-");
    }

    void averageInUsersFormat_data()
    {
        QTest::addColumn<QStringList>("results");
        QTest::addColumn<QString>("average");
        QTest::newRow("thirds") << QStringList{"2", "3", "3"} << "2,67";
        QTest::newRow("half") << QStringList{"1", "2"} << "1,50";
        QTest::newRow("17/8 rounds up") << (repeated("2", 7) << "3") << "2,13";
        QTest::newRow("one result") << QStringList{"15"} << "15,00";
    }
    void averageInUsersFormat()
    {
        QFETCH(QStringList, results);
        QFETCH(QString, average);
        QCOMPARE(evaluate(results, true).average, average);

        QLocale::setDefault(QLocale(QLocale::English, QLocale::UnitedStates));
        const QString english = evaluate(results, true).average;
        DisplayLocale::install(QLocale(QLocale::English));
        QCOMPARE(english, QString(average).replace(',', '.'));
    }

    void printTableHoldsNamesAndExam()
    {
        ClassDocument document;
        ClassGrid &grid = document.grid();
        document.setRowLabel(3, "Mathe");
        document.setCurrentPerson(1);
        grid.setCell(1, ClassDocument::dataRow(1), "7b");
        grid.setCell(40, 603, "Klausur");
        grid.setCell(0, ClassDocument::dataRow(0), "Anna");
        for (int i = 0; i < 4; ++i) {
            grid.setCell(1, i * 17 + 3, QString::number(i + 1));
            grid.setCell(40, i * 17 + 3, QString::number(9 - i));
            grid.setCell(44, i * 17 + 3, "3");
        }
        // Below the last row with an average: off the list and not counted.
        grid.setCell(40, 5 * 17 + 3, "12");
        const quint64 revision = grid.revision();

        ExamFailureReport report(document, 3, 40);
        report.setControlWidth(700);
        const ExamFailureResult r = report.compute();
        QCOMPARE(grid.revision(), revision);
        QCOMPARE(r.heading.title, "Mathe");
        QCOMPARE(r.heading.className, "7b");
        const PrintTable &t = r.table;
        QCOMPARE(t.rowCount(), 5);
        QCOMPARE(t.controlWidth(), 700);
        QCOMPARE(t.cell(0, 0), "Thema:");
        QCOMPARE(t.cell(1, 0), "Klausur");
        QCOMPARE(t.cell(0, 1), "1. Anna");
        QCOMPARE(t.cell(1, 1), "9");
        QCOMPARE(t.cell(2, 1), "1"); // the columns before the exam move one to the right
        QCOMPARE(t.columnWidth(31), 18);
        QCOMPARE(t.columnWidth(32), 27);
        QCOMPARE(t.cell(44, 0), "Note");
        QCOMPARE(t.rowHeight(0), 60);
        QCOMPARE(t.rowHeight(4), 18);
        QCOMPARE(r.total, 4);
        QCOMPARE(r.average, "7,50");

        document.setRowLabel(3, "");
        QCOMPARE(ExamFailureReport(document, 3, 0).compute().heading.title, "Fach 3");
        QCOMPARE(ExamFailureReport(document, 3, 0).compute().examColumn, 1);
        QCOMPARE(ExamFailureReport(document, 3, 46).compute().examColumn, 1);
    }

    void notOnSubjectSheet()
    {
        ClassDocument document;
        const ExamFailureResult r = ExamFailureReport(document, 0, 5).compute();
        QVERIFY(!r.valid);
        QCOMPARE(r.messages, QStringList{"Bitte zunächst die Fachseite wählen und die "
                                         "entsprechende Klausurspalte irgendwo anklicken!"});
    }
};

QTEST_GUILESS_MAIN(ExamReportTest)
#include "tst_examreport.moc"
