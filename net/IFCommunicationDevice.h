// IFCommunicationDevice: a byte channel that its owner drives by calling Poll from a timer. It
// never blocks waiting for data, runs no thread of its own and raises every event from Poll.
#pragma once

#include <cstdint>

class IFCommunicationDevice {
public:
    virtual ~IFCommunicationDevice() = default;
    // Answers true once the channel is ready; false, with the device closed, when it is not.
    virtual bool Open() = 0;
    virtual void Close() = 0;
    // Reads up to `count` bytes that have arrived; answers the count read, or -1.
    virtual std::int32_t Receive(std::uint8_t* buffer, std::int32_t count) = 0;
    // Writes `count` bytes (a count of 0 or less: the bytes up to the first 0x00); answers the
    // count taken, or -1.
    virtual std::int32_t Send(const std::uint8_t* data, std::int32_t count) = 0;
    // The number of bytes waiting to be received; -1 when closed, -2 when the system cannot say.
    virtual std::int32_t GetReceivableSize() = 0;
    // Does whatever is due: reads, accepts, notices a closed peer, raises events.
    virtual void Poll() = 0;
};
