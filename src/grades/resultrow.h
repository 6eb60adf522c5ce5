#pragma once

#include "gradescale.h"

#include <QStringView>

class SheetTable;

// One result row of a subject sheet or of the person page: 0 label, 1..30 oral results,
// 31 oral average, 32..42 written results (the odd columns are level cells that count only
// when they hold digits), 43 written average, 44 final value, 45 grade text in points mode.
namespace ResultRow {

enum Column
{
    FirstOral = 1,
    LastOral = 30,
    OralAverage = 31,
    FirstWritten = 32,
    LastWritten = 42,
    WrittenAverage = 43,
    FinalValue = 44,
    GradeText = 45,
    ColumnCount = 46,
};

// On the person page row 0 holds the weights; they act on the first subject only.
constexpr int WeightingRow = 0;
constexpr int FirstSubjectRow = 1;
constexpr int SubjectCount = 14;
constexpr int PersonPageRows = 16;

struct Settings
{
    bool pointsMode = false;
    bool halfDown = true;
    int sliderPosition = 2; // 0..4 = 50:50 .. 70:30
};

bool IsLevelColumn(int column);

// Text in a result cell that is not a number (pasted "x" or "2-"): it counts as no result,
// and the sheets mark it. Letters in a level cell are levels, never such a cell.
bool IsUncountedResult(int column, QStringView text);

// Recomputes columns 31, 43, 44 and, in points mode, 45 of one row (1 or below). On the
// person page an empty weight above a counted result becomes "1".
void RecomputeRow(SheetTable &table, int row, Grades::Screen screen, const Settings &settings);

// Rows 1..14 of a person page table (46 x 16) in order.
void RecomputePersonPage(SheetTable &table, const Settings &settings);

} // namespace ResultRow
