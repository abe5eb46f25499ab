// CMMidiSequence: a standard MIDI file read for playing: every channel message of every track in
// one list in time order, with its time in milliseconds from the file's tempo changes. The file
// may come from anywhere (the player opens any path), so reading checks every length and stops
// with a message at the first thing that is not a standard MIDI file.
#pragma once

#include "core/CMString.h"

#include <cstdint>
#include <optional>
#include <string_view>
#include <vector>

// One channel message (note, controller, program, pressure, pitch bend) at its time.
struct CMTimedMidiEvent {
    std::uint64_t tick = 0;     // from the start of the file, in its division
    double milliseconds = 0.0;  // from the start of the file
    std::uint8_t status = 0;    // 0x80 to 0xEF: the message kind and its channel
    std::uint8_t data1 = 0;
    std::uint8_t data2 = 0;  // 0 for program change and channel pressure

    bool IsNoteOn() const { return (status & 0xF0) == 0x90 && data2 > 0; }
};

class CMMidiSequence {
public:
    // Files larger than this are not read into memory: no performance comes near it.
    static constexpr std::uint64_t kLargestFile = 8ull * 1024 * 1024;

    // Reads a whole file from its bytes. False, with what is wrong in `error` ("not a standard
    // MIDI file (...)"), when they are not a standard MIDI file; the sequence is then empty.
    bool Read(std::string_view bytes, CMString& error);
    // Reads the file at `path`; false with the reason in `error`, a sentence for the user.
    bool Load(const char* path, CMString& error);

    // The channel messages by time; messages of one tick keep the order of their tracks.
    const std::vector<CMTimedMidiEvent>& GetEvents() const { return m_events; }
    // The time of the last event of the longest track, its end-of-track mark included.
    double GetLength() const { return TickToMilliseconds(m_lastTick); }
    // The time of the first note, if the file has one.
    std::optional<double> GetFirstNoteTime() const;
    // A tick of the file, counted from its start, in milliseconds.
    double TickToMilliseconds(std::uint64_t tick) const;
    // The length of a quarter note at the end of the file, in milliseconds.
    double GetLastBeatLength() const;

private:
    struct TempoChange {
        std::uint64_t tick;
        std::uint32_t microsecondsPerQuarter;
    };
    struct TempoSegment {
        std::uint64_t tick;
        double milliseconds;
        double millisecondsPerTick;
    };

    bool ReadTrack(std::string_view track, int index, std::vector<TempoChange>& tempos,
                   CMString& error);
    void BuildTempoMap(std::vector<TempoChange> tempos);
    void Clear();

    std::uint32_t m_division = 96;         // ticks per quarter note
    double m_smpteTickLength = 0.0;        // milliseconds per tick of a time-code division, or 0
    std::vector<TempoSegment> m_tempoMap;  // by tick; the first starts at 0
    std::vector<CMTimedMidiEvent> m_events;
    std::uint64_t m_lastTick = 0;
};
