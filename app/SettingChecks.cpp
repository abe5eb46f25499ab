// Checking a change to the settings file: see SettingChecks.h.
#include "app/SettingChecks.h"

#include "performance/CMMusicBand.h"
#include "settings/CMIniText.h"
#include "settings/SettingsTable.h"

namespace {

// The settings table knows kinds and ranges; the band list knows which bands there are.
std::string CheckBandName(const CMSetting& setting, std::string_view value)
{
    if (setting.section != "Preferences" || setting.key != "Band")
        return std::string();
    CMMusicBandList bands;
    bands.BuildPresets();
    std::string names;
    for (const auto& band : bands.GetBands()) {
        if (band->GetName().ToLower() == CMString(value).ToLower())
            return std::string();
        names += (names.empty() ? "" : ", ") + band->GetName().Str();
    }
    return "the name of a band (" + names + ")";
}

}  // namespace

std::vector<std::string> KnownSettingNames()
{
    std::vector<std::string> names;
    for (const CMSetting& setting : SettingsTable())
        names.push_back(setting.Name());
    return names;
}

std::optional<CMSettingName> ParseSettingName(std::string_view text)
{
    const std::size_t dot = text.find('.');
    if (dot == std::string_view::npos || dot == 0 || dot + 1 == text.size())
        return std::nullopt;
    return CMSettingName{std::string(text.substr(0, dot)), std::string(text.substr(dot + 1))};
}

std::string CheckSettingChange(const CMSettingName& name, const std::string& value)
{
    if (!CMIniText().WriteString(name.section, name.key, value))
        return "'" + name.Text() +
               "' cannot hold that text (a line break, or a character that the file format "
               "reserves)";
    if (const CMSetting* setting = FindSetting(name.section, name.key)) {
        const std::string wanted = CheckSettingValue(*setting, value, CheckBandName);
        if (!wanted.empty())
            return "'" + name.Text() + "' takes " + wanted + ", not '" + value + "'";
    }
    return std::string();
}
