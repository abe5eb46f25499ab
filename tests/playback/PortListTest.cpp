// The MIDI output port list with and without a stored port, the devices of this machine, and the
// SoundFont search with its order and its messages.
#include "midi/playback/AlsaSequencerPorts.h"
#include "midi/playback/MidiOutPorts.h"
#include "midi/playback/SoundFontSearch.h"
#include "tests/Printers.h"
#include "tests/TempDir.h"

#include <gtest/gtest.h>

#include <sys/stat.h>

#include <filesystem>
#include <fstream>

namespace {

const std::vector<CMString> kDevices = {"Built-in synthesizer", "Midi Through Port-0",
                                        "USB Keys MIDI 1", "Midi Through Port-0"};

TEST(MidiOutPortList, EntriesCarryALeadingSpaceAndTheStoredNameSelects)
{
    CMMidiOutPortList list = FillMidiOutPortList(kDevices, CMString());
    EXPECT_EQ(list.entries, (std::vector<CMString>{" Built-in synthesizer", " Midi Through Port-0",
                                                   " USB Keys MIDI 1", " Midi Through Port-0"}));
    EXPECT_EQ(list.selected, 0);  // nothing stored

    EXPECT_EQ(FillMidiOutPortList(kDevices, "USB Keys MIDI 1").selected, 2);
    EXPECT_EQ(FillMidiOutPortList(kDevices, "Built-in synthesizer").selected, 0);
    // The name must match exactly; with two ports of one name the later one is taken.
    EXPECT_EQ(FillMidiOutPortList(kDevices, " USB Keys MIDI 1").selected, 0);
    EXPECT_EQ(FillMidiOutPortList(kDevices, "usb keys midi 1").selected, 0);
    EXPECT_EQ(FillMidiOutPortList(kDevices, "Gone Synth").selected, 0);
    EXPECT_EQ(FillMidiOutPortList(kDevices, "Midi Through Port-0").selected, 3);
    EXPECT_TRUE(FillMidiOutPortList({}, "x").entries.empty());

    // Picking an entry stores its name without the blanks around it.
    EXPECT_EQ(MidiOutPortSetting(" USB Keys MIDI 1"), "USB Keys MIDI 1");
    EXPECT_EQ(MidiOutPortSetting("\t Synth \t"), "Synth");
    EXPECT_EQ(FillMidiOutPortList(kDevices, MidiOutPortSetting(list.entries[2])).selected, 2);
}

TEST(MidiOutPortList, TheBuiltInSynthesizerComesFirstAndAloneWithoutASequencer)
{
    const std::vector<CMString> devices = ListMidiOutDevices();
    ASSERT_FALSE(devices.empty());
    EXPECT_EQ(devices[0], "Built-in synthesizer");
    if (!HasAlsaSequencer()) {
        EXPECT_EQ(devices.size(), 1u);
        EXPECT_TRUE(ListAlsaWritablePorts().empty());
        CMString error;
        EXPECT_FALSE(OpenAlsaSequencer(error));
        EXPECT_EQ(error, "this machine has no ALSA sequencer (/dev/snd/seq)");
    } else {
        EXPECT_EQ(devices.size(), ListAlsaWritablePorts().size() + 1);
    }
}

void Touch(const std::string& path)
{
    std::filesystem::create_directories(std::filesystem::path(path).parent_path());
    std::ofstream(path) << "RIFF";
}

TEST(SoundFontSearch, SettingThenDefaultFilesThenFolders)
{
    TempDir dir;
    CMSoundFontPlaces places;
    places.files = {dir.Path("sf2/default-GM.sf2"), dir.Path("sf3/default-GM.sf3")};
    places.folders = {dir.Path("sf2"), dir.Path("soundfonts")};
    CMString error;

    EXPECT_EQ(FindSoundFont(CMString(), error, places), "");
    EXPECT_EQ(error, CMString("No General MIDI SoundFont was found in " + dir.Path("sf2") + ", " +
                              dir.Path("sf3") + ", " + dir.Path("soundfonts") +
                              ". Install one (on Debian: apt-get install fluid-soundfont-gm, or "
                              "timgm6mb-soundfont for a small one) or name one in the "
                              "\"SoundFont\" setting of the \"Preferences\" section."));

    Touch(dir.Path("soundfonts/Zeta.SF3"));
    Touch(dir.Path("soundfonts/Alpha.sf2"));
    Touch(dir.Path("soundfonts/Aardvark.txt"));
    EXPECT_EQ(FindSoundFont(CMString(), error, places), CMString(dir.Path("soundfonts/Alpha.sf2")));
    Touch(dir.Path("sf2/Piano.sf2"));  // the first folder comes first
    EXPECT_EQ(FindSoundFont(CMString(), error, places), CMString(dir.Path("sf2/Piano.sf2")));
    Touch(dir.Path("sf3/default-GM.sf3"));
    EXPECT_EQ(FindSoundFont(CMString(), error, places), CMString(dir.Path("sf3/default-GM.sf3")));
    Touch(dir.Path("sf2/default-GM.sf2"));
    EXPECT_EQ(FindSoundFont(CMString(), error, places), CMString(dir.Path("sf2/default-GM.sf2")));

    // A setting is taken as it is, and when it names nothing readable that is an error, not a
    // reason to play with another SoundFont.
    const CMString mine(dir.Path("mine.sf2"));
    EXPECT_EQ(FindSoundFont(mine, error, places), "");
    EXPECT_EQ(error, CMString("The SoundFont '" + dir.Path("mine.sf2") +
                              "' cannot be read: No such file or directory."));
    EXPECT_EQ(FindSoundFont(CMString(dir.Path("sf2")), error, places), "");
    EXPECT_EQ(error,
              CMString("The SoundFont '" + dir.Path("sf2") + "' cannot be read: not a file."));
    Touch(mine.Str());
    EXPECT_EQ(FindSoundFont(mine, error, places), mine);
}

TEST(SoundFontSearch, TheSystemHasOne)
{
    // scripts/install-deps.sh installs a General MIDI SoundFont; the default places find it.
    CMString error;
    EXPECT_FALSE(FindSoundFont(CMString(), error).IsEmpty()) << error.Str();
}

}  // namespace
