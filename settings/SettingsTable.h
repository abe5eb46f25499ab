// The table of every setting Zimbrel keeps in ./Zimbrel.ini: its section and key, the kind of
// value, the values allowed, the default and a line saying what it means. The settings classes
// take their keys and defaults from it; the command line, the chart view and the options take
// their ranges, lists and help texts from it, so that each rule is written once.
#pragma once

#include <functional>
#include <span>
#include <string>
#include <string_view>
#include <vector>

enum class CMSettingKind {
    Switch,   // 0 or 1; the file may also say true/false, on/off or yes/no
    Number,   // a whole number within the range
    Decimal,  // a number within the range, stored with six decimals
    Choice,   // one of the listed items, stored as its number (the first item is range.lowest)
    Text,     // any text on one line
};

// The values a number may take, both ends included.
struct CMSettingRange {
    double lowest = 0;
    double highest = 0;

    constexpr bool Holds(double value) const { return value >= lowest && value <= highest; }
    // "LOWEST to HIGHEST", whole numbers without decimals.
    std::string Text() const;
    // The nearer end for a value outside the range.
    int Clamp(int value) const;
    double Clamp(double value) const;
};

// Ranges that controls which are not stored share with settings: the tempo and repeat controls
// take the presets' ranges (the repeat list runs from "Play once" to "Repeat 10 times"), and the
// view's transposition the semitones of the user-defined key.
inline constexpr CMSettingRange kTempoRange{30, 360};
inline constexpr CMSettingRange kRepeatRange{1, 11};
inline constexpr CMSettingRange kTransposeRange{-7, 7};
// The mixer's volumes (and the reverb), as MIDI controllers take them.
inline constexpr CMSettingRange kVolumeRange{0, 127};

struct CMSetting {
    std::string section;
    std::string key;
    CMSettingKind kind = CMSettingKind::Text;
    CMSettingRange range;            // a switch 0 to 1, a choice its items' numbers; texts none
    std::vector<std::string> items;  // a choice: what is shown for each number, from the lowest
    std::string defaultValue;        // as the file holds it: "1", "1.000000", "Zimbrel Trio"
    std::string description;         // one line, for help texts

    // "SECTION.KEY", as the command line names it.
    std::string Name() const { return section + "." + key; }
    double DefaultNumber() const;
    // The value the program works with when the file holds `value`: a number outside its range
    // counts as the nearer end, a choice outside its list (or a number that is none) as the
    // default, a switch as 0 or 1.
    int Fit(int value) const;
    double Fit(double value) const;
    // The item a choice shows for `value`; empty when there is none.
    std::string ItemText(int value) const;
    // What the setting takes, for messages and help texts ("a whole number from 30 to 360").
    std::string Allowed() const;
};

// Every setting in the order the program writes them from defaults: the application's
// (CMZimbrelIni), then the chart renderer's (CMChartSettings).
std::span<const CMSetting> SettingsTable();
std::span<const CMSetting> ApplicationSettingsTable();
std::span<const CMSetting> ChartSettingsTable();

// The setting of that section and key; null when Zimbrel does not know it.
const CMSetting* FindSetting(std::string_view section, std::string_view key);
// The same for a setting the code names; an unknown name is a fault of the program and throws
// std::out_of_range.
const CMSetting& SettingOf(std::string_view section, std::string_view key);

// A check that the settings cannot make on their own, which a program that knows more passes in:
// the command line checks band names against the band list. Answers what the setting takes
// when `value` is not allowed, empty when it is.
using CMSettingCheck = std::function<std::string(const CMSetting& setting, std::string_view value)>;

// Empty when `value`, written into the file as it is, gives a value the program can use;
// otherwise what the setting takes. A switch takes 0, 1 and the words for them; numbers and
// choices take whole numbers (or "0x" numbers) in their range; decimals any number in theirs.
std::string CheckSettingValue(const CMSetting& setting, std::string_view value,
                              const CMSettingCheck& more = nullptr);
