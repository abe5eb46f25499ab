// The settings file written from defaults, in memory.
#include "settings/DefaultSettings.h"

#include "settings/CMChartSettings.h"
#include "settings/CMZimbrelIni.h"

CMIniText DefaultSettingsText()
{
    CMIniText text;
    CMZimbrelIni().SaveTo(text);
    CMChartSettings("").SaveTo(text);
    return text;
}
