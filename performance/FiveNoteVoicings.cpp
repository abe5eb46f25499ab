// The five-note voicings: the root at the bottom and four notes above it in the middle register,
// for every group of scales a chord may have. Each shape is played in three rhythms per length:
// held, pushed (tempos from 110) and one more figure that varies from shape to shape.
#include "performance/ChordScale.h"
#include "performance/LibraryBuilders.h"
#include "performance/VoicingShapes.h"

namespace {

constexpr std::uint32_t kWeight = 9;

// A slow figure for ballads: held halves, the second one soft.
const CMFigure kBalladHalves = {{{0, 0x12, 63}, {192, 0x12, 47}}, 10, 150};

}  // namespace

void AddFiveNoteVoicingsMeasure(CMMusicPlayer& piano)
{
    const std::vector<CMShape>& shapes = FiveNoteShapes();
    const CMFigure* third[] = {&swing::kHalves, &swing::kPushCharleston, &swing::kDottedHalf};
    for (std::size_t i = 0; i < shapes.size(); ++i) {
        AddVoicing(piano, shapes[i], 0x14, kWeight, swing::kWhole);
        AddVoicing(piano, shapes[i], 0x14, kWeight, swing::kPushWhole);
        const bool last = i + 1 == shapes.size();
        AddVoicing(piano, shapes[i], 0x14, kWeight, last ? kBalladHalves : *third[i % 3]);
    }
}

void AddFiveNoteVoicingsHalf(CMMusicPlayer& piano)
{
    const std::vector<CMShape>& shapes = FiveNoteShapes();
    AddVoicings(piano, shapes, 0x12, kWeight,
                {swing::kHalfHeld, swing::kHalfPushed, swing::kHalfQuarter});
    // The first seven dominant shapes also get a chord on the beat and its off-beat.
    int extra = 7;
    for (const CMShape& shape : shapes)
        if (extra > 0 && (shape.mask & kDominantScales)) {
            AddVoicing(piano, shape, 0x12, kWeight, swing::kHalfAnd);
            --extra;
        }
}

void AddFiveNoteVoicingsBeat(CMMusicPlayer& piano)
{
    const std::vector<CMShape>& shapes = FiveNoteShapes();
    for (std::size_t i = 0; i < shapes.size(); ++i) {
        AddVoicing(piano, shapes[i], 0x11, kWeight, swing::kBeatQuarter);
        AddVoicing(piano, shapes[i], 0x11, kWeight, swing::kBeatEighth);
        if (i + 1 < shapes.size())
            AddVoicing(piano, shapes[i], 0x11, kWeight, swing::kBeatPushed);
    }
}
