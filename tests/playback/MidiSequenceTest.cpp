// CMMidiSequence: files of our own writer, hand-made files with running status, tempo changes,
// time code and foreign chunks, and damaged files, each refused with its exact reason.
#include "midi/CMMidiFile.h"
#include "midi/playback/CMMidiSequence.h"
#include "tests/Printers.h"
#include "tests/TempDir.h"
#include "tests/playback/ShortSongs.h"

#include <gtest/gtest.h>

#include <fstream>

namespace {

std::string Bytes(std::initializer_list<int> values)
{
    std::string bytes;
    for (const int value : values)
        bytes += static_cast<char>(value);
    return bytes;
}

std::string Header(int format, int tracks, int division)
{
    return Bytes(
        {'M', 'T', 'h', 'd', 0, 0, 0, 6, 0, format, 0, tracks, division >> 8, division & 0xFF});
}

std::string Chunk(const char* type, const std::string& data)
{
    const auto size = static_cast<std::uint32_t>(data.size());
    return std::string(type, 4) +
           Bytes({static_cast<int>(size >> 24), static_cast<int>(size >> 16 & 0xFF),
                  static_cast<int>(size >> 8 & 0xFF), static_cast<int>(size & 0xFF)}) +
           data;
}

CMString ReadError(const std::string& bytes)
{
    CMMidiSequence sequence;
    CMString error;
    EXPECT_FALSE(sequence.Read(bytes, error));
    EXPECT_TRUE(sequence.GetEvents().empty());
    return error;
}

TEST(MidiSequence, ReadsTheWritersFilesWithTheirTempo)
{
    CMMidiFile file(96);
    CMMidiFileChunk& bass = file.AddTrack(1, 32, "Bass");
    CMMidiFileChunk& piano = file.AddTrack(0, 0, "Piano");
    file.AddNote(0, 96, 36, 90, &bass);
    file.AddNote(384, 192, 60, 80, &piano);
    file.AddPrecount(1, 37);
    const CMMidiSequence sequence = SequenceOf(file, 120);

    // At 120 a minute a quarter note is 500 ms: the lead-in and count-in take 768 ticks.
    EXPECT_DOUBLE_EQ(sequence.TickToMilliseconds(96), 500.0);
    EXPECT_DOUBLE_EQ(sequence.GetLastBeatLength(), 500.0);
    std::vector<std::pair<int, double>> notes;  // key, start
    for (const CMTimedMidiEvent& event : sequence.GetEvents())
        if (event.IsNoteOn())
            notes.emplace_back(event.data1, event.milliseconds);
    ASSERT_EQ(notes.size(), 6u);  // four clicks, the bass note and the piano note
    EXPECT_EQ(notes[0], (std::pair<int, double>(37, 2000.0)));  // after one silent measure
    EXPECT_EQ(notes[4], (std::pair<int, double>(36, 4000.0)));
    EXPECT_EQ(notes[5], (std::pair<int, double>(60, 6000.0)));
    EXPECT_EQ(sequence.GetFirstNoteTime(), 2000.0);
    EXPECT_DOUBLE_EQ(sequence.GetLength(), 7000.0);  // the piano note ends last
    for (std::size_t i = 1; i < sequence.GetEvents().size(); ++i)
        EXPECT_LE(sequence.GetEvents()[i - 1].tick, sequence.GetEvents()[i].tick);
}

TEST(MidiSequence, RunningStatusTempoChangesAndSkippedEvents)
{
    const std::string track =
        Bytes({0x00, 0xFF, 0x51, 0x03, 0x07, 0xA1, 0x20,  // 500,000 us: 120 a minute
               0x00, 0xC0, 0x05,                          // program 5
               0x00, 0x90, 60,   100,                     // note on
               0x60, 62,   100,                           // running status, one beat later
               0x00, 0xF0, 0x03, 0x7E, 0x09, 0xF7,        // system exclusive: skipped
               0x60, 0xFF, 0x51, 0x03, 0x0F, 0x42, 0x40,  // 1,000,000 us: 60 a minute
               0x00, 0x80, 60,   0,                       // note off
               0x81, 0x40, 0x90, 62,   0,                 // 192 ticks later: note on, velocity 0
               0x00, 0xE0, 0x00, 0x40,                    // pitch bend to the middle
               0x00, 0xFF, 0x2F, 0x00,                    // end of track
               0x00, 0x90, 70,   100});                   // after the end: never read
    const std::string file = Header(0, 1, 96) + Chunk("XFIH", "anything") + Chunk("MTrk", track);
    CMMidiSequence sequence;
    CMString error;
    ASSERT_TRUE(sequence.Read(file, error)) << error.Str();
    const std::vector<CMTimedMidiEvent>& events = sequence.GetEvents();
    ASSERT_EQ(events.size(), 6u);
    EXPECT_EQ(events[0].status, 0xC0);
    EXPECT_EQ(events[0].data1, 5);
    EXPECT_EQ(events[1].status, 0x90);
    EXPECT_EQ(events[2].status, 0x90);  // from running status
    EXPECT_EQ(events[2].data1, 62);
    EXPECT_DOUBLE_EQ(events[2].milliseconds, 500.0);
    EXPECT_DOUBLE_EQ(events[3].milliseconds, 1000.0);  // 192 ticks at 120
    EXPECT_DOUBLE_EQ(events[4].milliseconds, 3000.0);  // then 192 ticks at 60
    EXPECT_FALSE(events[4].IsNoteOn());
    EXPECT_EQ(events[5].status, 0xE0);
    EXPECT_EQ(events[5].data2, 0x40);
    EXPECT_DOUBLE_EQ(sequence.GetLength(), 3000.0);
    EXPECT_DOUBLE_EQ(sequence.GetLastBeatLength(), 1000.0);
    EXPECT_EQ(sequence.GetFirstNoteTime(), 0.0);
}

TEST(MidiSequence, TimeCodeDivisionAndFilesWithoutNotes)
{
    // 25 frames a second, 40 ticks a frame: a tick is a millisecond, whatever the tempo says.
    const std::string track = Bytes({0x00, 0xFF, 0x51, 0x03, 0x0F, 0x42, 0x40, 0x83, 0x68, 0xB0, 7,
                                     100, 0x00, 0xFF, 0x2F, 0x00});
    CMMidiSequence sequence;
    CMString error;
    ASSERT_TRUE(sequence.Read(Header(1, 1, 0xE728) + Chunk("MTrk", track), error)) << error.Str();
    ASSERT_EQ(sequence.GetEvents().size(), 1u);
    EXPECT_DOUBLE_EQ(sequence.GetEvents()[0].milliseconds, 488.0);
    EXPECT_FALSE(sequence.GetFirstNoteTime().has_value());
    ASSERT_TRUE(sequence.Read(Header(1, 0, 96), error));  // no tracks at all
    EXPECT_DOUBLE_EQ(sequence.GetLength(), 0.0);
}

TEST(MidiSequence, DamagedFilesAreRefusedWithTheirReason)
{
    const std::string header = Header(1, 1, 96);
    EXPECT_EQ(ReadError(""), "not a standard MIDI file (no complete MThd header)");
    EXPECT_EQ(ReadError("MThd\0\0\0\6\0\1"), "not a standard MIDI file (no complete MThd header)");
    EXPECT_EQ(ReadError(Header(3, 1, 96)), "not a standard MIDI file (format 3, division 96)");
    EXPECT_EQ(ReadError(Header(1, 1, 0)), "not a standard MIDI file (format 1, division 0)");
    EXPECT_EQ(ReadError(Header(1, 1, 0xE700)),
              "not a standard MIDI file (time-code division without ticks)");
    EXPECT_EQ(ReadError(header + "MTrk" + Bytes({0, 0, 1, 0, 0x00})),
              "not a standard MIDI file (it ends inside chunk 1)");
    const auto track = [&](std::initializer_list<int> bytes) {
        return ReadError(header + Chunk("MTrk", Bytes(bytes)));
    };
    EXPECT_EQ(track({0x81, 0x80, 0x80, 0x80, 0x00}),
              "not a standard MIDI file (track 1: a delta time is cut off or too long)");
    EXPECT_EQ(track({0x81}),
              "not a standard MIDI file (track 1: a delta time is cut off or too long)");
    EXPECT_EQ(track({0x00}),
              "not a standard MIDI file (track 1: an event is missing after its delta time)");
    EXPECT_EQ(track({0x00, 60, 100}),
              "not a standard MIDI file (track 1: data without a status byte)");
    EXPECT_EQ(track({0x00, 0x90, 60}),
              "not a standard MIDI file (track 1: a channel message lacks its data)");
    EXPECT_EQ(track({0x00, 0x90, 60, 0x90}),
              "not a standard MIDI file (track 1: a channel message lacks its data)");
    EXPECT_EQ(track({0x00, 0xFF, 0x51, 0x05, 0x07}),
              "not a standard MIDI file (track 1: a meta event is cut off)");
    EXPECT_EQ(track({0x00, 0xF0, 0x05, 0x7E}),
              "not a standard MIDI file (track 1: a system-exclusive message is cut off)");
    EXPECT_EQ(track({0x00, 0xF8}),
              "not a standard MIDI file (track 1: a system message that files cannot hold)");
    // Meta and system events end running status.
    EXPECT_EQ(track({0x00, 0x90, 60, 100, 0x00, 0xFF, 0x01, 0x00, 0x00, 60, 0}),
              "not a standard MIDI file (track 1: data without a status byte)");
}

TEST(MidiSequence, LoadNamesTheFile)
{
    TempDir dir;
    CMMidiSequence sequence;
    CMString error;
    EXPECT_FALSE(sequence.Load(dir.Path("none.midi").c_str(), error));
    EXPECT_EQ(error,
              CMString("Cannot read '" + dir.Path("none.midi") + "': No such file or directory."));
    EXPECT_FALSE(sequence.Load(dir.Root().c_str(), error));
    EXPECT_EQ(error, CMString("'" + dir.Root() + "' is not a MIDI file of a performance."));
    std::ofstream(dir.Path("text.midi")) << "title { A }";
    EXPECT_FALSE(sequence.Load(dir.Path("text.midi").c_str(), error));
    EXPECT_EQ(error, CMString("'" + dir.Path("text.midi") +
                              "' is not a standard MIDI file (no complete MThd header)."));
    std::ofstream(dir.Path("empty.midi"), std::ios::binary) << Header(0, 0, 96);
    EXPECT_TRUE(sequence.Load(dir.Path("empty.midi").c_str(), error));
}

}  // namespace
