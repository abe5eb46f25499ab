// CFSocketEx: see CFSocketEx.h.
#include "net/CFSocketEx.h"

#include <vector>

CFSocketEx::CFSocketEx() : m_tLastActivity(Clock::now()) {}

void CFSocketEx::Poll()
{
    CFSocket::Poll();
    std::uint32_t payloadLength = 0;
    std::int32_t headerSize = 0;
    while (m_dataReceive.PeekFrameHeader(payloadLength, headerSize)) {
        if (payloadLength > static_cast<std::uint32_t>(m_nMaxFrameSize)) {
            m_dataReceive.Clear();
            Close();
            OnError(kErrorFrameTooLarge);
            OnDisconnected();
            return;
        }
        if (static_cast<std::uint32_t>(m_dataReceive.GetLength() - headerSize) < payloadLength)
            break;
        const std::int32_t before = m_dataReceive.GetLength();
        if (m_pEvent)
            m_pEvent->OnReceive(*this);
        if (m_dataReceive.GetLength() == before)
            PopMessage();
    }
    // Only a partial frame goes stale: an idle connection with nothing buffered is not an error.
    if (!m_dataReceive.IsEmpty() && Now() - m_tLastActivity >= kStaleFrameTime) {
        m_dataReceive.Clear();
        m_tLastActivity = Now();
        OnError(kErrorStaleFrame);
    }
}

CFSerialData CFSocketEx::PopMessage()
{
    return m_dataReceive.ExtractFrame();
}

void CFSocketEx::OnConnected()
{
    if (m_pEvent)
        m_pEvent->OnConnected(*this);
    m_tLastActivity = Now();
}

void CFSocketEx::OnDisconnected()
{
    if (m_pEvent)
        m_pEvent->OnDisconnected(*this);
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
    m_dataReceive.Append(bytes.data(), received);
    m_tLastActivity = Now();
}

void CFSocketEx::OnError(std::int32_t code)
{
    if (m_pEvent)
        m_pEvent->OnError(*this, code);
}

std::unique_ptr<CFSocket> CFSocketEx::CreateInstance() const
{
    return Configure(std::make_unique<CFSocketEx>());
}

std::unique_ptr<CFSocket> CFSocketEx::Configure(std::unique_ptr<CFSocketEx> device) const
{
    device->m_pEvent = m_pEvent;
    device->m_nMaxFrameSize = m_nMaxFrameSize;
    return device;
}
