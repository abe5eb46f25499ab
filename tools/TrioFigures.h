// The figures by which a performance of the trio is judged as music, read from its MIDI file:
// how far the piano's top voice moves at chord changes and whether its notes lie in the chords'
// scales, how many velocities sound, how many drum bars differ, how often the bass wobbles
// (note, neighbour, note) and lands on the root, and how many onsets sit exactly on the grid.
// They are measurements for bench/ and the tests, never part of a performance.
#pragma once

#include "midi/playback/CMMidiSequence.h"

#include <array>
#include <cstdint>
#include <vector>

class CMMusicSong;

// One chord of a performance as played: where it starts and how long it lasts (ticks of the MIDI
// file), its scale kinds, its root and the bass note under it (the root when it has none).
struct CMChordAsPlayed {
    std::uint32_t tick = 0;
    std::uint32_t length = 0;
    std::uint32_t scaleMask = 0;
    int root = 0;  // pitch classes
    int bass = 0;
};

// The chords of `song` performed with `repeats` choruses, intro and verse, moved by `transpose`,
// the first starting at `startTick`. Chords in parentheses are left out.
std::vector<CMChordAsPlayed> ChordsAsPlayed(const CMMusicSong& song, int repeats, bool intro,
                                            bool verse, int transpose, std::uint32_t startTick);

enum CMTrioPart : std::size_t { PartBass = 0, PartPiano = 1, PartDrums = 2 };

struct CMTrioFigures {
    int topVoiceChanges = 0;         // chord changes with a piano voicing on both sides
    double topVoiceMove = 0;         // mean semitones the top voice moves at those changes
    double topVoiceLeaps = 0;        // share of those moves larger than a fifth
    int pianoNotes = 0;              // piano notes under a chord with scales
    double pianoInScale = 0;         // share of them in one of the chord's scales
    int distinctVelocities = 0;      // velocities of the notes of every part
    int drumBars = 0;                // bars in which the drums play
    double distinctDrumBars = 0;     // share of them unlike every other (keys and onsets)
    int bassBars = 0;                // bars in which the bass plays
    double bassWobbleBars = 0;       // share of them with a note, a neighbour and the note again
    int chordStarts = 0;             // chords the bass is measured at
    double bassOnChordRoot = 0;      // share of them starting on their bass note or root
    std::array<double, 3> onGrid{};  // per part, the share of onsets on sixteenths or triplets
};

// The MIDI channels of the parts in a performance's file.
struct CMTrioChannels {
    int bass = 1;
    int piano = 2;
    int drums = 9;
};

// The figures of the performance in `midi` (96 ticks a quarter note) of `chords`, whose music
// starts at `startTick` (the count-in and the silent measure before it are left out).
CMTrioFigures MeasureTrio(const CMMidiSequence& midi, const std::vector<CMChordAsPlayed>& chords,
                          std::uint32_t startTick, CMTrioChannels channels = CMTrioChannels());
