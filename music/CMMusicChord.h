// CMMusicChord: one item of a chord block in normal form. A chord is a root (the symbol base), a
// triad kind, twelve extension flags, an optional bass note and its length in the measure; items
// with letter 0 are slashes, bar signs (kind = bar kind) or section labels (kind = label code).
// The compiler reduces every spelling to this form (Cmaj7 and CM7 give the same chord).
#pragma once

#include "core/CMList.h"
#include "music/CMMusicNotationSymbol.h"

#include <cstdint>

enum CMChordKind : std::uint8_t {
    KindNone = 0,
    KindMajor,
    KindMinor,
    KindDiminished,
    KindAugmented,
    KindSuspended,
};

// Chord lengths: a whole measure, half a measure, one beat.
enum CMChordLength : std::uint8_t { LengthMeasure = 1, LengthHalf = 2, LengthBeat = 3 };

// The beats of a 4/4 measure a chord length takes: 4, 2 or 1; 0 for any other value.
inline int BeatsOf(std::uint8_t length)
{
    switch (length) {
    case LengthMeasure: return 4;
    case LengthHalf: return 2;
    case LengthBeat: return 1;
    default: return 0;
    }
}

// The four ways of showing chord suffixes on the chart.
enum CMChordStyle : std::uint8_t {
    StyleDefault = 0,
    StyleWords = 1,
    StyleLetters = 2,
    StyleSymbols = 3
};

// The two symbol glyphs of the chart's chord font.
inline constexpr char kTriangleGlyph = static_cast<char>(0xC0);  // major seventh
inline constexpr char kHalfDiminishedGlyph = static_cast<char>(0xC1);

struct CMChordFlags {
    bool operator==(const CMChordFlags&) const = default;

    std::uint8_t flatFive = 0;
    std::uint8_t sharpFive = 0;
    std::uint8_t six = 0;
    std::uint8_t seventh = 0;  // minor seventh
    std::uint8_t majorSeventh = 0;
    std::uint8_t flatNine = 0;
    std::uint8_t nine = 0;
    std::uint8_t sharpNine = 0;
    std::uint8_t eleven = 0;
    std::uint8_t sharpEleven = 0;
    std::uint8_t flatThirteen = 0;
    std::uint8_t thirteen = 0;
};

class CMMusicChord : public CMMusicNotationSymbol, public IMComparison<CMMusicChord> {
public:
    CMMusicChord() { Reset(LetterNone, AccidentalNone); }
    CMMusicChord(std::uint8_t letter_, std::uint8_t accidental_) { Reset(letter_, accidental_); }
    CMMusicChord(const CMMusicChord&) = default;
    CMMusicChord& operator=(const CMMusicChord&) = default;

    // Root as given; kind 0, no flags, no bass, length one beat.
    void Reset(std::uint8_t letter_, std::uint8_t accidental_);

    // Equal roots, kinds, flags and bass notes; length and display bytes do not count.
    bool operator==(const CMMusicChord& other) const;

    // Transposes the root and, when that worked, the bass note too.
    bool Transpose(int semitones) override;

    // The chord suffix for the chart in the chord style byte (root and bass are drawn apart).
    CMString GetDisplayText() const;
    // The chord suffix for the text listing.
    CMString GetPlainText() const;

    bool HasBass() const { return bass.letter != LetterNone; }

    std::uint8_t kind = KindNone;  // bar kind for a bar item, label code for a label item
    CMChordFlags flags;
    CMMusicNotationSymbol bass;
    std::uint8_t length = LengthBeat;
    std::uint8_t parenthesized = 0;
    std::uint8_t chordStyle = StyleDefault;
    std::uint8_t displayMode = 0;  // 0 root by name, 1 by the degree given to the drawing
};
