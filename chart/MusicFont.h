// The music font of the chart, asked for by name like any other font, and the character codes the
// layout draws with it. The drawing surface maps each code to a glyph; letters, digits and the
// other characters of chord suffixes come out as text in a plain typeface.
#pragma once

#include <cstdint>

inline constexpr const char* kMusicFontName = "Brevalis";

namespace MusicGlyph {

inline constexpr const char* kTrebleClef = "&";
inline constexpr const char* kBassClef = "?";
inline constexpr const char* kFlat = "!";
inline constexpr const char* kDoubleFlat = "!!";
inline constexpr const char* kNatural = "=";
inline constexpr const char* kSharp = "#";
inline constexpr const char* kDoubleSharp = "*";
inline constexpr const char* kDot = ".";
inline constexpr char kCoda = 0x40;
// The coda sign's middle lies this share of its size below the top of its text cell.
inline constexpr double kCodaMiddle = 0.655;
// The triangle and the half-diminished sign of chord suffixes are kTriangleGlyph and
// kHalfDiminishedGlyph of music/CMMusicChord.h.

// A note with its stem and flags (duration code 0 whole to 5 thirty-second), and a rest.
inline constexpr std::uint8_t kFirstNote = 0xB0;
inline constexpr std::uint8_t kFirstRest = 0xB8;
inline constexpr int kDurationCodes = 6;

// The accidental of a chord's root or bass note: set beside the letter in the letter's size,
// its top at the top of the capitals and about 60 % of their height (codes 0xC2 to 0xC6 for a
// double flat, flat, natural, sharp and double sharp).
inline constexpr std::uint8_t kFirstLetterAccidental = 0xC2;

// Alteration -2 (double flat) to 2 (double sharp).
inline char LetterAccidental(int alteration)
{
    return static_cast<char>(kFirstLetterAccidental + 2 + alteration);
}

inline char Note(int durationCode)
{
    return static_cast<char>(kFirstNote + durationCode);
}
inline char Rest(int durationCode)
{
    return static_cast<char>(kFirstRest + durationCode);
}

}  // namespace MusicGlyph
