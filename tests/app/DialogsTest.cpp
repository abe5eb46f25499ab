// The options sheet's copies (the General page's index rules, fonts, tempo limits, the account)
// and their way back on OK; the register dialog's cleaning, messages in order and question.
#include "app/CMOptionsSheet.h"
#include "app/CMRegisterForm.h"
#include "settings/CMChartSettings.h"
#include "settings/SettingsTable.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

TEST(OptionsSheet, ListIndexesFontsAndPresetsGoBackOnlyOnApply)
{
    CMZimbrelIni settings;
    CMChartSettings chart("Zimbrel.ini");
    settings.initialZoom = 7;
    settings.userDefinedKey = 5;
    settings.precountNote = 200;
    settings.chordStyle = 2;

    CMOptionsSheet sheet(settings, chart);
    const auto item = [&sheet](CMOptionsSheet::GeneralList list) {
        return CMOptionsSheet::SettingOfList(list).items[sheet.listIndex[list]];
    };
    EXPECT_EQ(item(CMOptionsSheet::InitialZoom), "Fit to 80% of height");
    EXPECT_EQ(item(CMOptionsSheet::UserDefinedKey), "+5");
    EXPECT_EQ(item(CMOptionsSheet::PrecountNote), "Db3");  // 200 is no note: the default
    EXPECT_EQ(item(CMOptionsSheet::ChordStyle), "M, m");

    const CMFontChoice title = FontChoiceOf(sheet.fonts[0]);
    EXPECT_EQ(title.family, "Arial");
    EXPECT_DOUBLE_EQ(title.points, 18);
    TakeFontChoice({"DejaVu Serif", 36, 700, true}, sheet.fonts[0]);
    TakeFontChoice({"Sans", 500, 400, false}, sheet.fonts[3]);
    sheet.listIndex[CMOptionsSheet::UserDefinedKey] = 0;
    sheet.tempos[0].tempo = 500;
    sheet.tempos[1].repeat = 0;
    sheet.email = "me@example.org";
    EXPECT_EQ(settings.initialZoom, 7);  // nothing changes before OK
    EXPECT_EQ(chart.titleFont.name, "Arial");

    sheet.Apply(settings, chart);
    EXPECT_EQ(settings.initialZoom, 1);
    EXPECT_EQ(settings.userDefinedKey, -7);
    EXPECT_EQ(settings.precountNote, 37);
    EXPECT_EQ(chart.chordStyle, 2);
    EXPECT_EQ(settings.tempos[0].tempo, 360);
    EXPECT_EQ(settings.tempos[1].repeat, 1);
    EXPECT_EQ(settings.email, "me@example.org");
    EXPECT_EQ(chart.titleFont.name, "DejaVu Serif");
    EXPECT_DOUBLE_EQ(chart.titleFont.height, 0.5);
    EXPECT_TRUE(chart.titleFont.bold && chart.titleFont.italic);
    EXPECT_EQ(chart.titleFont.section, "TitleFont");
    EXPECT_DOUBLE_EQ(chart.chordFont.height, 1.0);  // the setting's largest

    EXPECT_EQ(CMOptionsSheet::RememberedPage(), CMOptionsSheet::GeneralPage);
    CMOptionsSheet::RememberPage(CMOptionsSheet::TempoPage);
    CMOptionsSheet::RememberPage(-1);
    EXPECT_EQ(CMOptionsSheet::RememberedPage(), CMOptionsSheet::TempoPage);
    CMOptionsSheet::RememberPage(CMOptionsSheet::GeneralPage);
}

// A page made from a section of the settings table, over two sections the program has.
TEST(OptionsSheet, SectionPagesEditTheirRowsAsTheFileHoldsThem)
{
    CMZimbrelIni settings;
    CMChartSettings chart("Zimbrel.ini");
    settings.tempos[0].tempo = 500;  // stored out of range: the program's own value
    CMOptionsSheet sheet(settings, chart,
                         {{"Playing", "Preferences", "options"}, {"Ballad", "Ballad", "options"}});
    std::vector<std::string> keys;
    for (const CMSetting* setting : CMOptionsSheet::RowsOf(sheet.Sections()[0]))
        keys.push_back(setting->key);
    EXPECT_EQ(keys.front(), "Piano");
    EXPECT_EQ(keys.back(), "ChordStyle");  // the chart's copy stands in that section too
    EXPECT_EQ(keys.size(), 13u);
    EXPECT_EQ(sheet.CheckSections(), "");

    IMIniStore& values = sheet.SectionValues();
    EXPECT_EQ(values.ReadInt("Ballad", "Tempo1", 0), 500);
    values.WriteInt("Preferences", "Piano", 0);
    values.WriteInt("Preferences", "InstrumentType", 3);
    values.WriteString("Preferences", "Band", "No Such Band");
    EXPECT_TRUE(sheet.IsChanged(SettingOf("Preferences", "Piano")));
    EXPECT_FALSE(sheet.IsChanged(SettingOf("Preferences", "Bass")));
    EXPECT_EQ(sheet.CheckSections().rfind("'Preferences.Band' takes the name of a band (", 0), 0u)
        << sheet.CheckSections();
    values.WriteString("Preferences", "Band", "zimbrel trio");
    EXPECT_EQ(sheet.CheckSections(), "");
    EXPECT_TRUE(settings.piano);  // nothing changes before OK

    sheet.listIndex[CMOptionsSheet::ChordStyle] = 3;  // the General page's list
    sheet.Apply(settings, chart);
    EXPECT_FALSE(settings.piano);
    EXPECT_TRUE(settings.bass);
    EXPECT_EQ(settings.instrumentType, 3);
    EXPECT_EQ(settings.band, "zimbrel trio");
    EXPECT_EQ(settings.tempos[0].tempo, 360);  // the Tempo page's copy, held to its range
    EXPECT_EQ(chart.chordStyle, 3);            // not the section page's unchanged copy

    // The sheet's own section page: the mixer, whose changes reach what the synthesizer plays.
    CMOptionsSheet mixer(settings, chart);
    ASSERT_EQ(mixer.Sections().size(), 1u);
    EXPECT_STREQ(mixer.Sections()[0].section, "Mixer");
    EXPECT_EQ(CMOptionsSheet::RowsOf(mixer.Sections()[0]).size(), 7u);
    mixer.SectionValues().WriteInt("Mixer", "DrumsVolume", 100);
    mixer.Apply(settings, chart);
    EXPECT_EQ(settings.mixer.drumsVolume, 100);
    EXPECT_EQ(settings.mixer.bassVolume, 56);
}

TEST(RegisterForm, ChecksInOrderOnCleanedFields)
{
    const std::string userIdCharacters =
        "Combination of only alphabet, number and space is acceptable for User ID.  But space "
        "code cannot be the leading or trailing character.";
    const std::string emailCharacters =
        "Combination of only alphabet, number, at-mark, under-score, hyphen, tilde and dot is "
        "acceptable for e-mail.";
    const auto joined = [](const CMRegistration& r) {
        return r.userId + "|" + r.email + "|" + r.password;
    };
    const std::string twenty(20, 'a');
    const struct {
        CMRegistration typed;
        std::string message;
        std::string cleaned;  // the fields after the check, where it changed them
    } cases[] = {
        {{"", "", ""}, "Please specify User ID.", ""},
        {{twenty + "b", "x", "y"}, "User ID is too long.  It should be up to 20 bytes.", ""},
        {{"ann-1", "", ""}, userIdCharacters, ""},
        {{"J\xC3\xBCrg", "", ""}, userIdCharacters, ""},
        {{"  Ann Lee \t", " ", ""}, "Please specify e-mail address.", "Ann Lee||"},
        {{"ann", "Ann@Example.ORG", ""}, "Please specify password.", "ann|ann@example.org|"},
        {{"ann", "a@b@c", "pw"}, "Only one at-mark is acceptable for e-mail.", ""},
        {{"ann", "a+b@c@d", "pw"}, emailCharacters, ""},
        {{"ann", "a@b", "pass word"},
         "Combination of only alphabet and number is acceptable for password.",
         ""},
        {{twenty, "nobody", "pw1"}, "", ""},
    };
    for (const auto& c : cases) {
        CMRegistration fields = c.typed;
        EXPECT_EQ(CMRegisterForm::Check(fields), c.message) << c.typed.userId;
        EXPECT_EQ(joined(fields), c.cleaned.empty() ? joined(c.typed) : c.cleaned);
    }
    EXPECT_EQ(CMRegisterForm::ConfirmationText({"ann", "a@b", "pw"}),
              "Are you sure you want to create your account?\n\n  User ID:\t\tann\n"
              "  E-mail:\t\ta@b\n  Password:\tpw\n");
}
