// CMZimbrelNet: see CMZimbrelNet.h.
#include "net/CMZimbrelNet.h"

#include "net/CMZimbrelMessages.h"

#include <initializer_list>
#include <string>

namespace {

void TrimBlanks(std::string& text)
{
    static const char kBlanks[] = "\t\n\r ";
    text.erase(0, text.find_first_not_of(kBlanks));
    text.erase(text.find_last_not_of(kBlanks) + 1);
}

// Reads text fields in order; false as soon as one is cut short.
bool ReadTexts(CFSerialData& payload, std::initializer_list<std::string*> texts)
{
    for (std::string* text : texts) {
        if (!payload.ReadText(*text))
            return false;
    }
    return true;
}

}  // namespace

CFSerialData CMZimbrelNet::SendLogon(std::string_view email, std::string_view password)
{
    return SendBuilt(BuildLogon(email, password));
}

CFSerialData CMZimbrelNet::SendRegister(std::string_view userId, std::string_view email,
                                        std::string_view password)
{
    return SendBuilt(BuildRegister(userId, email, password));
}

CFSerialData CMZimbrelNet::SendQuerySongList(const CMZimbrelUserNameList& userIds)
{
    return SendBuilt(BuildQuerySongList(userIds));
}

CFSerialData CMZimbrelNet::SendDownload(const CMZimbrelSongNameList& names)
{
    return SendBuilt(BuildDownload(names));
}

CFSerialData CMZimbrelNet::SendUpload(const CMZimbrelSongList& songs)
{
    return SendBuilt(BuildUpload(songs));
}

CFSerialData CMZimbrelNet::SendBuilt(CFSerialData payload)
{
    SendPayload(payload);
    return payload;
}

bool CMZimbrelNet::Dispatch(CFSocketEx& device, CFSerialData& payload)
{
    std::uint8_t code = 0;
    if (!m_netSink || !payload.ReadByte(code))
        return false;
    IMZimbrelNetEvent& sink = *m_netSink;
    std::string first, second, third;
    std::uint8_t result = 0;
    CMZimbrelUserNameList userIds;
    CMZimbrelSongNameList names;
    CMZimbrelSongList songs;
    switch (code) {
    case kMessageLogon:
        if (!ReadTexts(payload, {&first, &second}))
            return false;
        sink.OnLogon(device, first, second);
        return true;
    case kMessageLogonOK:
        if (!payload.ReadByte(result))
            return false;
        sink.OnLogonOK(device, result);
        return true;
    case kMessageQuerySongList:
        if (!payload.ReadObject(userIds))
            return false;
        sink.OnQuerySongList(device, userIds);
        return true;
    case kMessageQuerySongListOK:
        if (!payload.ReadObject(names))
            return false;
        sink.OnQuerySongListOK(device, names);
        return true;
    case kMessageRegister:
        if (!ReadTexts(payload, {&first, &second, &third}))
            return false;
        for (std::string* text : {&first, &second, &third})
            TrimBlanks(*text);
        sink.OnRegister(device, first, second, third);
        return true;
    case kMessageRegisterOK:
        if (!payload.ReadByte(result))
            return false;
        sink.OnRegisterOK(device, result);
        return true;
    case kMessageAccount: sink.OnAccount(device, payload); return true;
    case kMessageAccountOK:
        if (!payload.ReadByte(result))
            return false;
        sink.OnAccountOK(device, result);
        return true;
    case kMessageDownload:
        if (!payload.ReadObject(names))
            return false;
        sink.OnDownload(device, names);
        return true;
    case kMessageDownloadOK:
        if (!payload.ReadObject(songs))
            return false;
        sink.OnDownloadOK(device, songs);
        return true;
    case kMessageUpload: sink.OnUpload(device, payload); return true;
    case kMessageUploadOK: sink.OnUploadOK(device, payload); return true;
    default: sink.OnUnknown(device, payload); return true;
    }
}

const char* CMZimbrelNet::GetMessageName(std::uint8_t code)
{
    switch (code) {
    case kMessageNone: return "None";
    case kMessageLogon: return "Logon";
    case kMessageLogonOK: return "LogonOK";
    case kMessageQuerySongList: return "QuerySongList";
    case kMessageQuerySongListOK: return "QuerySongListOK";
    case kMessageRegister: return "Register";
    case kMessageRegisterOK: return "RegisterOK";
    case kMessageAccount: return "Account";
    case kMessageAccountOK: return "AccountOK";
    case kMessageDownload: return "Download";
    case kMessageDownloadOK: return "DownloadOK";
    case kMessageUpload: return "Upload";
    case kMessageUploadOK: return "UploadOK";
    default: return "";
    }
}

std::unique_ptr<CFSocket> CMZimbrelNet::CreateInstance() const
{
    auto device = std::make_unique<CMZimbrelNet>();
    device->m_netSink = m_netSink;
    return Configure(std::move(device));
}
