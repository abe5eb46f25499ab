// What the chart view shows: the key its chords are drawn in, the chord style, and whether the
// intro and verse are shown. The view's own transposition (-7 to 7 semitones) is joined by the
// key kind of the settings ("InstrumentType"): a B-flat instrument reads two semitones up, an
// E-flat instrument three down, the user's key its own offset (-7 to +7; a stored key outside
// counts as the default); concert key and the number system add nothing. The performance is never
// moved by the key kind, only by the view's own transposition. The desktop program and
// zimbrel-cli chart make the same choices here.
#pragma once

#include <cstdint>
#include <optional>
#include <string>
#include <utility>
#include <vector>

class CMMusicSong;
class CMZimbrelIni;

// The semitones the chart is drawn moved by.
int DisplayedTransposition(int transposition, int instrumentType, int userDefinedKey);

// What the user asked for over the settings; each value given wins.
struct CMChartViewRequest {
    std::optional<int> transposition;  // semitones, kTransposeRange
    std::optional<int> keyKind;        // CMInstrumentType
    std::optional<int> chordStyle;     // 0-3, as "ChordStyle"
    bool noIntro = false;
    bool noVerse = false;
};

struct CMChartViewChoices {
    int transposition = 0;  // semitones, the key kind's included
    bool numerals = false;  // scale degrees instead of chord letters
    std::uint8_t chordStyle = 0;
    bool showIntro = true;
    bool showVerse = true;
    int tempo = 0;  // shown under the title: the tempo the song is played at
};

// The view's choices for `song`: the settings' key kind, user key, chord style, numerals
// ("ChordSymbol"), intro and verse, with the request over them, and the song's tempo.
CMChartViewChoices ChooseChartView(const CMZimbrelIni& settings, const CMMusicSong& song,
                                   const CMChartViewRequest& request);

// The key kinds by their short names ("concert", "bb", "eb", "user", "number"), with what each
// means, in the order of "InstrumentType".
struct CMKeyKindName {
    std::string name;
    int kind = 0;
    std::string meaning;
};
const std::vector<CMKeyKindName>& KeyKindNames();
