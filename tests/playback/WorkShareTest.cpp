// How the audio export shares a performance among synthesizers: whole channels, the busiest
// first, cymbals weighing more, never more parts than channels that play.
#include "midi/playback/SynthWorkShare.h"

#include <gtest/gtest.h>

namespace {

CMTimedMidiEvent Event(int status, int data1, int data2 = 100)
{
    CMTimedMidiEvent event;
    event.status = static_cast<std::uint8_t>(status);
    event.data1 = static_cast<std::uint8_t>(data1);
    event.data2 = static_cast<std::uint8_t>(data2);
    return event;
}

void AddNotes(std::vector<CMTimedMidiEvent>& events, int channel, int key, int count)
{
    events.insert(events.end(), static_cast<std::size_t>(count), Event(0x90 | channel, key));
}

// A trio as the band plays it: piano on channel 0, bass on 1, drums on 9 with the ride cymbal.
std::vector<CMTimedMidiEvent> Trio(int rideStrokes)
{
    std::vector<CMTimedMidiEvent> events = {Event(0xC0, 0), Event(0xC1, 32), Event(0xB9, 7)};
    AddNotes(events, 0, 60, 1200);
    AddNotes(events, 1, 36, 640);
    AddNotes(events, 9, 59, rideStrokes);
    AddNotes(events, 9, 44, 320);
    return events;
}

TEST(SynthWorkShare, WholeChannelsTheBusiestFirst)
{
    // 840 ride strokes and 320 hi-hat strokes weigh 4,520 notes: the drums have a part to
    // themselves, piano and bass share the other.
    const std::vector<CMTimedMidiEvent> trio = Trio(840);
    const CMSynthWorkShare share(trio, 2);
    ASSERT_EQ(share.GetPartCount(), 2u);
    EXPECT_EQ(share.GetPartOf(Event(0x99, 59)), 0u);
    EXPECT_EQ(share.GetPartOf(Event(0x99, 44)), 0u);
    EXPECT_EQ(share.GetPartOf(Event(0x89, 59, 0)), 0u);
    EXPECT_EQ(share.GetPartOf(Event(0xB9, 7)), 0u);  // a channel's controllers go with its notes
    EXPECT_EQ(share.GetPartOf(Event(0x90, 60)), 1u);
    EXPECT_EQ(share.GetPartOf(Event(0xC1, 32)), 1u);
    EXPECT_EQ(share.GetPartOf(Event(0xE1, 0, 64)), 1u);
    EXPECT_EQ(share.GetPartOf(Event(0xB5, 7)), 0u);  // a channel without notes: part 0

    // Without the ride, the piano is the busiest and the drums join the bass.
    const CMSynthWorkShare light(Trio(0), 2);
    EXPECT_EQ(light.GetPartOf(Event(0x90, 60)), 0u);
    EXPECT_EQ(light.GetPartOf(Event(0x91, 36)), 1u);
    EXPECT_EQ(light.GetPartOf(Event(0x99, 44)), 1u);

    const CMSynthWorkShare three(trio, 3);
    EXPECT_EQ(three.GetPartCount(), 3u);
    EXPECT_EQ(three.GetPartOf(Event(0x99, 59)), 0u);
    EXPECT_EQ(three.GetPartOf(Event(0x90, 60)), 1u);
    EXPECT_EQ(three.GetPartOf(Event(0x91, 36)), 2u);
}

TEST(SynthWorkShare, NoMorePartsThanChannelsThatPlay)
{
    const std::vector<CMTimedMidiEvent> trio = Trio(840);
    EXPECT_EQ(CMSynthWorkShare(trio, 8).GetPartCount(), 3u);
    const CMSynthWorkShare one(trio, 1);
    EXPECT_EQ(one.GetPartCount(), 1u);
    for (const CMTimedMidiEvent& event : trio)
        EXPECT_EQ(one.GetPartOf(event), 0u);
    EXPECT_EQ(CMSynthWorkShare({}, 4).GetPartCount(), 1u);  // nothing plays
    EXPECT_EQ(CMSynthWorkShare(trio, 0).GetPartCount(), 1u);
}

}  // namespace
