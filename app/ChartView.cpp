// The displayed transposition of the chart view.
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
