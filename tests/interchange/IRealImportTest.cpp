// Import of iReal links: the unscrambling rule on blocks of fifty characters, the fields of both
// kinds of link, the qualities of the format as the song language compiles them, and playlists
// written for these tests imported, compiled and compared with reviewed files (the source, the
// warnings for what the song language cannot hold, and the measures it compiles to).
#include "tests/CompiledSongs.h"
#include "tests/interchange/IRealGolden.h"

#include "interchange/IRealChord.h"

#include <gtest/gtest.h>

TEST(IRealLinks, ScrambledBlocksOfFiftyAreSwappedBackUnlessFewerThanTwoFollow)
{
    const std::string alphabet = "abcdefghijklmnopqrstuvwxyzabcdefghijklmnopqrstuvwxyz";
    const struct {
        std::string scrambled;
        std::string clear;
    } cases[] = {
        {"C^7 |A-7 |", "C^7 |A-7 |"},  // 50 or fewer: as written
        {alphabet.substr(0, 51), alphabet.substr(0, 51)},
        {alphabet, "xwvutfghijnmlkjihgfedcbayzxwvutsrqponmlkopqrsedcbayz"},
        {"C^7XyQ|A-7XyQKcl LZD-7", "C^7 |A-7 | x |D-7"},
        {"<Ok, cl>C", "<Ok, cl>C"},  // comments keep their letters
    };
    for (const auto& c : cases)
        EXPECT_EQ(ClearIRealChords(c.scrambled), c.clear) << c.scrambled;
}

TEST(IRealLinks, SongsAndPlaylistNamesAreReadFromBothKindsOfLink)
{
    CMIRealPlaylist playlist;
    std::string error;
    const auto links = FindIRealLinks(FileContents(ZIMBREL_TEST_DATA "/ireal/playlist.html"));
    ASSERT_EQ(links.size(), 1u);
    ASSERT_TRUE(ReadIRealLink(links[0], playlist, error)) << error;
    EXPECT_EQ(playlist.name, "Zimbrel Test Tunes");
    ASSERT_EQ(playlist.songs.size(), 3u);
    const CMIRealSong& ferry = playlist.songs[2];
    EXPECT_EQ(ferry.title + "|" + ferry.composer + "|" + ferry.style + "|" + ferry.key,
              "Night Ferry, The|Moe Alex Lee|Ballad|C-");
    EXPECT_EQ(ferry.tempo, 56);
    EXPECT_EQ(ferry.repeats, 2);

    const auto clear = FindIRealLinks(FileContents(ZIMBREL_TEST_DATA "/ireal/link.txt"));
    ASSERT_EQ(clear.size(), 1u);
    ASSERT_TRUE(ReadIRealLink(clear[0], playlist, error)) << error;
    EXPECT_EQ(playlist.songs.at(0).chords.substr(0, 10), "{D-7 |G7 |");

    EXPECT_FALSE(ReadIRealLink("irealb://nothing%20here", playlist, error));
    EXPECT_EQ(error, "the link holds no song");
    EXPECT_FALSE(ReadIRealLink("http://example.org", playlist, error));
    EXPECT_EQ(error, "it is not an irealb:// or irealbook:// link");
}

TEST(IRealImport, QualitiesCompileToTheChordsTheyName)
{
    // The everyday qualities (-7, ^7, 6, -6, 7, 9, 7b9) are in the reviewed playlists.
    const struct {
        const char* quality;
        const char* compiled;  // the chord's plain text after the compile
        bool lost;
    } cases[] = {
        {"", "", false},
        {"^", "maj7", false},
        {"^9", "maj9", false},
        {"^13", "maj9 13", false},
        {"^7#11", "maj7 #11", false},
        {"-", "m", false},
        {"-69", "m69", false},
        {"-11", "m11", false},
        {"-^7", "m maj7", false},
        {"-^9", "m maj9", false},
        {"-7b5", "m7 b5", false},
        {"h", "m7 b5", false},
        {"h9", "m9 b5", false},
        {"o", "dim", false},
        {"o7", "dim", false},
        {"+", "aug", false},
        {"7#5", "7 #5", false},
        {"69", "69", false},
        {"11", "11", false},
        {"13", "13", false},
        {"7#9", "7 #9", false},
        {"7b9#9", "7 b9 #9", false},
        {"7b9b13", "7 b9 b13", false},
        {"9#11", "9 #11", false},
        {"13b9", "7 b9 13", false},
        {"13#11", "9 #11 13", false},
        {"sus", "sus4", false},
        {"7sus", "sus7", false},
        {"9sus", "sus7 9", false},
        {"7b9sus", "sus7 b9", false},
        {"7alt", "7 #9 b13", true},
        {"2", "", true},
        {"add9", "", true},
        {"5", "", true},
        {"7q", "7", true},
        {"7#13", "7", true},
    };
    for (const auto& c : cases) {
        const CMTranslatedChord chord = TranslateIRealChord("Bb", c.quality, "");
        EXPECT_EQ(CompileChord(chord.text).GetPlainText().Str(), c.compiled) << c.quality;
        EXPECT_EQ(!chord.lost.empty(), c.lost) << c.quality;
    }
    EXPECT_EQ(TranslateIRealChord("E", "b5", "").text, "E-5");  // not E flat and a stray 5
    EXPECT_EQ(TranslateIRealChord("F#", "-7", "C#").text, "F#m7onC#");
}

TEST(IRealImport, PlaylistsMatchTheReviewedFiles)
{
    for (const char* file : {"playlist.html", "link.txt"}) {
        const auto songs = ImportForGolden(std::string(ZIMBREL_TEST_DATA "/ireal/") + file);
        EXPECT_FALSE(songs.empty()) << file;
        for (const IRealGoldenSong& song : songs) {
            const std::string base = std::string(ZIMBREL_TEST_DATA "/ireal/expected/") + song.name;
            const char* hint = ": run scripts/regenerate-golden.sh and review the difference";
            EXPECT_EQ(song.source, FileContents(base + ".zimbrel")) << song.name << hint;
            EXPECT_EQ(song.warnings, FileContents(base + ".warnings")) << song.name << hint;
            EXPECT_EQ(song.bars, FileContents(base + ".bars")) << song.name << hint;
        }
    }
}
