// The library builders of the nine musicians and the voicing sets the pianists are made of.
// Each builder names the player and appends its patterns in a fixed order.
#pragma once

#include "performance/CMMusicPlayer.h"

void BuildTolsen(CMMusicPlayer& bass);   // walking bass
void BuildDalmo(CMMusicPlayer& bass);    // bossa nova bass
void BuildPelko(CMMusicPlayer& drums);   // swing drums
void BuildGarvel(CMMusicPlayer& drums);  // bossa nova drums
void BuildOstrin(CMMusicPlayer& piano);
void BuildQuenby(CMMusicPlayer& piano);
void BuildFalder(CMMusicPlayer& piano);
void BuildRuvane(CMMusicPlayer& piano);
void BuildVashti(CMMusicPlayer& piano);

// Voicing sets (PianoVoicings.cpp).
void AddRootlessVoicingsMeasure(CMMusicPlayer& piano);
void AddRootlessVoicingsHalf(CMMusicPlayer& piano);
void AddRootlessVoicingsBeat(CMMusicPlayer& piano);
void AddDiminishedVoicingsMeasure(CMMusicPlayer& piano);
void AddDiminishedVoicingsHalf(CMMusicPlayer& piano);
void AddDiminishedVoicingsBeat(CMMusicPlayer& piano);
void AddFallbackRests(CMMusicPlayer& piano);
