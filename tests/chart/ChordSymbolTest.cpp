// Chord symbols as the chart draws them, through the recording surface: root letter or numeral,
// its accidental beside it, the suffix and slash bass in the small music font, the widths
// answered, in all four chord styles.
#include "chart/ChordSymbolDrawing.h"
#include "chart/MusicFont.h"
#include "music/CMMusicSong.h"
#include "tests/CompiledSongs.h"
#include "tests/Printers.h"
#include "tests/chart/RecordingDC.h"

#include <gtest/gtest.h>

#include <string>

namespace {

const CMFontConfig kChordFont("", "ChordFont", "Arial", 0.25, false, false, 0x123456);

CMMusicChord Chord(const std::string& text, int style = 0)
{
    CMMusicChord chord = CompileChord(text);
    chord.chordStyle = static_cast<std::uint8_t>(style);
    return chord;
}

}  // namespace

TEST(ChordSymbol, FlatRootAccidentalBesideTheLetterAndSmallSuffix)
{
    RecordingDC dc;
    const double width = DrawChordSymbol(Chord("Bbm7", 1), dc, 1.0, 2.0, kChordFont, 0);
    ASSERT_EQ(dc.primitives.size(), 3u);
    const RecordedPrimitive& root = dc.primitives[0];
    EXPECT_EQ(root.text, "B");
    EXPECT_EQ(root.font, "Arial");
    EXPECT_DOUBLE_EQ(root.x1, 1.0);
    EXPECT_DOUBLE_EQ(root.y1, 2.0);
    EXPECT_EQ(root.fill, 0x123456);

    // The flat stands right of the letter, in the letter's size and cell; the music font sets it
    // raised and smaller.
    const double rootWidth = RecordingDC::TextWidth("B", 0.25);
    const RecordedPrimitive& flat = dc.primitives[1];
    EXPECT_EQ(flat.text, std::string(1, MusicGlyph::LetterAccidental(-1)));
    EXPECT_EQ(flat.font, kMusicFontName);
    EXPECT_DOUBLE_EQ(flat.height, 0.25);
    EXPECT_DOUBLE_EQ(flat.x1, 1.0 + rootWidth);
    EXPECT_DOUBLE_EQ(flat.y1, 2.0);
    EXPECT_EQ(flat.fill, 0x123456);

    // The suffix follows the flat.
    const double flatWidth = RecordingDC::TextWidth(flat.text.c_str(), 0.25);
    const RecordedPrimitive& suffix = dc.primitives[2];
    EXPECT_EQ(suffix.text, "min7");
    EXPECT_EQ(suffix.font, kMusicFontName);
    EXPECT_DOUBLE_EQ(suffix.height, 0.25 * 2 / 3);
    EXPECT_DOUBLE_EQ(suffix.x1, flat.x1 + flatWidth);
    EXPECT_DOUBLE_EQ(suffix.y1, 2.0 + 0.25 / 3);
    EXPECT_DOUBLE_EQ(width, rootWidth + flatWidth + RecordingDC::TextWidth("min7", 0.25 * 2 / 3));
}

TEST(ChordSymbol, SlashBassWidthIsTheSumOfThePieces)
{
    RecordingDC dc;
    const double width = DrawChordSymbol(Chord("C7onF#"), dc, 0, 0, kChordFont, 0);
    const double small = 0.25 * 2 / 3;
    ASSERT_EQ(dc.primitives.size(), 5u);
    EXPECT_EQ(dc.primitives[1].text, "7");
    EXPECT_EQ(dc.primitives[2].text, "/");
    EXPECT_EQ(dc.primitives[3].text, "F");
    EXPECT_DOUBLE_EQ(dc.primitives[3].height, small);
    EXPECT_DOUBLE_EQ(dc.primitives[3].y1, 0.25 / 3);
    // The bass's own sharp is set beside it the same way, in the small size.
    EXPECT_EQ(dc.primitives[4].text, std::string(1, MusicGlyph::LetterAccidental(1)));
    EXPECT_DOUBLE_EQ(dc.primitives[4].height, small);
    EXPECT_DOUBLE_EQ(dc.primitives[4].y1, 0.25 / 3);
    EXPECT_DOUBLE_EQ(dc.primitives[4].x1, dc.primitives[3].x1 + RecordingDC::TextWidth("F", small));
    EXPECT_DOUBLE_EQ(width, RecordingDC::TextWidth("C", 0.25) + RecordingDC::TextWidth("7", small) +
                                RecordingDC::TextWidth("/", small) +
                                2 * RecordingDC::TextWidth("F", small));
}

TEST(ChordSymbol, NumeralsAndDisplayModes)
{
    RecordingDC dc;
    CMMusicChord chord = Chord("G7onB");
    chord.displayMode = 1;
    DrawChordSymbol(chord, dc, 0, 0, kChordFont, 16);
    ASSERT_EQ(dc.primitives.size(), 5u);
    EXPECT_EQ(dc.primitives[0].text, "VII");
    EXPECT_EQ(dc.primitives[1].text, std::string(1, MusicGlyph::LetterAccidental(-1)));
    EXPECT_EQ(dc.primitives[2].text, "7");
    EXPECT_EQ(dc.primitives[4].text, "B");  // the bass stays a letter

    // Degree code 0 with display mode 1 draws the letter; codes outside 1-17 draw nothing.
    dc.primitives.clear();
    DrawChordSymbol(chord, dc, 0, 0, kChordFont, 0);
    EXPECT_EQ(dc.primitives[0].text, "G");
    dc.primitives.clear();
    EXPECT_DOUBLE_EQ(DrawSymbol(chord, dc, 0, 0, kChordFont, 18), 0);
    ASSERT_EQ(dc.primitives.size(), 1u);
    EXPECT_EQ(dc.primitives[0].text, "");

    // Every numeral with its accidental.
    const char* const texts[] = {"I", "I", "II", "II", "II", "III", "III", "IV", "IV",
                                 "V", "V", "V",  "VI", "VI", "VI",  "VII", "VII"};
    const int alterations[] = {0, 1, -1, 0, 1, -1, 0, 0, 1, -1, 0, 1, -1, 0, 1, -1, 0};
    for (int code = 1; code <= 17; ++code) {
        dc.primitives.clear();
        DrawSymbol(chord, dc, 0, 0, kChordFont, code);
        EXPECT_EQ(dc.primitives[0].text, texts[code - 1]) << code;
        const int alteration = alterations[code - 1];
        EXPECT_EQ(dc.primitives.size() == 2 ? dc.primitives[1].text : "",
                  alteration == 0 ? "" : std::string(1, MusicGlyph::LetterAccidental(alteration)))
            << code;
    }

    // Display mode 2 leaves the root out.
    dc.primitives.clear();
    chord.displayMode = 2;
    DrawChordSymbol(chord, dc, 0, 0, kChordFont, 11);
    EXPECT_EQ(dc.primitives[0].text, "7");
}

TEST(ChordSymbol, NotAChordDrawsNothing)
{
    RecordingDC dc;
    EXPECT_EQ(DrawChordSymbol(CMMusicChord(), dc, 0, 0, kChordFont, 0), 0);
    EXPECT_TRUE(dc.primitives.empty());
}

TEST(ChordSymbol, TheFourStyles)
{
    struct Case {
        const char* chord;
        const char* suffix[4];
    };
    const std::string tri(1, kTriangleGlyph), half(1, kHalfDiminishedGlyph);
    const Case cases[] = {
        {"C", {"", "maj", "M", ""}},          {"Cmaj7", {"", "maj7", "M7", ""}},
        {"Cm7", {"m7", "min7", "m7", "-7"}},  {"Cm7b5", {"m7 !5", "min7 !5", "m7 !5", ""}},
        {"Cdim", {"dim", "dim", "dim", "o"}}, {"C7b9", {"7 !9", "7 !9", "7 !9", "7 -9"}},
    };
    for (const Case& c : cases)
        for (int style = 0; style < 4; ++style) {
            std::string expected = c.suffix[style];
            if (std::string(c.chord) == "Cmaj7" && (style == 0 || style == 3))
                expected = tri + "7";
            if (std::string(c.chord) == "Cm7b5" && style == 3)
                expected = half + "7";
            RecordingDC dc;
            DrawChordSymbol(Chord(c.chord, style), dc, 0, 0, kChordFont, 0);
            ASSERT_GE(dc.primitives.size(), 2u);
            EXPECT_EQ(QuotedBytes(dc.primitives[1].text), QuotedBytes(expected))
                << c.chord << " style " << style;
        }
}
