#include "personoperations.h"

#include "classdata/classgrid.h"

#include <QString>

#include <vector>

namespace PersonOperations {

namespace {

constexpr int BlockRows = 17;
constexpr int LastPerson = PersonCount - 1;
constexpr int BlocksEnd = PersonCount * BlockRows; // 578: the labels-only block 34 starts here
constexpr int RemarksRow = 620;
constexpr int RemarksEnd = RemarksRow + PersonCount;
constexpr int VerbalRow = 1000;
constexpr int VerbalEnd = VerbalRow + PersonCount * BlockRows;
constexpr int WeightColumns = 46; // columns 0..45 of the weighting row
constexpr int CriteriaCopied = 14;

int blockRow(int person)
{
    return person * BlockRows;
}
int dataRow(int person)
{
    return person * BlockRows + 16;
}
int verbalRow(int person)
{
    return VerbalRow + person * BlockRows;
}
bool isPerson(int person)
{
    return person >= 0 && person < PersonCount;
}

struct CellRef
{
    int column;
    int row;
};

// Settings of the whole class that lie in rows moved with persons. They are taken out before a
// move and put back afterwards, so a person never carries them along nor meets foreign ones.
std::vector<CellRef> classWideCells()
{
    std::vector<CellRef> cells;
    cells.push_back({10, 16}); // single-grade weighting switch
    for (int c = 26; c <= 31; ++c)
        cells.push_back({c, 16}); // photo panel and small picture of the seating plan
    for (int person = 0; person < 4; ++person)
        for (int c = 33; c <= 38; ++c)
            cells.push_back({c, dataRow(person)}); // furniture of the seating plan
    cells.push_back({8, 33});                      // oral:written slider
    cells.push_back({10, 33});                     // version mark
    for (int k = 0; k < 18; ++k)
        cells.push_back({16, dataRow(k)}); // tab page positions
    // The copy of the course-book headings shares rows 0 and 1 with person 1.
    for (int row = 0; row <= 1; ++row)
        for (int c = 46; c <= 168; ++c)
            cells.push_back({c, row});
    return cells;
}

std::vector<QString> takeOutClassWide(ClassGrid &grid, const std::vector<CellRef> &cells)
{
    std::vector<QString> texts;
    texts.reserve(cells.size());
    for (const CellRef &cell : cells) {
        texts.push_back(grid.cell(cell.column, cell.row));
        grid.setCell(cell.column, cell.row, QString());
    }
    return texts;
}

void putBackClassWide(ClassGrid &grid, const std::vector<CellRef> &cells,
                      const std::vector<QString> &texts)
{
    for (size_t i = 0; i < cells.size(); ++i)
        grid.setCell(cells[i].column, cells[i].row, texts[i]);
}

void copyRow(ClassGrid &grid, int from, int to)
{
    for (int c = 0; c < ClassGrid::Columns; ++c)
        grid.setCell(c, to, grid.cell(c, from));
}

void clearRow(ClassGrid &grid, int row)
{
    for (int c = 0; c < ClassGrid::Columns; ++c)
        grid.setCell(c, row, QString());
}

void swapRows(ClassGrid &grid, int a, int b)
{
    for (int c = 0; c < ClassGrid::Columns; ++c) {
        const QString text = grid.cell(c, a);
        grid.setCell(c, a, grid.cell(c, b));
        grid.setCell(c, b, text);
    }
}

// Within the zone [first, end), removes `count` rows at `first`; the rest moves up and the
// rows freed at the end are emptied.
void removeRows(ClassGrid &grid, int first, int count, int end)
{
    for (int row = first; row + count < end; ++row)
        copyRow(grid, row + count, row);
    for (int row = end - count; row < end; ++row)
        clearRow(grid, row);
}

// Within the zone [first, end), opens `count` empty rows at `first`; rows pushed past `end`
// are dropped.
void insertRows(ClassGrid &grid, int first, int count, int end)
{
    for (int row = end - 1; row >= first + count; --row)
        copyRow(grid, row - count, row);
    for (int row = first; row < first + count; ++row)
        clearRow(grid, row);
}

std::vector<QString> commonWeights(const ClassGrid &grid)
{
    std::vector<QString> weights;
    for (int c = 0; c < WeightColumns; ++c)
        weights.push_back(grid.cell(c, 0));
    return weights;
}

// Every person's block holds the same weighting row, a freshly emptied one too.
void stampWeights(ClassGrid &grid, const std::vector<QString> &weights)
{
    for (int person = 0; person < PersonCount; ++person)
        for (int c = 0; c < WeightColumns; ++c)
            grid.setCell(c, blockRow(person), weights[size_t(c)]);
}

void clearRange(ClassGrid &grid, int firstColumn, int lastColumn, int firstRow, int lastRow)
{
    for (int row = firstRow; row <= lastRow; ++row)
        for (int c = firstColumn; c <= lastColumn; ++c)
            grid.setCell(c, row, QString());
}

} // namespace

bool deletePerson(ClassGrid &grid, int person)
{
    if (!isPerson(person))
        return false;
    const std::vector<QString> weights = commonWeights(grid);
    const std::vector<CellRef> fixed = classWideCells();
    const std::vector<QString> parked = takeOutClassWide(grid, fixed);
    removeRows(grid, blockRow(person), BlockRows, BlocksEnd);
    stampWeights(grid, weights);
    removeRows(grid, RemarksRow + person, 1, RemarksEnd);
    removeRows(grid, verbalRow(person), BlockRows, VerbalEnd);
    putBackClassWide(grid, fixed, parked);
    return true;
}

bool insertFreeSlot(ClassGrid &grid, int person)
{
    if (!isPerson(person) || person == LastPerson)
        return false;
    const int slot = person + 1;
    const std::vector<QString> weights = commonWeights(grid);
    const std::vector<CellRef> fixed = classWideCells();
    const std::vector<QString> parked = takeOutClassWide(grid, fixed);
    insertRows(grid, blockRow(slot), BlockRows, BlocksEnd);
    stampWeights(grid, weights);
    insertRows(grid, RemarksRow + slot, 1, RemarksEnd);
    insertRows(grid, verbalRow(slot), BlockRows, VerbalEnd);
    // The new place gets the evaluation criteria every other person already has.
    for (int r = 0; r < CriteriaCopied; ++r)
        grid.setCell(0, verbalRow(slot) + r, grid.cell(0, VerbalRow + r));
    putBackClassWide(grid, fixed, parked);
    return true;
}

bool swapPersons(ClassGrid &grid, int a, int b)
{
    if (!isPerson(a) || !isPerson(b))
        return false;
    if (a == b)
        return true;
    const std::vector<CellRef> fixed = classWideCells();
    const std::vector<QString> parked = takeOutClassWide(grid, fixed);
    // Row 0 of a block is the weighting row shared by all persons.
    for (int r = 1; r < BlockRows; ++r)
        swapRows(grid, blockRow(a) + r, blockRow(b) + r);
    swapRows(grid, RemarksRow + a, RemarksRow + b);
    for (int r = 0; r < BlockRows; ++r)
        swapRows(grid, verbalRow(a) + r, verbalRow(b) + r);
    putBackClassWide(grid, fixed, parked);
    return true;
}

void clearForNewSchoolYear(ClassGrid &grid)
{
    // Verbal evaluations and the individual evaluation levels.
    clearRange(grid, 0, ClassGrid::Columns - 1, VerbalRow, 1714);
    for (int person = 0; person < PersonCount; ++person) {
        const int row = dataRow(person);
        clearRange(grid, 47, 105, row, row);  // attendance and totals, first half-year
        clearRange(grid, 108, 166, row, row); // second half-year
        clearRange(grid, 1, 2, row, row);     // class and school year
    }
    // Course-book headings and their copy; columns 0..45 of rows 0 and 1 belong to person 1.
    clearRange(grid, 46, 168, 598, 599);
    clearRange(grid, 46, 168, 0, 1);
    clearRange(grid, 1, 166, 601, 614); // topics
    // Results, averages and finals of every block; column 45 and the weighting row stay.
    for (int block = 0; block <= PersonCount; ++block)
        clearRange(grid, 1, 44, blockRow(block) + 1, blockRow(block) + 15);
    clearRange(grid, 47, 152, 578, 579); // double-lesson marks
}

} // namespace PersonOperations
