// Two-hand voicings: a rootless voicing in the left hand and three keys an octave and more above
// it in the right, for minor sevenths (Dorian and Aeolian), dominants (Mixolydian and Lydian
// seventh) and major chords (Ionian and Lydian), each in two registers so that every root keeps
// the left hand between keys 50 and 57. Altered dominants get chromatic passing chords at slow
// and medium tempos; diminished chords come in four inversions.
#include "performance/ChordScale.h"
#include "performance/LibraryBuilders.h"
#include "performance/PatternRows.h"
#include "performance/VoicingFigures.h"

namespace {

constexpr std::uint32_t kWeight = 9;
constexpr std::uint32_t kAlteredDominant = ScaleCombinationOfDiminished | ScaleAltered;  // 80

// Sustained chords suit tempos up to 200; the busy Charleston suits tempos from 130.
const CMFigure kHalvesSlow = {{{0, 0x12, 63}, {192, 0x12, 55}}, 20, 200};
const CMFigure kCharlestonFast = {{{0, 0x21, 63}, {168, 0x21, 55}}, 130, 400};

// Each family in its two registers, with two right-hand tops that the figures alternate.
struct Family {
    CMShape registerA;  // left hand from the low note up
    CMShape registerB;
    std::vector<int> topsA[2];
    std::vector<int> topsB[2];
};

CMShape WithTop(const CMShape& base, const std::vector<int>& top)
{
    CMShape shape = base;
    shape.keys.insert(shape.keys.end(), top.begin(), top.end());
    return shape;
}

const std::vector<Family>& Families()
{
    static const std::vector<Family> families = {
        // Minor sevenths: Eb G Bb D or Bb D Eb G, with D G D or F Bb Eb above.
        {{kDorianOrAeolian, {51, 55, 58, 62}, 1, 6},
         {kDorianOrAeolian, {58, 62, 63, 67}, -5, 0},
         {{74, 79, 86}, {77, 82, 87}},
         {{75, 79, 86}, {77, 82, 86}}},
        // Dominants: Bb D E A or E A Bb D, with D G A or E A D above.
        {{kMixolydianOrLydianSeventh, {58, 62, 64, 69}, -6, -1},
         {kMixolydianOrLydianSeventh, {52, 57, 58, 62}, 0, 5},
         {{74, 79, 81}, {76, 81, 86}},
         {{67, 69, 74}, {69, 74, 76}}},
        // Major: E G A D or A D E G, with G B E or A D G above.
        {{ScaleIonian | ScaleLydian, {52, 55, 57, 62}, -1, 4},
         {ScaleIonian | ScaleLydian, {57, 62, 64, 67}, -7, -2},
         {{67, 71, 76}, {69, 74, 79}},
         {{71, 76, 79}, {74, 79, 83}}},
    };
    return families;
}

// Every family in both registers with each figure; the figures alternate the two tops.
void AddFamilies(CMMusicPlayer& piano, std::uint8_t length, const std::vector<CMFigure>& figures)
{
    for (const Family& family : Families())
        for (int side = 0; side < 2; ++side)
            for (std::size_t f = 0; f < figures.size(); ++f) {
                const CMShape& base = side == 0 ? family.registerA : family.registerB;
                const auto& top = (side == 0 ? family.topsA : family.topsB)[f % 2];
                AddVoicing(piano, WithTop(base, top), length, kWeight, figures[f]);
            }
}

// Altered dominants: E Bb Db Eb with Gb Bb Eb above (b9 and #9), or Bb Db Eb E in the lower
// register.
const CMShape kAlteredA = {kAlteredDominant, {52, 58, 61, 63, 66, 70, 75}, 0, 5};
const CMShape kAlteredB = {kAlteredDominant, {58, 61, 63, 64, 70, 75, 78}, -6, -1};

void AddAltered(CMMusicPlayer& piano, std::uint8_t length, const std::vector<CMFigure>& figures)
{
    for (const CMShape* shape : {&kAlteredA, &kAlteredB})
        for (const CMFigure& figure : figures)
            AddVoicing(piano, *shape, length, kWeight, figure);
}

// Passing chords: an altered voicing that slides up or down into another one over passing
// notes, for tempos up to 140. The range, fourteen semitones wide, starts at `lowShift`, which
// keeps the lowest key between 50 and 63.
void AddPassing(CMMusicPlayer& piano, std::uint8_t length, int lowShift,
                std::initializer_list<CMNoteRow> notes)
{
    AddPattern(piano, kAlteredDominant, length, kWeight, lowShift, lowShift + 13, 20, 140, notes);
}

// The diminished seventh chord in four inversions, the top note a whole step above a chord tone.
const std::vector<CMShape>& DiminishedShapes()
{
    static const std::vector<CMShape> shapes = {
        {ScaleDiminished, {54, 57, 60, 65}, -3, 10},
        {ScaleDiminished, {57, 60, 63, 68}, -6, 7},
        {ScaleDiminished, {60, 63, 66, 71}, -9, 4},
        {ScaleDiminished, {63, 66, 69, 74}, -12, 1},
    };
    return shapes;
}

// Minor with a ninth and an eleventh only: fits Dorian, Aeolian and both melodic and harmonic
// minor. One shape with an octave-wide range serves every root.
const CMShape kMinorEleventh = {ScaleDorian | ScaleAeolian | ScaleMelodicMinor | ScaleHarmonicMinor,
                                {51, 55, 62, 65, 74, 79, 87},
                                -5,
                                6};
// Major seventh with the sixth and ninth and no sharp eleven: Ionian alone.
const CMShape kMajorSixNine = {ScaleIonian, {52, 57, 59, 62, 69, 74, 79}, -6, 5};

}  // namespace

void AddTwoHandVoicingsMeasure(CMMusicPlayer& piano)
{
    AddFamilies(
        piano, 0x14,
        {swing::kPushWhole, swing::kWhole, kHalvesSlow, swing::kPushCharleston, kCharlestonFast});
    AddAltered(piano, 0x14, {swing::kPushWhole, swing::kWhole, kCharlestonFast});
    AddPassing(piano, 0x14, -2,
               {{0, {52, 58, 63, 67}, 63, 0x12},
                {168, 53, 63, 0x41},
                {180, 54, 63, 0x41},
                {192, {55, 61, 66, 70}, 63, 0x12}});
    AddPassing(piano, 0x14, -2,
               {{0, {52, 58, 61, 63}, 63, 0x12},
                {168, 51, 55, 0x41},
                {180, 50, 55, 0x41},
                {192, {49, 55, 58, 64}, 63, 0x12}});
    AddPassing(piano, 0x14, -8,
               {{0, {58, 61, 64, 68}, 63, 0x13},
                {288, {57, 60, 63, 67}, 47, 0x31},
                {312, {58, 61, 64, 68}, 55, 0x21},
                {360, {59, 62, 65, 69}, 47, 0x31}});
    AddPassing(piano, 0x14, -2,
               {{0, {52, 58, 63, 68}, 63, 0x12},
                {192, {53, 59, 64, 69}, 47, 0x21},
                {240, {52, 58, 63, 68}, 55, 0x21},
                {288, {51, 57, 62, 67}, 47, 0x11}});
    for (const CMShape& shape : DiminishedShapes()) {
        AddVoicing(piano, shape, 0x14, kWeight, swing::kPushShort);
        AddVoicing(piano, shape, 0x14, kWeight, swing::kWhole);
    }
    AddVoicing(piano, kMinorEleventh, 0x14, kWeight, swing::kWhole);
    AddVoicing(piano, kMajorSixNine, 0x14, kWeight, swing::kWhole);
}

void AddTwoHandVoicingsHalf(CMMusicPlayer& piano)
{
    AddFamilies(piano, 0x12,
                {swing::kHalfPushed, swing::kHalfHeld, swing::kHalfPushShort, swing::kHalfAnd});
    AddAltered(piano, 0x12,
               {swing::kHalfPushed, swing::kHalfHeld, swing::kHalfQuarter, swing::kHalfAnd});
    AddPassing(piano, 0x12, -2,
               {{0, {52, 58, 61, 63}, 63, 0x11},
                {96, {53, 59, 62, 64}, 47, 0x21},
                {144, {52, 58, 61, 63}, 55, 0x21}});
    AddPassing(piano, 0x12, -8,
               {{0, {58, 61, 64, 68}, 63, 0x11},
                {120, 57, 47, 0x41},
                {132, 56, 47, 0x41},
                {144, {58, 61, 64, 68}, 55, 0x21}});
    for (const CMShape& shape : DiminishedShapes()) {
        AddVoicing(piano, shape, 0x12, kWeight, swing::kHalfPushShort);
        AddVoicing(piano, shape, 0x12, kWeight, swing::kHalfHeld);
    }
    AddVoicing(piano, kMinorEleventh, 0x12, kWeight, swing::kHalfHeld);
    AddVoicing(piano, kMajorSixNine, 0x12, kWeight, swing::kHalfHeld);
}

void AddTwoHandVoicingsBeat(CMMusicPlayer& piano)
{
    AddFamilies(piano, 0x11, {swing::kBeatQuarter, swing::kBeatEighth, swing::kBeatPushed});
    AddAltered(piano, 0x11, {swing::kBeatQuarter, swing::kBeatEighth, swing::kBeatPushed});
    AddPassing(piano, 0x11, -2,
               {{0, {52, 58, 61, 63}, 63, 0x21}, {72, {53, 59, 62, 64}, 47, 0x31}});
    AddPassing(piano, 0x11, -8,
               {{0, {58, 61, 64, 68}, 63, 0x21}, {72, {57, 60, 63, 67}, 47, 0x31}});
    for (const CMShape& shape : DiminishedShapes()) {
        AddVoicing(piano, shape, 0x11, kWeight, swing::kBeatQuarter);
        AddVoicing(piano, shape, 0x11, kWeight, swing::kBeatEighth);
    }
    AddVoicing(piano, kMinorEleventh, 0x11, kWeight, swing::kBeatQuarter);
    AddVoicing(piano, kMajorSixNine, 0x11, kWeight, swing::kBeatQuarter);
}
