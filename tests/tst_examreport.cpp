#include "classdata/classdocument.h"
#include "classdata/displaylocale.h"
#include "reports/examfailurereport.h"

#include <QtTest>

namespace {

const QString CreatedPart = "Erstelldatum: 06.12.2026, 08:05:09";

// Person i gets result i of the '|'-separated list in written column 32 of subject 1, beside
// a written average.
ExamFailureResult evaluate(const QString &list, bool points)
{
    const QStringList results = list.split('|');
    ClassDocument document;
    document.setPointsMode(points);
    for (int i = 0; i < results.size(); ++i) {
        document.grid().setCell(32, i * 17 + 1, results[i]);
        document.grid().setCell(43, i * 17 + 1, "3");
    }
    ExamFailureReport report(document, 1, 32);
    report.setCreated(QDateTime(QDate(2026, 12, 6), QTime(8, 5, 9)));
    return report.compute();
}

// "column/row/colour" of every coloured cell.
QString marks(const ExamFailureResult &r)
{
    QStringList list;
    for (const auto &mark : r.distribution.marks)
        list << QString("%1/%2/%3").arg(mark.column).arg(mark.row).arg(mark.background.name());
    return list.join(' ');
}

} // namespace

class ExamReportTest : public QObject
{
    Q_OBJECT

private slots:
    void initTestCase() { DisplayLocale::install(QLocale(QLocale::English)); }

    void pointsModeMarksFailingCellsAndWarns()
    {
        const ExamFailureResult r = evaluate("15|10|3|0|16|-1|2-|07", true);
        QCOMPARE(r.resultLine, "Der Durchschnitt liegt bei 7,00" + QString(24, ' ') + "***" +
                                   QString(22, ' ') + CreatedPart);
        QCOMPARE(r.distribution.rows.value(0), QStringList({"1", "2", "3", "4", "5", "6"}));
        QCOMPARE(r.distribution.rows.value(1).join(' '), "15 14 13 12 11 10 9 8 7 6 5 4 3 2 1  0 ");
        QCOMPARE(r.distribution.rows.value(2).join(' '), "1 0 0 0 0 1 0 0 0 0 0 0 1 0 0  1 (2)");
        QCOMPARE(marks(r), "16/2/#ff5050 14/2/#ff5050 13/2/#ff5050 12/2/#ff5050 17/2/#ff1111");
        QCOMPARE(
            r.messages,
            QStringList{"Sorry, hast du die roten Felder bemerkt? Die Klausur ist leider mit "
                        "50 % unter dem Strich.\rSchleswig-Holstein:\rRunderlass des "
                        "Ministeriums für Bildung und Frauen vom 31. August 2009 mit "
                        "Änderungen vom 27. Juli 2010 – III 316 \rWenn ein Drittel oder mehr "
                        "der Klassenarbeiten einer Klasse mit weniger als vier Punkten "
                        "bewertet werden soll,\rist die Genehmigung der Schulleiterin bzw. des "
                        "Schulleiters erforderlich. Dazu müssen die unterrichtende "
                        "Lehrkraft\rund die Klassensprecherin oder der Klassensprecher gehört "
                        "werden. "});
    }

    void failingShare_data()
    {
        QTest::addColumn<QString>("results");
        QTest::addColumn<bool>("points");
        QTest::addColumn<int>("percent");
        QTest::newRow("three 5s of nine") << "5|1|5|2|2|3|5|3|4" << false << 33;
        QTest::newRow("5 and 6 of seven") << "5|6|1|2|3|3|4" << false << 28;
        // 0, 7 and 8 are outside the six grades: three of nine, not of twelve.
        QTest::newRow("grade base") << "5|5|5|1|2|2|3|3|4|0|7|8" << false << 33;
        QTest::newRow("points base") << "1|2|4|5|6|7|8|9|0" << true << 33;
        QTest::newRow("one of four points") << "3|4|9|12" << true << 25;
    }
    void failingShare()
    {
        QFETCH(QString, results);
        QFETCH(bool, points);
        QFETCH(int, percent);
        const ExamFailureResult r = evaluate(results, points);
        QCOMPARE(r.failingPercent, percent);
        QCOMPARE(r.messages.size(), percent < 33 ? 0 : 1);
        if (!points)
            QCOMPARE(marks(r) + r.messages.value(0),
                     percent < 33 ? ""
                                  : "4/1/#ff5050 5/1/#ff5050 6/1/#ff5050 7/1/#ff5050Sorry, die "
                                    "Arbeit ist leider mit 33 % unter dem Strich.");
    }

    void gradeTableAndAverage()
    {
        const ExamFailureResult r = evaluate("1|1|2|7|8|8|0", false);
        QCOMPARE(r.distribution.rows.value(0).join('|'), "Ü 1 / 1|Ü 2 / 2|Ü 3 / 3|Ü 4 / 4|Ü 5 / "
                                                         "5|Ü 6 / 6|Ü7|Ü8");
        QCOMPARE(r.distribution.rows.value(1).join(' '), "2 1 0 0 0 0 1 2");
        QCOMPARE(r.average, "3,86"); // 27 / 7: the 0 counts but adds nothing
        QCOMPARE(evaluate("2|2|2|2|2|2|2|3", false).average, "2,13");

        QLocale::setDefault(QLocale(QLocale::English, QLocale::UnitedStates));
        const QString english = evaluate("2|3|3", true).average;
        DisplayLocale::install(QLocale(QLocale::English));
        QCOMPARE(english, "2.67");
        QCOMPARE(evaluate("2|3|3", true).average, "2,67");
    }

    void nothingCountedStillGivesReport()
    {
        const ExamFailureResult r = evaluate("2-|3+| 3|15,0", false);
        QCOMPARE(r.messages,
                 QStringList{"Du musst ein beliebiges Feld der gewünschten Klausur markieren!"});
        QVERIFY(r.average.isEmpty());
        QCOMPARE(r.resultLine, CreatedPart);
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
        grid.setCell(40, 5 * 17 + 3, "12"); // no average: off the list, not counted

        const ExamFailureResult r = ExamFailureReport(document, 3, 40).compute();
        QCOMPARE(r.heading.title + ", " + r.heading.className, "Mathe, 7b");
        const PrintTable &t = r.table;
        QCOMPARE(t.rowCount(), 5);
        QCOMPARE(t.cell(0, 0) + t.cell(1, 0), "Thema:Klausur");
        QCOMPARE(t.cell(0, 1) + " " + t.cell(1, 1) + " " + t.cell(2, 1), "1. Anna 9 1");
        QCOMPARE(t.columnWidth(32), 27); // the oral average moved one to the right
        QCOMPARE(r.average, "7,50");

        document.setRowLabel(3, "");
        QCOMPARE(ExamFailureReport(document, 3, 0).compute().heading.title, "Fach 3");
        QCOMPARE(ExamFailureReport(document, 3, 0).compute().examColumn, 1);
        QCOMPARE(ExamFailureReport(document, 0, 5).compute().messages,
                 QStringList{"Bitte zunächst die Fachseite wählen und die "
                             "entsprechende Klausurspalte irgendwo anklicken!"});
    }
};

QTEST_GUILESS_MAIN(ExamReportTest)
#include "tst_examreport.moc"
