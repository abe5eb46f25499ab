// Vashti's stride library: a low root with its tenth (or third) above alternates with a chord in
// the middle register, in quarter notes, at every tempo and for every root (shifts -48..48 keep
// the low root between keys 36 and 47). The last three patterns, a plain root as long as the
// pattern, make sure no chord is ever left out.
#include "performance/ChordScale.h"
#include "performance/LibraryBuilders.h"
#include "performance/PatternRows.h"

// The tables below are laid out as a musician reads them, one pattern or shape a row.
// clang-format off

namespace {

constexpr std::uint32_t kMajorQualities = kMajorAndDominantScales;  // 511: every major-quality scale
constexpr std::uint32_t kDiminished = ScaleDiminished;
constexpr std::uint32_t kHalfDiminished = ScaleLocrian | ScaleAlteredLocrian | ScaleDiminished;
constexpr std::uint32_t kMinorAndDiminished = 0x1FE00;  // Dorian through Diminish
constexpr std::uint32_t kAnySeventh = 53244;  // Mixolydian through Phrygian, Locrian, altered Locrian
constexpr std::uint8_t Q = 0x11;

void Stride(CMMusicPlayer& piano, std::uint32_t mask, std::uint8_t length, std::uint32_t weight,
            std::initializer_list<CMNoteRow> notes)
{
    AddPattern(piano, mask, length, weight, -48, 48, 20, 400, notes);
}

}  // namespace

void BuildVashti(CMMusicPlayer& piano)
{
    piano.name = "Vashti";
    // A measure: root and tenth, chord, fifth or third below, chord.
    Stride(piano, kMajorQualities, 0x14, 2,  // tenths walking up chromatically
           {{0, {36, 52}, 63, Q}, {96, {38, 53}, 63, Q}, {192, {39, 54}, 63, Q}, {288, {40, 55}, 63, Q}});
    Stride(piano, kMajorQualities, 0x14, 9,
           {{0, {36, 52}, 63, Q}, {96, {55, 60, 64}, 63, Q}, {192, {40, 55}, 63, Q}, {288, {55, 60, 64}, 63, Q}});
    Stride(piano, ScaleIonian | ScaleLydian, 0x14, 9,
           {{0, {36, 52}, 63, Q}, {96, {55, 59, 64}, 63, Q}, {192, {43, 59}, 63, Q}, {288, {55, 59, 64}, 63, Q}});
    Stride(piano, kMinorScales, 0x14, 9,
           {{0, {36, 51}, 63, Q}, {96, {55, 60, 63}, 63, Q}, {192, {39, 55}, 63, Q}, {288, {55, 60, 63}, 63, Q}});
    Stride(piano, kDiminished, 0x14, 9,
           {{0, {36, 51}, 63, Q}, {96, {54, 57, 60, 63}, 63, Q}, {192, {39, 54}, 63, Q}, {288, {54, 57, 60, 63}, 63, Q}});
    Stride(piano, kLocrianScales, 0x14, 9,
           {{0, {36, 51}, 63, Q}, {96, {54, 58, 60, 63}, 63, Q}, {192, {39, 54}, 63, Q}, {288, {54, 58, 60, 63}, 63, Q}});
    Stride(piano, kDominantScales, 0x14, 9,
           {{0, {36, 52}, 63, Q}, {96, {52, 58, 60}, 63, Q}, {192, {40, 58}, 63, Q}, {288, {52, 58, 60}, 63, Q}});
    Stride(piano, kMinorModes, 0x14, 9,
           {{0, {36, 51}, 63, Q}, {96, {55, 58, 63}, 63, Q}, {192, {43, 58}, 63, Q}, {288, {55, 58, 63}, 63, Q}});
    Stride(piano, kAnySeventh, 0x14, 9,  // only the root and the seventh: fits any seventh chord
           {{0, {36, 46}, 63, Q}, {96, {58, 60}, 63, Q}, {192, {34, 46}, 63, Q}, {288, {58, 60}, 63, Q}});

    // Half a measure: root and tenth, then the chord.
    Stride(piano, kDominantScales, 0x12, 9, {{0, {36, 52}, 63, Q}, {96, {48, 52, 58}, 63, Q}});
    Stride(piano, kMajorQualities, 0x12, 9, {{0, {36, 52}, 63, Q}, {96, {48, 52, 60}, 63, Q}});
    Stride(piano, ScaleIonian | ScaleLydian, 0x12, 9, {{0, {36, 52}, 63, Q}, {96, {55, 59, 64}, 63, Q}});
    Stride(piano, kMinorScales, 0x12, 9, {{0, {36, 51}, 63, Q}, {96, {55, 60, 63}, 63, Q}});
    Stride(piano, kDiminished, 0x12, 9, {{0, {36, 51}, 63, Q}, {96, {54, 57, 60, 63}, 63, Q}});
    Stride(piano, kLocrianScales, 0x12, 9, {{0, {36, 51}, 63, Q}, {96, {54, 58, 60, 63}, 63, Q}});
    Stride(piano, kHalfDiminished, 0x12, 9, {{0, {36, 51}, 63, Q}, {96, {54, 56, 60, 63}, 63, Q}});
    Stride(piano, kMinorAndDiminished, 0x12, 9, {{0, {36, 51}, 63, Q}, {96, {51, 53, 60}, 63, Q}});

    // One beat: the root with the chord above it.
    Stride(piano, kDominantScales, 0x11, 9, {{0, {36, 46, 52}, 63, Q}});
    Stride(piano, kMinorModes, 0x11, 9, {{0, {36, 46, 51}, 63, Q}});
    Stride(piano, ScaleIonian | ScaleLydian, 0x11, 9, {{0, {36, 52, 57}, 63, Q}});

    // For any chord: the root held for the whole pattern.
    Stride(piano, kGeneralMask, 0x14, 1, {{0, 36, 63, 0x14}});
    Stride(piano, kGeneralMask, 0x12, 1, {{0, 36, 63, 0x12}});
    Stride(piano, kGeneralMask, 0x11, 1, {{0, 36, 63, 0x11}});
    piano.MarkPart("stride library");
}
// clang-format on
