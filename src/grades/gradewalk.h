#pragma once

#include "resultrow.h"

#include <functional>

class ClassGrid;

// Brings every stored result row in line with changed class-wide settings.
namespace GradeWalk {

// Recomputes the person page of every person whose name is set and writes rows 1..15 back;
// the weighting row goes into row 0 of all 34 blocks, since it is one row for the class.
// progress, when set, receives each person index 0..33, stored or not.
void ApplyToAllPersons(ClassGrid &grid, const ResultRow::Settings &settings,
                       const std::function<void(int person)> &progress = {});

} // namespace GradeWalk
