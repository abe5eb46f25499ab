// Event encoding: delta time, status (shared between note events by running status) and the
// data bytes each kind of status carries.
#include "midi/CMMidiFileEvent.h"

#include "core/VariableLengthQuantity.h"

#include <cstring>

namespace {

// Where the encoding of one event goes: a buffer, or only a count of bytes.
class EventSink {
public:
    explicit EventSink(std::uint8_t* destination) : m_destination(destination) {}
    void Byte(std::uint8_t value)
    {
        if (m_destination)
            m_destination[m_size] = value;
        ++m_size;
    }
    void VarLen(std::uint32_t value)
    {
        if (m_destination)
            VariableLengthQuantity::Encode(value, m_destination + m_size);
        m_size += static_cast<std::uint32_t>(VariableLengthQuantity::Size(value));
    }
    void Bytes(const std::uint8_t* bytes, std::size_t count)
    {
        if (m_destination && count)
            std::memcpy(m_destination + m_size, bytes, count);
        m_size += static_cast<std::uint32_t>(count);
    }
    std::uint32_t Size() const { return m_size; }

private:
    std::uint8_t* m_destination;
    std::uint32_t m_size = 0;
};

std::uint8_t DataByte(const CMMidiBytes& data, std::size_t index)
{
    return index < data.size() ? data[index] : 0;
}

void Encode(const CMMidiFileEvent& event, int channel, std::uint8_t* runningStatus, EventSink& sink)
{
    sink.VarLen(event.time);

    std::uint8_t status = event.status;
    if (!runningStatus) {
        sink.Byte(status);
    } else if (status == 0x80 || status == 0x90) {
        // Only note events share a status byte, and only they take the track's channel.
        if (channel >= 0 && channel <= 15)
            status = static_cast<std::uint8_t>(status | channel);
        if (status != *runningStatus) {
            sink.Byte(status);
            *runningStatus = status;
        }
    } else {
        sink.Byte(status);
        *runningStatus = status;
    }

    const CMMidiBytes& data = event.data;
    switch (status & 0xF0) {
    case 0x80:
        sink.Byte(DataByte(data, 0));
        sink.Byte(0);
        return;
    case 0x90:
    case 0xA0:
    case 0xE0:
        sink.Byte(DataByte(data, 0));
        sink.Byte(DataByte(data, 1));
        return;
    case 0xB0: {
        // Pedal-type controllers (64-68) are switches: any value below 64 is off, else on.
        const std::uint8_t controller = DataByte(data, 0);
        std::uint8_t value = DataByte(data, 1);
        if (controller >= 64 && controller <= 68)
            value = value < 64 ? 0 : 127;
        sink.Byte(controller);
        sink.Byte(value);
        return;
    }
    case 0xC0:
    case 0xD0: sink.Byte(DataByte(data, 0)); return;
    default: break;
    }
    if (status == 0xF0 || status == 0xF7) {
        sink.VarLen(static_cast<std::uint32_t>(data.size()));
        sink.Bytes(data.data(), data.size());
    } else if (status == 0xFF) {
        sink.Byte(DataByte(data, 0));
        const std::size_t length = data.empty() ? 0 : data.size() - 1;
        sink.VarLen(static_cast<std::uint32_t>(length));
        if (length)
            sink.Bytes(data.data() + 1, length);
    }
    // Other system messages and data bytes below 0x80 carry nothing after the status.
}

}  // namespace

std::uint32_t CMMidiFileEvent::GetDataSize(int channel, std::uint8_t* runningStatus) const
{
    EventSink sink(nullptr);
    Encode(*this, channel, runningStatus, sink);
    return sink.Size();
}

std::uint32_t CMMidiFileEvent::Write(std::uint8_t* destination, int channel,
                                     std::uint8_t* runningStatus) const
{
    EventSink sink(destination);
    Encode(*this, channel, runningStatus, sink);
    return sink.Size();
}
