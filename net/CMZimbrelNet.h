// CMZimbrelNet: the song-server protocol over a framed socket. It builds and sends the client's
// requests and decodes any received payload, request or reply, into a call of the matching
// IMZimbrelNetEvent handler, so the same class serves the client and, in listen mode, the server.
// It keeps no conversation state.
#pragma once

#include "net/CFSerialData.h"
#include "net/CFSocketEx.h"
#include "net/CMZimbrelRecords.h"
#include "net/IMZimbrelNetEvent.h"

#include <cstdint>
#include <memory>
#include <string_view>

class CMZimbrelNet : public CFSocketEx {
public:
    // Where decoded messages go; not owned; accepted connections inherit it.
    void SetNetEvent(IMZimbrelNetEvent* sink) { m_netSink = sink; }

    // Each builds the request, sends it as a frame and answers the payload (for the log).
    CFSerialData SendLogon(std::string_view email, std::string_view password);
    CFSerialData SendRegister(std::string_view userId, std::string_view email,
                              std::string_view password);
    CFSerialData SendQuerySongList(const CMZimbrelUserNameList& userIds);
    CFSerialData SendDownload(const CMZimbrelSongNameList& names);
    CFSerialData SendUpload(const CMZimbrelSongList& songs);

    // Decodes one received payload and calls its handler with `device`. Answers false, calling
    // nothing, when there is no sink, the payload is empty or its fields are cut short; bytes
    // after the last field are ignored.
    bool Dispatch(CFSocketEx& device, CFSerialData& payload);

    // The name of a message code in the network log; empty for a code without a message.
    static const char* GetMessageName(std::uint8_t code);

protected:
    std::unique_ptr<CFSocket> CreateInstance() const override;

private:
    CFSerialData SendBuilt(CFSerialData payload);

    IMZimbrelNetEvent* m_netSink = nullptr;
};
