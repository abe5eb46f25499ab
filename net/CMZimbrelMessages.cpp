// The song-server messages: see CMZimbrelMessages.h.
#include "net/CMZimbrelMessages.h"

namespace {

CFSerialData BuildWithObject(CMZimbrelMessageCode code, const IFSerializable& object)
{
    CFSerialData payload;
    payload.Reserve(1 + object.GetSerialSize());
    payload.AppendByte(code);
    payload.AppendObject(object);
    return payload;
}

}  // namespace

const char* GetRegisterResultText(std::uint8_t result)
{
    switch (result) {
    case kRegisterDone: return "registered";
    case kRegisterBadUserId: return "the user ID is not acceptable";
    case kRegisterBadEmail: return "the e-mail address is not acceptable";
    case kRegisterBadPassword: return "the password is not acceptable";
    case kRegisterUserIdTaken: return "the user ID is already taken";
    case kRegisterEmailTaken: return "the e-mail address is already registered";
    case kRegisterServerError: return "the server could not store the account";
    default: return "unknown reason";
    }
}

const char* GetUploadResultText(std::uint8_t result)
{
    switch (result) {
    case kUploadDone: return "stored";
    case kUploadNotLoggedOn: return "log in first";
    case kUploadBadTitle: return "a song title is not acceptable";
    case kUploadTooLarge: return "a song is too large";
    case kUploadMalformed: return "the message is malformed";
    case kUploadServerError: return "the server could not store the songs";
    case kUploadOverQuota: return "the account's quota of songs or bytes would be exceeded";
    default: return "unknown reason";
    }
}

CFSerialData BuildLogon(std::string_view email, std::string_view password)
{
    CFSerialData payload;
    payload.AppendByte(kMessageLogon);
    payload.AppendText(email);
    payload.AppendText(password);
    return payload;
}

CFSerialData BuildRegister(std::string_view userId, std::string_view email,
                           std::string_view password)
{
    CFSerialData payload;
    payload.AppendByte(kMessageRegister);
    payload.AppendText(userId);
    payload.AppendText(email);
    payload.AppendText(password);
    return payload;
}

CFSerialData BuildQuerySongList(const CMZimbrelUserNameList& userIds)
{
    return BuildWithObject(kMessageQuerySongList, userIds);
}

CFSerialData BuildDownload(const CMZimbrelSongNameList& names)
{
    return BuildWithObject(kMessageDownload, names);
}

CFSerialData BuildUpload(const CMZimbrelSongList& songs)
{
    return BuildWithObject(kMessageUpload, songs);
}

CFSerialData BuildResult(CMZimbrelMessageCode code, std::uint8_t result)
{
    CFSerialData payload;
    payload.AppendByte(code);
    payload.AppendByte(result);
    return payload;
}

CFSerialData BuildQuerySongListOK(const CMZimbrelSongNameList& names)
{
    return BuildWithObject(kMessageQuerySongListOK, names);
}

CFSerialData BuildDownloadOK(const CMZimbrelSongList& songs)
{
    return BuildWithObject(kMessageDownloadOK, songs);
}
