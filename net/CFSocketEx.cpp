// CFSocketEx: see CFSocketEx.h.
#include "net/CFSocketEx.h"

#include <vector>

CFSocketEx::CFSocketEx() : m_lastActivity(Clock::now()) {}

void CFSocketEx::Poll()
{
    CFSocket::Poll();
    std::uint32_t payloadLength = 0;
    std::int32_t headerSize = 0;
    while (m_received.PeekFrameHeader(payloadLength, headerSize)) {
        if (payloadLength > static_cast<std::uint32_t>(m_maxFrameSize)) {
            m_received.Clear();
            Close();
            OnError(kErrorFrameTooLarge);
            OnDisconnected();
            return;
        }
        if (static_cast<std::uint32_t>(m_received.GetLength() - headerSize) < payloadLength)
            break;
        const std::int32_t before = m_received.GetLength();
        if (m_sink)
            m_sink->OnReceive(*this);
        if (m_received.GetLength() == before)
            PopMessage();
    }
    if (IsFrameLate()) {
        m_received.Clear();
        OnError(kErrorFrameTooSlow);
        return;
    }
    // Only a partial frame goes stale: an idle connection with nothing buffered is not an error.
    if (!m_received.IsEmpty() && Now() - m_lastActivity >= kStaleFrameTime) {
        m_received.Clear();
        m_lastActivity = Now();
        OnError(kErrorStaleFrame);
    }
}

bool CFSocketEx::IsFrameLate() const
{
    if (m_frameDeadline.count() == 0 || m_received.IsEmpty())
        return false;
    std::uint32_t payloadLength = 0;
    std::int32_t headerSize = 0;
    m_received.PeekFrameHeader(payloadLength, headerSize);
    const auto allowed =
        m_frameDeadline + std::chrono::seconds(payloadLength / kFrameBytesPerSecond);
    return Now() - m_frameStarted >= allowed;
}

CFSerialData CFSocketEx::PopMessage()
{
    CFSerialData payload = m_received.ExtractFrame();
    m_frameStarted = Now();  // the clock of the next frame starts now
    return payload;
}

void CFSocketEx::OnConnected()
{
    if (m_sink)
        m_sink->OnConnected(*this);
    m_lastActivity = Now();
}

void CFSocketEx::OnDisconnected()
{
    if (m_sink)
        m_sink->OnDisconnected(*this);
}

void CFSocketEx::OnReceive()
{
    const std::int32_t waiting = GetReceivableSize();
    if (waiting < 1)
        return;
    std::vector<std::uint8_t> bytes(static_cast<std::size_t>(waiting));
    const std::int32_t received = Receive(bytes.data(), waiting);
    if (received < 1)
        return;
    if (m_received.IsEmpty())
        m_frameStarted = Now();
    m_received.Append(bytes.data(), received);
    m_lastActivity = Now();
}

void CFSocketEx::OnError(std::int32_t code)
{
    if (m_sink)
        m_sink->OnError(*this, code);
}

std::unique_ptr<CFSocket> CFSocketEx::CreateInstance() const
{
    return Configure(std::make_unique<CFSocketEx>());
}

std::unique_ptr<CFSocket> CFSocketEx::Configure(std::unique_ptr<CFSocketEx> device) const
{
    device->m_sink = m_sink;
    device->m_maxFrameSize = m_maxFrameSize;
    device->m_frameDeadline = m_frameDeadline;
    return device;
}
