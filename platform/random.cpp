#include "random.h"

std::uint32_t ProgramRandom::next(std::uint32_t n) {
    m_seed = m_seed * 134775813u + 1u; // wraps modulo 2^32
    return static_cast<std::uint32_t>((static_cast<std::uint64_t>(m_seed) * n) >> 32);
}

ProgramRandom& programRandom() {
    static ProgramRandom instance;
    return instance;
}
