// What the chart view shows: the key its chords are drawn in, the numerals, the chord style,
// whether intro and verse are shown, and the tempo under the title. The view's own transposition (-7 to 7 semitones) is joined
// by the key kind of the settings ("InstrumentType"): a B-flat instrument reads two semitones up,
// an E-flat instrument three down, the user's key its own offset (-7 to +7; a stored key outside
// counts as the default); concert key and the number system add nothing. The performance is
// never moved by the key kind, only by the view's own transposition.
#pragma once

#include <cstdint>

class CMZimbrelIni;

// The semitones the chart is drawn moved by.
int DisplayedTransposition(int transposition, int instrumentType, int userDefinedKey);

// The arguments the chart renderer draws a song with, as the chart view chooses them.
struct CMChartChoices {
    int transposition = 0;  // semitones
    bool showIntro = true;
    bool showVerse = true;
    bool numerals = false;  // scale degrees of the untransposed key instead of letters
    std::uint8_t chordStyle = 0;
    int tempo = 0;  // beats a minute; 0 shows none
};

// The choices of the chart view with `transposition` of its own, the song played at `tempo`, and
// `settings`: the key kind's transposition, "Intro", "Verse", "ChordSymbol" and "ChordStyle"
// (fitted to its choices).
CMChartChoices ChartViewChoices(const CMZimbrelIni& settings, int transposition, int tempo);
