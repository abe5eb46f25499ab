// The natural feel: the same musicians with the same libraries, chords and scales, playing the
// way a trio plays rather than as written. The pianist prefers the voicing and octave that move
// least from the last one, the bassist avoids note-neighbour-note wobbles where another approach
// fits, velocities follow the beat and the phrase, each part sits a little ahead of or behind the
// beat with a few milliseconds of looseness, the swing eases towards even eighths as the tempo
// rises, and the drummer varies the ride, comps, plays fills chosen by the phrase and marks the bar
// after a fill (in a bossa nova: a cross-stick clave and a bass-drum figure). Every decision
// follows from the seed, so a seed gives one performance.
#pragma once

#include "performance/CMMusicPlayer.h"
#include "performance/CMPerformanceRandom.h"

#include <cstddef>
#include <cstdint>
#include <vector>

class CMMidiFile;

// Where a bar stands in its section.
struct CMBarPlace {
    std::uint32_t kind = 0;  // its drum slot's mask: a fill (SlotKeyMeasure), the end or ordinary
    int inSection = 0;       // bars before it in its section
    int sectionLength = 1;   // bars in its section
};

// The bars of a performance as the drummer's measure slots mark them: a section ends with the
// fill before a boundary or with the ending.
class CMPhraseMap {
public:
    explicit CMPhraseMap(const CMMusicPhraseList& measureSlots);

    // The place of bar `bar` (0: the first bar of the music); past the end, the last bar's.
    const CMBarPlace& At(std::size_t bar) const;
    std::size_t GetBarCount() const { return m_bars.size(); }

private:
    std::vector<CMBarPlace> m_bars;
};

// Plays `slots` with `player`'s library in the natural feel into the MIDI file's last track, at
// `tempo` beats per minute. The patterns are chosen with numbers from `random`, shared by the
// players as in PlaySlots; the touches of the feel come from a generator of the player's own,
// seeded from `seed` and the instrument.
void PlayNaturally(const CMMusicPlayer& player, CMMidiFile& file, const CMMusicPhraseList& slots,
                   const CMPhraseMap& phrases, CMPerformanceRandom& random, std::uint32_t seed,
                   int tempo);
