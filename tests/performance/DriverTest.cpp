// The performance driver: form expansion (repeats, endings, coda, structure), the slots each
// player gets, the listing byte for byte, and the MIDI file read back.
#include "music/CMMusicSong.h"
#include "performance/CMMusicBand.h"
#include "performance/GenerateMidi.h"
#include "tests/ChordSlots.h"
#include "tests/CompiledSongs.h"
#include "tests/FileContents.h"
#include "tests/MidiReader.h"
#include "tests/PresetBands.h"
#include "tests/Printers.h"
#include "tests/TempDir.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <set>
#include <string>
#include <vector>

namespace {

const CMMusicBand* Band(const char* name)
{
    return PresetBands().FindBand(CMString(name));
}

// The played measures as their first chords' names ("-" for an empty measure).
std::string Expanded(const CMMusicSong& song, int repeats, bool intro = true, bool verse = true)
{
    std::string text;
    for (const CMMusicChordList* measure : ExpandForm(song, repeats, intro, verse)) {
        if (!text.empty())
            text += ' ';
        text +=
            measure->IsEmpty() ? std::string("-") : measure->GetHead()->element->GetName().Str();
    }
    return text;
}

struct Performance {
    bool ok = false;
    std::string listing;
    midireader::File midi;
};

struct Options {
    const char* band = "Zimbrel Trio";
    int transpose = 0;
    int instruments = PlayBass | PlayPiano | PlayDrums;
    int precount = 0;
    int repeats = 1;
};

Performance Perform(const CMMusicSong& song, const Options& options = {})
{
    TempDir dir;
    const std::string path = dir.Path("song.zimbrel.midi");
    Performance result;
    CMString listing;
    result.ok = GenerateMidi(song, Band(options.band), path.c_str(), 150, options.transpose,
                             options.instruments, options.precount, 37, options.repeats, &listing,
                             true, true, CMGenerateOptions(1u));
    result.listing = listing.Str();
    if (result.ok)
        result.midi = midireader::Read(FileBytes(path));
    return result;
}

// Notes of a track that start within [from, to).
std::vector<midireader::Note> NotesBetween(const midireader::Track& track, std::uint32_t from,
                                           std::uint32_t to)
{
    std::vector<midireader::Note> notes;
    for (const midireader::Note& note : track.notes)
        if (note.tick >= from && note.tick < to)
            notes.push_back(note);
    return notes;
}

}  // namespace

TEST(FormExpansion, RepeatsEndingsAndCoda)
{
    // |: A B [1. C D :| [2. E F: the first ending is not repeated.
    EXPECT_EQ(Expanded(CompileSong("chord { |: C | D ! E | F :| G | A || }"), 1),
              "C D E F C D G A -");
    EXPECT_EQ(Expanded(CompileSong("chord { |: C | D | E | F :| G || }"), 1),
              "C D E F C D E F G -");
    // A repeat end without a beginning repeats nothing.
    EXPECT_EQ(Expanded(CompileSong("chord { C | D :| E || }"), 1), "C D E -");
    // A double repeat closes one repeat and opens the next.
    EXPECT_EQ(Expanded(CompileSong("chord { |: C | D :| |: E | F :| G || }"), 1),
              "C D C D E F E F G -");
    // A first-ending sign before a repeat begin or a double repeat belongs to no repeat of it.
    const std::pair<const char*, const char*> endingsBeforeRepeats[] = {
        {"chord { C ! D |: E :| F | }", "C D E E F -"},
        {"chord { C ! D :| |: E :| F | }", "C D E E F -"},
        {"chord { |: C ! D :| |: E :| F | }", "C D C E E F -"},
    };
    for (const auto& [source, played] : endingsBeforeRepeats)
        EXPECT_EQ(Expanded(CompileSong(source), 1), played) << source;
    // The coda sign cuts only the last chorus, which goes on to the ending.
    EXPECT_EQ(Expanded(CompileSong("chord { C | D @ E | F || ending: G | A || }"), 3),
              "C D E F C D E F C D G A -");
    // Intro and verse come first when asked for; the repeat count plays the theme.
    const CMMusicSong song =
        CompileSong("chord { intro: C | verse: D | theme: E | F || coda: G || }");
    EXPECT_EQ(Expanded(song, 2), "C D E F E F G -");
    EXPECT_EQ(Expanded(song, 2, false, false), "E F E F G -");
}

TEST(FormExpansion, StructureListAndThemeStructure)
{
    const CMMusicSong song =
        CompileSong("progression { theme structure = A B ; intro theme verse theme ending }"
                    "chord { intro: C | verse: D || labelA: E | labelB: F @ G || ending: A || }");
    // The repeat count does not matter; the coda is taken on the last theme entry only.
    EXPECT_EQ(Expanded(song, 5), "C E F G D E F A -");
    EXPECT_EQ(Expanded(song, 1, false, false), "E F G E F A -");
    // A fine bar outside the section no longer drops the section's next measure.
    EXPECT_EQ(Expanded(CompileSong("progression { A } chord { labelA: C | D ||| labelB: E |"
                                   " labelA: F | G | }"),
                       1),
              "C D F G -");
}

TEST(Driver, RefusesWithoutBandInstrumentsOrChoruses)
{
    const CMMusicSong song = CompileSong("chord { C | }");
    TempDir dir;
    const std::string path = dir.Path("x.midi");
    CMString listing;
    EXPECT_FALSE(GenerateMidi(song, nullptr, path.c_str(), 150, 0, 7, 1, 37, 1, &listing, true,
                              true, CMGenerateOptions(1u)));
    EXPECT_FALSE(GenerateMidi(song, Band("Great Trio"), path.c_str(), 150, 0, 0, 1, 37, 1, &listing,
                              true, true, CMGenerateOptions(1u)));
    EXPECT_FALSE(GenerateMidi(song, Band("Great Trio"), path.c_str(), 150, 0, 7, 1, 37, 0, &listing,
                              true, true, CMGenerateOptions(1u)));
    // A form played as more measures than a performance holds (200 measures and the closing one,
    // 99 times fit, 100 times do not).
    std::string longSource = "chord {";
    for (int i = 0; i < 200; ++i)
        longSource += " C |";
    const CMMusicSong longSong = CompileSong(longSource + " }");
    EXPECT_EQ(ExpandForm(longSong, 99, true, true).size(), 99u * 201u);
    EXPECT_LE(99u * 201u, kMostPerformedMeasures);
    EXPECT_FALSE(GenerateMidi(longSong, Band("Great Trio"), path.c_str(), 150, 0, 7, 1, 37, 100,
                              &listing, true, true, CMGenerateOptions(1u)));
    EXPECT_TRUE(listing.IsEmpty());
    EXPECT_FALSE(std::filesystem::exists(path));
    EXPECT_FALSE(GenerateMidi(song, Band("Great Trio"), dir.Path("no/such/x.midi").c_str(), 150, 0,
                              7, 1, 37, 1, &listing, true, true, CMGenerateOptions(1u)));
    EXPECT_FALSE(listing.IsEmpty());  // the listing is written all the same
}

TEST(Driver, ListingsMatchTheReviewedFiles)
{
    const struct {
        const char* song;  // the song and its listing, NAME.zimbrel and NAME.listing
        int precount;
        int repeats;
    } listings[] = {{ZIMBREL_SOURCE_DIR "/Data/Example", 1, 2},
                    {ZIMBREL_TEST_DATA "/examples/Breaks", 2, 1}};
    for (const auto& l : listings) {
        const std::string song = l.song;
        const std::string golden =
            ZIMBREL_TEST_DATA "/examples/" + song.substr(song.rfind('/') + 1) + ".listing";
        const Performance p = Perform(CompileSong(FileContents(song + ".zimbrel")),
                                      Options{.precount = l.precount, .repeats = l.repeats});
        ASSERT_TRUE(p.ok) << song;
        EXPECT_EQ(p.listing, FileContents(golden)) << song;
    }
}

TEST(Driver, ASongEndingInAPlainBarLineGetsItsEnding)
{
    // The examples end in double bars. Drums alone: the ending pattern on the last measure is
    // ride and hi-hat on the first two beats, and nothing follows it.
    const Performance p =
        Perform(CompileSong("chord { C | D | E | F | }"), Options{.instruments = PlayDrums});
    ASSERT_TRUE(p.ok);
    ASSERT_EQ(p.midi.tracks.size(), 2u);
    const midireader::Track& drums = p.midi.tracks[1];
    EXPECT_EQ(drums.channel, 9);
    const std::uint32_t last = 384 + 384 * 3;  // after the silent lead-in measure
    EXPECT_EQ(NotesBetween(drums, last, last + 384).size(), 3u);
    EXPECT_EQ(drums.notes.back().tick, last + 96);
}

TEST(Driver, OnlyTheInstrumentsAskedForHaveTracks)
{
    const CMMusicSong song = CompileSong("key { Bb } chord { Bbmaj7 | Cm7 F7 || }");
    const Performance noPiano =
        Perform(song, Options{.band = "Norvane Trio", .instruments = PlayBass | PlayDrums});
    ASSERT_EQ(noPiano.midi.tracks.size(), 3u);
    EXPECT_EQ(noPiano.midi.tracks[1].channel, 1);
    EXPECT_EQ(noPiano.midi.tracks[2].channel, 9);
}

// Every chord slot of the bass starts with the chord's root (or its bass note under a slash
// chord), between keys 36 and 47, except on a break.
void ExpectRootsOnEverySlot(const CMMusicSong& song, const midireader::Track& bass, int transpose,
                            int repeats, const std::string& name)
{
    ForEachChordSlot(
        song, repeats, [&](std::uint32_t tick, std::uint32_t, const CMMusicChord& chord) {
            const CMMusicNotationSymbol& root = chord.HasBass() ? chord.bass : chord;
            const auto notes = NotesBetween(bass, tick, tick + 1);
            ASSERT_EQ(notes.size(), 1u) << name << " at tick " << tick;
            EXPECT_GE(notes[0].key, 36) << name;
            EXPECT_LE(notes[0].key, 47) << name;
            EXPECT_EQ(notes[0].key % 12, ((root.GetSemitone() + transpose) % 12 + 12) % 12)
                << name << " at tick " << tick;
        });
}

TEST(Driver, EverySongOfDataPlaysInRangeAndInTime)
{
    const std::vector<ExampleSong> examples = ExampleSongs();
    for (const auto& [fileName, song] : examples) {
        for (const int transpose : {0, 5, -7}) {
            const Performance p = Perform(song, Options{.transpose = transpose, .repeats = 2});
            ASSERT_TRUE(p.ok) << fileName;
            ASSERT_EQ(p.midi.tracks.size(), 4u);
            ExpectRootsOnEverySlot(song, p.midi.tracks[1], transpose, 2, fileName);
            // Approach notes may step just outside the register of the roots.
            for (const midireader::Note& note : p.midi.tracks[1].notes) {
                EXPECT_GE(note.key, 28) << fileName;
                EXPECT_LE(note.key, 55) << fileName;
            }
            // No bass or piano key is struck again while it sounds: its end would silence the
            // new note.
            EXPECT_EQ(midireader::StrikesOfHeldKeys(p.midi.tracks[1]), 0) << fileName;
            EXPECT_EQ(midireader::StrikesOfHeldKeys(p.midi.tracks[2]), 0) << fileName;
            // Drums use the drum map only and are never transposed.
            const std::set<int> drumKeys = {59, 44, 36, 37, 40};
            for (const midireader::Note& note : p.midi.tracks[3].notes)
                EXPECT_TRUE(drumKeys.count(note.key)) << note.key;
        }
    }
    EXPECT_GE(examples.size(), 7u);
}
