// The text listing of a song and its performance: section names, bar kinds and chord texts as the
// "Bars" section writes them. The performance driver builds its other sections from the same
// pieces.
#pragma once

#include "core/CMString.h"

class CMMusicChordList;
class CMMusicSong;

// "Intro", "Verse", "Theme", "Second Theme", "Interlude", "Ending", "Label A".., "Label 0"..;
// empty for any other code.
CMString LabelText(int labelCode);
// ", BarNone" .. ", CodaBar"; empty for any other kind.
CMString BarKindText(int barKind);
// The chords of a measure: " Cmaj7 /// " for a whole measure, " Dm7 / " for a half measure and
// " G7 " for one beat (root name and plain suffix run together).
CMString MeasureChordsText(const CMMusicChordList& measure);
// Appends the "Bars" section: every measure of the song as compiled, one a line.
void AppendBarsListing(const CMMusicSong& song, CMString& listing);
