// CMMusicInterval: moving spelled notes as notation programs transpose, by a number of letters and
// a number of semitones, so that every note keeps its place in the key: C#m7b5 in A minor moved
// up a major second is D#m7b5 in B minor, not Ebm7b5. The chart transposes this way;
// CMMusicNotationSymbol::Transpose, which re-spells every pitch in the default spelling, stays
// the rule of the performance and the listing.
#pragma once

#include "music/CMMusicChord.h"

// A pitch as a staff writes it: its line or space (letter index C = 0 .. B = 6, plus 7 for each
// octave) and its alteration in semitones (-2 double flat to 2 double sharp).
struct CMWrittenPitch {
    bool operator==(const CMWrittenPitch&) const = default;

    int step = 0;
    int alteration = 0;
};

class CMMusicInterval {
public:
    // The unison, which moves nothing.
    CMMusicInterval() = default;
    CMMusicInterval(int letters_, int semitones_) : letters(letters_), semitones(semitones_) {}

    bool IsUnison() const { return letters == 0 && semitones == 0; }

    // The pitch moved; an alteration beyond a single sharp or flat is written on the neighbouring
    // letter instead (E double sharp as F sharp, C double flat as B flat).
    CMWrittenPitch Move(CMWrittenPitch pitch) const;
    // Moves a spelled note (octave not counted); false, changing nothing, without a letter.
    bool Apply(CMMusicNotationSymbol& symbol) const;
    // Moves the root and, when there is one, the bass note.
    bool Apply(CMMusicChord& chord) const;

    int letters = 0;  // staff steps, negative downward
    int semitones = 0;
};

// The alteration a spelled note's accidental byte stands for (none and natural: 0).
int AlterationOf(std::uint8_t accidental);
// The accidental byte of an alteration from -2 to 2: 0 gives none.
std::uint8_t AccidentalOf(int alteration);
// The semitones of a letter index (C = 0 .. B = 6) without accidental: 0, 2, 4, 5, 7, 9, 11.
int NaturalSemitone(int letterIndex);
