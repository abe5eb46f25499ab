// The MIDI file writer: whole files against reviewed dumps, event encodings of every status
// class, and a reading of written files by the tests' own reader.
#include "midi/CMMidiFile.h"
#include "tests/FileContents.h"
#include "tests/GoldenFile.h"
#include "tests/MidiReader.h"
#include "tests/TempDir.h"

#include <gtest/gtest.h>

#include <fstream>
#include <functional>
#include <random>
#include <string>
#include <vector>

namespace {

using Bytes = std::vector<std::uint8_t>;

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

}  // namespace

// Every file as the writer makes it, against the reviewed dumps: headers, the tempo track,
// program changes, running status, the silent lead-in measure and the count-in's clicks, the
// track name first, and events in time order, in insertion order at equal ticks.
TEST(MidiWriter, FilesMatchTheReviewedDumps)
{
    struct Written {
        const char* title;
        int tempo;
        std::function<void(CMMidiFile&)> build;
    };
    const Written files[] = {
        {"An empty file", 120, [](CMMidiFile&) {}},
        {"An empty file", 140, [](CMMidiFile&) {}},
        {"An empty file without a tempo", 0, [](CMMidiFile&) {}},
        {"A bass track without count-in", 120,
         [](CMMidiFile& file) {
             file.AddTrack(1, 32, CMString());
             EXPECT_TRUE(file.AddNote(0, 96, 36, 79));
             EXPECT_TRUE(file.AddNote(96, 96, 38, 79));  // starts where the first ends
             file.MakeDeltaTimes();
             file.AddPrecount(0, 37);
         }},
        {"A count-in of one measure, with a drum track", 120,
         [](CMMidiFile& file) {
             file.AddTrack(1, 32, CMString());
             file.AddNote(0, 96, 36, 79);
             file.AddTrack(9, 0, CMString());
             file.AddNote(0, 384, 59, 63);
             file.MakeDeltaTimes();
             file.AddPrecount(1, 37);
         }},
        {"A count-in of two measures adds a drum track", 120,
         [](CMMidiFile& file) {
             file.AddTrack(2, 0, CMString());
             file.AddNote(0, 192, 60, 63);
             file.MakeDeltaTimes();
             file.AddPrecount(2, 37);
         }},
        {"A count-in of none still delays by the lead-in measure", 120,
         [](CMMidiFile& file) {
             file.AddTrack(9, 0, CMString());
             file.AddNote(0, 96, 42, 95);
             file.AddPrecount(0, 37);  // converts the track first
         }},
        {"A named track; a note of no length ends where it starts", 120,
         [](CMMidiFile& file) {
             CMMidiFileChunk& track = file.AddTrack(0, 0, CMString("Piano"));
             track.AddNote(200, 10, 64, 50);
             track.AddNote(0, 0, 60, 40);
             track.InsertEvent(200, 67, 51);
             track.InsertEvent(100, 62, 52);
             track.InsertEvent(100, 62, 0);
             file.MakeDeltaTimes();
         }},
    };
    std::string dumps;
    for (const Written& written : files) {
        CMMidiFile file(96);
        written.build(file);
        const Bytes image = file.WriteImage(written.tempo);
        EXPECT_EQ(file.GetImageSize(written.tempo), image.size()) << written.title;
        dumps += std::string("== ") + written.title + ", tempo " + std::to_string(written.tempo) +
                 "\n" + midireader::Dump(image);
    }
    ExpectGoldenFile(dumps, "midi-writer.dump");
    // A tempo below zero is no tempo either.
    EXPECT_EQ(CMMidiFile(96).WriteImage(-5), CMMidiFile(96).WriteImage(0));
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
    // Running status on notes is in the dumps. A note-off (0x80) drops its velocity, and
    // changes the running status.
    std::uint8_t running = 0x93;
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
