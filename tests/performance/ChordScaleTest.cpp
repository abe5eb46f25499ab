// The chord-scale rule: chords that fix their own scale, every degree of the major-quality table,
// the rules for minor and other qualities, minor keys with their two changes, and the names.
#include "performance/ChordScale.h"
#include "music/CMMusicSong.h"
#include "tests/CompiledSongs.h"
#include "tests/Printers.h"

#include <gtest/gtest.h>

#include <map>
#include <string>

namespace {

const char* const kRoots[12] = {"C", "Db", "D", "Eb", "E", "F", "Gb", "G", "Ab", "A", "Bb", "B"};

std::uint32_t Scale(const std::string& text, int key = 0, bool minor = false)
{
    return ScaleFor(CompileChord(text), key, minor);
}

// A chord without quality on a pitch class: the compiler never makes one, but the rule has them.
std::uint32_t ScaleWithoutQuality(int pitchClass, int key, bool minor)
{
    CMMusicChord chord;
    chord.SetSemitone(pitchClass);
    return ScaleFor(chord, key, minor);
}

// Expected scales of chord suffixes on each degree of C major (roots C, Db, D, ...).
using Row = std::map<std::string, std::uint32_t>;

void ExpectDegrees(const std::vector<Row>& rows)
{
    ASSERT_EQ(rows.size(), 12u);
    for (int degree = 0; degree < 12; ++degree)
        for (const auto& [suffix, scale] : rows[static_cast<std::size_t>(degree)])
            EXPECT_EQ(Scale(std::string(kRoots[degree]) + suffix), scale)
                << kRoots[degree] << suffix << " on degree " << degree;
}

}  // namespace

TEST(ChordScale, ChordsThatFixTheirScale)
{
    for (int key = 0; key < 12; key += 5) {
        EXPECT_EQ(Scale("G13", key), ScaleMixolydian);  // 9, 11 and 13
        EXPECT_EQ(Scale("G79#1113", key), ScaleLydianSeventh);
        EXPECT_EQ(Scale("G9b13", key), ScaleWholeTone);
        EXPECT_EQ(Scale("G7b913", key), ScaleCombinationOfDiminished);
        EXPECT_EQ(Scale("G7#913", key), ScaleCombinationOfDiminished);
        EXPECT_EQ(Scale("G7b9b13", key), ScaleAltered);
        EXPECT_EQ(Scale("Gmaj7#11", key), ScaleLydian);
        EXPECT_EQ(Scale("G6#11", key), ScaleLydian);
        EXPECT_EQ(Scale("G+11", key), ScaleLydian);  // "G#11" is G sharp with an eleventh
        EXPECT_EQ(Scale("Gm#5", key), ScaleHarmonicMinor);
        EXPECT_EQ(Scale("Gm6", key), ScaleMelodicMinor);
        EXPECT_EQ(Scale("GmM7", key), ScaleMelodicMinor);
        EXPECT_EQ(Scale("Gm9b5", key), ScaleAlteredLocrian);
        EXPECT_EQ(Scale("Gm7b5", key), kLocrianScales);
        // Other qualities are the same on every degree.
        EXPECT_EQ(Scale("Gdim7", key), ScaleDiminished);
        EXPECT_EQ(Scale("Go", key), ScaleDiminished);
        EXPECT_EQ(Scale("Gaug7", key), ScaleAltered);
        EXPECT_EQ(Scale("Gsus47", key), ScaleMixolydian);
    }
    // C flat is one semitone below C: the seventh degree of C.
    EXPECT_EQ(Scale("Cb7"), Scale("B7"));
}

TEST(ChordScale, MajorQualityOnEveryDegree)
{
    // One row per degree: chords with a major seventh or a sixth, triads, and the dominants the
    // first step leaves open (no flat or sharp ninth with a thirteenth, no 9 with 11 and 13...).
    const std::uint32_t DOM = kDominantScales, M_L7 = kMixolydianOrLydianSeventh;
    // clang-format off
    ExpectDegrees({
        {{"maj7", 1}, {"6", 1}, {"", 1}, {"7", DOM}, {"7#11", 8}, {"7b9", 16}, {"7#9", DOM},
         {"713", DOM}, {"79", M_L7}, {"79#11", 8}, {"7913", M_L7}, {"7911", M_L7}},
        {{"maj7", 2}, {"6", 2}, {"", 8}, {"7", 8}, {"7#11", 8}, {"7b9", 16}, {"7#9", 8},
         {"713", 8}, {"79", M_L7}, {"79#11", 8}, {"7913", M_L7}, {"7911", M_L7}},
        {{"maj7", 2}, {"6", 8}, {"69", 8}, {"", 8}, {"7", 8}, {"7#11", 8}, {"7b9", 16},
         {"7#9", 8}, {"713", 8}, {"79", 8}, {"79#11", 8}, {"7913", 8}, {"7911", 8}},
        {{"maj7", 2}, {"6", 2}, {"", 2}, {"7", 8}, {"7#11", 8}, {"7b9", 16}, {"7#9", 8},
         {"713", 8}, {"79", M_L7}, {"79#11", 8}, {"7913", M_L7}, {"7911", M_L7}},
        {{"maj7", 2}, {"6", 2}, {"", 64}, {"7", 64}, {"7#11", 8}, {"7b9", 64}, {"7#9", 64},
         {"713", 64}, {"79", M_L7}, {"79#11", 8}, {"7913", M_L7}, {"7911", M_L7}},
        {{"maj7", 2}, {"6", 2}, {"", 2}, {"7", 8}, {"7#11", 8}, {"7b9", 16}, {"7#9", 8},
         {"713", 8}, {"79", 8}, {"79#11", 8}, {"7913", 8}, {"7911", 8}},
        {{"maj7", 2}, {"6", 2}, {"", 2}, {"7", DOM}, {"7#11", 8}, {"7b9", 16}, {"7#9", DOM},
         {"713", DOM}, {"79", 8}, {"79#11", 8}, {"7913", M_L7}, {"7911", 8}},
        {{"maj7", 2}, {"6", 2}, {"", DOM}, {"7", DOM}, {"7#11", 8}, {"7b9", 16}, {"7#9", DOM},
         {"713", DOM}, {"79", 4}, {"79#11", 8}, {"7913", 4}, {"7911", 4}},
        {{"maj7", 2}, {"6", 2}, {"", 2}, {"7", DOM}, {"7#11", 8}, {"7b9", 16}, {"7#9", DOM},
         {"713", DOM}, {"79", 8}, {"79#11", 8}, {"7913", M_L7}, {"7911", 8}},
        {{"maj7", 2}, {"6", 2}, {"", 64}, {"7", 64}, {"7#11", 8}, {"7b9", 64}, {"7#9", 64},
         {"713", 64}, {"79", M_L7}, {"79#11", 8}, {"7913", M_L7}, {"7911", M_L7}},
        {{"maj7", 2}, {"6", 2}, {"", 2}, {"7", 8}, {"7#11", 8}, {"7b9", 16}, {"7#9", 8},
         {"713", 8}, {"79", 8}, {"79#11", 8}, {"7913", 8}, {"7911", 8}},
        {{"maj7", 2}, {"6", 2}, {"", 64}, {"7", 64}, {"7#11", 8}, {"7b9", 64}, {"7#9", 64},
         {"713", 64}, {"79", 8}, {"79#11", 8}, {"7913", 8}, {"7911", 8}},
    });
    // clang-format on
}

TEST(ChordScale, MinorQualityOnEveryDegree)
{
    const std::uint32_t MODES = kMinorModes, PL = kPhrygianOrLocrian, MM = ScaleMelodicMinor;
    const std::uint32_t DOR = ScaleDorian, LOC = kLocrianScales;
    // clang-format off
    ExpectDegrees({
        {{"m7", MODES}, {"m", DOR}, {"mb5", LOC}},   {{"m7", MODES}, {"m", MM}, {"mb5", LOC}},
        {{"m7", DOR}, {"m", DOR}, {"mb5", LOC}},     {{"m7", MODES}, {"m", MM}, {"mb5", LOC}},
        {{"m7", PL}, {"m", PL}, {"mb5", LOC}},       {{"m7", MODES}, {"m", MM}, {"mb5", LOC}},
        {{"m7", MODES}, {"m", MM}, {"mb5", LOC}},    {{"m7", DOR}, {"m", MM}, {"mb5", LOC}},
        {{"m7", MODES}, {"m", MM}, {"mb5", LOC}},    {{"m7", DOR}, {"m", MM}, {"mb5", LOC}},
        {{"m7", MODES}, {"m", MM}, {"mb5", LOC}},    {{"m7", PL}, {"m9", PL}, {"m", PL}},
    });
    // clang-format on
}

TEST(ChordScale, ChordsWithoutQualityAndMinorKeys)
{
    const std::uint32_t expected[12] = {1, 8, 512, 0x10000, 2048, 2, 2, 508, 512, 1024, 8, 49152};
    for (int degree = 0; degree < 12; ++degree) {
        EXPECT_EQ(ScaleWithoutQuality(degree, 0, false), expected[degree]) << degree;
        // In E-flat major the degrees move with the key.
        EXPECT_EQ(ScaleWithoutQuality((degree + 3) % 12, 3, false), expected[degree]) << degree;
    }
    // A minor reads degrees in C major, except on its own tonic and fifth.
    EXPECT_EQ(ScaleWithoutQuality(9, 9, true), ScaleMelodicMinor);  // Aeolian on the tonic
    EXPECT_EQ(ScaleWithoutQuality(4, 9, true), ScaleAltered);       // Phrygian on the fifth
    EXPECT_EQ(ScaleWithoutQuality(0, 9, true), ScaleIonian);
    EXPECT_EQ(ScaleWithoutQuality(2, 9, true), ScaleDorian);

    EXPECT_EQ(Scale("Am7", 9, true), ScaleDorian);
    EXPECT_EQ(Scale("E7", 9, true), ScaleAltered);
    // C minor: its relative major is E-flat.
    EXPECT_EQ(Scale("Cm7", 0, true), ScaleDorian);
    EXPECT_EQ(Scale("G7", 0, true), ScaleAltered);
    EXPECT_EQ(Scale("Ab7", 0, true), ScaleLydianSeventh);
}

TEST(ChordScale, Names)
{
    EXPECT_EQ(ScaleNames(1536), "Dorian | Aeolian");
    EXPECT_EQ(ScaleNames(0), "Unknown");
    EXPECT_EQ(ScaleNames(0x200000), "FineMeasure");
    EXPECT_EQ(ScaleNames(0xFF800000), "Unknown");  // bits without names
    EXPECT_EQ(ScaleNames(kGeneralMask),
              "Ionian | Lydean | MixoLydean | Lydean7th | CombinationOfDiminish | WholeTone | "
              "Alterd | HarmonicMinor5thBelow | MelodicMinor5thBelow | Dorian | Aeolian | Frigian "
              "| MelodicMinor | HarmonicMinor | Locrian | AlterdLocrian | Diminish | NotScale | "
              "KeyDepend | BassPedal");
    EXPECT_EQ(ScaleLine(CompileChord("C7onE"), 4), "C7 on E --> MixoLydean\n");
    EXPECT_EQ(ScaleLine(CompileChord("F#m7b5"), 49152), "F#m7 b5 --> Locrian | AlterdLocrian\n");
}
