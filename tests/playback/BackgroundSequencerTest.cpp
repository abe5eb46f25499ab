// The player that never waits: CMMCI over CMBackgroundSequencer over a recording player whose
// Open can be held up, as a slow sound server or ALSA port would.
#include "midi/playback/CMBackgroundSequencer.h"
#include "midi/playback/CMMCI.h"
#include "tests/Printers.h"
#include "tests/playback/RecordingSequencer.h"

#include <gtest/gtest.h>

#include <latch>

namespace {

class HeldSequencer : public RecordingSequencer {
public:
    HeldSequencer(std::shared_ptr<SequencerScript> script, std::latch& release)
        : RecordingSequencer(std::move(script)), m_release(release)
    {
    }
    bool Open(const char* path, int port) override
    {
        m_release.wait();
        return RecordingSequencer::Open(path, port);
    }

private:
    std::latch& m_release;
};

}  // namespace

TEST(BackgroundSequencer, AnswersAtOnceAndReportsAFailedOpenOnAPoll)
{
    auto script = std::make_shared<SequencerScript>();
    script->openSucceeds = false;
    std::latch release(1);
    auto background =
        std::make_unique<CMBackgroundSequencer>(std::make_unique<HeldSequencer>(script, release));
    CMBackgroundSequencer& sequencer = *background;
    CMMCI player(std::move(background));

    // The open is still held up: the caller goes on as if it had worked.
    ASSERT_TRUE(player.Open("/songs/blues.zimbrel.midi"));
    ASSERT_TRUE(player.Play());
    player.Poll();
    EXPECT_TRUE(player.IsPlaying());
    EXPECT_EQ(player.GetError(), "");

    release.count_down();
    sequencer.Wait();
    player.Poll();
    EXPECT_FALSE(player.IsPlaying());
    EXPECT_EQ(player.GetError(), "The file cannot be played.");
    sequencer.Wait();
    EXPECT_EQ(script->calls, std::vector<std::string>{"open /songs/blues.zimbrel.midi on port 0"});
}

TEST(BackgroundSequencer, PlaysUntilTheWrappedPlayerStops)
{
    auto script = std::make_shared<SequencerScript>();
    script->length = 5000;
    std::latch release(0);
    auto background =
        std::make_unique<CMBackgroundSequencer>(std::make_unique<HeldSequencer>(script, release));
    CMBackgroundSequencer& sequencer = *background;
    CMMCI player(std::move(background));
    player.SetPort(2);
    CMChannelMix mix;
    mix[9] = CMChannelSettings{0, 20, 30};
    player.SetChannelMix(mix);  // reaches the wrapped player before the file is opened
    ASSERT_TRUE(player.Open("/songs/a.midi"));
    ASSERT_TRUE(player.Play());
    sequencer.Wait();
    EXPECT_EQ(script->mix, mix);
    EXPECT_EQ(sequencer.GetLength(), 5000);
    script->position = 1200;
    player.Poll();  // asks the thread to look
    sequencer.Wait();
    player.Poll();
    EXPECT_EQ(player.GetPolledPosition(), 1200);
    EXPECT_TRUE(player.IsPlaying());

    script->mode = "stopped";
    player.Poll();
    sequencer.Wait();
    player.Poll();
    EXPECT_FALSE(player.IsPlaying());
    sequencer.Wait();
    const std::vector<std::string>& calls = script->calls;
    ASSERT_GE(calls.size(), 4u);
    EXPECT_EQ(calls[0], "open /songs/a.midi on port 2");
    EXPECT_EQ(calls[1], "length");
    EXPECT_EQ(calls[2], "play");
    EXPECT_EQ(calls.back(), "close");
}
