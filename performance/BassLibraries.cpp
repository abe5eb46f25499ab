// The two bass libraries. Every pattern is written on C with the root at key 36 and may move
// anywhere (shifts -48..48), so its root lands between keys 36 and 47. Key -1 is an approach
// note into the next chord, chosen when the performance is complete. Velocities: 79 normal,
// 95 and 111 accents (111 on the fourth beat). The slow-tempo patterns carry a triplet feel in
// eighth-triplet values (0x71 = 32 ticks, 0x74 = 128, 0x75 = 160).
#include "performance/ChordScale.h"
#include "performance/LibraryBuilders.h"
#include "performance/PatternRows.h"

// The tables below are laid out as a musician reads them, one pattern or shape a row.
// clang-format off

namespace {

constexpr std::uint32_t G = kGeneralMask;
constexpr std::uint32_t DOM = kDominantScales;
constexpr std::uint32_t MIN = kMinorScales;
constexpr std::uint32_t MAJ = kMajorAndDominantScales;
constexpr std::uint32_t PEDAL = SlotBassPedal;
constexpr int A = -1;  // approach note

}  // namespace

void BuildTolsen(CMMusicPlayer& bass)
{
    bass.name = "Tolsen";
    // For any tempo: two and four beats a chord.
    AddPattern(bass, G, 0x12, 9, -48, 48, 20, 400, {{0, 36, 79, 0x11}, {96, 36, 79, 0x11}});
    AddPattern(bass, G, 0x12, 53, -48, 48, 20, 400, {{0, 36, 79, 0x11}, {96, A, 79, 0x11}});
    AddPattern(bass, G, 0x14, 1, -48, 48, 20, 400,
               {{0, 36, 79, 0x11}, {96, 36, 79, 0x11}, {192, A, 79, 0x11}, {288, A, 111, 0x11}});
    AddPattern(bass, DOM, 0x14, 9, -48, 48, 20, 400,
               {{0, 36, 79, 0x11}, {96, 36, 79, 0x11}, {192, 34, 79, 0x11}, {288, 34, 95, 0x33},
                {360, A, 111, 0x31}});
    AddPattern(bass, DOM, 0x14, 9, -48, 48, 20, 400,
               {{0, 36, 79, 0x11}, {96, 38, 79, 0x11}, {192, 40, 79, 0x11}, {288, A, 111, 0x11}});
    AddPattern(bass, MIN, 0x14, 9, -48, 48, 20, 400,
               {{0, 36, 79, 0x11}, {96, 38, 79, 0x11}, {192, 39, 79, 0x11}, {288, A, 111, 0x11}});
    AddPattern(bass, MAJ, 0x14, 9, -48, 48, 20, 400,
               {{0, 36, 79, 0x11}, {96, 38, 79, 0x11}, {192, 40, 79, 0x11}, {288, A, 111, 0x11}});
    AddPattern(bass, G, 0x14, 9, -48, 48, 20, 400,
               {{0, 36, 79, 0x11}, {96, 37, 79, 0x11}, {192, 36, 79, 0x11}, {288, A, 111, 0x11}});
    AddPattern(bass, G, 0x14, 7, -48, 48, 20, 400,
               {{0, 36, 79, 0x11}, {96, 36, 79, 0x11}, {192, 36, 79, 0x11}, {288, A, 111, 0x11}});
    AddPattern(bass, G, 0x14, 1, -48, 48, 20, 400,
               {{0, 36, 79, 0x11}, {96, 43, 95, 0x11}, {192, A, 95, 0x11}, {288, A, 111, 0x11}});

    // Slow tempos, up to 70: a triplet feel, with large weights.
    AddPattern(bass, G, 0x12, 47, -48, 48, 10, 70, {{0, 36, 79, 0x75}, {160, 36, 79, 0x71}});
    AddPattern(bass, G, 0x12, 37, -48, 48, 10, 70,
               {{0, 36, 79, 0x75}, {128, 36, 79, 0x71}, {160, A, 79, 0x71}});
    AddPattern(bass, G, 0x12, 373, -48, 48, 10, 70, {{0, 36, 79, 0x75}, {160, A, 79, 0x71}});
    AddPattern(bass, G, 0x12, 75, -48, 48, 10, 70,
               {{0, 36, 79, 0x74}, {128, A, 79, 0x71}, {160, A, 79, 0x71}});
    AddPattern(bass, G, 0x14, 57, -48, 48, 10, 70,
               {{0, 36, 79, 0x75}, {160, 36, 79, 0x71}, {192, A, 79, 0x11}, {288, A, 111, 0x11}});
    AddPattern(bass, DOM, 0x14, 27, -48, 48, 10, 70,
               {{0, 36, 79, 0x75}, {160, 36, 79, 0x71}, {192, 34, 79, 0x74}, {320, A, 95, 0x71},
                {352, A, 111, 0x71}});
    AddPattern(bass, DOM, 0x14, 17, -48, 48, 10, 70,
               {{0, 36, 79, 0x11}, {96, 38, 79, 0x11}, {192, 40, 79, 0x75}, {352, A, 111, 0x71}});
    AddPattern(bass, MIN, 0x14, 17, -48, 48, 10, 70,
               {{0, 36, 79, 0x11}, {96, 38, 79, 0x11}, {192, 39, 79, 0x75}, {352, A, 111, 0x71}});
    AddPattern(bass, MAJ, 0x14, 13, -48, 48, 10, 70,
               {{0, 36, 79, 0x11}, {96, 38, 79, 0x11}, {192, 40, 79, 0x75}, {352, A, 111, 0x71}});

    // Tempos 71 to 99: the same figures with smaller weights.
    AddPattern(bass, G, 0x12, 23, -48, 48, 71, 99, {{0, 36, 79, 0x75}, {160, 36, 79, 0x71}});
    AddPattern(bass, G, 0x12, 18, -48, 48, 71, 99,
               {{0, 36, 79, 0x75}, {128, 36, 79, 0x71}, {160, A, 79, 0x71}});
    AddPattern(bass, G, 0x12, 136, -48, 48, 71, 99, {{0, 36, 79, 0x75}, {160, A, 79, 0x71}});
    AddPattern(bass, G, 0x12, 37, -48, 48, 71, 99,
               {{0, 36, 79, 0x74}, {128, A, 79, 0x71}, {160, A, 79, 0x71}});
    AddPattern(bass, G, 0x14, 28, -48, 48, 71, 99,
               {{0, 36, 79, 0x75}, {160, 36, 79, 0x71}, {192, A, 79, 0x11}, {288, A, 111, 0x11}});
    AddPattern(bass, DOM, 0x14, 13, -48, 48, 71, 99,
               {{0, 36, 79, 0x75}, {160, 36, 79, 0x71}, {192, 34, 79, 0x74}, {320, A, 95, 0x71},
                {352, A, 111, 0x71}});
    AddPattern(bass, DOM, 0x14, 8, -48, 48, 71, 99,
               {{0, 36, 79, 0x11}, {96, 38, 79, 0x11}, {192, 40, 79, 0x75}, {352, A, 111, 0x71}});
    AddPattern(bass, MIN, 0x14, 8, -48, 48, 71, 99,
               {{0, 36, 79, 0x11}, {96, 38, 79, 0x11}, {192, 39, 79, 0x75}, {352, A, 111, 0x71}});
    AddPattern(bass, MAJ, 0x14, 6, -48, 48, 71, 99,
               {{0, 36, 79, 0x11}, {96, 38, 79, 0x11}, {192, 40, 79, 0x75}, {352, A, 111, 0x71}});

    // The bass note under a slash chord, repeated for the chord's length.
    AddPattern(bass, PEDAL, 0x11, 9, -48, 48, 20, 400, {{0, 36, 79, 0x11}});
    AddPattern(bass, PEDAL, 0x12, 9, -48, 48, 20, 400, {{0, 36, 79, 0x11}, {96, 36, 79, 0x11}});
    AddPattern(bass, PEDAL, 0x14, 9, -48, 48, 20, 400,
               {{0, 36, 79, 0x11}, {96, 36, 79, 0x11}, {192, 36, 79, 0x11}, {288, 36, 111, 0x11}});
    AddPattern(bass, PEDAL, 0x14, 9, -48, 48, 20, 400,
               {{0, 36, 79, 0x11}, {96, 36, 79, 0x11}, {192, 36, 79, 0x11}, {288, 36, 111, 0x33},
                {360, A, 111, 0x31}});

    // Fallbacks: whatever the scale, a measure and a half measure of rest, a beat of root.
    AddPattern(bass, G, 0x14, 1, -120, 120, 20, 400, {});
    AddPattern(bass, G, 0x12, 1, -120, 120, 20, 400, {});
    AddPattern(bass, G, 0x11, 1, -120, 120, 20, 400, {{0, 36, 79, 0x11}});
    bass.MarkPart("walking bass");
}

void BuildDalmo(CMMusicPlayer& bass)
{
    bass.name = "Dalmo";
    bass.SetStraightEighths(true);
    // A bossa nova figure: a dotted quarter and a short note, on the root and the fifth.
    AddPattern(bass, G, 0x11, 9, -48, 48, 20, 400, {{0, 36, 79, 0x11}});
    AddPattern(bass, G, 0x12, 9, -48, 48, 20, 400, {{0, 36, 79, 0x23}, {144, A, 79, 0x71}});
    AddPattern(bass, G, 0x14, 9, -48, 48, 20, 400,
               {{0, 36, 79, 0x23}, {144, 43, 79, 0x71}, {192, 43, 79, 0x23}, {336, A, 79, 0x71}});
    AddPattern(bass, PEDAL, 0x11, 9, -48, 48, 20, 400, {{0, 36, 79, 0x11}});
    AddPattern(bass, PEDAL, 0x12, 9, -48, 48, 20, 400, {{0, 36, 79, 0x23}, {144, A, 79, 0x71}});
    AddPattern(bass, PEDAL, 0x14, 9, -48, 48, 20, 400,
               {{0, 36, 79, 0x23}, {144, 36, 79, 0x71}, {192, 36, 79, 0x23}, {336, A, 79, 0x71}});
    bass.MarkPart("bossa nova bass");
}
// clang-format on
