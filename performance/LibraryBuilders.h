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
void BuildVashti(CMMusicPlayer& piano);  // StrideLibrary.cpp

// Voicing sets (PianoVoicings.cpp).
void AddRootlessVoicingsMeasure(CMMusicPlayer& piano);
void AddRootlessVoicingsHalf(CMMusicPlayer& piano);
void AddRootlessVoicingsBeat(CMMusicPlayer& piano);
void AddDiminishedVoicingsMeasure(CMMusicPlayer& piano);
void AddDiminishedVoicingsHalf(CMMusicPlayer& piano);
void AddDiminishedVoicingsBeat(CMMusicPlayer& piano);
void AddFallbackRests(CMMusicPlayer& piano);
void AddTwoHandVoicingsMeasure(CMMusicPlayer& piano);  // TwoHandVoicings.cpp
void AddTwoHandVoicingsHalf(CMMusicPlayer& piano);
void AddTwoHandVoicingsBeat(CMMusicPlayer& piano);
void AddUpperStructuresMeasure(CMMusicPlayer& piano);  // UpperStructures.cpp
void AddUpperStructuresHalf(CMMusicPlayer& piano);
void AddUpperStructuresBeat(CMMusicPlayer& piano);
void AddFiveNoteVoicingsMeasure(CMMusicPlayer& piano);  // FiveNoteVoicings.cpp
void AddFiveNoteVoicingsHalf(CMMusicPlayer& piano);
void AddFiveNoteVoicingsBeat(CMMusicPlayer& piano);
void AddBossaRootlessMeasure(CMMusicPlayer& piano);  // BossaVoicings.cpp
void AddBossaRootlessHalf(CMMusicPlayer& piano);
void AddBossaRootlessBeat(CMMusicPlayer& piano);
void AddBossaCompingMeasure(CMMusicPlayer& piano);
void AddBossaCompingHalf(CMMusicPlayer& piano);
void AddBossaCompingBeat(CMMusicPlayer& piano);
void AddBossaDiminishedMeasure(CMMusicPlayer& piano);
void AddBossaDiminishedHalf(CMMusicPlayer& piano);
void AddBossaDiminishedBeat(CMMusicPlayer& piano);
