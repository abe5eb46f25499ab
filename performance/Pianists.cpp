// Four pianists' libraries, each a recipe of voicing sets in a fixed order (Vashti's stride
// library is one of its own). The voicings derived from the rootless ones come right after the
// rootless sets, so they never derive from the larger sets.
#include "performance/LibraryBuilders.h"

namespace {

struct Step {
    const char* part;
    void (*add)(CMMusicPlayer&);
};

void DeriveVoicings(CMMusicPlayer& piano)
{
    piano.DerivePatterns();
}

const Step kRootless[] = {{"rootless voicings, measure", AddRootlessVoicingsMeasure},
                          {"rootless voicings, half measure", AddRootlessVoicingsHalf},
                          {"rootless voicings, one beat", AddRootlessVoicingsBeat},
                          {"voicings derived from the rootless ones", DeriveVoicings}};
const Step kDiminished[] = {{"diminished voicings, measure", AddDiminishedVoicingsMeasure},
                            {"diminished voicings, half measure", AddDiminishedVoicingsHalf},
                            {"diminished voicings, one beat", AddDiminishedVoicingsBeat}};
const Step kTwoHand[] = {{"two-hand voicings, measure", AddTwoHandVoicingsMeasure},
                         {"two-hand voicings, half measure", AddTwoHandVoicingsHalf},
                         {"two-hand voicings, one beat", AddTwoHandVoicingsBeat}};
const Step kUpperStructures[] = {{"upper structures, measure", AddUpperStructuresMeasure},
                                 {"upper structures, half measure", AddUpperStructuresHalf},
                                 {"upper structures, one beat", AddUpperStructuresBeat}};
const Step kFiveNote[] = {{"five-note voicings, measure", AddFiveNoteVoicingsMeasure},
                          {"five-note voicings, half measure", AddFiveNoteVoicingsHalf},
                          {"five-note voicings, one beat", AddFiveNoteVoicingsBeat}};
const Step kBossaRootless[] = {{"bossa rootless voicings, measure", AddBossaRootlessMeasure},
                               {"bossa rootless voicings, half measure", AddBossaRootlessHalf},
                               {"bossa rootless voicings, one beat", AddBossaRootlessBeat},
                               {"voicings derived from the rootless ones", DeriveVoicings}};
const Step kBossaComping[] = {{"bossa comping, measure", AddBossaCompingMeasure},
                              {"bossa comping, half measure", AddBossaCompingHalf},
                              {"bossa comping, one beat", AddBossaCompingBeat}};
const Step kBossaDiminished[] = {
    {"bossa diminished voicings, measure", AddBossaDiminishedMeasure},
    {"bossa diminished voicings, half measure", AddBossaDiminishedHalf},
    {"bossa diminished voicings, one beat", AddBossaDiminishedBeat}};
const Step kFallback[] = {{"fallback rests", AddFallbackRests}};

template <std::size_t N>
void Follow(CMMusicPlayer& piano, const Step (&steps)[N])
{
    for (const Step& step : steps) {
        step.add(piano);
        piano.MarkPart(step.part);
    }
}

}  // namespace

void BuildOstrin(CMMusicPlayer& piano)
{
    piano.name = "Ostrin";
    Follow(piano, kRootless);
    Follow(piano, kTwoHand);
    Follow(piano, kUpperStructures);
    Follow(piano, kFiveNote);
    Follow(piano, kFallback);
}

void BuildQuenby(CMMusicPlayer& piano)
{
    piano.name = "Quenby";
    Follow(piano, kRootless);
    Follow(piano, kFiveNote);
    Follow(piano, kDiminished);
    Follow(piano, kFallback);
}

void BuildFalder(CMMusicPlayer& piano)
{
    piano.name = "Falder";
    Follow(piano, kRootless);
    Follow(piano, kDiminished);
    Follow(piano, kFallback);
}

void BuildRuvane(CMMusicPlayer& piano)
{
    piano.name = "Ruvane";
    piano.SetStraightEighths(true);
    Follow(piano, kBossaRootless);
    Follow(piano, kBossaComping);
    Follow(piano, kBossaDiminished);
    Follow(piano, kFallback);
}
