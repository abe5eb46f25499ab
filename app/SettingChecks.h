// Checking a change to ./Zimbrel.ini before it is written, as the options dialog and
// zimbrel-cli config do: a known setting takes what the settings table allows and, for the band,
// the name of a band (in any case, as musician names); any setting takes only text the file can
// hold on one line.
#pragma once

#include <optional>
#include <string>
#include <string_view>
#include <vector>

struct CMSettingName {
    std::string section;
    std::string key;

    std::string Text() const { return section + "." + key; }
};

// "SECTION.KEY" of every setting Zimbrel knows, in the order the listing shows them.
std::vector<std::string> KnownSettingNames();

// "SECTION.KEY", split at the first dot; empty when either part is missing.
std::optional<CMSettingName> ParseSettingName(std::string_view text);

// Empty when `value` may be stored under `name`; otherwise why not, naming what the setting
// takes ("'General.Zoom' takes a number from 0.5 to 2.5, not 'large'").
std::string CheckSettingChange(const CMSettingName& name, const std::string& value);
