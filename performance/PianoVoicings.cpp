// The piano's voicing sets that every pianist draws on: rootless four-note voicings and the
// diminished seventh chord, each in a measure, a half-measure and a one-beat version, and the
// empty fallbacks that end every pianist's library. Voicings are written on C; their shift
// ranges keep each one in its register (the rootless ones around key 51, the derived inversions
// cover the other half of the octave). A push at tick -26 strikes the chord before the beat;
// pushed patterns are kept for tempos from 110.
#include "performance/ChordScale.h"
#include "performance/LibraryBuilders.h"
#include "performance/PatternRows.h"

// The tables below are laid out as a musician reads them, one pattern or shape a row.
// clang-format off

namespace {

constexpr std::uint32_t DORIAN = ScaleDorian, MIXO = ScaleMixolydian, IONIAN = ScaleIonian;
constexpr int PUSH = -26;

// The three rootless voicings on C: Eb G Bb D (Dorian), Bb D E A (Mixolydian), E G A D (Ionian).
const std::vector<int> DORIAN_VOICING = {51, 55, 58, 62};
const std::vector<int> MIXO_VOICING = {58, 62, 64, 69};
const std::vector<int> IONIAN_VOICING = {52, 55, 57, 62};

void Voicing(CMMusicPlayer& piano, std::uint32_t mask, std::uint8_t length, std::uint32_t weight,
             bool fastOnly, std::initializer_list<CMNoteRow> notes)
{
    // Each voicing has its register: Dorian 1..6, Mixolydian -6..-1, Ionian -1..4 semitones.
    const int low = mask == DORIAN ? 1 : mask == MIXO ? -6 : -1;
    AddPattern(piano, mask, length, weight, low, low + 5, fastOnly ? 110 : 20, 400, notes);
}

}  // namespace

void AddRootlessVoicingsMeasure(CMMusicPlayer& piano)
{
    const std::uint8_t M = 0x14;
    Voicing(piano, DORIAN, M, 5, true, {{PUSH, DORIAN_VOICING, 63, 0x14}});
    Voicing(piano, MIXO, M, 5, true, {{PUSH, MIXO_VOICING, 63, 0x14}});
    Voicing(piano, IONIAN, M, 5, true, {{PUSH, IONIAN_VOICING, 63, 0x14}});
    Voicing(piano, DORIAN, M, 3, false, {{0, DORIAN_VOICING, 63, 0x13}});
    Voicing(piano, MIXO, M, 3, false, {{0, MIXO_VOICING, 63, 0x13}});
    Voicing(piano, IONIAN, M, 3, false, {{0, IONIAN_VOICING, 63, 0x13}});
    // A Lydian-seventh line over the Mixolydian voicing: the top voice walks down from A.
    AddPattern(piano, ScaleLydianSeventh, M, 3, -7, 5, 110, 400,
               {{0, {58, 62, 64}, 63, 0x13}, {0, 69, 63, 0x74}, {128, 68, 47, 0x71},
                {160, 67, 47, 0x71}, {192, 66, 63, 0x12}});
    Voicing(piano, DORIAN, M, 9, true, {{PUSH, DORIAN_VOICING, 63, 0x21}});
    Voicing(piano, MIXO, M, 9, true, {{PUSH, MIXO_VOICING, 63, 0x21}});
    Voicing(piano, IONIAN, M, 9, true, {{PUSH, IONIAN_VOICING, 63, 0x21}});
    Voicing(piano, DORIAN, M, 5, true, {{0, DORIAN_VOICING, 63, 0x21}});
    Voicing(piano, MIXO, M, 5, true, {{0, MIXO_VOICING, 63, 0x21}});
    Voicing(piano, IONIAN, M, 5, true, {{0, IONIAN_VOICING, 63, 0x21}});
    Voicing(piano, DORIAN, M, 3, true, {{PUSH, DORIAN_VOICING, 63, 0x21}, {70, DORIAN_VOICING, 63, 0x13}});
    Voicing(piano, MIXO, M, 3, true, {{PUSH, MIXO_VOICING, 63, 0x21}, {70, MIXO_VOICING, 63, 0x21}});
    Voicing(piano, IONIAN, M, 3, true, {{PUSH, IONIAN_VOICING, 63, 0x21}, {70, IONIAN_VOICING, 63, 0x21}});
    Voicing(piano, DORIAN, M, 5, true, {{PUSH, DORIAN_VOICING, 63, 0x21}, {166, DORIAN_VOICING, 63, 0x21}});
    Voicing(piano, MIXO, M, 5, true, {{PUSH, MIXO_VOICING, 63, 0x21}, {166, MIXO_VOICING, 63, 0x21}});
    Voicing(piano, IONIAN, M, 5, true, {{PUSH, IONIAN_VOICING, 63, 0x21}, {166, IONIAN_VOICING, 63, 0x21}});
    // A lower voicing pushed into the measure, then the rootless voicing on the and of two.
    Voicing(piano, DORIAN, M, 9, true, {{PUSH, {48, 51, 55, 58}, 63, 0x21}, {166, DORIAN_VOICING, 63, 0x21}});
    Voicing(piano, MIXO, M, 9, true, {{PUSH, {58, 62, 64, 67}, 63, 0x21}, {166, MIXO_VOICING, 63, 0x21}});
    Voicing(piano, IONIAN, M, 9, true, {{PUSH, {48, 52, 55, 59}, 63, 0x21}, {166, IONIAN_VOICING, 63, 0x21}});
    // A held chord whose top voice steps down on beat three.
    Voicing(piano, DORIAN, M, 3, false, {{0, {51, 55, 58}, 63, 0x14}, {0, 62, 63, 0x12}, {192, 60, 63, 0x23}});
    Voicing(piano, MIXO, M, 3, false, {{0, {58, 62, 64}, 63, 0x14}, {0, 69, 63, 0x12}, {192, 67, 63, 0x23}});
    Voicing(piano, IONIAN, M, 3, false, {{0, {52, 55, 62}, 63, 0x14}, {0, 59, 63, 0x12}, {192, 57, 63, 0x23}});
}

void AddRootlessVoicingsHalf(CMMusicPlayer& piano)
{
    const std::uint8_t H = 0x12;
    Voicing(piano, DORIAN, H, 5, true, {{PUSH, DORIAN_VOICING, 63, 0x12}});
    Voicing(piano, MIXO, H, 5, true, {{PUSH, MIXO_VOICING, 63, 0x12}});
    Voicing(piano, IONIAN, H, 5, true, {{PUSH, IONIAN_VOICING, 63, 0x12}});
    Voicing(piano, DORIAN, H, 1, false, {{0, DORIAN_VOICING, 63, 0x12}});
    Voicing(piano, MIXO, H, 1, false, {{0, MIXO_VOICING, 63, 0x12}});
    Voicing(piano, IONIAN, H, 1, false, {{0, IONIAN_VOICING, 63, 0x12}});
    Voicing(piano, DORIAN, H, 9, true, {{PUSH, DORIAN_VOICING, 63, 0x21}});
    Voicing(piano, MIXO, H, 9, true, {{PUSH, MIXO_VOICING, 63, 0x21}});
    Voicing(piano, IONIAN, H, 9, true, {{PUSH, IONIAN_VOICING, 63, 0x21}});
    Voicing(piano, DORIAN, H, 9, true, {{0, DORIAN_VOICING, 63, 0x21}});
    Voicing(piano, MIXO, H, 9, true, {{0, MIXO_VOICING, 63, 0x21}});
    Voicing(piano, IONIAN, H, 9, true, {{0, IONIAN_VOICING, 63, 0x21}});
}

void AddRootlessVoicingsBeat(CMMusicPlayer& piano)
{
    const std::uint8_t B = 0x11;
    Voicing(piano, DORIAN, B, 9, false, {{0, DORIAN_VOICING, 63, 0x11}});
    Voicing(piano, MIXO, B, 9, false, {{0, MIXO_VOICING, 63, 0x11}});
    Voicing(piano, IONIAN, B, 9, false, {{0, IONIAN_VOICING, 63, 0x11}});
    Voicing(piano, DORIAN, B, 1, true, {{0, DORIAN_VOICING, 63, 0x21}});
    Voicing(piano, MIXO, B, 1, true, {{0, MIXO_VOICING, 63, 0x21}});
    Voicing(piano, IONIAN, B, 1, true, {{0, IONIAN_VOICING, 63, 0x21}});
}

// The diminished seventh chord in its four inversions, each with the range that keeps it low.
void AddDiminishedVoicings(CMMusicPlayer& piano, std::uint8_t length, bool narrow)
{
    static const int kLow[4] = {54, 57, 60, 63};
    for (int i = 0; i < 4; ++i) {
        const int bottom = kLow[i];
        const int low = -3 - 3 * i;
        const int high = narrow ? low + 3 : low + 13;
        AddPattern(piano, ScaleDiminished, length, 9, low, high, 20, 400,
                   {{0, {bottom, bottom + 3, bottom + 6, bottom + 9}, 63, length}});
    }
}

void AddDiminishedVoicingsMeasure(CMMusicPlayer& piano)
{
    AddDiminishedVoicings(piano, 0x14, false);
}

void AddDiminishedVoicingsHalf(CMMusicPlayer& piano)
{
    AddDiminishedVoicings(piano, 0x12, true);
}

void AddDiminishedVoicingsBeat(CMMusicPlayer& piano)
{
    AddDiminishedVoicings(piano, 0x11, false);
}

// Three empty patterns that match every chord slot; with weight 1 at the end of the library they
// are chosen only when the pianist has no voicing for the chord.
void AddFallbackRests(CMMusicPlayer& piano)
{
    for (const std::uint8_t length : {0x14, 0x12, 0x11})
        AddPattern(piano, kGeneralMask, length, 1, -120, 120, 20, 400, {});
}
// clang-format on
