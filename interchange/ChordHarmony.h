// A chord of the song as notation programs describe one: a kind (major, minor-seventh,
// dominant-ninth ...) that names the triad, the sixth or seventh and the stacked tensions, and
// the further tensions and altered fifths as degrees added to it or altering it. Every flag of
// the chord is said exactly once.
#pragma once

#include "music/CMMusicChord.h"

#include <string>
#include <vector>

struct CMHarmonyDegree {
    bool operator==(const CMHarmonyDegree&) const = default;

    int value = 0;      // the scale step: 5, 6, 7, 9, 11, 13
    int alter = 0;      // semitones from the major scale's step: -1, 0, +1
    bool add = true;    // added to the kind; false: it alters a step the kind has
    bool shown = true;  // false when the kind's text already shows it (the 9 of "69")
};

struct CMHarmony {
    std::string kind;  // MusicXML's word: "major", "minor-seventh", "half-diminished" ...
    std::string text;  // how the kind is written: "", "m7", "m7b5" ...
    std::vector<CMHarmonyDegree> degrees;
};

CMHarmony HarmonyOf(const CMMusicChord& chord);
