#include "classdata/classdocument.h"
#include "person/personpage.h"
#include "reports/gradelists.h"
#include "testsupport.h"
#include "verbal/evaluationtable.h"

#include <QtTest>

#include <memory>

using TestSupport::read;

class GradeListsTest : public QObject
{
    Q_OBJECT

    std::unique_ptr<ClassDocument> doc;
    ScriptedPrompts prompts;
    ClassGrid &grid() { return doc->grid(); }
    static int row(int person, int subject = 3) { return person * 17 + subject; }
    static QList<int> widths(const PrintTable &table)
    {
        return {table.columnWidth(0), table.columnWidth(1), table.columnWidth(4),
                table.columnWidth(5), table.rowHeight(0),   table.rowHeight(table.rowCount() - 1)};
    }

private slots:
    void init()
    {
        doc = std::make_unique<ClassDocument>();
        // Four persons in subject 3: Ben in the middle and Dora at the end have no results.
        const QStringList names{"Anna", "Ben", "Cem", "Dora"};
        for (int p = 0; p < names.size(); ++p)
            TestSupport::fill(grid(), ClassDocument::dataRow(p), "0=" + names[p] + " 1=7b");
        TestSupport::fill(grid(), row(0), "1=2 21=3 31=2,5 32=3 43=3 44=2,8 45=3");
        TestSupport::fill(grid(), row(2), "1=1 31=1 44=1");
        TestSupport::fill(grid(), 603, "1=Vokabeln 32=Arbeit 43=alt");
    }

    void resultListPutsAveragesInFront()
    {
        grid().setCell(7, row(3), "4"); // a result without averages leaves Dora out
        const GradeReport report = GradeLists(*doc).subjectResultList(3, "Englisch");
        const PrintTable &table = report.table;
        QCOMPARE(report.heading.className + report.heading.title, "7bEnglisch");
        QCOMPARE(table.rowCount(), 4);
        QCOMPARE(read(table, 0, "0= 1= 2= 3= 4= 5= 35="),
                 "0=Thema: 1=Ø mdl. 2=Ø schr. 3=Note 4=Notensyst. 5=Vokabeln 35=Arbeit");
        QCOMPARE(read(table, 1, "0= 1= 2= 3= 4= 5= 25= 35="),
                 "0=1. Anna 1=2,5 2=3 3=2,8 4=3 5=2 25=3 35=3");
        QCOMPARE(read(table, 2, "0= 1= 3="), "0=2. Ben 1= 3=");
        QCOMPARE(widths(table), (QList<int>{145, 27, 44, 18, 60, 18}));

        // A grade text alone keeps the last person; a subject without any leaves the heading.
        grid().setCell(45, row(3), "4+");
        QCOMPARE(GradeLists(*doc).subjectResultList(3, {}).table.rowCount(), 5);
        QCOMPARE(GradeLists(*doc).subjectResultList(5, {}).table.rowCount(), 1);
    }

    void completeListKeepsEveryColumnInPlace()
    {
        grid().setCell(45, row(3), "4+"); // not enough here
        const PrintTable table = GradeLists(*doc).completeSubjectList(3, {}).table;
        QCOMPARE(table.rowCount(), 4);
        QCOMPARE(read(table, 0, "1= 31= 43= 44="), "1=Vokabeln 31=Ø mdl. 43=Ø schr. 44=Note");
        QCOMPARE(read(table, 1, "0= 1= 21= 31= 44= 45="), "0=1. Anna 1=2 21=3 31=2,5 44=2,8 45=3");
        QCOMPARE(table.columnWidth(44), 56);
        grid().setCell(21, row(3), "5");
        QCOMPARE(GradeLists(*doc).completeSubjectList(3, {}).table.rowCount(), 5);
    }

    void verbalResultListEndsWithTheLastName()
    {
        TestSupport::fill(grid(), 1001, "0=Mitarbeit 36=b");
        grid().setCell(35, 1000 + 2 * 17 + 1, "a");
        grid().setCell(0, ClassDocument::dataRow(2), {});
        const PrintTable table = GradeLists(*doc).verbalResultList({}).table;
        QCOMPARE(table.rowCount(), 5);
        QCOMPARE(read(table, 0, "1="), "1=Mitarbeit");
        QCOMPARE(read(table, 1, "0= 1="), "0=Anna 1=b");
        QCOMPARE(read(table, 3, "0= 1="), "0= 1=a");
        QCOMPARE(widths(table), (QList<int>{145, 17, 17, 17, 145, 18}));
    }

    void personReportShowsHeaderAndSubjectsOrCriteria()
    {
        PersonPage page(*doc, prompts);
        doc->setRowLabel(3, "Englisch");
        page.show(0);
        grid().setCell(1, row(0, 14), "6"); // after the page was filled
        PrintTable table = GradeLists(*doc).personReport(page).table;
        QCOMPARE(table.rowCount(), 15);
        QCOMPARE(read(table, 0, "0="), "0=Gewichtung, mdl.|schr.");
        QCOMPARE(read(table, 3, "0= 1= 31="), "0=Englisch 1=2 31=2,5");
        QCOMPARE(table.cell(1, 14), "6");
        QCOMPARE(widths(table), (QList<int>{130, 18, 18, 18, 18, 18}));

        doc->setVerbalEvaluation(true);
        EvaluationTable evaluation(*doc, prompts);
        evaluation.load();
        grid().setCell(0, 1013, "Ordnung");
        grid().setCell(0, 1014, "Pünktlichkeit");
        const GradeReport report = GradeLists(*doc).personReport(evaluation);
        QCOMPARE(report.heading.personName, "Anna");
        QCOMPARE(report.table.rowCount(), 14);
        QCOMPARE(report.table.cell(0, 13), "Ordnung");
    }

    void classStaysUntouched()
    {
        PersonPage page(*doc, prompts);
        page.show(1);
        const quint64 revision = grid().revision();
        GradeLists lists(*doc);
        lists.subjectResultList(3, {});
        lists.completeSubjectList(3, {});
        lists.verbalResultList({});
        lists.personReport(page);
        QCOMPARE(grid().revision(), revision);
        QCOMPARE(read(grid(), 603, "31= 43="), "31= 43=alt");
    }
};

QTEST_GUILESS_MAIN(GradeListsTest)
#include "tst_gradelists.moc"
