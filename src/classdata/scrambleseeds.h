#pragma once

#include <cstdint>

// The seeds of the two scramblers. They must never change: every class file and every
// stored photo ever written depends on them.
namespace ScrambleSeeds {
constexpr uint32_t Cell = 47;   // two digits
constexpr uint32_t Photo = 613; // three digits
} // namespace ScrambleSeeds
