// The player framework and the libraries: the weighted choice at its edges, the selection rules
// of each instrument, approach notes, derived voicings, the presets' libraries and bands.
#include "midi/CMMidiFile.h"
#include "performance/CMMusicBand.h"
#include "performance/ChordScale.h"
#include "performance/LibraryBuilders.h"
#include "performance/PatternRows.h"
#include "tests/MidiReader.h"
#include "tests/PresetBands.h"
#include "tests/Printers.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <vector>

namespace {

const CMMusicPlayer& Player(const char* name)
{
    const CMMusicPlayer* player = PresetBands().FindPlayer(CMString(name));
    EXPECT_NE(player, nullptr) << name;
    return *player;
}

std::vector<int> Keys(const CMMusicNoteList& pattern)
{
    std::vector<int> keys;
    for (const CMMusicNote& note : pattern.GetNotes())
        keys.push_back(note.pitch);
    return keys;
}

// The 0-based index in the library of the pattern a choice gave.
int IndexOf(const CMMusicPlayer& player, const CMMusicNoteList* pattern)
{
    const auto& patterns = player.GetPatterns();
    for (std::size_t i = 0; i < patterns.size(); ++i)
        if (patterns[i].get() == pattern)
            return static_cast<int>(i);
    return -1;
}

// Plays slots and reads the notes back from the MIDI file.
std::vector<midireader::Note> Play(const CMMusicPlayer& player, const CMMusicPhraseList& slots,
                                   std::uint32_t seed, int tempo)
{
    CMMidiFile file(96);
    file.AddTrack(1, 32, CMString());
    CMPerformanceRandom random(seed);
    player.PlaySlots(file, slots, random, tempo, 1);
    file.MakeDeltaTimes();
    return midireader::Read(file.WriteImage(tempo)).tracks[1].notes;
}

}  // namespace

TEST(Player, WeightedChoiceAtItsEdges)
{
    for (const bool heavyFirst : {true, false}) {
        CMMusicPlayerChord piano(CMString("Test"));
        AddPattern(piano, 1, 0x14, heavyFirst ? 9 : 1, -48, 48, 20, 400, {{0, 60, 63, 0x14}});
        AddPattern(piano, 1, 0x14, heavyFirst ? 1 : 9, -48, 48, 20, 400, {{0, 64, 63, 0x14}});
        EXPECT_EQ(piano.TotalWeight(1, 384, 0, 120), 10u);
        for (std::uint32_t r = 0; r < 10; ++r) {
            CMPerformanceRandom random(r);
            int octave = 99;
            const CMMusicNoteList* chosen = piano.ChoosePattern(1, 384, 0, 120, random, octave);
            const int expected = heavyFirst || r <= 1 ? 0 : 1;
            EXPECT_EQ(IndexOf(piano, chosen), expected)
                << "weights first " << heavyFirst << " r " << r;
            EXPECT_EQ(octave, 0);
            EXPECT_NE(random.Value(), r);  // a choice advances the random numbers
        }
        // Nothing matches: no choice, and the random numbers stay as they were.
        CMPerformanceRandom random(5);
        int octave = 0;
        EXPECT_EQ(piano.ChoosePattern(2, 384, 0, 120, random, octave), nullptr);
        EXPECT_EQ(random.Value(), 5u);
    }
}

TEST(Player, SelectionRulesOfEachInstrument)
{
    // A break silences everyone.
    EXPECT_EQ(Player("Tolsen").TotalWeight(SlotBreakMeasure, 384, 0, 150), 0u);
    EXPECT_EQ(Player("Falder").TotalWeight(SlotBreakMeasure, 384, 0, 150), 0u);
    // Altered chords are served by the voicings derived with mask 192 (Bb D# E Ab on C), which
    // carry the altered scale, on every root.
    const CMMusicPlayer& falder = Player("Falder");
    for (int root = 0; root < 12; ++root)
        EXPECT_GT(falder.TotalWeight(ScaleAltered, 384, root, 150), 1u) << root;
}

TEST(Player, ApproachNotes)
{
    const auto resolve = [](std::vector<int> keys, std::uint32_t seed) {
        CMMusicNoteList performance(8, 0, 0, 9, -48, 48, 20, 400);
        int tick = 0;
        for (int key : keys)
            performance.InsertNote(CMMusicNote(tick++, key, 79, 0x11));
        CMPerformanceRandom random(seed);
        CMMusicPlayer::ResolveApproachNotes(performance, random);
        return Keys(performance);
    };
    // Two placeholders before 40: the first walks down onto it, the second is chosen at random.
    EXPECT_EQ(resolve({-1, -1, 40}, 0), (std::vector<int>{42, 35, 40}));
    EXPECT_EQ(resolve({-1, -1, 40}, 1), (std::vector<int>{42, 47, 40}));
    for (std::uint32_t seed : {2u, 3u, 4u, 17u})
        EXPECT_EQ(resolve({-1, -1, 40}, seed), (std::vector<int>{42, 39, 40})) << seed;
    for (std::uint32_t seed : {5u, 14u, 20u})
        EXPECT_EQ(resolve({-1, -1, 40}, seed), (std::vector<int>{42, 41, 40})) << seed;
    EXPECT_EQ(resolve({36, -1, -1, -1, 50}, 5), (std::vector<int>{36, 53, 52, 51, 50}));
    // Nothing sounding after it: it stays silent.
    EXPECT_EQ(resolve({36, -1}, 0), (std::vector<int>{36, -1}));
}

TEST(Player, DerivedVoicings)
{
    CMMusicPlayerChord piano(CMString("Test"));
    AddPattern(piano, ScaleMixolydian, 0x14, 9, -6, -1, 20, 400, {{0, {58, 62, 64, 69}, 63, 0x14}});
    AddPattern(piano, ScaleDorian, 0x14, 9, 1, 6, 20, 400, {{0, {51, 55, 58, 62}, 63, 0x14}});
    AddPattern(piano, ScaleIonian, 0x14, 9, -1, 4, 20, 400, {{0, {52, 55, 57, 62}, 63, 0x14}});
    AddPattern(piano, ScaleLydianSeventh, 0x14, 9, -7, 5, 20, 400, {{0, {58, 62, 64}, 63, 0x14}});
    piano.DerivePatterns();
    const auto& p = piano.GetPatterns();
    ASSERT_EQ(p.size(), 4u + 13 + 1 + 3);
    EXPECT_EQ(p[0]->scaleMask, 12u);  // the sources gain a kind
    EXPECT_EQ(p[1]->scaleMask, 1536u);
    EXPECT_EQ(p[2]->scaleMask, 3u);
    EXPECT_EQ(p[3]->scaleMask, 8u);  // no derivation from other kinds

    struct Expected {
        std::uint32_t mask;
        int root, low, high;
        std::vector<int> keys;
    };
    // Keys as sorted sets; inverted voicings serve the other half of the octave.
    const std::vector<Expected> expected = {
        // From the Mixolydian voicing Bb D E A: E and A drop an octave when inverted.
        {12, 0, 0, 5, {52, 57, 58, 62}},
        {192, 0, -6, -1, {58, 63, 64, 68}},
        {192, 0, 0, 5, {52, 56, 58, 63}},
        {288, 0, -6, -1, {58, 62, 64, 68}},
        {288, 0, 0, 5, {52, 56, 58, 62}},
        {16, 0, -6, -1, {58, 61, 64, 69}},
        {16, 0, 0, 5, {52, 57, 58, 61}},
        {49152, 4, -6, -1, {58, 62, 64, 69}},
        {49152, 4, 0, 5, {52, 57, 58, 62}},
        {4096, 7, -6, -1, {58, 62, 64, 69}},
        {4096, 7, 0, 5, {52, 57, 58, 62}},
        {8192, 7, -6, -1, {58, 62, 66, 69}},
        {8192, 7, 0, 5, {54, 57, 58, 62}},
        // From the Dorian voicing: Eb and G rise an octave.
        {1536, 0, -5, 0, {58, 62, 63, 67}},
        // From the Ionian voicing.
        {3, 0, -7, -2, {57, 62, 64, 67}},
        {2048, 4, -1, 4, {52, 55, 59, 62}},
        {2048, 4, -7, -2, {59, 62, 64, 67}},
    };
    for (std::size_t i = 0; i < expected.size(); ++i) {
        const CMMusicNoteList& d = *p[4 + i];
        EXPECT_EQ(d.scaleMask, expected[i].mask) << i;
        EXPECT_EQ(d.root, expected[i].root) << i;
        EXPECT_EQ(d.lowShift, expected[i].low) << i;
        EXPECT_EQ(d.highShift, expected[i].high) << i;
        std::vector<int> keys = Keys(d);
        std::sort(keys.begin(), keys.end());
        EXPECT_EQ(keys, expected[i].keys) << i;
        EXPECT_EQ(d.weight, 9u);
    }
}

TEST(Player, ASlotNobodyCanPlayIsARestOfItsLength)
{
    CMMusicPhraseList gap;
    gap.AddTail(std::make_unique<CMMusicNoteList>(SlotBreakMeasure, 1, 0x12, 9, -48, 48, 20, 400));
    gap.AddTail(std::make_unique<CMMusicNoteList>(ScaleIonian, 2, 0x11, 9, -48, 48, 20, 400));
    const std::vector<midireader::Note> after = Play(Player("Tolsen"), gap, 3, 150);
    ASSERT_EQ(after.size(), 1u);
    EXPECT_EQ(after[0].tick, 192u);  // the next slot stays in time
    EXPECT_EQ(after[0].key, 38);
}

TEST(Player, DrumsAreNeverTransposed)
{
    for (const int transpose : {0, 5}) {
        CMMusicPhraseList measure;
        measure.transpose = transpose;
        measure.AddTail(
            std::make_unique<CMMusicNoteList>(SlotFineMeasure, 7, 0x14, 9, -48, 48, 20, 400));
        const std::vector<midireader::Note> ending = Play(Player("Pelko"), measure, 9, 150);
        ASSERT_EQ(ending.size(), 3u);  // the ending pattern: ride, ride and hi-hat
        EXPECT_EQ(ending[0].key, 59);
        EXPECT_EQ(ending[1].key, 44);
    }
}

TEST(Player, PresetLibrariesAndBands)
{
    std::vector<std::string> players;
    for (const auto& player : PresetBands().GetPlayers())
        players.push_back(player->name.Str());
    EXPECT_EQ(players, (std::vector<std::string>{"Dalmo", "Falder", "Garvel", "Ostrin", "Pelko",
                                                 "Quenby", "Ruvane", "Tolsen", "Vashti"}));
    for (const auto& band : PresetBands().GetBands()) {
        ASSERT_EQ(band->GetPlayers().size(), 3u);  // bass, piano and drums
        for (int i = 0; i < 3; ++i)
            EXPECT_EQ(band->GetPlayers()[static_cast<std::size_t>(i)]->GetInstrument(), i);
    }
    EXPECT_EQ(PresetBands().FindBand(CMString("No Trio")), nullptr);
    // The parts of a library hold all of its patterns; the fallback rests sound nothing.
    for (const auto& player : PresetBands().GetPlayers()) {
        std::size_t total = 0;
        for (const CMLibraryPart& part : player->GetParts())
            total += static_cast<std::size_t>(part.patterns);
        EXPECT_EQ(total, player->GetPatterns().size()) << player->name.Str();
        if (player->GetParts().back().name == "fallback rests")
            for (std::size_t i = 1; i <= 3; ++i)
                EXPECT_TRUE(player->GetPatterns()[total - i]->GetNotes().empty());
    }
}
