#pragma once

#include <cstdint>

// The program-wide pseudo-random generator. It starts at seed 0 and is never
// reseeded, so a session's sequence of placements is reproducible.
class ProgramRandom {
public:
    // 0 <= r < n: steps the seed, then the upper 32 bits of seed * n.
    std::uint32_t next(std::uint32_t n);

    std::uint32_t seed() const { return m_seed; }
    void setSeed(std::uint32_t seed) { m_seed = seed; }

private:
    std::uint32_t m_seed = 0;
};

// The one instance for the whole program.
ProgramRandom& programRandom();
