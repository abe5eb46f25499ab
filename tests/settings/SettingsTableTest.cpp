// The settings table against the file written from defaults (the reviewed golden file), the
// classes that read and write by it, and its rules: which values the command line accepts, what
// the program works with for values outside the rules, and the texts the options show.
#include "settings/SettingsTable.h"
#include "settings/CMChartSettings.h"
#include "settings/CMZimbrelIni.h"
#include "tests/FileContents.h"

#include <gtest/gtest.h>

#include <climits>
#include <cmath>
#include <set>
#include <string>

namespace {

// The keys an object writes, in its order, as "SECTION.KEY".
template <class Settings>
std::vector<std::string> WrittenNames(const Settings& settings)
{
    CMIniText text;
    settings.SaveTo(text);
    std::vector<std::string> names;
    for (const CMIniEntry& entry : text.GetEntries())
        names.push_back(entry.section.Str() + "." + entry.key.Str());
    return names;
}

std::vector<std::string> Names(std::span<const CMSetting> rows)
{
    std::vector<std::string> names;
    for (const CMSetting& row : rows)
        names.push_back(row.Name());
    return names;
}

}  // namespace

TEST(SettingsTable, EveryRowIsInTheFileWrittenFromDefaults)
{
    const CMIniText golden(FileContents(ZIMBREL_TEST_DATA "/settings/defaults.ini"));
    ASSERT_EQ(golden.GetEntries().size(), SettingsTable().size());
    std::set<std::string> names;
    for (const CMSetting& row : SettingsTable()) {
        SCOPED_TRACE(row.Name());
        EXPECT_TRUE(names.insert(row.Name()).second) << "twice in the table";
        CMString stored;
        ASSERT_TRUE(golden.Find(row.section, row.key, stored));
        EXPECT_EQ(stored.Str(), row.defaultValue);
        EXPECT_FALSE(row.description.empty());
        // The default is a value the rules allow, and fitting it changes nothing.
        EXPECT_EQ(CheckSettingValue(row, row.defaultValue), "");
        if (row.kind == CMSettingKind::Text)
            continue;
        EXPECT_EQ(row.Fit(row.DefaultNumber()), row.DefaultNumber());
        if (row.kind == CMSettingKind::Choice) {
            EXPECT_EQ(row.items.size(), row.range.highest - row.range.lowest + 1);
        }
    }
    // The settings classes write exactly their rows, in the table's order.
    EXPECT_EQ(WrittenNames(CMZimbrelIni()), Names(ApplicationSettingsTable()));
    EXPECT_EQ(WrittenNames(CMChartSettings("")), Names(ChartSettingsTable()));
    EXPECT_EQ(ApplicationSettingsTable().size() + ChartSettingsTable().size(),
              SettingsTable().size());
    EXPECT_EQ(FindSetting("General", "Volume"), nullptr);
    EXPECT_THROW(SettingOf("general", "Zoom"), std::out_of_range);  // names match exactly
}

TEST(SettingsTable, ValuesTheCommandLineAccepts)
{
    const struct {
        const char* section;
        const char* key;
        const char* value;
        bool accepted;
    } cases[] = {
        {"Ballad", "Tempo1", "30", true},
        {"Ballad", "Tempo1", "29", false},
        {"VeryFast", "Tempo6", "360", true},
        {"VeryFast", "Tempo6", "361", false},
        {"Ballad", "Tempo1", "0x3C", true},  // read as 60
        {"Ballad", "Repeat1", "11", true},   // "Repeat 10 times"
        {"Ballad", "Repeat1", "12", false},
        {"Ballad", "Repeat1", "0", false},
        {"Preferences", "Piano", "Off", true},
        {"Preferences", "Piano", "1", true},
        {"Preferences", "Piano", "2", false},
        {"Preferences", "Piano", "", false},
        {"Preferences", "UserDefinedKey", "-7", true},
        {"Preferences", "UserDefinedKey", "+7", true},
        {"Preferences", "UserDefinedKey", "-8", false},
        {"General", "PrecountNote", "95", true},
        {"General", "PrecountNote", "96", false},
        {"General", "PrecountNote", "-1", false},
        {"General", "InitialZoom", "3", true},
        {"General", "InitialZoom", "1.0", false},
        {"General", "Zoom", "2.5", true},
        {"General", "Zoom", "2.51", false},
        {"General", "Zoom", "nan", false},
        {"General", "Zoom", "1x", false},
        {"TitleFont", "Color", "0xFFFFFF", true},
        {"TitleFont", "Color", "0x1000000", false},
        {"TitleFont", "Color", "0X10", false},  // the file reads it as 0: refused, not guessed
        {"TitleFont", "Color", "0x-1", false},
        {"Account", "Port", "99999999999999999999", false},
        {"Preferences", "Band", "Any Band", true},
    };
    for (const auto& c : cases)
        EXPECT_EQ(CheckSettingValue(SettingOf(c.section, c.key), c.value).empty(), c.accepted)
            << c.section << "." << c.key << "=" << c.value;

    // The hook for what the table cannot know runs only on values the table allows.
    const CMSettingCheck bands = [](const CMSetting&, std::string_view value) {
        return value == "Zimbrel Trio" ? std::string() : "a band's name";
    };
    EXPECT_EQ(CheckSettingValue(SettingOf("Preferences", "Band"), "Nobody", bands),
              "a band's name");
    EXPECT_EQ(CheckSettingValue(SettingOf("Preferences", "Band"), "Zimbrel Trio", bands), "");
    EXPECT_EQ(CheckSettingValue(SettingOf("General", "Zoom"), "3", bands),
              "a number from 0.5 to 2.5");
}

TEST(SettingsTable, WhatTheProgramWorksWithAndWhatTheOptionsShow)
{
    // Numbers outside their range count as the nearer end.
    EXPECT_EQ(SettingOf("Ballad", "Tempo1").Fit(10), 30);
    EXPECT_EQ(SettingOf("Fast", "Repeat5").Fit(99), 11);
    EXPECT_EQ(SettingOf("General", "Zoom").Fit(0.3), 0.5);
    EXPECT_EQ(SettingOf("TitleFont", "Height").Fit(1e9), 1.0);
    // A choice outside its list counts as the default, as does a number that is none.
    EXPECT_EQ(SettingOf("General", "InitialZoom").Fit(7), 1);
    EXPECT_EQ(SettingOf("General", "PrecountNote").Fit(200), 37);
    EXPECT_EQ(SettingOf("Preferences", "UserDefinedKey").Fit(INT_MAX), 5);
    EXPECT_EQ(SettingOf("Preferences", "UserDefinedKey").Fit(-7), -7);
    EXPECT_EQ(SettingOf("General", "Zoom").Fit(std::nan("")), 1.0);
    EXPECT_EQ(SettingOf("Preferences", "Piano").Fit(7), 1);

    const CMSetting& note = SettingOf("General", "PrecountNote");
    EXPECT_EQ(note.ItemText(37), "Db3");
    EXPECT_EQ(note.ItemText(95), "B7");
    EXPECT_EQ(SettingOf("Preferences", "UserDefinedKey").ItemText(5), "+5");
    EXPECT_EQ(SettingOf("Preferences", "UserDefinedKey").ItemText(0), "0");
    const CMSetting& zoom = SettingOf("General", "InitialZoom");
    EXPECT_EQ(zoom.ItemText(7), "");
    EXPECT_EQ(zoom.ItemText(zoom.Fit(7)), "Fit to 80% of height");
    EXPECT_EQ(SettingOf("General", "Precount").Allowed(),
              "0 (No precount), 1 (1 measure precount) or 2 (2 measures precount)");
    EXPECT_EQ(note.Allowed(), "a whole number from 0 to 95 (shown as C0 to B7)");
}
