// Music signs drawn as outlines: the major-seventh triangle and the half-diminished sign of chord
// suffixes, always, and every other sign of the chart's music font when Emmentaler is missing.
// Sign outlines follow Emmentaler's conventions (staff spaces, y downward, origin at the sign's
// reference point) so both sources are placed alike.
#pragma once

#include <QPainterPath>

// The signs of the chart's music font, by what they show.
enum class CMGlyph {
    TrebleClef,
    BassClef,
    Flat,
    DoubleFlat,
    Natural,
    Sharp,
    DoubleSharp,
    Dot,
    Coda,
    WholeHead,
    HalfHead,
    FilledHead,
    EighthFlag,
    SixteenthFlag,
    ThirtySecondFlag,
    WholeRest,
    HalfRest,
    QuarterRest,
    EighthRest,
    SixteenthRest,
    ThirtySecondRest,
};

// A drawn outline of the sign, filled to draw it.
QPainterPath DrawnGlyph(CMGlyph glyph);

// Chord-suffix symbols in ems of the text they stand in, origin on the baseline at the left,
// y downward; the advance is the width they take in the text.
QPainterPath TriangleSymbol();
QPainterPath HalfDiminishedSymbol();
inline constexpr double kSuffixSymbolAdvance = 0.68;
