// MusicXML export: whole scores against reviewed files (tests/data/musicxml) for songs with an
// intro, repeats and a melody; a ballad with verse, coda jump, two title lines and lyrics;
// first and second endings with a fine bar; every sign moved for a B-flat instrument; a 3/4
// melody of every note value whose notes run over bar lines. And the kinds and degrees of the
// chords notation programs find hardest to name.
#include "interchange/ChordHarmony.h"
#include "interchange/MusicXmlExport.h"
#include "tests/CompiledSongs.h"

#include <gtest/gtest.h>

namespace {

std::string DegreesText(const CMHarmony& harmony)
{
    std::string text;
    for (const CMHarmonyDegree& d : harmony.degrees)
        text += " " + std::string(d.add ? "add" : "alter") + std::to_string(d.value) +
                (d.alter < 0   ? "b"
                 : d.alter > 0 ? "#"
                               : "") +
                (d.shown ? "" : "(hidden)");
    return text;
}

}  // namespace

TEST(MusicXml, ChordsBecomeKindsAndDegrees)
{
    const struct {
        const char* chord;
        const char* kind;
        const char* text;
        const char* degrees;
    } cases[] = {
        {"C", "major", "", ""},
        {"Cm7b5", "half-diminished", "m7b5", ""},
        {"Co7", "diminished-seventh", "dim7", ""},
        {"C69", "major-sixth", "69", " add9(hidden) add7b"},
        {"Cm69", "minor-sixth", "m69", " add9(hidden) add7b"},
        {"Cmmaj7", "major-minor", "m(maj7)", ""},
        {"C13", "dominant-13th", "13", ""},
        {"C7b913", "dominant", "7", " add9b add13"},
        {"C9#1113", "dominant-ninth", "9", " add11# add13"},
        {"Cmaj7#5", "major-seventh", "maj7", " alter5#"},
        {"Caug7", "augmented-seventh", "+7", ""},
        {"Csus47", "suspended-fourth", "7sus4", " add7b(hidden)"},
        {"C7#9b13", "dominant", "7", " add9# add13b"},
    };
    for (const auto& c : cases) {
        const CMHarmony harmony = HarmonyOf(CompileChord(c.chord));
        EXPECT_EQ(harmony.kind + "|" + harmony.text + "|" + DegreesText(harmony),
                  std::string(c.kind) + "|" + c.text + "|" + c.degrees)
            << c.chord;
    }
}

TEST(MusicXml, ScoresMatchTheReviewedFiles)
{
    const struct {
        const char* song;  // below the source folder
        int transposition;
        const char* golden;  // below tests/data/musicxml
    } scores[] = {
        {"Data/Example.zimbrel", 0, "Example.musicxml"},
        {"Data/WinterLamp.zimbrel", 0, "WinterLamp.musicxml"},
        {"tests/data/songs/volta.zimbrel", 0, "volta.musicxml"},
        {"tests/data/songs/signs.zimbrel", 2, "signs.bflat.musicxml"},
        {"tests/data/songs/melody.zimbrel", 0, "melody.musicxml"},
    };
    for (const auto& score : scores) {
        const std::string path = std::string(ZIMBREL_SOURCE_DIR "/") + score.song;
        CMMusicSong song = CompileSong(FileContents(path));
        song.path = path.c_str();
        CMMusicXmlOptions options;
        options.transposition = score.transposition;
        options.title = song.GetFileTitle().Str();
        const std::string expected =
            FileContents(std::string(ZIMBREL_TEST_DATA "/musicxml/") + score.golden);
        ASSERT_FALSE(expected.empty()) << score.golden;
        EXPECT_EQ(ExportMusicXml(song, options).text, expected)
            << score.song << ": run scripts/regenerate-golden.sh and review the difference";
    }
}
