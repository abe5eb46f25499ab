// The pianists' voicing sets checked as a musician would check them: registers that serve every
// root at every tempo, pushes, velocities and lengths, every note inside every scale its pattern
// claims, no root in the rootless sets and no minor ninth over an inner voice.
#include "performance/CMMusicBand.h"
#include "performance/ChordScale.h"
#include "tests/PresetBands.h"

#include <gtest/gtest.h>

#include <algorithm>
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

// The pianists' voicing sets, each in three lengths: measure, half measure, one beat.
struct Set {
    const char* player;
    const char* part;      // without ", measure" and so on
    bool derived = false;  // its voicings gain their inversions from the derivation
};

const std::vector<Set>& Sets()
{
    static const std::vector<Set> sets = {
        {"Ostrin", "two-hand voicings"},
        {"Ostrin", "upper structures"},
        {"Ostrin", "five-note voicings"},
        // Written as Dorian, Mixolydian and Ionian; the derivation adds Aeolian, Lydian seventh
        // and Lydian to them and makes their inversions.
        {"Ruvane", "bossa rootless voicings", true},
        {"Ruvane", "bossa comping"},
        {"Ruvane", "bossa diminished voicings"},
    };
    return sets;
}

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

// Every pattern of every set with the set's name.
std::vector<std::pair<std::string, const CMMusicNoteList*>> AllSetPatterns()
{
    std::vector<std::pair<std::string, const CMMusicNoteList*>> all;
    for (const Set& set : Sets())
        for (const char* length : kLengthNames)
            for (const CMMusicNoteList* p :
                 Part(Player(set.player), std::string(set.part) + length))
                all.emplace_back(set.part, p);
    for (const auto& p : Player("Vashti").GetPatterns())
        all.emplace_back("stride", p.get());
    return all;
}

}  // namespace

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
            std::set<std::uint32_t> masks;
            for (const CMMusicNoteList* p : patterns)
                masks.insert(p->scaleMask);
            EXPECT_FALSE(masks.empty()) << name;
            for (const std::uint32_t mask : masks)
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
        // stride's bass walks chromatically under any major or dominant chord (mask 511).
        if ((set == "two-hand voicings" && pattern->scaleMask == 80) ||
            (set == "stride" && pattern->scaleMask == 511))
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
