// CMMidiFileEvent: one event of a MIDI track. While a track is filled its time is an absolute
// tick; after the track's conversion it is the delta from the previous event. Note events are
// stored with status 0x90 and get their channel when they are encoded.
#pragma once

#include <cstdint>
#include <vector>

class CMMidiFileEvent {
public:
    // A note event: status 0x90, key and velocity (velocity 0 ends the note).
    CMMidiFileEvent(std::uint8_t key, std::uint32_t tick, std::uint8_t velocity)
        : time(tick), status(0x90), data{key, velocity}
    {
    }
    // Any event: a channel message, system exclusive (0xF0, 0xF7) or meta event (0xFF: type,
    // then the bytes).
    static CMMidiFileEvent Message(std::uint32_t tick, std::uint8_t status,
                                   std::vector<std::uint8_t> data)
    {
        CMMidiFileEvent event(0, tick, 0);
        event.status = status;
        event.data = std::move(data);
        return event;
    }

    // Encoded length including the delta time. `runningStatus` (null: none) follows the encoding.
    std::uint32_t GetDataSize(int channel, std::uint8_t* runningStatus) const;
    // Encodes into `destination` (room for GetDataSize bytes); answers the bytes written.
    std::uint32_t Write(std::uint8_t* destination, int channel, std::uint8_t* runningStatus) const;

    std::uint32_t time;
    std::uint8_t status;
    std::vector<std::uint8_t> data;
};

// The variable-length quantity of MIDI files: up to 127 one byte, up to 16383 two, up to
// 2097151 three, four above (exact up to 0x0FFFFFFF).
int MidiVarLenSize(std::uint32_t value);
int WriteMidiVarLen(std::uint8_t* destination, std::uint32_t value);
