// The application settings, the tempo presets and the chart fonts: defaults, the file written
// from defaults (a reviewed golden file), reading every key back, 8-bit and boolean values,
// packed colours, and saving with one write giving the bytes of writing value by value.
#include "settings/CMChartSettings.h"
#include "settings/CMZimbrelIni.h"
#include "settings/DefaultSettings.h"
#include "tests/FileContents.h"
#include "tests/Printers.h"
#include "tests/TempDir.h"
#include "tests/WorkDir.h"
#include "tests/settings/FileTestSupport.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

using namespace std::string_literals;

namespace {

const std::string kDefaultsFile = ZIMBREL_TEST_DATA "/settings/defaults.ini";
const std::string kChangedFile = ZIMBREL_TEST_DATA "/settings/changed.ini";

// Settings with every value changed from its default.
CMZimbrelIni ChangedSettings()
{
    CMZimbrelIni ini;
    for (CMZimbrelTempo& preset : ini.tempos) {
        preset.tempo += 7;
        preset.repeat += 1;
    }
    ini.piano = false;
    ini.bass = false;
    ini.drums = false;
    ini.instrumentType = InstrumentUserKey;
    ini.userDefinedKey = -3;
    ini.midiOutPort = "Synth port 1";
    ini.band = "Late Night";
    ini.feel = FeelNatural;
    ini.intro = false;
    ini.verse = false;
    ini.lyrics = false;
    ini.soundFont = "/opt/sounds/piano.sf2";
    ini.email = "player@example.org";
    ini.password = "s3cret = #1";
    ini.server = "10.0.0.2";
    ini.port = 4242;
    ini.initialZoom = 2;
    ini.zoom = 0.75;
    ini.precount = 2;
    ini.chordStyle = 3;
    ini.chordSymbol = 1;
    ini.precountNote = 60;
    ini.mixer = {90, -20, 80, 10, 70, -30, 25};
    return ini;
}

// Each test in a fresh working folder, where the settings file is read and written.
class SettingsInAFolder : public ::testing::Test {
protected:
    void SetUp() override { ASSERT_TRUE(work.Entered()); }

    TempDir dir;
    WorkDir work{dir.Root()};
};

}  // namespace

TEST_F(SettingsInAFolder, FirstRunWritesTheDefaultsFile)
{
    // What the chart view does when it closes: the settings, then the renderer's fonts and style.
    CMZimbrelIni ini;
    ini.Load();
    CMChartSettings chart("Zimbrel.ini");
    chart.Load();
    ASSERT_TRUE(ini.Save());
    ASSERT_TRUE(chart.Save());
    const std::string golden = FileContents(kDefaultsFile);
    ASSERT_FALSE(golden.empty());
    EXPECT_EQ(FileContents("Zimbrel.ini"), golden);
    EXPECT_EQ(DefaultSettingsText().GetFileBytes(), golden);
}

TEST_F(SettingsInAFolder, EveryKeyIsReadBack)
{
    const CMZimbrelIni changed = ChangedSettings();
    ASSERT_TRUE(changed.Save());
    // Each value under its own key: a reviewed file in which no two values of a kind are alike.
    EXPECT_EQ(FileContents("Zimbrel.ini"), FileContents(kChangedFile));
    // Loaded and saved again, every value comes back to its own key.
    CMZimbrelIni loaded;
    loaded.Load();
    std::remove("Zimbrel.ini");
    ASSERT_TRUE(loaded.Save());
    EXPECT_EQ(FileContents("Zimbrel.ini"), FileContents(kChangedFile));
}

TEST(Settings, EachSwitchHasItsOwnKey)
{
    bool CMZimbrelIni::*const switches[] = {&CMZimbrelIni::piano, &CMZimbrelIni::bass,
                                            &CMZimbrelIni::drums, &CMZimbrelIni::intro,
                                            &CMZimbrelIni::verse, &CMZimbrelIni::lyrics};
    const char* const keys[] = {"Piano", "Bass", "Drums", "Intro", "Verse", "Lyrics"};
    for (std::size_t off = 0; off < std::size(switches); ++off) {
        CMZimbrelIni settings;
        settings.*switches[off] = false;
        CMIniText text;
        ASSERT_TRUE(settings.SaveTo(text));
        for (std::size_t i = 0; i < std::size(keys); ++i)
            EXPECT_EQ(text.ReadInt("Preferences", keys[i], -1), i == off ? 0 : 1) << keys[i];
    }
}

TEST_F(SettingsInAFolder, BooleansAndEightBitValues)
{
    WriteFileContents("Zimbrel.ini",
                      "[Preferences]\r\nPiano=no\r\nBass=0\r\nDrums=yes\r\nIntro=7\r\n"
                      "[General]\r\nPrecountNote=293\r\nChordStyle=258\r\nChordSymbol=-1\r\n"
                      "InitialZoom=7\r\n");
    // What is loaded shows in what is saved: the low 8 bits of numbers, and InitialZoom kept as
    // stored (the options dialog shows it as 1).
    CMZimbrelIni ini;
    ini.Load();
    ASSERT_TRUE(ini.Save());
    const std::string bytes = FileContents("Zimbrel.ini");
    for (const char* line : {"Piano=0\r\n", "Drums=1\r\n", "Intro=1\r\n", "PrecountNote=37\r\n",
                             "ChordStyle=2\r\n", "ChordSymbol=255\r\n", "InitialZoom=7\r\n"})
        EXPECT_NE(bytes.find(line), std::string::npos) << line;
}

TEST_F(SettingsInAFolder, TheGeneralChordStyleWinsAndBothAreRewritten)
{
    WriteFileContents("Zimbrel.ini",
                      "[Preferences]\r\nChordStyle=1\r\n[General]\r\nChordStyle=3\r\n");
    CMChartSettings chart("Zimbrel.ini");
    chart.Load();
    EXPECT_EQ(chart.chordStyle, 1);
    CMZimbrelIni ini;
    ini.Load();
    chart.chordStyle = ini.chordStyle;  // as the chart view does on creation
    ASSERT_TRUE(ini.Save());
    ASSERT_TRUE(chart.Save());
    CMIniFile file("Zimbrel.ini");
    EXPECT_EQ(file.ReadInt("Preferences", "ChordStyle", -1), 3);
    EXPECT_EQ(file.ReadInt("General", "ChordStyle", -1), 3);
}

TEST_F(SettingsInAFolder, Fonts)
{
    WriteFileContents("Zimbrel.ini",
                      "[ChordFont]\r\nName=Times New Roman\r\nHeight=0.3\r\nBold=1\r\n"
                      "Italic=yes\r\nColor=16711680\r\n[TitleFont]\r\nColor=0x0000FF\r\n"
                      "[LyricsFont]\r\nHeight=1e9\r\n[AuthorFont]\r\nHeight=nan\r\n");
    CMChartSettings chart("Zimbrel.ini");
    chart.Load();
    EXPECT_EQ(chart.chordFont.name, "Times New Roman");
    EXPECT_DOUBLE_EQ(chart.chordFont.height, 0.3);
    EXPECT_EQ(chart.chordFont.bold, 1);
    EXPECT_EQ(chart.chordFont.italic, 1);
    EXPECT_EQ(chart.chordFont.colour, CMColour(1.0, 0.0, 0.0));  // pure red
    EXPECT_EQ(chart.titleFont.colour, CMColour(0.0, 0.0, 1.0));
    EXPECT_EQ(chart.titleFont.name, "Arial");  // absent keys keep their defaults
    // Heights the chart cannot draw: the nearer end of the range, or the default.
    EXPECT_DOUBLE_EQ(chart.lyricsFont.height, 1.0);
    EXPECT_DOUBLE_EQ(chart.authorFont.height, 0.125);

    // A component of 0.999 packs as 254, and the font's keys are written in their order.
    CMFontConfig font("Fonts.ini", "Mine", "Liberation Serif", 0.5, true, false, 0);
    font.colour = CMColour(0.999, 0.5, 0.0);
    ASSERT_TRUE(font.Save());
    EXPECT_EQ(FileContents("Fonts.ini"), "[Mine]\r\nName=Liberation Serif\r\nHeight=0.500000\r\n"
                                         "Bold=1\r\nItalic=0\r\nColor=16678656\r\n");  // 0xFE7F00
    CMFontConfig reread("Fonts.ini", "Mine", "Arial", 0.1, false, true, 0xFFFFFF);
    reread.Load();
    EXPECT_EQ(reread.colour.Pack(), 0xFE7F00);  // 127/255 packs as 127 again
    EXPECT_EQ(reread.name, "Liberation Serif");

    // Assignment copies the look, never where the font is stored.
    CMFontConfig copy("Other.ini", "Elsewhere", "Arial", 0.125, false, false, 0);
    copy = font;
    EXPECT_EQ(copy.section, "Elsewhere");
    EXPECT_EQ(copy.ini.path, "./Other.ini");
    EXPECT_EQ(copy.name, "Liberation Serif");
    EXPECT_DOUBLE_EQ(copy.height, 0.5);
    EXPECT_EQ(copy.colour, font.colour);

    // An unsaved font of the drawing code has nowhere to go.
    const CMFontConfig onTheFly("", "Font", "Brevalis", 0.3, false, false, 0);
    EXPECT_EQ(onTheFly.ini.path, "");
    EXPECT_FALSE(onTheFly.Save());
}

TEST(Settings, OneWriteGivesTheBytesOfWritingValueByValue)
{
    const std::vector<std::string> startingFiles = {
        "",
        FileContents(kDefaultsFile),
        "# my notes\r\n[Preferences]\r\nBand=Mine\r\nExtra=1\r\n\r\n[Unknown]\r\nq=1\r\n"
        "[General]\r\nZoom=2\r\n[Preferences]\r\nPiano=0\r\nlast=unfinished",
        "orphan=1\r[Account]\rEmail=a@b\r[TitleFont]\r\n\0tail[General]\r\n"s,
        "[General]",
    };
    const CMZimbrelIni settings = ChangedSettings();
    CMChartSettings chart("Zimbrel.ini");
    chart.chordFont.name = "Liberation Sans";
    chart.chordStyle = 2;
    for (std::size_t i = 0; i < startingFiles.size(); ++i) {
        TempDir dir;
        WorkDir work(dir.Root());
        ASSERT_TRUE(work.Entered());
        const bool missing = i == 0;

        if (!missing)
            WriteFileContents("Zimbrel.ini", startingFiles[i]);
        CMIniFile valueByValue("Zimbrel.ini");  // every write re-reads and rewrites the file
        ASSERT_TRUE(settings.SaveTo(valueByValue));
        ASSERT_TRUE(chart.SaveTo(valueByValue));
        const std::string expected = FileContents("Zimbrel.ini");

        if (missing)
            std::remove("Zimbrel.ini");
        else
            WriteFileContents("Zimbrel.ini", startingFiles[i]);
        ASSERT_TRUE(settings.Save());
        ASSERT_TRUE(chart.Save());
        EXPECT_EQ(FileContents("Zimbrel.ini"), expected) << "starting file " << i;
    }
}

TEST_F(SettingsInAFolder, AValueTheFileCannotHoldIsLeftOut)
{
    // The others are written.
    CMZimbrelIni odd;
    odd.email = "two\nlines";
    odd.band = "Fine Band";
    EXPECT_FALSE(odd.Save());
    CMZimbrelIni loaded;
    loaded.Load();
    EXPECT_EQ(loaded.band, "Fine Band");
    EXPECT_EQ(loaded.email, "");
}
