#include "resultrow.h"

#include "sheetkit/sheettable.h"

using Grades::Fixed;

namespace ResultRow {

namespace {

bool IsResultColumn(int column)
{
    return (column >= FirstOral && column <= LastOral) ||
           (column >= FirstWritten && column <= LastWritten && !IsLevelColumn(column));
}

bool CountedValue(QStringView text, Fixed *value)
{
    if (text.isEmpty() || !Grades::IsDigitsOnly(text))
        return false;
    bool ok = false;
    *value = Grades::ParseResult(text, &ok);
    return ok;
}

struct Part
{
    Fixed sum;
    Fixed weights;
};

Part Accumulate(SheetTable &table, int row, int first, int last, Grades::Screen screen)
{
    const bool personPage = screen == Grades::Screen::PersonPage;
    const bool weighted = personPage && row == FirstSubjectRow;
    Part part;
    for (int c = first; c <= last; ++c) {
        Fixed value;
        if (!CountedValue(table.cell(c, row), &value))
            continue;
        if (personPage && table.cell(c, WeightingRow).isEmpty())
            table.setCell(c, WeightingRow, QStringLiteral("1"));
        Fixed weight = Grades::FromWhole(1);
        if (weighted) {
            bool ok = false;
            const Fixed typed = Grades::ParseResult(table.cell(c, WeightingRow), &ok);
            if (ok)
                weight = typed;
        }
        part.weights = Grades::Sum(part.weights, weight);
        part.sum = Grades::Sum(part.sum, Grades::Product(value, weight));
    }
    return part;
}

// A part whose results are all 0 has no average, like one without results.
QString Average(const Part &part, Fixed factor)
{
    if (part.sum.tt == 0 || part.weights.tt == 0)
        return QString();
    return Grades::RoundForDisplay(Grades::Quotient(part.sum, part.weights), factor);
}

} // namespace

bool IsLevelColumn(int column)
{
    return column > FirstWritten && column < LastWritten && column % 2 == 1;
}

bool IsUncountedResult(int column, QStringView text)
{
    if (!IsResultColumn(column) && !IsLevelColumn(column))
        return false;
    if (text.isEmpty())
        return false;
    if (!Grades::IsDigitsOnly(text))
        return !IsLevelColumn(column);
    bool ok = false;
    Grades::ParseResult(text, &ok);
    return !ok;
}

void RecomputeRow(SheetTable &table, int row, Grades::Screen screen, const Settings &settings)
{
    if (row < 1)
        return;
    const Fixed factor = Grades::HalfDownFactor(screen, settings.pointsMode, settings.halfDown);

    const QString oral = Average(Accumulate(table, row, FirstOral, LastOral, screen), factor);
    table.setCell(OralAverage, row, oral);
    const QString written =
        Average(Accumulate(table, row, FirstWritten, LastWritten, screen), factor);
    table.setCell(WrittenAverage, row, written);

    // The final value weighs the whole numbers shown, not the exact averages.
    bool oralOk = false;
    bool writtenOk = false;
    const Fixed shownOral = Grades::ParseResult(oral, &oralOk);
    const Fixed shownWritten = Grades::ParseResult(written, &writtenOk);
    if (!oralOk || !writtenOk) {
        table.setCell(FinalValue, row, QString());
        if (settings.pointsMode)
            table.setCell(GradeText, row, QString());
        return;
    }
    const Grades::Weights w = Grades::OralWrittenWeights(settings.sliderPosition);
    const Fixed weighted =
        Grades::Sum(Grades::Product(shownOral, w.oral), Grades::Product(shownWritten, w.written));
    const Fixed finalValue = Grades::Quotient(weighted, Grades::FromWhole(100));
    table.setCell(FinalValue, row, Grades::RoundForDisplay(finalValue, factor));
    if (settings.pointsMode)
        table.setCell(GradeText, row, Grades::PointsToGrade(finalValue));
}

void RecomputePersonPage(SheetTable &table, const Settings &settings)
{
    for (int row = FirstSubjectRow; row < FirstSubjectRow + SubjectCount; ++row)
        RecomputeRow(table, row, Grades::Screen::PersonPage, settings);
}

} // namespace ResultRow
