// CFSocketEx: a CFSocket that collects the incoming bytes in a receive buffer and hands its owner
// one complete frame at a time. A partial frame that gets no further bytes for two seconds is
// discarded; a frame announced larger than the device accepts closes the connection. A server
// also gives each frame a deadline, so that a peer dripping a byte now and then cannot hold a
// connection for ever.
#pragma once

#include "net/CFSerialData.h"
#include "net/CFSocket.h"
#include "net/IFCommunicationDeviceEvent.h"

#include <chrono>
#include <cstdint>
#include <memory>

class CFSocketEx : public CFSocket {
public:
    using Clock = std::chrono::steady_clock;

    // Error codes raised through OnError.
    static constexpr std::int32_t kErrorStaleFrame = 0;     // a partial frame was discarded
    static constexpr std::int32_t kErrorFrameTooLarge = 1;  // the connection was closed
    static constexpr std::int32_t kErrorFrameTooSlow = 2;   // a frame missed its deadline
    static constexpr std::int32_t kDefaultMaxFrame = 16 * 1024 * 1024;
    static constexpr auto kStaleFrameTime = std::chrono::seconds(2);
    // Beyond the deadline's base, a frame gets a second for every so many bytes it announces.
    static constexpr std::int32_t kFrameBytesPerSecond = 64 * 1024;

    CFSocketEx();

    // Runs the socket poll, then raises OnReceive once for every complete frame buffered, in
    // order; the sink takes each with PopMessage (a frame the sink leaves is dropped).
    void Poll() override;
    // The payload of the first complete frame, removed from the buffer; empty when none is there.
    CFSerialData PopMessage();

    // The owner's sink, not owned; accepted connections inherit it.
    void SetEventSink(IFCommunicationDeviceEvent* sink) { m_sink = sink; }
    // The largest payload accepted, in bytes; accepted connections inherit it.
    void SetMaxFrameSize(std::int32_t bytes) { m_maxFrameSize = bytes; }
    // A frame must be whole within `base` of its first byte, plus a second for every
    // kFrameBytesPerSecond it announces; otherwise it is discarded with kErrorFrameTooSlow. Zero
    // (the default) sets no deadline. Accepted connections inherit it.
    void SetFrameDeadline(std::chrono::milliseconds base) { m_frameDeadline = base; }
    std::int32_t GetBufferedSize() const { return m_received.GetLength(); }

protected:
    void OnConnected() override;
    void OnDisconnected() override;
    // Appends what has arrived to the receive buffer; frames reach the sink from Poll.
    void OnReceive() override;
    void OnError(std::int32_t code) override;
    std::unique_ptr<CFSocket> CreateInstance() const override;
    // Gives a freshly constructed device this device's sink and frame limit.
    std::unique_ptr<CFSocket> Configure(std::unique_ptr<CFSocketEx> device) const;
    // The time used for the stale-frame rule; tests replace it.
    virtual Clock::time_point Now() const { return Clock::now(); }

private:
    // Whether the partial frame at the front of the buffer has had all its time.
    bool IsFrameLate() const;

    IFCommunicationDeviceEvent* m_sink = nullptr;
    CFSerialData m_received;
    Clock::time_point m_lastActivity;
    std::int32_t m_maxFrameSize = kDefaultMaxFrame;
    std::chrono::milliseconds m_frameDeadline{0};
    Clock::time_point m_frameStarted;
};
