// CMPerformanceRandom: the random numbers of one rendering. Its value is the next number to use;
// every choice of every player advances it, so the whole performance follows from the first
// value. The first value is the seed itself (the calendar time when playing), then the
// generator's outputs follow.
#pragma once

#include <cstdint>
#include <random>

class CMPerformanceRandom {
public:
    explicit CMPerformanceRandom(std::uint32_t seed) : m_value(seed), m_generator(seed) {}

    std::uint32_t Value() const { return m_value; }
    void Advance() { m_value = static_cast<std::uint32_t>(m_generator()); }

private:
    std::uint32_t m_value;
    std::minstd_rand m_generator;
};
