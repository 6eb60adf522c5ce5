#include "classdata/classgrid.h"
#include "person/personoperations.h"

#include <QtTest>

namespace {

// A cell of the person in slot 0, and how far the same cell of the next slot lies below.
struct Marker
{
    int column;
    int row;
    int stride;
};

// Cells that belong to one person: data row, results, carried row, remarks, verbal block.
const Marker PersonCells[] = {{0, 16, 17}, {1, 16, 17},   {25, 16, 17},  {166, 16, 17},
                              {5, 3, 17},  {44, 14, 17},  {45, 7, 17},   {3, 15, 17},
                              {0, 620, 1}, {150, 620, 1}, {7, 1003, 17}, {36, 1016, 17}};

QStringList personAt(const ClassGrid &grid, int slot)
{
    QStringList texts;
    for (const Marker &m : PersonCells)
        texts << grid.cell(m.column, m.row + slot * m.stride);
    return texts;
}

// The texts person `tag` was given, or an empty person for tag -1.
QStringList person(int tag)
{
    QStringList texts;
    for (int i = 0; i < int(std::size(PersonCells)); ++i)
        texts << (tag < 0 ? QString() : QStringLiteral("p%1/%2").arg(tag).arg(i));
    return texts;
}

bool isClassWideColumn(int column)
{
    return column == 8 || column == 10 || column == 16 || (column >= 26 && column <= 38);
}

// What no move may change: the weighting rows, the class-wide columns of every data row
// (persons never write there), the heading copy in rows 0 and 1 and the zones around.
QStringList fixedCells(const ClassGrid &grid)
{
    QStringList texts;
    for (int slot = 0; slot < 34; ++slot)
        for (int c = 0; c < ClassGrid::Columns; ++c) {
            if (c < 46)
                texts << grid.cell(c, slot * 17);
            if (isClassWideColumn(c))
                texts << grid.cell(c, slot * 17 + 16);
        }
    for (int c = 46; c <= 168; ++c)
        texts << grid.cell(c, 0) << grid.cell(c, 1);
    const std::pair<int, int> zones[] = {{578, 619}, {654, 999}, {1578, 1715}};
    for (const auto &[first, last] : zones)
        for (int row = first; row <= last; ++row)
            for (int c = 0; c < ClassGrid::Columns; ++c)
                texts << grid.cell(c, row);
    return texts;
}

void fillClass(ClassGrid &grid, int persons)
{
    for (int block = 0; block < 34; ++block) {
        for (int c = 0; c < 46; ++c)
            grid.setCell(c, block * 17, QStringLiteral("w%1").arg(c));
        for (int r = 0; r < 17; ++r)
            grid.setCell(0, 1000 + block * 17 + r, QStringLiteral("K%1").arg(r));
    }
    for (int slot = 0; slot < persons; ++slot) {
        const QStringList texts = person(slot);
        for (int i = 0; i < texts.size(); ++i)
            grid.setCell(PersonCells[i].column, PersonCells[i].row + slot * PersonCells[i].stride,
                         texts[i]);
    }
    // Class-wide settings, then cells around the persons' zones.
    QList<std::pair<int, int>> settings = {{10, 16},   {8, 33},    {10, 33},   {0, 578},  {47, 578},
                                           {152, 579}, {50, 598},  {168, 599}, {15, 599}, {1, 600},
                                           {1, 601},   {166, 614}, {3, 654},   {2, 1578}, {5, 1600},
                                           {3, 1714},  {0, 1715}};
    for (int c = 26; c <= 31; ++c)
        settings.append({c, 16});
    for (int row : {16, 33, 50, 67})
        for (int c = 33; c <= 38; ++c)
            settings.append({c, row});
    for (int k = 0; k < 18; ++k)
        settings.append({16, k * 17 + 16});
    for (int c = 46; c <= 168; ++c) // the heading copy
        settings << std::pair{c, 0} << std::pair{c, 1};
    for (const auto &[column, row] : settings)
        grid.setCell(column, row, QStringLiteral("cw%1,%2").arg(column).arg(row));
}

// Cells a person may hold in its block and verbal block, for checking a place left empty.
int stragglers(const ClassGrid &grid, int slot, int criteria)
{
    int found = 0;
    for (int r = 0; r < 17; ++r)
        for (int c = 0; c < ClassGrid::Columns; ++c) {
            const bool weightCell = r == 0 && c < 46;
            if (!weightCell && !isClassWideColumn(c) && !grid.isEmpty(c, slot * 17 + r))
                ++found;
            if (!(c == 0 && r < criteria) && !grid.isEmpty(c, 1000 + slot * 17 + r))
                ++found;
            if (r == 0 && !grid.isEmpty(c, 620 + slot)) // remarks
                ++found;
        }
    return found;
}

} // namespace

class PersonOperationsTest : public QObject
{
    Q_OBJECT

private slots:
    void movePersons_data()
    {
        QTest::addColumn<char>("operation"); // delete, insert after a, swap
        QTest::addColumn<int>("persons");
        QTest::addColumn<int>("a");
        QTest::addColumn<int>("b");
        QTest::newRow("delete third of five") << 'd' << 5 << 2 << 0;
        QTest::newRow("delete first of full class") << 'd' << 34 << 0 << 0;
        QTest::newRow("insert after first") << 'i' << 34 << 0 << 0;
        QTest::newRow("insert after last changes nothing") << 'i' << 34 << 33 << 0;
        QTest::newRow("swap neighbours among furniture rows") << 's' << 34 << 2 << 3;
        QTest::newRow("swap first and last") << 's' << 34 << 0 << 33;
        QTest::newRow("swap across the last tab position") << 's' << 34 << 17 << 18;
    }
    void movePersons()
    {
        QFETCH(char, operation);
        QFETCH(int, persons);
        QFETCH(int, a);
        QFETCH(int, b);
        ClassGrid grid;
        fillClass(grid, persons);
        const QStringList fixed = fixedCells(grid);
        const quint64 revision = grid.revision();

        const bool done = operation == 'd'   ? PersonOperations::deletePerson(grid, a)
                          : operation == 'i' ? PersonOperations::insertFreeSlot(grid, a)
                                             : PersonOperations::swapPersons(grid, a, b);

        QCOMPARE(done, operation != 'i' || a < 33);
        for (int slot = 0; slot < 34; ++slot) {
            int tag = slot; // whom the slot holds afterwards
            if (operation == 'd')
                tag = slot < a ? slot : slot + 1;
            else if (operation == 's')
                tag = slot == a ? b : slot == b ? a : slot;
            else if (slot > a)
                tag = slot == a + 1 ? -1 : slot - 1;
            QCOMPARE(personAt(grid, slot), person(tag < persons ? tag : -1));
        }
        QCOMPARE(fixedCells(grid), fixed);
        if (!done)
            QCOMPARE(grid.revision(), revision);
        if (operation == 'd')
            QCOMPARE(stragglers(grid, 33, 0), 0);
        if (operation == 'i' && done) {
            // The new place is empty but for the criteria every person has.
            QCOMPARE(stragglers(grid, a + 1, 14), 0);
            for (int r = 0; r < 14; ++r)
                QCOMPARE(grid.cell(0, 1000 + (a + 1) * 17 + r), QStringLiteral("K%1").arg(r));
        }
    }

    void newSchoolYear()
    {
        // Persons, grade texts, subject names, weights, remarks, settings, heading copies.
        const QList<QPoint> kept = {{0, 577}, {20, 16},   {45, 1},   {45, 7},   {0, 1},   {0, 3},
                                    {30, 0},  {150, 653}, {15, 599}, {0, 1715}, {10, 16}, {1, 600}};
        // Results of blocks 0..34, class, year, attendance, course-book headings and their
        // copy, topics, verbal evaluations, levels, double lessons.
        const QList<QPoint> cleared = {{1, 1},     {5, 3},    {44, 575}, {3, 15},    {10, 583},
                                       {1, 16},    {2, 577},  {47, 16},  {105, 50},  {166, 577},
                                       {46, 0},    {168, 1},  {46, 598}, {168, 599}, {166, 614},
                                       {36, 1577}, {5, 1600}, {3, 1714}, {47, 578},  {152, 579}};
        ClassGrid grid;
        for (const QPoint &cell : kept + cleared)
            grid.setCell(cell.x(), cell.y(), QStringLiteral("mark"));

        PersonOperations::clearForNewSchoolYear(grid);

        const auto where = [](QPoint cell) {
            return QStringLiteral("cell %1,%2").arg(cell.x()).arg(cell.y()).toLocal8Bit();
        };
        for (const QPoint &cell : kept)
            QVERIFY2(grid.cell(cell.x(), cell.y()) == "mark", where(cell).constData());
        for (const QPoint &cell : cleared)
            QVERIFY2(grid.isEmpty(cell.x(), cell.y()), where(cell).constData());
    }
};

QTEST_GUILESS_MAIN(PersonOperationsTest)
#include "tst_personoperations.moc"
