// Upper structures: a triad in the right hand over a rootless left hand, for the colourful
// dominants: the second-degree triad over a Lydian-seventh chord, the triad of the sixth (or of
// the third) over a half-whole diminished dominant, the flat-fifth and the minor third triads
// over an altered one. Each voicing comes in the two registers the rootless voicings use.
#include "performance/ChordScale.h"
#include "performance/LibraryBuilders.h"
#include "performance/VoicingFigures.h"

namespace {

constexpr std::uint32_t kWeight = 9;

// Left hand from the low note up, then the right-hand triad; register A serves shifts 0..5,
// register B shifts -6..-1.
const std::vector<CMShape>& LydianSeventh()
{
    static const std::vector<CMShape> shapes = {
        {ScaleLydianSeventh, {52, 57, 58, 62, 74, 78, 81}, 0, 5},    // E A Bb D + D F# A
        {ScaleLydianSeventh, {58, 62, 64, 69, 74, 78, 81}, -6, -1},  // Bb D E A + D F# A
    };
    return shapes;
}

const std::vector<CMShape>& HalfWholeDiminished()
{
    static const std::vector<CMShape> shapes = {
        {ScaleCombinationOfDiminished, {52, 55, 58, 61, 73, 76, 81}, 0, 5},  // + A triad
        {ScaleCombinationOfDiminished, {58, 61, 64, 67, 73, 76, 81}, -6, -1},
        {ScaleCombinationOfDiminished, {52, 55, 58, 61, 75, 79, 82}, 0, 5},  // + Eb triad
        {ScaleCombinationOfDiminished, {58, 61, 64, 67, 75, 79, 82}, -6, -1},
    };
    return shapes;
}

const std::vector<CMShape>& Altered()
{
    static const std::vector<CMShape> shapes = {
        {ScaleAltered, {52, 58, 63, 68, 78, 82, 85}, 0, 5},  // E Bb Eb Ab + Gb triad
        {ScaleAltered, {58, 63, 64, 68, 78, 82, 85}, -6, -1},
        {ScaleAltered, {52, 58, 63, 68, 75, 78, 82}, 0, 5},  // + Eb minor triad
        {ScaleAltered, {58, 63, 64, 68, 75, 78, 82}, -6, -1},
    };
    return shapes;
}

// Per length: every Lydian-seventh voicing pushed and held; of the diminished and the altered
// ones, the first triad in both registers pushed and held, the second held, so that every scale
// is found for every root at every tempo.
void AddUpperStructures(CMMusicPlayer& piano, std::uint8_t length, const CMFigure& pushed,
                        const CMFigure& held)
{
    AddVoicings(piano, LydianSeventh(), length, kWeight, {pushed, held});
    for (const auto* set : {&HalfWholeDiminished(), &Altered()}) {
        const std::vector<CMShape>& shapes = *set;
        AddVoicings(piano, {shapes[0], shapes[1]}, length, kWeight, {pushed, held});
        AddVoicings(piano, {shapes[2], shapes[3]}, length, kWeight, {held});
    }
}

}  // namespace

void AddUpperStructuresMeasure(CMMusicPlayer& piano)
{
    AddUpperStructures(piano, 0x14, swing::kPushWhole, swing::kWhole);
}

void AddUpperStructuresHalf(CMMusicPlayer& piano)
{
    AddUpperStructures(piano, 0x12, swing::kHalfPushed, swing::kHalfHeld);
}

void AddUpperStructuresBeat(CMMusicPlayer& piano)
{
    AddUpperStructures(piano, 0x11, swing::kBeatPushed, swing::kBeatQuarter);
}
