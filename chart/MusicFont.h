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
// The triangle and the half-diminished sign of chord suffixes are kTriangleGlyph and
// kHalfDiminishedGlyph of music/CMMusicChord.h.

// A note with its stem and flags (duration code 0 whole to 5 thirty-second), and a rest.
inline constexpr std::uint8_t kFirstNote = 0xB0;
inline constexpr std::uint8_t kFirstRest = 0xB8;
inline constexpr int kDurationCodes = 6;

inline char Note(int durationCode)
{
    return static_cast<char>(kFirstNote + durationCode);
}
inline char Rest(int durationCode)
{
    return static_cast<char>(kFirstRest + durationCode);
}

}  // namespace MusicGlyph
