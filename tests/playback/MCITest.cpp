// CMMCI's states and the calls it makes, first with the recording fake, then playing real files
// through FluidSynth into its file driver (a sound card that writes a WAV file in real time).
#include "midi/playback/CMMCI.h"
#include "midi/playback/CMSystemSequencer.h"
#include "tests/Printers.h"
#include "tests/TempDir.h"
#include "tests/playback/RecordingSequencer.h"
#include "tests/playback/ShortSongs.h"
#include "tests/playback/WaveFile.h"

#include <gtest/gtest.h>

#include <sys/stat.h>

#include <chrono>
#include <thread>

namespace {

using Calls = std::vector<std::string>;

struct Fake {
    std::shared_ptr<SequencerScript> script = std::make_shared<SequencerScript>();
    CMMCI mci{std::make_unique<RecordingSequencer>(script)};

    Calls TakeCalls()
    {
        Calls calls;
        calls.swap(script->calls);
        return calls;
    }
};

TEST(MCI, OpenPlayPollAndStopByItself)
{
    Fake fake;
    EXPECT_FALSE(fake.mci.IsOpen());
    EXPECT_FALSE(fake.mci.Play());  // nothing open
    EXPECT_EQ(fake.mci.GetMode(), "");
    EXPECT_EQ(fake.mci.GetPosition(), 0);
    EXPECT_EQ(fake.mci.GetLength(), 0);
    fake.mci.Poll();
    EXPECT_TRUE(fake.mci.Close());
    EXPECT_EQ(fake.TakeCalls(), Calls{});  // a closed player never asks the sequencer

    fake.script->length = 93500;
    ASSERT_TRUE(fake.mci.Open("/songs/blues.zimbrel.midi"));
    EXPECT_TRUE(fake.mci.IsOpen());
    EXPECT_FALSE(fake.mci.IsPlaying());
    EXPECT_EQ(fake.mci.GetOpenedLength(), 93500);
    EXPECT_EQ(fake.TakeCalls(), (Calls{"open /songs/blues.zimbrel.midi on port 0", "length"}));
    fake.mci.Poll();  // open but not playing: nothing
    EXPECT_EQ(fake.TakeCalls(), Calls{});

    ASSERT_TRUE(fake.mci.Play());
    EXPECT_TRUE(fake.mci.IsPlaying());
    fake.script->position = 1200;
    fake.mci.Poll();
    EXPECT_EQ(fake.mci.GetPolledPosition(), 1200);
    EXPECT_EQ(fake.TakeCalls(), (Calls{"play", "mode", "position"}));

    // The sequencer reports the end: the first Poll closes and the position reads 0.
    fake.script->mode = "stopped";
    fake.mci.Poll();
    EXPECT_FALSE(fake.mci.IsOpen());
    EXPECT_FALSE(fake.mci.IsPlaying());
    EXPECT_EQ(fake.mci.GetPolledPosition(), 0);
    EXPECT_EQ(fake.TakeCalls(), (Calls{"mode", "close"}));
    EXPECT_FALSE(fake.mci.Play());  // finishing closed it: a new Open is needed
    fake.mci.Poll();
    EXPECT_EQ(fake.TakeCalls(), Calls{});
}

TEST(MCI, OnlyTheExactModeStoppedEndsPlayback)
{
    Fake fake;
    ASSERT_TRUE(fake.mci.Open("a.midi"));
    ASSERT_TRUE(fake.mci.Play());
    for (const char* mode : {"Stopped", "stopped ", "paused", "not ready", ""}) {
        fake.script->mode = mode;
        fake.mci.Poll();
        EXPECT_TRUE(fake.mci.IsPlaying()) << mode;
    }
}

TEST(MCI, PortAndReopening)
{
    Fake fake;
    fake.mci.SetPort(2);
    ASSERT_TRUE(fake.mci.Open("a.midi"));
    ASSERT_TRUE(fake.mci.Play());
    // Open on an open player closes first; the port is read at every Open.
    fake.mci.SetPort(0);
    ASSERT_TRUE(fake.mci.Open("b.midi"));
    EXPECT_FALSE(fake.mci.IsPlaying());
    EXPECT_EQ(fake.TakeCalls(), (Calls{"open a.midi on port 2", "length", "play", "close",
                                       "open b.midi on port 0", "length"}));
    // The destructor closes.
    auto script = std::make_shared<SequencerScript>();
    auto scoped = std::make_unique<CMMCI>(std::make_unique<RecordingSequencer>(script));
    ASSERT_TRUE(scoped->Open("c.midi"));
    script->calls.clear();
    scoped.reset();
    EXPECT_EQ(script->calls, Calls{"close"});
}

TEST(MCI, FailedOpenLeavesItClosedWithTheReason)
{
    Fake fake;
    fake.script->openSucceeds = false;
    fake.script->openError = "No sound output could be opened.";
    EXPECT_FALSE(fake.mci.Open("a.midi"));
    EXPECT_FALSE(fake.mci.IsOpen());
    EXPECT_EQ(fake.mci.GetError(), "No sound output could be opened.");
    EXPECT_FALSE(fake.mci.Play());
    EXPECT_TRUE(fake.mci.Close());
    EXPECT_EQ(fake.TakeCalls(), Calls{"open a.midi on port 0"});  // no length, play or close
}

// ShortSong at 240 a minute, as a file.
std::string WriteShortSong(const TempDir& dir, std::uint32_t leadIn = 192)
{
    const std::string path = dir.Path("short.midi");
    EXPECT_TRUE(ShortSong(leadIn).Save(path.c_str(), 240));
    return path;
}

CMSequencerOptions FileDriver(const std::string& output)
{
    CMSequencerOptions options;
    options.soundFont = TestSoundFont();
    options.audio.drivers = {"file"};
    options.audio.file = output;
    return options;
}

off_t FileSize(const std::string& path)
{
    struct stat info;
    return stat(path.c_str(), &info) == 0 ? info.st_size : -1;
}

// Polls until the player stops by itself; the position only moves on, within the file.
int PlayToTheEnd(CMMCI& mci)
{
    const auto start = std::chrono::steady_clock::now();
    int lastPosition = 0;
    while (mci.IsPlaying() && std::chrono::steady_clock::now() - start < std::chrono::seconds(20)) {
        std::this_thread::sleep_for(std::chrono::milliseconds(55));
        mci.Poll();
        if (mci.IsPlaying()) {
            EXPECT_GE(mci.GetPolledPosition(), lastPosition);
            EXPECT_LE(mci.GetPolledPosition(), mci.GetOpenedLength());
            lastPosition = mci.GetPolledPosition();
        }
    }
    return lastPosition;
}

TEST(MCIWithFluidSynth, PlaysAFileToItsEndAndCloses)
{
    TempDir dir;
    const std::string song = WriteShortSong(dir);
    const std::string output = dir.Path("played.wav");
    CMMCI mci(std::make_unique<CMSystemSequencer>(FileDriver(output)));
    mci.SetPort(99);  // a port beyond the list plays on the built-in synthesizer
    ASSERT_TRUE(mci.Open(song.c_str())) << mci.GetError().Str();
    EXPECT_EQ(mci.GetLength(), 750);      // two quarter notes at 240 a minute, then the chord's
    EXPECT_EQ(mci.GetMode(), "stopped");  // not started yet
    const auto start = std::chrono::steady_clock::now();
    ASSERT_TRUE(mci.Play());
    EXPECT_EQ(mci.GetMode(), "playing");
    EXPECT_GT(PlayToTheEnd(mci), 0);
    EXPECT_FALSE(mci.IsPlaying());
    EXPECT_FALSE(mci.IsOpen());
    EXPECT_EQ(mci.GetPolledPosition(), 0);
    EXPECT_EQ(mci.GetError(), "");
    // The driver played in real time, and what it played was 16-bit stereo sound.
    EXPECT_GE(std::chrono::steady_clock::now() - start, std::chrono::milliseconds(700));
    EXPECT_GT(FileSize(output), 0.7 * 44100 * 4);
}

TEST(MCIWithFluidSynth, NotesBeforeTheSoundFontIsLoadedWaitForIt)
{
    // The chord comes at once, with the system's default SoundFont (the largest one there is)
    // still loading in the background: it sounds late rather than not at all.
    TempDir dir;
    const std::string song = WriteShortSong(dir, 0);
    const std::string output = dir.Path("played.wav");
    CMSequencerOptions options = FileDriver(output);
    options.soundFont = CMString();
    CMMCI mci(std::make_unique<CMSystemSequencer>(options));
    ASSERT_TRUE(mci.Open(song.c_str())) << mci.GetError().Str();
    ASSERT_TRUE(mci.Play());
    PlayToTheEnd(mci);
    EXPECT_FALSE(mci.IsOpen());
    EXPECT_EQ(mci.GetError(), "");
    const Wave wave = ReadWave(output);
    EXPECT_GT(Loudest(wave, 0, wave.samples.size() / 2), 1000);
}

TEST(MCIWithFluidSynth, CloseStopsAtOnceAndPlayAgainStartsOver)
{
    TempDir dir;
    const std::string song = WriteShortSong(dir);
    CMMCI mci(std::make_unique<CMSystemSequencer>(FileDriver(dir.Path("played.wav"))));
    for (int round = 0; round < 2; ++round) {  // the second round reuses the loaded synthesizer
        ASSERT_TRUE(mci.Open(song.c_str())) << mci.GetError().Str();
        ASSERT_TRUE(mci.Play());
        std::this_thread::sleep_for(std::chrono::milliseconds(100));
        mci.Poll();
        EXPECT_TRUE(mci.IsPlaying());
        EXPECT_TRUE(mci.Close());
        EXPECT_FALSE(mci.IsOpen());
        EXPECT_EQ(mci.GetMode(), "");
        EXPECT_EQ(mci.GetPosition(), 0);
    }
}

TEST(MCIWithFluidSynth, OpenFailuresSayWhy)
{
    TempDir dir;
    const std::string song = WriteShortSong(dir);
    {
        CMMCI mci(std::make_unique<CMSystemSequencer>(FileDriver(dir.Path("x.wav"))));
        EXPECT_FALSE(mci.Open(dir.Path("missing.midi").c_str()));
        EXPECT_EQ(mci.GetError(), CMString("Cannot read '" + dir.Path("missing.midi") +
                                           "': No such file or directory."));
        EXPECT_FALSE(mci.IsOpen());
    }
    {
        CMSequencerOptions options = FileDriver(dir.Path("x.wav"));
        options.soundFont = CMString(dir.Path("none.sf2"));
        CMMCI mci(std::make_unique<CMSystemSequencer>(options));
        EXPECT_FALSE(mci.Open(song.c_str()));
        EXPECT_EQ(mci.GetError(), CMString("The SoundFont '" + dir.Path("none.sf2") +
                                           "' cannot be read: "
                                           "No such file or directory."));
        options.soundFont = song.c_str();  // a file, but no SoundFont
        CMMCI notASoundFont(std::make_unique<CMSystemSequencer>(options));
        EXPECT_FALSE(notASoundFont.Open(song.c_str()));
        EXPECT_EQ(notASoundFont.GetError(), CMString("'" + song + "' is not a SoundFont."));
    }
    {
        // This machine (and CI) has no sound card and no sound server: every real driver fails,
        // with a sentence that names each. Where there is sound, the open simply succeeds.
        CMSequencerOptions options;
        options.soundFont = TestSoundFont();
        CMMCI mci(std::make_unique<CMSystemSequencer>(options));
        if (mci.Open(song.c_str())) {
            mci.Close();
        } else {
            const std::string error = mci.GetError().Str();
            EXPECT_EQ(error.rfind("No sound output could be opened (", 0), 0u) << error;
            EXPECT_NE(error.find("ALSA: "), std::string::npos) << error;
            EXPECT_FALSE(mci.IsOpen());
        }
    }
}

}  // namespace
