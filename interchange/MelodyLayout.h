// The melody and the lyrics of a song laid into its measures for a notation file: durations in
// divisions of a quarter, notes longer than what is left of a measure cut at the bar line and tied
// into the next one (the notes after them follow there), short measures filled up with rests,
// triplets bracketed, pitches written in the key shown, and each lyric on the note that starts at
// its beat (or the next note of the measure that has none yet).
#pragma once

#include "music/CMMusicSong.h"
#include "music/KeySignature.h"

#include <string>
#include <vector>

inline constexpr int kDivisionsPerQuarter = 768;

struct CMLaidNote {
    bool rest = false;
    // The written pitch: letter (0 C .. 6 B), octave (4 from middle C) and alteration.
    int letter = 0;
    int octave = 4;
    int alteration = 0;
    bool accidental = false;  // shown before the note
    int start = 0;            // in divisions from the start of the measure
    int duration = 0;         // in divisions
    int value = 2;            // 0 whole .. 5 thirty-second; 6, 7 only in rests that fill up
    int dots = 0;
    bool triplet = false;
    bool tupletStart = false;
    bool tupletStop = false;
    bool tieStart = false;
    bool tieStop = false;
    std::string lyric;
    const char* syllabic = "single";  // "begin", "middle", "end" for a word split by hyphens
};

// Lyrics that no note of the melody carries: shown as words at their beat.
struct CMLooseLyric {
    int measure = 0;
    int start = 0;  // divisions
    std::string text;
};

struct CMLaidMelody {
    std::vector<std::vector<CMLaidNote>> measures;  // one list per measure; empty: no melody
    std::vector<CMLooseLyric> looseLyrics;
    std::vector<std::string> warnings;
};

// Lays the song's melody and lyrics into `measureCount` measures of `measureLength` divisions,
// spelled for the key `display` (the song's key moved for reading).
CMLaidMelody LayMelody(const CMMusicSong& song, const CMKeyTransposition& display, int measureCount,
                       int measureLength);
