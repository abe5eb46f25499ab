// CMMidiFileChunk: see CMMidiFileChunk.h. A track is written as "MTrk", its length, a name event
// when it has a name, then either the tempo (tempo track) or the program change and the events,
// and the end-of-track event.
#include "midi/CMMidiFileChunk.h"

#include "core/VariableLengthQuantity.h"

#include <algorithm>
#include <cstring>

bool CMMidiFileChunk::InsertEvent(std::uint32_t tick, std::uint8_t key, std::uint8_t velocity)
{
    if (m_deltaTimes)
        return false;
    // After every event of the same tick or earlier.
    auto place = m_events.end();
    while (place != m_events.begin() && std::prev(place)->time > tick)
        --place;
    m_events.insert(place, CMMidiFileEvent(key, tick, velocity));
    return true;
}

bool CMMidiFileChunk::AddNote(std::uint32_t tick, std::uint32_t duration, std::uint8_t key,
                              std::uint8_t velocity)
{
    return InsertEvent(tick, key, velocity) && InsertEvent(tick + duration, key, 0);
}

void CMMidiFileChunk::MakeDeltaTimes()
{
    if (m_deltaTimes)
        return;
    std::uint32_t previous = 0;
    for (CMMidiFileEvent& event : m_events) {
        const std::uint32_t absolute = event.time;
        event.time = absolute - previous;
        previous = absolute;
    }
    m_deltaTimes = true;
}

void CMMidiFileChunk::PushFront(const CMMidiFileEvent& event)
{
    MakeDeltaTimes();
    m_events.insert(m_events.begin(), event);
}

namespace {

constexpr std::uint8_t kEndOfTrack[] = {0x00, 0xFF, 0x2F, 0x00};

void PutBigEndian32(std::uint8_t* destination, std::uint32_t value)
{
    for (int i = 0; i < 4; ++i)
        destination[i] = static_cast<std::uint8_t>(value >> (24 - 8 * i));
}

}  // namespace

std::uint32_t CMMidiFileChunk::GetDataSize(int tempo) const
{
    std::uint32_t size = 0;
    if (!m_name.IsEmpty())
        size += 3 + static_cast<std::uint32_t>(VariableLengthQuantity::Size(m_name.GetLength())) +
                static_cast<std::uint32_t>(m_name.GetLength());
    if (m_channel == kTempoTrack) {
        if (tempo > 0)
            size += 7;
    } else {
        if (m_channel >= 0)
            size += 3;
        std::uint8_t runningStatus = 0;
        for (const CMMidiFileEvent& event : m_events)
            size += event.GetDataSize(m_channel, &runningStatus);
    }
    return size + sizeof kEndOfTrack;
}

std::uint32_t CMMidiFileChunk::Write(std::uint8_t* destination, int tempo,
                                     std::uint32_t dataSize) const
{
    std::uint8_t* out = destination;
    std::memcpy(out, "MTrk", 4);
    PutBigEndian32(out + 4, dataSize);
    out += 8;
    if (!m_name.IsEmpty()) {
        *out++ = 0x00;
        *out++ = 0xFF;
        *out++ = 0x01;
        out += VariableLengthQuantity::Encode(static_cast<std::uint32_t>(m_name.GetLength()), out);
        std::memcpy(out, m_name.GetText(), static_cast<std::size_t>(m_name.GetLength()));
        out += m_name.GetLength();
    }
    if (m_channel == kTempoTrack) {
        if (tempo > 0) {
            // Microseconds per quarter note, 24 bits.
            const std::uint32_t microseconds = 60000000u / static_cast<std::uint32_t>(tempo);
            const std::uint8_t setTempo[] = {0x00,
                                             0xFF,
                                             0x51,
                                             0x03,
                                             static_cast<std::uint8_t>(microseconds >> 16),
                                             static_cast<std::uint8_t>(microseconds >> 8),
                                             static_cast<std::uint8_t>(microseconds)};
            std::memcpy(out, setTempo, sizeof setTempo);
            out += sizeof setTempo;
        }
    } else {
        if (m_channel >= 0) {
            *out++ = 0x00;
            *out++ = static_cast<std::uint8_t>(0xC0 | m_channel);
            *out++ = m_program;
        }
        std::uint8_t runningStatus = 0;
        for (const CMMidiFileEvent& event : m_events)
            out += event.Write(out, m_channel, &runningStatus);
    }
    std::memcpy(out, kEndOfTrack, sizeof kEndOfTrack);
    out += sizeof kEndOfTrack;
    return static_cast<std::uint32_t>(out - destination);
}
