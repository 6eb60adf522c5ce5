#include "classdata/classdocument.h"
#include "grades/personpage.h"
#include "grades/subjectsheet.h"
#include "testsupport.h"

#include <QtTest>

namespace {

constexpr int Block = ClassDocument::BlockRows;
const QString WeightsQuestion = QStringLiteral("Sollen evtl. vorhandene Einzelgewichtungen gelöscht werden?");

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

// Names "P1".."Pn" for the first n slots.
void addPersons(ClassDocument &doc, int count)
{
    for (int i = 0; i < count; ++i)
        doc.grid().setCell(0, ClassDocument::dataRow(i), QStringLiteral("P%1").arg(i + 1));
}

} // namespace

class GradeSheetsTest : public QObject
{
    Q_OBJECT

private slots:
    void sheetShowsClass_data();
    void sheetShowsClass();
    void sheetCursor_data();
    void sheetCursor();
    void sheetStoresTypedResult();
    void sheetHeadings_data();
    void sheetHeadings();
    void levelHeadingDefault_data();
    void levelHeadingDefault();
    void keyFilter_data();
    void keyFilter();
    void uncountedColour_data();
    void uncountedColour();
    void halfDownFinalOnBothScreens();

    void classField_data();
    void classField();
    void forwardCarriesClassAndYear_data();
    void forwardCarriesClassAndYear();
    void navigationStopsAtTheEnds();
    void moveKeepsPersonShown_data();
    void moveKeepsPersonShown();
    void subjectNameReachesCaptions();
    void weightReachesEveryBlock();
    void deleteAndInsert_data();
    void deleteAndInsert();
    void weightingSwitchOff_data();
    void weightingSwitchOff();
    void newSchoolYear_data();
    void newSchoolYear();
    void newLearningGroup_data();
    void newLearningGroup();
};

void GradeSheetsTest::sheetShowsClass_data()
{
    QTest::addColumn<int>("subject");
    QTest::addColumn<bool>("points");
    QTest::addColumn<QString>("final");
    QTest::addColumn<QString>("last");
    QTest::newRow("sheet 1, grades") << 1 << false << "Note" << "Notensyst.";
    QTest::newRow("sheet 4, points") << 4 << true << "Punkte" << "Note";
    QTest::newRow("sheet 14, grades") << 14 << false << "Note" << "Notensyst.";
}

void GradeSheetsTest::sheetShowsClass()
{
    QFETCH(int, subject);
    QFETCH(bool, points);
    ClassDocument doc;
    doc.setPointsMode(points);
    ClassGrid &grid = doc.grid();
    grid.setCell(0, ClassDocument::dataRow(0), QStringLiteral("Anna"));
    grid.setCell(0, ClassDocument::dataRow(2), QStringLiteral("Carl"));
    grid.setCell(7, 2 * Block + subject, QStringLiteral("4"));
    grid.setCell(45, 2 * Block + subject, QStringLiteral("Ü8"));
    grid.setCell(3, 1 * Block + subject, QStringLiteral("5")); // a free slot's result
    grid.setCell(8, 2 * Block + subject + 1, QStringLiteral("9")); // the next subject
    grid.setCell(1, 600 + subject, QStringLiteral("KA 1"));
    grid.setCell(2, 600 + subject + 1, QStringLiteral("other"));

    SubjectSheet sheet(doc, subject);
    sheet.show();
    const SheetTable &t = sheet.table();
    QCOMPARE(t.cell(0, 1), "1. Anna");
    QCOMPARE(t.cell(0, 2), QString());
    QCOMPARE(t.cell(0, 3), "3. Carl");
    QCOMPARE(t.cell(0, 34), QString());
    QCOMPARE(t.cell(7, 3), "4");
    QCOMPARE(t.cell(45, 3), "Ü8");
    QCOMPARE(t.cell(3, 2), "5");
    QCOMPARE(t.cell(8, 3), QString());
    QCOMPARE(t.cell(0, 0), "Thema:");
    QCOMPARE(t.cell(1, 0), "KA 1");
    QCOMPARE(t.cell(2, 0), QString());
    QTEST(t.cell(44, 0), "final");
    QTEST(t.cell(45, 0), "last");
    QCOMPARE(t.cell(0, 35), "Listenende!");
}

void GradeSheetsTest::sheetCursor_data()
{
    QTest::addColumn<QList<int>>("topics");
    QTest::addColumn<int>("column");
    QList<int> all;
    for (int c = 1; c <= 42; ++c)
        all << c;
    QTest::newRow("no topics") << QList<int>{} << 1;
    QTest::newRow("three topics") << QList<int>{1, 2, 3} << 4;
    QTest::newRow("first gap") << QList<int>{1, 2, 4, 5} << 3;
    QTest::newRow("all 42 topics") << all << 43;
}

void GradeSheetsTest::sheetCursor()
{
    QFETCH(QList<int>, topics);
    QFETCH(int, column);
    ClassDocument doc;
    for (int c : topics)
        doc.grid().setCell(c, 605, QStringLiteral("T%1").arg(c));
    SubjectSheet sheet(doc, 5);
    sheet.show();
    QCOMPARE(sheet.cursor(), QPoint(column, 0));
}

void GradeSheetsTest::sheetStoresTypedResult()
{
    ClassDocument doc;
    SubjectSheet sheet(doc, 4);
    sheet.show();
    QVERIFY(doc.isSaved());
    sheet.edit(5, 2, QStringLiteral("3"));
    QVERIFY(!doc.isSaved());
    QCOMPARE(sheet.table().cell(31, 2), "3");
    QCOMPARE(read(doc.grid(), 21, "5= 31= 43= 44="), "5=3 31=3 43= 44=");
    // Neither the neighbouring subject nor the neighbouring person gets it.
    QCOMPARE(doc.grid().cell(5, 20), QString());
    QCOMPARE(doc.grid().cell(5, 38), QString());
    QCOMPARE(doc.grid().cell(5, 4), QString());

    sheet.edit(5, 2, QString());
    QCOMPARE(read(doc.grid(), 21, "5= 31="), "5= 31=");
}

void GradeSheetsTest::sheetHeadings_data()
{
    QTest::addColumn<int>("column");
    QTest::addColumn<QString>("stored");
    QTest::addColumn<QString>("reshown");
    QTest::newRow("first topic") << 1 << "Test" << "Test";
    QTest::newRow("last topic") << 42 << "Test" << "Test";
    QTest::newRow("written average") << 43 << "" << "";
    QTest::newRow("final") << 44 << "" << "Note";
    QTest::newRow("grade text") << 45 << "" << "Notensyst.";
}

void GradeSheetsTest::sheetHeadings()
{
    QFETCH(int, column);
    ClassDocument doc;
    SubjectSheet sheet(doc, 6);
    sheet.show();
    sheet.edit(column, 0, QStringLiteral("Test"));
    QCOMPARE(sheet.table().cell(column, 0), "Test");
    QTEST(doc.grid().cell(column, 606), "stored");
    QCOMPARE(doc.grid().cell(column, 6), QString());
    sheet.show();
    QTEST(sheet.table().cell(column, 0), "reshown");
}

void GradeSheetsTest::levelHeadingDefault_data()
{
    QTest::addColumn<int>("subject");
    QTest::addColumn<int>("column");
    QTest::addColumn<QString>("typed");
    QTest::addColumn<QString>("level");
    QTest::newRow("sheet 1 has none") << 1 << 32 << "" << "";
    QTest::newRow("sheet 2, column 32") << 2 << 32 << "" << "Niveau?";
    QTest::newRow("sheet 14, column 40") << 14 << 40 << "" << "Niveau?";
    QTest::newRow("typed level kept") << 3 << 36 << "E-Kurs" << "E-Kurs";
    QTest::newRow("column 42") << 2 << 42 << "" << "";
    QTest::newRow("level column itself") << 2 << 33 << "" << "";
    QTest::newRow("oral column") << 2 << 30 << "" << "";
}

void GradeSheetsTest::levelHeadingDefault()
{
    QFETCH(int, subject);
    QFETCH(int, column);
    QFETCH(QString, typed);
    QFETCH(QString, level);
    ClassDocument doc;
    doc.grid().setCell(column + 1, 600 + subject, typed);
    SubjectSheet sheet(doc, subject);
    sheet.show();
    sheet.select(column, 3);
    QCOMPARE(sheet.table().cell(column + 1, 0), level);
    // The default is stored with the next key in the sheet.
    sheet.edit(column, 0, QStringLiteral("KA"));
    QCOMPARE(doc.grid().cell(column + 1, 600 + subject), column + 1 <= 42 ? level : QString());
}

void GradeSheetsTest::keyFilter_data()
{
    QTest::addColumn<bool>("page");
    QTest::addColumn<int>("column");
    QTest::addColumn<int>("row");
    QTest::addColumn<bool>("editable");
    QTest::addColumn<bool>("digitsOnly");
    QTest::newRow("sheet: person label") << false << 0 << 5 << false << false;
    QTest::newRow("sheet: oral") << false << 1 << 1 << true << true;
    QTest::newRow("sheet: first written") << false << 32 << 34 << true << true;
    QTest::newRow("sheet: level") << false << 33 << 2 << true << false;
    QTest::newRow("sheet: written 40") << false << 40 << 2 << true << true;
    QTest::newRow("sheet: level 41") << false << 41 << 2 << true << false;
    QTest::newRow("sheet: written average") << false << 43 << 2 << true << false;
    QTest::newRow("sheet: final") << false << 44 << 2 << true << true;
    QTest::newRow("sheet: grade text") << false << 45 << 2 << true << false;
    QTest::newRow("sheet: topic over oral") << false << 5 << 0 << true << false;
    QTest::newRow("sheet: end row") << false << 1 << 35 << false << false;
    QTest::newRow("page: weighting label") << true << 0 << 0 << false << false;
    QTest::newRow("page: oral weight") << true << 5 << 0 << true << true;
    QTest::newRow("page: level weight") << true << 33 << 0 << true << false;
    QTest::newRow("page: subject name") << true << 0 << 3 << true << false;
    QTest::newRow("page: final") << true << 44 << 14 << true << true;
    QTest::newRow("page: carried row") << true << 5 << 15 << false << false;
}

void GradeSheetsTest::keyFilter()
{
    QFETCH(bool, page);
    QFETCH(int, column);
    QFETCH(int, row);
    QFETCH(bool, editable);
    ClassDocument doc;
    ScriptedPrompts prompts;
    SubjectSheet sheet(doc, 2);
    PersonPage personPage(doc, prompts);
    const SheetLogic &logic = page ? static_cast<const SheetLogic &>(personPage) : sheet;
    QCOMPARE(logic.isEditable(column, row), editable);
    if (editable)
        QTEST(logic.takesDigitsOnly(column, row), "digitsOnly");
}

void GradeSheetsTest::uncountedColour_data()
{
    QTest::addColumn<int>("column");
    QTest::addColumn<QString>("text");
    QTest::addColumn<bool>("uncounted");
    QTest::newRow("letter in oral") << 3 << "x" << true;
    QTest::newRow("minus in written") << 34 << "2-" << true;
    QTest::newRow("decimal in written") << 42 << "2,5" << true;
    QTest::newRow("plain result") << 2 << "2" << false;
    QTest::newRow("level letter") << 33 << "G" << false;
    QTest::newRow("level digits") << 35 << "4" << false;
    QTest::newRow("free grade text") << 45 << "Ü8" << false;
}

void GradeSheetsTest::uncountedColour()
{
    QFETCH(int, column);
    QFETCH(QString, text);
    QFETCH(bool, uncounted);
    ClassDocument doc;
    ScriptedPrompts prompts;
    doc.grid().setCell(column, 2, text);   // person 1, subject 2
    doc.grid().setCell(column, 602, text); // the topic above it
    SubjectSheet sheet(doc, 2);
    sheet.show();
    const QColor expected = uncounted ? SheetLogic::Uncounted : QColor(Qt::black);
    QCOMPARE(sheet.foreground(column, 1), expected);
    QCOMPARE(sheet.foreground(column, 0), QColor(Qt::black));
    PersonPage page(doc, prompts);
    page.show(0);
    QCOMPARE(page.foreground(column, 2), expected);
}

void GradeSheetsTest::halfDownFinalOnBothScreens()
{
    // Grade mode, half-down, 50:50; oral shown 2 and written 3: the final 2.5 is
    // rounded with factor 1 on the subject sheet but kept down on the person page.
    ClassDocument doc;
    doc.setHalfDown(true);
    doc.setSliderPosition(0);
    addPersons(doc, 1);
    SubjectSheet sheet(doc, 3);
    sheet.show();
    sheet.edit(1, 1, QStringLiteral("2"));
    sheet.edit(32, 1, QStringLiteral("3"));
    QCOMPARE(read(doc.grid(), 3, "31= 43="), "31=2 43=3");
    QEXPECT_FAIL("", "the subject sheet rounds its final value with the half-down factor",
                 Continue);
    QCOMPARE(doc.grid().cell(44, 3), "3");

    ScriptedPrompts prompts;
    PersonPage page(doc, prompts);
    page.show(0);
    page.commit();
    QCOMPARE(page.table().cell(44, 3), "2");
    QCOMPARE(doc.grid().cell(44, 3), "2");
}

void GradeSheetsTest::classField_data()
{
    QTest::addColumn<QString>("typed");
    QTest::addColumn<QString>("stored");
    QTest::addColumn<int>("messages");
    QTest::newRow("slash and question mark") << "7/b?" << "7b" << 1;
    QTest::newRow("all five") << "a.b\\c:d/e?" << "abcde" << 1;
    QTest::newRow("plain") << "8a" << "8a" << 0;
}

void GradeSheetsTest::classField()
{
    QFETCH(QString, typed);
    QFETCH(QString, stored);
    QFETCH(int, messages);
    ClassDocument doc;
    ScriptedPrompts prompts;
    PersonPage page(doc, prompts);
    page.show(3);
    QCOMPARE(page.setField(PersonPage::Class, typed), stored);
    QCOMPARE(page.field(PersonPage::Class), stored);
    QCOMPARE(doc.grid().cell(1, ClassDocument::dataRow(3)), stored);
    QVERIFY(!doc.isSaved());
    QCOMPARE(prompts.messages.size(), messages);
    if (messages)
        QCOMPARE(prompts.messages.first(), "Keine Sonderzeichen, bitte!");
}
