// The bossa nova sets: the rootless voicings, the five-note voicings and the diminished seventh
// chord, each in every bossa comping figure of its length (straight eighths). The first measure
// figure is the classic one: a short chord on one, a chord on two, a ghost on three and an
// accent on the and of three.
#include "performance/ChordScale.h"
#include "performance/LibraryBuilders.h"
#include "performance/VoicingShapes.h"

namespace {

// The rootless voicings are the lighter choice beside the fuller five-note ones.
constexpr std::uint32_t kRootlessWeight = 5;
constexpr std::uint32_t kWeight = 9;

// The five-note shapes the bossa pianist comps with: the first two of every group, and all three
// of the minor sevenths and the Mixolydian dominants the style leans on (eighteen in all).
std::vector<CMShape> CompingShapes()
{
    const std::vector<CMShape>& all = FiveNoteShapes();
    std::vector<CMShape> shapes;
    for (std::size_t i = 0; i < all.size(); ++i) {
        const std::uint32_t mask = all[i].mask;
        const bool thirdOfGroup = i >= 2 && all[i - 1].mask == mask && all[i - 2].mask == mask;
        const bool kept = mask == kDorianOrAeolian || mask == kMixolydianOrLydianSeventh;
        if (!thirdOfGroup || kept)
            shapes.push_back(all[i]);
    }
    return shapes;
}

const std::vector<CMShape>& DiminishedShapes()
{
    static const std::vector<CMShape> shapes = {
        {ScaleDiminished, {54, 57, 60, 63}, -3, 10},
        {ScaleDiminished, {57, 60, 63, 66}, -6, 7},
        {ScaleDiminished, {60, 63, 66, 69}, -9, 4},
        {ScaleDiminished, {63, 66, 69, 72}, -12, 1},
    };
    return shapes;
}

// The held half-measure figure (the last one) is kept for the rootless voicings.
std::vector<CMFigure> HalfFiguresWithoutHeld()
{
    return std::vector<CMFigure>(bossa::kHalf.begin(), bossa::kHalf.end() - 1);
}

}  // namespace

void AddBossaRootlessMeasure(CMMusicPlayer& piano)
{
    AddVoicings(piano, RootlessShapes(), 0x14, kRootlessWeight, bossa::kMeasure);
}

void AddBossaRootlessHalf(CMMusicPlayer& piano)
{
    AddVoicings(piano, RootlessShapes(), 0x12, kRootlessWeight, bossa::kHalf);
}

void AddBossaRootlessBeat(CMMusicPlayer& piano)
{
    AddVoicings(piano, RootlessShapes(), 0x11, kRootlessWeight, bossa::kBeat);
}

void AddBossaCompingMeasure(CMMusicPlayer& piano)
{
    AddVoicings(piano, CompingShapes(), 0x14, kWeight, bossa::kMeasure);
}

void AddBossaCompingHalf(CMMusicPlayer& piano)
{
    AddVoicings(piano, CompingShapes(), 0x12, kWeight, HalfFiguresWithoutHeld());
}

void AddBossaCompingBeat(CMMusicPlayer& piano)
{
    AddVoicings(piano, CompingShapes(), 0x11, kWeight, bossa::kBeat);
}

void AddBossaDiminishedMeasure(CMMusicPlayer& piano)
{
    AddVoicings(piano, DiminishedShapes(), 0x14, kWeight, bossa::kMeasure);
}

void AddBossaDiminishedHalf(CMMusicPlayer& piano)
{
    AddVoicings(piano, DiminishedShapes(), 0x12, kWeight, HalfFiguresWithoutHeld());
}

void AddBossaDiminishedBeat(CMMusicPlayer& piano)
{
    AddVoicings(piano, DiminishedShapes(), 0x11, kWeight, bossa::kBeat);
}
