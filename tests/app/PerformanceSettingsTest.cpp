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

    settings.tempos[0].tempo = 360;
    settings.precount = 2;
    settings.precountNote = 95;
    performance = DefaultPerformance(settings, song);
    EXPECT_EQ(performance.tempo, 360);
    EXPECT_EQ(performance.precount, 2);
    EXPECT_EQ(performance.precountNote, 95);

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
