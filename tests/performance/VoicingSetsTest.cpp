// The pianists' voicing sets checked as a musician would check them: the numbers of patterns,
// the scale kinds, registers that serve every root, tempo ranges and pushes, velocities and
// lengths, every note inside every scale its pattern claims, no root in the rootless sets, no
// minor ninth over an inner voice, the rows the sets are modelled on, and every pianist playing
// every chord of every song in Data/.
#include "music/CMMusicSong.h"
#include "performance/CMMusicBand.h"
#include "performance/ChordScale.h"
#include "performance/GenerateMidi.h"
#include "tests/ChordSlots.h"
#include "tests/CompiledSongs.h"
#include "tests/FileContents.h"
#include "tests/MidiReader.h"
#include "tests/PresetBands.h"
#include "tests/TempDir.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <iterator>
#include <map>
#include <set>
#include <string>
#include <vector>

namespace {

const CMMusicPlayer& Player(const char* name)
{
    return *PresetBands().FindPlayer(CMString(name));
}

using Patterns = std::vector<const CMMusicNoteList*>;

// The patterns of one part of a library.
Patterns Part(const CMMusicPlayer& player, const std::string& name)
{
    std::size_t first = 0;
    for (const CMLibraryPart& part : player.GetParts()) {
        if (part.name.Str() == name) {
            Patterns patterns;
            for (int i = 0; i < part.patterns; ++i)
                patterns.push_back(player.GetPatterns()[first + static_cast<std::size_t>(i)].get());
            return patterns;
        }
        first += static_cast<std::size_t>(part.patterns);
    }
    ADD_FAILURE() << "no part " << name;
    return {};
}

Patterns Whole(const CMMusicPlayer& player)
{
    Patterns patterns;
    for (const auto& pattern : player.GetPatterns())
        patterns.push_back(pattern.get());
    return patterns;
}

struct Set {
    const char* player;
    const char* part;  // without ", measure" and so on
    int counts[3];     // measure, half measure, one beat
    std::set<std::uint32_t> masks;
    std::set<std::pair<int, int>> tempos;
    bool derived = false;  // its voicings gain their inversions from the derivation
};

// clang-format off
const std::vector<Set>& Sets()
{
    static const std::vector<Set> sets = {
        {"Ostrin", "two-hand voicings", {50, 44, 36}, {1536, 12, 3, 80, 0x10000, 13824, 1},
         {{110, 400}, {20, 400}, {20, 200}, {20, 140}, {130, 400}}},
        {"Ostrin", "upper structures", {16, 16, 16}, {8, 16, 64}, {{110, 400}, {20, 400}}},
        {"Ostrin", "five-note voicings", {69, 76, 68}, {1536, 3584, 49152, 12, 16, 64, 3, 4096},
         {{20, 400}, {110, 400}, {10, 150}}},
        // Written as Dorian, Mixolydian and Ionian; the derivation adds Aeolian, Lydian seventh
        // and Lydian to them and makes their inversions.
        {"Ruvane", "bossa rootless voicings", {15, 18, 6}, {1536, 12, 3}, {{20, 400}}, true},
        {"Ruvane", "bossa comping", {90, 90, 36}, {1536, 3584, 49152, 12, 16, 64, 3, 4096},
         {{20, 400}}},
        {"Ruvane", "bossa diminished voicings", {20, 20, 8}, {0x10000}, {{20, 400}}},
    };
    return sets;
}
// clang-format on

const char* const kLengthNames[3] = {", measure", ", half measure", ", one beat"};
const std::uint32_t kLengthTicks[3] = {384, 192, 96};

// The notes every scale kind of a mask shares.
std::set<int> CommonNotes(std::uint32_t mask)
{
    std::uint16_t common = 0xFFF;
    for (std::uint32_t bit = 1; bit <= ScaleDiminished; bit <<= 1)
        if (mask & bit)
            common &= ScaleNotes(bit);
    std::set<int> notes;
    for (int note = 0; note < 12; ++note)
        if (common >> note & 1)
            notes.insert(note);
    return notes;
}

std::string Describe(const CMMusicNoteList& pattern)
{
    std::string text = "mask " + std::to_string(pattern.scaleMask) + " length " +
                       std::to_string(pattern.length) + ":";
    for (const CMMusicNote& note : pattern.GetNotes())
        text += " " + std::to_string(note.tick) + ":" + std::to_string(note.pitch);
    return text;
}

// Rows the sets are modelled on, which must appear exactly as given.
struct Row {
    const char* player;
    std::uint32_t mask;
    int ticks, weight, low, high, lowTempo, highTempo;
    std::vector<std::vector<int>> notes;  // tick, velocity, code, keys...
};

bool Same(const CMMusicNoteList& pattern, const Row& row)
{
    if (pattern.scaleMask != row.mask || pattern.length != static_cast<std::uint32_t>(row.ticks) ||
        pattern.weight != static_cast<std::uint32_t>(row.weight) || pattern.lowShift != row.low ||
        pattern.highShift != row.high || pattern.lowTempo != row.lowTempo ||
        pattern.highTempo != row.highTempo)
        return false;
    std::vector<std::vector<int>> notes;
    for (const CMMusicNote& note : pattern.GetNotes())
        notes.push_back({note.tick, note.velocity, note.code, note.pitch});
    std::vector<std::vector<int>> expected;
    for (const std::vector<int>& chord : row.notes)
        for (std::size_t k = 3; k < chord.size(); ++k)
            expected.push_back({chord[0], chord[1], chord[2], chord[k]});
    return notes == expected;
}

// clang-format off
const std::vector<Row>& GivenRows()
{
    static const std::vector<Row> rows = {
        {"Ostrin", 1536, 384, 9, 1, 6, 110, 400, {{-26, 63, 0x14, 51, 55, 58, 62, 74, 79, 86}}},
        {"Ostrin", 80, 384, 9, -2, 11, 20, 140,
         {{0, 63, 0x12, 52, 58, 63, 67}, {168, 63, 0x41, 53}, {180, 63, 0x41, 54},
          {192, 63, 0x12, 55, 61, 66, 70}}},
        {"Ostrin", 0x10000, 384, 9, -9, 4, 110, 400, {{-26, 63, 0x21, 60, 63, 66, 71}}},
        {"Ostrin", 16, 384, 9, 0, 5, 110, 400, {{-26, 63, 0x14, 52, 55, 58, 61, 73, 76, 81}}},
        {"Ostrin", 3584, 384, 9, -6, 5, 20, 400, {{0, 63, 0x14, 48, 55, 60, 63, 70}}},
        {"Ostrin", 16, 384, 9, -1, 10, 20, 400, {{0, 63, 0x14, 48, 52, 58, 61, 69}}},
        {"Ruvane", 1536, 384, 5, 1, 6, 20, 400,  // written as Dorian, then derived from
         {{0, 47, 0x21, 51, 55, 58, 62}, {96, 63, 0x11, 51, 55, 58, 62},
          {192, 39, 0x31, 51, 55, 58, 62}, {240, 79, 0x11, 51, 55, 58, 62}}},
        {"Ruvane", 1536, 384, 9, -6, 5, 20, 400,
         {{0, 47, 0x21, 48, 58, 63, 67, 74}, {96, 63, 0x11, 48, 58, 63, 67, 74},
          {192, 39, 0x31, 48, 58, 63, 67, 74}, {240, 79, 0x11, 48, 58, 63, 67, 74}}},
        {"Vashti", 511, 384, 2, -48, 48, 20, 400,
         {{0, 63, 0x11, 36, 52}, {96, 63, 0x11, 38, 53}, {192, 63, 0x11, 39, 54},
          {288, 63, 0x11, 40, 55}}},
        {"Vashti", 511, 384, 9, -48, 48, 20, 400,
         {{0, 63, 0x11, 36, 52}, {96, 63, 0x11, 55, 60, 64}, {192, 63, 0x11, 40, 55},
          {288, 63, 0x11, 55, 60, 64}}},
        {"Vashti", 15872, 384, 9, -48, 48, 20, 400,
         {{0, 63, 0x11, 36, 51}, {96, 63, 0x11, 55, 60, 63}, {192, 63, 0x11, 39, 55},
          {288, 63, 0x11, 55, 60, 63}}},
        {"Vashti", 0x10000, 384, 9, -48, 48, 20, 400,
         {{0, 63, 0x11, 36, 51}, {96, 63, 0x11, 54, 57, 60, 63}, {192, 63, 0x11, 39, 54},
          {288, 63, 0x11, 54, 57, 60, 63}}},
        {"Vashti", 49152, 384, 9, -48, 48, 20, 400,
         {{0, 63, 0x11, 36, 51}, {96, 63, 0x11, 54, 58, 60, 63}, {192, 63, 0x11, 39, 54},
          {288, 63, 0x11, 54, 58, 60, 63}}},
        {"Vashti", 508, 192, 9, -48, 48, 20, 400, {{0, 63, 0x11, 36, 52}, {96, 63, 0x11, 48, 52, 58}}},
        {"Vashti", 508, 96, 9, -48, 48, 20, 400, {{0, 63, 0x11, 36, 46, 52}}},
    };
    return rows;
}
// clang-format on

bool IsGivenRow(const CMMusicNoteList& pattern)
{
    for (const Row& row : GivenRows())
        if (Same(pattern, row))
            return true;
    return false;
}

// Every pattern of every set with the set's name.
std::vector<std::pair<std::string, const CMMusicNoteList*>> AllSetPatterns()
{
    std::vector<std::pair<std::string, const CMMusicNoteList*>> all;
    for (const Set& set : Sets())
        for (const char* length : kLengthNames)
            for (const CMMusicNoteList* p :
                 Part(Player(set.player), std::string(set.part) + length))
                all.emplace_back(set.part, p);
    for (const CMMusicNoteList* p : Whole(Player("Vashti")))
        all.emplace_back("stride", p);
    return all;
}

}  // namespace

TEST(VoicingSets, CountsMasksAndTempoRanges)
{
    for (const Set& set : Sets()) {
        for (int l = 0; l < 3; ++l) {
            const std::string name = std::string(set.part) + kLengthNames[l];
            const Patterns patterns = Part(Player(set.player), name);
            EXPECT_EQ(static_cast<int>(patterns.size()), set.counts[l]) << name;
            std::set<std::uint32_t> masks;
            for (const CMMusicNoteList* p : patterns) {
                EXPECT_EQ(p->length, kLengthTicks[l]) << name;
                masks.insert(p->scaleMask);
                EXPECT_TRUE(set.tempos.count({p->lowTempo, p->highTempo}))
                    << name << " tempo " << p->lowTempo << "-" << p->highTempo;
            }
            EXPECT_EQ(masks, set.masks) << name;
        }
    }
    // Two-hand voicings: one minor-eleventh and one Ionian voicing per length.
    for (const char* length : kLengthNames) {
        const Patterns twoHand = Part(Player("Ostrin"), std::string("two-hand voicings") + length);
        EXPECT_EQ(std::count_if(twoHand.begin(), twoHand.end(),
                                [](auto* p) { return p->scaleMask == 13824; }),
                  1);
        EXPECT_EQ(std::count_if(twoHand.begin(), twoHand.end(),
                                [](auto* p) { return p->scaleMask == 1; }),
                  1);
    }
    // Exactly one five-note voicing for slow tempos.
    int slow = 0;
    for (const char* length : kLengthNames)
        for (const CMMusicNoteList* p :
             Part(Player("Ostrin"), std::string("five-note voicings") + length))
            slow += p->lowTempo == 10;
    EXPECT_EQ(slow, 1);

    // Vashti: 23 patterns, any tempo, any shift, quarter notes at velocity 63, the masks listed.
    const Patterns stride = Whole(Player("Vashti"));
    ASSERT_EQ(stride.size(), 23u);
    std::set<std::uint32_t> masks;
    for (const CMMusicNoteList* p : stride) {
        masks.insert(p->scaleMask);
        EXPECT_EQ(p->lowTempo, 20);
        EXPECT_EQ(p->highTempo, 400);
        EXPECT_EQ(p->lowShift, -48);
        EXPECT_EQ(p->highShift, 48);
        for (const CMMusicNote& note : p->GetNotes()) {
            EXPECT_EQ(note.velocity, 63);
            EXPECT_TRUE(note.code == 0x11 || (note.pitch == 36 && p->weight == 1));
        }
    }
    EXPECT_EQ(masks, (std::set<std::uint32_t>{511, 15872, 0x10000, 49152, 508, 3, 3584, 0x1C000,
                                              0x1FE00, 53244, kGeneralMask}));
    for (int i = 20; i < 23; ++i) {  // the last three hold the root, any chord, weight 1
        EXPECT_EQ(stride[static_cast<std::size_t>(i)]->weight, 1u);
        EXPECT_EQ(stride[static_cast<std::size_t>(i)]->GetNotes().size(), 1u);
    }
}

TEST(VoicingSets, EveryRootHasARegisterAtEveryTempo)
{
    for (const Set& set : Sets())
        for (int l = 0; l < 3; ++l) {
            const std::string name = std::string(set.part) + kLengthNames[l];
            Patterns patterns = Part(Player(set.player), name);
            if (set.derived)
                for (const CMMusicNoteList* p :
                     Part(Player(set.player), "voicings derived from the rootless ones"))
                    if (p->length == kLengthTicks[l])
                        patterns.push_back(p);
            for (const std::uint32_t mask : set.masks)
                for (const int tempo : {40, 100, 200, 380})
                    for (int root = 0; root < 12; ++root) {
                        bool served = false;
                        for (const CMMusicNoteList* p : patterns) {
                            if (p->scaleMask != mask)
                                continue;
                            const int match = p->Matches(mask, root, tempo, kLengthTicks[l]);
                            if (match < kLowestUsableMatch)
                                continue;
                            served = true;
                            // Where the voicing lands: the left hand between keys 40 and 64.
                            const int shift = static_cast<std::int8_t>(root - p->root) + 12 * match;
                            int lowest = 127;
                            for (const CMMusicNote& note : p->GetNotes())
                                lowest = std::min(lowest, static_cast<int>(note.pitch));
                            EXPECT_GE(lowest + shift, 40) << name << " " << Describe(*p);
                            EXPECT_LE(lowest + shift, 64) << name << " " << Describe(*p);
                        }
                        EXPECT_TRUE(served)
                            << name << " mask " << mask << " root " << root << " tempo " << tempo;
                    }
        }
}

TEST(VoicingSets, PushesVelocitiesAndLengths)
{
    for (const auto& [set, pattern] : AllSetPatterns()) {
        const bool bossa = set.rfind("bossa", 0) == 0;
        const bool passing = set == "two-hand voicings" && pattern->scaleMask == 80;
        for (const CMMusicNote& note : pattern->GetNotes()) {
            if (note.tick < 0) {
                EXPECT_GE(pattern->lowTempo, 110) << set << " " << Describe(*pattern);
            }
            EXPECT_GE(note.velocity, 39) << set;
            EXPECT_LE(note.velocity, bossa ? 79 : 63) << set;
            if (!passing && !(bossa && note.code == 0x31)) {
                EXPECT_GE(DurationTicks(note.code, 100), 48) << set << " " << Describe(*pattern);
                EXPECT_LE(DurationTicks(note.code, 100), 384) << set;
            }
        }
    }
}

TEST(VoicingSets, EveryNoteFitsEveryScaleOfItsPattern)
{
    int checked = 0;
    for (const auto& [set, pattern] : AllSetPatterns()) {
        // Chromatic passing chords are what the two-hand altered patterns are made of, and the
        // given stride rows walk chromatically.
        if ((set == "two-hand voicings" && pattern->scaleMask == 80) ||
            (set == "stride" && IsGivenRow(*pattern)))
            continue;
        const std::set<int> allowed = CommonNotes(pattern->scaleMask);
        for (const CMMusicNote& note : pattern->GetNotes()) {
            const int degree = ((note.pitch - pattern->root) % 12 + 12) % 12;
            EXPECT_TRUE(allowed.count(degree))
                << set << " " << Describe(*pattern) << ": key " << static_cast<int>(note.pitch)
                << " is not in every scale of mask " << pattern->scaleMask;
            ++checked;
        }
    }
    EXPECT_GT(checked, 5000);
}

TEST(VoicingSets, RootlessVoicingsAndInnerMinorNinths)
{
    for (const auto& [set, pattern] : AllSetPatterns()) {
        // Rootless means rootless, also under the two-hand and upper-structure voicings (the
        // two-hand set's diminished chords and passing chords are no rootless voicings).
        if (set == "bossa rootless voicings" || set == "upper structures" ||
            (set == "two-hand voicings" && pattern->scaleMask != 80 &&
             pattern->scaleMask != ScaleDiminished)) {
            for (const CMMusicNote& note : pattern->GetNotes())
                EXPECT_NE((note.pitch - pattern->root + 120) % 12, 0)
                    << set << " " << Describe(*pattern);
        }
        // No minor ninth above an inner voice, except in the altered and diminished voicings.
        if (pattern->scaleMask & (ScaleCombinationOfDiminished | ScaleAltered | ScaleDiminished))
            continue;
        std::map<int, std::vector<int>> chords;
        for (const CMMusicNote& note : pattern->GetNotes())
            chords[note.tick].push_back(note.pitch);
        for (auto& [tick, keys] : chords) {
            std::sort(keys.begin(), keys.end());
            for (std::size_t i = 1; i + 1 < keys.size(); ++i)
                EXPECT_NE(keys[i + 1] - keys[i], 13) << set << " " << Describe(*pattern);
        }
    }
}

TEST(VoicingSets, GivenRowsAppearAsGiven)
{
    for (const Row& row : GivenRows()) {
        const Patterns patterns = Whole(Player(row.player));
        EXPECT_TRUE(std::any_of(patterns.begin(), patterns.end(),
                                [&](const CMMusicNoteList* p) { return Same(*p, row); }))
            << row.player << " mask " << row.mask << " length " << row.ticks;
    }
}

TEST(VoicingSets, EveryPianistPlaysEveryChordOfEverySong)
{
    TempDir dir;
    const std::string path = dir.Path("song.midi");
    const std::vector<ExampleSong> examples = ExampleSongs();
    for (const char* bandName :
         {"Zimbrel Trio", "Great Trio", "Ashgrove Trio", "Norvane Trio", "Brazilian Trio"}) {
        const CMMusicBand* band = PresetBands().FindBand(CMString(bandName));
        for (const auto& [fileName, song] : examples) {
            for (const int tempo : {60, 150, 300}) {
                ASSERT_TRUE(GenerateMidi(song, band, path.c_str(), tempo, 0, PlayPiano, 0, 37, 2,
                                         nullptr, true, true, CMGenerateOptions(5u)));
                const midireader::File midi = midireader::Read(FileBytes(path));
                const midireader::Track& piano = midi.tracks.at(1);
                // Count the chords the piano leaves out: a chord is played when a note starts
                // within it (or is pushed into it).
                int chords = 0, missed = 0;
                ForEachChordSlot(
                    song, 2, [&](std::uint32_t tick, std::uint32_t length, const CMMusicChord&) {
                        ++chords;
                        missed += std::none_of(
                            piano.notes.begin(), piano.notes.end(), [&](const auto& note) {
                                return note.tick + 26 >= tick && note.tick < tick + length;
                            });
                    });
                EXPECT_EQ(missed, 0) << bandName << " " << fileName << " at tempo " << tempo << ": "
                                     << missed << " of " << chords;
            }
        }
    }
}
