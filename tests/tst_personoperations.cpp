#include "classdata/classgrid.h"
#include "grades/personoperations.h"

#include <QtTest>

namespace {

enum Zone
{
    Block,
    Remarks,
    Verbal
};

struct Marker
{
    Zone zone;
    int column;
    int offset;
};

// Cells that belong to one person: data row, results, carried row, remarks, verbal block.
const Marker PersonCells[] = {{Block, 0, 16},  {Block, 1, 16},   {Block, 2, 16},  {Block, 20, 16},
                              {Block, 22, 16}, {Block, 23, 16},  {Block, 24, 16}, {Block, 25, 16},
                              {Block, 60, 16}, {Block, 166, 16}, {Block, 5, 3},   {Block, 44, 14},
                              {Block, 45, 7},  {Block, 3, 15},   {Remarks, 0, 0}, {Remarks, 150, 0},
                              {Verbal, 7, 3},  {Verbal, 36, 16}};

int rowOf(const Marker &marker, int slot)
{
    switch (marker.zone) {
    case Block:
        return slot * 17 + marker.offset;
    case Remarks:
        return 620 + slot;
    case Verbal:
        return 1000 + slot * 17 + marker.offset;
    }
    return -1;
}

QStringList personAt(const ClassGrid &grid, int slot)
{
    QStringList texts;
    for (const Marker &marker : PersonCells)
        texts << grid.cell(marker.column, rowOf(marker, slot));
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

// The class-wide columns of every data row (persons never write there) and the heading copy.
QStringList classWide(const ClassGrid &grid)
{
    QStringList texts;
    for (int slot = 0; slot < 34; ++slot)
        for (int c = 0; c < ClassGrid::Columns; ++c)
            if (isClassWideColumn(c))
                texts << grid.cell(c, slot * 17 + 16);
    for (int c = 46; c <= 168; ++c)
        texts << grid.cell(c, 0) << grid.cell(c, 1);
    return texts;
}

QStringList rows(const ClassGrid &grid, int first, int last)
{
    QStringList texts;
    for (int row = first; row <= last; ++row)
        for (int c = 0; c < ClassGrid::Columns; ++c)
            texts << grid.cell(c, row);
    return texts;
}

QStringList outsideZones(const ClassGrid &grid)
{
    return rows(grid, 578, 619) + rows(grid, 654, 999) + rows(grid, 1578, 1715);
}

QString weight(int column)
{
    return QStringLiteral("w%1").arg(column);
}

void fillClass(ClassGrid &grid, int persons)
{
    for (int block = 0; block < 34; ++block)
        for (int c = 0; c < 46; ++c)
            grid.setCell(c, block * 17, weight(c));
    for (int block = 0; block <= 34; ++block)
        for (int k = 1; k <= 14; ++k)
            grid.setCell(0, block * 17 + k, QStringLiteral("Fach-%1").arg(k));
    for (int block = 0; block < 34; ++block)
        for (int r = 0; r < 17; ++r)
            grid.setCell(0, 1000 + block * 17 + r, QStringLiteral("K%1").arg(r));
    for (int slot = 0; slot < persons; ++slot) {
        const QStringList texts = person(slot);
        for (int i = 0; i < texts.size(); ++i)
            grid.setCell(PersonCells[i].column, rowOf(PersonCells[i], slot), texts[i]);
    }
    QList<std::pair<int, int>> settings = {{10, 16}, {8, 33}, {10, 33}};
    for (int c = 26; c <= 31; ++c)
        settings.append({c, 16});
    for (int row : {16, 33, 50, 67})
        for (int c = 33; c <= 38; ++c)
            settings.append({c, row});
    for (int k = 0; k < 18; ++k)
        settings.append({16, k * 17 + 16});
    for (const auto &[column, row] : settings)
        grid.setCell(column, row, QStringLiteral("cw%1,%2").arg(column).arg(row));
    for (int c = 46; c <= 168; ++c) {
        grid.setCell(c, 0, QStringLiteral("date%1").arg(c));
        grid.setCell(c, 1, QStringLiteral("topic%1").arg(c));
    }
    const QList<std::pair<int, int>> outside = {
        {0, 578}, {47, 578},  {152, 579}, {50, 598}, {168, 599}, {15, 599}, {1, 600},
        {1, 601}, {166, 614}, {3, 654},   {2, 1578}, {5, 1600},  {3, 1714}, {0, 1715}};
    for (const auto &[column, row] : outside)
        grid.setCell(column, row, QStringLiteral("o%1,%2").arg(column).arg(row));
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
        }
    for (int c = 0; c < ClassGrid::Columns; ++c)
        found += grid.isEmpty(c, 620 + slot) ? 0 : 1;
    return found;
}

void checkWeights(const ClassGrid &grid)
{
    for (int block = 0; block < 34; ++block)
        for (int c = 0; c < 46; ++c)
            QCOMPARE(grid.cell(c, block * 17), weight(c));
}

} // namespace

class PersonOperationsTest : public QObject
{
    Q_OBJECT

private slots:
    void deletePerson_data();
    void deletePerson();
    void insertFreeSlot_data();
    void insertFreeSlot();
    void insertAfterLastPersonChangesNothing();
    void swapPersons_data();
    void swapPersons();
    void newSchoolYear_data();
    void newSchoolYear();
};

void PersonOperationsTest::deletePerson_data()
{
    QTest::addColumn<int>("persons");
    QTest::addColumn<int>("deleted");
    QTest::newRow("third of five") << 5 << 2;
    QTest::newRow("first of full class") << 34 << 0;
    QTest::newRow("last of full class") << 34 << 33;
}

void PersonOperationsTest::deletePerson()
{
    QFETCH(int, persons);
    QFETCH(int, deleted);
    ClassGrid grid;
    fillClass(grid, persons);
    const QStringList fixed = classWide(grid);
    const QStringList outside = outsideZones(grid);

    QVERIFY(PersonOperations::deletePerson(grid, deleted));

    for (int slot = 0; slot < 34; ++slot) {
        const int tag = slot < deleted ? slot : slot + 1;
        QCOMPARE(personAt(grid, slot), person(tag < persons ? tag : -1));
    }
    QCOMPARE(stragglers(grid, 33, 0), 0);
    checkWeights(grid);
    QCOMPARE(classWide(grid), fixed);
    QCOMPARE(outsideZones(grid), outside);
}

void PersonOperationsTest::insertFreeSlot_data()
{
    QTest::addColumn<int>("persons");
    QTest::addColumn<int>("after");
    QTest::newRow("after first, full class") << 34 << 0;
    QTest::newRow("before last, full class") << 34 << 32;
    QTest::newRow("inside five") << 5 << 2;
}

void PersonOperationsTest::insertFreeSlot()
{
    QFETCH(int, persons);
    QFETCH(int, after);
    ClassGrid grid;
    fillClass(grid, persons);
    const QStringList fixed = classWide(grid);
    const QStringList outside = outsideZones(grid);

    QVERIFY(PersonOperations::insertFreeSlot(grid, after));

    for (int slot = 0; slot < 34; ++slot) {
        const int tag = slot <= after ? slot : slot == after + 1 ? -1 : slot - 1;
        QCOMPARE(personAt(grid, slot), person(tag < persons ? tag : -1));
    }
    const int slot = after + 1;
    QCOMPARE(stragglers(grid, slot, 14), 0);
    for (int r = 0; r < 14; ++r)
        QCOMPARE(grid.cell(0, 1000 + slot * 17 + r), QStringLiteral("K%1").arg(r));
    checkWeights(grid);
    QCOMPARE(classWide(grid), fixed);
    QCOMPARE(outsideZones(grid), outside);
}

void PersonOperationsTest::insertAfterLastPersonChangesNothing()
{
    ClassGrid grid;
    fillClass(grid, 34);
    const quint64 revision = grid.revision();
    QVERIFY(!PersonOperations::insertFreeSlot(grid, 33));
    QCOMPARE(grid.revision(), revision);
}

void PersonOperationsTest::swapPersons_data()
{
    QTest::addColumn<int>("a");
    QTest::addColumn<int>("b");
    QTest::newRow("neighbours among furniture rows") << 2 << 3;
    QTest::newRow("first and last") << 0 << 33;
    QTest::newRow("across the last tab position") << 17 << 18;
}

void PersonOperationsTest::swapPersons()
{
    QFETCH(int, a);
    QFETCH(int, b);
    ClassGrid grid;
    fillClass(grid, 34);
    const QStringList fixed = classWide(grid);
    const QStringList outside = outsideZones(grid);

    QVERIFY(PersonOperations::swapPersons(grid, a, b));

    for (int slot = 0; slot < 34; ++slot)
        QCOMPARE(personAt(grid, slot), person(slot == a ? b : slot == b ? a : slot));
    checkWeights(grid);
    QCOMPARE(classWide(grid), fixed);
    QCOMPARE(outsideZones(grid), outside);
}

void PersonOperationsTest::newSchoolYear_data()
{
    QTest::addColumn<int>("column");
    QTest::addColumn<int>("row");
    QTest::addColumn<bool>("kept");
    const QList<std::tuple<const char *, int, int, bool>> cells = {
        {"name", 0, 33 * 17 + 16, true},
        {"photo", 20, 16, true},
        {"grade text", 45, 7, true},
        {"subject name", 0, 3, true},
        {"weight in first row", 30, 0, true},
        {"first subject name", 0, 1, true},
        {"first grade text", 45, 1, true},
        {"remark", 150, 653, true},
        {"grade mode", 15, 599, true},
        {"verbal switch", 0, 1715, true},
        {"weighting switch", 10, 16, true},
        {"subject 1 heading copy", 1, 600, true},
        {"result", 5, 3, false},
        {"first result", 1, 1, false},
        {"last final", 44, 33 * 17 + 14, false},
        {"carried row", 3, 15, false},
        {"labels block result", 10, 34 * 17 + 5, false},
        {"class", 1, 16, false},
        {"school year", 2, 33 * 17 + 16, false},
        {"attendance total", 47, 16, false},
        {"attendance", 105, 50, false},
        {"second half attendance", 166, 33 * 17 + 16, false},
        {"heading copy date", 46, 0, false},
        {"heading copy content", 168, 1, false},
        {"date", 46, 598, false},
        {"content", 168, 599, false},
        {"last topic", 166, 614, false},
        {"verbal mark", 36, 1577, false},
        {"below verbal blocks", 5, 1600, false},
        {"evaluation levels", 3, 1714, false},
        {"double lesson", 47, 578, false},
        {"double lesson second half", 152, 579, false},
    };
    for (const auto &[name, column, row, kept] : cells)
        QTest::newRow(name) << column << row << kept;
}

void PersonOperationsTest::newSchoolYear()
{
    QFETCH(int, column);
    QFETCH(int, row);
    QFETCH(bool, kept);
    ClassGrid grid;
    fillClass(grid, 34);
    grid.setCell(column, row, QStringLiteral("mark"));

    PersonOperations::clearForNewSchoolYear(grid);

    QCOMPARE(grid.cell(column, row), kept ? QStringLiteral("mark") : QString());
}

QTEST_GUILESS_MAIN(PersonOperationsTest)
#include "tst_personoperations.moc"
