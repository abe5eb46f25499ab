// The chart view's drawing choices.
#include "app/ChartView.h"

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

CMChartChoices ChartViewChoices(const CMZimbrelIni& settings, int transposition, int tempo)
{
    CMChartChoices choices;
    choices.transposition =
        DisplayedTransposition(transposition, settings.instrumentType, settings.userDefinedKey);
    choices.showIntro = settings.intro;
    choices.showVerse = settings.verse;
    choices.numerals = settings.chordSymbol != 0;
    choices.chordStyle =
        static_cast<std::uint8_t>(SettingOf("General", "ChordStyle").Fit(settings.chordStyle));
    choices.tempo = tempo;
    return choices;
}
