// The five pianists' libraries, each a recipe of voicing sets in a fixed order. The voicings
// derived from the rootless ones come right after the rootless sets, so they never derive from
// the larger sets. A set not written yet is named in the recipe and left empty, so that a
// musician's library says what it still lacks.
#include "performance/LibraryBuilders.h"

namespace {

struct Step {
    const char* part;
    void (*add)(CMMusicPlayer&);  // null: the set is not written yet
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
const Step kTwoHand[] = {{"two-hand voicings, measure", nullptr},
                         {"two-hand voicings, half measure", nullptr},
                         {"two-hand voicings, one beat", nullptr}};
const Step kUpperStructures[] = {{"upper structures, measure", nullptr},
                                 {"upper structures, half measure", nullptr},
                                 {"upper structures, one beat", nullptr}};
const Step kFiveNote[] = {{"five-note voicings, measure", nullptr},
                          {"five-note voicings, half measure", nullptr},
                          {"five-note voicings, one beat", nullptr}};
const Step kBossaRootless[] = {{"bossa rootless voicings, measure", nullptr},
                               {"bossa rootless voicings, half measure", nullptr},
                               {"bossa rootless voicings, one beat", nullptr},
                               {"voicings derived from the rootless ones", DeriveVoicings}};
const Step kBossaComping[] = {{"bossa comping, measure", nullptr},
                              {"bossa comping, half measure", nullptr},
                              {"bossa comping, one beat", nullptr}};
const Step kBossaDiminished[] = {{"bossa diminished voicings, measure", nullptr},
                                 {"bossa diminished voicings, half measure", nullptr},
                                 {"bossa diminished voicings, one beat", nullptr}};
const Step kFallback[] = {{"fallback rests", AddFallbackRests}};
const Step kStride[] = {{"stride library", nullptr}};

template <std::size_t N>
void Follow(CMMusicPlayer& piano, const Step (&steps)[N])
{
    for (const Step& step : steps) {
        if (step.add)
            step.add(piano);
        piano.MarkPart(step.part, step.add != nullptr);
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
    Follow(piano, kBossaRootless);
    Follow(piano, kBossaComping);
    Follow(piano, kBossaDiminished);
    Follow(piano, kFallback);
}

void BuildVashti(CMMusicPlayer& piano)
{
    piano.name = "Vashti";
    Follow(piano, kStride);
}
