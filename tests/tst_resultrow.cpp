#include "classdata/classgrid.h"
#include "grades/gradewalk.h"
#include "grades/resultrow.h"
#include "sheetkit/sheettable.h"
#include "testsupport.h"

#include <QtTest>

using Grades::Screen;
using ResultRow::Settings;
using TestSupport::fill;

namespace {

constexpr Screen Sheet = Screen::SubjectSheet;
constexpr Screen Page = Screen::PersonPage;
constexpr Settings Plain{false, false, 2}, HalfDown{false, true, 2}, Points{true, true, 2};

// Row 0 holds the weights; "expected" is columns 31|43|44|45 of the recomputed row.
const struct
{
    const char *name;
    Screen screen;
    Settings settings;
    int row;
    const char *weights, *cells, *expected, *weightsAfter;
} Cases[] = {
    {"final from shown averages", Sheet, Plain, 3, "", "1=2 2=2 3=3 32=3", "2|3|2|", ""},
    {"points mode", Sheet, Points, 3, "", "1=10 2=11 32=12", "11|12|11|2", ""},
    {"half-down final on the page", Page, {false, true, 0}, 3, "", "1=2 32=3", "2|3|2|", ""},
    {"half-down final on the sheet", Sheet, {false, true, 0}, 3, "", "1=2 32=3", "2|3|2|", ""},
    {"final 2.5 without the option", Sheet, {false, false, 0}, 3, "", "1=2 32=3", "2|3|3|", ""},
    {"all-zero written", Page, Plain, 3, "", "1=2 32=0 34=0", "2|||", ""},
    {"only oral", Sheet, Plain, 3, "", "1=2 2=3", "3|||", ""},
    {"last oral and written columns count", Sheet, Plain, 3, "", "1=1 30=3 32=1 42=3", "2|2|2|",
     ""},
    {"last columns on the page", Page, Plain, 5, "", "1=1 30=3 32=1 42=3", "2|2|2|", ""},
    {"all-zero oral, 45 kept", Sheet, Plain, 3, "", "1=0 2=0 31=2 32=3 44=2 45=Ü8", "|3||Ü8", ""},
    {"points mode empties 45", Page, Points, 3, "", "31=11 32=12 44=11 45=2", "|12||", ""},
    {"pasted non-numbers", Sheet, Plain, 3, "", "1=x 2=2 3=4 32=2- 34=3 36=2,5", "3|3|3|", ""},
    // Half-down is on below, so an unweighted 2.5 shows "2" where the weights give 3; an
    // unreadable weight counts as 1.
    {"first subject weighted", Page, HalfDown, 1, "1=Øm. 2=2 33=0,5", "1=1 2=4 32=2 33=6", "3|3|3|",
     "1=Øm. 2=2 32=1 33=0,5"},
    {"second subject unweighted", Page, HalfDown, 2, "1=1 2=2", "1=1 2=4", "2|||", ""},
    {"sheet unweighted", Sheet, HalfDown, 1, "1=1 2=2", "1=1 2=4 5=2", "2|||", "1=1 2=2 5="},
    {"level cells, empty weights", Page, HalfDown, 3, "", "5=2 33=G 35=4 36=x", "2|4|3|",
     "5=1 6= 33= 35=1 36="},
    {"all weights 0", Page, HalfDown, 1, "1=0 2=0", "1=2 2=3 32=2", "|2||", "1=0 2=0 32=1"},
};

} // namespace

class ResultRowTest : public QObject
{
    Q_OBJECT

private slots:
    void row_data()
    {
        QTest::addColumn<int>("index");
        for (int n = 0; n < int(std::size(Cases)); ++n)
            QTest::newRow(Cases[n].name) << n;
    }

    void row()
    {
        QFETCH(int, index);
        const auto &c = Cases[index];
        SheetTable table(46, 16);
        fill(table, 0, c.weights);
        fill(table, c.row, c.cells);
        ResultRow::RecomputeRow(table, c.row, c.screen, c.settings);
        QStringList outcome;
        for (int column : {31, 43, 44, 45})
            outcome << table.cell(column, c.row);
        QCOMPARE(outcome.join(u'|'), c.expected);
        QCOMPARE(TestSupport::read(table, 0, c.weightsAfter), c.weightsAfter);
    }

    void uncountedResult()
    {
        const auto uncounted = [](const QString &pair) {
            return ResultRow::IsUncountedResult(pair.section(u'=', 0, 0).toInt(),
                                                pair.section(u'=', 1));
        };
        for (const char *pair : {"1=x", "30=2-", "42=2,5", "32=99999999999999999999"})
            QVERIFY2(uncounted(pair), pair);
        for (const char *pair : {"1=3", "32=", "33=G", "41=E1", "35=3", "31=x", "45=2-", "0=Name"})
            QVERIFY2(!uncounted(pair), pair);
    }

    void walkOverAllPersons()
    {
        ClassGrid grid;
        const auto block = [](int person, int k) { return person * 17 + k; };
        grid.setCell(0, block(5, 16), "Anna");
        grid.setCell(0, block(9, 16), "Ben");
        grid.setCell(2, block(5, 0), "2"); // typed in block 5 only
        for (int person : {5, 7, 9})
            fill(grid, block(person, 1), "1=1 2=4 31=old");
        fill(grid, block(9, 3), "1=2 32=3");
        fill(grid, block(9, 14), "1=4 32=2");
        const QList<std::pair<int, int>> classCells{
            {10, 16}, {8, 33}, {10, 33}, {16, block(5, 16)}, {16, block(9, 16)}};
        for (const auto &[c, r] : classCells)
            grid.setCell(c, r, "class");

        QList<int> visited;
        GradeWalk::ApplyToAllPersons(grid, HalfDown, [&](int person) { visited.append(person); });

        QCOMPARE(visited.size(), 34);
        QCOMPARE(visited.last(), 33);
        for (int n = 0; n < 34; ++n)
            QCOMPARE(grid.cell(1, block(n, 0)) + grid.cell(2, block(n, 0)), "12");
        QCOMPARE(grid.cell(31, block(5, 1)) + grid.cell(31, block(9, 1)), "33");
        QCOMPARE(grid.cell(44, block(9, 3)) + grid.cell(44, block(9, 14)), "23");
        QCOMPARE(grid.cell(31, block(7, 1)), "old"); // free slot
        for (const auto &[c, r] : classCells)
            QCOMPARE(grid.cell(c, r), "class");
    }
};

QTEST_GUILESS_MAIN(ResultRowTest)
#include "tst_resultrow.moc"
