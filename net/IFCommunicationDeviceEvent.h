// IFCommunicationDeviceEvent: what the owner of a framed socket hears from it. Every call comes
// from inside the device's Poll and names the device concerned (for a listening device, the
// accepted connection).
#pragma once

#include <cstdint>

class CFSocketEx;

class IFCommunicationDeviceEvent {
public:
    virtual ~IFCommunicationDeviceEvent() = default;
    // A connection was accepted.
    virtual void OnConnected(CFSocketEx& device) = 0;
    // The connection is gone; the device is already closed.
    virtual void OnDisconnected(CFSocketEx& device) = 0;
    // A complete frame is buffered: take it with the device's PopMessage.
    virtual void OnReceive(CFSocketEx& device) = 0;
    // Something went wrong; the codes are CFSocketEx's kError constants.
    virtual void OnError(CFSocketEx& device, std::int32_t code) = 0;
};
