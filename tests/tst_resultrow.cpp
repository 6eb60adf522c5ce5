#include "classdata/classgrid.h"
#include "classdata/sheettable.h"
#include "grades/gradewalk.h"
#include "grades/resultrow.h"

#include <QtTest>

using Grades::Screen;
using ResultRow::Settings;

Q_DECLARE_METATYPE(Screen)

namespace {

constexpr Screen Sheet = Screen::SubjectSheet;
constexpr Screen Page = Screen::PersonPage;

// Cells of one row written as "column=text" pairs separated by blanks.
void fill(SheetTable &table, int row, const QString &cells)
{
    for (const QString &pair : cells.split(u' ', Qt::SkipEmptyParts))
        table.setCell(pair.section(u'=', 0, 0).toInt(), row, pair.section(u'=', 1));
}

// The same pairs read back from the table.
QString pairs(const SheetTable &table, int row, const QString &cells)
{
    QStringList out;
    for (const QString &pair : cells.split(u' ', Qt::SkipEmptyParts)) {
        const int column = pair.section(u'=', 0, 0).toInt();
        out << QString::number(column) + u'=' + table.cell(column, row);
    }
    return out.join(u' ');
}

// Columns 31, 43, 44 and 45.
QString outcome(const SheetTable &table, int row)
{
    return QStringList{table.cell(31, row), table.cell(43, row), table.cell(44, row),
                       table.cell(45, row)}
        .join(u'|');
}

} // namespace

class ResultRowTest : public QObject
{
    Q_OBJECT

private slots:
    void row_data();
    void row();
    void personPageGoesOnPastFaults();
    void uncountedResult();
    void walkOverAllPersons();
};

void ResultRowTest::row_data()
{
    QTest::addColumn<Screen>("screen");
    QTest::addColumn<int>("options"); // 1 = points mode, 2 = half-down
    QTest::addColumn<int>("slider");
    QTest::addColumn<QString>("weights");
    QTest::addColumn<int>("row");
    QTest::addColumn<QString>("cells");
    QTest::addColumn<QString>("expected");
    QTest::addColumn<QString>("weightsAfter");
    const struct
    {
        const char *name;
        Screen screen;
        int options, slider;
        const char *weights;
        int row;
        const char *cells, *expected, *weightsAfter;
    } cases[] = {
        {"final from shown averages", Sheet, 0, 2, "", 3, "1=2 2=2 3=3 32=3", "2|3|2|", ""},
        {"points mode", Sheet, 3, 2, "", 3, "1=10 2=11 32=12", "11|12|11|2", ""},
        {"points mode on the page", Page, 3, 2, "", 3, "1=10 2=11 32=12", "11|12|11|2", ""},
        {"half-down final on the page", Page, 2, 0, "", 3, "1=2 32=3", "2|3|2|", ""},
        {"half-down final on the sheet", Sheet, 2, 0, "", 3, "1=2 32=3", "2|3|2|", ""},
        {"final 2.5 without the option", Sheet, 0, 0, "", 3, "1=2 32=3", "2|3|3|", ""},
        {"final 2.5 in points", Page, 1, 0, "", 3, "1=2 32=3", "2|3|3|5+", ""},
        {"level letters", Sheet, 0, 2, "", 3, "1=2 32=2 33=G 34=4 35=E1", "2|3|2|", ""},
        {"level digits", Sheet, 0, 2, "", 3, "1=2 32=2 33=5", "2|4|3|", ""},
        {"all-zero oral", Sheet, 0, 2, "", 3, "1=0 2=0 32=3", "|3||", ""},
        {"all-zero written", Page, 0, 2, "", 3, "1=2 32=0 34=0", "2|||", ""},
        {"only oral", Sheet, 0, 2, "", 3, "1=2 2=3", "3|||", ""},
        {"oral deleted, 45 kept", Sheet, 0, 2, "", 3, "31=2 32=3 44=2 45=Ü8", "|3||Ü8", ""},
        {"points mode empties 45", Page, 1, 2, "", 3, "31=11 32=12 44=11 45=2", "|12||", ""},
        {"pasted non-numbers", Sheet, 0, 2, "", 3, "1=x 2=2 3=4 32=2- 34=3 36=2,5", "3|3|3|", ""},
        // Half-down is on below, so an unweighted 2.5 shows "2" where the weights give 3.
        {"first subject weighted", Page, 2, 2, "1=1 2=2", 1, "1=1 2=4", "3|||", "1=1 2=2"},
        {"second subject unweighted", Page, 2, 2, "1=1 2=2", 2, "1=1 2=4", "2|||", ""},
        {"sheet unweighted", Sheet, 2, 2, "1=1 2=2", 1, "1=1 2=4", "2|||", "1=1 2=2"},
        {"empty weights become 1", Page, 2, 2, "", 3, "5=2 33=G 35=4 36=x", "2|4|3|",
         "5=1 6= 33= 35=1 36="},
        {"sheet leaves row 0 alone", Sheet, 2, 2, "", 3, "5=2 35=4", "2|4|3|", "5= 35="},
        {"decimal weight", Page, 2, 2, "33=0,5", 1, "32=2 33=5", "|3||", "32=1 33=0,5"},
        {"unreadable weight is 1", Page, 2, 2, "1=Øm.", 1, "1=1 2=4", "2|||", "1=Øm. 2=1"},
        {"all weights 0", Page, 2, 2, "1=0 2=0", 1, "1=2 2=3 32=2", "|2||", "1=0 2=0 32=1"},
    };
    for (const auto &c : cases) {
        const QString weightsAfter = QString::fromUtf8(c.weightsAfter);
        QTest::newRow(c.name) << c.screen << c.options << c.slider << QString::fromUtf8(c.weights)
                              << c.row << QString::fromUtf8(c.cells)
                              << QString::fromUtf8(c.expected) << weightsAfter;
    }
}

void ResultRowTest::row()
{
    QFETCH(Screen, screen);
    QFETCH(int, options);
    QFETCH(int, slider);
    QFETCH(QString, weights);
    QFETCH(int, row);
    QFETCH(QString, cells);
    QFETCH(QString, expected);
    QFETCH(QString, weightsAfter);

    SheetTable table(46, 16);
    fill(table, 0, weights);
    fill(table, row, cells);
    ResultRow::RecomputeRow(table, row, screen,
                            Settings{bool(options & 1), bool(options & 2), slider});
    QCOMPARE(outcome(table, row), expected);
    QCOMPARE(pairs(table, 0, weightsAfter), weightsAfter);
}

void ResultRowTest::personPageGoesOnPastFaults()
{
    SheetTable table(46, 16);
    fill(table, 0, "1=0");
    fill(table, 1, "1=2 2=x 32=2");
    fill(table, 7, "1=y 32=3");
    fill(table, 14, "1=4 32=2");
    ResultRow::RecomputePersonPage(table, Settings{false, true, 2});
    QCOMPARE(outcome(table, 1), "|2||");
    QCOMPARE(outcome(table, 7), "|3||");
    QCOMPARE(outcome(table, 14), "4|2|3|");
    QCOMPARE(pairs(table, 0, "1 2 32"), "1=0 2= 32=1");
}

void ResultRowTest::uncountedResult()
{
    const QList<std::pair<int, QString>> uncounted{
        {1, "x"}, {30, "2-"}, {42, "2,5"}, {32, "99999999999999999999"}};
    const QList<std::pair<int, QString>> counted{{1, "3"},  {32, ""},  {33, "G"},  {41, "E1"},
                                                 {35, "3"}, {31, "x"}, {45, "2-"}, {0, "Deutsch"}};
    for (const auto &[column, text] : uncounted)
        QVERIFY2(ResultRow::IsUncountedResult(column, text), qPrintable(text));
    for (const auto &[column, text] : counted)
        QVERIFY2(!ResultRow::IsUncountedResult(column, text), qPrintable(text));
}

void ResultRowTest::walkOverAllPersons()
{
    ClassGrid grid;
    const auto block = [](int person, int k) { return person * 17 + k; };
    grid.setCell(0, block(5, 16), "Anna");
    grid.setCell(0, block(9, 16), "Ben");
    grid.setCell(2, block(5, 0), "2"); // typed in block 5 only
    for (int person : {5, 7, 9}) {
        grid.setCell(1, block(person, 1), "1");
        grid.setCell(2, block(person, 1), "4");
        grid.setCell(31, block(person, 1), "old");
    }
    grid.setCell(1, block(9, 3), "2");
    grid.setCell(32, block(9, 3), "3");
    const QList<std::pair<int, int>> classCells{
        {10, 16}, {8, 33}, {10, 33}, {16, block(5, 16)}, {16, block(9, 16)}};
    for (const auto &[c, r] : classCells)
        grid.setCell(c, r, "class");

    QList<int> visited;
    GradeWalk::ApplyToAllPersons(grid, Settings{false, true, 2},
                                 [&](int person) { visited.append(person); });

    QCOMPARE(visited.size(), 34);
    QCOMPARE(visited.last(), 33);
    for (int n = 0; n < 34; ++n)
        QCOMPARE(grid.cell(1, block(n, 0)) + grid.cell(2, block(n, 0)), "12");
    QCOMPARE(grid.cell(31, block(5, 1)), "3");
    QCOMPARE(grid.cell(31, block(9, 1)), "3");
    QCOMPARE(grid.cell(44, block(9, 3)), "2");
    QCOMPARE(grid.cell(31, block(7, 1)), "old"); // free slot
    for (const auto &[c, r] : classCells)
        QCOMPARE(grid.cell(c, r), "class");
}

QTEST_GUILESS_MAIN(ResultRowTest)
#include "tst_resultrow.moc"
