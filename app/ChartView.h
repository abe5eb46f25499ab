// What the chart view shows: the key its chords are drawn in. The view's own transposition
// (-7 to 7 semitones) is joined by the key kind of the settings ("InstrumentType"): a B-flat
// instrument reads two semitones up, an E-flat instrument three down, the user's key its own
// offset (-7 to +7; a stored key outside counts as the default); concert key and the number
// system add nothing.
#pragma once

// The semitones the chart is drawn moved by.
int DisplayedTransposition(int transposition, int instrumentType, int userDefinedKey);
