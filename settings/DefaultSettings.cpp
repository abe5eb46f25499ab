// The settings file written from defaults, in memory, built once from the settings table.
#include "settings/DefaultSettings.h"

#include "settings/SettingsTable.h"

const CMIniText& DefaultSettingsText()
{
    static const CMIniText text = [] {
        CMIniText written;
        for (const CMSetting& setting : SettingsTable())
            written.WriteString(setting.section, setting.key, setting.defaultValue);
        return written;
    }();
    return text;
}
