// IMZimbrelNetEvent: one handler per message of the song-server conversation, each given the
// device the message came from. Every handler does nothing by default, so a client overrides the
// replies it cares about and a server the requests. Lists, texts and payloads belong to the
// decoder and are gone when the handler returns: copy what you keep.
#pragma once

#include "net/CFSerialData.h"
#include "net/CMZimbrelRecords.h"

#include <cstdint>
#include <string>

class CFSocketEx;

class IMZimbrelNetEvent {
public:
    virtual ~IMZimbrelNetEvent() = default;

    // Code 0 and codes without a message; the payload's cursor stands after the code byte.
    virtual void OnUnknown(CFSocketEx& /*device*/, CFSerialData& /*payload*/) {}
    virtual void OnLogon(CFSocketEx& /*device*/, const std::string& /*email*/,
                         const std::string& /*password*/)
    {
    }
    virtual void OnLogonOK(CFSocketEx& /*device*/, std::uint8_t /*result*/) {}
    virtual void OnQuerySongList(CFSocketEx& /*device*/, const CMZimbrelUserNameList& /*userIds*/)
    {
    }
    virtual void OnQuerySongListOK(CFSocketEx& /*device*/, const CMZimbrelSongNameList& /*names*/)
    {
    }
    virtual void OnRegister(CFSocketEx& /*device*/, const std::string& /*userId*/,
                            const std::string& /*email*/, const std::string& /*password*/)
    {
    }
    virtual void OnRegisterOK(CFSocketEx& /*device*/, std::uint8_t /*result*/) {}
    virtual void OnAccount(CFSocketEx& /*device*/, CFSerialData& /*payload*/) {}
    virtual void OnAccountOK(CFSocketEx& /*device*/, std::uint8_t /*result*/) {}
    virtual void OnDownload(CFSocketEx& /*device*/, const CMZimbrelSongNameList& /*names*/) {}
    virtual void OnDownloadOK(CFSocketEx& /*device*/, const CMZimbrelSongList& /*songs*/) {}
    virtual void OnUpload(CFSocketEx& /*device*/, CFSerialData& /*payload*/) {}
    virtual void OnUploadOK(CFSocketEx& /*device*/, CFSerialData& /*payload*/) {}
};
