// CMMidiFileChunk: one track of a MIDI file. Notes come in with absolute ticks in any order and
// are kept in time order (events of equal tick in the order they came); converting the track to
// delta times happens once, after which the track takes no more notes. Players add notes nearly
// in time order, so a new event's place is found from the end.
#pragma once

#include "core/CMString.h"
#include "midi/CMMidiFileEvent.h"

#include <cstdint>
#include <vector>

class CMMidiFileChunk {
public:
    static constexpr int kTempoTrack = -2;  // channel of the tempo track the encoder builds
    static constexpr int kNoChannel = -1;   // notes keep their own channel nibble

    CMMidiFileChunk(int channel, std::uint8_t program, const CMString& name)
        : m_channel(channel), m_program(program), m_name(name)
    {
    }

    // A note-on (velocity 0 ends a note) at an absolute tick; false once the track holds deltas.
    bool InsertEvent(std::uint32_t tick, std::uint8_t key, std::uint8_t velocity);
    // The note's start and, `duration` ticks later, its end.
    bool AddNote(std::uint32_t tick, std::uint32_t duration, std::uint8_t key,
                 std::uint8_t velocity);
    // Makes room for `count` more events.
    void ReserveEvents(std::size_t count) { m_events.reserve(m_events.size() + count); }
    // Converts absolute ticks into delta times; a second call does nothing.
    void MakeDeltaTimes();
    bool HasDeltaTimes() const { return m_deltaTimes; }
    // Puts an event (with a delta time) in front of all others; only after the conversion.
    void PushFront(const CMMidiFileEvent& event);

    // Length of the track's data (the chunk's length field) when written with `tempo`.
    std::uint32_t GetDataSize(int tempo) const;
    // Writes the chunk, header included, given its data size; answers the bytes written.
    std::uint32_t Write(std::uint8_t* destination, int tempo, std::uint32_t dataSize) const;

    int GetChannel() const { return m_channel; }
    std::uint8_t GetProgram() const { return m_program; }
    const std::vector<CMMidiFileEvent>& GetEvents() const { return m_events; }

private:
    int m_channel;
    std::uint8_t m_program;
    CMString m_name;
    std::vector<CMMidiFileEvent> m_events;  // in time order
    bool m_deltaTimes = false;
};
