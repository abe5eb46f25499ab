// CFSocketEx: a CFSocket that collects the incoming bytes in a receive buffer and hands its owner
// one complete frame at a time. A partial frame that gets no further bytes for two seconds is
// discarded; a frame announced larger than the device accepts closes the connection.
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
    static constexpr std::int32_t kDefaultMaxFrame = 16 * 1024 * 1024;
    static constexpr auto kStaleFrameTime = std::chrono::seconds(2);

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
    IFCommunicationDeviceEvent* m_sink = nullptr;
    CFSerialData m_received;
    Clock::time_point m_lastActivity;
    std::int32_t m_maxFrameSize = kDefaultMaxFrame;
};
