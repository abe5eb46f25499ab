// Transposing for reading: the signature of a key, the spelling of a moved key, and every root and
// bass moved by as many letters as the key, over the twelve keys; double sharps and flats fall
// back to the simpler note, and a move of nothing keeps the spelling as written.
#include "music/KeySignature.h"
#include "tests/CompiledSongs.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

namespace {

std::string Spelled(const CMMusicChord& chord)
{
    std::string text = chord.GetName().Str();
    if (chord.HasBass())
        text += "/" + chord.bass.GetName().Str();
    return text;
}

}  // namespace

TEST(KeyTransposition, SignatureCounts)
{
    const auto count = [](const char* key) {
        return KeySignatureAccidentals(
            *CompileSong(std::string("key { ") + key + " }").GetKeyChord());
    };
    EXPECT_EQ(count("C"), 0);
    EXPECT_EQ(count("Bb"), -2);
    EXPECT_EQ(count("F#"), 6);
    EXPECT_EQ(count("Gb"), -6);
    EXPECT_EQ(count("Cm"), -3);
    EXPECT_EQ(count("Bm"), 2);
    EXPECT_EQ(count("C#"), 7);
    EXPECT_EQ(count("D#"), -3);                 // nine sharps: the signature of E flat
    EXPECT_EQ(count("E#"), -1);                 // eleven sharps: the signature of F
    EXPECT_EQ(count("Fbm"), 1);                 // eleven flats: the signature of E minor
    EXPECT_EQ(count("Gsus4"), -2);              // not major: its relative major's
    EXPECT_EQ(SignatureAlteration(2, 3), 1);    // D major: F sharp
    EXPECT_EQ(SignatureAlteration(2, 4), 0);    // but G natural
    EXPECT_EQ(SignatureAlteration(-3, 5), -1);  // E flat major: A flat
    EXPECT_EQ(SignatureAlteration(-3, 1), 0);   // but D natural
}

TEST(KeyTransposition, TheTwelveKeysSpellEveryRootInTheDisplayKey)
{
    // A song in F with a sharp bass, a flat chord outside the key and a sharp one.
    const CMMusicSong song = CompileSong("key { F } chord { F | D7onF# | Bb | Ab7 | C#o || }");
    struct Row {
        int semitones;
        const char* key;
        std::vector<std::string> roots;
    };
    const Row rows[] = {
        {0, "F", {"F", "D/F#", "Bb", "Ab", "C#"}},  // as written
        {1, "Gb", {"Gb", "Eb/G", "Cb", "A", "D"}},  // B double flat reads as A
        {2, "G", {"G", "E/G#", "C", "Bb", "D#"}},  {3, "Ab", {"Ab", "F/A", "Db", "Cb", "E"}},
        {4, "A", {"A", "F#/A#", "D", "C", "E#"}},  {5, "Bb", {"Bb", "G/B", "Eb", "Db", "F#"}},
        {6, "B", {"B", "G#/B#", "E", "D", "G"}},  // F double sharp reads as G
        {-1, "E", {"E", "C#/E#", "A", "G", "B#"}}, {-2, "Eb", {"Eb", "C/E", "Ab", "Gb", "B"}},
        {-3, "D", {"D", "B/D#", "G", "F", "A#"}},  {-4, "Db", {"Db", "Bb/D", "Gb", "Fb", "A"}},
        {-5, "C", {"C", "A/C#", "F", "Eb", "G#"}},
    };
    for (const Row& row : rows) {
        const CMKeyTransposition moved = TransposeKey(*song.GetKeyChord(), row.semitones);
        EXPECT_EQ(moved.key.GetName().Str(), row.key) << row.semitones;
        std::vector<std::string> roots;
        for (const CMMusicChord* item : song) {
            CMMusicChord chord(*item);
            if (moved.interval.Apply(chord))
                roots.push_back(Spelled(chord));
        }
        EXPECT_EQ(roots, row.roots) << row.semitones;
    }
}

TEST(KeyTransposition, KeysTakeTheSimplerSignature)
{
    struct Row {
        const char* key;
        int semitones;
        const char* moved;
        int letters;
    };
    const Row rows[] = {
        {"Am", 2, "Bm", 1}, {"Am", 1, "Bbm", 1},   {"Am", 6, "Ebm", 4},  // six each: flats
        {"Eb", 2, "F", 1},  {"Eb", -3, "C", -2},   {"E", 2, "Gb", 2},
        {"C", 7, "G", 4},   {"C", -7, "F", -4},    {"B", 2, "Db", 2},
        {"F#", 0, "F#", 0}, {"Ebm", 12, "Ebm", 7}, {"C", 1, "Db", 1},
    };
    for (const Row& row : rows) {
        const CMKeyTransposition moved = TransposeKey(
            *CompileSong(std::string("key { ") + row.key + " }").GetKeyChord(), row.semitones);
        EXPECT_EQ(moved.key.GetName() + moved.key.GetDisplayText(), row.moved)
            << row.key << " " << row.semitones;
        EXPECT_EQ(moved.interval.letters, row.letters) << row.key << " " << row.semitones;
    }
}

TEST(KeyTransposition, WrittenPitchesMoveWithTheirOctave)
{
    const CMMusicInterval majorSecondUp(1, 2), minorThirdDown(-2, -3);
    // B4 up a major second is C sharp 5, C4 down a minor third A3, E sharp 4 up a major second
    // G4 rather than F double sharp.
    EXPECT_EQ(majorSecondUp.Move({6 + 28, 0}), (CMWrittenPitch{0 + 35, 1}));
    EXPECT_EQ(minorThirdDown.Move({0 + 28, 0}), (CMWrittenPitch{5 + 21, 0}));
    EXPECT_EQ(majorSecondUp.Move({2 + 28, 1}), (CMWrittenPitch{4 + 28, 0}));
    EXPECT_EQ(CMMusicInterval().Move({2, 2}), (CMWrittenPitch{2, 2}));  // unison: as written
    CMMusicChord bar(LetterNone, ItemBar);
    EXPECT_FALSE(majorSecondUp.Apply(bar));
}
