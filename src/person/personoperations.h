#pragma once

class ClassGrid;

// Moves, inserts, deletes and clears persons of a class directly in the ClassGrid.
// A person i owns its PersonBlock (rows i*17 .. i*17+16), its remarks row 620+i and its
// verbal block (rows 1000+i*17 .. 1000+i*17+16). The class-wide settings that happen to lie
// in rows of persons never move with a person.
namespace PersonOperations {

constexpr int PersonCount = 34;

// Removes person i; later persons move up one place and the last place becomes free.
// Returns false, changing nothing, for an index outside 0..33.
bool deletePerson(ClassGrid &grid, int person);

// Opens a free place right after person i; the last person is dropped. Returns false,
// changing nothing, for the last person (nothing fits after it) or an index outside 0..33.
bool insertFreeSlot(ClassGrid &grid, int person);

// Exchanges the list places of persons a and b. Returns false for an index outside 0..33.
bool swapPersons(ClassGrid &grid, int a, int b);

// Empties grades, course books, topics, class and school year and the verbal evaluations;
// keeps persons, remarks, subject names, weights and settings.
void clearForNewSchoolYear(ClassGrid &grid);

} // namespace PersonOperations
