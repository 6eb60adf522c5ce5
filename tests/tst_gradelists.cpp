#include "classdata/classdocument.h"
#include "documents/htmlreportwriter.h"
#include "person/personpage.h"
#include "reports/gradelists.h"
#include "testsupport.h"
#include "verbal/evaluationtable.h"

#include <QtTest>

#include <memory>

namespace {
constexpr int Subject = 3;

int resultRow(int person, int subject = Subject)
{
    return person * ClassDocument::BlockRows + subject;
}

QStringList rowOf(const PrintTable &table, int row, int columns)
{
    QStringList cells;
    for (int column = 0; column < columns; ++column)
        cells << table.cell(column, row);
    return cells;
}

QList<int> widthsOf(const PrintTable &table, int columns)
{
    QList<int> widths;
    for (int column = 0; column < columns; ++column)
        widths << table.columnWidth(column);
    return widths;
}
} // namespace

class GradeListsTest : public QObject
{
    Q_OBJECT

    std::unique_ptr<ClassDocument> doc;
    ClassGrid &grid() { return doc->grid(); }

    void name(int person, const QString &name, const QString &className = QStringLiteral("7b"))
    {
        grid().setCell(0, ClassDocument::dataRow(person), name);
        grid().setCell(1, ClassDocument::dataRow(person), className);
    }

private slots:
    void init()
    {
        doc = std::make_unique<ClassDocument>();
        // Four persons; the second and the fourth have no results in the subject.
        name(0, QStringLiteral("Anna"));
        name(1, QStringLiteral("Ben"));
        name(2, QStringLiteral("Cem"));
        name(3, QStringLiteral("Dora"));
        TestSupport::fill(grid(), resultRow(0), "1=2 21=3 31=2,5 32=3 43=3 44=2,8 45=3");
        TestSupport::fill(grid(), resultRow(2), "1=1 31=1 44=1");
        TestSupport::fill(grid(), 600 + Subject, "1=Vokabeln 32=Arbeit 43=alt");
    }

    void resultListPutsAveragesInFront()
    {
        const GradeReport report =
            GradeLists(*doc).subjectResultList(Subject, QStringLiteral("Englisch"));
        const PrintTable &table = report.table;

        QCOMPARE(report.heading.title, QStringLiteral("Englisch"));
        QCOMPARE(report.heading.className, QStringLiteral("7b"));
        // Dora and the rows after her are left out; Ben in the middle stays, empty.
        QCOMPARE(table.rowCount(), 4);
        QCOMPARE(table.columnCount(), 46);
        QCOMPARE(rowOf(table, 0, 5),
                 (QStringList{"Thema:", "Ø mdl.", "Ø schr.", "Note", "Notensyst."}));
        QCOMPARE(rowOf(table, 1, 5), (QStringList{"1. Anna", "2,5", "3", "2,8", "3"}));
        QCOMPARE(rowOf(table, 2, 5), (QStringList{"2. Ben", "", "", "", ""}));
        QCOMPARE(rowOf(table, 3, 5), (QStringList{"3. Cem", "1", "", "1", ""}));
        // The results follow in their order, their topics with them.
        QCOMPARE(table.cell(5, 0), QStringLiteral("Vokabeln"));
        QCOMPARE(table.cell(5, 1), QStringLiteral("2"));
        QCOMPARE(table.cell(25, 1), QStringLiteral("3"));
        QCOMPARE(table.cell(35, 0), QStringLiteral("Arbeit"));
        QCOMPARE(table.cell(35, 1), QStringLiteral("3"));
        // Each column keeps the width it has on the sheet.
        QCOMPARE(widthsOf(table, 7), (QList<int>{145, 27, 27, 56, 44, 18, 18}));
        QCOMPARE(table.columnWidth(45), 18);
        QCOMPARE(table.rowHeight(0), 60);
        QCOMPARE(table.rowHeight(3), 18);
        QCOMPARE(table.controlWidth(), 145 + 2 * 27 + 56 + 44 + 41 * 18);

        GradeLists lists(*doc);
        lists.setControlWidth(1100);
        QCOMPARE(lists.subjectResultList(Subject, {}).table.controlWidth(), 1100);
    }

    void resultListInPointsMode()
    {
        doc->setPointsMode(true);
        const PrintTable table = GradeLists(*doc).subjectResultList(Subject, {}).table;
        QCOMPARE(rowOf(table, 0, 5),
                 (QStringList{"Thema:", "Ø mdl.", "Ø schr.", "Punkte", "Note"}));
    }

    void resultListKeepsRowsWithAnyFinalEntry()
    {
        // A grade text alone keeps the last person in the list.
        grid().setCell(45, resultRow(3), QStringLiteral("4+"));
        QCOMPARE(GradeLists(*doc).subjectResultList(Subject, {}).table.rowCount(), 5);
        // A result without averages does not.
        grid().setCell(45, resultRow(3), QString());
        grid().setCell(7, resultRow(3), QStringLiteral("4"));
        QCOMPARE(GradeLists(*doc).subjectResultList(Subject, {}).table.rowCount(), 4);
    }

    void listsOfAnEmptySubjectHoldTheHeadingOnly()
    {
        const GradeLists lists(*doc);
        const PrintTable result = lists.subjectResultList(5, {}).table;
        QCOMPARE(result.rowCount(), 1);
        QCOMPARE(result.cell(1, 0), QStringLiteral("Ø mdl."));
        QCOMPARE(lists.completeSubjectList(5, {}).table.rowCount(), 1);

        // Writing it leaves the heading row only.
        QStringList lines;
        PrintTable table = result;
        HtmlReportWriter(ReportHeading{}).WriteResultListHtml(table, lines, 1);
        QCOMPARE(lines.filter(QStringLiteral("<tr")).size(), 2);
    }

    void completeListKeepsEveryColumnInPlace()
    {
        const PrintTable table =
            GradeLists(*doc).completeSubjectList(Subject, QStringLiteral("Englisch")).table;
        QCOMPARE(table.columnCount(), 46);
        QCOMPARE(table.rowCount(), 4);
        QCOMPARE(TestSupport::read(table, 0, "0= 1= 31= 32= 43= 44= 45="),
                 QStringLiteral("0=Thema: 1=Vokabeln 31=Ø mdl. 32=Arbeit 43=Ø schr. 44=Note "
                                "45=Notensyst."));
        QCOMPARE(TestSupport::read(table, 1, "0= 1= 21= 31= 43= 44= 45="),
                 QStringLiteral("0=1. Anna 1=2 21=3 31=2,5 43=3 44=2,8 45=3"));
        QCOMPARE(TestSupport::read(table, 2, "0= 1= 44="), QStringLiteral("0=2. Ben 1= 44="));
        QCOMPARE(table.columnWidth(31), 27);
        QCOMPARE(table.columnWidth(44), 56);
        QCOMPARE(table.rowHeight(0), 60);
    }

    void completeListTrimsByItsOwnColumns()
    {
        // A grade text alone does not keep the last person here ...
        grid().setCell(45, resultRow(3), QStringLiteral("4+"));
        QCOMPARE(GradeLists(*doc).completeSubjectList(Subject, {}).table.rowCount(), 4);
        // ... an entry in result column 21 does.
        grid().setCell(21, resultRow(3), QStringLiteral("5"));
        QCOMPARE(GradeLists(*doc).completeSubjectList(Subject, {}).table.rowCount(), 5);
    }

    void verbalResultListEndsWithTheLastName()
    {
        doc->setVerbalEvaluation(true);
        const int criteria = EvaluationTable::BlockBase;
        grid().setCell(0, criteria + 1, QStringLiteral("Mitarbeit"));
        grid().setCell(EvaluationTable::Tendency, criteria + 1, QStringLiteral("b"));
        grid().setCell(EvaluationTable::Judgement, criteria + 2 * 17 + 1, QStringLiteral("a"));
        name(2, QString());

        const GradeReport report = GradeLists(*doc).verbalResultList(QStringLiteral("Übersicht"));
        const PrintTable &table = report.table;
        QCOMPARE(table.rowCount(), 5);
        QCOMPARE(table.columnCount(), 17);
        QCOMPARE(rowOf(table, 0, 2), (QStringList{"Beurteilungskriterium", "Mitarbeit"}));
        QCOMPARE(rowOf(table, 1, 2), (QStringList{"Anna", "b"}));
        QCOMPARE(rowOf(table, 3, 2), (QStringList{"", "a"}));
        QCOMPARE(table.cell(0, 4), QStringLiteral("Dora"));
        QCOMPARE(widthsOf(table, 3), (QList<int>{145, 17, 17}));
        QCOMPARE(table.rowHeight(0), 145);
        QCOMPARE(table.rowHeight(1), 18);
    }

    void personReportShowsHeaderAndSubjects()
    {
        ScriptedPrompts prompts;
        PersonPage page(*doc, prompts);
        doc->setRowLabel(Subject, QStringLiteral("Englisch"));
        grid().setCell(20, ClassDocument::dataRow(0), QStringLiteral("Fotos/1.bmp"));
        page.show(0);

        const GradeReport report = GradeLists(*doc).personReport(page);
        const PrintTable &table = report.table;
        QCOMPARE(report.heading.personName, QStringLiteral("Anna"));
        QCOMPARE(report.heading.photoPath, QStringLiteral("Fotos/1.bmp"));
        QCOMPARE(table.rowCount(), 15);
        QCOMPARE(table.cell(0, 0), QStringLiteral("Gewichtung, mdl.|schr."));
        QCOMPARE(TestSupport::read(table, Subject, "0= 1= 31= 44="),
                 QStringLiteral("0=Englisch 1=2 31=2,5 44=2,8"));
        QCOMPARE(widthsOf(table, 2), (QList<int>{130, 18}));
        QCOMPARE(table.columnWidth(43), 29);
        QCOMPARE(table.columnWidth(45), 50);
        QCOMPARE(table.rowHeight(4), 20);
        QCOMPARE(table.rowHeight(5), 18);

        // The class changed since the page was filled: the report shows the class.
        grid().setCell(1, resultRow(0, 14), QStringLiteral("6"));
        QCOMPARE(GradeLists(*doc).personReport(page).table.cell(1, 14), QStringLiteral("6"));
    }

    void verbalPersonReportShowsThirteenCriteria()
    {
        doc->setVerbalEvaluation(true);
        doc->setCurrentPerson(2);
        ScriptedPrompts prompts;
        EvaluationTable evaluation(*doc, prompts);
        evaluation.load();
        grid().setCell(0, EvaluationTable::BlockBase + 2 * 17 + 13, QStringLiteral("Ordnung"));
        grid().setCell(0, EvaluationTable::BlockBase + 2 * 17 + 14, QStringLiteral("Pünktlich"));

        const GradeReport report = GradeLists(*doc).personReport(evaluation);
        QCOMPARE(report.heading.personName, QStringLiteral("Cem"));
        QCOMPARE(report.table.rowCount(), 14);
        QCOMPARE(report.table.cell(0, 13), QStringLiteral("Ordnung"));
        QCOMPARE(report.table.columnWidth(0), 357);
    }

    void classStaysUntouched()
    {
        ScriptedPrompts prompts;
        PersonPage page(*doc, prompts);
        page.show(1);
        const quint64 revision = grid().revision();
        const QString oralHeading = grid().cell(31, 600 + Subject);

        GradeLists lists(*doc);
        lists.subjectResultList(Subject, {});
        lists.completeSubjectList(Subject, {});
        lists.verbalResultList({});
        lists.personReport(page);

        QCOMPARE(grid().revision(), revision);
        QCOMPARE(grid().cell(31, 600 + Subject), oralHeading);
        QCOMPARE(grid().cell(43, 600 + Subject), QStringLiteral("alt"));
        QCOMPARE(grid().cell(31, resultRow(0)), QStringLiteral("2,5"));
    }
};

QTEST_GUILESS_MAIN(GradeListsTest)
#include "tst_gradelists.moc"
