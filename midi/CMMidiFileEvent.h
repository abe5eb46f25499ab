// CMMidiFileEvent: one event of a MIDI track. While a track is filled its time is an absolute
// tick; after the track's conversion it is the delta from the previous event. Note events are
// stored with status 0x90 and get their channel when they are encoded.
#pragma once

#include <array>
#include <cstdint>
#include <initializer_list>
#include <memory>
#include <vector>

// The data bytes of an event: up to three (every channel message) are kept inside the event, so
// that a performance's thousands of notes need no allocation each; longer data (system exclusive,
// meta events) goes on the heap behind one pointer, which keeps a note event at 24 bytes.
class CMMidiBytes {
public:
    CMMidiBytes() = default;
    CMMidiBytes(std::initializer_list<std::uint8_t> bytes) { Assign(bytes.begin(), bytes.size()); }
    CMMidiBytes(const std::vector<std::uint8_t>& bytes) { Assign(bytes.data(), bytes.size()); }
    CMMidiBytes(const CMMidiBytes& other) { *this = other; }
    CMMidiBytes& operator=(const CMMidiBytes& other)
    {
        if (this != &other)
            Assign(other.data(), other.size());
        return *this;
    }
    CMMidiBytes(CMMidiBytes&&) noexcept = default;
    CMMidiBytes& operator=(CMMidiBytes&&) noexcept = default;

    std::size_t size() const { return m_heap ? m_heap->size() : m_size; }
    bool empty() const { return size() == 0; }
    const std::uint8_t* data() const { return m_heap ? m_heap->data() : m_inline.data(); }
    std::uint8_t operator[](std::size_t index) const { return data()[index]; }

private:
    void Assign(const std::uint8_t* bytes, std::size_t count)
    {
        if (count <= m_inline.size()) {
            m_heap.reset();
            for (std::size_t i = 0; i < count; ++i)
                m_inline[i] = bytes[i];
            m_size = static_cast<std::uint8_t>(count);
        } else {
            m_heap = std::make_unique<std::vector<std::uint8_t>>(bytes, bytes + count);
        }
    }

    std::array<std::uint8_t, 3> m_inline{};
    std::uint8_t m_size = 0;
    std::unique_ptr<std::vector<std::uint8_t>> m_heap;  // null for three bytes or fewer
};

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
                                   const std::vector<std::uint8_t>& data)
    {
        CMMidiFileEvent event(0, tick, 0);
        event.status = status;
        event.data = CMMidiBytes(data);
        return event;
    }

    // Encoded length including the delta time. `runningStatus` (null: none) follows the encoding.
    std::uint32_t GetDataSize(int channel, std::uint8_t* runningStatus) const;
    // Encodes into `destination` (room for GetDataSize bytes); answers the bytes written.
    std::uint32_t Write(std::uint8_t* destination, int channel, std::uint8_t* runningStatus) const;

    std::uint32_t time;
    std::uint8_t status;
    CMMidiBytes data;
};

