// Chord symbols: semitones, spelling, transposition, degrees, equality in normal form and the
// suffix texts of the chart (four styles) and of the listing.
#include "music/CMMusicSong.h"
#include "tests/CompiledSongs.h"
#include "tests/Printers.h"

#include <gtest/gtest.h>

#include <string>

namespace {

std::string Display(const std::string& text, int style)
{
    CMMusicChord chord = CompileChord(text);
    chord.chordStyle = static_cast<std::uint8_t>(style);
    return chord.GetDisplayText().Str();
}

std::string Plain(const std::string& text)
{
    return CompileChord(text).GetPlainText().Str();
}

const std::string kTri(1, '\xC0');
const std::string kHalf(1, '\xC1');

}  // namespace

TEST(Symbol, SemitonesAndSpelling)
{
    EXPECT_EQ(CMMusicNotationSymbol(LetterC, AccidentalFlat).GetSemitone(), -1);
    EXPECT_EQ(CMMusicNotationSymbol(LetterB, AccidentalSharp).GetSemitone(), 12);
    EXPECT_EQ(CMMusicNotationSymbol(LetterE, AccidentalDoubleFlat).GetSemitone(), 2);
    EXPECT_EQ(CMMusicNotationSymbol(LetterA, AccidentalNatural).GetSemitone(), 9);
    EXPECT_EQ(CMMusicNotationSymbol(LetterNone, ItemBar).GetSemitone(), -1);

    CMMusicNotationSymbol symbol(LetterF, AccidentalSharp);
    symbol.SetSemitone(12);  // out of range: unchanged
    EXPECT_EQ(symbol.GetName(), "F#");
    for (int pitch = 0; pitch < 12; ++pitch) {
        symbol.SetSemitone(pitch);
        EXPECT_EQ(symbol.GetSemitone(), pitch);
    }
    symbol.SetSemitone(6);
    EXPECT_EQ(symbol.GetName(), "Gb");

    EXPECT_EQ(CMMusicNotationSymbol(LetterD, AccidentalNatural).GetName(), "D!");
    EXPECT_EQ(CMMusicNotationSymbol(LetterE, AccidentalDoubleSharp).GetName(), "E##");
    EXPECT_EQ(CMMusicNotationSymbol(LetterB, AccidentalDoubleFlat).GetName(), "Bbb");
    EXPECT_EQ(CMMusicNotationSymbol().GetName(), "(None)");
}

TEST(Symbol, TransposeRespellsAndSkipsNonPitches)
{
    CMMusicNotationSymbol fSharp(LetterF, AccidentalSharp);
    EXPECT_TRUE(fSharp.Transpose(0));
    EXPECT_EQ(fSharp.GetName(), "Gb");
    CMMusicNotationSymbol e(LetterE, AccidentalNone);
    e.Transpose(7);
    EXPECT_EQ(e.GetName(), "B");
    CMMusicNotationSymbol e2(LetterE, AccidentalNone);
    e2.Transpose(-7);
    EXPECT_EQ(e2.GetName(), "A");
    CMMusicNotationSymbol c(LetterC, AccidentalNone);
    c.Transpose(-24);
    EXPECT_EQ(c.GetName(), "C");
    CMMusicNotationSymbol bSharp(LetterB, AccidentalSharp);
    EXPECT_TRUE(bSharp.Transpose(2));
    EXPECT_EQ(bSharp.GetName(), "D");

    CMMusicNotationSymbol cFlat(LetterC, AccidentalFlat);
    EXPECT_FALSE(cFlat.Transpose(3));  // below C: left as written
    EXPECT_EQ(cFlat.GetName(), "Cb");
    CMMusicNotationSymbol bar(LetterNone, ItemBar);
    EXPECT_FALSE(bar.Transpose(2));
    EXPECT_TRUE(bar.IsBar());
}

TEST(Symbol, DegreesForTheNumberSystem)
{
    const int expected[12] = {1, 3, 4, 6, 7, 8, 10, 11, 13, 14, 16, 17};
    for (int pitch = 0; pitch < 12; ++pitch) {
        CMMusicNotationSymbol symbol;
        symbol.SetSemitone((pitch + 5) % 12);  // in F
        EXPECT_EQ(symbol.GetDegree(5), expected[pitch]) << pitch;
    }
}

TEST(Chord, NormalFormAndEquality)
{
    EXPECT_EQ(CompileChord("Cmaj7"), CompileChord("CM7"));
    EXPECT_EQ(CompileChord("C7b9"), CompileChord("C7-9"));
    EXPECT_NE(CompileChord("C7"), CompileChord("C7onE"));
    EXPECT_NE(CompileChord("Cm7"), CompileChord("C7"));

    const CMChordFlags nine = CompileChord("C9").flags;
    EXPECT_TRUE(nine.seventh && nine.nine && !nine.eleven);
    const CMChordFlags eleven = CompileChord("C11").flags;
    EXPECT_TRUE(eleven.seventh && eleven.nine && eleven.eleven && !eleven.thirteen);
    const CMChordFlags thirteen = CompileChord("C13").flags;
    EXPECT_TRUE(thirteen.seventh && thirteen.nine && thirteen.eleven && thirteen.thirteen);
    const CMChordFlags sevenEleven = CompileChord("C711").flags;
    EXPECT_TRUE(sevenEleven.seventh && !sevenEleven.nine && sevenEleven.eleven);
    const CMChordFlags majNine = CompileChord("Cmaj9").flags;
    EXPECT_TRUE(majNine.majorSeventh && majNine.nine && !majNine.seventh);
    const CMChordFlags alteredThirteen = CompileChord("C7b913").flags;  // 13 after a written b9
    EXPECT_TRUE(alteredThirteen.flatNine && alteredThirteen.thirteen && !alteredThirteen.nine);

    // Length, parentheses and display bytes do not count.
    CMMusicChord a = CompileChord("Dm7"), b = CompileChord("(Dm7)");
    b.length = LengthMeasure;
    b.chordStyle = StyleSymbols;
    EXPECT_TRUE(b.parenthesized);
    EXPECT_EQ(a, b);
}

TEST(Chord, TransposeMovesRootAndBass)
{
    CMMusicChord chord = CompileChord("C7onE");
    EXPECT_TRUE(chord.Transpose(2));
    EXPECT_EQ(chord.GetName(), "D");
    EXPECT_EQ(chord.bass.GetName(), "Gb");  // E up two, in the default spelling
    CMMusicChord plain = CompileChord("F#m7");
    plain.Transpose(0);
    EXPECT_EQ(plain.GetName(), "Gb");
    EXPECT_FALSE(plain.HasBass());
    CMMusicChord cFlat = CompileChord("Cb7onE");
    EXPECT_FALSE(cFlat.Transpose(1));
    EXPECT_EQ(cFlat.bass.GetName(), "E");  // the root failed, so the bass stays too
}

TEST(Chord, DisplayTextInEveryStyle)
{
    struct Row {
        const char* chord;
        std::string styles[4];
    };
    const Row rows[] = {
        {"C", {"", "maj", "M", ""}},
        {"Cmaj7", {kTri + "7", "maj7", "M7", kTri + "7"}},
        {"Cmaj9", {kTri + "9", "maj9", "M9", kTri + "9"}},
        {"Cm7", {"m7", "min7", "m7", "-7"}},
        {"Cm7b5", {"m7 !5", "min7 !5", "m7 !5", kHalf + "7"}},
        {"Cm9b5", {"m9 !5", "min9 !5", "m9 !5", "-9 !5"}},
        {"Cdim", {"dim", "dim", "dim", "o"}},
        {"Cdim7", {"dim", "dim", "dim", "o"}},
        {"C7b9", {"7 !9", "7 !9", "7 !9", "7 -9"}},
        {"C6", {"6", "maj6", "M6", "6"}},
        {"C69", {"69", "maj69", "M69", "69"}},
        {"Cm69", {"m69", "min69", "m69", "-69"}},
        {"CmM7", {"m " + kTri + "7", "min maj7", "m M7", "- " + kTri + "7"}},
        {"CmM9", {"m " + kTri + "9", "min maj9", "m M9", "- " + kTri + "9"}},
        {"Caug7", {"aug7", "aug7", "aug7", "+7"}},
        {"C+#5", {"aug", "aug", "aug", "+"}},
        {"Csus4", {"sus4", "sus4", "sus4", "sus4"}},
        {"Csus7", {"sus7", "sus7", "sus7", "sus7"}},
        {"C9", {"9", "9", "9", "9"}},
        {"C11", {"11", "11", "11", "11"}},
        {"C13", {"13", "13", "13", "13"}},
        {"C711", {"7 =11", "7 =11", "7 =11", "7 =11"}},
        {"C7#5#9", {"7 #5 #9", "7 #5 #9", "7 #5 #9", "7 +5 +9"}},
        {"C7b5b13", {"7 !5 !13", "7 !5 !13", "7 !5 !13", "7 !5 -13"}},
        {"Cmaj7#11", {kTri + "7 #11", "maj7 #11", "M7 #11", kTri + "7 +11"}},
        {"C7913", {"9 =13", "9 =13", "9 =13", "9 =13"}},
        {"Cdimb5", {"dim", "dim", "dim", "o"}},
    };
    for (const Row& row : rows)
        for (int style = 0; style < 4; ++style)
            EXPECT_EQ(Display(row.chord, style), row.styles[style])
                << row.chord << " style " << style;
}

TEST(Chord, PlainTextForTheListing)
{
    // maj7, m7 b5 and 7 #11 show in the golden listings of tests/data/songs.
    EXPECT_EQ(Plain("C11"), "11");
    EXPECT_EQ(Plain("C711"), "7 =11");
    EXPECT_EQ(Plain("CM9"), "maj9");
    EXPECT_EQ(Plain("Cmin7"), "m7");
    EXPECT_EQ(Plain("CmM7"), "m maj7");
    EXPECT_EQ(Plain("Co"), "dim");
    EXPECT_EQ(Plain("C+7"), "aug7");
    EXPECT_EQ(Plain("C7b9b13"), "7 b9 b13");
    EXPECT_EQ(Plain("C7913"), "9 13");
    EXPECT_EQ(Plain("CM"), "");
    EXPECT_EQ(Plain("C7#9#5"), "7 #5 #9");  // tensions in fixed order, not as written
}
