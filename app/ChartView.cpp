// The chart view's choices: see ChartView.h.
#include "app/ChartView.h"

#include "app/CMPerformanceSettings.h"

#include "settings/CMZimbrelIni.h"
#include "settings/SettingsTable.h"

int DisplayedTransposition(int transposition, int instrumentType, int userDefinedKey)
{
    switch (instrumentType) {
    case InstrumentBFlat: return transposition + 2;
    case InstrumentEFlat: return transposition - 3;
    case InstrumentUserKey:
        return transposition + SettingOf("Preferences", "UserDefinedKey").Fit(userDefinedKey);
    default: return transposition;
    }
}

CMChartViewChoices ChooseChartView(const CMZimbrelIni& settings, const CMMusicSong& song,
                                   const CMChartViewRequest& request)
{
    const int keyKind = request.keyKind.value_or(
        SettingOf("Preferences", "InstrumentType").Fit(settings.instrumentType));
    CMChartViewChoices choices;
    choices.transposition =
        DisplayedTransposition(request.transposition.value_or(0), keyKind, settings.userDefinedKey);
    // The view keeps the number system in "ChordSymbol"; a key kind asked for decides alone.
    choices.numerals =
        request.keyKind ? *request.keyKind == InstrumentNumbers : settings.chordSymbol != 0;
    choices.chordStyle = static_cast<std::uint8_t>(
        request.chordStyle.value_or(SettingOf("General", "ChordStyle").Fit(settings.chordStyle)));
    choices.showIntro = settings.intro && !request.noIntro;
    choices.showVerse = settings.verse && !request.noVerse;
    choices.tempo = DefaultPerformance(settings, song).tempo;
    return choices;
}

const std::vector<CMKeyKindName>& KeyKindNames()
{
    static const std::vector<CMKeyKindName> names = {
        {"concert", InstrumentConcert, "concert key, as written"},
        {"bb", InstrumentBFlat, "for B-flat instruments: two semitones up"},
        {"eb", InstrumentEFlat, "for E-flat instruments: three semitones down"},
        {"user", InstrumentUserKey, "moved by Preferences.UserDefinedKey (-7 to +7, default +5)"},
        {"number", InstrumentNumbers, "scale degrees (Roman numerals) instead of chord letters"},
    };
    return names;
}
