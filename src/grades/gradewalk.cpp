#include "gradewalk.h"

#include "classdata/classdocument.h"
#include "classdata/classgrid.h"
#include "sheetkit/sheettable.h"

namespace GradeWalk {

void ApplyToAllPersons(ClassGrid &grid, const ResultRow::Settings &settings,
                       const std::function<void(int person)> &progress)
{
    constexpr int Columns = ResultRow::ColumnCount;
    constexpr int Rows = ResultRow::PersonPageRows;
    SheetTable page(Columns, Rows);
    for (int person = 0; person < ClassDocument::PersonCount; ++person) {
        const int top = person * ClassDocument::BlockRows;
        if (!grid.isEmpty(0, ClassDocument::dataRow(person))) {
            for (int r = 0; r < Rows; ++r)
                for (int c = 0; c < Columns; ++c)
                    page.setCell(c, r, grid.cell(c, top + r));

            ResultRow::RecomputePersonPage(page, settings);

            for (int r = 1; r < Rows; ++r)
                for (int c = 1; c < Columns; ++c)
                    grid.setCell(c, top + r, page.cell(c, r));
            for (int block = 0; block < ClassDocument::PersonCount; ++block)
                for (int c = 1; c < Columns; ++c)
                    grid.setCell(c, block * ClassDocument::BlockRows, page.cell(c, 0));
        }
        if (progress)
            progress(person);
    }
}

} // namespace GradeWalk
