// The parameters a song is played with: the song's style preset or its own tempo and repeats,
// and stored values outside the settings' rules brought back within them.
#include "app/CMPerformanceSettings.h"
#include "music/CMMusicSong.h"
#include "settings/CMZimbrelIni.h"

#include <gtest/gtest.h>

TEST(PerformanceSettings, StoredValuesOutsideTheRulesAreFitted)
{
    CMZimbrelIni settings;
    settings.tempos[0].tempo = 10;
    settings.tempos[0].repeat = 99;
    settings.precount = 5;
    settings.precountNote = 200;  // would not even be a MIDI key
    CMMusicSong song;
    song.style = 0;
    song.precount = -1;
    CMPerformanceSettings performance = DefaultPerformance(settings, song);
    EXPECT_EQ(performance.tempo, 30);
    EXPECT_EQ(performance.repeats, 11);
    EXPECT_EQ(performance.precount, 1);  // the default
    EXPECT_EQ(performance.precountNote, 37);

    // Each rule's own edges are the settings table's tests.
    // A song without a style plays its own tempo, repeats and precount.
    song.style = -1;
    song.tempo = 400;
    song.repeat = 0;
    song.precount = 0;
    performance = DefaultPerformance(settings, song);
    EXPECT_EQ(performance.tempo, 360);
    EXPECT_EQ(performance.repeats, 1);
    EXPECT_EQ(performance.precount, 0);
}

// The feel and the mixer come from the settings; the user's choices go over them, and the volume
// choices are read from "piano=N,bass=N,drums=N" or refused whole.
TEST(PerformanceSettings, FeelAndVolumesFromSettingsAndChoices)
{
    CMZimbrelIni settings;
    settings.feel = 7;  // no such feel: strict
    settings.mixer.bassVolume = 70;
    const CMMusicSong song;
    EXPECT_EQ(DefaultPerformance(settings, song).feel, CMFeel::Strict);
    settings.feel = FeelNatural;
    EXPECT_EQ(DefaultPerformance(settings, song).feel, CMFeel::Natural);

    CMPerformanceChoices choices;
    std::string error;
    EXPECT_TRUE(ReadVolumeChoices("drums=0,piano=127", choices, error));
    choices.feel = FeelStrict;
    choices.writeMix = true;
    const CMPerformanceSettings performance = ChoosePerformance(settings, song, choices);
    EXPECT_EQ(performance.feel, CMFeel::Strict);
    EXPECT_EQ(performance.mixer.pianoVolume, 127);
    EXPECT_EQ(performance.mixer.bassVolume, 70);
    EXPECT_EQ(performance.mixer.drumsVolume, 0);
    EXPECT_TRUE(performance.writeMix);
    EXPECT_EQ(ChannelMixOf(performance.mixer)[9]->volume, 0);  // the drums' channel

    const struct {
        const char* text;
        const char* error;
    } refused[] = {
        {"", "'' is not piano=N, bass=N or drums=N"},
        {"bass=128", "bass takes a whole number from 0 to 127, not '128'"},
        {"bass=-1", "bass takes a whole number from 0 to 127, not '-1'"},
        {"bass=", "bass takes a whole number from 0 to 127, not ''"},
        {"bass=5x", "bass takes a whole number from 0 to 127, not '5x'"},
        {"bass=5,", "'' is not piano=N, bass=N or drums=N"},
        {"guitar=5", "'guitar=5' is not piano=N, bass=N or drums=N"},
        {"piano=1,piano=2", "the piano is named twice"},
    };
    for (const auto& r : refused) {
        CMPerformanceChoices kept = choices;
        EXPECT_FALSE(ReadVolumeChoices(r.text, kept, error)) << r.text;
        EXPECT_EQ(error, r.error) << r.text;
        EXPECT_EQ(kept.bassVolume, std::nullopt) << r.text;  // nothing read from a refused text
        EXPECT_EQ(kept.pianoVolume, 127) << r.text;
    }
}
