// What the parts of the natural feel share: the generator of its touches (velocities, timing,
// the drummer's variations), which never disturbs the numbers the pattern choices use, and the
// drummer, who builds his bars himself (NaturalDrums.cpp).
#pragma once

#include "performance/CMMusicNoteList.h"
#include "performance/NaturalFeel.h"

#include <algorithm>
#include <cmath>
#include <cstdint>
#include <random>
#include <vector>

inline constexpr std::uint32_t kTicksPerBar = 384;
inline constexpr std::uint32_t kTicksPerBeat = 96;

class CMFeelRandom {
public:
    explicit CMFeelRandom(std::uint32_t seed) : m_generator(seed) {}

    // Uniform in [0, 1).
    double Uniform()
    {
        return static_cast<double>(m_generator() - std::minstd_rand::min()) /
               static_cast<double>(std::minstd_rand::max() - std::minstd_rand::min() + 1);
    }
    double Between(double low, double high) { return low + (high - low) * Uniform(); }
    // A whole number from `low` to `high`, both included.
    int Whole(int low, int high)
    {
        return low + static_cast<int>(Uniform() * static_cast<double>(high - low + 1));
    }
    bool Chance(double probability) { return Uniform() < probability; }
    // Near-normal with mean 0 and deviation 1 (a sum of four uniforms), never beyond ±3.5.
    double Normal()
    {
        double sum = 0.0;
        for (int i = 0; i < 4; ++i)
            sum += Uniform();
        return (sum - 2.0) * 1.7320508;
    }
    // `value` rounded up with the probability of its fraction, so that small offsets keep their
    // mean in whole ticks.
    int Dither(double value)
    {
        const double floor = std::floor(value);
        return static_cast<int>(floor) + (Chance(value - floor) ? 1 : 0);
    }

private:
    std::minstd_rand m_generator;
};

// A MIDI velocity from a shaped value.
inline std::uint8_t Velocity(double value)
{
    return static_cast<std::uint8_t>(std::clamp(static_cast<int>(std::lround(value)), 1, 127));
}

// The drummer's bars in the natural feel, in ticks of the performance (no swing or timing yet):
// each bar's library pattern, chosen as PlaySlots chooses it, with the ride varied, comping on
// snare and bass drum (cross-stick clave and bass-drum figure in a bossa nova), fills chosen by
// the phrase and a crash after each fill, at velocities shaped by the beat and the phrase.
std::vector<CMSoundingNote> PlayDrumsNaturally(const CMMusicPlayer& drums,
                                               const CMMusicPhraseList& slots,
                                               const CMPhraseMap& phrases,
                                               CMPerformanceRandom& random, CMFeelRandom& touch,
                                               int tempo);

// How loud a bar is played in its phrase: a slight rise through the section to its last bar.
inline double PhraseGain(const CMBarPlace& place)
{
    return 0.95 + 0.09 * (place.inSection + 0.5) / static_cast<double>(place.sectionLength);
}
