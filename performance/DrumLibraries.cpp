// The two drum libraries, in General MIDI drum keys: 59 ride cymbal 2, 44 pedal hi-hat, 36 bass
// drum, 37 side stick, 40 electric snare. The ride plays the time (its velocities make the
// accents), the hi-hat closes on two and four. Every note is written a measure long: a drum
// note's length is not heard. Drum patterns are never transposed. Patterns 10 and 11 of each
// library serve only the measure before a section boundary (a fill) and the last measure.
#include "performance/ChordScale.h"
#include "performance/LibraryBuilders.h"
#include "performance/PatternRows.h"

// The tables below are laid out as a musician reads them, one pattern or shape a row.
// clang-format off

namespace {

constexpr std::uint32_t G = kGeneralMask;
constexpr std::uint32_t FILL = SlotKeyMeasure;
constexpr std::uint32_t END = SlotFineMeasure;
constexpr std::uint8_t L = 0x14;
constexpr int RIDE = 59, HAT = 44, KICK = 36, STICK = 37, SNARE = 40;

void Drum(CMMusicPlayer& drums, std::uint32_t mask, std::uint8_t length,
          std::initializer_list<CMNoteRow> notes)
{
    AddPattern(drums, mask, length, 9, -48, 48, 20, 400, notes);
}

}  // namespace

void BuildPelko(CMMusicPlayer& drums)
{
    drums.name = "Pelko";
    // Swung: the off-beat eighth 72 ticks after the beat.
    Drum(drums, G, 0x11, {{0, RIDE, 63, L}, {0, HAT, 95, L}});
    Drum(drums, G, 0x11, {{0, RIDE, 79, L}, {0, HAT, 95, L}, {76, RIDE, 63, L}});
    Drum(drums, G, 0x12, {{0, RIDE, 63, L}, {96, RIDE, 31, L}, {96, HAT, 95, L}, {168, RIDE, 31, L}});
    Drum(drums, G, 0x12, {{0, RIDE, 79, L}, {96, RIDE, 31, L}, {96, HAT, 95, L}, {172, RIDE, 63, L}});
    Drum(drums, G, L,
         {{0, RIDE, 63, L}, {96, RIDE, 31, L}, {96, HAT, 95, L}, {168, RIDE, 31, L},
          {192, RIDE, 48, L}, {288, RIDE, 63, L}, {288, HAT, 95, L}});
    Drum(drums, G, L,
         {{0, RIDE, 31, L}, {96, RIDE, 63, L}, {96, HAT, 95, L}, {168, RIDE, 31, L},
          {192, RIDE, 31, L}, {288, RIDE, 31, L}, {288, HAT, 95, L}, {360, RIDE, 31, L}});
    Drum(drums, G, L,
         {{0, RIDE, 47, L}, {96, RIDE, 31, L}, {96, HAT, 95, L}, {192, RIDE, 63, L},
          {288, RIDE, 31, L}, {288, HAT, 95, L}, {360, RIDE, 31, L}});
    Drum(drums, G, L,
         {{0, RIDE, 47, L}, {96, RIDE, 31, L}, {96, HAT, 95, L}, {192, RIDE, 63, L},
          {288, RIDE, 31, L}, {288, HAT, 95, L}, {288, KICK, 47, L}, {360, RIDE, 31, L}});
    Drum(drums, G, L,
         {{0, RIDE, 31, L}, {96, RIDE, 31, L}, {96, HAT, 95, L}, {168, RIDE, 31, L},
          {192, RIDE, 31, L}, {288, RIDE, 31, L}, {288, HAT, 95, L}, {360, RIDE, 31, L}});
    Drum(drums, FILL, L,
         {{0, RIDE, 47, L}, {96, RIDE, 31, L}, {96, HAT, 95, L}, {160, STICK, 63, L},
          {192, RIDE, 63, L}, {288, RIDE, 31, L}, {288, HAT, 95, L}, {352, SNARE, 63, L},
          {360, RIDE, 31, L}});
    Drum(drums, END, L, {{0, RIDE, 47, L}, {96, RIDE, 31, L}, {96, HAT, 95, L}});
    drums.MarkPart("swing drums");
}

void BuildGarvel(CMMusicPlayer& drums)
{
    drums.name = "Garvel";
    drums.SetStraightEighths(true);
    // Straight eighths for the bossa nova: the off-beat 48 ticks after the beat. Patterns 4, 9
    // and 10 keep a swung stroke.
    Drum(drums, G, 0x11, {{0, RIDE, 63, L}, {0, HAT, 95, L}});
    Drum(drums, G, 0x11, {{0, RIDE, 79, L}, {0, HAT, 95, L}, {48, RIDE, 63, L}});
    Drum(drums, G, 0x12, {{0, RIDE, 63, L}, {96, RIDE, 31, L}, {96, HAT, 95, L}, {144, RIDE, 31, L}});
    Drum(drums, G, 0x12, {{0, RIDE, 79, L}, {96, RIDE, 31, L}, {96, HAT, 95, L}, {172, RIDE, 63, L}});
    Drum(drums, G, L,
         {{0, RIDE, 63, L}, {96, RIDE, 31, L}, {96, HAT, 95, L}, {144, RIDE, 31, L},
          {192, RIDE, 48, L}, {288, RIDE, 63, L}, {288, HAT, 95, L}});
    Drum(drums, G, L,
         {{0, RIDE, 31, L}, {96, RIDE, 63, L}, {96, HAT, 95, L}, {144, RIDE, 31, L},
          {192, RIDE, 31, L}, {288, RIDE, 31, L}, {288, HAT, 95, L}, {336, RIDE, 31, L}});
    Drum(drums, G, L,
         {{0, RIDE, 47, L}, {96, RIDE, 31, L}, {96, HAT, 95, L}, {192, RIDE, 63, L},
          {288, RIDE, 31, L}, {288, HAT, 95, L}, {336, RIDE, 31, L}});
    Drum(drums, G, L,
         {{0, RIDE, 47, L}, {96, RIDE, 31, L}, {96, HAT, 95, L}, {192, RIDE, 63, L},
          {288, RIDE, 31, L}, {288, HAT, 95, L}, {288, KICK, 47, L}, {336, RIDE, 31, L}});
    Drum(drums, G, L,
         {{0, RIDE, 31, L}, {96, RIDE, 31, L}, {96, HAT, 95, L}, {168, RIDE, 31, L},
          {192, RIDE, 31, L}, {288, RIDE, 31, L}, {288, HAT, 95, L}, {336, RIDE, 31, L}});
    Drum(drums, FILL, L,
         {{0, RIDE, 47, L}, {96, RIDE, 31, L}, {96, HAT, 95, L}, {144, STICK, 63, L},
          {192, RIDE, 63, L}, {288, RIDE, 31, L}, {288, HAT, 95, L}, {336, SNARE, 63, L},
          {360, RIDE, 31, L}});
    Drum(drums, END, L, {{0, RIDE, 47, L}, {96, RIDE, 31, L}, {96, HAT, 95, L}});
    drums.MarkPart("bossa nova drums");
}
// clang-format on
