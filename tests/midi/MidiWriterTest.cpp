// The MIDI file writer: exact bytes of headers, tempo, program changes, running status and the
// count-in, event encodings of every status class, time order, and a reading of written files
// by the tests' own reader.
#include "midi/CMMidiFile.h"
#include "tests/FileContents.h"
#include "tests/MidiReader.h"
#include "tests/TempDir.h"

#include <gtest/gtest.h>

#include <fstream>
#include <random>
#include <string>
#include <vector>

namespace {

using Bytes = std::vector<std::uint8_t>;

Bytes Concat(std::initializer_list<Bytes> parts)
{
    Bytes all;
    for (const Bytes& part : parts)
        all.insert(all.end(), part.begin(), part.end());
    return all;
}

Bytes Header(int tracks)
{
    return {'M', 'T', 'h', 'd', 0, 0, 0, 6, 0, 1, 0, static_cast<std::uint8_t>(tracks), 0, 0x60};
}

const Bytes kTempo120 = {'M',  'T',  'r',  'k',  0,    0,    0,    0x0B, 0x00, 0xFF,
                         0x51, 0x03, 0x07, 0xA1, 0x20, 0x00, 0xFF, 0x2F, 0x00};

Bytes Track(const Bytes& data)
{
    Bytes track = {'M', 'T', 'r', 'k', 0, 0};
    track.push_back(static_cast<std::uint8_t>(data.size() >> 8));
    track.push_back(static_cast<std::uint8_t>(data.size()));
    track.insert(track.end(), data.begin(), data.end());
    return track;
}

Bytes EncodeEvent(const CMMidiFileEvent& event, int channel, std::uint8_t* running)
{
    Bytes bytes(event.GetDataSize(channel, running ? Bytes{*running}.data() : nullptr));
    std::uint8_t copy = running ? *running : 0;
    const std::uint32_t written = event.Write(bytes.data(), channel, running ? &copy : nullptr);
    EXPECT_EQ(written, bytes.size());
    if (running)
        *running = copy;
    return bytes;
}

// Four clicks of key 37 after a silent measure, as the count-in of one measure reads.
const Bytes kOneMeasureOfClicks = {0x83, 0x00, 0x99, 0x25, 0x4F, 0x60, 0x25, 0x00, 0x00,
                                   0x25, 0x4F, 0x60, 0x25, 0x00, 0x00, 0x25, 0x4F, 0x60,
                                   0x25, 0x00, 0x00, 0x25, 0x4F, 0x60, 0x25, 0x00};

}  // namespace

TEST(MidiWriter, EmptyFileAndTempos)
{
    const CMMidiFile empty(96);
    EXPECT_EQ(empty.GetImageSize(120), 14u + 8 + 11);
    EXPECT_EQ(empty.WriteImage(120), Concat({Header(1), kTempo120}));

    const Bytes tempo140 = empty.WriteImage(140);
    EXPECT_EQ(Bytes(tempo140.begin() + 26, tempo140.begin() + 29), (Bytes{0x06, 0x8A, 0x1B}));
    // No tempo: the tempo track holds only its end.
    for (int tempo : {0, -5})
        EXPECT_EQ(empty.WriteImage(tempo), Concat({Header(1), Track({0x00, 0xFF, 0x2F, 0x00})}));
    EXPECT_EQ(empty.GetImageSize(0), 14u + 8 + 4);
}

TEST(MidiWriter, BassTrackWithoutPrecount)
{
    CMMidiFile file(96);
    file.AddTrack(1, 32, CMString());
    EXPECT_TRUE(file.AddNote(0, 96, 36, 79));
    EXPECT_TRUE(file.AddNote(96, 96, 38, 79));  // starts where the first ends
    file.MakeDeltaTimes();
    file.AddPrecount(0, 37);
    const Bytes bass = Track({0x00, 0xC1, 0x20,              // program change
                              0x83, 0x00, 0x91, 0x00, 0x00,  // the silent lead-in measure
                              0x00, 0x24, 0x4F,              // no status bytes from here on
                              0x60, 0x24, 0x00,              // the end comes before the start
                              0x00, 0x26, 0x4F, 0x60, 0x26, 0x00, 0x00, 0xFF, 0x2F, 0x00});
    EXPECT_EQ(file.WriteImage(120), Concat({Header(2), kTempo120, bass}));
    EXPECT_EQ(file.GetImageSize(120), file.WriteImage(120).size());
}

TEST(MidiWriter, PrecountWithDrumTrack)
{
    CMMidiFile file(96);
    file.AddTrack(1, 32, CMString());
    file.AddNote(0, 96, 36, 79);
    file.AddTrack(9, 0, CMString());
    file.AddNote(0, 384, 59, 63);
    file.MakeDeltaTimes();
    file.AddPrecount(1, 37);
    const Bytes image = file.WriteImage(120);
    const Bytes bass = Track({0x00, 0xC1, 0x20, 0x86, 0x00, 0x91, 0x00, 0x00, 0x00, 0x24, 0x4F,
                              0x60, 0x24, 0x00, 0x00, 0xFF, 0x2F, 0x00});
    Bytes drumData = {0x00, 0xC9, 0x00};
    drumData.insert(drumData.end(), kOneMeasureOfClicks.begin(), kOneMeasureOfClicks.end());
    drumData.insert(drumData.end(),
                    {0x00, 0x3B, 0x3F, 0x83, 0x00, 0x3B, 0x00, 0x00, 0xFF, 0x2F, 0x00});
    EXPECT_EQ(image, Concat({Header(3), kTempo120, bass, Track(drumData)}));

    // Read back: the music of both tracks starts together after the lead-in and count-in.
    const midireader::File read = midireader::Read(image);
    ASSERT_EQ(read.tracks.size(), 3u);
    EXPECT_EQ(read.tracks[1].notes.back().tick, 768u);
    EXPECT_EQ(read.tracks[2].notes.back().tick, 768u);
    EXPECT_EQ(read.tracks[2].notes.size(), 5u);
    EXPECT_EQ(read.tracks[2].notes[0].tick, 384u);
    EXPECT_EQ(read.tracks[2].notes[3].tick, 672u);
}

TEST(MidiWriter, PrecountAddsADrumTrackWhenThereIsNone)
{
    CMMidiFile file(96);
    file.AddTrack(2, 0, CMString());
    file.AddNote(0, 192, 60, 63);
    file.MakeDeltaTimes();
    file.AddPrecount(2, 37);
    const Bytes image = file.WriteImage(120);
    const midireader::File read = midireader::Read(image);
    EXPECT_EQ(read.trackCount, 3);
    ASSERT_EQ(read.tracks.size(), 3u);
    EXPECT_EQ(read.tracks[1].notes[0].tick, 1152u);  // one silent and two count-in measures
    const midireader::Track& clicks = read.tracks[2];
    EXPECT_EQ(clicks.channel, 9);
    EXPECT_EQ(clicks.program, 0);
    ASSERT_EQ(clicks.notes.size(), 8u);
    for (std::size_t i = 0; i < 8; ++i) {
        EXPECT_EQ(clicks.notes[i].tick, 384u + 96 * i);
        EXPECT_EQ(clicks.notes[i].duration, 96u);
        EXPECT_EQ(clicks.notes[i].key, 37);
        EXPECT_EQ(clicks.notes[i].velocity, 79);
    }
}

TEST(MidiWriter, PrecountZeroDelaysEveryTrackByOneMeasure)
{
    CMMidiFile file(96);
    file.AddTrack(9, 0, CMString());
    file.AddNote(0, 96, 42, 95);
    file.AddPrecount(0, 37);  // converts the track first
    const Bytes image = file.WriteImage(120);
    const Bytes drums = Track({0x00, 0xC9, 0x00, 0x83, 0x00, 0x99, 0x00, 0x00, 0x00, 0x2A, 0x5F,
                               0x60, 0x2A, 0x00, 0x00, 0xFF, 0x2F, 0x00});
    EXPECT_EQ(image, Concat({Header(2), kTempo120, drums}));
}

TEST(MidiWriter, EventsKeepTimeOrderAndInsertionOrderAtEqualTicks)
{
    CMMidiFile file(96);
    CMMidiFileChunk& track = file.AddTrack(0, 0, CMString("Piano"));
    track.AddNote(200, 10, 64, 50);
    track.AddNote(0, 0, 60, 40);  // duration 0: start and end at the same tick, in that order
    track.InsertEvent(200, 67, 51);
    track.InsertEvent(100, 62, 52);
    track.InsertEvent(100, 62, 0);
    file.MakeDeltaTimes();
    const std::vector<CMMidiFileEvent>& events = track.GetEvents();
    using Order = std::vector<std::pair<std::uint32_t, int>>;  // delta time, key * 1000 + velocity
    Order order;
    for (const CMMidiFileEvent& event : events)
        order.emplace_back(event.time, event.data[0] * 1000 + event.data[1]);
    const Order expected = {{0, 60040},   {0, 60000}, {100, 62052}, {0, 62000},
                            {100, 64050}, {0, 67051}, {10, 64000}};
    EXPECT_EQ(order, expected);
    // The name goes first, as a text meta event.
    const Bytes image = file.WriteImage(120);
    const Bytes start(image.begin() + 14 + 19 + 8, image.begin() + 14 + 19 + 8 + 8);
    EXPECT_EQ(start, (Bytes{0x00, 0xFF, 0x01, 0x05, 'P', 'i', 'a', 'n'}));
}

TEST(MidiWriter, ConversionHappensOnceAndLateNotesAreRefused)
{
    CMMidiFile file(96);
    file.AddTrack(1, 32, CMString());
    file.AddNote(0, 96, 36, 79);
    file.AddNote(384, 96, 41, 79);
    file.MakeDeltaTimes();
    const Bytes once = file.WriteImage(120);
    file.MakeDeltaTimes();
    EXPECT_EQ(file.WriteImage(120), once);
    EXPECT_FALSE(file.AddNote(500, 10, 50, 50));
    EXPECT_EQ(file.WriteImage(120), once);
    EXPECT_FALSE(CMMidiFile(96).AddNote(0, 1, 60, 60));  // no track to add to
}

TEST(MidiWriter, EncodingOfEveryStatusClass)
{
    // Without a running-status byte the status goes out as stored.
    EXPECT_EQ(EncodeEvent(CMMidiFileEvent(60, 5, 100), 3, nullptr), (Bytes{0x05, 0x90, 60, 100}));
    std::uint8_t running = 0;
    EXPECT_EQ(EncodeEvent(CMMidiFileEvent(60, 0, 100), 3, &running), (Bytes{0x00, 0x93, 60, 100}));
    EXPECT_EQ(running, 0x93);
    EXPECT_EQ(EncodeEvent(CMMidiFileEvent(60, 0, 0), 3, &running), (Bytes{0x00, 60, 0}));
    // A note-off (0x80) drops its velocity, and changes the running status.
    EXPECT_EQ(EncodeEvent(CMMidiFileEvent::Message(0, 0x80, {60, 99}), 3, &running),
              (Bytes{0x00, 0x83, 60, 0}));
    // Other channel messages keep the channel they carry and always write their status.
    EXPECT_EQ(EncodeEvent(CMMidiFileEvent::Message(0, 0xC5, {7}), 3, &running),
              (Bytes{0x00, 0xC5, 7}));
    EXPECT_EQ(EncodeEvent(CMMidiFileEvent::Message(0, 0xC5, {8}), 3, &running),
              (Bytes{0x00, 0xC5, 8}));
    EXPECT_EQ(running, 0xC5);
    EXPECT_EQ(EncodeEvent(CMMidiFileEvent::Message(0, 0xD1, {64}), 3, &running),
              (Bytes{0x00, 0xD1, 64}));
    EXPECT_EQ(EncodeEvent(CMMidiFileEvent::Message(0, 0xA1, {60, 5}), 3, &running),
              (Bytes{0x00, 0xA1, 60, 5}));
    EXPECT_EQ(EncodeEvent(CMMidiFileEvent::Message(0, 0xE1, {0, 64}), 3, &running),
              (Bytes{0x00, 0xE1, 0, 64}));
    // Pedal controllers are switches; other controllers pass their value.
    EXPECT_EQ(EncodeEvent(CMMidiFileEvent::Message(0, 0xB0, {64, 63}), 3, &running),
              (Bytes{0x00, 0xB0, 64, 0}));
    EXPECT_EQ(EncodeEvent(CMMidiFileEvent::Message(0, 0xB0, {68, 64}), 3, &running),
              (Bytes{0x00, 0xB0, 68, 127}));
    EXPECT_EQ(EncodeEvent(CMMidiFileEvent::Message(0, 0xB0, {7, 63}), 3, &running),
              (Bytes{0x00, 0xB0, 7, 63}));
    // System exclusive: length, then data. Meta: type, length of the rest, the rest.
    EXPECT_EQ(EncodeEvent(CMMidiFileEvent::Message(200, 0xF0, {0x7E, 0x7F, 0xF7}), 3, &running),
              (Bytes{0x81, 0x48, 0xF0, 0x03, 0x7E, 0x7F, 0xF7}));
    EXPECT_EQ(
        EncodeEvent(CMMidiFileEvent::Message(0, 0xFF, {0x03, 'B', 'a', 's', 's'}), 3, &running),
        (Bytes{0x00, 0xFF, 0x03, 0x04, 'B', 'a', 's', 's'}));
    EXPECT_EQ(EncodeEvent(CMMidiFileEvent::Message(0, 0xF8, {1, 2}), 3, &running),
              (Bytes{0x00, 0xF8}));
    // A track without a channel keeps the nibble of its notes.
    std::uint8_t fresh = 0;
    EXPECT_EQ(EncodeEvent(CMMidiFileEvent(60, 0, 1), -1, &fresh), (Bytes{0x00, 0x90, 60, 1}));
}

TEST(MidiWriter, WrittenFilesReadBackNoteForNote)
{
    // Notes 400 ticks apart and shorter than that, added in a shuffled order.
    struct Expected {
        std::uint32_t tick, duration;
        int key, velocity;
    };
    std::mt19937 random(7);
    std::vector<Expected> expected;
    for (int i = 0; i < 500; ++i)
        expected.push_back({static_cast<std::uint32_t>(i * 400 + random() % 50),
                            static_cast<std::uint32_t>(random() % 300), 30 + i % 60,
                            1 + static_cast<int>(random() % 126)});
    std::vector<Expected> shuffled = expected;
    std::shuffle(shuffled.begin(), shuffled.end(), random);
    CMMidiFile file(96);
    file.AddTrack(2, 0, CMString());
    for (const Expected& note : shuffled)
        file.AddNote(note.tick, note.duration, static_cast<std::uint8_t>(note.key),
                     static_cast<std::uint8_t>(note.velocity));
    file.MakeDeltaTimes();
    file.AddPrecount(1, 37);

    TempDir dir;
    const std::string path = dir.Path("song.zimbrel.midi");
    ASSERT_TRUE(file.Save(path.c_str(), 150));
    const Bytes bytes = FileBytes(path);
    EXPECT_EQ(bytes.size(), file.GetImageSize(150));
    const midireader::File read = midireader::Read(bytes);
    EXPECT_EQ(read.format, 1);
    EXPECT_EQ(read.division, 96);
    EXPECT_EQ(read.tempo, 400000);
    ASSERT_EQ(read.tracks.size(), 3u);  // tempo, piano, and the count-in's drum track
    const std::vector<midireader::Note>& notes = read.tracks[1].notes;
    ASSERT_EQ(notes.size(), expected.size());
    for (std::size_t i = 0; i < notes.size(); ++i) {
        EXPECT_EQ(notes[i].tick, expected[i].tick + 768) << i;
        EXPECT_EQ(notes[i].duration, expected[i].duration) << i;
        EXPECT_EQ(notes[i].key, expected[i].key) << i;
        EXPECT_EQ(notes[i].velocity, expected[i].velocity) << i;
        EXPECT_EQ(notes[i].channel, 2);
    }
}

TEST(MidiWriter, SaveIsAtomic)
{
    TempDir dir;
    const std::string path = dir.Path("tune.zimbrel.midi");
    {
        std::ofstream(path) << "old contents";
    }
    CMMidiFile file(96);
    file.AddTrack(1, 32, CMString());
    file.AddNote(0, 96, 36, 79);
    EXPECT_FALSE(file.Save(dir.Path("no/such/folder/x.midi").c_str(), 120));
    ASSERT_TRUE(file.Save(path.c_str(), 120));
    const Bytes bytes = FileBytes(path);
    EXPECT_EQ(bytes, file.WriteImage(120));
}
