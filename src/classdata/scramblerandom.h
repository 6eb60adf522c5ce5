#pragma once

#include <cstdint>

// The linear congruential generator both scramblers draw from.
// next(n) returns a number from 0 to n-1.
class ScrambleRandom
{
public:
    explicit ScrambleRandom(uint32_t seed) : m_state(seed) {}

    uint32_t next(uint32_t n)
    {
        m_state = m_state * 134775813u + 1u;
        return uint32_t((uint64_t(m_state) * n) >> 32);
    }

private:
    uint32_t m_state;
};
