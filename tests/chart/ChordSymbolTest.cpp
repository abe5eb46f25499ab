// Chord symbols as the chart draws them, through the recording surface: root letter or numeral,
// its accidental, the suffix and slash bass, in every display mode and all four chord styles.
// Where each piece stands, in which font and size, the golden listings show (GoldenChart).
#include "chart/ChordSymbolDrawing.h"
#include "chart/MusicFont.h"
#include "music/CMMusicSong.h"
#include "tests/CompiledSongs.h"
#include "tests/Printers.h"
#include "tests/chart/RecordingDC.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

namespace {

const CMFontConfig kChordFont("", "ChordFont", "Arial", 0.25, false, false, 0x123456);
const std::string kFlat(1, MusicGlyph::LetterAccidental(-1));
const std::string kSharp(1, MusicGlyph::LetterAccidental(1));

// The texts drawn for the chord ("" for no chord at all), in order; each in the font's colour.
std::vector<std::string> Pieces(const std::string& text, int style, int displayMode, int degreeCode)
{
    CMMusicChord chord = text.empty() ? CMMusicChord() : CompileChord(text);
    chord.chordStyle = static_cast<std::uint8_t>(style);
    chord.displayMode = static_cast<std::uint8_t>(displayMode);
    RecordingDC dc;
    DrawChordSymbol(chord, dc, 0, 0, kChordFont, degreeCode);
    std::vector<std::string> pieces;
    for (const RecordedPrimitive& piece : dc.primitives) {
        EXPECT_EQ(piece.fill, 0x123456) << text;
        pieces.push_back(piece.text);
    }
    return pieces;
}

}  // namespace

TEST(ChordSymbol, PiecesInEveryDisplayMode)
{
    struct Case {
        const char* chord;
        int style, displayMode, degreeCode;
        std::vector<std::string> pieces;
    };
    const Case cases[] = {
        {"Bbm7", 1, 0, 0, {"B", kFlat, "min7"}},
        {"C7onF#", 0, 0, 0, {"C", "7", "/", "F", kSharp}},   // the bass's own sharp
        {"G7onB", 0, 1, 16, {"VII", kFlat, "7", "/", "B"}},  // the bass stays a letter
        {"G7onB", 0, 1, 0, {"G", "7", "/", "B"}},            // degree code 0: the letter
        {"G7onB", 0, 1, 18, {"", "7", "/", "B"}},            // outside 1-17: no root
        {"G7onB", 0, 2, 11, {"7", "/", "B"}},                // display mode 2 leaves it out
        {"", 0, 0, 0, {}},                                   // not a chord: nothing
    };
    for (const Case& c : cases)
        EXPECT_EQ(Pieces(c.chord, c.style, c.displayMode, c.degreeCode), c.pieces)
            << c.chord << " mode " << c.displayMode << " code " << c.degreeCode;

    // Every numeral with its accidental.
    const char* const texts[] = {"I", "I", "II", "II", "II", "III", "III", "IV", "IV",
                                 "V", "V", "V",  "VI", "VI", "VI",  "VII", "VII"};
    const int alterations[] = {0, 1, -1, 0, 1, -1, 0, 0, 1, -1, 0, 1, -1, 0, 1, -1, 0};
    for (int code = 1; code <= 17; ++code) {
        std::vector<std::string> expected = {texts[code - 1]};
        if (alterations[code - 1] != 0)
            expected.emplace_back(1, MusicGlyph::LetterAccidental(alterations[code - 1]));
        expected.emplace_back("");  // a major triad's suffix
        EXPECT_EQ(Pieces("C", 0, 1, code), expected) << code;
    }
}

TEST(ChordSymbol, TheFourStyles)
{
    const std::string tri(1, kTriangleGlyph), half(1, kHalfDiminishedGlyph);
    struct Case {
        const char* chord;
        std::string suffix[4];
    };
    const Case cases[] = {
        {"C", {"", "maj", "M", ""}},          {"Cmaj7", {tri + "7", "maj7", "M7", tri + "7"}},
        {"Cm7", {"m7", "min7", "m7", "-7"}},  {"Cm7b5", {"m7 !5", "min7 !5", "m7 !5", half + "7"}},
        {"Cdim", {"dim", "dim", "dim", "o"}}, {"C7b9", {"7 !9", "7 !9", "7 !9", "7 -9"}},
    };
    for (const Case& c : cases)
        for (int style = 0; style < 4; ++style) {
            const std::vector<std::string> pieces = Pieces(c.chord, style, 0, 0);
            ASSERT_GE(pieces.size(), 2u);
            EXPECT_EQ(QuotedBytes(pieces[1]), QuotedBytes(c.suffix[style]))
                << c.chord << " style " << style;
        }
}
