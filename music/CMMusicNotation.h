// CMMusicNotation: one symbol of a note block: a pitch with octave, or (letter 0) a rest or slash
// (accidental byte 0) or a bar line (accidental byte 1), with its note value, dots and tuplet.
#pragma once

#include "core/CMList.h"
#include "music/CMMusicNotationSymbol.h"

#include <cstdint>

enum CMNoteValue : std::uint8_t {
    NoteWhole = 0,
    NoteHalf,
    NoteQuarter,
    NoteEighth,
    NoteSixteenth,
    NoteThirtySecond,
};

class CMMusicNotation : public CMMusicKeyNumber, public IMComparison<CMMusicNotation> {
public:
    CMMusicNotation() = default;

    // Share of a 4/4 measure's drawing width: 0.975 for a whole note, halved for each shorter
    // value; each dot adds half the previous addition; a triplet takes two thirds.
    double GetWidth() const;

    std::uint8_t value = NoteQuarter;
    std::uint8_t dots = 0;
    std::uint8_t tuplet = 0;
};
